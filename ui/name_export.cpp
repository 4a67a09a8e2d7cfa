#include "ui/name_export.h"

#include "insight/name_source.h"
#include "poetry/embedded_corpus.h"
#include "res/list_menu_texts.h"
#include "settings/file_replacement.h"
#include "ui/name_list_model.h"
#include "ui/resource_text.h"
#include "ui/work_progress.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// Rows composed and written at a time.
constexpr int rowsPerWrite = 1 << 16;

// Why `replacement` did not happen, for the failure box.
QString faultText(const FileReplacement& replacement)
{
    switch (replacement.fault()) {
    case ReplacementFault::LinkNotFollowed:
        return resourceText(res::exportLinkRefused);
    case ReplacementFault::NotRegularFile:
        return resourceText(res::exportNotRegular);
    case ReplacementFault::ReadOnly:
        return resourceText(res::exportReadOnly);
    case ReplacementFault::SystemError:
    case ReplacementFault::None:
        break;
    }
    return QString::fromLocal8Bit(std::strerror(replacement.systemError()));
}

} // namespace

ExportFormat NameExport::formatOf(const QString& path)
{
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? ExportFormat::Csv
                                                                      : ExportFormat::Text;
}

QString NameExport::write(const NameListModel& model, const QString& path, ExportFormat format,
                          const Progress& progress)
{
    FileReplacement file(QFile::encodeName(path).toStdString());
    if (file.fault() != ReplacementFault::None)
        return faultText(file);
    const NameText& text = model.nameText();
    std::string chunk = exportHeader(format);
    std::vector<std::uint64_t> rows;
    std::optional<RowSources> sources;
    if (format == ExportFormat::Csv)
        sources.emplace(model.insight(), embeddedCorpus(), model.sourceCollections());
    const int total = model.rowCount();
    for (int first = 0; first < total; first += rowsPerWrite) {
        if (progress && !progress(static_cast<double>(first) / total))
            return resourceText(res::exportCancelled);
        rows.clear();
        model.sourceRows(first, std::min(rowsPerWrite, total - first), rows);
        for (const std::uint64_t row : rows)
            appendExportLine(chunk, text, row, format, sources ? &*sources : nullptr);
        if (!file.write(chunk))
            return faultText(file);
        chunk.clear();
    }
    if (!file.write(chunk) || !file.commit())
        return faultText(file);
    return {};
}

bool NameExport::writeShowingProgress(QWidget* parent, const NameListModel& model,
                                      const QString& path)
{
    WorkProgress progress(parent, resourceText(res::exportProgress),
                          QStringLiteral("exportProgress"));
    const QString error = write(model, path, formatOf(path), progress.report());
    if (progress.finish())
        return false;
    if (!error.isEmpty()) {
        showFailure(parent, path, error);
        return false;
    }
    return true;
}

QString NameExport::writeBytes(const QString& path, std::string_view bytes)
{
    FileReplacement file(QFile::encodeName(path).toStdString());
    if (!file.write(bytes) || !file.commit())
        return faultText(file);
    return {};
}

QString NameExport::askPath(QWidget* parent, const QString& filters, const QString& caption,
                            const QString& suggestedPath)
{
    QFileDialog ask(parent, caption.isEmpty() ? resourceText(res::exportCaption) : caption, {},
                    filters);
    if (!suggestedPath.isEmpty())
        ask.selectFile(suggestedPath);
    ask.setObjectName(QStringLiteral("exportDialog"));
    ask.setAcceptMode(QFileDialog::AcceptSave);
    const auto suffixOf = [](const QString& filter) {
        const qsizetype star = filter.indexOf(QStringLiteral("*."));
        return star < 0
                   ? QString()
                   : filter.mid(star + 2).section(QRegularExpression(QStringLiteral("[ )]")), 0, 0);
    };
    ask.setDefaultSuffix(suffixOf(ask.selectedNameFilter()));
    QObject::connect(
        &ask, &QFileDialog::filterSelected, &ask,
        [&ask, suffixOf](const QString& filter) { ask.setDefaultSuffix(suffixOf(filter)); });
    if (ask.exec() != QDialog::Accepted || ask.selectedFiles().isEmpty())
        return {};
    return ask.selectedFiles().constFirst();
}

void NameExport::showFailure(QWidget* parent, const QString& path, const QString& error)
{
    QMessageBox box(QMessageBox::Warning, resourceText(res::exportCaption),
                    resourceText(res::exportFailedMessage).arg(path, error), QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("exportFailedNotice"));
    box.exec();
}
