#pragma once

#include <optional>
#include <string>

// The text of the symbolic link at `path`, however long; nothing when it is not a readable link.
std::optional<std::string> ReadLink(const std::string& path);

// The folder part of `path`: "." for a bare name, "/" for a name in the root.
std::string DirectoryOf(const std::string& path);

// The path whose file is finally meant by `path`: every symbolic link in its last component
// followed, however many. A missing final file is fine (the path names where it would be); a link
// loop or an unreadable link is not. In a folder that others may write to, a link is followed only
// when its owner is this process or the folder's owner, as the kernel's protected-links rule
// does for sticky folders: another user's link planted there yields nothing.
std::optional<std::string> ResolveLinks(std::string path);
