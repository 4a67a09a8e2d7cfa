#pragma once

#include "naming/name_list.h"

#include <string>
#include <string_view>
#include <vector>

// Combines a surname with hand-picked candidate characters into full names, every row at once:
// the reference that NameList, which composes rows on demand, is checked against.
// All text is code page 936 (GBK) bytes; a unit is two bytes cut by position from the
// cleaned candidate text (the last one may be a single byte).
class NameCombiner final {
public:
    NameCombiner() = delete;

    // The candidate text without the separators "," "." "，" "。" and " ", removed in that
    // order: the cleaning NameList does.
    static std::string cleanCandidates(std::string_view candidates)
    {
        return NameList::cleanCandidates(candidates);
    }

    // Surname + unit, one row per pass that takes a two-byte unit off the text and removes
    // it everywhere: for double-byte text, every distinct character once, in order of first
    // occurrence. A single-byte character can split a character and so form a unit again.
    static std::vector<std::string> twoCharacterNames(std::string_view surname,
                                                      std::string_view candidates);

    // Surname + unit[b] + unit[j] for every b, then every j: n x n rows.
    static std::vector<std::string> threeCharacterNames(std::string_view surname,
                                                        std::string_view candidates);
};
