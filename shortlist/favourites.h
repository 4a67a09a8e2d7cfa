#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One kept name. It is its text alone: the inputs it came from are not kept, only how many of
// its leading characters are the surname, which its readings depend on.
struct Favourite {
    std::string name;      // UTF-8, a valid favourite name (see isFavouriteName)
    int surnameLength = 1; // 0 to the name's length - 1
    std::string note;      // UTF-8, one line, at most Favourites::maxNoteBytes
    std::string added;     // local time it was added, "YYYY-MM-DD HH:MM:SS"
};

// Whether `name` (UTF-8) may be kept: 2 to 8 Chinese characters that GBK encodes (the unified
// ideographs U+4E00..U+9FA5 and 〇).
bool isFavouriteName(std::string_view name);
// The number of characters of a valid favourite name.
int characterCount(std::string_view name);
// `note` as a note may be kept: NULs are dropped, line breaks and tabs become spaces, and it is
// cut, on a character boundary, to maxNoteBytes.
std::string keptNote(std::string_view note);
// Whether keptNote() cuts `note`.
bool isCutNote(std::string_view note);

// The user's favourites in the order they were added, each name once. The limits keep the file
// that holds them under its own size limit whatever the notes hold.
class Favourites final {
public:
    static constexpr std::size_t maxCount = 10'000;
    // A name holds this many characters at least and at most (see isFavouriteName).
    static constexpr int minNameCharacters = 2;
    static constexpr int maxNameCharacters = 8;
    static constexpr std::size_t maxFileBytes = std::size_t{4} << 20;
    // With quotes doubled, 10,000 favourites with notes this long still fit maxFileBytes.
    static constexpr std::size_t maxNoteBytes = 180;
    // An import larger than this is not read: a page export of every name is far larger than
    // any list of favourites needs.
    static constexpr std::size_t maxImportBytes = std::size_t{16} << 20;

    // What a merge did.
    struct MergeResult {
        std::size_t added = 0;
        std::size_t notesJoined = 0;
        std::size_t overLimit = 0; // new names left out because the list was full
        std::size_t notesCut = 0;  // joined notes cut to maxNoteBytes
    };

    const std::vector<Favourite>& items() const { return m_items; }
    std::size_t size() const { return m_items.size(); }
    bool contains(std::string_view name) const;

    // Adds the favourites whose names are not there yet, in order, while there is room; the
    // note of a name already there gets the entry's joined as "A；B" unless it holds it
    // already. Names must be valid; notes are made keptNote()s.
    MergeResult merge(std::vector<Favourite> entries);
    // Removes the favourites at `indexes` (any order, repeats allowed).
    void remove(std::vector<std::size_t> indexes);
    // Replaces the note of favourite `index` with keptNote(note).
    void setNote(std::size_t index, std::string_view note);

private:
    void reindex();

    std::vector<Favourite> m_items;
    std::unordered_map<std::string, std::size_t> m_positions; // name -> index in m_items
};
