#include "ui/name_export.h"

#include "insight/name_source.h"
#include "poetry/embedded_corpus.h"
#include "res/list_menu_texts.h"
#include "ui/name_list_model.h"
#include "ui/resource_text.h"
#include "ui/work_progress.h"

#include <QMessageBox>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace {

// Rows composed and written at a time.
constexpr int rowsPerWrite = 1 << 16;

} // namespace

ExportFormat NameExport::formatOf(const QString& path)
{
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? ExportFormat::Csv
                                                                      : ExportFormat::Text;
}

QString NameExport::write(const NameListModel& model, const QString& path, ExportFormat format,
                          const Progress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const NameText& text = model.nameText();
    std::string chunk = exportHeader(format);
    std::vector<std::uint64_t> rows;
    std::optional<RowSources> sources;
    if (format == ExportFormat::Csv)
        sources.emplace(model.insight(), embeddedCorpus(), model.sourceCollections());
    const int total = model.rowCount();
    for (int first = 0; first < total; first += rowsPerWrite) {
        if (progress && !progress(static_cast<double>(first) / total)) {
            file.cancelWriting();
            return resourceText(res::exportCancelled);
        }
        rows.clear();
        model.sourceRows(first, std::min(rowsPerWrite, total - first), rows);
        for (const std::uint64_t row : rows)
            appendExportLine(chunk, text, row, format, sources ? &*sources : nullptr);
        if (file.write(chunk.data(), static_cast<qint64>(chunk.size())) < 0)
            return file.errorString();
        chunk.clear();
    }
    if (!chunk.empty() && file.write(chunk.data(), static_cast<qint64>(chunk.size())) < 0)
        return file.errorString();
    if (!file.commit())
        return file.errorString();
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
        QMessageBox box(QMessageBox::Warning, resourceText(res::exportCaption),
                        resourceText(res::exportFailedMessage).arg(path, error), QMessageBox::Ok,
                        parent);
        box.setObjectName(QStringLiteral("exportFailedNotice"));
        box.exec();
        return false;
    }
    return true;
}
