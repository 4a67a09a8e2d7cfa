#include "poetry/poetry_corpus.h"

#include "hanzi/ideograph.h"
#include "hanzi/utf8.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

// Takes the next `count` values of type T off the front of `rest`, then its padding.
template <typename T>
std::span<const T> takeSection(std::span<const std::byte>& rest, std::size_t count)
{
    const std::size_t size = count * sizeof(T);
    const std::size_t padded = (size + 3) / 4 * 4;
    if (padded > rest.size() || reinterpret_cast<std::uintptr_t>(rest.data()) % alignof(T) != 0)
        throw std::runtime_error("the poetry corpus is cut short");
    const std::span<const T> values(reinterpret_cast<const T*>(rest.data()), count);
    rest = rest.subspan(padded);
    return values;
}

template <typename Offsets>
void requireAscending(const Offsets& offsets, std::size_t limit)
{
    if (offsets.empty() || offsets.front() != 0 || offsets.back() != limit ||
        !std::ranges::is_sorted(offsets))
        throw std::runtime_error("the poetry corpus has bad offsets");
}

} // namespace

PoetryCorpus::PoetryCorpus(std::span<const std::byte> bytes)
{
    if (bytes.size() < sizeof m_header ||
        reinterpret_cast<std::uintptr_t>(bytes.data()) % alignof(std::uint32_t) != 0)
        throw std::runtime_error("the poetry corpus is cut short");
    std::memcpy(&m_header, bytes.data(), sizeof m_header);
    if (m_header.magic != corpus_format::magic)
        throw std::runtime_error("not a poetry corpus");
    std::span<const std::byte> rest = bytes.subspan(sizeof m_header);
    m_symbols = takeSection<char32_t>(rest, m_header.symbolCount);
    m_lineBegin = takeSection<std::uint32_t>(rest, std::size_t{m_header.lineCount} + 1);
    m_poemFirstLine = takeSection<std::uint32_t>(rest, std::size_t{m_header.poemCount} + 1);
    m_poemTextBegin = takeSection<std::uint32_t>(rest, 2 * std::size_t{m_header.poemCount} + 1);
    m_postingBegin = takeSection<std::uint32_t>(rest, std::size_t{m_header.symbolCount} + 1);
    m_lineText = takeSection<std::uint16_t>(rest, m_header.lineTextLength);
    m_poemText = takeSection<std::uint16_t>(rest, m_header.poemTextLength);
    m_postings = takeSection<std::uint8_t>(rest, m_header.postingBytes);
    m_pairs = takeSection<std::uint32_t>(rest, m_header.pairCount);
    m_pairBegin = takeSection<std::uint32_t>(rest, std::size_t{m_header.pairCount} + 1);
    m_pairSources = takeSection<std::uint32_t>(rest, m_header.pairSourceCount);
    requireAscending(m_lineBegin, m_header.lineTextLength);
    requireAscending(m_poemFirstLine, m_header.lineCount);
    requireAscending(m_poemTextBegin, m_header.poemTextLength);
    requireAscending(m_postingBegin, m_header.postingBytes);
    requireAscending(m_header.collectionFirstPoem, m_header.poemCount);
    requireAscending(m_pairBegin, m_header.pairSourceCount);
    const auto pairInAlphabet = [this](std::uint32_t pair) {
        return (pair >> 16) < m_header.symbolCount && (pair & 0xFFFF) < m_header.symbolCount;
    };
    const auto inCorpus = [this](std::uint32_t source) {
        return (source & ~corpus_format::adjacentPair) < m_header.lineCount;
    };
    if (!std::ranges::is_sorted(m_pairs) || !std::ranges::all_of(m_pairs, pairInAlphabet) ||
        !std::ranges::all_of(m_pairSources, inCorpus))
        throw std::runtime_error("the poetry corpus has bad pairs");
    const auto inAlphabet = [this](std::uint16_t symbol) { return symbol < m_header.symbolCount; };
    if (!std::ranges::all_of(m_lineText, inAlphabet) ||
        !std::ranges::all_of(m_poemText, inAlphabet))
        throw std::runtime_error("the poetry corpus has bad characters");
}

