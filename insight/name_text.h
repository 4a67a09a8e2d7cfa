#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class NameInsight;

// The names of a list as UTF-8 text and the insight columns of an export, joined per row from
// pieces made once per surname and unit.
class NameText final {
public:
    explicit NameText(const NameInsight& insight);

    // Appends the name of row `row`.
    void append(std::string& text, std::uint64_t row) const;
    // Appends the readings, tone digits, total strokes, whether every character is in the
    // general standard list, 平仄 and homophones, comma-separated as CSV fields; the same values
    // as the insight's. Homophones are worked out once per pair of unit sounds.
    void appendInsightFields(std::string& text, std::uint64_t row) const;
    // Appends the 字义 of the given name (see MeaningText) as one CSV field.
    void appendMeaningField(std::string& text, std::uint64_t row) const;

private:
    struct Piece {
        std::string text;
        std::string readings; // space-separated
        std::string tones;    // '-'-separated
        std::string levels;   // 平, 仄 or ？ per character
        int strokes = 0;
        bool standard = true;
        std::uint64_t sound = 0; // units of equal sound share it
        std::string meanings;    // MeaningText of the characters
        bool quoted = false;     // whether `meanings` holds a quote
    };
    static Piece pieceOf(const auto& characters);

    const NameInsight* m_insight;
    Piece m_surname;
    std::vector<Piece> m_units;
    std::uint64_t m_soundCount = 0;
    mutable std::unordered_map<std::uint64_t, std::string> m_homophones; // by the units' sounds
};
