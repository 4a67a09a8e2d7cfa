#include "about_dlg.h"

#include "resource_text.h"
#include "string_table.h"
#include "template_controls.h"

#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowIcon(QIcon(resourceText(res::programIcon)));
    createControls(res::aboutDialog, this);
    auto* ok = findChild<QPushButton*>(QStringLiteral("okButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}
