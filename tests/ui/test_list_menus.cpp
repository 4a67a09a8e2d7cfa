#include "insight/export_lines.h"
#include "tests/support/naming_window.h"
#include "ui/exclude_page.h"
#include "ui/name_export.h"
#include "ui/name_list_model.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The context menus of the result lists: the tick rules with undo, copy and export.
class TestListMenus final : public QObject {
    Q_OBJECT

private slots:
    void theListMenusFollowOneLayout();
    void shiftF10OpensTheMenuOfTheFocus_data();
    void shiftF10OpensTheMenuOfTheFocus();
    void shiftF10OpensTheFavouritesMenuInSight_data();
    void shiftF10OpensTheFavouritesMenuInSight();
    void rulesTickTheGoodNamesAwayAndUndoBringsThemBack();
    void theNewRulesTickBySound();
    void eachRuleOfTheMenuTicksItsRows_data();
    void eachRuleOfTheMenuTicksItsRows();
    void copyPutsTheSelectedNamesOnTheClipboard_data();
    void copyPutsTheSelectedNamesOnTheClipboard();
    void anExportHoldsTheRowsTheListShows_data();
    void anExportHoldsTheRowsTheListShows();
    void theRowMenusOfferTheCurrentRowsCharacters_data();
    void theRowMenusOfferTheCurrentRowsCharacters();
    void aFailedExportLeavesTheOldFileWhole_data();
    void aFailedExportLeavesTheOldFileWhole();
    void anExportThatCannotBeWrittenIsReported();

private:
    static QAction* action(UniformListView* list, const char* name)
    {
        return list->findChild<QAction*>(QString::fromLatin1(name));
    }

    // Fills the window with 王 and `characters` ideographs, ticks `ticked` (and inverts every
    // tick), then shows the good names.
    static void showGoodNamesAfterTicks(const NamingWindow& window, int characters,
                                        const QList<int>& ticked, bool invert = false)
    {
        window.type(QStringLiteral("王"), ideographs(characters));
        window.start();
        window.tabs()->setCurrentIndex(1);
        for (const int row : ticked)
            window.tick(row);
        if (invert)
            action(window.exclusions(), "invertTicksAction")->trigger();
        window.tabs()->setCurrentIndex(2);
    }
};

