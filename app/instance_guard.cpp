#include "app/instance_guard.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether `folder` exists (after making it, if it may be made) as a folder of this user's own.
// Someone else's folder, or a file or link planted in its place in /tmp, is not ours to lock in.
bool isOwnFolder(const InstanceGuard::Folder& folder)
{
    if (folder.create) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(folder.path).parent_path(),
                                            ignored);
        mkdir(folder.path.c_str(), 0700);
    }
    struct stat info {};
    return lstat(folder.path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == getuid();
}

} // namespace

std::vector<InstanceGuard::Folder> InstanceGuard::defaultFolders()
{
    std::vector<Folder> folders;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/')
        folders.push_back({runtime, false});
    const uid_t uid = getuid();
    folders.push_back({"/tmp/corvale-" + std::to_string(uid), true});
    // $HOME may point anywhere; the password database names the user's own home.
    if (const passwd* user = getpwuid(uid); user && user->pw_dir && *user->pw_dir == '/')
        folders.push_back({std::string(user->pw_dir) + "/.cache/corvale", true});
    return folders;
}

InstanceGuard::InstanceGuard(std::string_view name, const std::vector<Folder>& folders)
{
    for (const Folder& folder : folders) {
        if (!isOwnFolder(folder))
            continue;
        const std::string path = folder.path + '/' + std::string(name) + ".lock";
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return;
        }
        m_anotherCopyRuns = errno == EWOULDBLOCK;
        close(fd);
        if (m_anotherCopyRuns)
            return;
    }
}

InstanceGuard::~InstanceGuard()
{
    if (m_fd >= 0)
        close(m_fd);
}
