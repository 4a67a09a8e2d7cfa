#pragma once

#include <string>
#include <string_view>

// Replaces the file at `path` with `contents` so that it is at every moment either the old file or
// the new one, whole: the bytes go to a temporary file beside it, reach the disk, and are renamed
// over it. A symbolic link at `path` is followed (see ResolveLinks) and kept; its final target is
// replaced and keeps its owner, group and permission bits. Nothing changes, and no temporary file
// is left, when the directory is missing, the existing file is read-only, its owner and group
// cannot be kept, or any step fails; the result says whether the file was replaced.
bool ReplaceFileContents(const std::string& path, std::string_view contents);

// Removes the temporary files that saves of `fileName` left in `directory` when they were
// interrupted before their rename: only regular files of this user whose names follow the
// pattern of those temporary files. Run it only while no other copy of the program can be saving.
void RemoveStaleTemporaryFiles(const std::string& directory, const std::string& fileName);
