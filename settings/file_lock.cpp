#include "settings/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::chrono::milliseconds retryDelay(10);

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

FileLock::FileLock(std::string path, std::chrono::milliseconds patience)
    : m_path(std::move(path))
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        // O_NONBLOCK keeps a FIFO planted at the name from holding up the open; it is refused.
        const int fd =
            open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK,
                 0600);
        struct stat opened {};
        if (fd < 0 || fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            if (fd >= 0)
                close(fd);
            return;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The holder before may have removed the file as it let go, and a third process
            // made a new one: only the file still at the name counts.
            struct stat named {};
            if (lstat(m_path.c_str(), &named) == 0 && sameFile(opened, named)) {
                m_fd = fd;
                m_state = State::Held;
                return;
            }
            close(fd);
            continue;
        }
        const int error = errno;
        close(fd);
        if (error != EWOULDBLOCK && error != EINTR)
            return;
        if (std::chrono::steady_clock::now() >= deadline) {
            m_state = State::Busy;
            return;
        }
        std::this_thread::sleep_for(retryDelay);
    }
}

FileLock::~FileLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that whoever waits on this file finds it gone and takes the
    // next one.
    unlink(m_path.c_str());
    close(m_fd);
}
