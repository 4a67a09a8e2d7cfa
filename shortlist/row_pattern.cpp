#include "shortlist/row_pattern.h"

#include "shortlist/bit_words.h"
#include "shortlist/memory_headroom.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::uint64_t blockSize = std::uint64_t{1} << RowSet::blockBits;
// How many blocks are gathered before they join the rows matched so far: at most 2 MB.
constexpr std::uint64_t blocksPerChunk = 256;

void addMembers(std::uint64_t* words, std::uint64_t to, const std::vector<std::uint32_t>& members,
                std::uint64_t from, std::uint64_t length)
{
    auto member = std::lower_bound(members.begin(), members.end(), from);
    for (; member != members.end() && *member < from + length; ++member)
        bit_words::setBit(words, to + (*member - from));
}

// Rows [first, first + count) of the pattern as bits from 0 on.
void fillRows(const RowPattern& pattern, std::uint64_t first, std::uint64_t count,
              std::uint64_t* words)
{
    const std::uint64_t end = first + count;
    for (std::uint64_t row = first; row < end;) {
        const std::uint64_t block = row / pattern.blockLength;
        const std::uint64_t offset = row % pattern.blockLength;
        const std::uint64_t length = std::min(pattern.blockLength - offset, end - row);
        const std::int32_t match = pattern.blocks[block];
        if (match == RowPattern::everyRow) {
            bit_words::setBits(words, row - first, row - first + length);
        } else if (match >= 0) {
            const UnitSubset& subset = pattern.subsets[static_cast<std::size_t>(match)];
            if (subset.bits.empty())
                addMembers(words, row - first, subset.members, offset, length);
            else
                bit_words::copyBits(words, row - first, subset.bits.data(), offset, length);
        }
        row += length;
    }
}

} // namespace

void addMatchingBlock(const RowPattern& pattern, std::uint64_t rows, std::uint64_t block,
                      std::uint64_t* words)
{
    const std::uint64_t total = std::min(rows, pattern.blockLength * pattern.blocks.size());
    const std::uint64_t first = block * blockSize;
    if (first < total)
        fillRows(pattern, first, std::min(blockSize, total - first), words);
}

RowSet matchingBlocks(const RowPattern& pattern, std::uint64_t rows, std::uint64_t firstBlock,
                      std::uint64_t endBlock)
{
    RowSet matched;
    std::vector<std::uint64_t> words(RowSet::wordsPerBlock);
    for (std::uint64_t block = firstBlock; block < endBlock; ++block) {
        std::fill(words.begin(), words.end(), 0);
        addMatchingBlock(pattern, rows, block, words.data());
        matched.appendBlock(static_cast<std::uint16_t>(block), words.data());
    }
    return matched;
}

std::uint64_t matchingBlockCount(const RowPattern& pattern, std::uint64_t rows)
{
    const std::uint64_t total = std::min(rows, pattern.blockLength * pattern.blocks.size());
    return (total + blockSize - 1) / blockSize;
}

std::optional<RowSet> matchingRows(const RowPattern& pattern, std::uint64_t rows,
                                   const Progress& progress, const RowSet& leftOut)
{
    RowSet matched;
    const std::uint64_t blocks = matchingBlockCount(pattern, rows);
    // Appending to a bitmap walks its parts, so blocks go to a small chunk that joins the rest
    // now and then, which keeps the work linear in the blocks. A chunk at a time, the rows left
    // out go and runs are stored as runs, so that a rule matching nearly every row never holds
    // a full bitmap of the list.
    for (std::uint64_t first = 0; first < blocks; first += blocksPerChunk) {
        if (progress && !progress(static_cast<double>(first) / static_cast<double>(blocks)))
            return std::nullopt;
        // The chunk's parts may be copied and the list of parts may grow.
        EnsureHeadroom(2 * blocksPerChunk * RowSet::wordsPerBlock * sizeof(std::uint64_t) +
                       matched.bits().getSizeInBytes(false));
        RowSet chunk =
            matchingBlocks(pattern, rows, first, std::min(first + blocksPerChunk, blocks));
        chunk.subtract(leftOut);
        chunk.compact();
        matched.unite(chunk);
    }
    return matched;
}
