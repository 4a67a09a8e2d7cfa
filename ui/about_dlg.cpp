#include "ui/about_dlg.h"

#include "ui/program_icon.h"
#include "ui/template_controls.h"

#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowIcon(programIcon());
    createControls(res::aboutDialog, this);
    auto* ok = findChild<QPushButton*>(QStringLiteral("okButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}
