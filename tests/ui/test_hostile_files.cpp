#include "tests/support/left_open_dialogs.h"
#include "tests/support/naming_window.h"
#include "ui/name_export.h"
#include "ui/name_list_model.h"
#include "ui/result_page.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// The preferences file and exports where another user, or a careless one, has prepared the
// ground: links, FIFOs, devices, huge files and files of other owners.
class TestHostileFiles final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }
    void init() { QVERIFY(QDir(preferencesFolder()).removeRecursively()); }
    void cleanup() { m_leftOpen.closeAll(); }
    void preferencesAreReadAndSavedSafely_data();
    void preferencesAreReadAndSavedSafely();
    void exportsKeepTheFileTheyReplaceSafe_data();
    void exportsKeepTheFileTheyReplaceSafe();
    void aNameWithoutSuffixIsAskedAboutBeforeItsFileIsReplaced_data();
    void aNameWithoutSuffixIsAskedAboutBeforeItsFileIsReplaced();
    void avoidedReadingsAreNeverCut();
    void copyingAMillionRowsShowsProgressAndCanBeCancelled();

private:
    QString preferencesFolder() const { return m_config.filePath(QStringLiteral("corvale")); }
    QString preferencesPath() const
    {
        return preferencesFolder() + QStringLiteral("/corvale.conf");
    }

    QTemporaryDir m_config;
    LeftOpenDialogs m_leftOpen;
};

