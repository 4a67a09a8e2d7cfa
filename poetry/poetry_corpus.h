#pragma once

#include "poetry/corpus_format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The lines of classical poetry a name may come from, read in place from the compiled corpus
// (see corpus_format.h). Lines are numbered in corpus order. No Qt.
class PoetryCorpus final {
public:
    // Reads the corpus in `bytes`, which must outlive it; throws std::runtime_error when the
    // bytes are not a whole corpus.
    explicit PoetryCorpus(std::span<const std::byte> bytes);

    std::uint32_t lineCount() const { return m_header.lineCount; }
    // The collection (index into `collections`) line `line` belongs to.
    int collectionOf(std::uint32_t line) const;
    // The text of line `line` (< lineCount()), UTF-8.
    std::string lineText(std::uint32_t line) const;
    // `{collection}·{title}（{author}）：{line}`, without the ·title part when the poem has no
    // title and without the （author） part when it has no author.
    std::string sourceText(std::uint32_t line) const;

    // The line of the `collections` a given name comes from: the first that holds its
    // characters next to each other in their order (a one-character name: the first holding
    // it); else the first holding them in their order within one clause, a run of Han
    // characters; else nothing, as for an empty name or a longer one with a character that is
    // not Han. Each character stands at its own position, so 依依 needs two 依.
    std::optional<std::uint32_t> sourceLine(std::u32string_view givenName,
                                            Collections collections) const;
    // sourceText() of that line, or empty when there is none.
    std::string sourceOf(std::u32string_view givenName, Collections collections) const;

    // The corpus's texts as symbols: indexes < symbolCount() into its table of characters.
    std::uint32_t symbolCount() const { return m_header.symbolCount; }
    // The symbol of `codePoint`, or nothing when no text of the corpus holds it.
    std::optional<std::uint16_t> symbolOf(char32_t codePoint) const;
    static constexpr std::uint32_t noLine = 0xFFFFFFFF;
    // For every symbol s, sourceLine() of `first` followed by s, or noLine: the sources of
    // every two-character name starting with `first` at once.
    std::vector<std::uint32_t> sourceLinesAfter(char32_t first, Collections collections) const;

    // Calls `visit` with the symbols of each clause of the lines of the `collections`, in
    // order: the runs of Han characters between the other characters.
    void forEachClause(Collections collections,
                       const std::function<void(std::span<const std::uint16_t>)>& visit) const;

    struct SearchResult {
        std::uint64_t count = 0;          // every matching line
        std::vector<std::uint32_t> lines; // the first `limit` of them, in corpus order
    };
    // The lines of every collection whose text, poem title or poem author holds `query`;
    // none for an empty query.
    SearchResult search(std::u32string_view query, std::size_t limit) const;

private:
    // The ascending lines of one symbol's posting list, read as they are asked for.
    class Postings final {
    public:
        Postings(std::span<const std::uint8_t> bytes, std::uint32_t lineCount);
        // The first line of the list at or after `line`, or nothing past its end.
        std::optional<std::uint32_t> seek(std::uint32_t line)
        {
            while (m_line < line) {
                skipOneByteGapsBefore(line);
                advance();
            }
            if (m_line == ended)
                return std::nullopt;
            return static_cast<std::uint32_t>(m_line);
        }

    private:
        static constexpr std::uint64_t ended = UINT64_MAX;

        // Passes over the lines of eight one-byte gaps at a time while the eighth is before
        // `line`: a long list is read some times faster so.
        void skipOneByteGapsBefore(std::uint64_t line)
        {
            constexpr std::uint64_t highBits = 0x8080808080808080;
            constexpr std::uint64_t evenBytes = 0x00FF00FF00FF00FF;
            while (m_stop - m_at >= 8) {
                std::uint64_t gaps;
                std::memcpy(&gaps, m_at, sizeof gaps);
                if (gaps & highBits)
                    return;
                const std::uint64_t pairs = (gaps & evenBytes) + (gaps >> 8 & evenBytes);
                const std::uint64_t eighth = m_next + (pairs * 0x0001000100010001 >> 48) + 7;
                if (eighth >= line || eighth >= m_lineCount)
                    return;
                m_line = eighth;
                m_next = eighth + 1;
                m_at += 8;
            }
        }

        // Reads the next line, or ends the list.
        void advance()
        {
            if (m_at == m_stop) {
                m_line = ended;
                return;
            }
            std::uint64_t gap = *m_at & 0x7F;
            for (int shift = 7; *m_at++ & 0x80 && m_at != m_stop && shift <= 28; shift += 7)
                gap |= static_cast<std::uint64_t>(*m_at & 0x7F) << shift;
            // Lines past the corpus, where a broken list would wrap round, end the list.
            m_line = m_next + gap;
            m_next = m_line + 1;
            if (m_line >= m_lineCount)
                m_line = ended;
        }

        const std::uint8_t* m_at;
        const std::uint8_t* m_stop;
        std::uint32_t m_lineCount;
        std::uint64_t m_next = 0;
        std::uint64_t m_line = ended;
    };

    Postings postingsOf(std::uint16_t symbol) const;
    // The sources of a common pair (see corpus_format.h), or nothing when it is none.
    std::optional<std::span<const std::uint32_t>> pairSources(std::uint16_t first,
                                                              std::uint16_t second) const;
    // Of a common pair's `sources`, the line its name comes from in the `chosen` collections.
    std::optional<std::uint32_t> sourceOfPair(std::span<const std::uint32_t> sources,
                                              Collections chosen) const;
    std::span<const std::uint16_t> line(std::uint32_t index) const;
    bool isHan(std::uint16_t symbol) const;
    // Field `field` (0 title, 1 author) of poem `poem`.
    std::span<const std::uint16_t> poemField(std::uint32_t poem, int field) const;
    std::uint32_t poemOf(std::uint32_t line) const;
    // The ascending lines that hold `symbol`, within [begin, end).
    // Stops when `visit` returns false.
    void forEachLineOf(std::uint16_t symbol, std::uint32_t begin, std::uint32_t end,
                       const std::function<bool(std::uint32_t line)>& visit) const;
    // The ascending lines that hold both symbols (or the one, when they are the same) within
    // [begin, end). Stops when `visit` returns false.
    void forEachLineOfBoth(std::uint16_t first, std::uint16_t second, std::uint32_t begin,
                           std::uint32_t end,
                           const std::function<bool(std::uint32_t line)>& visit) const;
    // The symbols of `text`'s characters, or nothing when one of them is not in the corpus.
    std::optional<std::vector<std::uint16_t>> symbolsOf(std::u32string_view text) const;
    // The one of `symbols` held in the fewest lines.
    std::uint16_t rarest(const std::vector<std::uint16_t>& symbols) const;
    // The line ranges of the `collections`, in order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> lineRanges(Collections chosen) const;
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
    std::span<const std::uint32_t> m_pairs;
    std::span<const std::uint32_t> m_pairBegin;
    std::span<const std::uint32_t> m_pairSources;
};
