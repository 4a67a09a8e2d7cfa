#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM (sent when the session ends or by `kill`) into a signal in the event loop, so
// the program can close its window as if the user had, keeping the inputs.
class TerminationRequest final : public QObject {
    Q_OBJECT

public:
    explicit TerminationRequest(QObject* parent = nullptr);
    ~TerminationRequest() override;

signals:
    void requested();

private:
    void onNotified();

    QSocketNotifier* m_notifier = nullptr;
};
