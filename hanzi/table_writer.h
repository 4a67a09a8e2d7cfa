#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
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

// Runs `write` on a stream and saves what it wrote as `path`. When anything throws, reports the
// error as `program`'s, leaves no file at `path` and returns 1; returns 0 otherwise.
template <typename Write>
int writeSourceFile(const char* program, const char* path, Write write)
{
    try {
        std::ostringstream table;
        write(table);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << table.str();
        out.close();
        if (!out)
            throw std::runtime_error(std::string("cannot write ") + path);
    } catch (const std::exception& error) {
        std::cerr << program << ": " << error.what() << '\n';
        std::remove(path);
        return 1;
    }
    return 0;
}

} // namespace table_writer
