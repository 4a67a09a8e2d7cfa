#include "session/favourites_store.h"

#include "session/session_files.h"
#include "settings/file_reading.h"
#include "settings/read_link.h"
#include "shortlist/favourites_file.h"
#include "shortlist/favourites_merge.h"

#include <algorithm>
#include <ctime>
#include <unordered_map>
#include <utility>

namespace {

const std::string fileName(favouritesFileName);

// The local time now as favourites record it.
std::string now()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    char text[32] = {};
    if (!localtime_r(&seconds, &local) ||
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0)
        return {};
    return text;
}

bool hasCsvSuffix(std::string_view path)
{
    const std::string_view name = path.substr(path.rfind('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    std::string suffix(name.substr(dot + 1));
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == "csv";
}

} // namespace

FavouritesStore::FavouritesStore(SettingsFile settings, const PoetryCorpus* corpus)
    : m_settings(std::move(settings))
    , m_corpus(corpus)
{
}

Outcome<Done> FavouritesStore::open()
{
    Outcome<Done> outcome;
    if (std::exchange(m_opened, true))
        return outcome;
    KeptBytes kept = m_settings.loadBytes(fileName, Favourites::maxFileBytes);
    if (kept.state == KeptBytes::State::Missing)
        return outcome;
    if (kept.state == KeptBytes::State::Inaccessible) {
        m_saveBlocked = true;
        outcome.problems.push_back({FileProblem::Kind::Inaccessible, fileName, {}});
        return outcome;
    }
    std::optional<Favourites> read =
        kept.state == KeptBytes::State::Read ? parseFavourites(kept.bytes) : std::nullopt;
    if (read) {
        m_favourites = std::move(*read);
        m_seenBytes = std::move(kept.bytes);
        refreshFacts(0);
        return outcome;
    }
    const std::optional<std::string> aside = m_settings.keepAside(fileName);
    m_saveBlocked = !aside;
    outcome.problems.push_back(aside ? FileProblem{FileProblem::Kind::KeptAside, fileName, *aside}
                                     : FileProblem{FileProblem::Kind::Stuck, fileName, {}});
    return outcome;
}

Outcome<FavouritesStore::Added> FavouritesStore::add(const std::vector<std::string>& names,
                                                     int surnameLength)
{
    const std::string added = now();
    std::vector<Favourite> entries;
    for (const std::string& name : names) {
        if (isFavouriteName(name))
            entries.push_back({name, std::min(surnameLength, characterCount(name) - 1), {}, added});
    }
    const std::size_t skipped = names.size() - entries.size();
    return merge(std::move(entries), skipped);
}

Outcome<std::optional<FavouritesStore::Added>> FavouritesStore::import(const std::string& path,
                                                                       const TextDecoder& decode)
{
    const std::optional<std::string> target = ResolveLinks(path);
    const std::optional<std::string> bytes =
        target ? ReadWholeFile(*target, Favourites::maxImportBytes) : std::nullopt;
    const std::optional<std::string> text = bytes ? decode(*bytes) : std::nullopt;
    if (!text) {
        Outcome<std::optional<Added>> outcome{{}, open().problems};
        outcome.problems.push_back(
            {bytes ? FileProblem::Kind::NotText : FileProblem::Kind::NotRead, path, {}});
        return outcome;
    }
    ImportedNames imported = parseImport(*text, hasCsvSuffix(path), now());
    Outcome<Added> merged = merge(std::move(imported.entries), imported.skipped);
    merged.value.notesCut = imported.notesCut + merged.value.merged.notesCut;
    merged.value.noNameColumn = imported.noNameColumn;
    return {merged.value, std::move(merged.problems)};
}

Outcome<FavouritesStore::Added> FavouritesStore::merge(std::vector<Favourite> entries,
                                                       std::size_t skipped)
{
    Outcome<Added> outcome{{}, open().problems};
    const std::size_t first = m_favourites.size();
    outcome.value = {m_favourites.merge(std::move(entries)), skipped};
    refreshFacts(first);
    if (outcome.value.merged.added > 0 || outcome.value.merged.notesJoined > 0)
        save(outcome.problems);
    return outcome;
}

Outcome<Done> FavouritesStore::remove(std::vector<std::size_t> indexes)
{
    Outcome<Done> outcome;
    if (indexes.empty())
        return outcome;
    std::vector<bool> removed(m_facts.size(), false);
    for (const std::size_t index : indexes)
        removed.at(index) = true;
    m_favourites.remove(std::move(indexes));
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_facts.size(); ++i) {
        if (!removed[i])
            m_facts[kept++] = std::move(m_facts[i]);
    }
    m_facts.resize(kept);
    save(outcome.problems);
    return outcome;
}

