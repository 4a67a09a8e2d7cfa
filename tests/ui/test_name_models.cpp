#include "codec/gbk_codec.h"
#include "tests/support/model_rows.h"
#include "ui/exclusion_model.h"
#include "ui/good_names_model.h"
#include "ui/name_list_model.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QTest>

namespace {

// 王 with the candidates 美丽好 (three units).
const std::string surname = "\xCD\xF5";
const std::string candidates = "\xC3\xC0\xC0\xF6\xBA\xC3";

} // namespace

class TestNameModels final : public QObject {
    Q_OBJECT

private slots:
    void showsNamesAsDisplayText_data();
    void showsNamesAsDisplayText();
    void rowCountIsClampedForTheView();
    void ticksAreSparseAndClearedByEveryFill();
    void goodNamesMapPastDeletedRows();
    void deletingARowThatDoesNotExistIsIgnored();
};

void TestNameModels::showsNamesAsDisplayText_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("two characters")
        << static_cast<int>(NameMode::TwoCharacter)
        << QStringList{QStringLiteral("王美"), QStringLiteral("王丽"), QStringLiteral("王好")};
    QTest::newRow("three characters")
        << static_cast<int>(NameMode::ThreeCharacter)
        << QStringList{
               QStringLiteral("王美美"), QStringLiteral("王美丽"), QStringLiteral("王美好"),
               QStringLiteral("王丽美"), QStringLiteral("王丽丽"), QStringLiteral("王丽好"),
               QStringLiteral("王好美"), QStringLiteral("王好丽"), QStringLiteral("王好好")};
}

void TestNameModels::showsNamesAsDisplayText()
{
    QFETCH(int, mode);
    QFETCH(QStringList, names);
    NameListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setNames(NameList(surname, candidates, static_cast<NameMode>(mode)));
    QCOMPARE(rowsOf(model), names);
    // An empty heading, not none: without one the header would show the section number.
    const QVariant heading = model.headerData(0, Qt::Horizontal);
    QCOMPARE(heading.metaType(), QMetaType::fromType<QString>());
    QVERIFY(heading.toString().isEmpty());
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable));
}

void TestNameModels::rowCountIsClampedForTheView()
{
    NameListModel model;
    // 50,000 units give 2.5 billion names, more than a view can count.
    model.setNames(NameList(surname, std::string(100'000, '\xC3'), NameMode::ThreeCharacter));
    QCOMPARE(model.rowCount(), std::numeric_limits<int>::max());
    QCOMPARE(model.index(model.rowCount() - 1, 0).data().toString(),
             GbkCodec::decode(surname + "\xC3\xC3\xC3\xC3"));
}

void TestNameModels::ticksAreSparseAndClearedByEveryFill()
{
    TickRecord ticks;
    ExclusionModel model(ticks);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setNames(NameList(surname, candidates, NameMode::ThreeCharacter));
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    QVERIFY(model.setData(model.index(3, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(!model.setData(model.index(2, 0), QStringLiteral("x"), Qt::EditRole));
    QCOMPARE(model.index(3, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    QCOMPARE(model.index(2, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    QCOMPARE(model.tickedRows().rows(), (std::vector<std::uint32_t>{1, 3}));

    QVERIFY(model.setData(model.index(3, 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(model.tickedRows().rows(), (std::vector<std::uint32_t>{1}));

    model.setNames(NameList(surname, candidates, NameMode::ThreeCharacter));
    QVERIFY(model.tickedRows().empty());
}

void TestNameModels::goodNamesMapPastDeletedRows()
{
    // Random deletions against a plain list that erases the same rows.
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 50; ++round) {
        GoodNamesModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setNames(NameList(surname, candidates + "abcdefg", NameMode::ThreeCharacter));
        QStringList expected = rowsOf(model);
        while (!expected.isEmpty() && random->bounded(8) != 0) {
            const int row = random->bounded(static_cast<int>(expected.size()));
            model.deleteRow(row);
            expected.removeAt(row);
            QCOMPARE(rowsOf(model), expected);
        }
    }
}

void TestNameModels::deletingARowThatDoesNotExistIsIgnored()
{
    GoodNamesModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.deleteRow(0);
    model.setNames(NameList(surname, candidates, NameMode::TwoCharacter));
    model.deleteRow(3);
    model.deleteRow(-1);
    QCOMPARE(model.rowCount(), 3);
    model.deleteRow(2);
    model.deleteRow(2);
    QCOMPARE(rowsOf(model), (QStringList{QStringLiteral("王美"), QStringLiteral("王丽")}));
    model.setNames(NameList(surname, candidates, NameMode::TwoCharacter));
    QCOMPARE(model.rowCount(), 3);
}

QTEST_GUILESS_MAIN(TestNameModels)
#include "test_name_models.moc"
