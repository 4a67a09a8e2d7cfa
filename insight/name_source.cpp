#include "insight/name_source.h"

#include "insight/name_insight.h"

#include <cstdint>

std::u32string givenNameOf(const NameInsight& insight, std::uint64_t row)
{
    return insight.name(row).givenName();
}

std::string sourceOfRow(const NameInsight& insight, const PoetryCorpus& corpus,
                        Collections collections, std::uint64_t row)
{
    return corpus.sourceOf(givenNameOf(insight, row), collections);
}

RowSources::RowSources(const NameInsight& insight, const PoetryCorpus& corpus,
                       Collections collections)
    : m_insight(insight)
    , m_corpus(corpus)
    , m_collections(collections)
{
}

void RowSources::append(std::string& text, std::uint64_t row)
{
    const NameList& names = m_insight.names();
    const auto single = [this](std::uint64_t unit) -> char32_t {
        const auto characters = m_insight.unit(unit);
        return characters.size() == 1 ? characters[0].codePoint : 0;
    };
    if (names.unitsPerName() != 2 || !single(names.unitIndex(row, 0)) ||
        !single(names.unitIndex(row, 1))) {
        text += sourceOfRow(m_insight, m_corpus, m_collections, row);
        return;
    }
    if (const std::uint64_t first = names.unitIndex(row, 0); first != m_firstUnit) {
        m_linesOfSymbol = m_corpus.sourceLinesAfter(single(first), m_collections);
        m_firstUnit = first;
    }
    const auto symbol = m_corpus.symbolOf(single(names.unitIndex(row, 1)));
    if (symbol && m_linesOfSymbol[*symbol] != PoetryCorpus::noLine)
        text += m_corpus.sourceText(m_linesOfSymbol[*symbol]);
}
