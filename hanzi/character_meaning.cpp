#include "hanzi/character_meaning.h"

#include "hanzi/meaning_table.h"

#include <algorithm>

std::string_view MeaningOf(char32_t codePoint)
{
    using namespace meaning_table;
    const char32_t* end = kCharacters + kEntryCount;
    const char32_t* found = std::lower_bound(kCharacters, end, codePoint);
    if (found == end || *found != codePoint)
        return {};
    const std::size_t entry = static_cast<std::size_t>(found - kCharacters);
    return std::string_view(kMeaningText + kMeaningBegin[entry],
                            kMeaningBegin[entry + 1] - kMeaningBegin[entry]);
}
