#include "tests/support/naming_window.h"
#include "ui/exclude_page.h"
#include "ui/name_export.h"
#include "ui/name_list_model.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QSignalSpy>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The context menus of the result lists: the tick rules with undo, copy and export.
class TestListMenus final : public QObject {
    Q_OBJECT

private slots:
    void theListMenusFollowOneLayout();
    void rulesTickTheGoodNamesAwayAndUndoBringsThemBack();
    void copyPutsTheSelectedNamesOnTheClipboard_data();
    void copyPutsTheSelectedNamesOnTheClipboard();
    void aFailedExportLeavesTheOldFileWhole_data();
    void aFailedExportLeavesTheOldFileWhole();
    void anExportThatCannotBeWrittenIsReported();

private:
    static QAction* action(UniformListView* list, const char* name)
    {
        return list->findChild<QAction*>(QString::fromLatin1(name));
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
    const QString shared =
        QStringLiteral("-|复制(&Y)|导出(&E)…|加入收藏(&F)|-|显示读音|-|关于 Corvale(&A)...");
    QCOMPARE(texts(window.allNames()), shared);
    QCOMPARE(texts(window.goodNames()), shared);
    QCOMPARE(texts(window.exclusions()),
             QStringLiteral("勾选含此字的名字(&C)|勾选叠字名(&D)|勾选同音名(&H)|勾选同声调名(&T)|"
                            "勾选含生僻字的名字(&R)|避开读音(&B)…|反向勾选(&I)|全部取消勾选(&U)|"
                            "恢复上次的勾选(&L)|撤销(&Z)|") +
                 shared);
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

void TestListMenus::copyPutsTheSelectedNamesOnTheClipboard_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("notice");
    QTest::newRow("two rows") << 2 << 1 << 2 << QStringLiteral("王一丁\n王丁一\n") << false;
    // 1,000 characters give exactly the limit, one more exceeds it.
    QTest::newRow("at the limit") << 1000 << 0 << 999'999 << QString() << false;
    QTest::newRow("past the limit") << 1001 << 0 << 1'002'000 << QStringLiteral("kept") << true;
}

void TestListMenus::copyPutsTheSelectedNamesOnTheClipboard()
{
    QFETCH(int, characters);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, clipboard);
    QFETCH(bool, notice);
    NamingWindow window;
    window.type(wang, ideographs(characters));
    window.start();
    window.tabs()->setCurrentIndex(2);
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
