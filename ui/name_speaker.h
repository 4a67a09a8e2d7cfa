#pragma once

#include <QObject>
#include <QString>
#include <string>

class QProcess;

// Reads names aloud with espeak-ng (see spokenPinyin), each request in a process of its own, so
// the window never waits for it; a new request stops the one still speaking. Whether espeak-ng
// and its pinyin voice are there is asked of espeak-ng once, in the background; until it has
// answered, reading is offered.
class NameSpeaker final : public QObject {
    Q_OBJECT

public:
    // `program` is espeak-ng, or a program that takes its arguments.
    explicit NameSpeaker(const QString& program, QObject* parent = nullptr);
    // Stops what is still being read.
    ~NameSpeaker() override;

    // The one speaker of the program, owned by the application object.
    static NameSpeaker& shared();

    // Empty while names can be read aloud (or that is not known yet), else what to install.
    QString unavailableReason() const { return m_unavailable; }
    // Keeps `control` (an action or a button) enabled only while names can be read, with a
    // tooltip that says what to install when they cannot.
    template <typename Control>
    void follow(Control* control)
    {
        const auto update = [this, control] {
            control->setEnabled(m_unavailable.isEmpty());
            control->setToolTip(m_unavailable);
        };
        update();
        connect(this, &NameSpeaker::availabilityChanged, control, update);
    }

    // Reads `pinyin` (tone-number pinyin) aloud, stopping what is still being read; nothing
    // happens for an empty text or while names cannot be read.
    void speak(const std::string& pinyin);

signals:
    void availabilityChanged();
    // espeak-ng has started for the latest request.
    void speaking();

private:
    void askForVoice();
    void setUnavailable(const QString& reason);

    QString m_program; // empty when not found
    QString m_unavailable;
    QProcess* m_speech = nullptr; // the latest request's process
};
