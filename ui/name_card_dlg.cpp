#include "ui/name_card_dlg.h"

#include "res/card_texts.h"
#include "ui/card_faces.h"
#include "ui/name_export.h"
#include "ui/name_speaker.h"
#include "ui/program_icon.h"
#include "ui/resource_text.h"

#include <QAction>
#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// The name large, as the card's reason to be: at least 72 pt.
constexpr int namePoints = 72;
constexpr int readingPoints = 20;
constexpr int facePoints = 30;
constexpr int smallPoints = 9;

const QColor paper(Qt::white);
const QColor ink(0x20, 0x20, 0x20);
const QColor grey(0x70, 0x70, 0x70);
const QColor warning(0xA0, 0x20, 0x10);

QString shownText(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QLabel* newLabel(QWidget* parent, const QColor& colour, int points = 0)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    if (points > 0) {
        QFont font = label->font();
        font.setPointSize(points);
        label->setFont(font);
    }
    return label;
}

void setText(QLabel* label, const QString& shown, const QString& spoken)
{
    label->setText(shown);
    label->setAccessibleName(spoken);
}

QPushButton* newButton(QWidget* parent, std::string_view label, const char* objectName)
{
    auto* button = new QPushButton(resourceText(label), parent);
    button->setObjectName(QLatin1String(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CNameCardDlg::CNameCardDlg(int count, std::function<CardText(int row)> cardOf, int row,
                           QWidget* parent)
    : QDialog(parent)
    , m_count(count)
    , m_cardOf(std::move(cardOf))
{
    setObjectName(QStringLiteral("nameCard"));
    setWindowIcon(programIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    createCard();
    layout->addWidget(m_card);
    layout->addLayout(createButtons());
    showRow(std::clamp(row, 0, std::max(count - 1, 0)));

    const auto move = [this](int by, std::initializer_list<QKeySequence> keys) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, by] { showRow(m_row + by); });
        addAction(action);
        return action;
    };
    move(-1, {Qt::Key_Left, Qt::Key_PageUp})->setObjectName(QStringLiteral("previousNameAction"));
    move(1, {Qt::Key_Right, Qt::Key_PageDown})->setObjectName(QStringLiteral("nextNameAction"));
}

// What an image or a print shows: a white card of the name, its faces and its facts.
void CNameCardDlg::createCard()
{
    m_card = new QWidget(this);
    m_card->setObjectName(QStringLiteral("card"));
    m_card->setAutoFillBackground(true);
    QPalette palette = m_card->palette();
    palette.setColor(QPalette::Window, paper);
    m_card->setPalette(palette);
    auto* layout = new QVBoxLayout(m_card);
    layout->setContentsMargins(32, 24, 32, 16);
    layout->setSpacing(14);

    m_ruby = new QHBoxLayout;
    m_ruby->setSpacing(12);
    // The pairs go between two stretches, which centre them.
    m_ruby->addStretch();
    m_ruby->addStretch();
    layout->addLayout(m_ruby);

    auto* faces = new QGridLayout;
    faces->setHorizontalSpacing(28);
    const std::array<CardFace, 3>& known = cardFaces();
    for (std::size_t i = 0; i < known.size(); ++i) {
        const QString caption = known[i].style + QStringLiteral(" · ") + known[i].family;
        QLabel* label = newLabel(m_card, grey, smallPoints);
        setText(label, caption, caption);
        QLabel* name = newLabel(m_card, ink);
        name->setObjectName(QStringLiteral("face%1").arg(i));
        name->setFont(QFont(known[i].family, facePoints));
        const auto column = static_cast<int>(i);
        faces->addWidget(label, 0, column, Qt::AlignHCenter);
        faces->addWidget(name, 1, column, Qt::AlignHCenter);
        m_faceNames.push_back(name);
    }
    layout->addLayout(faces);

    m_missingGlyphs = newLabel(m_card, warning);
    m_missingGlyphs->setObjectName(QStringLiteral("missingGlyphs"));
    m_missingGlyphs->setWordWrap(true);
    layout->addWidget(m_missingGlyphs);

    auto* facts = new QGridLayout;
    facts->setColumnStretch(1, 1);
    facts->setHorizontalSpacing(16);
    m_strokes = addFact(facts, res::strokesHeading, "strokes");
    m_levels = addFact(facts, res::levelsHeading, "levels");
    m_homophones = addFact(facts, res::homophonesHeading, "homophones");
    m_source = addFact(facts, res::sourceHeading, "source");
    m_meanings = addFact(facts, res::meaningHeading, "meanings");
    m_standard = addFact(facts, res::standardHeading, "standard");
    layout->addLayout(facts);

    m_footer = newLabel(m_card, grey, smallPoints);
    m_footer->setObjectName(QStringLiteral("footer"));
    const QString footer =
        resourceText(res::cardFooter)
            .arg(QDate::currentDate().toString(resourceText(res::cardDateFormat)));
    setText(m_footer, footer, footer);
    layout->addWidget(m_footer, 0, Qt::AlignRight);
}

CNameCardDlg::Fact CNameCardDlg::addFact(QGridLayout* facts, std::string_view heading,
                                         const char* objectName)
{
    const int line = facts->rowCount();
    Fact fact{newLabel(m_card, grey), newLabel(m_card, ink)};
    setText(fact.heading, resourceText(heading), resourceText(heading));
    fact.value->setObjectName(QLatin1String(objectName));
    fact.value->setWordWrap(true);
    // Long enough for a line of 楚辞 with its poem's title before it wraps.
    fact.value->setMinimumWidth(fact.value->fontMetrics().horizontalAdvance(QString(28, u'字')));
    facts->addWidget(fact.heading, line, 0, Qt::AlignTop);
    facts->addWidget(fact.value, line, 1);
    return fact;
}

QLayout* CNameCardDlg::createButtons()
{
    m_speakButton = newButton(this, res::speakButton, "speakButton");
    QPushButton* save = newButton(this, res::saveImageButton, "saveImageButton");
    QPushButton* print = newButton(this, res::printButton, "printButton");
    QPushButton* close = newButton(this, res::closeButton, "closeButton");
    close->setDefault(true);
    NameSpeaker::shared().follow(m_speakButton);
    // On the press: a mnemonic releases its button only a tenth of a second later.
    connect(m_speakButton, &QPushButton::pressed, this,
            [this] { NameSpeaker::shared().speak(m_text.spoken); });
    connect(save, &QPushButton::clicked, this, &CNameCardDlg::saveImage);
    connect(print, &QPushButton::clicked, this, &CNameCardDlg::askToPrint);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_speakButton);
    buttons->addStretch();
    for (QPushButton* button : {save, print, close})
        buttons->addWidget(button);
    return buttons;
}