namespace {

enum class Ground {
    EarlierFile,
    LinkToDevice,
    Fifo,
    Oversized,
    OtherOwner,
    PlantedLink,
    DanglingPlantedLink,
    ReadOnly
};

bool isRoot()
{
    return geteuid() == 0;
}

uid_t nobody()
{
    const passwd* account = getpwnam("nobody");
    return account ? account->pw_uid : 65534;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct stat statusOf(const QString& path)
{
    struct stat status {};
    lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

// A sticky folder that everyone may write to, like /tmp, owned by root, with a file only root
// may write beside it; `target` gets a symbolic link of nobody's to that file.
void plantLink(const QString& folder, const QString& target, bool dangling)
{
    const QString victim = folder + QStringLiteral("/victim");
    if (!dangling)
        writeBytes(victim, "victim\n");
    QVERIFY(QDir().mkdir(folder + QStringLiteral("/shared")));
    QCOMPARE(chmod(QFile::encodeName(folder + QStringLiteral("/shared")).constData(), 01777), 0);
    QCOMPARE(symlink(QFile::encodeName(victim).constData(), QFile::encodeName(target).constData()),
             0);
    QCOMPARE(lchown(QFile::encodeName(target).constData(), nobody(), nobody()), 0);
}

} // namespace

void TestHostileFiles::preferencesAreReadAndSavedSafely_data()
{
    QTest::addColumn<Ground>("ground");
    QTest::newRow("file of an earlier version") << Ground::EarlierFile;
    QTest::newRow("link to a device") << Ground::LinkToDevice;
    QTest::newRow("FIFO") << Ground::Fifo;
    QTest::newRow("sparse 1 GiB file") << Ground::Oversized;
    QTest::newRow("file of another user") << Ground::OtherOwner;
}

void TestHostileFiles::preferencesAreReadAndSavedSafely()
{
    QFETCH(Ground, ground);
    if (ground != Ground::EarlierFile && ground != Ground::Fifo && ground != Ground::Oversized &&
        !isRoot())
        QSKIP("devices and other users' files need root");
    QVERIFY(QDir().mkpath(preferencesFolder()));
    const QByteArray path = QFile::encodeName(preferencesPath());
    const QByteArray earlier = "[General]\nother=1\n\n[view]\nshowReading=true\n";
    const QString device = m_config.filePath(QStringLiteral("null"));
    switch (ground) {
    case Ground::LinkToDevice:
        QCOMPARE(mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
        QCOMPARE(symlink(QFile::encodeName(device).constData(), path.constData()), 0);
        break;
    case Ground::Fifo:
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
        break;
    case Ground::Oversized:
        writeBytes(preferencesPath(), earlier);
        QCOMPARE(truncate(path.constData(), qint64(1) << 30), 0);
        break;
    case Ground::OtherOwner:
        writeBytes(preferencesPath(), earlier);
        QCOMPARE(chmod(path.constData(), 0640), 0);
        QCOMPARE(chown(path.constData(), nobody(), nobody()), 0);
        break;
    default:
        writeBytes(preferencesPath(), earlier);
    }

    // A FIFO would hold the window back for good: the test ends rather than waits.
    alarm(60);
    NamingWindow window;
    alarm(0);
    auto* showReading = window.find<QAction>("showReadingAction");
    const bool read = ground == Ground::EarlierFile || ground == Ground::OtherOwner;
    QCOMPARE(showReading->isChecked(), read);
    showReading->trigger();

    const struct stat status = statusOf(preferencesPath());
    switch (ground) {
    case Ground::LinkToDevice:
        QVERIFY(S_ISLNK(status.st_mode));
        QVERIFY(S_ISCHR(statusOf(device).st_mode));
        break;
    case Ground::Fifo:
        QVERIFY(S_ISFIFO(status.st_mode));
        break;
    case Ground::Oversized:
        // Damaged and not read, so rewritten whole by the next save.
        QCOMPARE(bytesOf(preferencesPath()), QByteArray("[view]\nshowReading=true\n"));
        break;
    case Ground::OtherOwner:
        QCOMPARE(status.st_uid, nobody());
        QCOMPARE(status.st_mode & 07777, 0640u);
        [[fallthrough]];
    default:
        // The other keys stay as they were.
        QCOMPARE(bytesOf(preferencesPath()),
                 QByteArray("[General]\nother=1\n\n[view]\nshowReading=false\n"));
    }
    QCOMPARE(QDir(preferencesFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
             1);
}

void TestHostileFiles::exportsKeepTheFileTheyReplaceSafe_data()
{
    QTest::addColumn<Ground>("ground");
    QTest::addColumn<QString>("reason");
    const QString link = QStringLiteral("符号链接");
    QTest::newRow("link of another user in a sticky folder") << Ground::PlantedLink << link;
    QTest::newRow("dangling link of another user") << Ground::DanglingPlantedLink << link;
    QTest::newRow("read-only file") << Ground::ReadOnly << QStringLiteral("只读");
    QTest::newRow("file of another user") << Ground::OtherOwner << QString();
}

void TestHostileFiles::exportsKeepTheFileTheyReplaceSafe()
{
    QFETCH(Ground, ground);
    QFETCH(QString, reason);
    if (!isRoot())
        QSKIP("other users' links and files, and read-only files that still open, need root");
    NamingWindow window;
    window.type(QStringLiteral("王"), QStringLiteral("美丽"));
    window.start();
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("names.txt"));
    const QByteArray old = "old names\n";
    if (ground == Ground::PlantedLink || ground == Ground::DanglingPlantedLink) {
        path = folder.filePath(QStringLiteral("shared/names.txt"));
        plantLink(folder.path(), path, ground == Ground::DanglingPlantedLink);
    } else {
        writeBytes(path, old);
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(chmod(name.constData(), ground == Ground::ReadOnly ? 0444 : 0640), 0);
        if (ground == Ground::OtherOwner)
            QCOMPARE(chown(name.constData(), nobody(), nobody()), 0);
    }

    ModalAnswer answer;
    if (!reason.isEmpty())
        answerNextModal(&answer);
    const bool written = NameExport::writeShowingProgress(
        &window.dialog(), *static_cast<const NameListModel*>(window.allNames()->model()), path);
    QCOMPARE(written, reason.isEmpty());
    const QString victim = folder.filePath(QStringLiteral("victim"));
    switch (ground) {
    case Ground::PlantedLink:
    case Ground::DanglingPlantedLink:
        QCOMPARE(answer.objectName, QStringLiteral("exportFailedNotice"));
        QVERIFY2(answer.text.contains(reason), qPrintable(answer.text));
        QCOMPARE(bytesOf(victim), ground == Ground::PlantedLink ? "victim\n" : QByteArray());
        QCOMPARE(QFileInfo::exists(victim), ground == Ground::PlantedLink);
        break;
    case Ground::ReadOnly:
        QVERIFY2(answer.text.contains(reason), qPrintable(answer.text));
        QCOMPARE(bytesOf(path), old);
        QCOMPARE(statusOf(path).st_mode & 07777, 0444u);
        break;
    default:
        QVERIFY(bytesOf(path).startsWith("王美美\n"));
        QCOMPARE(statusOf(path).st_mode & 07777, 0640u);
        QCOMPARE(statusOf(path).st_uid, nobody());
        QCOMPARE(statusOf(path).st_gid, nobody());
    }
}

void TestHostileFiles::aNameWithoutSuffixIsAskedAboutBeforeItsFileIsReplaced_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("action");
    QTest::newRow("a page of names")
        << QStringLiteral("list1057") << QStringLiteral("exportAction");
    QTest::newRow("the favourites")
        << QStringLiteral("favouritesList") << QStringLiteral("exportAction");
}

void TestHostileFiles::aNameWithoutSuffixIsAskedAboutBeforeItsFileIsReplaced()
{
    QFETCH(QString, list);
    QFETCH(QString, action);
    NamingWindow window;
    window.type(QStringLiteral("王"), QStringLiteral("美丽"));
    window.start();
    QTemporaryDir folder;
    const QString report = folder.filePath(QStringLiteral("report.txt"));
    writeBytes(report, "kept\n");

    ModalAnswer fileDialog;
    ModalAnswer question;
    answerNextModal(&fileDialog, [&](QDialog* dialog) {
        auto* ask = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(ask);
        ask->setOption(QFileDialog::DontUseNativeDialog);
        ask->setDirectory(folder.path());
        ask->selectFile(QStringLiteral("report"));
        // The replace question comes while the dialog accepts; "No" keeps the dialog open
        // for another name, and it is then cancelled.
        answerNextModal(&question, [ask](QDialog* box) {
            if (auto* message = qobject_cast<QMessageBox*>(box))
                message->button(QMessageBox::No)->click();
            QTimer::singleShot(0, ask, &QDialog::reject);
        });
    });
    window.dialog().findChild<QWidget*>(list)->findChild<QAction*>(action)->trigger();
    QVERIFY(fileDialog.seen);
    QVERIFY(question.seen);
    QVERIFY2(question.text.contains(QStringLiteral("report.txt")), qPrintable(question.text));
}

void TestHostileFiles::avoidedReadingsAreNeverCut()
{
    NamingWindow window;
    window.type(QStringLiteral("王"), QStringLiteral("美丽"));
    window.start();
    window.tabs()->setCurrentIndex(1);
    // 丽 comes after 40,000 characters that no name holds.
    const QString avoided = QString(40'000, QChar(u'丁')) + QStringLiteral("丽");
    ModalAnswer answer;
    answerNextModal(&answer, [&avoided](QDialog* dialog) {
        auto* field = dialog->findChild<QLineEdit*>();
        QVERIFY(field);
        field->clear();
        field->insert(avoided);
    });
    window.exclusions()->findChild<QAction*>(QStringLiteral("avoidReadingsAction"))->trigger();
    QVERIFY(answer.seen);
    window.tabs()->setCurrentIndex(2);
    QCOMPARE(rowsOf(window.goodNames()), QStringList{QStringLiteral("王美美")});
}

// The copy composes its text behind a progress dialog whose cancel stops it before the
// clipboard changes; a million rows report often enough to keep the window answering.
void TestHostileFiles::copyingAMillionRowsShowsProgressAndCanBeCancelled()
{
    NamingWindow window;
    window.type(QStringLiteral("王"), ideographs(1000));
    window.start();
    UniformListView* list = window.allNames();
    list->selectAll();
    const auto& model = *static_cast<const NameListModel*>(list->model());
    const QItemSelection selection = list->selectionModel()->selection();
    int reports = 0;
    QVERIFY(!ResultPage::namesOf(model, selection, [&reports](double) { return ++reports < 3; }));
    QCOMPARE(reports, 3);
    reports = 0;
    const auto names = ResultPage::namesOf(model, selection, [&reports](double) {
        ++reports;
        return true;
    });
    QVERIFY(names && names->size() == 4'000'000);
    QVERIFY(reports >= 30);

    // Through Ctrl+C the clipboard gets the same text.
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), *names);
}

QTEST_MAIN(TestHostileFiles)
#include "test_hostile_files.moc"
