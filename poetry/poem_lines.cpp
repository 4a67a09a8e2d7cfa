#include "poetry/poem_lines.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 4> lineEnds = {"。", "！", "？", "；"};
// Closing quotation marks, which stay with the line an end mark inside them ends.
constexpr std::array<std::string_view, 4> closingQuotes = {"”", "’", "」", "』"};
constexpr std::array<std::string_view, 8> noteBrackets = {"（", "）", "《", "》",
                                                          "〔", "〕", "(",  ")"};
constexpr std::string_view asciiNoteMarks = "[]{}";
// White space as ASCII and as the ideographic space and no-break spaces editors leave.
constexpr std::array<std::string_view, 3> wideSpaces = {"\u3000", "\u00a0", "\ufeff"};

bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view trimmed(std::string_view piece)
{
    for (bool changed = true; changed && !piece.empty();) {
        changed = false;
        while (!piece.empty() && isAsciiSpace(piece.front())) {
            piece.remove_prefix(1);
            changed = true;
        }
        while (!piece.empty() && isAsciiSpace(piece.back())) {
            piece.remove_suffix(1);
            changed = true;
        }
        for (const std::string_view space : wideSpaces) {
            if (piece.starts_with(space)) {
                piece.remove_prefix(space.size());
                changed = true;
            }
            if (piece.ends_with(space)) {
                piece.remove_suffix(space.size());
                changed = true;
            }
        }
    }
    return piece;
}

bool holdsNote(std::string_view piece)
{
    const auto asciiMark = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
               asciiNoteMarks.find(c) != std::string_view::npos;
    };
    return std::ranges::any_of(piece, asciiMark) ||
           std::ranges::any_of(noteBrackets, [piece](std::string_view bracket) {
               return piece.find(bracket) != std::string_view::npos;
           });
}

// The length of the mark at the start of `text` that is one of `marks`, or 0.
template <std::size_t N>
std::size_t markAt(std::string_view text, const std::array<std::string_view, N>& marks)
{
    for (const std::string_view mark : marks) {
        if (text.starts_with(mark))
            return mark.size();
    }
    return 0;
}

// The length of the line end at the start of `text` with the closing quotes after it, or 0.
std::size_t lineEndAt(std::string_view text)
{
    std::size_t length = markAt(text, lineEnds);
    if (length == 0)
        return 0;
    while (const std::size_t quote = markAt(text.substr(length), closingQuotes))
        length += quote;
    return length;
}

} // namespace

std::vector<std::string> poemLines(std::string_view text)
{
    std::vector<std::string> lines;
    const auto keep = [&lines](std::string_view piece) {
        piece = trimmed(piece);
        if (!piece.empty() && !holdsNote(piece))
            lines.emplace_back(piece);
    };
    std::size_t begin = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (const std::size_t end = lineEndAt(text.substr(at))) {
            at += end;
            keep(text.substr(begin, at - begin));
            begin = at;
        } else {
            ++at;
        }
    }
    keep(text.substr(begin));
    return lines;
}
