#include "distinct_units.h"

#include "gbk_text.h"

#include <bitset>
#include <memory>

namespace distinct_units {
namespace {

// One pass of the rule: takes the leading unit off `remaining`; returns it.
std::string takeLeadingUnit(std::string& remaining)
{
    std::string unit = remaining.substr(0, 2);
    remaining = gbk::removeAll(remaining, unit);
    return unit;
}

// For aligned text every character is a unit, so the units are the distinct characters.
void appendDistinctCharacters(std::string_view alignedText, std::string& units)
{
    auto seen = std::make_unique<std::bitset<0x10000>>();
    for (std::size_t offset = 0; offset + 1 < alignedText.size(); offset += 2) {
        const auto high = static_cast<unsigned char>(alignedText[offset]);
        const auto low = static_cast<unsigned char>(alignedText[offset + 1]);
        const std::size_t key = high << 8 | low;
        if (!seen->test(key)) {
            seen->set(key);
            units.append(alignedText.substr(offset, 2));
        }
    }
}

} // namespace

std::string reference(std::string_view cleanedText)
{
    std::string remaining(cleanedText);
    std::string units;
    const std::size_t count = remaining.size() / 2;
    for (std::size_t pass = 0; pass <= count; ++pass) {
        const std::string unit = takeLeadingUnit(remaining);
        if (unit.size() == 2)
            units += unit;
    }
    return units;
}

std::string compute(std::string_view cleanedText)
{
    std::string remaining(cleanedText);
    std::string units;
    // Every productive pass consumes at least two bytes, so this ends within size/2 + 1 passes.
    while (!remaining.empty()) {
        if (gbk::isDoubleByteAligned(remaining)) {
            appendDistinctCharacters(remaining, units);
            break;
        }
        const std::string unit = takeLeadingUnit(remaining);
        if (unit.size() == 2)
            units += unit;
    }
    return units;
}

} // namespace distinct_units
