#include "character_info.h"

#include <algorithm>
#include <iterator>

namespace {

struct MarkedLetter {
    char32_t letter;
    int tone;
};

// Precomposed Latin letters carrying a tone mark, lower and upper case, sorted by code point.
constexpr MarkedLetter markedLetters[] = {
    {0x00C0, 4}, {0x00C1, 2}, {0x00C8, 4}, {0x00C9, 2}, {0x00CC, 4}, {0x00CD, 2}, {0x00D2, 4},
    {0x00D3, 2}, {0x00D9, 4}, {0x00DA, 2}, {0x00E0, 4}, {0x00E1, 2}, {0x00E8, 4}, {0x00E9, 2},
    {0x00EC, 4}, {0x00ED, 2}, {0x00F2, 4}, {0x00F3, 2}, {0x00F9, 4}, {0x00FA, 2}, {0x0100, 1},
    {0x0101, 1}, {0x0112, 1}, {0x0113, 1}, {0x011A, 3}, {0x011B, 3}, {0x012A, 1}, {0x012B, 1},
    {0x0143, 2}, {0x0144, 2}, {0x0147, 3}, {0x0148, 3}, {0x014C, 1}, {0x014D, 1}, {0x016A, 1},
    {0x016B, 1}, {0x01CD, 3}, {0x01CE, 3}, {0x01CF, 3}, {0x01D0, 3}, {0x01D1, 3}, {0x01D2, 3},
    {0x01D3, 3}, {0x01D4, 3}, {0x01D5, 1}, {0x01D6, 1}, {0x01D7, 2}, {0x01D8, 2}, {0x01D9, 3},
    {0x01DA, 3}, {0x01DB, 4}, {0x01DC, 4}, {0x01F8, 4}, {0x01F9, 4}, {0x1E3E, 2}, {0x1E3F, 2},
    {0x1EBE, 2}, {0x1EBF, 2}, {0x1EC0, 4}, {0x1EC1, 4},
};

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

int toneOfLetter(char32_t letter)
{
    if (const int tone = toneOfMark(letter))
        return tone;
    const auto* end = std::end(markedLetters);
    const auto* found = std::lower_bound(
        std::begin(markedLetters), end, letter,
        [](const MarkedLetter& entry, char32_t value) { return entry.letter < value; });
    return found != end && found->letter == letter ? found->tone : 0;
}

} // namespace

int ToneOf(std::string_view syllable)
{
    // Walks the UTF-8 text code point by code point; a malformed byte counts as a letter
    // without a mark.
    std::size_t i = 0;
    while (i < syllable.size()) {
        const auto lead = static_cast<unsigned char>(syllable[i]);
        const int length = lead < 0x80       ? 1
                           : lead >> 5 == 6  ? 2
                           : lead >> 4 == 14 ? 3
                           : lead >> 3 == 30 ? 4
                                             : 1;
        if (i + static_cast<std::size_t>(length) > syllable.size())
            break;
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(syllable[i + k]) & 0x3F);
        if (const int tone = toneOfLetter(codePoint))
            return tone;
        i += static_cast<std::size_t>(length);
    }
    return 0;
}
