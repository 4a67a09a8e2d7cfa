#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

// Closes, and fails the running test for, a modal dialog or popup menu that nothing has
// answered within `patience` milliseconds, and at the end of each test every dialog it left
// open, so that a test whose box never gets its answer fails at once rather than wait until
// ctest gives up on the whole suite.
class LeftOpenDialogs final : public QObject {
public:
    explicit LeftOpenDialogs(int patience = 30'000)
        : m_patience(patience)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { closeUnanswered(); });
        m_timer.start(200);
    }

    // Closes what the test left open; call it from the test's cleanup().
    void closeAll()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() &&
                (qobject_cast<QDialog*>(widget) || qobject_cast<QMenu*>(widget)))
                widget->close();
        }
        m_open = nullptr;
    }

private:
    void closeUnanswered()
    {
        QWidget* open = QApplication::activePopupWidget();
        if (!open)
            open = QApplication::activeModalWidget();
        if (open != m_open) {
            m_open = open;
            m_since.start();
            return;
        }
        if (!open || m_since.elapsed() < m_patience)
            return;
        const QByteArray what = "nothing answered " + open->objectName().toUtf8();
        m_open = nullptr;
        open->close();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
    }

    int m_patience;
    QTimer m_timer;
    QPointer<QWidget> m_open;
    QElapsedTimer m_since;
};
