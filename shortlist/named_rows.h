#pragma once

#include "naming/name_list.h"
#include "shortlist/row_set.h"

// The rows of `target` whose names are names of the rows `rows` of `source`, the names compared
// as the GBK bytes of the whole name. For equal lists these are `rows` themselves, row for row.
// Otherwise every row of `target` whose name a row in `rows` holds counts, whatever its position,
// also when several rows hold one name (repeated candidates). The work grows with the units of
// the lists and the blocks of 2^16 rows, not with the ticks: at 32,767 units and every row
// ticked it takes a fraction of a second.
RowSet rowsNamedAlike(const NameList& source, const RowSet& rows, const NameList& target);
