#pragma once

#include "insight/text_facts.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The columns of a favourite that come from what the program knows of its name, in the order
// the 收藏 tab, its exports and its PDF show them. A new fact is one more row here.
struct FactColumn {
    std::string_view heading;
    std::string (*text)(const TextFacts& facts);
    // What the column sorts by when that is not its text.
    std::optional<int> (*number)(const TextFacts& facts);
};

inline constexpr std::array<FactColumn, 5> factColumns{{
    {"读音", [](const TextFacts& facts) { return facts.readings; }, nullptr},
    {"平仄", [](const TextFacts& facts) { return facts.levels; }, nullptr},
    {"笔画", [](const TextFacts& facts) { return facts.strokeText; },
     [](const TextFacts& facts) { return std::optional(facts.strokes); }},
    {"出处", [](const TextFacts& facts) { return facts.source; }, nullptr},
    {"谐音", [](const TextFacts& facts) { return facts.homophones; }, nullptr},
}};
