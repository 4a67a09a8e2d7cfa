#include "tests/poetry/fixture_corpus.h"
#include "ui/poem_picker_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestPoemPicker final : public QObject {
    Q_OBJECT

private slots:
    void addsNewChineseCharacters_data();
    void addsNewChineseCharacters();
    void searchesAsYouTypeAndAddsByKeyboard();
};

void TestPoemPicker::addsNewChineseCharacters_data()
{
    QTest::addColumn<QString>("candidates");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("added");
    QTest::newRow("punctuation and known characters skipped")
        << QStringLiteral("美君") << QStringList{QStringLiteral("窈窕淑女，君子好逑。")} << 32767
        << QStringLiteral("美君窈窕淑女子好逑") << 7;
    QTest::newRow("repeats once, lines in order")
        << QString() << QStringList{QStringLiteral("依依。"), QStringLiteral("明依月！")} << 32767
        << QStringLiteral("依明月") << 3;
    // 𠀋 (U+2000B) and the Korean 가 are not in code page 936; ASCII is not Chinese.
    QTest::newRow("outside GBK or not Chinese")
        << QStringLiteral("a") << QStringList{QStringLiteral("𠀋가Ab1好")} << 32767
        << QStringLiteral("a好") << 1;
    QTest::newRow("nothing selected")
        << QStringLiteral("美") << QStringList{} << 32767 << QStringLiteral("美") << 0;
    QTest::newRow("up to the field's limit")
        << QStringLiteral("美君") << QStringList{QStringLiteral("窈窕淑女，君子好逑。")} << 5
        << QStringLiteral("美君窈窕淑") << 3;
    QTest::newRow("already full") << QStringLiteral("美君") << QStringList{QStringLiteral("窈窕")}
                                  << 2 << QStringLiteral("美君") << 0;
}

void TestPoemPicker::addsNewChineseCharacters()
{
    QFETCH(QString, candidates);
    QFETCH(QStringList, lines);
    QFETCH(int, maxLength);
    QFETCH(QString, expected);
    QFETCH(int, added);
    const PoemCharacters result = withPoemCharacters(candidates, lines, maxLength);
    QCOMPARE(result.text, expected);
    QCOMPARE(result.added, added);
    QCOMPARE(result.full, maxLength < 32767);
}

void TestPoemPicker::searchesAsYouTypeAndAddsByKeyboard()
{
    QLineEdit candidates(QStringLiteral("美"));
    CPoemPickerDlg dialog(fixtureCorpus(), &candidates);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* query = dialog.findChild<QLineEdit*>(QStringLiteral("poemSearchField"));
    auto* results = dialog.findChild<QListWidget*>(QStringLiteral("poemResults"));
    auto* count = dialog.findChild<QLabel*>(QStringLiteral("poemMatchCount"));
    auto* add = dialog.findChild<QPushButton*>(QStringLiteral("addCharactersButton"));
    QVERIFY(query && results && count && add);
    QCOMPARE(QApplication::focusWidget(), query);
    QVERIFY(!query->accessibleName().isEmpty());
    QVERIFY(!results->accessibleName().isEmpty());

    query->insert(QStringLiteral("李"));
    QCOMPARE(results->count(), 2);
    query->insert(QStringLiteral("白"));
    QCOMPARE(results->count(), 2);
    QCOMPARE(results->item(0)->text(),
             QStringLiteral("唐诗·静夜思（李白）：床前明月光，疑是地上霜。"));
    QCOMPARE(count->text(), QStringLiteral("共 2 句，显示前 2 句"));
    QVERIFY(!add->isEnabled());

    // Tab to the list, select both lines, then Enter adds their characters.
    QTest::keyClick(query, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), results);
    QTest::keyClick(results, Qt::Key_Home);
    QTest::keyClick(results, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(results->selectedItems().size(), 2);
    QVERIFY(add->isEnabled());
    QTest::keyClick(results, Qt::Key_Return);
    QCOMPARE(candidates.text(), QStringLiteral("美床前明月光疑是地上霜举头望低思故乡"));

    query->clear();
    QCOMPARE(results->count(), 0);
    query->insert(QStringLiteral("不在诗里"));
    QCOMPARE(results->count(), 0);
    QCOMPARE(count->text(), QStringLiteral("没有找到诗句"));

    // A field of five characters at most takes four more, and the status says so.
    candidates.setText(QStringLiteral("美"));
    candidates.setMaxLength(5);
    query->setText(QStringLiteral("李白"));
    results->selectAll();
    add->click();
    QCOMPARE(candidates.text(), QStringLiteral("美床前明月"));
    QCOMPARE(count->text(),
             QStringLiteral("已加入 4 个字。候选字已满（最多 5 个字符），其余的字没有加入。"));
}

QTEST_MAIN(TestPoemPicker)
#include "test_poem_picker.moc"
