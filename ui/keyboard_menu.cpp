#include "ui/keyboard_menu.h"

#include "ui/uniform_list_view.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QShortcut>

namespace {

// The list or table that holds `widget` (a view's viewport has the focus at times), or null.
QAbstractItemView* enclosingView(QWidget* widget, const QWidget* window)
{
    for (; widget && widget != window; widget = widget->parentWidget()) {
        if (auto* view = qobject_cast<QAbstractItemView*>(widget))
            return view;
    }
    return nullptr;
}

// Where a view's keyboard menu opens: at its current item, else at its top left.
QPoint keyboardMenuPosition(const QAbstractItemView* view)
{
    if (const auto* list = qobject_cast<const UniformListView*>(view))
        return list->keyboardMenuPosition();
    const QRect shown = view->viewport()->rect();
    const QRect item = view->visualRect(view->currentIndex()).intersected(shown);
    return view->viewport()->mapTo(view, item.isValid() ? item.center() : shown.topLeft());
}

void openKeyboardMenu(QWidget* window)
{
    QWidget* focus = window->focusWidget();
    QWidget* target = window;
    QPoint position = window->rect().center();
    if (QAbstractItemView* view = enclosingView(focus, window)) {
        target = view;
        position = keyboardMenuPosition(view);
    } else if (focus) {
        position = focus->mapTo(window, focus->rect().center());
    }
    // Posted, so that the menu's own event loop does not run inside the shortcut's delivery.
    QCoreApplication::postEvent(target, new QContextMenuEvent(QContextMenuEvent::Keyboard, position,
                                                              target->mapToGlobal(position)));
}

} // namespace

void openMenusWithShiftF10(QWidget* window)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
    shortcut->setObjectName(QStringLiteral("keyboardMenuShortcut"));
    QObject::connect(shortcut, &QShortcut::activated, window,
                     [window] { openKeyboardMenu(window); });
}
