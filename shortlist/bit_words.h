#pragma once

#include <algorithm>
#include <cstdint>

// Rows as bits of 64-bit words: bit b is bit b % 64 of word b / 64.
namespace bit_words {

// Sets bits [begin, end) of `words`.
inline void setBits(std::uint64_t* words, std::uint64_t begin, std::uint64_t end)
{
    for (std::uint64_t bit = begin; bit < end;) {
        const std::uint64_t offset = bit % 64;
        const std::uint64_t length = std::min<std::uint64_t>(64 - offset, end - bit);
        const std::uint64_t mask = length == 64 ? ~std::uint64_t{0} : ((1ULL << length) - 1);
        words[bit / 64] |= mask << offset;
        bit += length;
    }
}

// ORs bits [from, from + length) of `source` into `words` from bit `to` on.
inline void copyBits(std::uint64_t* words, std::uint64_t to, const std::uint64_t* source,
                     std::uint64_t from, std::uint64_t length)
{
    while (length > 0) {
        const std::uint64_t take = std::min({length, 64 - to % 64, 64 - from % 64});
        const std::uint64_t mask = take == 64 ? ~std::uint64_t{0} : ((1ULL << take) - 1);
        const std::uint64_t chunk = (source[from / 64] >> (from % 64)) & mask;
        words[to / 64] |= chunk << (to % 64);
        to += take;
        from += take;
        length -= take;
    }
}

inline bool testBit(const std::uint64_t* words, std::uint64_t bit)
{
    return (words[bit / 64] >> (bit % 64)) & 1;
}

inline void setBit(std::uint64_t* words, std::uint64_t bit)
{
    words[bit / 64] |= std::uint64_t{1} << (bit % 64);
}

} // namespace bit_words
