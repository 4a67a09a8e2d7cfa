#include "instance_guard.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// $XDG_RUNTIME_DIR, or a private folder in /tmp when the session has none.
std::string runtimeDirectory()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/')
        return runtime;
    const uid_t uid = getuid();
    std::string directory = "/tmp/corvale-" + std::to_string(uid);
    mkdir(directory.c_str(), 0700);
    struct stat info {};
    // Someone else's folder or a link planted in /tmp is not ours to lock in.
    if (lstat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != uid)
        return {};
    return directory;
}

} // namespace

InstanceGuard::InstanceGuard(std::string_view name)
{
    const std::string directory = runtimeDirectory();
    if (directory.empty())
        return;
    const std::string path = directory + '/' + std::string(name) + ".lock";
    m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0)
        return;
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_anotherCopyRuns = errno == EWOULDBLOCK;
        close(m_fd);
        m_fd = -1;
    }
}

InstanceGuard::~InstanceGuard()
{
    if (m_fd >= 0)
        close(m_fd);
}
