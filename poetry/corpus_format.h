#pragma once

#include "poetry/collections.h"

#include <array>
#include <cstdint>

// The layout of the compiled poetry corpus, as the generator writes it and PoetryCorpus reads
// it. Every number is little-endian. After the header come, each starting at a multiple of
// four bytes:
//   symbols       uint32[symbolCount]    the code points of the texts, ascending; a symbol is
//                                        an index into this table
//   lineBegin     uint32[lineCount + 1]  line i is lineText[lineBegin[i], lineBegin[i + 1])
//   poemFirstLine uint32[poemCount + 1]  poem p holds lines [poemFirstLine[p], ...[p + 1])
//   poemTextBegin uint32[2 poemCount + 1] poem p's title is poemText[begin[2p], begin[2p+1]),
//                                        its author poemText[begin[2p + 1], begin[2p + 2])
//   postingBegin  uint32[symbolCount + 1] symbol s's lines are postings[begin[s], begin[s+1])
//   lineText      uint16[lineTextLength] symbols
//   poemText      uint16[poemTextLength] symbols
//   postings      uint8[postingBytes]    for each symbol, the ascending lines that hold it, as
//                                        LEB128 gaps (the first line, then each line less the
//                                        previous one less one)
//   pairs         uint32[pairCount]      the common pairs, first << 16 | second, ascending
//   pairBegin     uint32[pairCount + 1]  pair p's sources are pairSources[begin[p], [p + 1])
//   pairSources   uint32[pairSourceCount] ascending lines, each with bit 31 set when the two
//                                        stand next to each other there
// Lines and poems are in the order of `collections`, then files, poems and positions.
//
// A common pair is two Han characters (the same one twice, too) that share at least
// max(2, lineCount / 2048) lines, more than a source search should read. Its sources are, for
// each collection, the first line holding the second next after the first, else the first
// holding it after the first within one clause, else none.
namespace corpus_format {

inline constexpr std::uint32_t magic = 0x32505643; // "CVP2"
inline constexpr std::uint32_t adjacentPair = 1u << 31;
inline constexpr int collectionCount = static_cast<int>(collections.size());

struct Header {
    std::uint32_t magic = corpus_format::magic;
    std::uint32_t symbolCount = 0;
    std::uint32_t lineCount = 0;
    std::uint32_t poemCount = 0;
    std::uint32_t lineTextLength = 0;
    std::uint32_t poemTextLength = 0;
    std::uint32_t postingBytes = 0;
    std::uint32_t pairCount = 0;
    std::uint32_t pairSourceCount = 0;
    // Collection c holds poems [collectionFirstPoem[c], collectionFirstPoem[c + 1]).
    std::array<std::uint32_t, collectionCount + 1> collectionFirstPoem{};
};

} // namespace corpus_format
