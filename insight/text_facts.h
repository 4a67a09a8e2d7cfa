#pragma once

#include "poetry/poetry_corpus.h"

#include <string>
#include <string_view>

// What the program says about one name given as text, for names kept without the NameList they
// came from: the facts NameCharacters gives a row of a list, read by the same per-character
// rules.
struct TextFacts {
    std::string readings;   // tone-marked pinyin per character, space-separated; '?' when unknown
    int strokes = 0;        // total strokes of the characters the table knows
    std::string strokeText; // per character and total, "7+11+8=26"; '?' for an unknown one
    std::string levels;     // 平仄 per character, "仄平仄"
    std::string homophones; // the words it sounds like, as HomophoneText() gives them
    std::string source;     // the line of poetry its given name comes from; empty when none
};

// The facts of `name` (UTF-8) whose first `surnameLength` characters are the surname, read as
// a surname and the others as given-name characters (see describeName); its source is looked up
// in `corpus` when there is one.
TextFacts textFactsOf(std::string_view name, int surnameLength,
                      const PoetryCorpus* corpus = nullptr,
                      Collections collections = allCollections);

// The surname length of a name whose inputs are unknown: 2 when it starts with a compound
// surname the program reads as one, else 1.
int surnameLengthOf(std::string_view name);
