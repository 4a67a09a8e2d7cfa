#pragma once

#include <array>
#include <cstdint>
#include <string_view>

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
// Lines and poems are in the order of the collections, then files, poems and positions.
namespace corpus_format {

inline constexpr std::uint32_t magic = 0x31505643; // "CVP1"
inline constexpr int collectionCount = 4;
inline constexpr std::array<std::string_view, collectionCount> collectionNames = {"诗经", "楚辞",
                                                                                  "唐诗", "宋词"};

struct Header {
    std::uint32_t magic = corpus_format::magic;
    std::uint32_t symbolCount = 0;
    std::uint32_t lineCount = 0;
    std::uint32_t poemCount = 0;
    std::uint32_t lineTextLength = 0;
    std::uint32_t poemTextLength = 0;
    std::uint32_t postingBytes = 0;
    // Collection c holds poems [collectionFirstPoem[c], collectionFirstPoem[c + 1]).
    std::array<std::uint32_t, collectionCount + 1> collectionFirstPoem{};
};

} // namespace corpus_format
