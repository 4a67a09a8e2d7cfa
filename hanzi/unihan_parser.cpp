#include "hanzi/unihan_parser.h"

#include "hanzi/character_info.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace unihan {
namespace {

// Splits on single spaces, dropping empty pieces.
std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        if (end > 0)
            pieces.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return pieces;
}

// Entries of the form `locations:reading,reading`; the locations may hold ',' and '*'.
std::vector<std::string_view> locatedReadings(std::string_view value)
{
    std::vector<std::string_view> readings;
    for (std::string_view entry : words(value)) {
        const std::size_t colon = entry.find(':');
        if (colon == std::string_view::npos)
            throw std::runtime_error("reading without location: " + std::string(entry));
        entry.remove_prefix(colon + 1);
        while (!entry.empty()) {
            const std::size_t comma = std::min(entry.find(','), entry.size());
            if (comma > 0)
                readings.push_back(entry.substr(0, comma));
            entry.remove_prefix(std::min(comma + 1, entry.size()));
        }
    }
    return readings;
}

void addReadings(std::vector<std::string>& readings, const std::vector<std::string_view>& more)
{
    for (const std::string_view reading : more) {
        if (std::find(readings.begin(), readings.end(), reading) == readings.end())
            readings.emplace_back(reading);
    }
}

bool toned(std::string_view reading)
{
    return ToneOf(reading) != 0;
}

// How a name reads the character: the first toned kMandarin value the 2013 general standard
// list also gives, else the list's first toned value, else the first toned kMandarin value,
// then kXHC1983 value, else the first kMandarin value. The list gives its readings in
// alphabetical order, so its first is not always the usual one (行 háng héng xíng).
std::string_view nameReading(const std::vector<std::string_view>& mandarin,
                             const std::vector<std::string_view>& tghz2013,
                             const std::vector<std::string_view>& xhc1983)
{
    for (const std::string_view reading : mandarin) {
        if (toned(reading) && std::ranges::find(tghz2013, reading) != tghz2013.end())
            return reading;
    }
    for (const std::vector<std::string_view>* values : {&tghz2013, &mandarin, &xhc1983}) {
        if (const auto found = std::ranges::find_if(*values, toned); found != values->end())
            return *found;
    }
    return mandarin.empty() ? std::string_view() : mandarin.front();
}

char32_t parseCodePoint(std::string_view text)
{
    unsigned value = 0;
    if (text.size() < 3 || text.substr(0, 2) != "U+" ||
        std::from_chars(text.data() + 2, text.data() + text.size(), value, 16).ptr !=
            text.data() + text.size() ||
        value > 0x10FFFF)
        throw std::runtime_error("bad code point: " + std::string(text));
    return static_cast<char32_t>(value);
}

int parseStrokes(std::string_view value)
{
    const std::vector<std::string_view> counts = words(value);
    if (counts.empty())
        return 0;
    int strokes = 0;
    const std::string_view first = counts.front();
    if (std::from_chars(first.data(), first.data() + first.size(), strokes).ptr !=
            first.data() + first.size() ||
        strokes < 0)
        throw std::runtime_error("bad stroke count: " + std::string(value));
    return strokes;
}

} // namespace

void Parser::read(std::istream& in)
{
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 =
            tab1 == std::string::npos ? std::string::npos : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos)
            throw std::runtime_error("line without three fields: " + line);
        const std::string_view text(line);
        const std::string_view field = text.substr(tab1 + 1, tab2 - tab1 - 1);
        const std::string_view value = text.substr(tab2 + 1);
        const char32_t codePoint = parseCodePoint(text.substr(0, tab1));

        const auto store = [&](std::string Fields::*member) {
            m_fields[codePoint].*member = std::string(value);
        };
        if (field == "kMandarin") {
            store(&Fields::mandarin);
            m_fields[codePoint].hasMandarin = true;
        } else if (field == "kTGHZ2013") {
            store(&Fields::tghz2013);
            m_fields[codePoint].hasTghz2013 = true;
        } else if (field == "kXHC1983") {
            store(&Fields::xhc1983);
        } else if (field == "kHanyuPinyin") {
            store(&Fields::hanyuPinyin);
        } else if (field == "kTotalStrokes") {
            store(&Fields::totalStrokes);
        } else if (field == "kDefinition") {
            store(&Fields::definition);
        }
    }
}

std::map<char32_t, Record> Parser::records() const
{
    std::map<char32_t, Record> records;
    for (const auto& [codePoint, fields] : m_fields) {
        if (!fields.hasMandarin)
            continue;
        Record& record = records[codePoint];
        const std::vector<std::string_view> mandarin = words(fields.mandarin);
        const std::vector<std::string_view> tghz2013 = locatedReadings(fields.tghz2013);
        const std::vector<std::string_view> xhc1983 = locatedReadings(fields.xhc1983);
        addReadings(record.readings, mandarin);
        addReadings(record.readings, tghz2013);
        addReadings(record.readings, xhc1983);
        record.modernReadings = record.readings.size();
        addReadings(record.readings, locatedReadings(fields.hanyuPinyin));
        record.nameReading = static_cast<std::size_t>(
            std::ranges::find(record.readings, nameReading(mandarin, tghz2013, xhc1983)) -
            record.readings.begin());
        record.strokes = parseStrokes(fields.totalStrokes);
        record.generalStandard = fields.hasTghz2013;
        record.definition = fields.definition;
    }
    return records;
}

} // namespace unihan
