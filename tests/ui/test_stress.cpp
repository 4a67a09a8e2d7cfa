// The window under inputs at and past their limits, and a whole session, which the
// sanitizer build also checks for leaks.
#include "codec/gbk_codec.h"
#include "tests/support/naming_window.h"

#include <QClipboard>
#include <QFile>

class TestStress final : public QObject {
    Q_OBJECT

private slots:
    void pastedCandidatesAtTheFieldLimit_data();
    void pastedCandidatesAtTheFieldLimit();
    void aVeryLongSurnameRoundTrips();
    void damagedSettingsFilesOpenAnEmptyWindowAndAreRewritten_data();
    void damagedSettingsFilesOpenAnEmptyWindowAndAreRewritten();
    void aWholeSession();
};

void TestStress::pastedCandidatesAtTheFieldLimit_data()
{
    QTest::addColumn<bool>("threeCharacter");
    QTest::addColumn<int>("expectedRows");
    QTest::newRow("two characters") << false << 20'902;
    QTest::newRow("three characters") << true << 32'767 * 32'767;
}

void TestStress::pastedCandidatesAtTheFieldLimit()
{
    QFETCH(bool, threeCharacter);
    QFETCH(int, expectedRows);
    NamingWindow session;
    session.find<QLineEdit>("surnameEdit")->setText(QStringLiteral("王"));
    auto* candidates = session.find<QLineEdit>("candidatesEdit");
    // More than the field takes: the paste is cut at 32,767 characters.
    QApplication::clipboard()->setText(ideographs(40'000));
    candidates->paste();
    QCOMPARE(candidates->text().size(), 32'767);
    session.find<QRadioButton>(threeCharacter ? "threeCharacterRadio" : "twoCharacterRadio")
        ->setChecked(true);
    session.start();
    for (const UniformListView* list :
         {session.allNames(), session.exclusions(), session.goodNames()})
        QCOMPARE(list->model()->rowCount(), expectedRows);

    auto* allNames = session.find<UniformListView>("list1057");
    const QModelIndex last = allNames->model()->index(expectedRows - 1, 0);
    allNames->scrollTo(last);
    QVERIFY(allNames->viewport()->rect().intersects(allNames->visualRect(last)));
    const QString expectedLast =
        threeCharacter
            ? QStringLiteral("王") + ideographs(32'767).right(1) + ideographs(32'767).right(1)
            : QStringLiteral("王") + ideographs(20'902).right(1);
    QCOMPARE(last.data().toString(), expectedLast);
}

void TestStress::aVeryLongSurnameRoundTrips()
{
    NamingWindow session;
    CNamingDlg& dialog = session.dialog();
    const QString surname = ideographs(10'000);
    session.find<QLineEdit>("surnameEdit")->setText(surname);
    session.find<QLineEdit>("candidatesEdit")->setText(QStringLiteral("美丽"));
    session.start();
    QCOMPARE(session.find<UniformListView>("list1057")->model()->index(3, 0).data().toString(),
             surname + QStringLiteral("丽丽"));
    QVERIFY(dialog.close());
    session.open();
    QCOMPARE(session.find<QLineEdit>("surnameEdit")->text(), surname);
}

void TestStress::damagedSettingsFilesOpenAnEmptyWindowAndAreRewritten_data()
{
    QTest::addColumn<QByteArray>("contents");
    QByteArray controlBytes;
    for (int byte = 1; byte < 0x20; ++byte)
        controlBytes += static_cast<char>(byte);
    QTest::newRow("control bytes") << controlBytes.repeated(1000);
    QTest::newRow("invalid GBK") << QByteArray("\x81\x7F\xFF\xFE\x80\x81", 6).repeated(1000);
    QTest::newRow("nested 10,000 deep")
        << QByteArray("<a>").repeated(10'000) + QByteArray("</a>").repeated(10'000);
    QTest::newRow("cut short") << QByteArray("<Names>\r\n    <Name ID=\"1\">\r\n        <firstn");
}

void TestStress::damagedSettingsFilesOpenAnEmptyWindowAndAreRewritten()
{
    QFETCH(QByteArray, contents);
    NamingWindow session;
    QFile file(session.settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();

    session.open();
    CNamingDlg& dialog = session.dialog();
    QVERIFY(session.find<QLineEdit>("surnameEdit")->text().isEmpty());
    QVERIFY(session.find<QRadioButton>("threeCharacterRadio")->isChecked());
    session.find<QLineEdit>("surnameEdit")->setText(QStringLiteral("王"));
    QVERIFY(dialog.close());
    QCOMPARE(session.settings().load("name.xml")->surname, GbkCodec::encode(QStringLiteral("王")));
}

void TestStress::aWholeSession()
{
    NamingWindow session;
    CNamingDlg& dialog = session.dialog();
    session.find<QLineEdit>("surnameEdit")->setText(QStringLiteral("王"));
    session.find<QLineEdit>("candidatesEdit")->setText(ideographs(1000));
    session.start();
    auto* exclusions = session.find<UniformListView>("list1003");
    auto* tabs = session.find<QTabWidget>("tabControl");
    tabs->setCurrentIndex(1);
    for (const int row : {0, 999, 1000, 500'000, 999'999}) {
        exclusions->setCurrentIndex(exclusions->model()->index(row, 0));
        QTest::keyClick(exclusions, Qt::Key_Space);
    }
    tabs->setCurrentIndex(2);
    QCOMPARE(session.goodNames()->model()->rowCount(), 1'000'000 - 5);
    tabs->setCurrentIndex(0);
    QVERIFY(dialog.close());
    QVERIFY(session.settings().load("name.xml"));
}

QTEST_MAIN(TestStress)
#include "test_stress.moc"
