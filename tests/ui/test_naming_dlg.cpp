#include "codec/gbk_codec.h"
#include "tests/support/naming_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QSignalSpy>
#include <QUrl>

namespace {

const QString wang = QStringLiteral("王");
const QString meiLi = QStringLiteral("美丽");

const QStringList allThree = names({"王美美", "王美丽", "王丽美", "王丽丽"});

} // namespace

class TestNamingDlg final : public QObject {
    Q_OBJECT

private slots:
    void firstStartShowsAnEmptyWindow();
    void startFillsThreeIdenticalPages_data();
    void startFillsThreeIdenticalPages();
    void emptyInputShowsANoticeAndCarriesOn_data();
    void emptyInputShowsANoticeAndCarriesOn();
    void goodNamesAreAllNamesLessTheTickedRows();
    void aNewStartClearsTheTicks();
    void startWhileGoodNamesAreShownKeepsThemShown();
    void goodNamesBeforeTheFirstStartUseTheFields();
    void changedInputsAreExcludedByName();
    void theModeCountsOnlyAtStartOrOnTheGoodNamesTab();
    void enterAnywhereRunsStartAndKeepsTheWindowOpen();
    void closeRequestSavesAndRestores();
    void escapeClosesWithoutSaving();
    void aboutBoxOpensFromF1AndTheContextMenu();
    void authorLinkOpensTheWebMailPage();
    void charactersOutsideTheCodePageBecomeQuestionMarks();

public slots:
    void recordUrl(const QUrl& url) { m_openedUrls << url; }

private:
    QList<QUrl> m_openedUrls;
};

void TestNamingDlg::firstStartShowsAnEmptyWindow()
{
    NamingWindow window;
    QVERIFY(window.surname()->text().isEmpty());
    QVERIFY(window.candidates()->text().isEmpty());
    QVERIFY(window.three()->isChecked());
    QVERIFY(!window.two()->isChecked());
    QCOMPARE(window.tabs()->currentIndex(), 0);
    QCOMPARE(window.tabs()->tabText(0), QStringLiteral("所有搭配名字"));
    QCOMPARE(window.tabs()->tabText(1), QStringLiteral("排除掉名字"));
    QCOMPARE(window.tabs()->tabText(2), QStringLiteral("好名字"));
    QCOMPARE(window.allNames()->model()->rowCount(), 0);
    QCOMPARE(window.dialog().windowTitle(), QStringLiteral("Tolvane宝宝取名 1.28 Build_20140609"));
    QCOMPARE(window.dialog().windowIcon().availableSizes(), QList<QSize>{QSize(72, 72)});
    QCOMPARE(window.dialog().focusWidget(), window.find<QPushButton>("startButton"));
    // The radio buttons are no tab stops.
    QCOMPARE(window.two()->focusPolicy(), Qt::ClickFocus);
}

void TestNamingDlg::startFillsThreeIdenticalPages_data()
{
    QTest::addColumn<bool>("twoCharacter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("three characters") << false << allThree;
    QTest::newRow("two characters") << true << names({"王美", "王丽"});
}

void TestNamingDlg::startFillsThreeIdenticalPages()
{
    QFETCH(bool, twoCharacter);
    QFETCH(QStringList, expected);
    NamingWindow window;
    window.type(wang, QStringLiteral("，美 丽。"));
    (twoCharacter ? window.two() : window.three())->setChecked(true);
    QVERIFY(!window.start().seen);
    QCOMPARE(rowsOf(window.allNames()), expected);
    QCOMPARE(rowsOf(window.exclusions()), expected);
    QCOMPARE(rowsOf(window.goodNames()), expected);
    QCOMPARE(window.tabs()->currentIndex(), 0);
}

void TestNamingDlg::emptyInputShowsANoticeAndCarriesOn_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("candidates");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty surname") << QString() << meiLi << names({"美美", "美丽", "丽美", "丽丽"});
    QTest::newRow("empty candidates") << wang << QString() << QStringList();
    QTest::newRow("both empty") << QString() << QString() << QStringList();
}

