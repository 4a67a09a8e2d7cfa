#include "naming_app.h"

#include "instance_guard.h"
#include "naming_dlg.h"
#include "program_icon.h"
#include "resource_text.h"
#include "string_table.h"

#include <QMessageBox>

CNamingApp::CNamingApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setDesktopFileName(QStringLiteral("corvale"));
    setWindowIcon(programIcon());
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
    SettingsFile().removeStaleTemporaryFiles(std::string(res::settingsFileName));
    CNamingDlg dialog;
    dialog.exec();
}
