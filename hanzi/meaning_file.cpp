#include "hanzi/meaning_file.h"

#include "hanzi/character_info.h"
#include "hanzi/utf8.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string_view>

namespace meaning_file {

namespace {

// The blocks of CJK unified and compatibility ideographs.
bool isHan(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x2FA1F) ||
           (c >= 0x30000 && c <= 0x323AF);
}

// Latin letters plain, accented (pinyin's tone marks among them) and full-width.
bool isLatinLetter(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x1E00 && c <= 0x1EFF) ||
           (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A);
}

bool isPunctuation(char32_t c)
{
    return std::u32string_view(kPunctuation).find(c) != std::u32string_view::npos;
}

std::string quoted(char32_t c)
{
    std::string text = "「";
    utf8::append(text, c);
    char number[16];
    std::snprintf(number, sizeof number, "」(U+%04X)", static_cast<unsigned>(c));
    return text + number;
}

// What is wrong with `meaning`, or nothing.
std::optional<std::string> meaningFault(std::u32string_view meaning)
{
    int han = 0;
    for (const char32_t c : meaning) {
        if (isLatinLetter(c))
            return "the meaning holds the Latin letter " + quoted(c);
        if (isHan(c))
            ++han;
        else if (!isPunctuation(c))
            return "the meaning holds " + quoted(c) +
                   ", which is neither a Han character nor allowed punctuation";
    }
    if (han < kMinHan || han > kMaxHan)
        return "the meaning has " + std::to_string(han) + " Han characters, not " +
               std::to_string(kMinHan) + " to " + std::to_string(kMaxHan);
    return std::nullopt;
}

bool wellFormed(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const utf8::Decoded decoded = utf8::decodeAt(text, i);
        if (!decoded.wellFormed)
            return false;
        i += decoded.length;
    }
    return true;
}

} // namespace

Contents read(std::istream& in)
{
    Contents contents;
    std::map<char32_t, std::size_t> firstLine;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const auto fault = [&](const std::string& message) {
            contents.errors.push_back("line " + std::to_string(number) + ": " + message);
        };
        const std::size_t tab = line.find('\t');
        if (!wellFormed(line)) {
            fault("not UTF-8");
            continue;
        }
        if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos) {
            fault("not 字<TAB>meaning");
            continue;
        }
        const std::u32string character = utf8::decodeAll(std::string_view(line).substr(0, tab));
        if (character.size() != 1) {
            fault("「" + line.substr(0, tab) + "」 is not one character");
            continue;
        }
        const char32_t c = character.front();
        const std::optional<CharacterInfo> info = LookUpCharacter(c);
        if (!info || !info->generalStandard) {
            fault(quoted(c) + " is not in the 2013 general standard list");
            continue;
        }
        const auto [first, added] = firstLine.try_emplace(c, number);
        if (!added) {
            fault(quoted(c) + " again, first on line " + std::to_string(first->second));
            continue;
        }
        const std::string meaning = line.substr(tab + 1);
        if (const std::optional<std::string> wrong = meaningFault(utf8::decodeAll(meaning))) {
            fault(quoted(c) + ": " + *wrong);
            continue;
        }
        contents.entries.push_back({c, meaning});
    }
    std::ranges::sort(contents.entries, {}, &Entry::character);
    return contents;
}

} // namespace meaning_file
