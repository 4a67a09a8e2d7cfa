#pragma once

#include <QLabel>

class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QTimer;

// A short message that says what an action did without taking the focus or waiting for an
// answer: it shows for a few seconds, then fades away. Screen readers (AT-SPI) are told it as a
// notification each time it shows.
class PassingNote final : public QLabel {
    Q_OBJECT

public:
    explicit PassingNote(QWidget* parent = nullptr);

    // Shows `text` from now on, for the whole time again.
    void pass(const QString& text);

private:
    QTimer* m_shown;
    QGraphicsOpacityEffect* m_opacity;
    QPropertyAnimation* m_fading;
};
