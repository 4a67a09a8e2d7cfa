#pragma once

#include "settings/settings_file.h"

#include <string>

// What the choice of the settings folder depends on, passed in so that it can be tested without
// the real home folder.
struct SettingsEnvironment {
    std::string executableDirectory; // empty when it cannot be found (no /proc)
    std::string xdgConfigHome;       // $XDG_CONFIG_HOME, empty when unset
    std::string home;                // $HOME, or the account's home folder when unset
};

// The environment of the running program.
SettingsEnvironment CurrentSettingsEnvironment();

// Where the program keeps name.xml: config/ beside the executable when that folder exists (a
// portable copy), otherwise $XDG_CONFIG_HOME/corvale, or ~/.config/corvale when that variable
// is unset or not absolute. Only absolute folders are used; with none, nothing is kept.
SettingsFile ProgramSettingsFile(const SettingsEnvironment& environment);
SettingsFile ProgramSettingsFile();

// Where the program keeps its view preferences, corvale.conf: in the folder name.xml has when it
// is not portable, whether or not it is; empty with no absolute folder.
std::string ProgramPreferencesPath(const SettingsEnvironment& environment);
std::string ProgramPreferencesPath();
