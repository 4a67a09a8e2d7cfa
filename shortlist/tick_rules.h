#pragma once

#include "poetry/poetry_corpus.h"
#include "shortlist/row_pattern.h"

#include <string_view>

class NameInsight;

// The rules that tick many rows of a list at once, as row patterns over its units. The
// characters of a row are the surname's and each unit's, as the insight decoded them.

// The rows whose given name contains `character`.
RowPattern rowsContaining(const NameInsight& insight, char32_t character);

// The rows whose given name is two or more of one and the same character.
RowPattern rowsOfRepeatedCharacter(const NameInsight& insight);

// The rows that read exactly like an earlier row, tones included; the first stays unticked.
// A row with a character that has no reading never matches.
RowPattern rowsSoundingLikeAnEarlierRow(const NameInsight& insight);

// The rows whose characters, surname included, all have the same tone. A row with a character
// that has no reading never matches.
RowPattern rowsInOneTone(const NameInsight& insight);

// The rows whose characters, surname included, are all 平 or all 仄. A row with a character
// without reading or in the neutral tone never matches.
RowPattern rowsAllLevelOrAllOblique(const NameInsight& insight);

// The rows whose homophones (NameInsight::homophones) hold an unseemly word.
RowPattern rowsWithUnseemlyHomophone(const NameInsight& insight);

// The rows whose given-name unit at `position` (< unitsPerName()) is not the one character
// `character`: what keeping a generation character at that place throws out.
RowPattern rowsWithoutCharacterAt(const NameInsight& insight, int position, char32_t character);

// The rows with a given-name character outside the general standard list, uncovered ones
// included.
RowPattern rowsWithRareCharacter(const NameInsight& insight);

// The rows with a given-name character that is one of `avoided` or whose reading in the name,
// tone ignored, is a reading of one of them.
RowPattern rowsAvoiding(const NameInsight& insight, std::u32string_view avoided);

// The rows whose given name has no source in the `collections` of `corpus` (see
// PoetryCorpus::sourceLine), or nothing when `progress` asked to stop: at 32,767 units
// this takes about half a second of CPU time.
std::optional<RowPattern> rowsWithoutSource(const NameInsight& insight, const PoetryCorpus& corpus,
                                            Collections collections, const Progress& progress);
