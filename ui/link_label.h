#pragma once

#include <QLabel>

// A label drawn as a link: blue, underlined, semi-bold, with the hand cursor over it.
// A click anywhere on it emits clicked().
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
