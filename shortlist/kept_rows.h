#pragma once

#include "shortlist/row_set.h"

#include <cstdint>
#include <vector>

// The rows [0, total) of a list less a set of removed rows, numbered afresh from 0: row i is
// the i-th row that was not removed. Lookups cost a binary search over blocks of 2^16 rows and
// one inside a block, whatever the number of removed rows.
class KeptRows final {
public:
    KeptRows() = default;
    KeptRows(std::uint64_t total, RowSet removed);

    std::uint64_t size() const { return m_size; }
    const RowSet& removed() const { return m_removed; }
    // The list row that kept row `index` (< size()) is.
    std::uint64_t sourceRow(std::uint64_t index) const;
    // Appends the list rows of kept rows [first, first + count) (within size()) to `rows`.
    void sourceRows(std::uint64_t first, std::uint64_t count,
                    std::vector<std::uint64_t>& rows) const;
    // Removes kept row `index` (< size()) as well.
    void remove(std::uint64_t index);

private:
    std::uint64_t m_total = 0;
    std::uint64_t m_size = 0;
    RowSet m_removed;
    // Kept rows before each block.
    std::vector<std::uint64_t> m_keptBefore;
};
