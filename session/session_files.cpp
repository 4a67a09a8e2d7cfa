#include "session/session_files.h"

#include "settings/settings_location.h"

SessionFiles::SessionFiles(SettingsFile settings)
    : SessionFiles(std::move(settings), ProgramPreferencesPath())
{
}

SessionFiles::SessionFiles(SettingsFile settings, std::string preferencesPath)
    : settings(std::move(settings))
    , preferencesPath(std::move(preferencesPath))
{
}

SessionFiles SessionFiles::ofProgram()
{
    return SessionFiles(ProgramSettingsFile());
}

void SessionFiles::removeStaleTemporaryFiles() const
{
    for (const std::string_view fileName : {settingsFileName, favouritesFileName, ticksFileName})
        settings.removeStaleTemporaryFiles(std::string(fileName));
}
