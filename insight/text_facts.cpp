#include "insight/text_facts.h"

#include "hanzi/character_info.h"
#include "hanzi/utf8.h"
#include "insight/homophones.h"
#include "insight/level_tones.h"

namespace {

std::u32string decoded(std::string_view text)
{
    std::u32string codePoints;
    for (std::size_t offset = 0; offset < text.size();) {
        const utf8::Decoded character = utf8::decodeAt(text, offset);
        codePoints += character.wellFormed ? character.codePoint : U'\uFFFD';
        offset += character.length;
    }
    return codePoints;
}

} // namespace

TextFacts textFactsOf(std::string_view name, int surnameLength, const PoetryCorpus* corpus,
                      Collections collections)
{
    const std::u32string characters = decoded(name);
    const std::size_t surname =
        std::min(characters.size(), static_cast<std::size_t>(std::max(surnameLength, 0)));
    const std::vector<std::string> surnameReadings =
        SurnameReadings(std::u32string_view(characters).substr(0, surname));
    TextFacts facts;
    std::vector<int> tones;
    std::vector<Syllable> syllables;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::optional<CharacterInfo> info = LookUpCharacter(characters[i]);
        std::string reading = i < surname ? surnameReadings[i]
                              : info      ? std::string(info->readingInName())
                                          : std::string();
        if (i > 0) {
            facts.readings += ' ';
            facts.strokeText += '+';
        }
        facts.readings += reading.empty() ? std::string("?") : reading;
        tones.push_back(reading.empty() ? 0 : ToneOf(reading));
        syllables.push_back(SyllableOf(reading));
        const int strokes = info ? info->strokes : 0;
        facts.strokes += strokes;
        facts.strokeText += strokes > 0 ? std::to_string(strokes) : std::string("?");
    }
    facts.strokeText += '=' + std::to_string(facts.strokes);
    facts.levels = LevelText(tones);
    facts.homophones = HomophoneText(syllables, surname);
    if (corpus)
        facts.source =
            corpus->sourceOf(std::u32string_view(characters).substr(surname), collections);
    return facts;
}

int surnameLengthOf(std::string_view name)
{
    const std::u32string characters = decoded(name);
    return characters.size() > 2 && IsCompoundSurname(std::u32string_view(characters).substr(0, 2))
               ? 2
               : 1;
}
