#pragma once

#include <optional>
#include <string>
#include <vector>

// The user's view preferences, corvale.conf, in the INI layout QSettings gives them: a "[group]"
// line, then "name=value" lines; a key "group/name" is kept in that group, a key without a slash
// in [General]. The file is read and replaced by the rules of name.xml: only a regular file of at
// most 1 MiB is read, opened without blocking; links are followed only where the link rule
// allows; a save is whole or nothing and keeps the file's owner and mode. A file that is not read
// (missing, oversized, not a regular file) counts as empty and the next save replaces it, where
// it may. Values are kept as written: no escapes are read or made.
class PreferencesFile final {
public:
    // Reads `path` now; an empty path keeps nothing.
    explicit PreferencesFile(std::string path);

    std::optional<std::string> value(const std::string& key) const;
    // Sets `key` and saves the file at once, keeping the other keys as the file now holds them;
    // false when the file could not be written (the value is kept for this run).
    bool setValue(const std::string& key, const std::string& value);

private:
    struct Entry {
        std::string group;
        std::string name;
        std::string value;
    };

    void load();
    std::string text() const;

    std::string m_path;
    std::vector<Entry> m_entries;
};
