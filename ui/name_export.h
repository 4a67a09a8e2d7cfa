#pragma once

#include "insight/export_lines.h"
#include "shortlist/row_pattern.h"

#include <QString>
#include <string_view>

class NameListModel;
class QWidget;

// Writing the rows of a list to a file, whole or not at all, by the rules name.xml is saved with
// (FileReplacement): the file is written beside the target and takes its place only when every
// byte is out, so a cancel, a full disk or a write error leaves any earlier file untouched and
// nothing partial behind. An existing file keeps its mode and owner; a read-only file, a folder
// or device, and a link that another user planted in a shared folder are refused.
class NameExport final {
public:
    NameExport() = delete;

    // The format a file name asks for: .csv for CSV, anything else text.
    static ExportFormat formatOf(const QString& path);

    // Writes every row of `model`; returns an empty string on success, else why it failed.
    // `progress` may stop the write, which then fails with nothing written.
    static QString write(const NameListModel& model, const QString& path, ExportFormat format,
                         const Progress& progress);

    // Puts `bytes` in place of the file at `path` by the same rules; returns an empty string on
    // success, else why it failed.
    static QString writeBytes(const QString& path, std::string_view bytes);

    // Asks for the file to write with a save dialog of `filters` ("文本文件 (*.txt);;..."). The
    // dialog adds the chosen filter's suffix to a name typed without one before it asks whether
    // to replace a file, so that the question is about the file that will be written. Returns
    // an empty string when the user cancels. The dialog is titled 导出 unless `caption` says
    // otherwise, and starts at `suggestedPath` when there is one.
    static QString askPath(QWidget* parent, const QString& filters, const QString& caption = {},
                           const QString& suggestedPath = {});
    // Tells the user in a message box why the file at `path` was not written.
    static void showFailure(QWidget* parent, const QString& path, const QString& error);

    // Writes with a progress dialog that appears after half a second and can cancel, and
    // shows a failure in a message box. Returns whether the file was written.
    static bool writeShowingProgress(QWidget* parent, const NameListModel& model,
                                     const QString& path);
};
