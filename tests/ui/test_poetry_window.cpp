#include "tests/support/naming_window.h"
#include "tests/support/private_preferences.h"
#include "ui/name_list_model.h"

#include <QAction>
#include <QDir>
#include <QSettings>

class TestPoetryWindow final : public QObject {
    Q_OBJECT

private slots:
    // The preference goes to a folder of the test's own, never to the user's.
    void initTestCase() { QVERIFY(m_preferences.use()); }
    void init() { QVERIFY(m_preferences.clear()); }

    void sourceCollectionsNarrowTheSourcesAndAreRemembered();

private:
    PrivatePreferences m_preferences;
};

namespace {

QString readingOf(UniformListView* list, int row)
{
    return list->model()->index(row, 0).data(NameListModel::ReadingRole).toString();
}

QList<bool> checkedCollections(const NamingWindow& window)
{
    QList<bool> checked;
    for (int c = 0; c < 4; ++c) {
        checked << window.dialog()
                       .findChild<QAction*>(QStringLiteral("sourceCollection%1Action").arg(c))
                       ->isChecked();
    }
    return checked;
}

} // namespace

void TestPoetryWindow::sourceCollectionsNarrowTheSourcesAndAreRemembered()
{
    {
        NamingWindow window;
        QCOMPARE(checkedCollections(window), (QList<bool>{true, true, true, true}));
        window.type(QStringLiteral("王"), QStringLiteral("美乐"));
        window.start();
        QCOMPARE(window.allNames()->model()->index(1, 0).data().toString(),
                 QStringLiteral("王美乐"));
        QVERIFY(
            readingOf(window.allNames(), 1)
                .endsWith(QStringLiteral("  楚辞·远游（屈原）：内欣欣而自美兮，聊媮娱以淫乐。")));
        window.dialog().findChild<QAction*>(QStringLiteral("sourceCollection1Action"))->trigger();
        for (UniformListView* list : {window.allNames(), window.exclusions(), window.goodNames()}) {
            QVERIFY(!readingOf(list, 1).contains(QStringLiteral("楚辞")));
            QVERIFY(readingOf(list, 1).contains(QStringLiteral("  唐诗·")));
        }
    }
    QCOMPARE(QSettings(QStringLiteral("corvale"), QStringLiteral("corvale"))
                 .value(QStringLiteral("view/sourceCollections"))
                 .toStringList(),
             (QStringList{QStringLiteral("诗经"), QStringLiteral("唐诗"), QStringLiteral("宋词")}));
    NamingWindow again;
    QCOMPARE(checkedCollections(again), (QList<bool>{true, false, true, true}));
    again.type(QStringLiteral("王"), QStringLiteral("美乐"));
    again.start();
    QVERIFY(!readingOf(again.allNames(), 1).contains(QStringLiteral("楚辞")));
}

QTEST_MAIN(TestPoetryWindow)
#include "test_poetry_window.moc"
