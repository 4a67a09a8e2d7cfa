#pragma once

#include "name_units.h"
#include "row_pattern.h"

#include <vector>

class NameList;

// The rows of a list that hold at least one unit with `flagged[unit]` set.
RowPattern rowsWithAnyUnit(const NameList& names, const std::vector<bool>& flagged);

// The rows whose given name contains `character`.
RowPattern rowsContaining(const NameList& names, const NameUnits& units, char32_t character);

// The rows whose given name is two or more of one and the same character.
RowPattern rowsOfRepeatedCharacter(const NameList& names, const NameUnits& units);

// The rows that sound like an earlier row. `soundOf[unit]` numbers the units by how they read
// (equal numbers, equal readings), or is negative for a unit with no reading; the surname reads
// the same on every row.
RowPattern rowsSoundingLikeAnEarlierRow(const NameList& names, const std::vector<int>& soundOf);

// The rows whose every unit has tone `surnameTone`; `toneOf[unit]` is the tone all the unit's
// characters share, or negative. A negative `surnameTone` matches no row.
RowPattern rowsInOneTone(const NameList& names, const std::vector<int>& toneOf, int surnameTone);
