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
// Appends `field` as appendCsvField does, for a file meant for spreadsheets: a field that begins
// with =, +, -, @, a tab or a carriage return, which a spreadsheet may run as a formula, gets a
// leading ' (OWASP's advice against CSV injection). A field that is ' and such a field gets one
// more, so that exportedText() gives every field back as it was.
void appendExportField(std::string& out, std::string_view field);
// The text of a field that appendExportField wrote (once its CSV quoting is read): `written`
// without the ' put before it.
std::string_view exportedText(std::string_view written);
