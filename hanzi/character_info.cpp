#include "character_info.h"

#include "unihan_table.h"

#include <algorithm>

std::optional<CharacterInfo> LookUpCharacter(char32_t codePoint)
{
    using namespace unihan_table;
    const char32_t* end = kCodePoints + kEntryCount;
    const char32_t* found = std::lower_bound(kCodePoints, end, codePoint);
    if (found == end || *found != codePoint)
        return std::nullopt;
    const auto entry = static_cast<std::size_t>(found - kCodePoints);

    CharacterInfo info;
    info.readings.reserve(kReadingBegin[entry + 1] - kReadingBegin[entry]);
    for (std::uint32_t i = kReadingBegin[entry]; i < kReadingBegin[entry + 1]; ++i) {
        const std::uint16_t syllable = kReadings[i];
        info.readings.emplace_back(kSyllableText + kSyllableBegin[syllable],
                                   kSyllableText + kSyllableBegin[syllable + 1]);
    }
    info.strokes = kStrokesAndFlags[entry] & ~kGeneralStandardFlag;
    info.generalStandard = (kStrokesAndFlags[entry] & kGeneralStandardFlag) != 0;
    info.definition.assign(kDefinitionText + kDefinitionBegin[entry],
                           kDefinitionText + kDefinitionBegin[entry + 1]);
    return info;
}
