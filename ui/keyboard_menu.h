#pragma once

class QWidget;

// Makes Shift+F10 open a context menu, as the Menu key does: while a list or table of `window`
// has the focus, its menu at its current row; anywhere else in `window`, the window's own
// menu. X11 turns only the Menu key into a context-menu event, so the key is a shortcut of the
// window that sends the same keyboard-reason event.
void openMenusWithShiftF10(QWidget* window);
