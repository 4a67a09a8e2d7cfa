// Runs the application object itself, so this test has its own main().
#include "../support/marker_holder.h"
#include "../support/modal_answer.h"
#include "naming_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int failures = 0;

void check(bool condition, const char* what)
{
    std::printf("%s: %s\n", condition ? "PASS" : "FAIL", what);
    failures += condition ? 0 : 1;
}

void aSecondCopyWarnsAndEnds(CNamingApp& app)
{
    const pid_t first = startMarkerHolder("IDD_CORVALE_DIALOG").pid;
    ModalAnswer warning;
    answerNextModal(&warning);
    app.initInstance();
    check(warning.seen, "the second copy shows a message");
    check(warning.text == QStringLiteral("程序正在运行中!"), "the message says the program runs");
    check(warning.icon == QMessageBox::Warning, "with the warning icon");
    check(warning.buttons == QMessageBox::Ok, "and an OK button only");
    check(warning.title == QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
          "titled with the executable's name");
    check(warning.objectName == QStringLiteral("alreadyRunningMessage"),
          "and no main window is opened");
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
}

void theFirstCopyRunsTheMainWindow(CNamingApp& app)
{
    ModalAnswer window;
    answerNextModal(&window, [](QDialog* dialog) { dialog->close(); });
    app.initInstance();
    check(window.objectName == QStringLiteral("namingDialog"), "the main window runs modally");
}

// Saves killed before their rename left temporary files beside name.xml; the next start
// removes them (regular files of this user only) and leaves everything else alone.
void aStartRemovesStaleTemporaryFiles(CNamingApp& app)
{
    QDir config(QCoreApplication::applicationDirPath() + QStringLiteral("/config"));
    config.removeRecursively();
    config.mkpath(QStringLiteral(".name.xml.Dir123"));
    const auto path = [&](const char* name) {
        return config.filePath(QString::fromLatin1(name)).toLocal8Bit();
    };
    for (const char* name :
         {".name.xml.Ab12Cd", ".name.xml.zz9900", ".name.xml.AB-123", ".name.xml.ABC12",
          ".name.xml.ABC1234", ".other.xml.ABC123", ".name.xml.Other1"})
        QFile(path(name)).open(QIODevice::WriteOnly);
    mkfifo(path(".name.xml.Pipe12"), 0600);
    (void)!symlink(path(".other.xml.ABC123"), path(".name.xml.Lnk123"));
    // Another user's save may be under way in a shared folder.
    const bool root = geteuid() == 0 && chown(path(".name.xml.Other1"), 12345, 12345) == 0;
    QSet<QString> kept = {".name.xml.AB-123",  ".name.xml.ABC12",  ".name.xml.ABC1234",
                          ".name.xml.Dir123",  ".name.xml.Lnk123", ".name.xml.Pipe12",
                          ".other.xml.ABC123", "name.xml"};
    if (root)
        kept.insert(QStringLiteral(".name.xml.Other1"));

    ModalAnswer window;
    answerNextModal(&window, [](QDialog* dialog) { dialog->close(); });
    app.initInstance();
    const QStringList left =
        config.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    check(QSet<QString>(left.begin(), left.end()) == kept,
          "a start removes its own stale temporary files only");
    config.removeRecursively();
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
    CNamingApp app(argc, argv);
    aSecondCopyWarnsAndEnds(app);
    theFirstCopyRunsTheMainWindow(app);
    aStartRemovesStaleTemporaryFiles(app);
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
