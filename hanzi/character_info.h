#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CharacterInfo {
    std::vector<std::string> readings; // tone-marked pinyin, UTF-8, the customary reading first
    int strokes = 0;                   // total strokes, 0 when unknown
    bool generalStandard = false;      // in the 2013 General Standard Chinese Characters list
    std::string definition;            // short English gloss, may be empty
};
std::optional<CharacterInfo> LookUpCharacter(char32_t codePoint);
std::vector<std::string> SurnameReadings(std::u32string_view surname);
// Whether `surname` is one of the two-character surnames read as one.
bool IsCompoundSurname(std::u32string_view surname);
int ToneOf(std::string_view syllable);
