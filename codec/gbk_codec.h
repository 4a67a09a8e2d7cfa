#pragma once

#include <QString>
#include <string>
#include <string_view>

// The window's edge to the engine: display text to code page 936 bytes and back.
class GbkCodec final {
public:
    GbkCodec() = delete;

    // A character that code page 936 cannot represent becomes '?'.
    static std::string encode(const QString& text);

    // Bytes that do not decode, such as a character cut in the middle, become U+FFFD.
    static QString decode(std::string_view bytes);
};
