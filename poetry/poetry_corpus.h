#pragma once

#include "poetry/corpus_format.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A set of the collections 诗经, 楚辞, 唐诗 and 宋词: bit c stands for collection c of
// corpus_format::collectionNames.
using Collections = std::uint8_t;
inline constexpr Collections allCollections = (1u << corpus_format::collectionCount) - 1;

// The lines of classical poetry a name may come from, read in place from the compiled corpus
// (see corpus_format.h). Lines are numbered in corpus order. No Qt.
class PoetryCorpus final {
public:
    // Reads the corpus in `bytes`, which must outlive it; throws std::runtime_error when the
    // bytes are not a whole corpus.
    explicit PoetryCorpus(std::span<const std::byte> bytes);

    std::uint32_t lineCount() const { return m_header.lineCount; }
    // The collection (index into corpus_format::collectionNames) line `line` belongs to.
    int collectionOf(std::uint32_t line) const;
    // The text of line `line` (< lineCount()), UTF-8.
    std::string lineText(std::uint32_t line) const;
    // `{collection}·{title}（{author}）：{line}`, without the （author） part when the poem has
    // none.
    std::string sourceText(std::uint32_t line) const;

    // The first line of the `collections` that holds the characters of `givenName` in their
    // order, each at its own position (so 依依 needs two 依); nothing for an empty name.
    std::optional<std::uint32_t> firstLineHolding(std::u32string_view givenName,
                                                  Collections collections) const;
    // sourceText() of that line, or empty when there is none.
    std::string sourceOf(std::u32string_view givenName, Collections collections) const;

    // The corpus's texts as symbols: indexes < symbolCount() into its table of characters.
    std::uint32_t symbolCount() const { return m_header.symbolCount; }
    // The symbol of `codePoint`, or nothing when no text of the corpus holds it.
    std::optional<std::uint16_t> symbolOf(char32_t codePoint) const;
    static constexpr std::uint32_t noLine = 0xFFFFFFFF;
    // For every symbol s, the first line of the `collections` where s follows `first`, or
    // noLine: firstLineHolding() of every two-character name starting with `first` at once.
    std::vector<std::uint32_t> firstLinesFollowing(char32_t first, Collections collections) const;

    // Calls `visit` with the symbols of each line of the `collections`, in order.
    void forEachLine(Collections collections,
                     const std::function<void(std::span<const std::uint16_t>)>& visit) const;

    struct SearchResult {
        std::uint64_t count = 0;          // every matching line
        std::vector<std::uint32_t> lines; // the first `limit` of them, in corpus order
    };
    // The lines of every collection whose text, poem title or poem author holds `query`;
    // none for an empty query.
    SearchResult search(std::u32string_view query, std::size_t limit) const;

private:
    std::span<const std::uint16_t> line(std::uint32_t index) const;
    // Field `field` (0 title, 1 author) of poem `poem`.
    std::span<const std::uint16_t> poemField(std::uint32_t poem, int field) const;
    std::uint32_t poemOf(std::uint32_t line) const;
    // The ascending lines that hold `symbol`, within [begin, end).
    // Stops when `visit` returns false.
    void forEachLineOf(std::uint16_t symbol, std::uint32_t begin, std::uint32_t end,
                       const std::function<bool(std::uint32_t line)>& visit) const;
    // The symbol of `text`'s characters held in the fewest lines, or nothing when one of them
    // is not in the corpus.
    std::optional<std::vector<std::uint16_t>> symbolsOf(std::u32string_view text) const;
    std::uint16_t rarest(const std::vector<std::uint16_t>& symbols) const;
    // The line ranges of the `collections`, in order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> lineRanges(Collections collections) const;
    void appendText(std::string& out, std::span<const std::uint16_t> symbols) const;

    corpus_format::Header m_header;
    std::span<const char32_t> m_symbols;
    std::span<const std::uint32_t> m_lineBegin;
    std::span<const std::uint32_t> m_poemFirstLine;
    std::span<const std::uint32_t> m_poemTextBegin;
    std::span<const std::uint32_t> m_postingBegin;
    std::span<const std::uint16_t> m_lineText;
    std::span<const std::uint16_t> m_poemText;
    std::span<const std::uint8_t> m_postings;
};
