#include "ui/keyboard_menu.h"

#include "ui/uniform_list_view.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QShortcut>

namespace {

// The list that holds `widget` (a list's viewport has the focus at times), or null.
UniformListView* enclosingList(QWidget* widget, const QWidget* window)
{
    for (; widget && widget != window; widget = widget->parentWidget()) {
        if (auto* list = qobject_cast<UniformListView*>(widget))
            return list;
    }
    return nullptr;
}

void openKeyboardMenu(QWidget* window)
{
    QWidget* focus = window->focusWidget();
    QWidget* target = window;
    QPoint position = window->rect().center();
    if (UniformListView* list = enclosingList(focus, window)) {
        target = list;
        position = list->keyboardMenuPosition();
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
