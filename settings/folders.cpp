#include "settings/folders.h"

#include "settings/read_link.h"

#include <cerrno>
#include <sys/stat.h>

std::string ExecutableDirectory()
{
    const std::string executable = ReadLink("/proc/self/exe").value_or("");
    const auto slash = executable.rfind('/');
    return slash == std::string::npos ? std::string() : executable.substr(0, slash);
}

bool IsFolder(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool MakeFolders(const std::string& folder, unsigned mode)
{
    if (folder.empty() || IsFolder(folder))
        return !folder.empty();
    const auto slash = folder.find_last_not_of('/', folder.rfind('/'));
    if (slash != std::string::npos && !MakeFolders(folder.substr(0, slash + 1), mode))
        return false;
    return (mkdir(folder.c_str(), static_cast<mode_t>(mode)) == 0 || errno == EEXIST) &&
           IsFolder(folder);
}
