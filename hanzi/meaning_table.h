#pragma once

#include <cstddef>
#include <cstdint>

// The 字义 table the build generates from res/character_meanings.txt: kEntryCount characters in
// ascending order in kCharacters, entry i's meaning being UTF-8 text
// kMeaningText[kMeaningBegin[i] .. kMeaningBegin[i + 1]).
namespace meaning_table {

extern const std::size_t kEntryCount;
extern const char32_t kCharacters[];
extern const std::uint32_t kMeaningBegin[];
extern const char kMeaningText[];

} // namespace meaning_table
