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
        const QFontMetrics titleMetrics(titleFont, &writer);
        const QFontMetrics nameMetrics(nameFont, &writer);
        const QFontMetrics lineMetrics(lineFont, &writer);
        const int gap = lineMetrics.height();

        int y = 0;
        // Long lines wrap within the page's width.
        const auto heightOf = [&page](const QFontMetrics& metrics, const QString& text) {
            return metrics
                .boundingRect(QRect(0, 0, page.width(), page.height()), Qt::TextWordWrap, text)
                .height();
        };
        const auto write = [&](const QFont& font, const QFontMetrics& metrics,
                               const QString& text) {
            painter.setFont(font);
            const int height = heightOf(metrics, text);
            painter.drawText(QRect(0, y, page.width(), height), Qt::TextWordWrap, text);
            y += height;
        };
        write(titleFont, titleMetrics, resourceText(res::pdfTitle));
        write(lineFont, lineMetrics, date.toString(Qt::ISODate));
        y += gap;
        for (const ExportedFavourite& printed : favourites) {
            const QStringList lines = detailLines(printed);
            const QString name = QString::fromStdString(printed.favourite->name);
            int height = heightOf(nameMetrics, name) + gap;
            for (const QString& line : lines)
                height += heightOf(lineMetrics, line);
            if (y > 0 && y + height > page.height()) {
                writer.newPage();
                y = 0;
            }
            write(nameFont, nameMetrics, name);
            for (const QString& line : lines)
                write(lineFont, lineMetrics, line);
            y += gap;
        }
    }
    return NameExport::writeBytes(
        path, std::string_view(file.data().constData(), static_cast<std::size_t>(file.size())));
}
