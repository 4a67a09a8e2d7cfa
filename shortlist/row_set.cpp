#include "shortlist/row_set.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>
#include <roaring/containers/containers.h>

namespace {

constexpr std::uint64_t rowLimit = std::uint64_t{std::numeric_limits<std::uint32_t>::max()} + 1;

} // namespace

RowSet::RowSet()
{
    m_bits.setCopyOnWrite(true);
}

RowSet::RowSet(Roaring bits)
    : m_bits(std::move(bits))
{
    m_bits.setCopyOnWrite(true);
}

void RowSet::set(std::uint32_t row, bool on)
{
    if (on)
        m_bits.add(row);
    else
        m_bits.remove(row);
}

std::uint64_t RowSet::count(std::uint64_t begin, std::uint64_t end) const
{
    end = std::min(end, rowLimit);
    if (begin >= end)
        return 0;
    return roaring_bitmap_range_cardinality(&m_bits.roaring, begin, end);
}

void RowSet::truncate(std::uint64_t end)
{
    if (end < rowLimit)
        roaring_bitmap_remove_range(&m_bits.roaring, end, rowLimit);
}

void RowSet::appendBlock(std::uint16_t block, const std::uint64_t* words)
{
    int cardinality = 0;
    for (std::size_t i = 0; i < wordsPerBlock; ++i)
        cardinality += std::popcount(words[i]);
    if (cardinality == 0)
        return;
    // Room for the new part first, so that appending it cannot fail.
    roaring_array_t& parts = m_bits.roaring.high_low_container;
    if (!extend_array(&parts, 1))
        throw std::bad_alloc();
    // A bitmap container, or an array container when that is smaller. CRoaring reports a
    // failed allocation by a null pointer.
    if (cardinality > DEFAULT_MAX_SIZE) {
        bitset_container_t* bitset = bitset_container_create();
        if (!bitset)
            throw std::bad_alloc();
        std::copy(words, words + wordsPerBlock, bitset->array);
        bitset->cardinality = cardinality;
        ra_append(&parts, block, bitset, BITSET_CONTAINER_TYPE_CODE);
        return;
    }
    array_container_t* array = array_container_create_given_capacity(cardinality);
    if (!array)
        throw std::bad_alloc();
    for (std::size_t i = 0; i < wordsPerBlock; ++i) {
        for (std::uint64_t word = words[i]; word != 0; word &= word - 1)
            array->array[array->cardinality++] = static_cast<std::uint16_t>(
                i * 64 + static_cast<std::size_t>(std::countr_zero(word)));
    }
    ra_append(&parts, block, array, ARRAY_CONTAINER_TYPE_CODE);
}

std::vector<std::uint32_t> RowSet::rows() const
{
    std::vector<std::uint32_t> rows(m_bits.cardinality());
    m_bits.toUint32Array(rows.data());
    return rows;
}

std::vector<std::uint32_t> RowSet::countPerBlock(std::size_t blocks) const
{
    std::vector<std::uint32_t> counts(blocks, 0);
    const roaring_array_t& parts = m_bits.roaring.high_low_container;
    for (std::int32_t i = 0; i < parts.size && parts.keys[i] < blocks; ++i)
        counts[parts.keys[i]] = static_cast<std::uint32_t>(
            container_get_cardinality(parts.containers[i], parts.typecodes[i]));
    return counts;
}

std::size_t RowSet::sizeInBytes(std::unordered_set<const void*>& counted) const
{
    const roaring_array_t& parts = m_bits.roaring.high_low_container;
    // The key, the pointer and the type of every part.
    std::size_t bytes = static_cast<std::size_t>(parts.size) * (2 + sizeof(void*) + 1);
    for (std::int32_t i = 0; i < parts.size; ++i) {
        std::uint8_t type = parts.typecodes[i];
        const void* part = container_unwrap_shared(parts.containers[i], &type);
        if (counted.insert(part).second)
            bytes += static_cast<std::size_t>(container_size_in_bytes(part, type));
    }
    return bytes;
}
