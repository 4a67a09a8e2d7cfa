#include "shortlist/favourites_file.h"

#include "hanzi/utf8.h"
#include "insight/export_lines.h"
#include "insight/meaning_text.h"
#include "insight/text_facts.h"
#include "shortlist/favourite_columns.h"

#include <algorithm>
#include <charconv>

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

// Reads one RFC 4180 record from `bytes` at `offset`, which it moves past the record's line
// break. A quote inside an unquoted field is taken as text; an unclosed quote ends at the end.
Record readRecord(std::string_view bytes, std::size_t& offset)
{
    Record record(1);
    bool quoted = false;
    while (offset < bytes.size()) {
        const char c = bytes[offset++];
        std::string& field = record.back();
        if (quoted) {
            if (c != '"')
                field += c;
            else if (offset < bytes.size() && bytes[offset] == '"')
                field += bytes[offset++];
            else
                quoted = false;
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == ',') {
            record.emplace_back();
        } else if (c == '\n') {
            break;
        } else if (c == '\r') {
            if (offset < bytes.size() && bytes[offset] == '\n')
                ++offset;
            break;
        } else {
            field += c;
        }
    }
    return record;
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
    if (readRecord(bytes, offset) != fileHeader)
        return std::nullopt;
    std::vector<Favourite> entries;
    while (offset < bytes.size()) {
        Record record = readRecord(bytes, offset);
        if (record.size() != 4 || !isFavouriteName(record[0]) ||
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

ImportedNames parseImport(std::string_view bytes, bool csv, const std::string& now)
{
    bytes = withoutByteOrderMark(bytes);
    ImportedNames imported;
    std::size_t offset = 0;
    const auto column = [](const Record& header, std::string_view name) {
        const auto found = std::find(header.begin(), header.end(), name);
        return found == header.end()
                   ? std::optional<std::size_t>()
                   : std::optional(static_cast<std::size_t>(found - header.begin()));
    };
    const Record header = csv ? readRecord(bytes, offset) : Record{std::string(nameHeading)};
    const std::optional<std::size_t> nameColumn = column(header, nameHeading);
    const std::optional<std::size_t> noteColumn = column(header, noteHeading);
    const std::optional<std::size_t> timeColumn = column(header, addedHeading);
    const std::optional<std::size_t> surnameColumn = column(header, surnameLengthHeading);
    const auto field = [](const Record& record, std::optional<std::size_t> index) {
        return index && *index < record.size() ? std::string_view(record[*index])
                                               : std::string_view();
    };
    while (offset < bytes.size()) {
        const Record record = csv ? readRecord(bytes, offset) : [&] {
            const std::size_t end = std::min(bytes.find('\n', offset), bytes.size());
            const Record line{trimmed(bytes.substr(offset, end - offset))};
            offset = end + 1;
            return line;
        }();
        if (isBlank(record))
            continue;
        const std::string name = trimmed(field(record, nameColumn));
        if (!nameColumn || !isFavouriteName(name)) {
            ++imported.skipped;
            continue;
        }
        const std::string_view time = field(record, timeColumn);
        imported.entries.push_back(
            {name,
             surnameLengthField(field(record, surnameColumn), name).value_or(surnameLengthOf(name)),
             keptNote(field(record, noteColumn)),
             !time.empty() && isTimeText(time) ? std::string(time) : now});
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
            appendCsvField(out, column.text(*facts));
            if (column.heading == meaningsFollow) {
                out += ',';
                appendCsvField(out, meaningsOf(*row));
            }
        }
        out += ',';
        appendCsvField(out, row->note);
        out += ',';
        appendCsvField(out, row->added);
        out += "\r\n";
    }
    return out;
}
