#pragma once

#include "poetry/poetry_corpus.h"

#include <cstdint>
#include <string>
#include <vector>

class NameInsight;

// The given name of row `row` (< names().size()): the characters after the surname.
std::u32string givenNameOf(const NameInsight& insight, std::uint64_t row);

// The source text of row `row`'s given name in the `collections` of `corpus`, UTF-8; empty
// when no line holds it.
std::string sourceOfRow(const NameInsight& insight, const PoetryCorpus& corpus,
                        Collections collections, std::uint64_t row);

// The same source texts for walking many rows in order, as an export does: in three-character
// mode the lines of every name with the same first unit are found together, once per run of
// rows sharing it.
class RowSources final {
public:
    RowSources(const NameInsight& insight, const PoetryCorpus& corpus, Collections collections);

    // Appends the source text of row `row` (nothing when it has none).
    void append(std::string& text, std::uint64_t row);

private:
    const NameInsight& m_insight;
    const PoetryCorpus& m_corpus;
    Collections m_collections;
    std::uint64_t m_firstUnit = UINT64_MAX;
    std::vector<std::uint32_t> m_linesOfSymbol; // of names starting with m_firstUnit
};
