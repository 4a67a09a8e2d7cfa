#pragma once

#include <string_view>

// A per-user, system-wide marker that this program runs: an exclusive lock on a file in
// the user's runtime directory. The kernel releases it when the process ends, however it
// ends, so a copy started after the first has exited runs normally.
class InstanceGuard final {
public:
    explicit InstanceGuard(std::string_view name);
    ~InstanceGuard();

    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // True when another process holds the marker. When the marker cannot be made at all,
    // the program runs without it.
    bool anotherCopyRuns() const { return m_anotherCopyRuns; }

private:
    int m_fd = -1;
    bool m_anotherCopyRuns = false;
};
