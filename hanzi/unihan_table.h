#pragma once

#include <cstddef>
#include <cstdint>

// The character table the build generates from the Unihan files. Entry i is the covered code
// point kCodePoints[i]; its readings are kReadings[kReadingBegin[i] .. kReadingBegin[i + 1]),
// indexes of syllables whose text is kSyllableText[kSyllableBegin[s] .. kSyllableBegin[s + 1]),
// and its gloss kDefinitionText[kDefinitionBegin[i] .. kDefinitionBegin[i + 1]).
namespace unihan_table {

// Set in kStrokesAndFlags[i] when the character is in the 2013 general standard list; the
// low bits hold the total strokes.
inline constexpr std::uint8_t kGeneralStandardFlag = 0x80;

extern const std::size_t kEntryCount;
extern const char32_t kCodePoints[];
extern const std::uint8_t kStrokesAndFlags[];
extern const std::uint32_t kReadingBegin[];
extern const std::uint16_t kReadings[];
extern const std::uint32_t kSyllableBegin[];
extern const char kSyllableText[];
extern const std::uint32_t kDefinitionBegin[];
extern const char kDefinitionText[];

} // namespace unihan_table
