#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Everyday words a name sounds like (谐音), from the dictionary word table. A name is given as
// the syllables of its characters, surname first; it works for any name, not only a list's rows.

// A syllable with its tone, as the word table numbers the toneless syllables: the syllable's
// number times 8 plus the tone (1 to 4, 0 for the neutral tone). Equal syllables of equal tones
// are equal values.
using Syllable = std::int16_t;
inline constexpr Syllable kNoSyllable = -1;

// The syllable of a pinyin reading (ü and ê stay themselves); kNoSyllable for an empty reading or
// one that no word's character has.
Syllable SyllableOf(std::string_view reading);
// The same syllable in the neutral tone. HasUnseemlyHomophone() gives the same answer for
// syllables with or without their tones.
Syllable WithoutTone(Syllable syllable);

// The words a name of `syllables` sounds like, given name from `givenBegin` on, joined by "、".
// A window of the name sounds like a word of as many characters whose syllables, position by
// position, are those of the window: 同音 when after the third-tone rule (over the word, and over
// the window alone) every tone is equal or one of the two is neutral, 近音 otherwise. A word is
// followed by "（近音）" when 近音, "（不雅）" when 同音 and unseemly, "（近音·不雅）" when both.
// Listed are: up to three words the whole name sounds like, 同音 before 近音, each by dictionary
// frequency; further unseemly ones the whole name sounds like, in the same order; then, for each
// pair of adjacent characters holding a given-name character (in order), the unseemly words the
// pair sounds like, 同音 before 近音. A word is listed once. Empty when it sounds like none.
std::string HomophoneText(std::span<const Syllable> syllables, std::size_t givenBegin);

// True when HomophoneText() lists an unseemly word, 同音 or 近音.
bool HasUnseemlyHomophone(std::span<const Syllable> syllables, std::size_t givenBegin);
