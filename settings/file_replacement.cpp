#include "file_replacement.h"

#include "read_link.h"
#include "unique_fd.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sys/stat.h>

namespace {

// The kernel's own limit on links followed while resolving one path.
constexpr int kMaxLinkHops = 40;
// Used for a new file when the process's umask cannot be read.
constexpr mode_t kFallbackUmask = 022;

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

// The path whose file finally receives the bytes: `path` with every symbolic link followed. A
// missing final file is fine (it will be created); a link loop or an unreadable link is not.
std::optional<std::string> ResolveLinks(std::string path)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0) {
            return errno == ENOENT ? std::optional(path) : std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) {
            return path;
        }
        const auto target = ReadLink(path);
        if (!target) {
            return std::nullopt;
        }
        path = target->starts_with('/') ? *target : DirectoryOf(path) + "/" + *target;
    }
    return std::nullopt;
}

// The umask as the kernel reports it; reading it this way, unlike umask(2), changes nothing.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("Umask:")) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    return kFallbackUmask;
}

// The permission bits the replacement gets: the old file's, or for a new file those that creating
// it directly would have given. Nothing when the old file must stay untouched: not a regular
// file, or read-only. A file without any write bit counts as read-only even for root, who could
// otherwise open it for writing.
std::optional<mode_t> ReplacementMode(const std::string& target)
{
    struct stat status {};
    if (stat(target.c_str(), &status) != 0) {
        return errno == ENOENT ? std::optional<mode_t>(0666 & ~CurrentUmask()) : std::nullopt;
    }
    if (!S_ISREG(status.st_mode) || (status.st_mode & 0222) == 0) {
        return std::nullopt;
    }
    if (!UniqueFd(open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY))) {
        return std::nullopt;
    }
    return status.st_mode & 07777;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            return false;
        }
        bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; the replacement is already complete when this fails.
void SyncDirectory(const std::string& directory)
{
    const UniqueFd fd(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) {
        fsync(fd.get());
    }
}

} // namespace

void ReplaceFileContents(const std::string& path, std::string_view contents)
{
    const auto target = ResolveLinks(path);
    if (!target) {
        return;
    }
    const auto mode = ReplacementMode(*target);
    if (!mode) {
        return;
    }
    const std::string directory = DirectoryOf(*target);
    std::string temporary = directory + "/." + FileNameOf(*target) + ".XXXXXX";
    UniqueFd fd(mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd) {
        return;
    }
    const bool replaced = WriteAll(fd.get(), contents) && fchmod(fd.get(), *mode) == 0 &&
                          fsync(fd.get()) == 0 && fd.close() &&
                          std::rename(temporary.c_str(), target->c_str()) == 0;
    if (!replaced) {
        unlink(temporary.c_str());
        return;
    }
    SyncDirectory(directory);
}
