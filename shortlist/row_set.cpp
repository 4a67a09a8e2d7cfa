#include "shortlist/row_set.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr std::uint64_t rowLimit = std::uint64_t{std::numeric_limits<std::uint32_t>::max()} + 1;

// The portable serialization format of CRoaring (github.com/RoaringBitmap/RoaringFormatSpec):
// the cookie of a bitmap without run containers, the bytes before the data of a one-part
// bitmap, and the most rows a part holds as a sorted array rather than as a bitmap.
constexpr std::uint32_t noRunCookie = 12346;
constexpr std::uint64_t blockRows = std::uint64_t{1} << RowSet::blockBits;
constexpr std::uint32_t headerBytes = 4 + 4 + 2 + 2 + 4;
constexpr int arrayLimit = 4096;

static_assert(std::endian::native == std::endian::little, "the format is little-endian");

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
    // The block in CRoaring's portable format (a bitmap of one part): a cookie, the part count,
    // the part's key and cardinality - 1, the offset of its data, then the data, which is the
    // block's row offsets when there are at most arrayLimit of them and its words otherwise.
    // Reading it back allocates the part, which then goes behind the parts held so far.
    std::array<char, headerBytes + wordsPerBlock * sizeof(std::uint64_t)> buffer;
    std::size_t size = 0;
    const auto put = [&buffer, &size](auto value) {
        std::memcpy(buffer.data() + size, &value, sizeof value);
        size += sizeof value;
    };
    put(std::uint32_t{noRunCookie});
    put(std::uint32_t{1});
    put(block);
    put(static_cast<std::uint16_t>(cardinality - 1));
    put(std::uint32_t{headerBytes});
    if (cardinality > arrayLimit) {
        std::memcpy(buffer.data() + size, words, wordsPerBlock * sizeof(std::uint64_t));
        size += wordsPerBlock * sizeof(std::uint64_t);
    } else {
        for (std::size_t i = 0; i < wordsPerBlock; ++i)
            for (std::uint64_t word = words[i]; word != 0; word &= word - 1)
                put(static_cast<std::uint16_t>(i * 64 + std::countr_zero(word)));
    }
    roaring_bitmap_t* part = roaring_bitmap_portable_deserialize_safe(buffer.data(), size);
    if (part == nullptr)
        throw std::bad_alloc();
    roaring_bitmap_or_inplace(&m_bits.roaring, part);
    roaring_bitmap_free(part);
}

void RowSet::copyBlock(std::uint16_t block, std::uint64_t* words) const
{
    const std::uint64_t first = std::uint64_t{block} << blockBits;
    const std::uint64_t held = count(first, first + blockRows);
    std::fill(words, words + wordsPerBlock, held == blockRows ? ~std::uint64_t{0} : 0);
    if (held == 0 || held == blockRows)
        return;
    // The block alone, without runs, in the portable format that appendBlock writes: its data
    // is the block's words or, for at most arrayLimit rows, their offsets. CRoaring's public
    // interface has no quicker way to a part's words.
    roaring_bitmap_t* range = roaring_bitmap_from_range(first, first + blockRows, 1);
    if (range == nullptr)
        throw std::bad_alloc();
    roaring_bitmap_t* part = roaring_bitmap_and(&m_bits.roaring, range);
    roaring_bitmap_free(range);
    if (part == nullptr)
        throw std::bad_alloc();
    roaring_bitmap_remove_run_compression(part);
    std::array<char, headerBytes + wordsPerBlock * sizeof(std::uint64_t)> buffer;
    roaring_bitmap_portable_serialize(part, buffer.data());
    roaring_bitmap_free(part);
    const char* data = buffer.data() + headerBytes;
    if (held > arrayLimit) {
        std::memcpy(words, data, wordsPerBlock * sizeof(std::uint64_t));
        return;
    }
    for (std::uint64_t i = 0; i < held; ++i) {
        std::uint16_t offset = 0;
        std::memcpy(&offset, data + i * sizeof offset, sizeof offset);
        words[offset / 64] |= std::uint64_t{1} << (offset % 64);
    }
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
    for (std::size_t block = 0; block < blocks; ++block)
        counts[block] = static_cast<std::uint32_t>(
            count(std::uint64_t{block} << blockBits, std::uint64_t{block + 1} << blockBits));
    return counts;
}

std::size_t RowSet::sizeInBytes() const
{
    // The portable format stores every part as it is held, behind a few bytes of key, count
    // and offset per part.
    return roaring_bitmap_portable_size_in_bytes(&m_bits.roaring);
}