void TestNamingDlg::emptyInputShowsANoticeAndCarriesOn()
{
    QFETCH(QString, surname);
    QFETCH(QString, candidates);
    QFETCH(QStringList, expected);
    NamingWindow window;
    window.type(wang, meiLi);
    window.start();
    window.type(surname, candidates);
    const ModalAnswer notice = window.start();
    QVERIFY(notice.seen);
    QCOMPARE(notice.text, QStringLiteral("  请输入贵姓和您选好的字!  "));
    QCOMPARE(notice.title, QStringLiteral("提示"));
    QCOMPARE(notice.icon, QMessageBox::NoIcon);
    QCOMPARE(notice.buttons, QMessageBox::Ok);
    QCOMPARE(rowsOf(window.allNames()), expected);
    QCOMPARE(rowsOf(window.goodNames()), expected);
}

void TestNamingDlg::goodNamesAreAllNamesLessTheTickedRows()
{
    NamingWindow window;
    window.type(wang, meiLi);
    window.start();
    window.tabs()->setCurrentIndex(1);
    window.tick(1);
    window.tick(3);
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), names({"王美美", "王丽美"}));

    // Clicking the tab already selected changes nothing.
    QSignalSpy changes(window.tabs(), &QTabWidget::currentChanged);
    QTest::mouseClick(window.tabs()->tabBar(), Qt::LeftButton, {},
                      window.tabs()->tabBar()->tabRect(2).center());
    QCOMPARE(changes.count(), 0);
    QCOMPARE(rowsOf(window.goodNames()), names({"王美美", "王丽美"}));

    window.tabs()->setCurrentIndex(1);
    window.tick(3); // untick
    window.tabs()->setCurrentIndex(0);
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), names({"王美美", "王丽美", "王丽丽"}));
}

void TestNamingDlg::aNewStartClearsTheTicks()
{
    NamingWindow window;
    window.type(wang, meiLi);
    window.start();
    window.tick(0);
    window.start();
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), allThree);
}

void TestNamingDlg::startWhileGoodNamesAreShownKeepsThemShown()
{
    NamingWindow window;
    window.type(wang, meiLi);
    window.start();
    window.tick(0);
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(window.goodNames()->model()->rowCount(), 3);
    window.start();
    QCOMPARE(window.tabs()->currentIndex(), 2);
    QCOMPARE(rowsOf(window.goodNames()), allThree);
}

void TestNamingDlg::goodNamesBeforeTheFirstStartUseTheFields()
{
    NamingWindow window;
    window.type(wang, meiLi);
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), allThree);
    QCOMPARE(window.allNames()->model()->rowCount(), 0);
    QCOMPARE(window.exclusions()->model()->rowCount(), 0);
}

void TestNamingDlg::changedInputsAreExcludedByName()
{
    NamingWindow window;
    window.type(wang, meiLi);
    window.start();
    window.tick(0);
    window.tick(3);
    // The ticks named 王美美 and 王丽丽, which the two-character list of 李 does not hold.
    window.type(QStringLiteral("李"), meiLi);
    window.two()->setChecked(true);
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), names({"李美", "李丽"}));

    // 王美美 was never row 0 of 思远, and 王思远 (row 15 of 美丽思远嘉怡) is row 1 there.
    window.tabs()->setCurrentIndex(0);
    window.three()->setChecked(true);
    window.type(wang, QStringLiteral("美丽思远嘉怡"));
    window.start();
    window.tick(0);
    window.tick(15);
    window.type(wang, QStringLiteral("思远"));
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), names({"王思思", "王远思", "王远远"}));
}

void TestNamingDlg::theModeCountsOnlyAtStartOrOnTheGoodNamesTab()
{
    NamingWindow window;
    window.type(wang, meiLi);
    window.start();
    window.two()->setChecked(true);
    QCOMPARE(rowsOf(window.allNames()), allThree);
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), names({"王美", "王丽"}));
    QCOMPARE(rowsOf(window.allNames()), allThree);
}

