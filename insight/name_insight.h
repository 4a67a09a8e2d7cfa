#pragma once

#include "hanzi/character_info.h"
#include "insight/homophones.h"
#include "naming/name_list.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One character of a name as the program reads it.
struct NameCharacter {
    char32_t codePoint = 0;
    // Empty for a character the table does not cover ('?', U+FFFD, Latin letters...).
    std::optional<CharacterInfo> info;
    // The reading the name gives it: the surname reading in the surname, the reading in a
    // name (CharacterInfo::readingInName) elsewhere; empty when not covered.
    std::string reading;
    int tone = 0;
    Syllable syllable = kNoSyllable; // of `reading`, for finding homophones

    bool covered() const { return info.has_value(); }
};

// The characters of `text` read as a name whose first `surnameLength` characters (at most all)
// are the surname: those as a surname (SurnameReadings), the others as given-name characters.
std::vector<NameCharacter> describeName(std::u32string_view text, std::size_t surnameLength);

// What the characters of one name, the surname's first, say about it together. Every name the
// program shows, a row of a list or a favourite, is told about by this one code.
class NameCharacters final {
public:
    NameCharacters(std::vector<const NameCharacter*> characters, std::size_t surnameLength);
    // The characters of `characters`, which must outlive this.
    NameCharacters(std::span<const NameCharacter> characters, std::size_t surnameLength);

    // The characters after the surname.
    std::u32string givenName() const;
    // One syllable per character, space-separated; '?' stands for a character not covered.
    std::string readings() const;
    // One digit per character (0 for the neutral tone, '?' when not covered), '-'-separated.
    std::string toneDigits() const;
    // Strokes per character (0 when unknown or not covered) and their sum.
    std::vector<int> strokes() const;
    int totalStrokes() const;
    // The strokes of each character and their sum, "7+11+8=26", '?' for unknown strokes.
    std::string strokeSum() const;
    // True for each covered character outside the general standard list.
    std::vector<bool> outsideStandard() const;
    // 平仄: 平, 仄 or ？ per character (see LevelText).
    std::string levels() const;
    // The everyday words the name sounds like (see HomophoneText), and whether one is unseemly.
    std::string homophones() const;
    bool hasUnseemlyHomophone() const;
    // The tooltip's lines about the sound of the whole name: 平仄, and 谐音 when there are
    // homophones; empty when no character is covered.
    std::string soundLines() const;
    // Multi-line text for the name's tooltip, UTF-8; each given-name character's 字义 line comes
    // before its English gloss (英译).
    std::string tooltip() const;
    // The single line of the reading column: readings, tone digits, total strokes, and a mark
    // when the name sounds like an unseemly word.
    std::string columnText() const;

private:
    std::vector<Syllable> syllables() const;

    std::vector<const NameCharacter*> m_characters;
    std::size_t m_surnameLength;
};

// What the Unihan table says about the names of a NameList: readings with tones, strokes and
// the general standard list, for any row. Facts are gathered per character of the surname and
// of each unit once, when the insight is built, so a row's answer only joins them.
class NameInsight final {
public:
    // Turns GBK bytes into code points; bytes that do not decode give U+FFFD.
    using Decoder = std::function<std::u32string(std::string_view gbk)>;
    using Character = NameCharacter;

    NameInsight() = default;
    // The surname and every unit are decoded by themselves, never joined.
    NameInsight(NameList names, const Decoder& decode);

    const NameList& names() const { return m_names; }
    std::span<const Character> surname() const { return m_surname; }
    // The characters of unit `index` (< names().unitCount()).
    std::span<const Character> unit(std::uint64_t index) const;

    // The characters of row `row` (< names().size()): the surname's, then each unit's; the
    // given name starts at surname().size().
    std::vector<const Character*> characters(std::uint64_t row) const;
    // What they say about the row.
    NameCharacters name(std::uint64_t row) const;

    // The facts of row `row` as NameCharacters gives them.
    std::string readings(std::uint64_t row) const { return name(row).readings(); }
    std::string toneDigits(std::uint64_t row) const { return name(row).toneDigits(); }
    std::vector<int> strokes(std::uint64_t row) const { return name(row).strokes(); }
    int totalStrokes(std::uint64_t row) const { return name(row).totalStrokes(); }
    std::vector<bool> outsideStandard(std::uint64_t row) const
    {
        return name(row).outsideStandard();
    }
    std::string levels(std::uint64_t row) const { return name(row).levels(); }
    std::string homophones(std::uint64_t row) const { return name(row).homophones(); }
    bool hasUnseemlyHomophone(std::uint64_t row) const { return name(row).hasUnseemlyHomophone(); }
    std::string soundLines(std::uint64_t row) const { return name(row).soundLines(); }
    std::string tooltip(std::uint64_t row) const { return name(row).tooltip(); }
    std::string columnText(std::uint64_t row) const { return name(row).columnText(); }

private:
    NameList m_names;
    std::vector<Character> m_surname;
    // The characters of every unit, one after the other; unit i spans
    // [m_unitBegin[i], m_unitBegin[i + 1]).
    std::vector<Character> m_unitCharacters;
    std::vector<std::uint32_t> m_unitBegin;
};