namespace {

const QString wang = QStringLiteral("王");

QStringList filesIn(const QString& path)
{
    return QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

void TestListMenus::theListMenusFollowOneLayout()
{
    NamingWindow window;
    const auto texts = [](const UniformListView* list) {
        QStringList texts;
        for (const QAction* action : list->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts.join(QLatin1Char('|'));
    };
    const QString shared = QStringLiteral(
        "-|朗读(&V)|名字卡片(&K)|复制(&Y)|导出(&E)…|加入收藏(&F)|-|显示读音|出处范围(&"
        "O)|-|从诗词选字(&P)…|关于 Corvale(&A)...");
    QCOMPARE(texts(window.allNames()), shared);
    QCOMPARE(texts(window.goodNames()), shared);
    QCOMPARE(
        texts(window.exclusions()),
        QStringLiteral("勾选含此字的名字(&C)|勾选叠字名(&D)|勾选同音名(&H)|勾选同声调名(&T)|"
                       "勾选含生僻字的名字(&R)|勾选全平或全仄的名字(&P)|勾选谐音不雅的名字(&X)|"
                       "勾选无出处的名字(&S)|"
                       "避开读音(&B)…|保留辈分字(&G)|反向勾选(&I)|全部取消勾选(&U)|"
                       "恢复上次的勾选(&L)|撤销(&Z)|") +
            shared);
}

void TestListMenus::shiftF10OpensTheMenuOfTheFocus_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::newRow("all names, row 2") << QStringLiteral("list1057") << 0 << 2;
    QTest::newRow("exclusions, row 900") << QStringLiteral("list1003") << 1 << 900;
    QTest::newRow("good names, no current row") << QStringLiteral("list1058") << 2 << -1;
    QTest::newRow("surname field") << QStringLiteral("surnameEdit") << 0 << -1;
    QTest::newRow("start button") << QStringLiteral("startButton") << 2 << -1;
}

// Through the shortcut map and the key events, the way a real Shift+F10 comes.
void TestListMenus::shiftF10OpensTheMenuOfTheFocus()
{
    QFETCH(QString, focus);
    QFETCH(int, page);
    QFETCH(int, row);
    NamingWindow window;
    window.type(wang, ideographs(40));
    window.start();
    window.tabs()->setCurrentIndex(page);
    auto* widget = window.dialog().findChild<QWidget*>(focus);
    auto* list = qobject_cast<UniformListView*>(widget);
    if (list && row >= 0) {
        list->setCurrentIndex(list->model()->index(row, 0));
        list->scrollTo(list->currentIndex(), QAbstractItemView::PositionAtTop);
    }
    widget->setFocus();

    MenuAnswer menu;
    answerNextMenu(&menu);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_VERIFY(menu.seen);
    const QList<QAction*> actions = list ? list->actions() : window.dialog().actions();
    QCOMPARE(menu.items.size(), actions.size());
    QCOMPARE(menu.items.last(), actions.last()->text());
    if (list) {
        // At the current row, or at the top of the rows without one.
        const QRect cell = row >= 0 ? list->visualRect(list->currentIndex())
                                    : QRect(0, 0, list->columnWidth(), list->rowHeight());
        const QRect shown(list->viewport()->mapToGlobal(cell.topLeft()), cell.size());
        // Qt lifts a menu too tall for the space below it, so its top may be above the row.
        const QString where =
            QStringLiteral("%1 at %2,%3").arg(focus).arg(menu.position.x()).arg(menu.position.y());
        QVERIFY2(menu.position.x() >= shown.left() && menu.position.x() <= shown.right(),
                 qPrintable(where));
        QVERIFY2(menu.position.y() <= shown.bottom() && menu.position.y() >= shown.top() - 100,
                 qPrintable(where));
    }
}

void TestListMenus::shiftF10OpensTheFavouritesMenuInSight_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("shown");
    QTest::newRow("current row in sight") << 2 << true;
    QTest::newRow("current row scrolled out of sight") << 60 << false;
}

// A table opens its menu at the current row while it is in sight, else at its top left.
void TestListMenus::shiftF10OpensTheFavouritesMenuInSight()
{
    QFETCH(int, row);
    QFETCH(bool, shown);
    NamingWindow window;
    window.type(wang, ideographs(8));
    window.start();
    window.allNames()->selectAll();
    action(window.allNames(), "addFavouritesAction")->trigger();
    window.tabs()->setCurrentIndex(3);
    auto* table = window.find<QTableView>("favouritesList");
    table->setCurrentIndex(table->model()->index(row, 0));
    table->scrollToTop();
    QCOMPARE(table->viewport()->rect().intersects(table->visualRect(table->currentIndex())), shown);
    table->setFocus();

    MenuAnswer menu;
    answerNextMenu(&menu);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_VERIFY(menu.seen);
    QCOMPARE(menu.items.last(), table->actions().last()->text());
    const QRect cell = shown ? table->visualRect(table->currentIndex())
                             : QRect(0, 0, table->columnWidth(0), table->rowHeight(0));
    QVERIFY(
        QRect(table->viewport()->mapToGlobal(cell.topLeft()), cell.size()).contains(menu.position));
}

void TestListMenus::rulesTickTheGoodNamesAwayAndUndoBringsThemBack()
{
    NamingWindow window;
    window.type(wang, QStringLiteral("美丽"));
    window.start();
    window.tabs()->setCurrentIndex(1);
    window.tick(1);
    action(window.exclusions(), "tickRepeatedAction")->trigger();
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), names({"王丽美"}));

    window.tabs()->setCurrentIndex(1);
    QVERIFY(action(window.exclusions(), "undoTicksAction")->isEnabled());
    window.exclusions()->setFocus();
    QTest::keyClick(window.exclusions(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!action(window.exclusions(), "undoTicksAction")->isEnabled());
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), names({"王美美", "王丽美", "王丽丽"}));

    window.tabs()->setCurrentIndex(1);
    action(window.exclusions(), "invertTicksAction")->trigger();
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), names({"王美丽"}));
}

void TestListMenus::theNewRulesTickBySound()
{
    NamingWindow window;
    window.type(QStringLiteral("范"), QStringLiteral("统美"));
    window.start();
    window.tabs()->setCurrentIndex(1);
    for (const int row : {1, 2, 3}) // all but 范统统
        window.tick(row);
    // 范统统 sounds like 饭桶; undo takes back only the last rule.
    action(window.exclusions(), "tickUnseemlyHomophoneAction")->trigger();
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), QStringList());
    window.tabs()->setCurrentIndex(1);
    action(window.exclusions(), "undoTicksAction")->trigger();
    action(window.exclusions(), "tickLevelOrObliqueAction")->trigger(); // 范统统 is 仄仄仄
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), QStringList());
    const QModelIndex first = window.allNames()->model()->index(0, 0);
    QVERIFY(first.data(Qt::AccessibleDescriptionRole)
                .toString()
                .contains(QStringLiteral("\n平仄：仄仄仄\n谐音：饭桶（不雅）\n")));
}

