#include "hanzi/character_info.h"

#include "hanzi/unihan_table.h"

#include <bit>

namespace {

constexpr std::size_t kNotCovered = SIZE_MAX;

// The table entry of a code point, found in constant time from its page's bitmap.
std::size_t entryOf(char32_t codePoint)
{
    using namespace unihan_table;
    if (codePoint / 256 >= kPageCount)
        return kNotCovered;
    const std::uint64_t* bits = kPageBits + codePoint / 256 * kWordsPerPage;
    const std::size_t word = codePoint % 256 / 64;
    const std::uint64_t below = (std::uint64_t(1) << (codePoint % 64)) - 1;
    if ((bits[word] & (below + 1)) == 0)
        return kNotCovered;
    std::size_t entry = kPageFirst[codePoint / 256] + std::popcount(bits[word] & below);
    for (std::size_t i = 0; i < word; ++i)
        entry += std::popcount(bits[i]);
    return entry;
}

} // namespace

std::optional<CharacterInfo> LookUpCharacter(char32_t codePoint)
{
    using namespace unihan_table;
    const std::size_t entry = entryOf(codePoint);
    if (entry == kNotCovered)
        return std::nullopt;

    CharacterInfo info;
    info.readings.reserve(kReadingBegin[entry + 1] - kReadingBegin[entry]);
    for (std::uint32_t i = kReadingBegin[entry]; i < kReadingBegin[entry + 1]; ++i) {
        const std::uint16_t syllable = kReadings[i];
        info.readings.emplace_back(kSyllableText + kSyllableBegin[syllable],
                                   kSyllableText + kSyllableBegin[syllable + 1]);
    }
    info.nameReading = kNameReading[entry];
    info.modernReadings = kModernReadings[entry];
    info.strokes = kStrokesAndFlags[entry] & ~kGeneralStandardFlag;
    info.generalStandard = (kStrokesAndFlags[entry] & kGeneralStandardFlag) != 0;
    info.definition.assign(kDefinitionText + kDefinitionBegin[entry],
                           kDefinitionText + kDefinitionBegin[entry + 1]);
    return info;
}
