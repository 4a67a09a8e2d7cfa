#pragma once

#include <string>
#include <string_view>

// The units of the two-character mode: the cleaned text is consumed pass by pass, each pass
// taking its first two bytes as the unit and removing every occurrence of it. The result
// packs the two-byte units found, in pass order, unit i at byte offset 2i.
namespace distinct_units {

// The rule as stated, one O(length) removal per pass.
std::string reference(std::string_view cleanedText);

// Same result; switches to a single linear scan as soon as the remaining text is whole
// double-byte characters, where removing a unit removes exactly the equal characters.
std::string compute(std::string_view cleanedText);

} // namespace distinct_units
