#include "settings/read_link.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The kernel's own limit on links followed while resolving one path.
constexpr int kMaxLinkHops = 40;

// Whether a link with status `link` may be followed from the folder `directory`.
bool MayFollow(const struct stat& link, const std::string& directory)
{
    struct stat folder {};
    if (stat(directory.c_str(), &folder) != 0) {
        return false;
    }
    return (folder.st_mode & S_IWOTH) == 0 || link.st_uid == geteuid() ||
           link.st_uid == folder.st_uid;
}

} // namespace

std::optional<std::string> ReadLink(const std::string& path)
{
    std::string text(256, '\0');
    for (;;) {
        const ssize_t length = readlink(path.c_str(), text.data(), text.size());
        if (length < 0) {
            return std::nullopt;
        }
        // A result that fills the buffer may have been cut: retry with more room.
        if (static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

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
        const std::string directory = DirectoryOf(path);
        const auto target = MayFollow(status, directory) ? ReadLink(path) : std::nullopt;
        if (!target) {
            return std::nullopt;
        }
        path = target->starts_with('/') ? *target : directory + "/" + *target;
    }
    return std::nullopt;
}
