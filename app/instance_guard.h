#pragma once

#include <string>
#include <string_view>
#include <vector>

// A per-user, system-wide marker that this program runs: an exclusive lock on a file in a
// folder of the user's own. The kernel releases it when the process ends, however it ends,
// so a copy started after the first has exited runs normally.
class InstanceGuard final {
public:
    // A folder the lock file may be kept in.
    struct Folder {
        std::string path;
        bool create; // made, with any missing parents, when it does not exist
    };

    // The folders tried in turn: $XDG_RUNTIME_DIR when it is set, a private folder in /tmp,
    // then ~/.cache/corvale in the home folder that the password database names.
    static std::vector<Folder> defaultFolders();

    // Locks in the first of `folders` that is a real folder owned by this user.
    explicit InstanceGuard(std::string_view name,
                           const std::vector<Folder>& folders = defaultFolders());
    ~InstanceGuard();

    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // True when another process holds the marker. When no folder can hold it at all, the
    // program runs without it.
    bool anotherCopyRuns() const { return m_anotherCopyRuns; }

private:
    int m_fd = -1;
    bool m_anotherCopyRuns = false;
};
