#include "shortlist/name_source.h"

#include "insight/name_insight.h"

std::u32string givenNameOf(const NameInsight& insight, std::uint64_t row)
{
    std::u32string name;
    for (std::uint64_t unit = 0; unit < static_cast<std::uint64_t>(insight.names().unitsPerName());
         ++unit) {
        for (const NameInsight::Character& character :
             insight.unit(insight.names().unitIndex(row, static_cast<int>(unit))))
            name += character.codePoint;
    }
    return name;
}

std::string sourceOfRow(const NameInsight& insight, const PoetryCorpus& corpus,
                        Collections collections, std::uint64_t row)
{
    return corpus.sourceOf(givenNameOf(insight, row), collections);
}
