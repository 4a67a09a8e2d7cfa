#pragma once

#include "insight/name_insight.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// What espeak-ng is given to read a name aloud: the name's own readings as tone-number pinyin
// for its cmn-latn-pinyin voice, which says each syllable in the tone written. Its plain cmn
// voice would choose readings of its own for polyphones and surnames, and read tone digits as
// English numbers.

inline constexpr std::string_view speechProgram = "espeak-ng";
inline constexpr std::string_view speechVoice = "cmn-latn-pinyin";

// One tone-marked syllable as the voice reads it: without its mark, ü as v, ê as ei, then the
// tone as a digit, 5 for the neutral tone ("lǘ" gives "lv2", "me" "me5"). Only the letters a-z
// and the digit are kept. Empty for an empty reading.
std::string numberedSyllable(std::string_view reading);

// The readings of `characters`, so numbered and space-separated: "du4 zi3 teng2". A character
// the table does not cover is left out, since nothing tells how it reads.
std::string spokenPinyin(std::span<const NameInsight::Character* const> characters);

// The arguments of espeak-ng that read `pinyin` (as spokenPinyin() gives it) with the pinyin
// voice.
std::vector<std::string> speechArguments(std::string_view pinyin);
