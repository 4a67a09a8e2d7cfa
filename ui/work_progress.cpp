#include "ui/work_progress.h"

#include "res/list_menu_texts.h"
#include "ui/resource_text.h"

namespace {

constexpr int kSteps = 1000;
constexpr int kShowAfterMilliseconds = 500;

} // namespace

WorkProgress::WorkProgress(QWidget* parent, const QString& label, const QString& objectName)
    : m_dialog(label, resourceText(res::cancelButton), 0, kSteps, parent)
{
    m_dialog.setObjectName(objectName);
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(kShowAfterMilliseconds);
}

Progress WorkProgress::report(double from, double to)
{
    return [this, from, to](double done) {
        m_dialog.setValue(static_cast<int>((from + done * (to - from)) * kSteps));
        return !m_dialog.wasCanceled();
    };
}

bool WorkProgress::finish()
{
    const bool cancelled = m_dialog.wasCanceled();
    m_dialog.reset();
    return cancelled;
}
