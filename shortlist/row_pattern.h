#pragma once

#include "naming/progress.h"
#include "shortlist/row_set.h"

#include <cstdint>
#include <optional>
#include <vector>

// A subset of the units of a list: a bitmap over unit indexes, or for a few units, their list.
struct UnitSubset {
    std::vector<std::uint64_t> bits;    // bit u of word u / 64, when not empty
    std::vector<std::uint32_t> members; // ascending, used when `bits` is empty
};

// Which rows of a list match, told by units. The rows are blocks of `blockLength` rows; row r
// lies in block r / blockLength at offset r % blockLength, and the offset is a unit index.
// In three-character mode block a holds the names whose first unit is a; in two-character
// mode the single block holds every name. Each block matches no row, every row, or the rows
// at the offsets of one of `subsets`.
struct RowPattern {
    static constexpr std::int32_t noRow = -1;
    static constexpr std::int32_t everyRow = -2;

    std::uint64_t blockLength = 0;
    std::vector<std::int32_t> blocks; // noRow, everyRow or an index into `subsets`
    std::vector<UnitSubset> subsets;
};

// ORs into `words` the matching rows among the first `rows` that lie in block `block` of 2^16
// rows, bit i standing for row block * 2^16 + i.
void addMatchingBlock(const RowPattern& pattern, std::uint64_t rows, std::uint64_t block,
                      std::uint64_t* words);

// The blocks of 2^16 rows that hold the first `rows` rows, matching or not.
std::uint64_t matchingBlockCount(const RowPattern& pattern, std::uint64_t rows);

// The matching rows among the first `rows` that lie in blocks [firstBlock, endBlock) of 2^16
// rows, built block by block.
RowSet matchingBlocks(const RowPattern& pattern, std::uint64_t rows, std::uint64_t firstBlock,
                      std::uint64_t endBlock);

// The matching rows among the first `rows` that are not in `leftOut`, or nothing when `progress`
// asked to stop. Leaving out the rows already ticked spares the memory of the rows a rule would
// only tick again.
std::optional<RowSet> matchingRows(const RowPattern& pattern, std::uint64_t rows,
                                   const Progress& progress, const RowSet& leftOut = RowSet());
