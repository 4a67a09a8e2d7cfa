#include "card/spoken_pinyin.h"

#include "hanzi/toneless.h"

namespace {

// The ASCII spelling the voice expects for the letters pinyin writes with diacritics.
std::string asciiSpelling(std::string_view plain)
{
    std::string spelling;
    for (std::size_t i = 0; i < plain.size();) {
        if (plain.substr(i, 2) == "ü" || plain.substr(i, 2) == "Ü") {
            spelling += 'v';
            i += 2;
        } else if (plain.substr(i, 2) == "ê" || plain.substr(i, 2) == "Ê") {
            spelling += "ei";
            i += 2;
        } else {
            const char letter = plain[i++];
            if (letter >= 'a' && letter <= 'z')
                spelling += letter;
            else if (letter >= 'A' && letter <= 'Z')
                spelling += static_cast<char>(letter - 'A' + 'a');
        }
    }
    return spelling;
}

} // namespace

std::string numberedSyllable(std::string_view reading)
{
    std::string syllable = asciiSpelling(toneless(reading));
    if (syllable.empty())
        return syllable;
    const int tone = ToneOf(reading);
    return syllable + static_cast<char>('0' + (tone == 0 ? 5 : tone));
}

std::string spokenPinyin(std::span<const NameInsight::Character* const> characters)
{
    std::string pinyin;
    for (const NameInsight::Character* character : characters) {
        const std::string syllable =
            character->covered() ? numberedSyllable(character->reading) : std::string();
        if (syllable.empty())
            continue;
        if (!pinyin.empty())
            pinyin += ' ';
        pinyin += syllable;
    }
    return pinyin;
}

std::vector<std::string> speechArguments(std::string_view pinyin)
{
    return {"-v", std::string(speechVoice), std::string(pinyin)};
}
