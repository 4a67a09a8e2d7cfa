#pragma once

#include <string>

// Directory of the running executable, without a trailing slash; empty when it cannot be read.
std::string ExecutableDirectory();

// True when `path` names a folder (following symbolic links).
bool IsFolder(const std::string& path);

// Makes `folder` and any missing parents with `mode`; true when it exists as a folder afterwards.
bool MakeFolders(const std::string& folder, unsigned mode);
