#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class NameText;
class RowSources;

enum class ExportFormat {
    Text, // one name a line, UTF-8
    Csv,  // UTF-8 with a byte order mark, RFC 4180, a header line first
};

// What a file of that format starts with.
std::string exportHeader(ExportFormat format);
// Appends the line of row `row`. A CSV line ends with the row's source from `sources` (an empty
// 出处 field without them) and the 字义 of its given name.
void appendExportLine(std::string& out, const NameText& text, std::uint64_t row,
                      ExportFormat format, RowSources* sources = nullptr);
// Appends `field` as an RFC 4180 field: quoted, with doubled quotes, when it holds a comma, a
// quote or a line break.
void appendCsvField(std::string& out, std::string_view field);
