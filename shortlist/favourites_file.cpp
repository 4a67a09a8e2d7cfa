#include "shortlist/favourites_file.h"

#include "hanzi/utf8.h"
#include "insight/export_lines.h"
#include "insight/meaning_text.h"
#include "insight/text_facts.h"
#include "shortlist/favourite_columns.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace {

using namespace favourites_file;

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t maxTimeBytes = 32;
// An export has the 字义 of the given name after this column; the 收藏 table leaves it out.
constexpr std::string_view meaningsFollow = "出处";

std::string meaningsOf(const Favourite& favourite)
{
    const std::u32string characters = utf8::decodeAll(favourite.name);
    return MeaningText(std::u32string_view(characters)
                           .substr(std::min(characters.size(),
                                            static_cast<std::size_t>(favourite.surnameLength))));
}

using Record = std::vector<std::string>;

const Record fileHeader{std::string(nameHeading), std::string(surnameLengthHeading),
                        std::string(noteHeading), std::string(addedHeading)};

std::string_view withoutByteOrderMark(std::string_view bytes)
{
    if (bytes.starts_with(byteOrderMark))
        bytes.remove_prefix(byteOrderMark.size());
    return bytes;
}

// Where the line that holds byte `offset` ends, past its line break: CR LF, LF or CR.
std::size_t pastLine(std::string_view bytes, std::size_t offset)
{
    const std::size_t end = bytes.find_first_of("\r\n", offset);
    if (end == std::string_view::npos)
        return bytes.size();
    return end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
}

// The line at `offset`, without its line break; `offset` moves past the break.
std::string_view readLine(std::string_view bytes, std::size_t& offset)
{
    const std::size_t start = offset;
    const std::string_view line =
        bytes.substr(start, std::min(bytes.find_first_of("\r\n", start), bytes.size()) - start);
    offset = pastLine(bytes, start);
    return line;
}

struct ReadRecord {
    Record fields{1};
    bool closed = true; // false when a quoted field was left open (see readRecord)
};

// Reads one RFC 4180 record from `bytes` at `offset`, which it moves past the record's line
// break (CR LF, LF or CR). A quote inside an unquoted field is taken as text. A quoted field may
// span lines when it closes, a quote followed by a comma, a line break or the end. One still open
// at the end, or closed after line breaks by a quote that text follows (a stray quote meeting a
// later one), was left open: it ends at the end of the line it began on, where `offset` then
// goes, so that the lines after it are read again.
ReadRecord readRecord(std::string_view bytes, std::size_t& offset)
{
    ReadRecord read;
    std::size_t quoteStart = std::string_view::npos; // while a quoted field is open
    bool spansLines = false;
    while (offset < bytes.size()) {
        const char c = bytes[offset++];
        std::string& field = read.fields.back();
        if (quoteStart != std::string_view::npos) {
            if (c != '"') {
                field += c;
                spansLines = spansLines || c == '\r' || c == '\n';
            } else if (offset < bytes.size() && bytes[offset] == '"') {
                field += bytes[offset++];
            } else if (spansLines && offset < bytes.size() &&
                       std::string_view(",\r\n").find(bytes[offset]) == std::string_view::npos) {
                break;
            } else {
                quoteStart = std::string_view::npos;
            }
        } else if (c == '"' && field.empty()) {
            quoteStart = offset - 1;
            spansLines = false;
        } else if (c == ',') {
            read.fields.emplace_back();
        } else if (c == '\n' || c == '\r') {
            offset = pastLine(bytes, offset - 1);
            break;
        } else {
            field += c;
        }
    }
    if (quoteStart != std::string_view::npos) {
        offset = pastLine(bytes, quoteStart);
        read.closed = false;
    }
    return read;
}

bool isBlank(const Record& record)
{
    return record.size() == 1 && record.front().find_first_not_of(" \t") == std::string::npos;
}

// Whether `text` is printable ASCII short enough to be an added time.
bool isTimeText(std::string_view text)
{
    return text.size() <= maxTimeBytes &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

// Whether `text` is a local time as the program writes it, "YYYY-MM-DD HH:MM:SS", that exists
// on the calendar.
bool isProgramTime(std::string_view text)
{
    constexpr std::string_view pattern = "dddd-dd-dd dd:dd:dd";
    if (text.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pattern[i] == 'd' ? text[i] < '0' || text[i] > '9' : text[i] != pattern[i])
            return false;
    }
    const auto number = [text](std::size_t offset, std::size_t length) {
        int value = 0;
        std::from_chars(text.data() + offset, text.data() + offset + length, value);
        return value;
    };
    const std::chrono::year_month_day date{std::chrono::year(number(0, 4)),
                                           std::chrono::month(unsigned(number(5, 2))),
                                           std::chrono::day(unsigned(number(8, 2)))};
    return date.ok() && number(11, 2) < 24 && number(14, 2) < 60 && number(17, 2) < 60;
}

