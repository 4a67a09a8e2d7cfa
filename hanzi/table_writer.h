#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>

// Helpers of the build tools that write generated tables as C++ source.
namespace table_writer {

// Writes bytes as a string literal; everything but printable ASCII is an octal escape.
inline void writeText(std::ostream& out, const std::string& text)
{
    constexpr std::size_t lineLength = 100;
    out << '"';
    std::size_t column = 0;
    bool lastWasOctal = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool printable = byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\' && c != '?';
        if (printable && !(lastWasOctal && c >= '0' && c <= '7')) {
            out << c;
            lastWasOctal = false;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            out << escape;
            lastWasOctal = true;
        }
        if (++column >= lineLength) {
            out << "\"\n\"";
            column = 0;
            lastWasOctal = false;
        }
    }
    out << '"';
}

// Writes `const type name[] = {...};` with the values as unsigned literals.
template <typename Values>
void writeArray(std::ostream& out, const char* type, const char* name, const Values& values)
{
    out << "const " << type << ' ' << name << "[] = {";
    std::size_t i = 0;
    for (const auto value : values)
        out << (i++ % 12 == 0 ? "\n" : "") << static_cast<std::uint64_t>(value) << "u,";
    out << "\n};\n";
}

} // namespace table_writer
