#include "poetry/poetry_corpus.h"

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
    requireAscending(m_lineBegin, m_header.lineTextLength);
    requireAscending(m_poemFirstLine, m_header.lineCount);
    requireAscending(m_poemTextBegin, m_header.poemTextLength);
    requireAscending(m_postingBegin, m_header.postingBytes);
    requireAscending(m_header.collectionFirstPoem, m_header.poemCount);
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
    std::string text(corpus_format::collectionNames[collectionOf(index)]);
    text += "·";
    appendText(text, poemField(poem, 0));
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

void PoetryCorpus::forEachLineOf(std::uint16_t symbol, std::uint32_t begin, std::uint32_t end,
                                 const std::function<bool(std::uint32_t line)>& visit) const
{
    const std::uint8_t* at = m_postings.data() + m_postingBegin[symbol];
    const std::uint8_t* const stop = m_postings.data() + m_postingBegin[symbol + 1];
    std::uint64_t next = 0;
    while (at != stop) {
        std::uint64_t gap = 0;
        for (int shift = 0; at != stop; shift += 7) {
            const std::uint8_t byte = *at++;
            gap |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80) || shift > 28)
                break;
        }
        // Lines past the corpus, where a broken list would wrap round, end the list.
        const std::uint64_t current = next + gap;
        next = current + 1;
        if (current >= end || current >= m_header.lineCount)
            return;
        if (current >= begin && !visit(static_cast<std::uint32_t>(current)))
            return;
    }
}

std::vector<std::pair<std::uint32_t, std::uint32_t>>
PoetryCorpus::lineRanges(Collections collections) const
{
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;
    for (int c = 0; c < corpus_format::collectionCount; ++c) {
        if (collections & (1u << c))
            ranges.emplace_back(m_poemFirstLine[m_header.collectionFirstPoem[c]],
                                m_poemFirstLine[m_header.collectionFirstPoem[c + 1]]);
    }
    return ranges;
}

std::optional<std::uint32_t> PoetryCorpus::firstLineHolding(std::u32string_view givenName,
                                                            Collections collections) const
{
    const auto symbols = symbolsOf(givenName);
    if (!symbols || symbols->empty())
        return std::nullopt;
    const auto holdsInOrder = [this, &symbols](std::uint32_t index) {
        auto wanted = symbols->begin();
        for (const std::uint16_t symbol : line(index)) {
            if (symbol == *wanted && ++wanted == symbols->end())
                return true;
        }
        return false;
    };
    std::optional<std::uint32_t> found;
    for (const auto& [begin, end] : lineRanges(collections)) {
        forEachLineOf(rarest(*symbols), begin, end, [&](std::uint32_t index) {
            if (holdsInOrder(index))
                found = index;
            return !found;
        });
        if (found)
            break;
    }
    return found;
}

std::string PoetryCorpus::sourceOf(std::u32string_view givenName, Collections collections) const
{
    const auto found = firstLineHolding(givenName, collections);
    return found ? sourceText(*found) : std::string();
}

std::vector<std::uint32_t> PoetryCorpus::firstLinesFollowing(char32_t first,
                                                             Collections collections) const
{
    std::vector<std::uint32_t> lines(m_header.symbolCount, noLine);
    const auto symbol = symbolOf(first);
    if (!symbol)
        return lines;
    for (const auto& [begin, end] : lineRanges(collections)) {
        forEachLineOf(*symbol, begin, end, [&](std::uint32_t index) {
            const auto text = line(index);
            for (auto at = std::ranges::find(text, *symbol) + 1; at < text.end(); ++at) {
                if (lines[*at] == noLine)
                    lines[*at] = index;
            }
            return true;
        });
    }
    return lines;
}

void PoetryCorpus::forEachLine(
    Collections collections, const std::function<void(std::span<const std::uint16_t>)>& visit) const
{
    for (const auto& [begin, end] : lineRanges(collections)) {
        for (std::uint32_t index = begin; index < end; ++index)
            visit(line(index));
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
