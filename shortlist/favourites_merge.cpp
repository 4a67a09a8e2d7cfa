#include "shortlist/favourites_merge.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

using ByName = std::unordered_map<std::string_view, const Favourite*>;

ByName byName(const Favourites& favourites)
{
    ByName found;
    found.reserve(favourites.size());
    for (const Favourite& favourite : favourites.items())
        found.emplace(favourite.name, &favourite);
    return found;
}

bool sameFavourite(const Favourite& a, const Favourite& b)
{
    return a.name == b.name && a.surnameLength == b.surnameLength && a.note == b.note &&
           a.added == b.added;
}

} // namespace

std::optional<Favourites> mergeFavourites(const Favourites& base, const Favourites& ours,
                                          const Favourites& theirs)
{
    const ByName before = byName(base);
    const ByName now = byName(ours);
    const ByName there = byName(theirs);
    std::vector<Favourite> entries;
    entries.reserve(theirs.size() + ours.size());
    for (const Favourite& their : theirs.items()) {
        const auto was = before.find(their.name);
        const auto is = now.find(their.name);
        if (was != before.end() && is == now.end())
            continue; // removed here
        Favourite& entry = entries.emplace_back(their);
        if (was != before.end() && is->second->note != was->second->note)
            entry.note = is->second->note;
    }
    for (const Favourite& our : ours.items()) {
        const auto was = before.find(our.name);
        if (was == before.end() || (!there.contains(our.name) && our.note != was->second->note))
            entries.push_back(our);
    }
    Favourites merged;
    if (merged.merge(std::move(entries)).overLimit > 0)
        return std::nullopt;
    return merged;
}

bool sameFavourites(const Favourites& a, const Favourites& b)
{
    return std::equal(a.items().begin(), a.items().end(), b.items().begin(), b.items().end(),
                      sameFavourite);
}
