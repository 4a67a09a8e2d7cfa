#include "settings/settings_file.h"

#include "settings/file_reading.h"
#include "settings/file_replacement.h"
#include "settings/read_link.h"
#include "settings/settings_xml.h"

#include <utility>

namespace {

// The program writes a few hundred kilobytes at most; a larger file is damaged and not read.
constexpr std::size_t kMaxFileBytes = 1 << 20;

} // namespace

SettingsFile::SettingsFile(std::string directory)
    : SettingsFile(directory + "/config", false)
{
}

SettingsFile::SettingsFile(std::string folder, bool makeFolder)
    : m_folder(std::move(folder))
    , m_makeFolder(makeFolder)
{
}

SettingsFile SettingsFile::inFolder(std::string folder)
{
    return SettingsFile(std::move(folder), true);
}

SettingsFile SettingsFile::nowhere()
{
    return SettingsFile(std::string(), false);
}

std::string SettingsFile::path(const std::string& fileName) const
{
    return m_folder + "/" + fileName;
}

void SettingsFile::save(const NamingSettings& settings, const std::string& fileName) const
{
    if (m_folder.empty() || (m_makeFolder && !MakeFolders(m_folder, 0700)))
        return;
    try {
        ReplaceFileContents(path(fileName), PrintSettings(settings));
    } catch (...) {
        // Saving is silent: an allocation failure simply leaves the old file.
    }
}

std::optional<NamingSettings> SettingsFile::load(const std::string& fileName) const
{
    if (m_folder.empty())
        return std::nullopt;
    try {
        const auto target = ResolveLinks(path(fileName));
        auto bytes = target ? ReadWholeFile(*target, kMaxFileBytes) : std::nullopt;
        return bytes ? ParseSettings(std::move(*bytes)) : std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
}

void SettingsFile::removeStaleTemporaryFiles(const std::string& fileName) const
{
    if (m_folder.empty())
        return;
    try {
        RemoveStaleTemporaryFiles(m_folder, fileName);
    } catch (...) {
        // The files are only clutter; the next start tries again.
    }
}
