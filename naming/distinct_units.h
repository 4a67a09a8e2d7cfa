#pragma once

#include <string>
#include <string_view>

// The units of the two-character mode: the cleaned text is consumed pass by pass, each pass
// taking its first two bytes as the unit and removing every occurrence of it. The result
// packs the two-byte units found, in pass order, unit i at byte offset 2i.
namespace distinct_units {

// The rule as stated, one O(length) removal per pass.
std::string reference(std::string_view cleanedText);

// Same result in about linear time. A pass whose unit is a double-byte character removes
// exactly the characters equal to it and moves no character boundary, so such passes are
// answered from a set of removed characters; only a pass that starts on a single-byte
// character (which may split a character and shift the boundaries behind it) is run as
// the plain rule.
std::string compute(std::string_view cleanedText);

} // namespace distinct_units
