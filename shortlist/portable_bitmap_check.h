#pragma once

#include <cstdint>
#include <string_view>

// Whether `bytes` are exactly one bitmap in CRoaring's portable serialisation (the published
// Roaring format) as CRoaring itself writes it, holding no row at or past `rows`: keys ascending,
// array parts ascending, bitset parts counted right, runs inside their block, neither
// overlapping nor touching, and every part's count as its header says. A bitmap from a hostile
// file may contradict itself in ways CRoaring's safe reader does not look for and its
// operations do not expect. Runs are checked as runs, so a list of every row costs little.
bool isSoundPortableBitmap(std::string_view bytes, std::uint64_t rows);
