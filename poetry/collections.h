#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A set of the corpus's collections, one bit each (Collection::bit).
using Collections = std::uint16_t;

struct Collection {
    std::string_view name; // the label of its lines and of its menu item
    Collections bit;
};

// The collections in corpus order. The first four had bits 0 to 3 before the classics and 元曲
// came, and keep them.
inline constexpr std::array<Collection, 9> collections = {{
    {"诗经", 1u << 0},
    {"楚辞", 1u << 1},
    {"论语", 1u << 4},
    {"大学", 1u << 5},
    {"中庸", 1u << 6},
    {"孟子", 1u << 7},
    {"唐诗", 1u << 2},
    {"宋词", 1u << 3},
    {"元曲", 1u << 8},
}};
inline constexpr Collections allCollections = (1u << collections.size()) - 1;

// The chosen collections as the preferences keep them: every name in corpus order joined by
// ", ", those left out marked with a leading "-" (which a reader of the older list of four
// names passes over).
std::string collectionsPreference(Collections chosen);
// The collections a kept preference chose; all of them when nothing was kept. A list written
// before the classics and 元曲 came names only some of the first four: it keeps meaning those,
// and the new ones join it only when it kept all four, that is everything there was.
Collections collectionsOfPreference(const std::optional<std::string>& kept);
