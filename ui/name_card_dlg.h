#pragma once

#include "card/card_text.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLayout;
class QPrinter;
class QPushButton;

// 名字卡片: one name of a list, large in a Kai face with its readings above its characters, in
// the three faces it will be written, printed and seen in, and with its strokes, 平仄, 谐音,
// source and status. It reads the name aloud, saves the card as an image, prints it, and moves
// to the previous or next name of the list with Left/Right or PageUp/PageDown.
class CNameCardDlg final : public QDialog {
    Q_OBJECT

public:
    // The narrowest image the card is saved as.
    static constexpr int minImageWidth = 1200;

    // The card of row `row` of a list of `count` names whose card texts `cardOf` gives.
    CNameCardDlg(int count, std::function<CardText(int row)> cardOf, int row,
                 QWidget* parent = nullptr);

    int row() const { return m_row; }
    const CardText& text() const { return m_text; }
    // Shows the name of row `row` when the list has one.
    void showRow(int row);

    // The card, drawn at twice the screen's scale or wider, to be at least minImageWidth wide.
    QImage image() const;
    // Puts image() as a PNG in place of the file at `path`, as exports are written; an empty
    // string on success, else why it failed.
    QString writeImage(const QString& path) const;
    // Draws the card as large as the page of `printer` takes it.
    void print(QPrinter& printer) const;

private:
    struct Fact {
        QLabel* heading;
        QLabel* value;
    };

    void createCard();
    QLayout* createButtons();
    Fact addFact(QGridLayout* facts, std::string_view heading, const char* objectName);
    void showFact(const Fact& fact, const std::string& value, bool hiddenWhenEmpty = false);
    void showRuby();
    void showFaces();
    void saveImage();
    void askToPrint();
    // Lays the card out for its name, shown or not, so that it can be drawn.
    void layOut() const;

    int m_count;
    std::function<CardText(int row)> m_cardOf;
    int m_row = 0;
    CardText m_text;

    QWidget* m_card;
    QHBoxLayout* m_ruby;
    std::vector<QLabel*> m_rubyLabels; // one per character, more kept hidden
    std::vector<QLabel*> m_faceNames;  // per face of cardFaces()
    QLabel* m_missingGlyphs;
    Fact m_strokes;
    Fact m_levels;
    Fact m_homophones;
    Fact m_source;
    Fact m_meanings;
    Fact m_standard;
    QLabel* m_footer;
    QPushButton* m_speakButton;
};
