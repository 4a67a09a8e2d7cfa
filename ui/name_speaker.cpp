#include "ui/name_speaker.h"

#include "card/spoken_pinyin.h"
#include "res/card_texts.h"
#include "ui/resource_text.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

NameSpeaker::NameSpeaker(const QString& program, QObject* parent)
    : QObject(parent)
    , m_program(QStandardPaths::findExecutable(program))
{
    if (m_program.isEmpty())
        m_unavailable = resourceText(res::noSpeechProgram);
    else
        askForVoice();
}

NameSpeaker::~NameSpeaker()
{
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->kill();
        process->waitForFinished(1000);
    }
}

NameSpeaker& NameSpeaker::shared()
{
    static QPointer<NameSpeaker> speaker;
    if (!speaker)
        speaker = new NameSpeaker(resourceText(speechProgram), QCoreApplication::instance());
    return *speaker;
}

void NameSpeaker::setUnavailable(const QString& reason)
{
    if (reason == m_unavailable)
        return;
    m_unavailable = reason;
    emit availabilityChanged();
}

// espeak-ng --voices=cmn lists the Mandarin voices, one a line, the voice's name in a column.
void NameSpeaker::askForVoice()
{
    auto* voices = new QProcess(this);
    voices->setStandardErrorFile(QProcess::nullDevice());
    connect(voices, &QProcess::errorOccurred, this, [this, voices](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        setUnavailable(resourceText(res::noSpeechProgram));
        voices->deleteLater();
    });
    connect(voices, &QProcess::finished, this, [this, voices] {
        const QStringList words = QString::fromUtf8(voices->readAllStandardOutput())
                                      .split(QRegularExpression(QStringLiteral("\\s+")));
        if (!words.contains(resourceText(speechVoice), Qt::CaseInsensitive))
            setUnavailable(resourceText(res::noSpeechVoice));
        voices->deleteLater();
    });
    voices->start(m_program, {QStringLiteral("--voices=cmn")});
}

void NameSpeaker::speak(const std::string& pinyin)
{
    if (pinyin.empty() || !m_unavailable.isEmpty())
        return;
    if (m_speech)
        m_speech->kill(); // deleted once it has ended
    QStringList arguments;
    for (const std::string& argument : speechArguments(pinyin))
        arguments << QString::fromStdString(argument);
    auto* speech = new QProcess(this);
    m_speech = speech;
    speech->setStandardOutputFile(QProcess::nullDevice());
    speech->setStandardErrorFile(QProcess::nullDevice());
    connect(speech, &QProcess::started, this, [this, speech] {
        if (speech == m_speech)
            emit speaking();
    });
    const auto ended = [this, speech] {
        if (speech == m_speech)
            m_speech = nullptr;
        speech->deleteLater();
    };
    connect(speech, &QProcess::finished, this, ended);
    connect(speech, &QProcess::errorOccurred, this, [this, ended](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        ended();
        setUnavailable(resourceText(res::noSpeechProgram));
    });
    speech->start(m_program, arguments);
}
