#include "toneless.h"

#include "utf8.h"

#include <algorithm>
#include <iterator>

namespace {

struct MarkedLetter {
    char32_t marked;
    char32_t plain;
};

// The Latin letters that carry a pinyin tone mark, sorted by code point, with their letter.
constexpr MarkedLetter markedLetters[] = {
    {0x00C0, 'A'},    {0x00C1, 'A'},    {0x00C8, 'E'},    {0x00C9, 'E'},    {0x00CC, 'I'},
    {0x00CD, 'I'},    {0x00D2, 'O'},    {0x00D3, 'O'},    {0x00D9, 'U'},    {0x00DA, 'U'},
    {0x00E0, 'a'},    {0x00E1, 'a'},    {0x00E8, 'e'},    {0x00E9, 'e'},    {0x00EC, 'i'},
    {0x00ED, 'i'},    {0x00F2, 'o'},    {0x00F3, 'o'},    {0x00F9, 'u'},    {0x00FA, 'u'},
    {0x0100, 'A'},    {0x0101, 'a'},    {0x0112, 'E'},    {0x0113, 'e'},    {0x011A, 'E'},
    {0x011B, 'e'},    {0x012A, 'I'},    {0x012B, 'i'},    {0x0143, 'N'},    {0x0144, 'n'},
    {0x0147, 'N'},    {0x0148, 'n'},    {0x014C, 'O'},    {0x014D, 'o'},    {0x016A, 'U'},
    {0x016B, 'u'},    {0x01CD, 'A'},    {0x01CE, 'a'},    {0x01CF, 'I'},    {0x01D0, 'i'},
    {0x01D1, 'O'},    {0x01D2, 'o'},    {0x01D3, 'U'},    {0x01D4, 'u'},    {0x01D5, 0x00DC},
    {0x01D6, 0x00FC}, {0x01D7, 0x00DC}, {0x01D8, 0x00FC}, {0x01D9, 0x00DC}, {0x01DA, 0x00FC},
    {0x01DB, 0x00DC}, {0x01DC, 0x00FC}, {0x01F8, 'N'},    {0x01F9, 'n'},    {0x1E3E, 'M'},
    {0x1E3F, 'm'},    {0x1EBE, 0x00CA}, {0x1EBF, 0x00EA}, {0x1EC0, 0x00CA}, {0x1EC1, 0x00EA},
};

bool isToneMark(char32_t c)
{
    return c == 0x0300 || c == 0x0301 || c == 0x0304 || c == 0x030C;
}

char32_t plainLetter(char32_t c)
{
    const auto* end = std::end(markedLetters);
    const auto* found = std::lower_bound(
        std::begin(markedLetters), end, c,
        [](const MarkedLetter& entry, char32_t value) { return entry.marked < value; });
    return found != end && found->marked == c ? found->plain : c;
}

} // namespace

std::string toneless(std::string_view syllable)
{
    std::string plain;
    for (std::size_t i = 0; i < syllable.size();) {
        // Decodes one UTF-8 sequence; a malformed byte is kept as it is.
        const auto lead = static_cast<unsigned char>(syllable[i]);
        const std::size_t length = lead < 0x80    ? 1
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 1;
        if (length == 1 || i + length > syllable.size()) {
            plain += syllable[i++];
            continue;
        }
        char32_t c = lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(syllable[i + k]) & 0x3F);
        i += length;
        if (!isToneMark(c))
            utf8::append(plain, plainLetter(c));
    }
    return plain;
}
