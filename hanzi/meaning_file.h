#pragma once

#include <istream>
#include <string>
#include <vector>

// The 字义 file, res/character_meanings.txt: UTF-8 lines `字<TAB>meaning`; blank lines and lines
// starting with '#' are comments. Each character is in the 2013 general standard list and has
// one line. A meaning is 4 to 40 Han characters with the punctuation of kPunctuation between
// them, nothing else: no Latin letters, digits or spaces.
namespace meaning_file {

inline constexpr int kMinHan = 4;
inline constexpr int kMaxHan = 40;
inline constexpr char32_t kPunctuation[] = U"；，、（）“”\"《》：·—";

struct Entry {
    char32_t character;
    std::string meaning;
};

struct Contents {
    std::vector<Entry> entries; // in code-point order
    // One message for each line that breaks the rules, "line N: ...", in file order.
    std::vector<std::string> errors;
};

Contents read(std::istream& in);

} // namespace meaning_file