void TestNamingDlg::enterAnywhereRunsStartAndKeepsTheWindowOpen()
{
    NamingWindow window;
    window.type(wang, meiLi);
    QTest::keyClick(window.candidates(), Qt::Key_Return);
    QVERIFY(window.dialog().isVisible());
    QCOMPARE(rowsOf(window.allNames()), allThree);

    window.type(wang, QStringLiteral("美"));
    window.exclusions()->setCurrentIndex(window.exclusions()->model()->index(0, 0));
    QTest::keyClick(window.exclusions(), Qt::Key_Enter);
    QVERIFY(window.dialog().isVisible());
    QCOMPARE(rowsOf(window.allNames()), names({"王美美"}));
}

void TestNamingDlg::closeRequestSavesAndRestores()
{
    NamingWindow window;
    window.type(wang, meiLi);
    window.two()->setChecked(true);
    window.start();
    QVERIFY(window.dialog().close());
    QVERIFY(!window.dialog().isVisible());

    const std::optional<NamingSettings> saved = window.settings().load("name.xml");
    QVERIFY(saved);
    QCOMPARE(saved->surname, GbkCodec::encode(wang));
    QCOMPARE(saved->candidates, GbkCodec::encode(meiLi));
    QCOMPARE(saved->threeCharacter, false);

    window.open();
    QCOMPARE(window.surname()->text(), wang);
    QCOMPARE(window.candidates()->text(), meiLi);
    QVERIFY(window.two()->isChecked());
    QVERIFY(!window.three()->isChecked());
}

void TestNamingDlg::escapeClosesWithoutSaving()
{
    NamingWindow window;
    window.type(wang, meiLi);
    QTest::keyClick(&window.dialog(), Qt::Key_Escape);
    QVERIFY(!window.dialog().isVisible());
    QVERIFY(!window.settings().load("name.xml"));
}

void TestNamingDlg::aboutBoxOpensFromF1AndTheContextMenu()
{
    NamingWindow window;
    window.type(wang, meiLi);
    QStringList labels;
    bool iconShown = false;
    ModalAnswer about;
    answerNextModal(&about, [&labels, &iconShown](QDialog* dialog) {
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text();
        iconShown = !dialog->findChild<QLabel*>(QStringLiteral("aboutIcon"))->pixmap().isNull();
    });
    QTest::keyClick(&window.dialog(), Qt::Key_F1);
    QVERIFY(about.seen);
    QCOMPARE(about.title, QStringLiteral("关于 Corvale"));
    QVERIFY(labels.contains(QStringLiteral("Corvale 1.0 版")));
    QVERIFY(iconShown);
    QCOMPARE(window.surname()->text(), wang);

    const QList<QAction*> actions = window.dialog().actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions.first()->text(), QStringLiteral("从诗词选字(&P)…"));
    QCOMPARE(actions.last()->text(), QStringLiteral("关于 Corvale(&A)..."));
    QCOMPARE(window.dialog().contextMenuPolicy(), Qt::ActionsContextMenu);
}

void TestNamingDlg::authorLinkOpensTheWebMailPage()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "recordUrl");
    NamingWindow window;
    auto* link = window.find<QLabel>("authorLink");
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(link->font().underline());
    QCOMPARE(link->font().weight(), QFont::DemiBold);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(window.find<QLabel>("softwareLine")->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://mail.163.com/"))});
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestNamingDlg::charactersOutsideTheCodePageBecomeQuestionMarks()
{
    NamingWindow window;
    window.type(QStringLiteral("😀"), QStringLiteral("美😀"));
    window.start();
    QCOMPARE(rowsOf(window.allNames()), names({"?美美", "?美?", "??美", "???"}));
    QVERIFY(window.dialog().close());
    QCOMPARE(window.settings().load("name.xml")->surname, std::string("?"));
}

QTEST_MAIN(TestNamingDlg)
#include "test_naming_dlg.moc"
