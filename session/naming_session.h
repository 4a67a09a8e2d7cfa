#pragma once

#include "insight/name_facts.h"
#include "poetry/poetry_corpus.h"
#include "session/favourites_store.h"
#include "session/file_problem.h"
#include "session/session_files.h"
#include "settings/preferences_file.h"
#include "shortlist/saved_ticks.h"
#include "shortlist/tick_record.h"

#include <memory>
#include <optional>

// The user's work while the program runs, which the window shows: the inputs, the list they
// make and its facts, the ticks of that list and those saved by the last run, the favourites,
// and the view preferences, each with the file it is kept in. Nothing here needs a window.
class NamingSession final {
public:
    // Names are decoded with `decode`; sources come from `corpus`, when there is one.
    NamingSession(SessionFiles files, NameInsight::Decoder decode,
                  const PoetryCorpus* corpus = nullptr);

    // The inputs name.xml held when the session began; nothing when it could not be read.
    const std::optional<NamingSettings>& restoredInputs() const { return m_restoredInputs; }

    // The facts of the list `inputs` make: those made last while the inputs make the same list,
    // else new ones, made without their insight.
    std::shared_ptr<NameFacts> factsOf(const TickInputs& inputs);
    // factsOf(inputs), as the list the ticks now belong to. The first fill reads the ticks the
    // last run saved; a damaged ticks file is renamed aside without a word, so that the next
    // close does not save over it, and one that cannot be opened (no permission, typically) is
    // left as it is, and never saved over in this run.
    std::shared_ptr<NameFacts> fill(const TickInputs& inputs);
    // The ticks of the list filled last.
    TickRecord& ticks() { return m_ticks; }
    // The ticks the last run saved, when they belong to the list filled last: saved for the same
    // inputs and as many rows; else null.
    const RowSet* savedTicks() const;
    // The characters of the surname of the list filled last, 1 before the first fill.
    int surnameLength() const;
    // Saves `inputs` to name.xml and, when a row is ticked, the ticks with the inputs of their
    // list to ticks.bin. Without ticks the file stays, so that a run that only looked keeps the
    // ticks of the run before it; ticks over the file's limit, or a ticks file the first fill
    // could not open, leave it as it was too.
    Outcome<Done> close(const NamingSettings& inputs);

    // The view preferences, kept in corvale.conf: whether the lists show the reading column, and
    // the collections the sources come from (all of them until chosen).
    bool readingShown() const;
    Outcome<Done> showReading(bool shown);
    Collections sourceCollections() const;
    Outcome<Done> showSourcesFrom(Collections collections);

    FavouritesStore& favourites() { return m_favourites; }

private:
    Outcome<Done> savePreference(const std::string& key, const std::string& value);

    SessionFiles m_files;
    NameInsight::Decoder m_decode;
    std::optional<NamingSettings> m_restoredInputs;
    std::shared_ptr<NameFacts> m_facts;
    std::optional<TickInputs> m_filledInputs;
    std::uint64_t m_filledRows = 0;
    TickRecord m_ticks;
    // The ticks file, read at the first fill.
    std::optional<std::optional<SavedTicks>> m_savedTicks;
    bool m_ticksFileLeftAlone = false; // it could not be opened
    PreferencesFile m_preferences;
    FavouritesStore m_favourites;
};
