#pragma once

#include <cstddef>
#include <cstdint>

// The character table the build generates from the Unihan files. The covered code points are
// numbered in ascending order. Code point c is covered when bit c % 256 of the page bitmap
// kPageBits[4 * (c / 256) .. + 4) is set (bit b in word b / 64, at b % 64), and its entry number
// is kPageFirst[c / 256] plus the set bits below it in that bitmap. Entry i's readings are
// kReadings[kReadingBegin[i] .. kReadingBegin[i + 1]), indexes of syllables whose text is
// kSyllableText[kSyllableBegin[s] .. kSyllableBegin[s + 1]), and its gloss
// kDefinitionText[kDefinitionBegin[i] .. kDefinitionBegin[i + 1]). Its reading in a name is
// reading number kNameReading[i] of its own, and its first kModernReadings[i] readings are the
// modern ones.
namespace unihan_table {

// Set in kStrokesAndFlags[i] when the character is in the 2013 general standard list; the
// low bits hold the total strokes.
inline constexpr std::uint8_t kGeneralStandardFlag = 0x80;

inline constexpr std::size_t kPageCount = 0x110000 / 256;
inline constexpr std::size_t kWordsPerPage = 256 / 64;

extern const std::uint32_t kPageFirst[];
extern const std::uint64_t kPageBits[];
extern const std::uint8_t kStrokesAndFlags[];
extern const std::uint32_t kReadingBegin[];
extern const std::uint16_t kReadings[];
extern const std::uint8_t kNameReading[];
extern const std::uint8_t kModernReadings[];
extern const std::uint32_t kSyllableBegin[];
extern const char kSyllableText[];
extern const std::uint32_t kDefinitionBegin[];
extern const char kDefinitionText[];

} // namespace unihan_table
