#include "ui/favourites_pdf.h"

#include "res/favourites_texts.h"
#include "shortlist/favourite_columns.h"
#include "ui/name_export.h"
#include "ui/resource_text.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QtMath>
#include <memory>

namespace {

constexpr int resolution = 300; // dots per inch of the page's coordinates
constexpr int marginMillimetres = 18;
constexpr int titlePoints = 20;
constexpr int namePoints = 26;
constexpr int linePoints = 11;

QFont font(int points, bool bold = false)
{
    QFont font;
    font.setFamilies({resourceText(res::pdfFontFamily), resourceText(res::pdfFallbackFontFamily)});
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// The lines under a favourite's name: each fact column and the note that has text.
QStringList detailLines(const ExportedFavourite& printed)
{
    QStringList lines;
    const auto add = [&lines](std::string_view heading, const std::string& value) {
        if (!value.empty())
            lines << resourceText(heading) + QStringLiteral("：") + QString::fromStdString(value);
    };
    for (const FactColumn& column : factColumns)
        add(column.heading, column.text(*printed.facts));
    add(favourites_file::noteHeading, printed.favourite->note);
    return lines;
}

// `text` in lines of at most `width`, broken between words and, where a word is longer than a
// line (a note of Latin letters), inside it.
std::unique_ptr<QTextLayout> laidOut(const QString& text, const QFont& font, QPaintDevice* device,
                                     int width)
{
    auto layout = std::make_unique<QTextLayout>(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    return layout;
}

int heightOf(const QTextLayout& layout)
{
    return qCeil(layout.boundingRect().height());
}

} // namespace

QString writeFavouritesPdf(const QString& path, const std::vector<ExportedFavourite>& favourites,
                           const QDate& date)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&file);
        writer.setResolution(resolution);
        writer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
            QPageLayout::Millimeter));
        writer.setTitle(resourceText(res::pdfTitle));
        writer.setCreator(QStringLiteral("Corvale"));
        QPainter painter(&writer);
        if (!painter.isActive())
            return QStringLiteral("QPdfWriter");
        const QRect page = painter.viewport();
        const QFont titleFont = font(titlePoints, true);
        const QFont nameFont = font(namePoints, true);
        const QFont lineFont = font(linePoints);
        const int gap = QFontMetrics(lineFont, &writer).height();

        int y = 0;
        const auto laid = [&](const QFont& font, const QString& text) {
            return laidOut(text, font, &writer, page.width());
        };
        const auto draw = [&](const QTextLayout& layout) {
            layout.draw(&painter, QPointF(0, y));
            y += heightOf(layout);
        };
        draw(*laid(titleFont, resourceText(res::pdfTitle)));
        draw(*laid(lineFont, date.toString(Qt::ISODate)));
        y += gap;
        for (const ExportedFavourite& printed : favourites) {
            std::vector<std::unique_ptr<QTextLayout>> layouts;
            layouts.push_back(laid(nameFont, QString::fromStdString(printed.favourite->name)));
            for (const QString& line : detailLines(printed))
                layouts.push_back(laid(lineFont, line));
            int height = gap;
            for (const auto& layout : layouts)
                height += heightOf(*layout);
            if (y > 0 && y + height > page.height()) {
                writer.newPage();
                y = 0;
            }
            for (const auto& layout : layouts)
                draw(*layout);
            y += gap;
        }
    }
    return NameExport::writeBytes(
        path, std::string_view(file.data().constData(), static_cast<std::size_t>(file.size())));
}