std::uint32_t PoetryCorpus::poemOf(std::uint32_t line) const
{
    const auto after = std::ranges::upper_bound(m_poemFirstLine.first(m_header.poemCount), line);
    return static_cast<std::uint32_t>(after - m_poemFirstLine.begin()) - 1;
}

int PoetryCorpus::collectionOf(std::uint32_t line) const
{
    const std::uint32_t poem = poemOf(line);
    const auto& first = m_header.collectionFirstPoem;
    return static_cast<int>(std::upper_bound(first.begin(), first.end() - 1, poem) -
                            first.begin()) -
           1;
}

std::span<const std::uint16_t> PoetryCorpus::line(std::uint32_t index) const
{
    return m_lineText.subspan(m_lineBegin[index], m_lineBegin[index + 1] - m_lineBegin[index]);
}

std::span<const std::uint16_t> PoetryCorpus::poemField(std::uint32_t poem, int field) const
{
    const std::uint32_t begin = m_poemTextBegin[2 * poem + field];
    return m_poemText.subspan(begin, m_poemTextBegin[2 * poem + field + 1] - begin);
}

void PoetryCorpus::appendText(std::string& out, std::span<const std::uint16_t> symbols) const
{
    for (const std::uint16_t symbol : symbols)
        utf8::append(out, m_symbols[symbol]);
}

std::string PoetryCorpus::lineText(std::uint32_t index) const
{
    std::string text;
    appendText(text, line(index));
    return text;
}

std::string PoetryCorpus::sourceText(std::uint32_t index) const
{
    const std::uint32_t poem = poemOf(index);
    std::string text(collections[collectionOf(index)].name);
    if (const auto title = poemField(poem, 0); !title.empty()) {
        text += "·";
        appendText(text, title);
    }
    if (const auto author = poemField(poem, 1); !author.empty()) {
        text += "（";
        appendText(text, author);
        text += "）";
    }
    text += "：";
    appendText(text, line(index));
    return text;
}

std::optional<std::uint16_t> PoetryCorpus::symbolOf(char32_t codePoint) const
{
    const auto found = std::ranges::lower_bound(m_symbols, codePoint);
    if (found == m_symbols.end() || *found != codePoint)
        return std::nullopt;
    return static_cast<std::uint16_t>(found - m_symbols.begin());
}

std::optional<std::vector<std::uint16_t>> PoetryCorpus::symbolsOf(std::u32string_view text) const
{
    std::vector<std::uint16_t> symbols;
    for (const char32_t c : text) {
        const auto symbol = symbolOf(c);
        if (!symbol)
            return std::nullopt;
        symbols.push_back(*symbol);
    }
    return symbols;
}

std::uint16_t PoetryCorpus::rarest(const std::vector<std::uint16_t>& symbols) const
{
    return *std::ranges::min_element(symbols, {}, [this](std::uint16_t symbol) {
        return m_postingBegin[symbol + 1] - m_postingBegin[symbol];
    });
}

PoetryCorpus::Postings::Postings(std::span<const std::uint8_t> bytes, std::uint32_t lineCount)
    : m_at(bytes.data())
    , m_stop(bytes.data() + bytes.size())
    , m_lineCount(lineCount)
{
    advance();
}

PoetryCorpus::Postings PoetryCorpus::postingsOf(std::uint16_t symbol) const
{
    return Postings(m_postings.subspan(m_postingBegin[symbol],
                                       m_postingBegin[symbol + 1] - m_postingBegin[symbol]),
                    m_header.lineCount);
}

void PoetryCorpus::forEachLineOf(std::uint16_t symbol, std::uint32_t begin, std::uint32_t end,
                                 const std::function<bool(std::uint32_t line)>& visit) const
{
    Postings lines = postingsOf(symbol);
    for (auto line = lines.seek(begin); line && *line < end && visit(*line);)
        line = lines.seek(*line + 1);
}

