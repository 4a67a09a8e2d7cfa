// Build tool: reads the 字义 file and writes the meaning table (see meaning_table.h) as a C++
// source file. Fails, naming every line that breaks the file's rules (see meaning_file.h), when
// the file is not as they say.
//
//   generate_meaning_table <output.cpp> <character_meanings.txt>
#include "hanzi/meaning_file.h"
#include "hanzi/table_writer.h"

#include <fstream>
#include <iostream>
#include <stdexcept>

namespace {

void writeTable(std::ostream& out, const std::vector<meaning_file::Entry>& entries)
{
    std::vector<char32_t> characters;
    std::vector<std::uint32_t> meaningBegin{0};
    std::string meaningText;
    for (const meaning_file::Entry& entry : entries) {
        characters.push_back(entry.character);
        meaningText += entry.meaning;
        meaningBegin.push_back(static_cast<std::uint32_t>(meaningText.size()));
    }
    out << "// Generated at build time from res/character_meanings.txt; do not edit.\n"
        << "#include \"hanzi/meaning_table.h\"\n\nnamespace meaning_table {\n\n"
        << "const std::size_t kEntryCount = " << entries.size() << ";\n";
    table_writer::writeArray(out, "char32_t", "kCharacters", characters);
    table_writer::writeArray(out, "std::uint32_t", "kMeaningBegin", meaningBegin);
    out << "const char kMeaningText[] =\n";
    table_writer::writeText(out, meaningText);
    out << ";\n\n} // namespace meaning_table\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " <output.cpp> <character_meanings.txt>\n";
        return 2;
    }
    return table_writer::writeSourceFile(argv[0], argv[1], [argv](std::ostream& out) {
        std::ifstream in(argv[2]);
        if (!in)
            throw std::runtime_error(std::string("cannot open ") + argv[2]);
        const meaning_file::Contents contents = meaning_file::read(in);
        if (!contents.errors.empty()) {
            std::string message = argv[2];
            message += " breaks the rules of its header:";
            for (const std::string& error : contents.errors)
                message += "\n  " + error;
            throw std::runtime_error(message);
        }
        if (contents.entries.empty())
            throw std::runtime_error(std::string(argv[2]) + " holds no meanings");
        writeTable(out, contents.entries);
    });
}