void CNameCardDlg::showRow(int row)
{
    if (row < 0 || row >= m_count || (row == m_row && !m_text.name.empty()))
        return;
    m_row = row;
    m_text = m_cardOf(row);
    const QString name = shownText(m_text.name);
    setWindowTitle(resourceText(res::cardTitle).arg(name));
    showRuby();
    showFaces();
    showFact(m_strokes, m_text.strokes);
    showFact(m_levels, m_text.levels);
    showFact(m_homophones, m_text.homophones);
    showFact(m_source, m_text.source);
    std::string meanings;
    for (const std::string& line : m_text.meanings)
        meanings += (meanings.empty() ? "" : "\n") + line;
    showFact(m_meanings, meanings, true);
    showFact(m_standard, m_text.standard);
}

void CNameCardDlg::showFact(const Fact& fact, const std::string& value, bool hiddenWhenEmpty)
{
    const QString shown = value.empty() ? resourceText(res::noneText) : shownText(value);
    setText(fact.value, shown, resourceText(res::factSpokenName).arg(fact.heading->text(), shown));
    fact.heading->setHidden(hiddenWhenEmpty && value.empty());
    fact.value->setHidden(hiddenWhenEmpty && value.empty());
}

// Each character with its reading above it, in the Kai face: one label a pair, which a screen
// reader reads as "杜 dù".
void CNameCardDlg::showRuby()
{
    const QString kai = cardFaces()[0].family.toHtmlEscaped();
    while (m_rubyLabels.size() < m_text.characters.size()) {
        auto* label = new QLabel(m_card);
        label->setObjectName(QStringLiteral("ruby%1").arg(m_rubyLabels.size()));
        label->setTextFormat(Qt::RichText);
        label->setAlignment(Qt::AlignCenter);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, ink);
        label->setPalette(palette);
        m_ruby->insertWidget(m_ruby->count() - 1, label);
        m_rubyLabels.push_back(label);
    }
    for (std::size_t i = 0; i < m_rubyLabels.size(); ++i) {
        QLabel* label = m_rubyLabels[i];
        label->setVisible(i < m_text.characters.size());
        if (i >= m_text.characters.size())
            continue;
        const CardText::Character& character = m_text.characters[i];
        setText(label,
                QStringLiteral("<div align=\"center\" style=\"font-family:'%1'; "
                               "font-size:%2pt\">%3</div>"
                               "<div align=\"center\" style=\"font-family:'%1'; "
                               "font-size:%4pt\">%5</div>")
                    .arg(kai)
                    .arg(readingPoints)
                    .arg(character.reading.empty() ? QStringLiteral("&nbsp;")
                                                   : shownText(character.reading).toHtmlEscaped())
                    .arg(namePoints)
                    .arg(shownText(character.text).toHtmlEscaped()),
                shownText(character.spoken()));
    }
}

