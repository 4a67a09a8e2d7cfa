#include "hanzi/character_meaning.h"
#include "tests/support/naming_window.h"
#include "tests/support/private_preferences.h"
#include "ui/name_list_model.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QSettings>
#include <QTextDocument>
#include <QToolTip>

namespace {

QAction* showReadingAction(const NamingWindow& window)
{
    return window.find<QAction>("showReadingAction");
}

// The text of the tooltip the list shows when the mouse rests on view row `row`.
QString tooltipOf(UniformListView* list, int row)
{
    const QPoint point = list->visualRect(list->model()->index(row, 0)).center();
    QHelpEvent event(QEvent::ToolTip, point, list->viewport()->mapToGlobal(point));
    QApplication::sendEvent(list->viewport(), &event);
    if (!QToolTip::isVisible())
        return {};
    QTextDocument shown;
    shown.setHtml(QToolTip::text());
    QToolTip::hideText();
    return shown.toPlainText();
}

// What the text of the second column of the first rows would cover, grid lines left out.
QImage detailText(UniformListView* list)
{
    list->viewport()->repaint();
    return list->viewport()->grab().toImage().copy(list->columnWidth() + 1, 0, 100,
                                                   4 * list->rowHeight());
}

} // namespace

class TestReadingInsight final : public QObject {
    Q_OBJECT

private slots:
    // The preference goes to a folder of the test's own, never to the user's.
    void initTestCase() { QVERIFY(m_preferences.use()); }
    void init() { QVERIFY(m_preferences.clear()); }
    void everyPageShowsTheRowsInsightAsTooltip_data();
    void everyPageShowsTheRowsInsightAsTooltip();
    void tooltipShowsMarkupAsItIs();
    void readingColumnIsOffUntilCheckedAndRemembered();

private:
    PrivatePreferences m_preferences;
};

void TestReadingInsight::everyPageShowsTheRowsInsightAsTooltip_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("all names") << 0;
    QTest::newRow("exclusions") << 1;
    QTest::newRow("good names, the first row deleted") << 2;
}

void TestReadingInsight::everyPageShowsTheRowsInsightAsTooltip()
{
    QFETCH(int, page);
    NamingWindow window;
    window.type(QStringLiteral("王"), QStringLiteral("美乐"));
    window.start();
    window.tick(0);
    window.tabs()->setCurrentIndex(page);
    UniformListView* list = window.tabs()->currentWidget()->findChild<UniformListView*>();
    // The good-names page lost 王美美, so its row 0 is the others' row 1.
    const int row = page == 2 ? 0 : 1;
    QCOMPARE(list->model()->index(row, 0).data().toString(), QStringLiteral("王美乐"));
    QVERIFY(!MeaningOf(U'美').empty());
    const auto meaningLine = [](char32_t character) {
        const std::string_view meaning = MeaningOf(character);
        return meaning.empty() ? QString()
                               : QStringLiteral("字义：%1 %2\n")
                                     .arg(QString::fromUcs4(&character, 1),
                                          QString::fromUtf8(meaning.data(), meaning.size()));
    };
    QCOMPARE(tooltipOf(list, row),
             QStringLiteral("王美乐\n"
                            "读音：wáng měi lè（2-3-4）\n"
                            "笔画：王 4 + 美 9 + 乐 5 = 18\n"
                            "多音字：乐 lè / yuè\n") +
                 meaningLine(U'美') + QStringLiteral("英译：美 beautiful, pretty; pleasing\n") +
                 meaningLine(U'乐') +
                 QStringLiteral("英译：乐 happy, glad; enjoyable; music\n"
                                "平仄：平仄仄\n"
                                "出处：楚辞·远游（屈原）：内欣欣而自美兮，聊媮娱以淫乐。"));
}

void TestReadingInsight::tooltipShowsMarkupAsItIs()
{
    NamingWindow window;
    window.type(QStringLiteral("王"), QStringLiteral("<b>&lt;"));
    window.two()->setChecked(true);
    window.start();
    const QStringList rows = rowsOf(window.allNames());
    QVERIFY(rows.join(QString()).contains(QStringLiteral("<b")));
    for (int row = 0; row < rows.size(); ++row)
        QCOMPARE(tooltipOf(window.allNames(), row).section(QLatin1Char('\n'), 0, 0), rows[row]);
}

void TestReadingInsight::readingColumnIsOffUntilCheckedAndRemembered()
{
    NamingWindow window;
    window.type(QStringLiteral("王"), QStringLiteral("美丽"));
    window.start();
    UniformListView* list = window.allNames();
    const QImage blank = detailText(list);
    QVERIFY(!showReadingAction(window)->isChecked());
    QVERIFY(!list->isDetailColumnShown());
    QVERIFY(!list->indexAt(QPoint(list->columnWidth() + 5, 1)).isValid());

    QCOMPARE(showReadingAction(window)->text(), QStringLiteral("显示读音"));
    showReadingAction(window)->trigger();
    for (UniformListView* page : {window.allNames(), window.exclusions(), window.goodNames()}) {
        QVERIFY(page->isDetailColumnShown());
        // The lists' menu ends with a separator, the item, the sources' submenu, a separator and
        // the window's own items.
        QCOMPARE(page->contextMenuPolicy(), Qt::ActionsContextMenu);
        const QList<QAction*> ending = page->actions().mid(page->actions().size() - 6);
        QCOMPARE(ending.size(), 6);
        QCOMPARE(ending[1], showReadingAction(window));
        QCOMPARE(ending.mid(4), window.dialog().actions());
    }
    QCOMPARE(list->columnWidth(), 200);
    QCOMPARE(list->indexAt(QPoint(list->columnWidth() + 5, 1)), list->model()->index(0, 0));
    QCOMPARE(
        list->model()->index(1, 0).data(NameListModel::ReadingRole).toString(),
        QStringLiteral(
            "wáng měi lì（2-3-4）  20 画  唐诗·春台引（陈子昂）：何云木之美丽，而池馆之崇幽。"));
    QVERIFY(detailText(list) != blank);
    // The preference made the folder name.xml shares, private to its owner.
    QCOMPARE(QFile::permissions(m_preferences.folder()), QFile::ReadOwner | QFile::WriteOwner |
                                                             QFile::ExeOwner | QFile::ReadUser |
                                                             QFile::WriteUser | QFile::ExeUser);

    // The next start of the program shows it again, until it is unchecked.
    QVERIFY(window.dialog().close());
    window.open();
    QVERIFY(showReadingAction(window)->isChecked());
    QVERIFY(window.goodNames()->isDetailColumnShown());
    showReadingAction(window)->trigger();
    QVERIFY(window.dialog().close());
    window.open();
    QVERIFY(!showReadingAction(window)->isChecked());
    QVERIFY(!window.exclusions()->isDetailColumnShown());
}

QTEST_MAIN(TestReadingInsight)
#include "test_reading_insight.moc"
