#pragma once

#include <QApplication>
#include <QDialog>
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
