#include "shortlist/favourites.h"

#include "hanzi/utf8.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::string_view noteSeparator = "；";

bool isGbkIdeograph(char32_t codePoint)
{
    return (codePoint >= 0x4E00 && codePoint <= 0x9FA5) || codePoint == U'〇';
}

// Where the character that ends at or before `limit` ends, so that cutting there keeps whole
// characters.
std::size_t characterBoundary(std::string_view text, std::size_t limit)
{
    std::size_t end = 0;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t next = offset + utf8::decodeAt(text, offset).length;
        if (next > limit)
            break;
        end = offset = next;
    }
    return end;
}

// Whether `part` is one of the parts of `note` that joins put "；" between.
bool notePartOf(std::string_view note, std::string_view part)
{
    for (std::size_t start = 0;;) {
        const std::size_t end = note.find(noteSeparator, start);
        if (note.substr(start, end - start) == part)
            return true;
        if (end == std::string_view::npos)
            return false;
        start = end + noteSeparator.size();
    }
}

// The note `kept` with `incoming` joined to it, and whether it had to be cut.
std::pair<std::string, bool> joinedNote(const std::string& kept, const std::string& incoming)
{
    if (incoming.empty() || notePartOf(kept, incoming))
        return {kept, false};
    if (kept.empty())
        return {incoming, false};
    const std::string joined = kept + std::string(noteSeparator) + incoming;
    return {keptNote(joined), isCutNote(joined)};
}

} // namespace

bool isFavouriteName(std::string_view name)
{
    int count = 0;
    for (std::size_t offset = 0; offset < name.size(); ++count) {
        const utf8::Decoded decoded = utf8::decodeAt(name, offset);
        if (!decoded.wellFormed || !isGbkIdeograph(decoded.codePoint) ||
            count == Favourites::maxNameCharacters)
            return false;
        offset += decoded.length;
    }
    return count >= Favourites::minNameCharacters;
}

int characterCount(std::string_view name)
{
    int count = 0;
    for (std::size_t offset = 0; offset < name.size(); ++count)
        offset += utf8::decodeAt(name, offset).length;
    return count;
}

std::string keptNote(std::string_view note)
{
    std::string kept(note);
    std::erase(kept, '\0');
    kept.resize(characterBoundary(kept, Favourites::maxNoteBytes));
    std::replace_if(
        kept.begin(), kept.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return kept;
}

bool isCutNote(std::string_view note)
{
    return note.size() - static_cast<std::size_t>(std::count(note.begin(), note.end(), '\0')) >
           Favourites::maxNoteBytes;
}

bool Favourites::contains(std::string_view name) const
{
    return m_positions.contains(std::string(name));
}

Favourites::MergeResult Favourites::merge(std::vector<Favourite> entries)
{
    MergeResult result;
    for (Favourite& entry : entries) {
        entry.note = keptNote(entry.note);
        const auto found = m_positions.find(entry.name);
        if (found != m_positions.end()) {
            std::string& note = m_items[found->second].note;
            auto [joined, cut] = joinedNote(note, entry.note);
            result.notesJoined += joined != note;
            result.notesCut += cut;
            note = std::move(joined);
        } else if (m_items.size() >= maxCount) {
            ++result.overLimit;
        } else {
            m_positions.emplace(entry.name, m_items.size());
            m_items.push_back(std::move(entry));
            ++result.added;
        }
    }
    return result;
}

void Favourites::remove(std::vector<std::size_t> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    std::size_t next = 0;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (next < indexes.size() && indexes[next] == i) {
            ++next;
            continue;
        }
        if (kept != i)
            m_items[kept] = std::move(m_items[i]);
        ++kept;
    }
    m_items.resize(kept);
    reindex();
}

void Favourites::setNote(std::size_t index, std::string_view note)
{
    m_items.at(index).note = keptNote(note);
}

void Favourites::reindex()
{
    m_positions.clear();
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_positions.emplace(m_items[i].name, i);
}
