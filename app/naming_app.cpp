#include "app/naming_app.h"

#include "app/instance_guard.h"
#include "app/termination_request.h"
#include "res/string_table.h"
#include "ui/naming_dlg.h"
#include "ui/program_icon.h"
#include "ui/resource_text.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>

CNamingApp::CNamingApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setDesktopFileName(QStringLiteral("corvale"));
    setWindowIcon(programIcon());
    // Whatever the locale; without the translation file Qt's texts stay English.
    if (m_qtTexts.load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTexts);
}

void CNamingApp::initInstance()
{
    const InstanceGuard guard(res::instanceMarkerName);
    if (guard.anotherCopyRuns()) {
        // The title is the application name, which is the executable's file name.
        QMessageBox message(QMessageBox::Warning, applicationName(),
                            resourceText(res::alreadyRunningMessage), QMessageBox::Ok);
        message.setObjectName(QStringLiteral("alreadyRunningMessage"));
        message.exec();
        return;
    }
    // Holding the guard, no other copy of this user can be saving: what is left was killed.
    SessionFiles files = SessionFiles::ofProgram();
    files.removeStaleTemporaryFiles();
    CNamingDlg dialog(std::move(files));
    const TerminationRequest termination;
    connect(&termination, &TerminationRequest::requested, &dialog,
            [&dialog] { closeWhenOnTop(&dialog); });
    dialog.exec();
}

// Boxes open over the window are closed first, and the window only once their event loops have
// returned, so that no code runs on after the window has torn its pages down.
void CNamingApp::closeWhenOnTop(QWidget* window)
{
    QWidget* top = activeModalWidget();
    if (!top || top == window) {
        window->close();
        return;
    }
    top->close();
    QTimer::singleShot(10, window, [window] { closeWhenOnTop(window); });
}
