#pragma once

#include <string>
#include <string_view>

// The units of the two-character mode: the cleaned text is consumed pass by pass, each pass
// taking its first two bytes as the unit and removing every occurrence of it. The result
// packs the two-byte units found, in pass order, unit i at byte offset 2i.
namespace distinct_units {

// The rule as stated, one O(length) removal per pass.
std::string reference(std::string_view cleanedText);

// Same result without rescanning the text on every pass: the text is kept as a linked list
// of its characters, a double-byte unit is removed everywhere by one note, and a unit that
// starts with a single-byte character visits only the single-byte characters of that value.
std::string compute(std::string_view cleanedText);

} // namespace distinct_units