Outcome<bool> FavouritesStore::setNote(std::size_t index, std::string_view note)
{
    Outcome<bool> outcome;
    const std::string before = m_favourites.items().at(index).note;
    m_favourites.setNote(index, note);
    outcome.value = m_favourites.items()[index].note != before;
    if (outcome.value)
        save(outcome.problems);
    return outcome;
}

void FavouritesStore::save(std::vector<FileProblem>& problems)
{
    if (m_saveBlocked)
        return;
    const FileLock lock = m_settings.lock(fileName);
    if (lock.state() == FileLock::State::Busy) {
        tellNotSaved(problems);
        return;
    }
    // Without a lock file (another user's, say) the save goes on: the merge still keeps what
    // was saved before it, and only a save at the same moment could be lost.
    const std::optional<std::optional<Favourites>> elsewhere = savedElsewhere(problems);
    if (!elsewhere)
        return;
    std::optional<Favourites> merged;
    if (*elsewhere) {
        merged = mergeFavourites(parseFavourites(m_seenBytes).value_or(Favourites()), m_favourites,
                                 **elsewhere);
        if (!merged) {
            problems.push_back({FileProblem::Kind::TooBig, fileName, {}});
            return;
        }
    }
    std::string bytes = printFavourites(merged ? *merged : m_favourites);
    if (bytes.size() > Favourites::maxFileBytes) {
        problems.push_back({FileProblem::Kind::TooBig, fileName, {}});
        return;
    }
    if (!m_settings.saveBytes(fileName, bytes)) {
        tellNotSaved(problems);
        return;
    }
    m_seenBytes = std::move(bytes);
    if (merged && !sameFavourites(*merged, m_favourites))
        take(std::move(*merged));
}

std::optional<std::optional<Favourites>>
FavouritesStore::savedElsewhere(std::vector<FileProblem>& problems)
{
    KeptBytes kept = m_settings.loadBytes(fileName, Favourites::maxFileBytes);
    switch (kept.state) {
    case KeptBytes::State::Missing:
        // Removed since it was last seen: what this copy saw stands.
        return std::optional<Favourites>();
    case KeptBytes::State::Inaccessible:
        tellNotSaved(problems);
        return std::nullopt;
    case KeptBytes::State::Read:
        if (kept.bytes == m_seenBytes)
            return std::optional<Favourites>();
        if (std::optional<Favourites> read = parseFavourites(kept.bytes))
            return read;
        break;
    case KeptBytes::State::Unreadable:
        break;
    }
    const std::optional<std::string> aside = m_settings.keepAside(fileName);
    if (!aside) {
        m_saveBlocked = true;
        problems.push_back({FileProblem::Kind::Stuck, fileName, {}});
        return std::nullopt;
    }
    problems.push_back({FileProblem::Kind::Replaced, fileName, *aside});
    return std::optional<Favourites>();
}

void FavouritesStore::tellNotSaved(std::vector<FileProblem>& problems)
{
    if (!std::exchange(m_saveFailureTold, true))
        problems.push_back({FileProblem::Kind::NotSaved, fileName, {}});
}

void FavouritesStore::take(Favourites saved)
{
    const std::vector<Favourite>& shown = m_favourites.items();
    std::unordered_map<std::string_view, std::size_t> shownAt;
    shownAt.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i)
        shownAt.emplace(shown[i].name, i);
    std::vector<TextFacts> facts;
    facts.reserve(saved.size());
    for (const Favourite& favourite : saved.items()) {
        const auto found = shownAt.find(favourite.name);
        if (found != shownAt.end() && shown[found->second].surnameLength == favourite.surnameLength)
            facts.push_back(std::move(m_facts[found->second]));
        else
            facts.push_back(textFactsOf(favourite.name, favourite.surnameLength, m_corpus));
    }
    m_favourites = std::move(saved);
    m_facts = std::move(facts);
    ++m_revision;
}

void FavouritesStore::refreshFacts(std::size_t first)
{
    const std::vector<Favourite>& items = m_favourites.items();
    m_facts.resize(first);
    m_facts.reserve(items.size());
    for (std::size_t i = first; i < items.size(); ++i)
        m_facts.push_back(textFactsOf(items[i].name, items[i].surnameLength, m_corpus));
}
