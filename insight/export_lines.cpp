#include "insight/export_lines.h"

#include "insight/name_source.h"
#include "insight/name_text.h"

namespace {

constexpr char formulaGuard = '\'';

// Whether a spreadsheet may take `field` for a formula, or exportedText() would take a ' from
// it: behind any number of ', it begins with a character that starts a formula.
bool needsGuard(std::string_view field)
{
    const std::size_t start = field.find_first_not_of(formulaGuard);
    return start != std::string_view::npos &&
           std::string_view("=+-@\t\r").find(field[start]) != std::string_view::npos;
}

} // namespace

std::string exportHeader(ExportFormat format)
{
    if (format == ExportFormat::Text)
        return {};
    return "\xEF\xBB\xBF"
           "名字,读音,声调,笔画,通用规范汉字,平仄,谐音,出处,字义\r\n";
}

void appendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendExportField(std::string& out, std::string_view field)
{
    if (!needsGuard(field)) {
        appendCsvField(out, field);
        return;
    }
    std::string guarded(1, formulaGuard);
    guarded += field;
    appendCsvField(out, guarded);
}

std::string_view exportedText(std::string_view written)
{
    if (written.starts_with(formulaGuard) && needsGuard(written))
        written.remove_prefix(1);
    return written;
}

void appendExportLine(std::string& out, const NameText& text, std::uint64_t row,
                      ExportFormat format, RowSources* sources)
{
    if (format == ExportFormat::Text) {
        text.append(out, row);
        out += '\n';
        return;
    }
    std::string name;
    text.append(name, row);
    appendExportField(out, name);
    out += ',';
    text.appendInsightFields(out, row);
    out += ',';
    if (sources) {
        std::string source;
        sources->append(source, row);
        appendExportField(out, source);
    }
    out += ',';
    text.appendMeaningField(out, row);
    out += "\r\n";
}