void PoetryCorpus::forEachLineOfBoth(std::uint16_t first, std::uint16_t second, std::uint32_t begin,
                                     std::uint32_t end,
                                     const std::function<bool(std::uint32_t line)>& visit) const
{
    if (first == second) {
        forEachLineOf(first, begin, end, visit);
        return;
    }
    // Each list skips to the line the other has reached.
    Postings firstLines = postingsOf(first);
    Postings secondLines = postingsOf(second);
    for (auto line = firstLines.seek(begin); line && *line < end;) {
        const auto other = secondLines.seek(*line);
        if (!other)
            return;
        if (*other == *line && !visit(*line))
            return;
        line = firstLines.seek(*other == *line ? *line + 1 : *other);
    }
}

std::vector<std::pair<std::uint32_t, std::uint32_t>>
PoetryCorpus::lineRanges(Collections chosen) const
{
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;
    for (int c = 0; c < corpus_format::collectionCount; ++c) {
        if (chosen & collections[c].bit)
            ranges.emplace_back(m_poemFirstLine[m_header.collectionFirstPoem[c]],
                                m_poemFirstLine[m_header.collectionFirstPoem[c + 1]]);
    }
    return ranges;
}

bool PoetryCorpus::isHan(std::uint16_t symbol) const
{
    return isIdeograph(m_symbols[symbol]);
}

std::optional<std::uint32_t> PoetryCorpus::sourceLine(std::u32string_view givenName,
                                                      Collections collections) const
{
    const auto symbols = symbolsOf(givenName);
    if (!symbols || symbols->empty())
        return std::nullopt;
    if (symbols->size() > 1) {
        // A clause is made of Han characters only.
        if (!std::ranges::all_of(*symbols, [this](std::uint16_t s) { return isHan(s); }))
            return std::nullopt;
        if (symbols->size() == 2) {
            if (const auto sources = pairSources((*symbols)[0], (*symbols)[1]))
                return sourceOfPair(*sources, collections);
        }
    }
    const auto holdsInOneClause = [this, &symbols](std::span<const std::uint16_t> text) {
        auto wanted = symbols->begin();
        for (const std::uint16_t symbol : text) {
            if (symbol == *wanted) {
                if (++wanted == symbols->end())
                    return true;
            } else if (!isHan(symbol)) {
                wanted = symbols->begin();
            }
        }
        return false;
    };
    // Only the lines in the lists of its two rarest characters are read.
    std::vector<std::uint16_t> byRarity = *symbols;
    std::ranges::sort(byRarity, {}, [this](std::uint16_t symbol) {
        return std::pair(m_postingBegin[symbol + 1] - m_postingBegin[symbol], symbol);
    });
    byRarity.erase(std::unique(byRarity.begin(), byRarity.end()), byRarity.end());
    const std::uint16_t second = byRarity.size() > 1 ? byRarity[1] : byRarity[0];
    std::optional<std::uint32_t> adjacent;
    std::optional<std::uint32_t> inClause;
    for (const auto& [begin, end] : lineRanges(collections)) {
        forEachLineOfBoth(byRarity[0], second, begin, end, [&](std::uint32_t index) {
            const auto text = line(index);
            if (!std::ranges::search(text, *symbols).empty())
                adjacent = index;
            else if (!inClause && holdsInOneClause(text))
                inClause = index;
            return !adjacent;
        });
        if (adjacent)
            return adjacent;
    }
    return inClause;
}

std::optional<std::span<const std::uint32_t>> PoetryCorpus::pairSources(std::uint16_t first,
                                                                        std::uint16_t second) const
{
    const std::uint32_t key = std::uint32_t{first} << 16 | second;
    const auto found = std::ranges::lower_bound(m_pairs, key);
    if (found == m_pairs.end() || *found != key)
        return std::nullopt;
    const auto pair = static_cast<std::size_t>(found - m_pairs.begin());
    return m_pairSources.subspan(m_pairBegin[pair], m_pairBegin[pair + 1] - m_pairBegin[pair]);
}

