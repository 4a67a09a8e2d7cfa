#include "session/naming_session.h"

#include "poetry/collections.h"
#include "settings/folders.h"

#include <string_view>

namespace {

constexpr std::string_view showReadingKey = "view/showReading";
// The collections, see collectionsPreference.
constexpr std::string_view sourceCollectionsKey = "view/sourceCollections";

} // namespace

NamingSession::NamingSession(SessionFiles files, NameInsight::Decoder decode,
                             const PoetryCorpus* corpus)
    : m_files(std::move(files))
    , m_decode(std::move(decode))
    , m_restoredInputs(m_files.settings.load(std::string(settingsFileName)))
    , m_preferences(m_files.preferencesPath)
    , m_favourites(m_files.settings, corpus)
{
}

std::shared_ptr<NameFacts> NamingSession::factsOf(const TickInputs& inputs)
{
    NameList names(inputs.surname, inputs.candidates, inputs.mode);
    if (!m_facts || m_facts->names() != names)
        m_facts = std::make_shared<NameFacts>(std::move(names), m_decode);
    return m_facts;
}

std::shared_ptr<NameFacts> NamingSession::fill(const TickInputs& inputs)
{
    std::shared_ptr<NameFacts> facts = factsOf(inputs);
    m_filledInputs = inputs;
    m_filledRows = listRows(facts->names().size());
    m_ticks.reset();
    if (!m_savedTicks) {
        const std::string fileName(ticksFileName);
        const KeptBytes kept = m_files.settings.loadBytes(fileName, SavedTicks::maxFileBytes);
        m_savedTicks =
            kept.state == KeptBytes::State::Read ? parseSavedTicks(kept.bytes) : std::nullopt;
        m_ticksFileLeftAlone = kept.state == KeptBytes::State::Inaccessible;
        if (kept.state != KeptBytes::State::Missing && !m_ticksFileLeftAlone && !*m_savedTicks)
            m_files.settings.keepAside(fileName);
    }
    return facts;
}

const RowSet* NamingSession::savedTicks() const
{
    if (!m_savedTicks || !*m_savedTicks)
        return nullptr;
    const SavedTicks& saved = **m_savedTicks;
    return saved.inputs == m_filledInputs && saved.rows == m_filledRows ? &saved.ticks : nullptr;
}

int NamingSession::surnameLength() const
{
    return m_filledInputs ? static_cast<int>(m_decode(m_filledInputs->surname).size()) : 1;
}

Outcome<Done> NamingSession::close(const NamingSettings& inputs)
{
    Outcome<Done> outcome;
    const std::string settingsName(settingsFileName);
    if (!m_files.settings.save(inputs, settingsName))
        outcome.problems.push_back({FileProblem::Kind::NotSaved, settingsName, {}});
    if (!m_filledInputs || m_ticks.ticks().empty() || m_ticksFileLeftAlone)
        return outcome;
    const std::string ticksName(ticksFileName);
    const std::optional<std::string> bytes =
        printSavedTicks({*m_filledInputs, m_filledRows, m_ticks.ticks()});
    if (!bytes || !m_files.settings.saveBytes(ticksName, *bytes))
        outcome.problems.push_back({FileProblem::Kind::NotSaved, ticksName, {}});
    return outcome;
}

bool NamingSession::readingShown() const
{
    return m_preferences.value(std::string(showReadingKey)) == "true";
}

Outcome<Done> NamingSession::showReading(bool shown)
{
    return savePreference(std::string(showReadingKey), shown ? "true" : "false");
}

Collections NamingSession::sourceCollections() const
{
    return collectionsOfPreference(m_preferences.value(std::string(sourceCollectionsKey)));
}

Outcome<Done> NamingSession::showSourcesFrom(Collections collections)
{
    return savePreference(std::string(sourceCollectionsKey), collectionsPreference(collections));
}

// The preferences share the folder of name.xml, which is private to its owner whichever of the
// two files makes it first.
Outcome<Done> NamingSession::savePreference(const std::string& key, const std::string& value)
{
    Outcome<Done> outcome;
    const std::string& path = m_files.preferencesPath;
    const bool saved = !path.empty() && MakeFolders(path.substr(0, path.rfind('/')), 0700) &&
                       m_preferences.setValue(key, value);
    if (!saved)
        outcome.problems.push_back({FileProblem::Kind::NotSaved, path, {}});
    return outcome;
}
