#pragma once

#include "naming/name_mode.h"

#include <cstdint>
#include <string>
#include <string_view>

// The names of one combination in indexed form: holds only the surname and the units, and
// composes the text of any row on demand. Row k is the same name that the matching
// NameCombiner operation puts at index k.
class NameList final {
public:
    NameList() = default;
    // The units are cut from cleanCandidates(candidates).
    NameList(std::string_view surname, std::string_view candidates, NameMode mode);

    // The candidate text without the separators "," "." "，" "。" and " ", removed in that order.
    static std::string cleanCandidates(std::string_view candidates);

    NameMode mode() const { return m_mode; }
    std::uint64_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    std::string_view surname() const { return m_surname; }
    // The distinct pieces a row combines with the surname; a row holds unitsPerName() of them.
    std::uint64_t unitCount() const { return m_unitCount; }
    int unitsPerName() const { return m_mode == NameMode::TwoCharacter ? 1 : 2; }
    // Unit `index` (< unitCount()) as GBK bytes: two bytes, or one for the last unit of an
    // odd-length text.
    std::string_view unit(std::uint64_t index) const;
    // The unit at `position` (< unitsPerName()) of row `row` (< size()).
    std::uint64_t unitIndex(std::uint64_t row, int position) const;

    // The full name of row `row` (< size()), as GBK bytes.
    std::string at(std::uint64_t row) const;

    bool operator==(const NameList& other) const = default;

private:
    std::string m_surname;
    std::string m_units; // unit i at byte offset 2i
    NameMode m_mode = NameMode::ThreeCharacter;
    std::uint64_t m_unitCount = 0;
    std::uint64_t m_size = 0;
};