std::optional<std::uint32_t> PoetryCorpus::sourceOfPair(std::span<const std::uint32_t> sources,
                                                        Collections chosen) const
{
    std::optional<std::uint32_t> inClause;
    for (const std::uint32_t source : sources) {
        const std::uint32_t index = source & ~corpus_format::adjacentPair;
        if (!(chosen & collections[collectionOf(index)].bit))
            continue;
        if (source & corpus_format::adjacentPair)
            return index;
        if (!inClause)
            inClause = index;
    }
    return inClause;
}

std::string PoetryCorpus::sourceOf(std::u32string_view givenName, Collections collections) const
{
    const auto found = sourceLine(givenName, collections);
    return found ? sourceText(*found) : std::string();
}

std::vector<std::uint32_t> PoetryCorpus::sourceLinesAfter(char32_t first,
                                                          Collections collections) const
{
    std::vector<std::uint32_t> adjacent(m_header.symbolCount, noLine);
    std::vector<std::uint32_t> inClause(m_header.symbolCount, noLine);
    const auto symbol = symbolOf(first);
    if (!symbol || !isHan(*symbol))
        return adjacent;
    for (const auto& [begin, end] : lineRanges(collections)) {
        forEachLineOf(*symbol, begin, end, [&](std::uint32_t index) {
            const auto text = line(index);
            for (auto at = std::ranges::find(text, *symbol); at != text.end();
                 at = std::find(at, text.end(), *symbol)) {
                if (++at != text.end() && isHan(*at) && adjacent[*at] == noLine)
                    adjacent[*at] = index;
                for (auto later = at; later != text.end() && isHan(*later); ++later) {
                    if (inClause[*later] == noLine)
                        inClause[*later] = index;
                }
            }
            return true;
        });
    }
    for (std::size_t s = 0; s < adjacent.size(); ++s) {
        if (adjacent[s] == noLine)
            adjacent[s] = inClause[s];
    }
    return adjacent;
}

void PoetryCorpus::forEachClause(
    Collections collections, const std::function<void(std::span<const std::uint16_t>)>& visit) const
{
    const auto other = [this](std::uint16_t symbol) { return !isHan(symbol); };
    for (const auto& [begin, end] : lineRanges(collections)) {
        for (std::uint32_t index = begin; index < end; ++index) {
            const auto text = line(index);
            for (auto at = std::find_if_not(text.begin(), text.end(), other); at != text.end();) {
                const auto clauseEnd = std::find_if(at, text.end(), other);
                visit({at, clauseEnd});
                at = std::find_if_not(clauseEnd, text.end(), other);
            }
        }
    }
}

PoetryCorpus::SearchResult PoetryCorpus::search(std::u32string_view query, std::size_t limit) const
{
    SearchResult result;
    const auto symbols = symbolsOf(query);
    if (!symbols || symbols->empty())
        return result;
    const auto holds = [&symbols](std::span<const std::uint16_t> text) {
        return !std::ranges::search(text, *symbols).empty();
    };
    std::vector<bool> matches(m_header.lineCount);
    forEachLineOf(rarest(*symbols), 0, m_header.lineCount, [&](std::uint32_t index) {
        if (holds(line(index)))
            matches[index] = true;
        return true;
    });
    for (std::uint32_t poem = 0; poem < m_header.poemCount; ++poem) {
        if (holds(poemField(poem, 0)) || holds(poemField(poem, 1))) {
            for (std::uint32_t index = m_poemFirstLine[poem]; index < m_poemFirstLine[poem + 1];
                 ++index)
                matches[index] = true;
        }
    }
    for (std::uint32_t index = 0; index < m_header.lineCount; ++index) {
        if (!matches[index])
            continue;
        if (result.lines.size() < limit)
            result.lines.push_back(index);
        ++result.count;
    }
    return result;
}
