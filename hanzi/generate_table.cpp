// Build tool: reads the bzip2-compressed Unihan files named on the command line and writes the
// character table (see unihan_table.h) as a C++ source file.
//
//   generate_table <output.cpp> <Unihan_Readings.txt.bz2> <Unihan_IRGSources.txt.bz2>...
#include "hanzi/table_writer.h"
#include "hanzi/unihan_parser.h"
#include "hanzi/unihan_table.h"

#include <algorithm>
#include <bzlib.h>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <unordered_map>

namespace {

using table_writer::writeArray;
using table_writer::writeText;

std::string decompress(const char* path)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), &std::fclose);
    if (!file)
        throw std::runtime_error(std::string("cannot open ") + path);
    int error = BZ_OK;
    const std::unique_ptr<BZFILE, void (*)(BZFILE*)> bz(
        BZ2_bzReadOpen(&error, file.get(), 0, 0, nullptr, 0), [](BZFILE* handle) {
            int ignored = BZ_OK;
            BZ2_bzReadClose(&ignored, handle);
        });
    if (error != BZ_OK)
        throw std::runtime_error(std::string("not a bzip2 file: ") + path);
    std::string text;
    char buffer[1 << 16];
    while (error == BZ_OK) {
        const int got = BZ2_bzRead(&error, bz.get(), buffer, sizeof buffer);
        if (error != BZ_OK && error != BZ_STREAM_END)
            throw std::runtime_error(std::string("damaged bzip2 data in ") + path);
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

void writeTable(std::ostream& out, const std::map<char32_t, unihan::Record>& records)
{
    std::vector<std::uint32_t> pageFirst(unihan_table::kPageCount, 0);
    std::vector<std::uint64_t> pageBits(unihan_table::kPageCount * unihan_table::kWordsPerPage, 0);
    std::uint32_t entries = 0;
    std::vector<std::uint8_t> strokesAndFlags;
    std::vector<std::uint32_t> readingBegin{0};
    std::vector<std::uint16_t> readings;
    std::vector<std::uint8_t> nameReading;
    std::vector<std::uint8_t> modernReadings;
    std::vector<std::uint32_t> syllableBegin{0};
    std::string syllableText;
    std::unordered_map<std::string, std::uint16_t> syllables;
    std::vector<std::uint32_t> definitionBegin{0};
    std::string definitionText;

    for (const auto& [codePoint, record] : records) {
        if (record.strokes >= unihan_table::kGeneralStandardFlag)
            throw std::runtime_error("stroke count too large for the table");
        pageBits[codePoint / 64] |= std::uint64_t(1) << (codePoint % 64);
        ++entries;
        if (codePoint / 256 + 1 < unihan_table::kPageCount)
            pageFirst[codePoint / 256 + 1] = entries;
        strokesAndFlags.push_back(static_cast<std::uint8_t>(
            record.strokes | (record.generalStandard ? unihan_table::kGeneralStandardFlag : 0)));
        for (const std::string& reading : record.readings) {
            auto [found, added] =
                syllables.try_emplace(reading, static_cast<std::uint16_t>(syllables.size()));
            if (added) {
                if (syllables.size() > std::numeric_limits<std::uint16_t>::max())
                    throw std::runtime_error("too many distinct syllables for the table");
                syllableText += reading;
                syllableBegin.push_back(static_cast<std::uint32_t>(syllableText.size()));
            }
            readings.push_back(found->second);
        }
        readingBegin.push_back(static_cast<std::uint32_t>(readings.size()));
        if (record.readings.size() > std::numeric_limits<std::uint8_t>::max())
            throw std::runtime_error("too many readings of one character for the table");
        nameReading.push_back(static_cast<std::uint8_t>(record.nameReading));
        modernReadings.push_back(static_cast<std::uint8_t>(record.modernReadings));
        definitionText += record.definition;
        definitionBegin.push_back(static_cast<std::uint32_t>(definitionText.size()));
    }

    // A page without covered code points starts where the page before it ends.
    for (std::size_t page = 1; page < unihan_table::kPageCount; ++page)
        pageFirst[page] = std::max(pageFirst[page], pageFirst[page - 1]);

    out << "// Generated at build time from the Unihan database; do not edit.\n"
        << "#include \"hanzi/unihan_table.h\"\n\nnamespace unihan_table {\n\n"
        << "// " << entries << " covered code points.\n";
    writeArray(out, "std::uint32_t", "kPageFirst", pageFirst);
    writeArray(out, "std::uint64_t", "kPageBits", pageBits);
    writeArray(out, "std::uint8_t", "kStrokesAndFlags", strokesAndFlags);
    writeArray(out, "std::uint32_t", "kReadingBegin", readingBegin);
    writeArray(out, "std::uint16_t", "kReadings", readings);
    writeArray(out, "std::uint8_t", "kNameReading", nameReading);
    writeArray(out, "std::uint8_t", "kModernReadings", modernReadings);
    writeArray(out, "std::uint32_t", "kSyllableBegin", syllableBegin);
    writeArray(out, "std::uint32_t", "kDefinitionBegin", definitionBegin);
    out << "const char kSyllableText[] =\n";
    writeText(out, syllableText);
    out << ";\nconst char kDefinitionText[] =\n";
    writeText(out, definitionText);
    out << ";\n\n} // namespace unihan_table\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: " << argv[0] << " <output.cpp> <Unihan file.bz2>...\n";
        return 2;
    }
    return table_writer::writeSourceFile(argv[0], argv[1], [argc, argv](std::ostream& out) {
        unihan::Parser parser;
        for (int i = 2; i < argc; ++i) {
            std::istringstream text(decompress(argv[i]));
            parser.read(text);
        }
        writeTable(out, parser.records());
    });
}