// The name in each face, and which face lacks a glyph of it: a character a font lacks may not
// print on forms either.
void CNameCardDlg::showFaces()
{
    const QString name = shownText(m_text.name);
    const std::array<CardFace, 3>& faces = cardFaces();
    QStringList missing;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        setText(m_faceNames[i], name,
                resourceText(res::faceSpokenName).arg(faces[i].style, faces[i].family, name));
        if (const std::u32string lacking = missingGlyphs(faces[i].family, m_text.name);
            !lacking.empty())
            missing << resourceText(res::missingGlyphWarning)
                           .arg(faces[i].style, faces[i].family,
                                QString::fromStdU32String(lacking)
                                    .split(QString(), Qt::SkipEmptyParts)
                                    .join(QStringLiteral("」「")));
    }
    const QString warnings = missing.join(QLatin1Char('\n'));
    setText(m_missingGlyphs, warnings, warnings);
    m_missingGlyphs->setHidden(warnings.isEmpty());
}

void CNameCardDlg::layOut() const
{
    m_card->ensurePolished();
    layout()->activate();
    m_card->layout()->activate();
}

QImage CNameCardDlg::image() const
{
    layOut();
    const QSize size = m_card->size();
    const qreal scale =
        std::max(2 * devicePixelRatioF(), static_cast<qreal>(minImageWidth) / size.width());
    QImage image(static_cast<int>(std::ceil(size.width() * scale)),
                 static_cast<int>(std::ceil(size.height() * scale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(paper);
    m_card->render(&image, {}, {}, QWidget::DrawChildren | QWidget::DrawWindowBackground);
    return image;
}

QString CNameCardDlg::writeImage(const QString& path) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image().save(&buffer, "PNG"))
        return QStringLiteral("PNG");
    return NameExport::writeBytes(path, std::string_view(bytes.constData(), bytes.size()));
}

void CNameCardDlg::saveImage()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString path = NameExport::askPath(
        this, resourceText(res::imageFilters), resourceText(res::saveImageCaption),
        QDir(folder).filePath(shownText(m_text.name) + QStringLiteral(".png")));
    if (path.isEmpty())
        return;
    if (const QString error = writeImage(path); !error.isEmpty())
        NameExport::showFailure(this, path, error);
}

void CNameCardDlg::print(QPrinter& printer) const
{
    layOut();
    QPainter painter(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QSizeF card = m_card->size();
    const qreal scale = std::min(page.width() / card.width(), page.height() / card.height());
    // The painter starts at the page's printable area; the card is centred across it.
    painter.translate((page.width() - card.width() * scale) / 2, 0);
    painter.scale(scale, scale);
    m_card->render(&painter, {}, {}, QWidget::DrawChildren | QWidget::DrawWindowBackground);
}

void CNameCardDlg::askToPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog ask(&printer, this);
    ask.setObjectName(QStringLiteral("printDialog"));
    if (ask.exec() == QDialog::Accepted)
        print(printer);
}
