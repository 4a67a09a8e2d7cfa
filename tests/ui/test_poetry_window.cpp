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
    for (int c = 0; c < 9; ++c) {
        checked << window.dialog()
                       .findChild<QAction*>(QStringLiteral("sourceCollection%1Action").arg(c))
                       ->isChecked();
    }
    return checked;
}

} // namespace

void TestPoetryWindow::sourceCollectionsNarrowTheSourcesAndAreRemembered()
{
    const QList<bool> all(9, true);
    {
        NamingWindow window;
        QCOMPARE(checkedCollections(window), all);
        QCOMPARE(
            window.dialog().findChild<QAction*>(QStringLiteral("sourceCollection2Action"))->text(),
            QStringLiteral("论语"));
        window.type(QStringLiteral("王"), QStringLiteral("兰芷"));
        window.start();
        QCOMPARE(window.allNames()->model()->index(1, 0).data().toString(),
                 QStringLiteral("王兰芷"));
        QVERIFY(
            readingOf(window.allNames(), 1)
                .endsWith(QStringLiteral("  楚辞·离骚（屈原）：兰芷变而不芳兮，荃蕙化而为茅。")));
        window.dialog().findChild<QAction*>(QStringLiteral("sourceCollection1Action"))->trigger();
        for (UniformListView* list : {window.allNames(), window.exclusions(), window.goodNames()}) {
            QVERIFY(!readingOf(list, 1).contains(QStringLiteral("楚辞")));
            QVERIFY(readingOf(list, 1).contains(QStringLiteral("  唐诗·")));
        }
    }
    QCOMPARE(QSettings(QStringLiteral("corvale"), QStringLiteral("corvale"))
                 .value(QStringLiteral("view/sourceCollections"))
                 .toStringList()
                 .join(u','),
             QStringLiteral("诗经,-楚辞,论语,大学,中庸,孟子,唐诗,宋词,元曲"));
    QList<bool> withoutChuci = all;
    withoutChuci[1] = false;
    {
        NamingWindow again;
        QCOMPARE(checkedCollections(again), withoutChuci);
        again.type(QStringLiteral("王"), QStringLiteral("兰芷"));
        again.start();
        QVERIFY(!readingOf(again.allNames(), 1).contains(QStringLiteral("楚辞")));
    }
    // A choice kept when there were four collections keeps leaving out what it left out.
    QSettings(QStringLiteral("corvale"), QStringLiteral("corvale"))
        .setValue(
            QStringLiteral("view/sourceCollections"),
            QStringList{QStringLiteral("诗经"), QStringLiteral("唐诗"), QStringLiteral("宋词")});
    NamingWindow older;
    QCOMPARE(checkedCollections(older),
             (QList<bool>{true, false, false, false, false, false, true, true, false}));
}

QTEST_MAIN(TestPoetryWindow)
#include "test_poetry_window.moc"
