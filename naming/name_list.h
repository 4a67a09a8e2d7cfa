#pragma once

#include "name_combiner.h"

#include <cstdint>
#include <string>
#include <string_view>

// The names of one combination in indexed form: holds only the surname and the units, and
// composes the text of any row on demand. Row k is the same name that the matching
// NameCombiner operation puts at index k.
class NameList final {
public:
    NameList() = default;
    NameList(std::string_view surname, std::string_view candidates, NameMode mode);

    NameMode mode() const { return m_mode; }
    std::uint64_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    // The full name of row `row` (< size()), as GBK bytes.
    std::string at(std::uint64_t row) const;

private:
    std::string m_surname;
    std::string m_units; // unit i at byte offset 2i
    NameMode m_mode = NameMode::ThreeCharacter;
    std::uint64_t m_unitCount = 0;
    std::uint64_t m_size = 0;
};
