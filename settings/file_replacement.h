#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>

// Why a file could not be replaced.
enum class ReplacementFault {
    None,
    LinkNotFollowed, // a link loop, an unreadable link, or another user's link (see ResolveLinks)
    NotRegularFile,  // a folder, FIFO or device is in the way
    ReadOnly,        // the existing file has no write bit, or cannot be opened for writing
    SystemError,     // a system call failed; systemError() tells which errno
};

// Replaces the file at `path` with new contents so that it is at every moment either the old file
// or the new one, whole: the bytes go to a temporary file beside it, reach the disk, and are
// renamed over it. Where the file system allows, the temporary file has no name until the end, so
// a killed process leaves nothing behind. A symbolic link at `path` is followed (see
// ResolveLinks) and kept; its final target is replaced and keeps its owner, group and permission
// bits. A new file gets `newFileMode` whatever the umask, or without it 0666 less the umask.
// Nothing changes, and no temporary file is left, when the directory is missing, the link
// may not be followed, the existing file is not regular or is read-only, its owner and group
// cannot be kept, any step fails, or the replacement is destroyed before commit().
class FileReplacement final {
public:
    explicit FileReplacement(const std::string& path,
                             std::optional<mode_t> newFileMode = std::nullopt);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // Appends to the new contents; false once anything has failed.
    bool write(std::string_view bytes);
    // Puts the new contents in place of the old file; false when it did not happen.
    bool commit();

    ReplacementFault fault() const { return m_fault; }
    // The errno of a SystemError fault.
    int systemError() const { return m_errno; }

private:
    bool fail(ReplacementFault fault, int error = 0);
    bool giveName();

    ReplacementFault m_fault = ReplacementFault::None;
    int m_errno = 0;
    int m_fd = -1;
    std::string m_target;
    std::string m_directory;
    std::string m_temporary; // the temporary file's name, once it has one
    mode_t m_mode = 0;
    // The old file's owner and group; absent for a new file, which keeps the creator's.
    std::optional<std::pair<uid_t, gid_t>> m_owner;
};

// Replaces the file at `path` with `contents` as FileReplacement does; true when it happened.
bool ReplaceFileContents(const std::string& path, std::string_view contents,
                         std::optional<mode_t> newFileMode = std::nullopt);

// Removes the temporary files that saves of `fileName` left in `directory` when they were
// interrupted before their rename: only regular files of this user whose names follow the
// pattern of those temporary files. Run it only while no other copy of the program can be saving.
void RemoveStaleTemporaryFiles(const std::string& directory, const std::string& fileName);