std::optional<int> surnameLengthField(std::string_view text, std::string_view name)
{
    int length = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), length);
    if (error != std::errc() || end != text.data() + text.size() || length < 0 ||
        length >= characterCount(name))
        return std::nullopt;
    return length;
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

} // namespace

std::string printFavourites(const Favourites& favourites)
{
    std::string out(byteOrderMark);
    for (std::size_t i = 0; i < fileHeader.size(); ++i)
        (out += fileHeader[i]) += i + 1 < fileHeader.size() ? "," : "\r\n";
    for (const Favourite& favourite : favourites.items()) {
        out += favourite.name;
        out += ',';
        out += std::to_string(favourite.surnameLength);
        out += ',';
        appendCsvField(out, favourite.note);
        out += ',';
        appendCsvField(out, favourite.added);
        out += "\r\n";
    }
    return out;
}

std::optional<Favourites> parseFavourites(std::string_view bytes)
{
    if (bytes.size() > Favourites::maxFileBytes)
        return std::nullopt;
    bytes = withoutByteOrderMark(bytes);
    std::size_t offset = 0;
    if (readRecord(bytes, offset).fields != fileHeader)
        return std::nullopt;
    std::vector<Favourite> entries;
    while (offset < bytes.size()) {
        auto [record, closed] = readRecord(bytes, offset);
        // Earlier imports kept a NUL in a note.
        if (record.size() == 4)
            std::erase(record[2], '\0');
        if (!closed || record.size() != 4 || !isFavouriteName(record[0]) ||
            record[2].size() > Favourites::maxNoteBytes || keptNote(record[2]) != record[2] ||
            !isTimeText(record[3]) || entries.size() == Favourites::maxCount)
            return std::nullopt;
        const std::optional<int> surnameLength = surnameLengthField(record[1], record[0]);
        if (!surnameLength)
            return std::nullopt;
        entries.push_back(
            {std::move(record[0]), *surnameLength, std::move(record[2]), std::move(record[3])});
    }
    const std::size_t count = entries.size();
    Favourites favourites;
    favourites.merge(std::move(entries));
    if (favourites.size() != count)
        return std::nullopt;
    return favourites;
}

ImportedNames parseImport(std::string_view text, bool csv, const std::string& now)
{
    text = withoutByteOrderMark(text);
    ImportedNames imported;
    std::size_t offset = 0;
    const auto column = [](const Record& header, std::string_view name) {
        const auto found = std::find(header.begin(), header.end(), name);
        return found == header.end()
                   ? std::optional<std::size_t>()
                   : std::optional(static_cast<std::size_t>(found - header.begin()));
    };
    const Record header = csv ? readRecord(text, offset).fields : Record{std::string(nameHeading)};
    const std::optional<std::size_t> nameColumn = column(header, nameHeading);
    const std::optional<std::size_t> noteColumn = column(header, noteHeading);
    const std::optional<std::size_t> timeColumn = column(header, addedHeading);
    const std::optional<std::size_t> surnameColumn = column(header, surnameLengthHeading);
    imported.noNameColumn = !nameColumn;
    const auto field = [](const Record& record, std::optional<std::size_t> index) {
        return index && *index < record.size() ? std::string_view(record[*index])
                                               : std::string_view();
    };
    while (offset < text.size()) {
        const ReadRecord read =
            csv ? readRecord(text, offset) : ReadRecord{{trimmed(readLine(text, offset))}};
        if (isBlank(read.fields))
            continue;
        const std::string name = trimmed(field(read.fields, nameColumn));
        if (!read.closed || !nameColumn || !isFavouriteName(name)) {
            ++imported.skipped;
            continue;
        }
        const std::string_view note = exportedText(field(read.fields, noteColumn));
        imported.notesCut += isCutNote(note);
        const std::string_view time = field(read.fields, timeColumn);
        imported.entries.push_back({name,
                                    surnameLengthField(field(read.fields, surnameColumn), name)
                                        .value_or(surnameLengthOf(name)),
                                    keptNote(note), isProgramTime(time) ? std::string(time) : now});
    }
    return imported;
}

std::string exportFavourites(std::span<const ExportedFavourite> rows, bool csv)
{
    std::string out;
    if (csv) {
        out = byteOrderMark;
        out += nameHeading;
        for (const FactColumn& column : factColumns) {
            out += ',';
            out += column.heading;
            if (column.heading == meaningsFollow)
                out += ",字义";
        }
        for (const std::string_view heading : {noteHeading, addedHeading}) {
            out += ',';
            out += heading;
        }
        out += "\r\n";
    }
    for (const auto& [row, facts] : rows) {
        out += row->name;
        if (!csv) {
            out += '\n';
            continue;
        }
        for (const FactColumn& column : factColumns) {
            out += ',';
            appendExportField(out, column.text(*facts));
            if (column.heading == meaningsFollow) {
                out += ',';
                appendExportField(out, meaningsOf(*row));
            }
        }
        out += ',';
        appendExportField(out, row->note);
        out += ',';
        appendExportField(out, row->added);
        out += "\r\n";
    }
    return out;
}
