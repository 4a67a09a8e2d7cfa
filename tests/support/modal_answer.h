#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
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

inline void answerNextModal(ModalAnswer* answer, std::function<void(QDialog*)> inspect = {},
                            int attemptsLeft = 500)
{
    QTimer::singleShot(attemptsLeft == 500 ? 0 : 10, [answer, inspect, attemptsLeft] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (attemptsLeft > 0)
                answerNextModal(answer, inspect, attemptsLeft - 1);
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