void TestListMenus::eachRuleOfTheMenuTicksItsRows_data()
{
    QTest::addColumn<QString>("candidates");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("goodNames");
    // 礼 and 理 read lǐ; 王 and 平 are of the second tone; 丄 is outside the general list.
    QTest::newRow("同音") << QStringLiteral("礼理") << QStringLiteral("tickSameSoundAction")
                          << names({"王礼礼"});
    QTest::newRow("同声调") << QStringLiteral("美平") << QStringLiteral("tickSameToneAction")
                            << names({"王美美", "王美平", "王平美"});
    QTest::newRow("生僻字") << QStringLiteral("美丄") << QStringLiteral("tickRareAction")
                            << names({"王美美"});
}

void TestListMenus::eachRuleOfTheMenuTicksItsRows()
{
    QFETCH(QString, candidates);
    QFETCH(QString, rule);
    QFETCH(QStringList, goodNames);
    NamingWindow window;
    window.type(wang, candidates);
    window.start();
    window.tabs()->setCurrentIndex(1);
    window.exclusions()->findChild<QAction*>(rule)->trigger();
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), goodNames);
}

void TestListMenus::copyPutsTheSelectedNamesOnTheClipboard_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("notice");
    QTest::addColumn<QList<int>>("ticked");
    QTest::newRow("two rows") << 2 << 1 << 2 << QStringLiteral("王一丁\n王丁一\n") << false
                              << QList<int>{};
    // The good names are 王一丁, 王丁一, 王丁丁: none of the ticked rows come back.
    QTest::newRow("after ticks, from row 1")
        << 2 << 1 << 2 << QStringLiteral("王丁一\n王丁丁\n") << false << QList<int>{0};
    QTest::newRow("after ticks, across them")
        << 3 << 2 << 4 << QStringLiteral("王丁一\n王丁丂\n王丂丁\n") << false
        << QList<int>{1, 4, 6};
    // 1,000 characters give exactly the limit, one more exceeds it.
    QTest::newRow("at the limit") << 1000 << 0 << 999'999 << QString() << false << QList<int>{};
    QTest::newRow("past the limit")
        << 1001 << 0 << 1'002'000 << QStringLiteral("kept") << true << QList<int>{};
}

void TestListMenus::copyPutsTheSelectedNamesOnTheClipboard()
{
    QFETCH(int, characters);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, clipboard);
    QFETCH(bool, notice);
    QFETCH(QList<int>, ticked);
    NamingWindow window;
    showGoodNamesAfterTicks(window, characters, ticked);
    UniformListView* list = window.goodNames();
    list->selectionModel()->select(
        QItemSelection(list->model()->index(first, 0), list->model()->index(last, 0)),
        QItemSelectionModel::Select);
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    ModalAnswer answer;
    answerNextModal(&answer);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(answer.seen, notice);
    const QString copied = QApplication::clipboard()->text();
    if (!clipboard.isEmpty()) {
        QCOMPARE(copied, clipboard);
        return;
    }
    const QStringList lines = copied.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), last - first + 2);
    QCOMPARE(lines[last - first], list->model()->index(last, 0).data().toString());
}

void TestListMenus::anExportHoldsTheRowsTheListShows_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<bool>("invert");
    QTest::addColumn<QString>("fileName");
    // 90,000 rows are written in two parts; the second starts past a deleted row.
    const QList<int> ticks{1, 70'000, 89'999};
    QTest::newRow("after ticks, text") << 300 << ticks << false << QStringLiteral("names.txt");
    QTest::newRow("after ticks, csv") << 300 << ticks << false << QStringLiteral("names.csv");
    QTest::newRow("csv in capitals") << 2 << QList<int>{1} << false << QStringLiteral("NAMES.CSV");
    QTest::newRow("every row ticked, text") << 2 << QList<int>{} << true << QStringLiteral("a.txt");
    QTest::newRow("every row ticked, csv") << 2 << QList<int>{} << true << QStringLiteral("a.csv");
}

