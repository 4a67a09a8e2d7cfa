#include "insight/name_insight.h"

#include "hanzi/character_meaning.h"
#include "hanzi/utf8.h"
#include "insight/level_tones.h"

#include <algorithm>
#include <numeric>

namespace {

using Character = NameCharacter;
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

std::vector<NameCharacter> describeName(std::u32string_view text, std::size_t surnameLength)
{
    const std::size_t surname = std::min(surnameLength, text.size());
    std::vector<std::string> surnameReadings = SurnameReadings(text.substr(0, surname));
    std::vector<NameCharacter> characters;
    characters.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        characters.push_back(describe(text[i], i < surname ? std::move(surnameReadings[i]) : ""));
    return characters;
}

NameCharacters::NameCharacters(std::vector<const NameCharacter*> characters,
                               std::size_t surnameLength)
    : m_characters(std::move(characters))
    , m_surnameLength(std::min(surnameLength, m_characters.size()))
{
}

NameCharacters::NameCharacters(std::span<const NameCharacter> characters, std::size_t surnameLength)
    : NameCharacters(
          [characters] {
              Characters pointers;
              for (const NameCharacter& character : characters)
                  pointers.push_back(&character);
              return pointers;
          }(),
          surnameLength)
{
}

std::u32string NameCharacters::givenName() const
{
    std::u32string name;
    for (std::size_t i = m_surnameLength; i < m_characters.size(); ++i)
        name += m_characters[i]->codePoint;
    return name;
}

std::string NameCharacters::readings() const
{
    return joined(m_characters, " ", [](const Character& character) {
        return character.covered() ? character.reading : std::string("?");
    });
}

std::string NameCharacters::toneDigits() const
{
    return joined(m_characters, "-", [](const Character& character) {
        return character.covered() ? std::to_string(character.tone) : std::string("?");
    });
}

std::vector<int> NameCharacters::strokes() const
{
    std::vector<int> strokes;
    for (const Character* character : m_characters)
        strokes.push_back(character->covered() ? character->info->strokes : 0);
    return strokes;
}

int NameCharacters::totalStrokes() const
{
    const std::vector<int> each = strokes();
    return std::accumulate(each.begin(), each.end(), 0);
}

std::string NameCharacters::strokeSum() const
{
    return joined(m_characters, "+", strokeText) + '=' + std::to_string(totalStrokes());
}

std::vector<bool> NameCharacters::outsideStandard() const
{
    std::vector<bool> outside;
    for (const Character* character : m_characters)
        outside.push_back(character->covered() && !character->info->generalStandard);
    return outside;
}

std::vector<Syllable> NameCharacters::syllables() const
{
    std::vector<Syllable> syllables;
    for (const Character* character : m_characters)
        syllables.push_back(character->syllable);
    return syllables;
}

std::string NameCharacters::levels() const
{
    std::vector<int> tones;
    for (const Character* character : m_characters)
        tones.push_back(character->covered() ? character->tone : 0);
    return LevelText(tones);
}

std::string NameCharacters::homophones() const
{
    return HomophoneText(syllables(), m_surnameLength);
}

bool NameCharacters::hasUnseemlyHomophone() const
{
    return HasUnseemlyHomophone(syllables(), m_surnameLength);
}

std::string NameCharacters::soundLines() const
{
    if (!anyCovered(m_characters))
        return {};
    std::string lines = "平仄：" + levels();
    if (const std::string words = homophones(); !words.empty())
        lines += "\n谐音：" + words;
    return lines;
}

std::string NameCharacters::tooltip() const
{
    const Characters& all = m_characters;
    std::string tip = joined(all, "", text);
    const Characters covered = distinctCovered(all.begin(), all.end());
    if (covered.empty())
        return tip;

    tip += "\n读音：" + readings() + "（" + toneDigits() + "）";
    tip += "\n笔画：" +
           joined(all, " + ",
                  [](const Character& character) {
                      return text(character) + ' ' + strokeText(character);
                  }) +
           " = " + std::to_string(totalStrokes());

    const Characters given =
        distinctCovered(all.begin() + static_cast<std::ptrdiff_t>(m_surnameLength), all.end());
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
    return tip + '\n' + soundLines();
}

std::string NameCharacters::columnText() const
{
    if (!anyCovered(m_characters))
        return {};
    return readings() + "（" + toneDigits() + "）  " + std::to_string(totalStrokes()) + " 画" +
           (hasUnseemlyHomophone() ? "  ⚠谐音不雅" : "");
}

NameInsight::NameInsight(NameList names, const Decoder& decode)
    : m_names(std::move(names))
{
    const std::u32string surname = decode(m_names.surname());
    m_surname = describeName(surname, surname.size());

    // Most units are one character.
    m_unitCharacters.reserve(m_names.unitCount());
    m_unitBegin.reserve(m_names.unitCount() + 1);
    m_unitBegin.push_back(0);
    for (std::uint64_t i = 0; i < m_names.unitCount(); ++i) {
        for (NameCharacter& character : describeName(decode(m_names.unit(i)), 0))
            m_unitCharacters.push_back(std::move(character));
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

NameCharacters NameInsight::name(std::uint64_t row) const
{
    return NameCharacters(characters(row), m_surname.size());
}
