// Build tool: reads jieba's dictionary and the list of unseemly words and writes the word table
// (see word_table.h) as a C++ source file. Fails when a listed word is not a dictionary word of
// two to four characters that all have readings.
//
//   generate_word_table <output.cpp> <dict.txt> <unseemly_words.txt>
#include "hanzi/character_info.h"
#include "hanzi/table_writer.h"
#include "hanzi/toneless.h"
#include "hanzi/utf8.h"
#include "insight/word_table.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <unordered_map>

namespace {

using table_writer::writeArray;
using table_writer::writeText;

struct Word {
    std::u32string characters;
    std::uint64_t frequency = 0;
    bool unseemly = false;
};

// The toneless modern readings of `character`, or none when it has no reading.
const std::vector<std::string>& modernSounds(char32_t character)
{
    static std::unordered_map<char32_t, std::vector<std::string>> known;
    auto [found, added] = known.try_emplace(character);
    std::vector<std::string>& sounds = found->second;
    if (!added)
        return sounds;
    if (const std::optional<CharacterInfo> info = LookUpCharacter(character)) {
        for (std::size_t i = 0; i < info->modernReadings; ++i) {
            std::string sound = toneless(info->readings[i]);
            if (std::ranges::find(sounds, sound) == sounds.end())
                sounds.push_back(std::move(sound));
        }
    }
    return sounds;
}

// The dictionary's words of two to four characters that all have readings, in file order.
std::vector<Word> readDictionary(const char* path, std::set<std::u32string>& everyWord)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error(std::string("cannot open ") + path);
    std::vector<Word> words;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string text;
        Word word;
        if (!(fields >> text >> word.frequency))
            throw std::runtime_error("dictionary line without word and frequency: " + line);
        word.characters = utf8::decodeAll(text);
        everyWord.insert(word.characters);
        if (word.characters.size() >= 2 && word.characters.size() <= 4 &&
            std::ranges::all_of(word.characters,
                                [](char32_t c) { return !modernSounds(c).empty(); }))
            words.push_back(std::move(word));
    }
    return words;
}

// Flags the listed words; every one must be a dictionary word the table holds.
void markUnseemly(const char* path, const std::set<std::u32string>& everyWord,
                  std::vector<Word>& words)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error(std::string("cannot open ") + path);
    std::map<std::u32string, std::string> listed;
    std::string line;
    while (std::getline(in, line)) {
        line.erase(0, line.find_first_not_of(" \t"));
        line.erase(std::min(line.find_last_not_of(" \t\r") + 1, line.size()));
        if (!line.empty() && line.front() != '#')
            listed.emplace(utf8::decodeAll(line), line);
    }
    for (Word& word : words)
        word.unseemly = listed.contains(word.characters);
    for (const Word& word : words)
        listed.erase(word.characters);
    if (!listed.empty()) {
        std::string missing;
        for (const auto& [characters, text] : listed)
            missing += ' ' + text + (everyWord.contains(characters) ? "(unreadable)" : "");
        throw std::runtime_error("not in the dictionary as a word of 2 to 4 readable characters:" +
                                 missing);
    }
}

struct Entry {
    std::uint64_t sound;
    std::size_t word; // index into the dictionary's words, which is dictionary order
};

void writeTable(std::ostream& out, const std::vector<Word>& words)
{
    std::map<std::string, std::uint16_t> syllables;
    std::map<char32_t, std::uint16_t> characters;
    for (const Word& word : words) {
        for (const char32_t c : word.characters) {
            characters.emplace(c, 0);
            for (const std::string& sound : modernSounds(c))
                syllables.emplace(sound, 0);
        }
    }
    if (syllables.size() >= (1u << word_table::kSoundBits) ||
        characters.size() >= word_table::kUnseemlyFlag)
        throw std::runtime_error("too many syllables or characters for the table");
    std::vector<std::uint32_t> syllableBegin{0};
    std::string syllableText;
    for (auto& [text, index] : syllables) {
        index = static_cast<std::uint16_t>(syllableBegin.size() - 1);
        syllableText += text;
        syllableBegin.push_back(static_cast<std::uint32_t>(syllableText.size()));
    }
    std::vector<char32_t> characterList;
    for (auto& [c, index] : characters) {
        index = static_cast<std::uint16_t>(characterList.size());
        characterList.push_back(c);
    }

    // Every way of reading each word, by length.
    std::vector<Entry> entries[5];
    for (std::size_t w = 0; w < words.size(); ++w) {
        std::vector<std::uint64_t> sounds{0};
        for (const char32_t c : words[w].characters) {
            std::vector<std::uint64_t> longer;
            for (const std::string& syllable : modernSounds(c)) {
                for (const std::uint64_t sound : sounds)
                    longer.push_back((sound << word_table::kSoundBits) | syllables.at(syllable));
            }
            sounds = std::move(longer);
        }
        for (const std::uint64_t sound : sounds)
            entries[words[w].characters.size()].push_back({sound, w});
    }

    out << "// Generated at build time from jieba's dictionary; do not edit.\n"
        << "#include \"insight/word_table.h\"\n\nnamespace word_table {\n\n"
        << "const std::size_t kSyllableCount = " << syllables.size() << ";\n";
    writeArray(out, "std::uint32_t", "kSyllableBegin", syllableBegin);
    out << "const char kSyllableText[] =\n";
    writeText(out, syllableText);
    out << ";\n";
    writeArray(out, "char32_t", "kCharacters", characterList);

    for (std::size_t length = 2; length <= 4; ++length) {
        std::vector<Entry>& all = entries[length];
        std::ranges::stable_sort(all, [&words](const Entry& a, const Entry& b) {
            if (a.sound != b.sound)
                return a.sound < b.sound;
            return words[a.word].frequency > words[b.word].frequency;
        });
        std::vector<std::uint64_t> sounds;
        std::vector<std::uint16_t> text;
        for (std::size_t i = 0, rank = 0; i < all.size(); ++i) {
            rank = i > 0 && all[i - 1].sound == all[i].sound ? rank + 1 : 0;
            const Word& word = words[all[i].word];
            if (rank >= 3 && !word.unseemly)
                continue;
            sounds.push_back(all[i].sound);
            for (std::size_t k = 0; k < length; ++k) {
                text.push_back(static_cast<std::uint16_t>(
                    characters.at(word.characters[k]) |
                    (k == 0 && word.unseemly ? word_table::kUnseemlyFlag : 0)));
            }
        }
        const std::string suffix = std::to_string(length);
        out << "const std::size_t kEntries" << suffix << " = " << sounds.size() << ";\n";
        writeArray(out, length == 4 ? "std::uint64_t" : "std::uint32_t",
                   ("kSounds" + suffix).c_str(), sounds);
        writeArray(out, "std::uint16_t", ("kWords" + suffix).c_str(), text);
    }
    out << "\n} // namespace word_table\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: " << argv[0] << " <output.cpp> <dict.txt> <unseemly_words.txt>\n";
        return 2;
    }
    return table_writer::writeSourceFile(argv[0], argv[1], [argv](std::ostream& out) {
        std::set<std::u32string> everyWord;
        std::vector<Word> words = readDictionary(argv[2], everyWord);
        markUnseemly(argv[3], everyWord, words);
        writeTable(out, words);
    });
}
