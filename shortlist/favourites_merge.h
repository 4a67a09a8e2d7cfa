#pragma once

#include "shortlist/favourites.h"

#include <optional>

// The favourites to save when the file may have been saved by another copy of the program since
// this copy last read or saved it: `base` is the file as this copy last saw it, `ours` the
// favourites this copy holds now, `theirs` the file as it is now. The names, their order and
// their notes come from theirs; then what this copy did since base is done to them: a name it
// removed is removed, a note it changed replaces theirs, and a name it added is added at the end,
// or, when theirs has it too, its note is joined to theirs as Favourites::merge() joins notes. A
// name that theirs no longer holds stays out, unless this copy changed its note. Nothing when
// the names would pass Favourites::maxCount.
std::optional<Favourites> mergeFavourites(const Favourites& base, const Favourites& ours,
                                          const Favourites& theirs);

// Whether `a` and `b` hold the same favourites in the same order.
bool sameFavourites(const Favourites& a, const Favourites& b);
