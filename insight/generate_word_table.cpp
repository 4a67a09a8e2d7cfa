// Build tool: reads jieba's dictionary, the words' readings of @pinyin-pro/data and the list of
// unseemly words, and writes the word table (see word_table.h) as a C++ source file. A dictionary
// word the readings lack is left out. Fails when a listed word is not a dictionary word of two
// to four characters with a reading.
//
//   generate_word_table <output.cpp> <dict.txt> <complete.json> <unseemly_words.txt>
#include "hanzi/character_info.h"
#include "hanzi/table_writer.h"
#include "hanzi/third_tone.h"
#include "hanzi/toneless.h"
#include "hanzi/utf8.h"
#include "insight/word_table.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
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
    std::vector<std::string> syllables; // toneless, one per character
    std::vector<int> tones;             // after the third-tone rule
    bool unseemly = false;
};

// Gathers the reading of every word of complete.json, an object mapping a word to
// [pinyin, frequency], the pinyin being tone-marked syllables separated by spaces.
class ReadingCollector final : public nlohmann::json_sax<nlohmann::json> {
public:
    std::unordered_map<std::string, std::string> readings;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool string(string_t& value) override
    {
        if (m_depth == 2 && m_first)
            readings.emplace(m_word, value);
        m_first = false;
        return true;
    }
    bool start_object(std::size_t) override { return enter(); }
    bool start_array(std::size_t) override { return enter(); }
    bool end_object() override { return leave(); }
    bool end_array() override { return leave(); }
    bool key(string_t& value) override
    {
        m_word = value;
        return true;
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) override
    {
        throw std::runtime_error("complete.json at byte " + std::to_string(position) + ": " +
                                 error.what());
    }

private:
    bool enter()
    {
        ++m_depth;
        m_first = true;
        return true;
    }
    bool leave()
    {
        --m_depth;
        return true;
    }

    int m_depth = 0;
    bool m_first = false;
    std::string m_word;
};

std::unordered_map<std::string, std::string> readReadings(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("cannot open ") + path);
    ReadingCollector collector;
    nlohmann::json::sax_parse(in, &collector);
    return std::move(collector.readings);
}

std::vector<std::string> spaceSeparated(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> pieces;
    for (std::string piece; in >> piece;)
        pieces.push_back(std::move(piece));
    return pieces;
}

// The dictionary's words of two to four characters that have a reading of one syllable per
// character, in file order.
std::vector<Word> readDictionary(const char* path,
                                 const std::unordered_map<std::string, std::string>& readings,
                                 std::set<std::u32string>& everyWord)
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
        const auto reading = readings.find(text);
        if (word.characters.size() < 2 || word.characters.size() > 4 || reading == readings.end())
            continue;
        for (const std::string& syllable : spaceSeparated(reading->second)) {
            word.syllables.push_back(toneless(syllable));
            word.tones.push_back(ToneOf(syllable));
        }
        if (word.syllables.size() != word.characters.size())
            continue;
        applyThirdToneRule(word.tones);
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

template <typename Rest>
void writeLength(std::ostream& out, std::size_t length, const std::vector<Word>& words,
                 const std::map<std::string, std::uint16_t>& syllables,
                 const std::map<char32_t, std::uint16_t>& characters, const char* restType)
{
    std::vector<std::size_t> order; // indexes into words, which are in dictionary order
    for (std::size_t w = 0; w < words.size(); ++w) {
        if (words[w].characters.size() == length)
            order.push_back(w);
    }
    const auto sound = [&](const Word& word, std::size_t from) {
        std::uint64_t value = 0;
        for (std::size_t k = from; k < length; ++k)
            value = (value << word_table::kSoundBits) | syllables.at(word.syllables[k]);
        return value;
    };
    std::ranges::stable_sort(order, [&](std::size_t a, std::size_t b) {
        const std::uint64_t soundA = sound(words[a], 0);
        const std::uint64_t soundB = sound(words[b], 0);
        return soundA != soundB ? soundA < soundB : words[a].frequency > words[b].frequency;
    });

    std::vector<std::uint32_t> first(syllables.size() + 1, 0);
    std::vector<Rest> rest;
    std::vector<std::uint16_t> text;
    std::vector<std::uint32_t> unseemly;
    for (std::size_t e = 0; e < order.size(); ++e) {
        const Word& word = words[order[e]];
        ++first[syllables.at(word.syllables[0]) + 1];
        rest.push_back(static_cast<Rest>(sound(word, 1)));
        for (std::size_t k = 0; k < length; ++k)
            text.push_back(static_cast<std::uint16_t>(characters.at(word.characters[k]) |
                                                      word.tones[k] << word_table::kCharacterBits));
        if (word.unseemly)
            unseemly.push_back(static_cast<std::uint32_t>(e));
    }
    for (std::size_t s = 1; s < first.size(); ++s)
        first[s] += first[s - 1];

    const std::string suffix = std::to_string(length);
    out << "// " << order.size() << " words of " << length << " characters.\n";
    writeArray(out, "std::uint32_t", ("kFirst" + suffix).c_str(), first);
    writeArray(out, restType, ("kRest" + suffix).c_str(), rest);
    writeArray(out, "std::uint16_t", ("kWords" + suffix).c_str(), text);
    out << "const std::size_t kUnseemlyCount" << suffix << " = " << unseemly.size() << ";\n";
    unseemly.push_back(0); // no array is empty
    writeArray(out, "std::uint32_t", ("kUnseemly" + suffix).c_str(), unseemly);
}

void writeTable(std::ostream& out, const std::vector<Word>& words)
{
    std::map<std::string, std::uint16_t> syllables;
    std::map<char32_t, std::uint16_t> characters;
    for (const Word& word : words) {
        for (const char32_t c : word.characters)
            characters.emplace(c, 0);
        for (const std::string& syllable : word.syllables)
            syllables.emplace(syllable, 0);
    }
    if (syllables.size() >= (1u << word_table::kSoundBits) ||
        characters.size() > word_table::kCharacterMask)
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

    out << "// Generated at build time from jieba's dictionary and @pinyin-pro/data; do not "
           "edit.\n"
        << "#include \"insight/word_table.h\"\n\nnamespace word_table {\n\n"
        << "const std::size_t kSyllableCount = " << syllables.size() << ";\n";
    writeArray(out, "std::uint32_t", "kSyllableBegin", syllableBegin);
    out << "const char kSyllableText[] =\n";
    writeText(out, syllableText);
    out << ";\n";
    writeArray(out, "char32_t", "kCharacters", characterList);
    writeLength<std::uint16_t>(out, 2, words, syllables, characters, "std::uint16_t");
    writeLength<std::uint32_t>(out, 3, words, syllables, characters, "std::uint32_t");
    writeLength<std::uint32_t>(out, 4, words, syllables, characters, "std::uint32_t");
    out << "\n} // namespace word_table\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: " << argv[0]
                  << " <output.cpp> <dict.txt> <complete.json> <unseemly_words.txt>\n";
        return 2;
    }
    return table_writer::writeSourceFile(argv[0], argv[1], [argv](std::ostream& out) {
        std::set<std::u32string> everyWord;
        std::vector<Word> words = readDictionary(argv[2], readReadings(argv[3]), everyWord);
        markUnseemly(argv[4], everyWord, words);
        writeTable(out, words);
    });
}
