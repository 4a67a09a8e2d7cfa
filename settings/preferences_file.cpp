#include "settings/preferences_file.h"

#include "settings/file_reading.h"
#include "settings/file_replacement.h"
#include "settings/read_link.h"

#include <algorithm>
#include <utility>

namespace {

// The program writes a few lines; a larger file is damaged and not read.
constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr std::string_view kGeneralGroup = "General";

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The group and name of `key`: "group/name", or a bare name in the general group.
std::pair<std::string, std::string> SplitKey(const std::string& key)
{
    const auto slash = key.find('/');
    if (slash == std::string::npos) {
        return {std::string(kGeneralGroup), key};
    }
    return {key.substr(0, slash), key.substr(slash + 1)};
}

} // namespace

PreferencesFile::PreferencesFile(std::string path)
    : m_path(std::move(path))
{
    load();
}

void PreferencesFile::load()
{
    m_entries.clear();
    if (m_path.empty()) {
        return;
    }
    const auto target = ResolveLinks(m_path);
    const auto bytes = target ? ReadWholeFile(*target, kMaxFileBytes) : std::nullopt;
    if (!bytes) {
        return;
    }
    std::string group(kGeneralGroup);
    std::string_view rest = *bytes;
    while (!rest.empty()) {
        const auto end = std::min(rest.find('\n'), rest.size());
        const std::string_view line = Trimmed(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const auto equals = line.find('=');
        if (line.starts_with('[') && line.ends_with(']')) {
            group = std::string(Trimmed(line.substr(1, line.size() - 2)));
        } else if (equals != std::string_view::npos && !line.starts_with(';')) {
            m_entries.push_back({group, std::string(Trimmed(line.substr(0, equals))),
                                 std::string(Trimmed(line.substr(equals + 1)))});
        }
    }
}

std::optional<std::string> PreferencesFile::value(const std::string& key) const
{
    const auto split = SplitKey(key);
    // The last of repeated lines counts, as in QSettings.
    const auto found = std::find_if(m_entries.rbegin(), m_entries.rend(), [&](const Entry& entry) {
        return entry.group == split.first && entry.name == split.second;
    });
    return found == m_entries.rend() ? std::nullopt : std::optional(found->value);
}

bool PreferencesFile::setValue(const std::string& key, const std::string& value)
{
    // Another copy of the program may have saved since.
    load();
    auto split = SplitKey(key);
    std::erase_if(m_entries, [&](const Entry& entry) {
        return entry.group == split.first && entry.name == split.second;
    });
    m_entries.push_back({std::move(split.first), std::move(split.second), value});
    return !m_path.empty() && ReplaceFileContents(m_path, text());
}

// The entries grouped in the order each group first appears.
std::string PreferencesFile::text() const
{
    std::vector<std::string> groups;
    for (const Entry& entry : m_entries) {
        if (std::find(groups.begin(), groups.end(), entry.group) == groups.end()) {
            groups.push_back(entry.group);
        }
    }
    std::string text;
    for (const std::string& group : groups) {
        text += (text.empty() ? "[" : "\n[") + group + "]\n";
        for (const Entry& entry : m_entries) {
            if (entry.group == group) {
                text += entry.name + "=" + entry.value + "\n";
            }
        }
    }
    return text;
}
