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

// $XDG_CONFIG_HOME/corvale, or ~/.config/corvale; empty without an absolute folder.
std::string userConfigFolder(const SettingsEnvironment& environment)
{
    std::string base = environment.xdgConfigHome;
    if (!isAbsolute(base))
        base = isAbsolute(environment.home) ? withoutTrailingSlashes(environment.home) + "/.config"
                                            : std::string();
    return base.empty() ? base : withoutTrailingSlashes(base) + "/corvale";
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
    std::string folder = userConfigFolder(environment);
    return folder.empty() ? SettingsFile::nowhere() : SettingsFile::inFolder(std::move(folder));
}

SettingsFile ProgramSettingsFile()
{
    return ProgramSettingsFile(CurrentSettingsEnvironment());
}

std::string ProgramPreferencesPath(const SettingsEnvironment& environment)
{
    const std::string folder = userConfigFolder(environment);
    return folder.empty() ? folder : folder + "/corvale.conf";
}

std::string ProgramPreferencesPath()
{
    return ProgramPreferencesPath(CurrentSettingsEnvironment());
}
