#pragma once

#include <map>
#include <string>
#include <string_view>

// The GBK bytes of the characters a test uses, with their code points.
using GbkCharacters = std::map<std::string, char32_t, std::less<>>;

// Decodes the characters of `characters` and ASCII; anything else is U+FFFD, as the window's
// codec gives for bytes that do not decode.
inline std::u32string decodeWith(const GbkCharacters& characters, std::string_view gbk)
{
    std::u32string text;
    for (std::size_t i = 0; i < gbk.size();) {
        const auto byte = static_cast<unsigned char>(gbk[i]);
        if (byte < 0x80) {
            text += char32_t(byte);
            ++i;
            continue;
        }
        const auto found = characters.find(gbk.substr(i, 2));
        text += found == characters.end() ? U'\uFFFD' : found->second;
        i += 2;
    }
    return text;
}
