#include "naming_app.h"

#include "instance_guard.h"
#include "naming_dlg.h"
#include "program_icon.h"
#include "resource_text.h"
#include "string_table.h"

#include <QLibraryInfo>
#include <QMessageBox>

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
    CNamingDlg dialog;
    dialog.exec();
}
