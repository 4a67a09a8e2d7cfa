#pragma once

#include <string>
#include <string_view>

// Byte-level helpers for code page 936 text, where a lead byte and the byte after it form
// one character and every other byte is a character by itself.
namespace gbk {

constexpr bool isLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

// Length in bytes of the character that starts at `offset` (1 or 2).
constexpr std::size_t characterLength(std::string_view text, std::size_t offset)
{
    return isLeadByte(static_cast<unsigned char>(text[offset])) && offset + 1 < text.size() ? 2 : 1;
}

// Removes every occurrence of `pattern` that begins on a character boundary. The walk
// restarts at the byte behind each match, taking it as the start of a character.
// An empty pattern removes nothing.
std::string removeAll(std::string_view text, std::string_view pattern);

} // namespace gbk
