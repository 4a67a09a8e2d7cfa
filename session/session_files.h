#pragma once

#include "settings/settings_file.h"

#include <string>
#include <string_view>

// The files of the user's work in the settings folder.
inline constexpr std::string_view settingsFileName = "name.xml";
inline constexpr std::string_view favouritesFileName = "favourites.csv";
inline constexpr std::string_view ticksFileName = "ticks.bin";

// Where a session keeps the user's work: the settings folder, which holds the three files above,
// and the view preferences, corvale.conf, which stay in the user's config folder even for a
// portable copy.
struct SessionFiles {
    // The preferences at the program's path (see ProgramPreferencesPath).
    explicit SessionFiles(SettingsFile settings);
    SessionFiles(SettingsFile settings, std::string preferencesPath);

    // The program's own: ProgramSettingsFile() and ProgramPreferencesPath().
    static SessionFiles ofProgram();

    // Removes what interrupted saves of the three files left behind; call it only while this
    // user runs no other copy of the program.
    void removeStaleTemporaryFiles() const;

    SettingsFile settings;
    std::string preferencesPath; // empty: no preferences are kept
};
