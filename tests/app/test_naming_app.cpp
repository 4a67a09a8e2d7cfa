// Runs the application object itself, so this test has its own main().
#include "../support/marker_holder.h"
#include "../support/modal_answer.h"
#include "naming_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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

// A save killed before its rename left a temporary file beside name.xml; the next start
// removes it and leaves the rest of the folder alone.
void aStartRemovesStaleTemporaryFiles(CNamingApp& app)
{
    QDir config(QCoreApplication::applicationDirPath() + QStringLiteral("/config"));
    config.removeRecursively();
    config.mkpath(QStringLiteral("."));
    for (const char* name : {".name.xml.Ab12Cd", "keep.txt"}) {
        QFile file(config.filePath(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
    }
    ModalAnswer window;
    answerNextModal(&window, [](QDialog* dialog) { dialog->close(); });
    app.initInstance();
    check(config.entryList(QDir::Files | QDir::Hidden, QDir::Name) ==
              QStringList{QStringLiteral("keep.txt"), QStringLiteral("name.xml")},
          "a start removes stale temporary files only");
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
