#pragma once

#include "insight/name_insight.h"
#include "poetry/poetry_corpus.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the name card shows of one name, UTF-8; the window adds the headings.
struct CardText {
    struct Character {
        std::string text;    // the character
        std::string reading; // tone-marked, as the name reads it; empty when not covered

        // What a screen reader says for the pair: "杜 dù".
        std::string spoken() const { return reading.empty() ? text : text + ' ' + reading; }
    };

    std::string name;                  // "杜子腾"
    std::vector<Character> characters; // of the name, surname first
    std::string strokes;               // "杜 7 + 子 3 + 腾 13 = 23", '?' for an unknown count
    std::string levels;                // 平仄: "仄仄平"
    std::string homophones;            // the words it sounds like; empty when none
    std::string source;                // the poem and its whole line; empty when none
    // 字义, one line per given-name character that has one, each character once ("腾：…").
    std::vector<std::string> meanings;
    // Whether every covered character is in the general standard list, and if not which are not.
    std::string standard;
    std::string spoken; // what espeak-ng reads (see spokenPinyin)
};

// The card of a name of `characters` (as NameInsight gives them) whose first `surnameLength`
// are the surname, with its `source` line (empty when none).
CardText cardTextOf(std::span<const NameInsight::Character* const> characters,
                    std::size_t surnameLength, std::string source);

// The card of row `row` of `insight`, its source from the `collections` of `corpus`.
CardText cardTextOfRow(const NameInsight& insight, std::uint64_t row, const PoetryCorpus& corpus,
                       Collections collections);

// The card of a name given as text (UTF-8, such as a favourite) whose first `surnameLength`
// characters are the surname.
CardText cardTextOfName(std::string_view name, std::size_t surnameLength, std::string source);
