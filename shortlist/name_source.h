#pragma once

#include "poetry/poetry_corpus.h"

#include <cstdint>
#include <string>

class NameInsight;

// The given name of row `row` (< names().size()): the characters after the surname.
std::u32string givenNameOf(const NameInsight& insight, std::uint64_t row);

// The source text of row `row`'s given name in the `collections` of `corpus`, UTF-8; empty
// when no line holds it.
std::string sourceOfRow(const NameInsight& insight, const PoetryCorpus& corpus,
                        Collections collections, std::uint64_t row);
