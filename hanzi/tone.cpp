#include "hanzi/character_info.h"
#include "hanzi/toneless.h"
#include "hanzi/utf8.h"

#include <algorithm>
#include <iterator>

namespace {

struct MarkedLetter {
    char32_t marked;
    char32_t plain;
    int tone;
};

// Precomposed Latin letters carrying a tone mark, upper and lower case, sorted by code point,
// with the letter without its mark.
constexpr MarkedLetter markedLetters[] = {
    {0x00C0, 'A', 4},    {0x00C1, 'A', 2},    {0x00C8, 'E', 4},    {0x00C9, 'E', 2},
    {0x00CC, 'I', 4},    {0x00CD, 'I', 2},    {0x00D2, 'O', 4},    {0x00D3, 'O', 2},
    {0x00D9, 'U', 4},    {0x00DA, 'U', 2},    {0x00E0, 'a', 4},    {0x00E1, 'a', 2},
    {0x00E8, 'e', 4},    {0x00E9, 'e', 2},    {0x00EC, 'i', 4},    {0x00ED, 'i', 2},
    {0x00F2, 'o', 4},    {0x00F3, 'o', 2},    {0x00F9, 'u', 4},    {0x00FA, 'u', 2},
    {0x0100, 'A', 1},    {0x0101, 'a', 1},    {0x0112, 'E', 1},    {0x0113, 'e', 1},
    {0x011A, 'E', 3},    {0x011B, 'e', 3},    {0x012A, 'I', 1},    {0x012B, 'i', 1},
    {0x0143, 'N', 2},    {0x0144, 'n', 2},    {0x0147, 'N', 3},    {0x0148, 'n', 3},
    {0x014C, 'O', 1},    {0x014D, 'o', 1},    {0x016A, 'U', 1},    {0x016B, 'u', 1},
    {0x01CD, 'A', 3},    {0x01CE, 'a', 3},    {0x01CF, 'I', 3},    {0x01D0, 'i', 3},
    {0x01D1, 'O', 3},    {0x01D2, 'o', 3},    {0x01D3, 'U', 3},    {0x01D4, 'u', 3},
    {0x01D5, 0x00DC, 1}, {0x01D6, 0x00FC, 1}, {0x01D7, 0x00DC, 2}, {0x01D8, 0x00FC, 2},
    {0x01D9, 0x00DC, 3}, {0x01DA, 0x00FC, 3}, {0x01DB, 0x00DC, 4}, {0x01DC, 0x00FC, 4},
    {0x01F8, 'N', 4},    {0x01F9, 'n', 4},    {0x1E3E, 'M', 2},    {0x1E3F, 'm', 2},
    {0x1EBE, 0x00CA, 2}, {0x1EBF, 0x00EA, 2}, {0x1EC0, 0x00CA, 4}, {0x1EC1, 0x00EA, 4},
};

// The tone of a combining tone mark; 0 for any other code point.
int toneOfMark(char32_t mark)
{
    switch (mark) {
    case 0x0304:
        return 1;
    case 0x0301:
        return 2;
    case 0x030C:
        return 3;
    case 0x0300:
        return 4;
    default:
        return 0;
    }
}

const MarkedLetter* findMarkedLetter(char32_t letter)
{
    const auto* end = std::end(markedLetters);
    const auto* found = std::lower_bound(
        std::begin(markedLetters), end, letter,
        [](const MarkedLetter& entry, char32_t value) { return entry.marked < value; });
    return found != end && found->marked == letter ? found : nullptr;
}

} // namespace

int ToneOf(std::string_view syllable)
{
    for (std::size_t i = 0; i < syllable.size();) {
        const utf8::Decoded decoded = utf8::decodeAt(syllable, i);
        i += decoded.length;
        if (!decoded.wellFormed)
            continue; // a stray byte carries no mark
        if (const int tone = toneOfMark(decoded.codePoint))
            return tone;
        if (const MarkedLetter* marked = findMarkedLetter(decoded.codePoint))
            return marked->tone;
    }
    return 0;
}

std::string toneless(std::string_view syllable)
{
    std::string plain;
    for (std::size_t i = 0; i < syllable.size();) {
        const utf8::Decoded decoded = utf8::decodeAt(syllable, i);
        if (!decoded.wellFormed) {
            plain += syllable[i]; // kept as it is
        } else if (toneOfMark(decoded.codePoint) == 0) {
            const MarkedLetter* marked = findMarkedLetter(decoded.codePoint);
            utf8::append(plain, marked ? marked->plain : decoded.codePoint);
        }
        i += decoded.length;
    }
    return plain;
}
