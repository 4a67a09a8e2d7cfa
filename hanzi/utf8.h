#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace utf8 {

// Appends the UTF-8 form of `codePoint`; a surrogate or a value past U+10FFFF becomes U+FFFD.
inline void append(std::string& text, char32_t codePoint)
{
    if ((codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
        codePoint = 0xFFFD;
    const auto byte = [&text](char32_t value) { text += static_cast<char>(value); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | (codePoint >> 6));
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | (codePoint >> 12));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | (codePoint >> 18));
        byte(0x80 | ((codePoint >> 12) & 0x3F));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}

// One code point read from UTF-8 text. A byte that starts no well-formed sequence is read by
// itself, with `wellFormed` false and the byte's value as the code point.
struct Decoded {
    char32_t codePoint;
    std::size_t length;
    bool wellFormed;
};

// Reads the code point that starts at byte `offset` (< text.size()).
inline Decoded decodeAt(std::string_view text, std::size_t offset)
{
    const auto lead = static_cast<unsigned char>(text[offset]);
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    if (length == 1 || length == 0 || offset + length > text.size())
        return {lead, 1, length == 1};
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[offset + k]);
        if ((next >> 6) != 2)
            return {lead, 1, false};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return {codePoint, length, true};
}

// The code points of `text`; a byte that starts no well-formed sequence gives U+FFFD.
inline std::u32string decodeAll(std::string_view text)
{
    std::u32string codePoints;
    for (std::size_t i = 0; i < text.size();) {
        const Decoded decoded = decodeAt(text, i);
        codePoints += decoded.wellFormed ? decoded.codePoint : U'\uFFFD';
        i += decoded.length;
    }
    return codePoints;
}

} // namespace utf8
