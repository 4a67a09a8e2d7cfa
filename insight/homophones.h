#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Everyday words a name sounds like (谐音), from the dictionary word table. A name is given as
// the syllables of its characters, surname first; it works for any name, not only a list's rows.

// A toneless syllable as the word table numbers it.
using Syllable = std::int16_t;
inline constexpr Syllable kNoSyllable = -1;

// The syllable of a pinyin reading, tone mark ignored (ü and ê stay); kNoSyllable for an empty
// reading or one that no word's character has.
Syllable SyllableOf(std::string_view reading);

// The words a name of `syllables` sounds like, given name from `givenBegin` on, joined by "、",
// each unseemly one followed by "（不雅）": up to three words the whole name sounds like, by
// dictionary frequency; then further unseemly ones it sounds like; then, for each pair of
// adjacent characters holding a given-name character (in order), the unseemly words the pair
// sounds like. A word is listed once. Empty when it sounds like none.
std::string HomophoneText(std::span<const Syllable> syllables, std::size_t givenBegin);

// True when HomophoneText() lists an unseemly word.
bool HasUnseemlyHomophone(std::span<const Syllable> syllables, std::size_t givenBegin);
