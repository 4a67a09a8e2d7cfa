#pragma once

#include <cstdint>
#include <string>
#include <vector>

class NameInsight;

// The names of a list as UTF-8 text and the insight columns of an export, joined per row from
// pieces made once per surname and unit.
class NameText final {
public:
    explicit NameText(const NameInsight& insight);

    // Appends the name of row `row`.
    void append(std::string& text, std::uint64_t row) const;
    // Appends the readings, tone digits, total strokes and whether every character is in the
    // general standard list, comma-separated as CSV fields; the same values as the insight's.
    void appendInsightFields(std::string& text, std::uint64_t row) const;

private:
    struct Piece {
        std::string text;
        std::string readings; // space-separated
        std::string tones;    // '-'-separated
        int strokes = 0;
        bool standard = true;
    };
    static Piece pieceOf(const auto& characters);

    const NameInsight* m_insight;
    Piece m_surname;
    std::vector<Piece> m_units;
};
