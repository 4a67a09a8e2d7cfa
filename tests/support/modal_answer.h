#pragma once

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <functional>

// Answers the next modal dialog from inside its own event loop: waits until it is the active
// modal widget, hands it to `inspect`, then closes it with `result`.
struct ModalAnswer {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool seen = false;
};

// `attempts` looks for the dialog that many times, 10 ms apart; 1 answers only a dialog that
// is open when the event loop next runs.
inline void answerNextModal(ModalAnswer* answer, std::function<void(QDialog*)> inspect = {},
                            int attempts = 500, int delay = 0)
{
    QTimer::singleShot(delay, [answer, inspect, attempts] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (attempts > 1)
                answerNextModal(answer, inspect, attempts - 1, 10);
            return;
        }
        answer->seen = true;
        answer->objectName = dialog->objectName();
        answer->title = dialog->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            answer->text = box->text();
            answer->icon = box->icon();
            answer->buttons = box->standardButtons();
        }
        if (inspect)
            inspect(dialog);
        dialog->accept();
    });
}

// What the next popup menu showed: its items ("-" for a separator) and its top-left corner.
struct MenuAnswer {
    QStringList items;
    QPoint position;
    bool seen = false;
};

// Closes the next popup menu from inside its own event loop, as answerNextModal() does dialogs.
inline void answerNextMenu(MenuAnswer* answer, int attempts = 500, int delay = 0)
{
    QTimer::singleShot(delay, [answer, attempts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) {
            if (attempts > 1)
                answerNextMenu(answer, attempts - 1, 10);
            return;
        }
        answer->seen = true;
        answer->position = menu->pos();
        for (const QAction* action : menu->actions())
            answer->items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        menu->close();
    });
}
