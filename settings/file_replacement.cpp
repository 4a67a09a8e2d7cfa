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
#include <random>
#include <string>
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

// A name of the temporary-file pattern, as mkostemp() would choose it.
std::string RandomTemporaryName(const std::string& directory, const std::string& fileName)
{
    static constexpr std::string_view letters =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    std::string name = directory + "/" + TemporaryPrefix(fileName);
    for (std::size_t i = 0; i < kRandomNameLength; ++i) {
        name += letters[pick(random)];
    }
    return name;
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

FileReplacement::FileReplacement(const std::string& path, std::optional<mode_t> newFileMode)
{
    const auto target = ResolveLinks(path);
    if (!target) {
        fail(ReplacementFault::LinkNotFollowed);
        return;
    }
    m_target = *target;
    m_directory = DirectoryOf(m_target);
    struct stat status {};
    if (stat(m_target.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            fail(ReplacementFault::SystemError, errno);
            return;
        }
        m_mode = newFileMode.value_or(0666 & ~CurrentUmask());
    } else if (!S_ISREG(status.st_mode)) {
        fail(ReplacementFault::NotRegularFile);
        return;
    } else if ((status.st_mode & 0222) == 0 ||
               !UniqueFd(open(m_target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY))) {
        // Root may open a file without write bits for writing: the bits alone protect it.
        fail(ReplacementFault::ReadOnly);
        return;
    } else {
        m_mode = status.st_mode & 07777;
        m_owner = std::pair(status.st_uid, status.st_gid);
    }
    // A nameless file needs /proc to be given a name at the end.
    if (access("/proc/self/fd", X_OK) == 0) {
        m_fd = open(m_directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    }
    if (m_fd < 0) {
        m_temporary = m_directory + "/" + TemporaryPrefix(FileNameOf(m_target)) +
                      std::string(kRandomNameLength, 'X');
        m_fd = mkostemp(m_temporary.data(), O_CLOEXEC);
        if (m_fd < 0) {
            m_temporary.clear();
            fail(ReplacementFault::SystemError, errno);
        }
    }
}

FileReplacement::~FileReplacement()
{
    if (m_fd >= 0) {
        close(m_fd);
    }
    if (!m_temporary.empty()) {
        unlink(m_temporary.c_str());
    }
}

bool FileReplacement::fail(ReplacementFault fault, int error)
{
    if (m_fault == ReplacementFault::None) {
        m_fault = fault;
        m_errno = error;
    }
    return false;
}

bool FileReplacement::write(std::string_view bytes)
{
    if (m_fault != ReplacementFault::None) {
        return false;
    }
    return WriteAll(m_fd, bytes) || fail(ReplacementFault::SystemError, errno);
}

// Links a nameless temporary file into the folder under a fresh temporary name.
bool FileReplacement::giveName()
{
    if (!m_temporary.empty()) {
        return true;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = RandomTemporaryName(m_directory, FileNameOf(m_target));
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_temporary = std::move(name);
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool FileReplacement::commit()
{
    if (m_fault != ReplacementFault::None) {
        return false;
    }
    const bool closed = TakeOwner(m_fd, m_owner) && fchmod(m_fd, m_mode) == 0 && fsync(m_fd) == 0 &&
                        giveName() && close(std::exchange(m_fd, -1)) == 0;
    if (!closed || std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        return fail(ReplacementFault::SystemError, errno);
    }
    m_temporary.clear();
    SyncDirectory(m_directory);
    return true;
}

bool ReplaceFileContents(const std::string& path, std::string_view contents,
                         std::optional<mode_t> newFileMode)
{
    FileReplacement replacement(path, newFileMode);
    return replacement.write(contents) && replacement.commit();
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
