#pragma once

#include "settings/folders.h"

#include <optional>
#include <string>

// The inputs of the naming window that persist between runs.
struct NamingSettings {
    std::optional<std::string> surname;    // GBK bytes
    std::optional<std::string> candidates; // GBK bytes
    std::optional<bool> threeCharacter;    // absent when the third field has no content
};

// Reads and writes <directory>/config/<fileName>. Nothing is reported and nothing is thrown: a
// failed save leaves the file as it was, a failed load yields nothing.
class SettingsFile {
public:
    explicit SettingsFile(std::string directory = ExecutableDirectory());
    // Reads and writes <folder>/<fileName>; the first save makes the folder, and any missing
    // parents, readable by the owner only.
    static SettingsFile inFolder(std::string folder);
    // Keeps nothing: a save does nothing, a load yields nothing.
    static SettingsFile nowhere();

    void save(const NamingSettings& settings, const std::string& fileName) const;
    std::optional<NamingSettings> load(const std::string& fileName) const;
    // Removes what interrupted saves of `fileName` left behind; call it only while this user
    // runs no other copy of the program.
    void removeStaleTemporaryFiles(const std::string& fileName) const;

private:
    std::string path(const std::string& fileName) const;

    SettingsFile(std::string folder, bool makeFolder);

    std::string m_folder; // empty when nothing is kept
    bool m_makeFolder;
};
