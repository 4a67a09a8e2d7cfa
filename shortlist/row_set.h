#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <roaring/roaring.hh>
#include <vector>

// The rows a list of `names` names has for its views and its ticks: a view counts rows in int.
constexpr std::uint64_t listRows(std::uint64_t names)
{
    return std::min<std::uint64_t>(names, std::numeric_limits<int>::max());
}

// A set of list rows (a view counts rows in int, so every row fits 32 bits) held as a
// compressed bitmap. Copies share their unchanged parts, so a snapshot costs little.
class RowSet final {
public:
    static constexpr int blockBits = 16;
    static constexpr std::size_t wordsPerBlock = (std::size_t{1} << blockBits) / 64;

    RowSet();
    explicit RowSet(Roaring bits);

    bool contains(std::uint32_t row) const { return m_bits.contains(row); }
    void set(std::uint32_t row, bool on);
    std::uint64_t count() const { return m_bits.cardinality(); }
    // The rows in [begin, end).
    std::uint64_t count(std::uint64_t begin, std::uint64_t end) const;
    bool empty() const { return m_bits.isEmpty(); }

    void unite(const RowSet& other) { m_bits |= other.m_bits; }
    void subtract(const RowSet& other) { m_bits -= other.m_bits; }
    // Every row in [0, end) changes its membership.
    void flip(std::uint64_t end) { m_bits.flip(0, end); }
    // Drops the rows at or past `end`.
    void truncate(std::uint64_t end);
    // Adds the rows of block `block` of 2^16 rows given as `wordsPerBlock` words, bit i standing
    // for row block * 2^16 + i. Every block held so far must lie before it.
    void appendBlock(std::uint16_t block, const std::uint64_t* words);
    // The rows of block `block` as `wordsPerBlock` words, as appendBlock takes them.
    void copyBlock(std::uint16_t block, std::uint64_t* words) const;

    std::vector<std::uint32_t> rows() const;
    // The rows of each block of 2^16 rows, block k holding rows [k * 2^16, (k + 1) * 2^16), for
    // the first `blocks` blocks.
    std::vector<std::uint32_t> countPerBlock(std::size_t blocks) const;
    // Bytes the bitmap holds: its size in CRoaring's portable format, which stores each part
    // as it is held.
    std::size_t sizeInBytes() const;
    // Stores runs of rows as runs where that takes less room.
    void compact() { m_bits.runOptimize(); }

    const Roaring& bits() const { return m_bits; }

private:
    Roaring m_bits;
};
