#pragma once

#include "insight/text_facts.h"
#include "poetry/poetry_corpus.h"
#include "session/file_problem.h"
#include "settings/settings_file.h"
#include "shortlist/favourites.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The user's favourites, kept in favourites.csv in the settings folder, with the facts of each
// name. The file is read when the favourites are first needed, so a run that never shows them
// never reads it, and saved whole after every change. A file found damaged (malformed, too big,
// not a regular file) is renamed aside and the work starts without it; one that cannot be opened
// (no permission, typically), or cannot be renamed, is left as it is, and nothing is saved over
// it during the run. A failed save is reported once a run.
//
// Other copies of the program may save the same file meanwhile. Each save therefore reads the
// file again, under the file's lock, and merges this copy's changes since it last read or saved
// it into what the file holds now (see mergeFavourites); the favourites become what was saved. A
// save that would pass Favourites::maxFileBytes or maxCount is refused every time: the file stays
// as it was and the favourites as they are, for a later save that fits.
class FavouritesStore final {
public:
    // What an add or an import did.
    struct Added {
        Favourites::MergeResult merged;
        // Names that may not be kept, or the lines of an import that hold no name.
        std::size_t skipped = 0;
        std::size_t notesCut = 0;  // an import's notes cut to Favourites::maxNoteBytes
        bool noNameColumn = false; // an imported .csv without a 名字 column
    };
    // The UTF-8 text of an imported file's bytes, or nothing when no encoding fits.
    using TextDecoder = std::function<std::optional<std::string>(std::string_view bytes)>;

    // Sources come from `corpus`, when there is one.
    FavouritesStore(SettingsFile settings, const PoetryCorpus* corpus);

    // Reads the file unless it has been read.
    Outcome<Done> open();
    bool isOpen() const { return m_opened; }

    const Favourites& favourites() const { return m_favourites; }
    // Grows whenever a save takes in what another copy of the program saved, which may add,
    // remove and reorder favourites besides the change that was saved.
    std::uint64_t revision() const { return m_revision; }
    // The facts of favourite `index` of favourites().items().
    const TextFacts& facts(std::size_t index) const { return m_facts[index]; }

    // Adds `names` (UTF-8) that may be kept (see isFavouriteName), whose first `surnameLength`
    // characters, or all but the last when they are fewer, are the surname.
    Outcome<Added> add(const std::vector<std::string>& names, int surnameLength);
    // Adds the names of the file at `path`, read as CSV when its suffix is .csv in any case and
    // as a name a line otherwise (see parseImport). Nothing, with the problem NotRead, when it is
    // not a regular file within Favourites::maxImportBytes that the link rules let through, and
    // with the problem NotText when `decode` finds no text in it.
    Outcome<std::optional<Added>> import(const std::string& path, const TextDecoder& decode);
    // Removes the favourites at `indexes` (any order, repeats allowed).
    Outcome<Done> remove(std::vector<std::size_t> indexes);
    // Replaces the note of favourite `index` with keptNote(note); the value says whether the
    // note changed.
    Outcome<bool> setNote(std::size_t index, std::string_view note);

private:
    // Merges `entries` into the favourites read first, and saves when anything changed.
    Outcome<Added> merge(std::vector<Favourite> entries, std::size_t skipped);
    // Saves the favourites, merged with the file as it is now, unless a file that could not be
    // read was left in place.
    void save(std::vector<FileProblem>& problems);
    // The favourites of the file as it is now, when another copy saved it since this copy last
    // read or saved it, for a save to merge with; nothing inside when no other copy did, the
    // file is gone, or it was found damaged and kept aside; nothing at all when nothing may be
    // saved.
    std::optional<std::optional<Favourites>> savedElsewhere(std::vector<FileProblem>& problems);
    void tellNotSaved(std::vector<FileProblem>& problems);
    // Shows `saved` from now on, keeping the facts of the names already shown.
    void take(Favourites saved);
    // Makes the facts of the favourites from `first` on.
    void refreshFacts(std::size_t first);

    SettingsFile m_settings;
    const PoetryCorpus* m_corpus;
    Favourites m_favourites;
    std::string m_seenBytes;        // the file as this copy last read or saved it
    std::vector<TextFacts> m_facts; // per favourite
    std::uint64_t m_revision = 0;
    bool m_opened = false;
    bool m_saveBlocked = false;     // a file that could not be read was left in place
    bool m_saveFailureTold = false; // a failed save is reported once a run
};
