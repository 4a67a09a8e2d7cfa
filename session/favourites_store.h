#pragma once

#include "insight/text_facts.h"
#include "poetry/poetry_corpus.h"
#include "session/file_problem.h"
#include "settings/settings_file.h"
#include "shortlist/favourites.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The user's favourites, kept in favourites.csv in the settings folder, with the facts of each
// name. The file is read when the favourites are first needed, so a run that never shows them
// never reads it, and saved whole after every change. A file that cannot be read is renamed
// aside and the work starts without it; when even that fails, nothing is saved over it during
// the run. A failed save is reported once a run.
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
    // Saves the favourites unless the unreadable file could not be moved aside.
    void save(std::vector<FileProblem>& problems);
    // Makes the facts of the favourites from `first` on.
    void refreshFacts(std::size_t first);

    SettingsFile m_settings;
    const PoetryCorpus* m_corpus;
    Favourites m_favourites;
    std::vector<TextFacts> m_facts; // per favourite
    bool m_opened = false;
    bool m_saveBlocked = false;     // an unreadable file could not be moved aside
    bool m_saveFailureTold = false; // a failed save is reported once a run
};