// The good names' export compared line by line with what the list shows.
void TestListMenus::anExportHoldsTheRowsTheListShows()
{
    QFETCH(int, characters);
    QFETCH(QList<int>, ticked);
    QFETCH(bool, invert);
    QFETCH(QString, fileName);
    NamingWindow window;
    showGoodNamesAfterTicks(window, characters, ticked, invert);
    const QStringList shown = rowsOf(window.goodNames());
    QCOMPARE(shown.size(), invert ? 0 : characters * characters - ticked.size());

    QTemporaryDir folder;
    const QString path = folder.filePath(fileName);
    const auto& model = *static_cast<const NameListModel*>(window.goodNames()->model());
    QVERIFY(NameExport::write(model, path, NameExport::formatOf(path), {}).isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    const bool csv = fileName.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    const QByteArray header = QByteArray::fromStdString(exportHeader(ExportFormat::Csv));
    if (csv) {
        QVERIFY(bytes.startsWith(header));
        bytes.remove(0, header.size());
    }
    QStringList lines =
        QString::fromUtf8(bytes).split(csv ? QStringLiteral("\r\n") : QStringLiteral("\n"));
    QCOMPARE(lines.takeLast(), QString());
    for (QString& line : lines)
        line = line.section(QLatin1Char(','), 0, 0);
    QCOMPARE(lines, shown);
}

void TestListMenus::theRowMenusOfferTheCurrentRowsCharacters_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("candidates");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QStringList>("goodNames");
    const QString containing = QStringLiteral("tickContainingMenu");
    QTest::newRow("王美美 holds 美 once") << wang << QStringLiteral("美丽") << 0 << containing
                                          << names({"美"}) << 0 << names({"王丽丽"});
    QTest::newRow("王丽美") << wang << QStringLiteral("美丽") << 2 << containing
                            << names({"丽", "美"}) << 0 << names({"王美美"});
    QTest::newRow("范美统 keeps 统 second")
        << QStringLiteral("范") << QStringLiteral("统美") << 2
        << QStringLiteral("keepGenerationMenu") << names({"第一字为「美」", "第二字为「统」"}) << 1
        << names({"范统统", "范美统"});
}

// The submenus offer the given-name characters of the current row; the chosen item ticks by it.
void TestListMenus::theRowMenusOfferTheCurrentRowsCharacters()
{
    QFETCH(QString, surname);
    QFETCH(QString, candidates);
    QFETCH(int, row);
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    QFETCH(int, chosen);
    QFETCH(QStringList, goodNames);
    NamingWindow window;
    window.type(surname, candidates);
    window.start();
    window.tabs()->setCurrentIndex(1);
    UniformListView* list = window.exclusions();
    list->setCurrentIndex(list->model()->index(row, 0));
    auto* submenu = window.dialog().findChild<QMenu*>(menu);
    emit submenu->aboutToShow();
    QStringList texts;
    for (const QAction* item : submenu->actions())
        texts << item->text();
    QCOMPARE(texts, items);
    submenu->actions().at(chosen)->trigger();
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), goodNames);
}

void TestListMenus::aFailedExportLeavesTheOldFileWhole_data()
{
    QTest::addColumn<bool>("sizeLimit");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("cancel, text") << false << QStringLiteral("names.txt");
    QTest::newRow("file size limit, text") << true << QStringLiteral("names.txt");
    QTest::newRow("file size limit, csv") << true << QStringLiteral("names.csv");
}

void TestListMenus::aFailedExportLeavesTheOldFileWhole()
{
    QFETCH(bool, sizeLimit);
    QFETCH(QString, fileName);
    NamingWindow window;
    window.type(wang, ideographs(1000));
    window.start();
    const auto& model = *static_cast<const NameListModel*>(window.allNames()->model());
    QTemporaryDir folder;
    const QString path = folder.filePath(fileName);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old names\n");
    old.close();

    if (sizeLimit) {
        // 1,000,000 names need far more than 1 MiB: the write fails part of the way.
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const rlimit limit{1 << 20, 1 << 20};
            setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
            const QString error = NameExport::write(model, path, NameExport::formatOf(path), {});
            _exit(error.isEmpty() ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    } else {
        int reports = 0;
        QVERIFY(!NameExport::write(model, path, NameExport::formatOf(path), [&reports](double) {
                     return ++reports < 4;
                 }).isEmpty());
    }
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old names\n"));
    QCOMPARE(filesIn(folder.path()), QStringList{fileName});

    // Unhindered, the same export replaces the file.
    QVERIFY(NameExport::write(model, path, NameExport::formatOf(path), {}).isEmpty());
    old.seek(0);
    QCOMPARE(QFileInfo(path).size() > 1'000'000 * 4, true);
}

void TestListMenus::anExportThatCannotBeWrittenIsReported()
{
    NamingWindow window;
    window.type(wang, QStringLiteral("美丽"));
    window.start();
    QTemporaryDir folder;
    ModalAnswer answer;
    answerNextModal(&answer);
    QVERIFY(!NameExport::writeShowingProgress(
        &window.dialog(), *static_cast<const NameListModel*>(window.allNames()->model()),
        folder.filePath(QStringLiteral("missing/names.txt"))));
    QVERIFY(answer.seen);
    QCOMPARE(answer.objectName, QStringLiteral("exportFailedNotice"));
    QCOMPARE(answer.icon, QMessageBox::Warning);
}

QTEST_MAIN(TestListMenus)
#include "test_list_menus.moc"
