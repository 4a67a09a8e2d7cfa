#pragma once

#include <cstddef>
#include <cstdint>

// The everyday words of two to four characters a name may sound like, generated at build time
// from jieba's dictionary, each read as the @pinyin-pro/data package reads the whole word. The
// toneless syllables are numbered 0 .. kSyllableCount in byte order, syllable s being
// kSyllableText[kSyllableBegin[s] .. kSyllableBegin[s + 1]).
//
// For each length L, the entries are sorted by their syllables, and entries of the same
// syllables by dictionary frequency, highest first (ties in dictionary order). The entries whose
// first syllable is s are kFirstL[s] .. kFirstL[s + 1]; entry e's other syllables s_1 .. s_{L-1}
// are kRestL[e], the sum of s_i << (kSoundBits * (L - 1 - i)). Its characters are
// kWordsL[L * e .. + L): each the index of the character in kCharacters in the low kCharacterBits
// bits and its tone above them, after the third-tone rule over the word (0 for the neutral tone).
// kUnseemlyL[0 .. kUnseemlyCountL) are the entries, ascending, of the words no parent wants a
// name to sound like.
namespace word_table {

inline constexpr int kSoundBits = 9;
inline constexpr int kCharacterBits = 13;
inline constexpr std::uint16_t kCharacterMask = (1u << kCharacterBits) - 1;

extern const std::size_t kSyllableCount;
extern const std::uint32_t kSyllableBegin[];
extern const char kSyllableText[];
extern const char32_t kCharacters[];

extern const std::uint32_t kFirst2[];
extern const std::uint16_t kRest2[];
extern const std::uint16_t kWords2[];
extern const std::size_t kUnseemlyCount2;
extern const std::uint32_t kUnseemly2[];

extern const std::uint32_t kFirst3[];
extern const std::uint32_t kRest3[];
extern const std::uint16_t kWords3[];
extern const std::size_t kUnseemlyCount3;
extern const std::uint32_t kUnseemly3[];

extern const std::uint32_t kFirst4[];
extern const std::uint32_t kRest4[];
extern const std::uint16_t kWords4[];
extern const std::size_t kUnseemlyCount4;
extern const std::uint32_t kUnseemly4[];

} // namespace word_table
