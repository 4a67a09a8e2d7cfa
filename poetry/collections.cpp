#include "poetry/collections.h"

#include <algorithm>

namespace {

constexpr std::string_view separator = ", ";
constexpr std::string_view leftOut = "-";
// The collections of the lists written before the classics and 元曲 came.
constexpr Collections firstFour = 0b1111;

std::string_view trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

Collections bitOf(std::string_view name)
{
    const auto found = std::ranges::find(collections, name, &Collection::name);
    return found == collections.end() ? 0 : found->bit;
}

} // namespace

std::string collectionsPreference(Collections chosen)
{
    std::string text;
    for (const Collection& collection : collections) {
        if (!text.empty())
            text += separator;
        if (!(chosen & collection.bit))
            text += leftOut;
        text += collection.name;
    }
    return text;
}

Collections collectionsOfPreference(const std::optional<std::string>& kept)
{
    if (!kept)
        return allCollections;
    Collections named = 0;
    Collections chosen = 0;
    for (std::string_view rest = *kept; !rest.empty();) {
        const std::size_t comma = rest.find(',');
        std::string_view item = trimmed(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        const bool out = item.starts_with(leftOut);
        if (out)
            item.remove_prefix(leftOut.size());
        const Collections bit = bitOf(item);
        named |= bit;
        if (!out)
            chosen |= bit;
    }
    if (named & ~firstFour)
        return chosen;
    return (chosen & firstFour) == firstFour ? allCollections : chosen;
}
