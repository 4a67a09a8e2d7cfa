#include "insight/name_text.h"

#include "hanzi/utf8.h"
#include "insight/export_lines.h"
#include "insight/level_tones.h"
#include "insight/meaning_text.h"
#include "insight/name_insight.h"

#include <charconv>
#include <map>

NameText::NameText(const NameInsight& insight)
    : m_insight(&insight)
    , m_surname(pieceOf(insight.surname()))
{
    m_units.reserve(insight.names().unitCount());
    std::map<std::vector<Syllable>, std::uint64_t> sounds;
    for (std::uint64_t unit = 0; unit < insight.names().unitCount(); ++unit) {
        m_units.push_back(pieceOf(insight.unit(unit)));
        std::vector<Syllable> syllables;
        for (const NameInsight::Character& character : insight.unit(unit))
            syllables.push_back(character.syllable);
        m_units.back().sound =
            sounds.try_emplace(std::move(syllables), sounds.size()).first->second;
    }
    m_soundCount = sounds.size();
}

NameText::Piece NameText::pieceOf(const auto& characters)
{
    Piece piece;
    std::u32string codePoints;
    for (const NameInsight::Character& character : characters) {
        utf8::append(piece.text, character.codePoint);
        codePoints += character.codePoint;
        const char* separator = piece.readings.empty() ? "" : " ";
        piece.readings += separator + (character.covered() ? character.reading : "?");
        piece.tones += (piece.tones.empty() ? "" : "-") +
                       (character.covered() ? std::to_string(character.tone) : "?");
        const int tone = character.covered() ? character.tone : 0;
        piece.levels += LevelText(std::span(&tone, 1));
        piece.strokes += character.covered() ? character.info->strokes : 0;
        piece.standard = piece.standard && character.covered() && character.info->generalStandard;
    }
    piece.meanings = MeaningText(codePoints);
    piece.quoted = piece.meanings.find('"') != std::string::npos;
    return piece;
}

void NameText::append(std::string& text, std::uint64_t row) const
{
    text += m_surname.text;
    const NameList& names = m_insight->names();
    for (int position = 0; position < names.unitsPerName(); ++position)
        text += m_units[names.unitIndex(row, position)].text;
}

void NameText::appendInsightFields(std::string& text, std::uint64_t row) const
{
    // Pinyin, '?', digits and the separators need no CSV quoting.
    const NameList& names = m_insight->names();
    const auto each = [&](std::string Piece::*field, char separator) {
        text += m_surname.*field;
        for (int position = 0; position < names.unitsPerName(); ++position) {
            if (!m_surname.text.empty() || position > 0)
                text += separator;
            text += m_units[names.unitIndex(row, position)].*field;
        }
        text += ',';
    };
    each(&Piece::readings, ' ');
    each(&Piece::tones, '-');
    int strokes = m_surname.strokes;
    bool standard = m_surname.standard;
    for (int position = 0; position < names.unitsPerName(); ++position) {
        const Piece& unit = m_units[names.unitIndex(row, position)];
        strokes += unit.strokes;
        standard = standard && unit.standard;
    }
    char digits[16];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, strokes).ptr);
    text += standard ? ",是" : ",否";

    text += ',' + m_surname.levels;
    std::uint64_t sounds = 0;
    for (int position = 0; position < names.unitsPerName(); ++position) {
        const Piece& unit = m_units[names.unitIndex(row, position)];
        text += unit.levels;
        sounds = sounds * m_soundCount + unit.sound;
    }
    auto [found, added] = m_homophones.try_emplace(sounds);
    if (added)
        found->second = m_insight->homophones(row);
    text += ',' + found->second;
}

void NameText::appendMeaningField(std::string& text, std::uint64_t row) const
{
    // A unit is two bytes, so it holds one Chinese character at most: a character repeats
    // where a unit's meanings repeat.
    const NameList& names = m_insight->names();
    const auto join = [&](std::string& out) {
        std::size_t joined = 0;
        for (int position = 0; position < names.unitsPerName(); ++position) {
            const std::string& meanings = m_units[names.unitIndex(row, position)].meanings;
            bool repeated = false;
            for (int earlier = 0; earlier < position; ++earlier)
                repeated = repeated || m_units[names.unitIndex(row, earlier)].meanings == meanings;
            if (meanings.empty() || repeated)
                continue;
            out += joined++ ? "｜" : "";
            out += meanings;
        }
    };
    // A valid meaning holds no comma or line break; the rare one with a quote needs quoting.
    bool quoted = false;
    for (int position = 0; position < names.unitsPerName(); ++position)
        quoted = quoted || m_units[names.unitIndex(row, position)].quoted;
    if (!quoted)
        return join(text);
    std::string field;
    join(field);
    appendCsvField(text, field);
}
