#pragma once

#include <chrono>
#include <string>

// An exclusive lock between processes that take it by the same path, held from construction to
// destruction: flock() on a lock file that is made when missing and removed as the lock is let
// go, so that it leaves nothing behind. It keeps out only those that take it too.
class FileLock final {
public:
    enum class State {
        Held,
        Busy,       // another process held it for the whole of the patience given
        Unavailable // the lock file could not be made or locked; nothing is held
    };

    // Holds nothing.
    FileLock() = default;
    // Waits up to `patience` for the lock of the lock file at `path`.
    explicit FileLock(std::string path,
                      std::chrono::milliseconds patience = std::chrono::seconds(5));
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    State state() const { return m_state; }

private:
    std::string m_path;
    int m_fd = -1;
    State m_state = State::Unavailable;
};
