#include "ui/passing_note.h"

#include <QAccessibleWidget>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>

namespace {

constexpr int shownMilliseconds = 4000;
constexpr int fadingMilliseconds = 800;

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("PassingNote") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

PassingNote::PassingNote(QWidget* parent)
    : QLabel(parent)
    , m_shown(new QTimer(this))
    , m_opacity(new QGraphicsOpacityEffect(this))
    , m_fading(new QPropertyAnimation(m_opacity, "opacity", this))
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("passingNote"));
    setFocusPolicy(Qt::NoFocus);
    setGraphicsEffect(m_opacity);
    m_shown->setSingleShot(true);
    m_shown->setInterval(shownMilliseconds);
    m_fading->setDuration(fadingMilliseconds);
    m_fading->setStartValue(1.0);
    m_fading->setEndValue(0.0);
    connect(m_shown, &QTimer::timeout, this, [this] { m_fading->start(); });
    connect(m_fading, &QPropertyAnimation::finished, this, &QWidget::hide);
    hide();
}

void PassingNote::pass(const QString& text)
{
    m_fading->stop();
    m_opacity->setOpacity(1.0);
    // Hidden and shown again, so that a screen reader hears a repeated message too.
    hide();
    setText(text);
    setAccessibleName(text);
    show();
    m_shown->start();
}
