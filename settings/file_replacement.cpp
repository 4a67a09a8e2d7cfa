#include "settings/file_replacement.h"

#include "settings/read_link.h"
#include "settings/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <utility>

namespace {

// Used for a new file when the process's umask cannot be read.
constexpr mode_t kFallbackUmask = 022;
// The random part mkostemp() puts after the dot of a temporary file's name.
constexpr std::size_t kRandomNameLength = 6;

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

// The prefix of the temporary files that saving `fileName` creates beside it.
std::string TemporaryPrefix(const std::string& fileName)
{
    return "." + fileName + ".";
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

// What the replacement takes over from the file it replaces.
struct Inheritance {
    mode_t mode;
    // The old file's owner and group; absent for a new file, which keeps the creator's.
    std::optional<std::pair<uid_t, gid_t>> owner;
};

// The permission bits and owner the replacement gets: the old file's, or for a new file the
// bits that creating it directly would have given. Nothing when the old file must stay
// untouched: not a regular file, or read-only. A file without any write bit counts as read-only
// even for root, who could otherwise open it for writing.
std::optional<Inheritance> InheritanceFrom(const std::string& target)
{
    struct stat status {};
    if (stat(target.c_str(), &status) != 0) {
        return errno == ENOENT ? std::optional(Inheritance{0666 & ~CurrentUmask(), std::nullopt})
                               : std::nullopt;
    }
    if (!S_ISREG(status.st_mode) || (status.st_mode & 0222) == 0) {
        return std::nullopt;
    }
    if (!UniqueFd(open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY))) {
        return std::nullopt;
    }
    return Inheritance{status.st_mode & 07777, std::pair(status.st_uid, status.st_gid)};
}

// Gives the open temporary file the old file's owner and group, so that a save by another user
// (root, typically) does not take the file away from its owner. Only a real change is asked
// for, since even an owner may not hand a file to a group of which they are not a member.
bool TakeOwner(int fd, const std::optional<std::pair<uid_t, gid_t>>& owner)
{
    struct stat status {};
    if (!owner || (fstat(fd, &status) == 0 && status.st_uid == owner->first &&
                   status.st_gid == owner->second)) {
        return true;
    }
    return fchown(fd, owner->first, owner->second) == 0;
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

// Whether `name` is `prefix` followed by the letters and digits mkostemp() chooses.
bool IsTemporaryName(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix) || name.size() != prefix.size() + kRandomNameLength) {
        return false;
    }
    const std::string_view random = name.substr(prefix.size());
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

} // namespace

bool ReplaceFileContents(const std::string& path, std::string_view contents)
{
    const auto target = ResolveLinks(path);
    if (!target) {
        return false;
    }
    const auto inheritance = InheritanceFrom(*target);
    if (!inheritance) {
        return false;
    }
    const std::string directory = DirectoryOf(*target);
    std::string temporary = directory + "/" + TemporaryPrefix(FileNameOf(*target)) +
                            std::string(kRandomNameLength, 'X');
    UniqueFd fd(mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd) {
        return false;
    }
    const bool replaced = WriteAll(fd.get(), contents) && TakeOwner(fd.get(), inheritance->owner) &&
                          fchmod(fd.get(), inheritance->mode) == 0 && fsync(fd.get()) == 0 &&
                          fd.close() && std::rename(temporary.c_str(), target->c_str()) == 0;
    if (!replaced) {
        unlink(temporary.c_str());
        return false;
    }
    SyncDirectory(directory);
    return true;
}

void RemoveStaleTemporaryFiles(const std::string& directory, const std::string& fileName)
{
    const std::string prefix = TemporaryPrefix(fileName);
    std::error_code error;
    for (std::filesystem::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        struct stat status {};
        if (IsTemporaryName(entry->path().filename().string(), prefix) &&
            lstat(entry->path().c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == geteuid()) {
            unlink(entry->path().c_str());
        }
    }
}
