#include "insight/export_lines.h"

#include "insight/name_source.h"
#include "insight/name_text.h"

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
    appendCsvField(out, name);
    out += ',';
    text.appendInsightFields(out, row);
    out += ',';
    if (sources) {
        std::string source;
        sources->append(source, row);
        appendCsvField(out, source);
    }
    out += ',';
    text.appendMeaningField(out, row);
    out += "\r\n";
}
