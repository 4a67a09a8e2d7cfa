#pragma once

#include <cstddef>
#include <cstdint>

// The everyday words of two to four characters a name may sound like, generated at build time
// from jieba's dictionary. Words are found by sound: the toneless syllables a word's characters
// can be read as, numbered 0 .. kSyllableCount in byte order, syllable s being
// kSyllableText[kSyllableBegin[s] .. kSyllableBegin[s + 1]). The sound of a run of L
// syllables s_0 .. s_{L-1} is the sum of s_i << (kSoundBits * (L - 1 - i)).
//
// For each length L, entry e has the sound kSoundsL[e] (ascending) and the characters
// kWordsL[L * e .. + L), indexes into kCharacters; kUnseemlyFlag is set in its first character
// when the word is one no parent wants a name to sound like. Entries of one sound are in order of
// dictionary frequency, highest first (ties in dictionary order): the three most frequent words,
// then any further unseemly ones. Words less frequent than the third that are not unseemly are
// left out.
namespace word_table {

inline constexpr int kSoundBits = 9;
inline constexpr std::uint16_t kUnseemlyFlag = 0x8000;

extern const std::size_t kSyllableCount;
extern const std::uint32_t kSyllableBegin[];
extern const char kSyllableText[];
extern const char32_t kCharacters[];

extern const std::size_t kEntries2;
extern const std::uint32_t kSounds2[];
extern const std::uint16_t kWords2[];
extern const std::size_t kEntries3;
extern const std::uint32_t kSounds3[];
extern const std::uint16_t kWords3[];
extern const std::size_t kEntries4;
extern const std::uint64_t kSounds4[];
extern const std::uint16_t kWords4[];

} // namespace word_table
