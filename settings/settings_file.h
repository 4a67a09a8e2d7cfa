#pragma once

#include "settings/file_lock.h"
#include "settings/folders.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

// The inputs of the naming window that persist between runs.
struct NamingSettings {
    std::optional<std::string> surname;    // GBK bytes
    std::optional<std::string> candidates; // GBK bytes
    std::optional<bool> threeCharacter;    // absent when the third field has no content
};

// What reading a file of the settings folder found.
struct KeptBytes {
    enum class State {
        Missing,     // no file of that name
        Read,        // `bytes` holds it whole
        Unreadable,  // there, but not a regular file within the limit reachable by the link rules
        Inaccessible // there, but it could not be opened or read (no permission, typically)
    };
    State state = State::Missing;
    std::string bytes;
};

// Reads and writes <directory>/config/<fileName>. Nothing is thrown: a failed save leaves the
// file as it was, a failed load yields nothing.
class SettingsFile {
public:
    explicit SettingsFile(std::string directory = ExecutableDirectory());
    // Reads and writes <folder>/<fileName>; the first save makes the folder, and any missing
    // parents, readable by the owner only.
    static SettingsFile inFolder(std::string folder);
    // Keeps nothing: a save does nothing, a load yields nothing.
    static SettingsFile nowhere();

    // False when nothing was written.
    bool save(const NamingSettings& settings, const std::string& fileName) const;
    std::optional<NamingSettings> load(const std::string& fileName) const;

    // Replaces <folder>/<fileName> with `bytes`, whole or not at all, by the rules of
    // ReplaceFileContents; false when nothing was written. A new file is readable and writable
    // by its owner only, whatever the umask, since what it holds is the user's own.
    bool saveBytes(const std::string& fileName, std::string_view bytes) const;
    // Reads <folder>/<fileName> as load() reads name.xml: links only as ResolveLinks allows,
    // a regular file only, never more than `maxBytes`, never waiting on a FIFO.
    KeptBytes loadBytes(const std::string& fileName, std::size_t maxBytes) const;
    // Takes the lock of <folder>/<fileName> (see FileLock), made beside it as <fileName>.lock.
    FileLock lock(const std::string& fileName) const;
    // Renames <folder>/<fileName>, or the link of that name, to
    // <fileName>.damaged-YYYYMMDD-HHMMSS (local time) unless that name is taken; the new file
    // name, nothing when it could not be renamed.
    std::optional<std::string> keepAside(const std::string& fileName) const;
    // Removes what interrupted saves of `fileName` left behind; call it only while this user
    // runs no other copy of the program.
    void removeStaleTemporaryFiles(const std::string& fileName) const;

private:
    std::string path(const std::string& fileName) const;
    // saveBytes() with `newFileMode` for a new file (see FileReplacement).
    bool replace(const std::string& fileName, std::string_view bytes,
                 std::optional<mode_t> newFileMode) const;

    SettingsFile(std::string folder, bool makeFolder);

    std::string m_folder; // empty when nothing is kept
    bool m_makeFolder;
};
