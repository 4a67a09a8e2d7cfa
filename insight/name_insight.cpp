#include "insight/name_insight.h"

#include "hanzi/character_meaning.h"
#include "hanzi/utf8.h"
#include "insight/level_tones.h"

#include <algorithm>
#include <numeric>

namespace {

using Character = NameInsight::Character;
using Characters = std::vector<const Character*>;

Character describe(char32_t codePoint, std::string reading)
{
    Character character{codePoint, LookUpCharacter(codePoint), {}, 0};
    if (character.info) {
        character.reading =
            reading.empty() ? std::string(character.info->readingInName()) : std::move(reading);
        character.tone = ToneOf(character.reading);
        character.syllable = SyllableOf(character.reading);
    }
    return character;
}

std::string text(const Character& character)
{
    std::string text;
    utf8::append(text, character.codePoint);
    return text;
}

template <typename Each>
std::string joined(const Characters& characters, std::string_view separator, Each each)
{
    std::string text;
    for (const Character* character : characters) {
        if (!text.empty())
            text += separator;
        text += each(*character);
    }
    return text;
}

// The covered characters among `characters`, each code point once, in order.
Characters distinctCovered(Characters::const_iterator begin, Characters::const_iterator end)
{
    Characters distinct;
    for (auto it = begin; it != end; ++it) {
        const char32_t codePoint = (*it)->codePoint;
        if ((*it)->covered() &&
            std::none_of(distinct.begin(), distinct.end(), [codePoint](const Character* seen) {
                return seen->codePoint == codePoint;
            }))
            distinct.push_back(*it);
    }
    return distinct;
}

bool anyCovered(const Characters& characters)
{
    return std::ranges::any_of(characters, [](const Character* c) { return c->covered(); });
}

std::string strokeText(const Character& character)
{
    return character.covered() && character.info->strokes > 0
               ? std::to_string(character.info->strokes)
               : std::string("?");
}

} // namespace

NameInsight::NameInsight(NameList names, const Decoder& decode)
    : m_names(std::move(names))
{
    const std::u32string surname = decode(m_names.surname());
    std::vector<std::string> surnameReadings = SurnameReadings(surname);
    m_surname.reserve(surname.size());
    for (std::size_t i = 0; i < surname.size(); ++i)
        m_surname.push_back(describe(surname[i], std::move(surnameReadings[i])));

    // Most units are one character.
    m_unitCharacters.reserve(m_names.unitCount());
    m_unitBegin.reserve(m_names.unitCount() + 1);
    m_unitBegin.push_back(0);
    for (std::uint64_t i = 0; i < m_names.unitCount(); ++i) {
        for (const char32_t codePoint : decode(m_names.unit(i)))
            m_unitCharacters.push_back(describe(codePoint, {}));
        m_unitBegin.push_back(static_cast<std::uint32_t>(m_unitCharacters.size()));
    }
}

std::span<const Character> NameInsight::unit(std::uint64_t index) const
{
    return std::span(m_unitCharacters)
        .subspan(m_unitBegin[index], m_unitBegin[index + 1] - m_unitBegin[index]);
}

Characters NameInsight::characters(std::uint64_t row) const
{
    Characters characters;
    for (const Character& character : m_surname)
        characters.push_back(&character);
    for (int position = 0; position < m_names.unitsPerName(); ++position) {
        for (const Character& character : unit(m_names.unitIndex(row, position)))
            characters.push_back(&character);
    }
    return characters;
}

std::string NameInsight::readings(std::uint64_t row) const
{
    return joined(characters(row), " ", [](const Character& character) {
        return character.covered() ? character.reading : std::string("?");
    });
}

std::string NameInsight::toneDigits(std::uint64_t row) const
{
    return joined(characters(row), "-", [](const Character& character) {
        return character.covered() ? std::to_string(character.tone) : std::string("?");
    });
}

std::vector<int> NameInsight::strokes(std::uint64_t row) const
{
    std::vector<int> strokes;
    for (const Character* character : characters(row))
        strokes.push_back(character->covered() ? character->info->strokes : 0);
    return strokes;
}

int NameInsight::totalStrokes(std::uint64_t row) const
{
    const std::vector<int> each = strokes(row);
    return std::accumulate(each.begin(), each.end(), 0);
}

std::vector<bool> NameInsight::outsideStandard(std::uint64_t row) const
{
    std::vector<bool> outside;
    for (const Character* character : characters(row))
        outside.push_back(character->covered() && !character->info->generalStandard);
    return outside;
}

std::vector<Syllable> NameInsight::syllables(std::uint64_t row) const
{
    std::vector<Syllable> syllables;
    for (const Character* character : characters(row))
        syllables.push_back(character->syllable);
    return syllables;
}

std::string NameInsight::levels(std::uint64_t row) const
{
    std::vector<int> tones;
    for (const Character* character : characters(row))
        tones.push_back(character->covered() ? character->tone : 0);
    return LevelText(tones);
}

std::string NameInsight::homophones(std::uint64_t row) const
{
    return HomophoneText(syllables(row), m_surname.size());
}

bool NameInsight::hasUnseemlyHomophone(std::uint64_t row) const
{
    return HasUnseemlyHomophone(syllables(row), m_surname.size());
}

std::string NameInsight::soundLines(std::uint64_t row) const
{
    if (!anyCovered(characters(row)))
        return {};
    std::string lines = "平仄：" + levels(row);
    if (const std::string words = homophones(row); !words.empty())
        lines += "\n谐音：" + words;
    return lines;
}

std::string NameInsight::tooltip(std::uint64_t row) const
{
    const Characters all = characters(row);
    std::string tip = joined(all, "", text);
    const Characters covered = distinctCovered(all.begin(), all.end());
    if (covered.empty())
        return tip;

    tip += "\n读音：" + readings(row) + "（" + toneDigits(row) + "）";
    tip += "\n笔画：" +
           joined(all, " + ",
                  [](const Character& character) {
                      return text(character) + ' ' + strokeText(character);
                  }) +
           " = " + std::to_string(totalStrokes(row));

    const Characters given = distinctCovered(all.begin() + std::ssize(m_surname), all.end());
    for (const Character* character : given) {
        const std::vector<std::string>& readings = character->info->readings;
        if (readings.size() > 1) {
            tip += "\n多音字：" + text(*character) + ' ';
            for (std::size_t i = 0; i < readings.size(); ++i)
                tip += (i == 0 ? "" : " / ") + readings[i];
        }
    }
    for (const Character* character : covered) {
        if (!character->info->generalStandard)
            tip += "\n注意：「" + text(*character) +
                   "」不在《通用规范汉字表》内，户籍登记和身份证系统可能无法录入。";
    }
    for (const Character* character : given) {
        if (const std::string_view meaning = MeaningOf(character->codePoint); !meaning.empty())
            tip += "\n字义：" + text(*character) + ' ' + std::string(meaning);
        if (!character->info->definition.empty())
            tip += "\n英译：" + text(*character) + ' ' + character->info->definition;
    }
    return tip + '\n' + soundLines(row);
}

std::string NameInsight::columnText(std::uint64_t row) const
{
    if (!anyCovered(characters(row)))
        return {};
    return readings(row) + "（" + toneDigits(row) + "）  " + std::to_string(totalStrokes(row)) +
           " 画" + (hasUnseemlyHomophone(row) ? "  ⚠谐音不雅" : "");
}
