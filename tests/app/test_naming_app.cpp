// Runs the application object itself, so this test has its own main().
#include "app/naming_app.h"
#include "tests/support/marker_holder.h"
#include "tests/support/modal_answer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
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
    QString okText;
    answerNextModal(&warning, [&okText](QDialog* dialog) {
        okText = static_cast<QMessageBox*>(dialog)->button(QMessageBox::Ok)->text();
    });
    app.initInstance();
    check(warning.seen, "the second copy shows a message");
    check(warning.text == QStringLiteral("程序正在运行中!"), "the message says the program runs");
    check(warning.icon == QMessageBox::Warning, "with the warning icon");
    check(warning.buttons == QMessageBox::Ok, "and an OK button only");
    check(okText == QStringLiteral("确定"), "which reads 确定 in Qt's Chinese texts");
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

// Runs `act` once the modal dialog named `name` is on top.
void whenOnTop(const QString& name, const std::function<void(QDialog*)>& act, int attempts = 500)
{
    QTimer::singleShot(10, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible() && dialog->objectName() == name)
            act(dialog);
        else if (attempts > 1)
            whenOnTop(name, act, attempts - 1);
    });
}

// SIGTERM arrives while a notice is open over the window: both close and the inputs are kept.
void terminationClosesTheWindowAndKeepsTheInputs(CNamingApp& app, const QString& configHome)
{
    bool noticeSeen = false;
    whenOnTop(QStringLiteral("namingDialog"), [&noticeSeen](QDialog* window) {
        window->findChild<QLineEdit*>(QStringLiteral("surnameEdit"))->setText(QStringLiteral("王"));
        window->findChild<QLineEdit*>(QStringLiteral("candidatesEdit"))->clear();
        whenOnTop(QStringLiteral("emptyInputNotice"), [&noticeSeen](QDialog*) {
            noticeSeen = true;
            raise(SIGTERM);
        });
        window->findChild<QPushButton*>(QStringLiteral("startButton"))->click();
    });
    app.initInstance();
    check(noticeSeen, "SIGTERM came while the notice was open");
    QFile saved(configHome + QStringLiteral("/corvale/name.xml"));
    check(saved.open(QIODevice::ReadOnly) && saved.readAll().contains("<firstname>\xCD\xF5<"),
          "the window closed and kept the surname in the XDG config folder");
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
    // The test binary has no config/ beside it: settings go here, not to the real home.
    QTemporaryDir configHome;
    setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);
    CNamingApp app(argc, argv);
    aSecondCopyWarnsAndEnds(app);
    theFirstCopyRunsTheMainWindow(app);
    terminationClosesTheWindowAndKeepsTheInputs(app, configHome.path());
    aStartRemovesStaleTemporaryFiles(app);
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
