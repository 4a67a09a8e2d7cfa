#pragma once

#include "naming/progress.h"

#include <QProgressDialog>

// The progress of long work on a list: a window-modal dialog with a cancel button that shows
// once the work has taken half a second.
class WorkProgress final {
public:
    WorkProgress(QWidget* parent, const QString& label, const QString& objectName);

    // Moves the dialog on and tells the work whether to go on; a piece of the work that takes
    // the share [from, to] of the bar reports its own share done.
    Progress report(double from = 0, double to = 1);
    // Closes the dialog; true when the user cancelled the work.
    bool finish();

private:
    QProgressDialog m_dialog;
};
