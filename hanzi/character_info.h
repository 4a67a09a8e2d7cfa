#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CharacterInfo {
    std::vector<std::string> readings; // tone-marked pinyin, UTF-8, the customary reading first
    // readings[nameReading] is how a name reads the character: by the 2013 general standard list
    // where it has the character, preferring the customary reading among the list's (罗 luó,
    // 卓 zhuó, 行 xíng, 子 zǐ, 地 dì, 了 liǎo), else the first toned reading of the others.
    std::size_t nameReading = 0;
    // readings[0 .. modernReadings) are today's readings; the rest are archaic ones.
    std::size_t modernReadings = 0;
    int strokes = 0;              // total strokes, 0 when unknown
    bool generalStandard = false; // in the 2013 General Standard Chinese Characters list
    std::string definition;       // short English gloss, may be empty

    // The reading in a name, empty when the character has none.
    std::string_view readingInName() const
    {
        return readings.empty() ? std::string_view() : std::string_view(readings[nameReading]);
    }
};
std::optional<CharacterInfo> LookUpCharacter(char32_t codePoint);
std::vector<std::string> SurnameReadings(std::u32string_view surname);
// Whether `surname` is one of the two-character surnames read as one.
bool IsCompoundSurname(std::u32string_view surname);
int ToneOf(std::string_view syllable);
