#include "shortlist/kept_rows.h"

#include <algorithm>

namespace {

constexpr std::uint64_t blockSize = std::uint64_t{1} << RowSet::blockBits;

} // namespace

KeptRows::KeptRows(std::uint64_t total, RowSet removed)
    : m_total(total)
    , m_removed(std::move(removed))
{
    m_removed.truncate(total);
    const std::size_t blocks = (total + blockSize - 1) / blockSize;
    const std::vector<std::uint32_t> removedPerBlock = m_removed.countPerBlock(blocks);
    m_keptBefore.resize(blocks);
    std::uint64_t kept = 0;
    for (std::size_t block = 0; block < blocks; ++block) {
        m_keptBefore[block] = kept;
        kept += std::min(blockSize, total - block * blockSize) - removedPerBlock[block];
    }
    m_size = kept;
}

std::uint64_t KeptRows::sourceRow(std::uint64_t index) const
{
    const auto block = static_cast<std::uint64_t>(
        std::upper_bound(m_keptBefore.begin(), m_keptBefore.end(), index) - m_keptBefore.begin() -
        1);
    // The smallest row of the block with more than `wanted` kept rows up to and including it.
    const std::uint64_t wanted = index - m_keptBefore[block];
    const std::uint64_t first = block * blockSize;
    std::uint64_t low = first;
    std::uint64_t high = std::min(first + blockSize, m_total) - 1;
    while (low < high) {
        const std::uint64_t middle = low + (high - low) / 2;
        const std::uint64_t kept = middle + 1 - first - m_removed.count(first, middle + 1);
        if (kept > wanted)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void KeptRows::sourceRows(std::uint64_t first, std::uint64_t count,
                          std::vector<std::uint64_t>& rows) const
{
    if (count == 0)
        return;
    std::uint64_t row = sourceRow(first);
    roaring_uint32_iterator_t removed;
    roaring_init_iterator(&m_removed.bits().roaring, &removed);
    roaring_move_uint32_iterator_equalorlarger(&removed, static_cast<std::uint32_t>(row));
    for (; count > 0; ++row) {
        if (removed.has_value && removed.current_value == row) {
            roaring_advance_uint32_iterator(&removed);
            continue;
        }
        rows.push_back(row);
        --count;
    }
}

void KeptRows::remove(std::uint64_t index)
{
    const std::uint64_t row = sourceRow(index);
    m_removed.set(static_cast<std::uint32_t>(row), true);
    for (std::size_t block = row / blockSize + 1; block < m_keptBefore.size(); ++block)
        --m_keptBefore[block];
    --m_size;
}
