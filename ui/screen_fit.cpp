#include "ui/screen_fit.h"

#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>

namespace {

// The frame the window manager will add. It is known only once the window is shown, so the
// style's title bar and frame widths stand in for it.
QMargins expectedFrame(const QWidget* window)
{
    const QStyle* style = window->style();
    const int side = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return {side, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window), side, side};
}

} // namespace

void fitIntoScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = expectedFrame(window);
    const QSize room = area.size().shrunkBy(frame);
    const QSize full = window->size();
    if (full.width() <= room.width() && full.height() <= room.height())
        return;

    auto* scrollArea = new QScrollArea(window);
    scrollArea->setObjectName(QStringLiteral("contentScrollArea"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("scrolledContent"));
    content->setFixedSize(full);
    scrollArea->setWidget(content);
    // Children keep their geometry, now relative to the content, and their order, which is
    // also the tab order.
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != scrollArea && !child->isWindow())
            child->setParent(content);
    }

    const QSize fitted = full.boundedTo(room);
    window->setFixedSize(fitted);
    scrollArea->setGeometry(window->rect());
    // A window's position is that of its frame.
    const QSize outer = fitted.grownBy(frame);
    window->move(area.left() + (area.width() - outer.width()) / 2,
                 area.top() + (area.height() - outer.height()) / 2);
}
