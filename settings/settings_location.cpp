#include "settings/settings_location.h"

#include "settings/folders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

bool isAbsolute(const std::string& path)
{
    return !path.empty() && path.front() == '/';
}

std::string environmentVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string accountHome()
{
    const passwd* account = getpwuid(getuid());
    return account && account->pw_dir ? std::string(account->pw_dir) : std::string();
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

SettingsEnvironment CurrentSettingsEnvironment()
{
    std::string home = environmentVariable("HOME");
    if (home.empty())
        home = accountHome();
    return {ExecutableDirectory(), environmentVariable("XDG_CONFIG_HOME"), std::move(home)};
}

SettingsFile ProgramSettingsFile(const SettingsEnvironment& environment)
{
    // Without the executable's folder the portable path would be /config at the root.
    const std::string& executable = environment.executableDirectory;
    if (isAbsolute(executable) && IsFolder(executable + "/config"))
        return SettingsFile(executable);

    std::string base = environment.xdgConfigHome;
    if (!isAbsolute(base))
        base = isAbsolute(environment.home) ? withoutTrailingSlashes(environment.home) + "/.config"
                                            : std::string();
    if (base.empty())
        return SettingsFile::nowhere();
    return SettingsFile::inFolder(withoutTrailingSlashes(base) + "/corvale");
}

SettingsFile ProgramSettingsFile()
{
    return ProgramSettingsFile(CurrentSettingsEnvironment());
}
