#pragma once

#include <unistd.h>

// Owns a POSIX file descriptor and closes it once.
class UniqueFd {
public:
    explicit UniqueFd(int fd)
        : m_fd(fd)
    {
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { close(); }

    explicit operator bool() const { return m_fd >= 0; }
    int get() const { return m_fd; }

    // Closes now; false when close() reports an error, for example a delayed write failure.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};
