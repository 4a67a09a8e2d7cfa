#pragma once

#include "insight/text_facts.h"
#include "shortlist/favourites.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The favourites file, favourites.csv: UTF-8 CSV (RFC 4180) with a byte order mark and the header
// line 名字,姓氏字数,备注,加入时间, then one favourite a line in the order they were added. The
// 收藏 tab, the exports and the imports name its columns as it does.
namespace favourites_file {
inline constexpr std::string_view nameHeading = "名字";
inline constexpr std::string_view surnameLengthHeading = "姓氏字数";
inline constexpr std::string_view noteHeading = "备注";
inline constexpr std::string_view addedHeading = "加入时间";
} // namespace favourites_file

// The whole file for `favourites`; never longer than Favourites::maxFileBytes.
std::string printFavourites(const Favourites& favourites);
// The favourites of a file; nothing when anything in it is not as printFavourites writes it
// (another header, a bad name, a repeated name, a field too long, too many lines).
std::optional<Favourites> parseFavourites(std::string_view bytes);

// Names read from a file the user imports.
struct ImportedNames {
    std::vector<Favourite> entries; // valid names, in file order, repeats included
    std::size_t skipped = 0;        // lines that are not a name
    std::size_t notesCut = 0;       // notes cut to Favourites::maxNoteBytes
    bool noNameColumn = false;      // a .csv without a 名字 column, every line skipped
};

// `text` is UTF-8, with or without a byte order mark; lines end with CR LF, LF or CR. A .txt
// file holds one name a line; blank lines are ignored. A .csv file has a header line naming its
// columns, among them 名字 and optionally 备注, 加入时间 and 姓氏字数; without a 名字 column
// nothing is read and every line is skipped. A quoted field may span lines when it closes; one
// left open (still open at the end of the file, or closed after line breaks by a quote that text
// follows) ends at the end of its line: that line is skipped and the lines after it are read.
// Notes are made keptNote()s, without the ' an export put before them (see exportedText). A
// name's surname length, when the file does not give it, is that of a compound surname it
// starts with, else 1. An added time is taken when it is a time as the program writes it; `now`
// is the added time of the others.
ImportedNames parseImport(std::string_view text, bool csv, const std::string& now);

// A favourite and its facts, as an export writes them.
struct ExportedFavourite {
    const Favourite* favourite;
    const TextFacts* facts;
};

// The export of `rows`: a name a line, or with `csv` UTF-8 CSV with a byte order mark and a
// header line, each row's name, fact columns (see factColumns) with 字义 after 出处, note and
// added time, written for spreadsheets (see appendExportField). The favourites file keeps the
// notes as they are.
std::string exportFavourites(std::span<const ExportedFavourite> rows, bool csv);
