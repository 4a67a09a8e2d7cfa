// Runs the application object itself, so this test makes it in a main() of its own.
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
#include <QTest>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Start-up: the single copy, the main window's run, SIGTERM and the stale temporary files.
class TestNamingApp final : public QObject {
    Q_OBJECT

public:
    TestNamingApp(CNamingApp& app, QString configHome)
        : m_app(app)
        , m_configHome(std::move(configHome))
    {
    }

private slots:
    void aSecondCopyWarnsAndEnds();
    void theFirstCopyRunsTheMainWindow();
    void terminationClosesTheWindowAndKeepsTheInputs();
    void aStartRemovesStaleTemporaryFiles();

private:
    CNamingApp& m_app;
    QString m_configHome;
};

namespace {

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

} // namespace

void TestNamingApp::aSecondCopyWarnsAndEnds()
{
    const pid_t first = startMarkerHolder("IDD_CORVALE_DIALOG").pid;
    ModalAnswer warning;
    QString okText;
    answerNextModal(&warning, [&okText](QDialog* dialog) {
        okText = static_cast<QMessageBox*>(dialog)->button(QMessageBox::Ok)->text();
    });
    m_app.initInstance();
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    QVERIFY(warning.seen);
    QCOMPARE(warning.text, QStringLiteral("程序正在运行中!"));
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QCOMPARE(warning.buttons, QMessageBox::Ok);
    // Qt's Chinese texts.
    QCOMPARE(okText, QStringLiteral("确定"));
    // The executable's name.
    QCOMPARE(warning.title, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    // No main window is opened.
    QCOMPARE(warning.objectName, QStringLiteral("alreadyRunningMessage"));
}

void TestNamingApp::theFirstCopyRunsTheMainWindow()
{
    ModalAnswer window;
    answerNextModal(&window, [](QDialog* dialog) { dialog->close(); });
    m_app.initInstance();
    QCOMPARE(window.objectName, QStringLiteral("namingDialog"));
}

// SIGTERM arrives while a notice is open over the window: both close and the inputs are kept.
void TestNamingApp::terminationClosesTheWindowAndKeepsTheInputs()
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
    m_app.initInstance();
    QVERIFY(noticeSeen);
    // The window closed and kept the surname in the XDG config folder.
    QFile saved(m_configHome + QStringLiteral("/corvale/name.xml"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("<firstname>\xCD\xF5<"));
}

// Saves killed before their rename left temporary files beside name.xml, favourites.csv and
// ticks.bin; the next start removes them (regular files of this user only) and leaves
// everything else alone.
void TestNamingApp::aStartRemovesStaleTemporaryFiles()
{
    QDir config(QCoreApplication::applicationDirPath() + QStringLiteral("/config"));
    config.removeRecursively();
    config.mkpath(QStringLiteral(".name.xml.Dir123"));
    const auto path = [&](const char* name) {
        return config.filePath(QString::fromLatin1(name)).toLocal8Bit();
    };
    for (const char* name : {".name.xml.Ab12Cd", ".name.xml.zz9900", ".name.xml.AB-123",
                             ".name.xml.ABC12", ".name.xml.ABC1234", ".other.xml.ABC123",
                             ".name.xml.Other1", ".favourites.csv.Fa12Cd", ".ticks.bin.Tk3456"})
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
    m_app.initInstance();
    const QStringList left =
        config.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    config.removeRecursively();
    QCOMPARE(QSet<QString>(left.begin(), left.end()), kept);
}

int main(int argc, char* argv[])
{
    QTemporaryDir runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
    // The test binary has no config/ beside it: settings go here, not to the real home.
    QTemporaryDir configHome;
    setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);
    CNamingApp app(argc, argv);
    TestNamingApp test(app, configHome.path());
    return QTest::qExec(&test, argc, argv);
}

#include "test_naming_app.moc"
