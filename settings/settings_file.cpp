#include "settings/settings_file.h"

#include "settings/file_reading.h"
#include "settings/file_replacement.h"
#include "settings/read_link.h"
#include "settings/settings_xml.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
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

bool SettingsFile::save(const NamingSettings& settings, const std::string& fileName) const
{
    try {
        return replace(fileName, PrintSettings(settings), std::nullopt);
    } catch (...) {
        // An allocation failure simply leaves the old file.
        return false;
    }
}

bool SettingsFile::saveBytes(const std::string& fileName, std::string_view bytes) const
{
    return replace(fileName, bytes, 0600);
}

bool SettingsFile::replace(const std::string& fileName, std::string_view bytes,
                           std::optional<mode_t> newFileMode) const
{
    if (m_folder.empty() || (m_makeFolder && !MakeFolders(m_folder, 0700)))
        return false;
    try {
        return ReplaceFileContents(path(fileName), bytes, newFileMode);
    } catch (...) {
        return false;
    }
}

std::optional<NamingSettings> SettingsFile::load(const std::string& fileName) const
{
    KeptBytes kept = loadBytes(fileName, kMaxFileBytes);
    if (kept.state != KeptBytes::State::Read)
        return std::nullopt;
    try {
        return ParseSettings(std::move(kept.bytes));
    } catch (...) {
        return std::nullopt;
    }
}

KeptBytes SettingsFile::loadBytes(const std::string& fileName, std::size_t maxBytes) const
{
    if (m_folder.empty())
        return {};
    try {
        struct stat status {};
        const auto target = ResolveLinks(path(fileName));
        if (!target)
            return {KeptBytes::State::Unreadable, {}};
        if (lstat(target->c_str(), &status) != 0 && errno == ENOENT)
            return {};
        int error = 0;
        auto bytes = ReadWholeFile(*target, maxBytes, &error);
        if (bytes)
            return {KeptBytes::State::Read, std::move(*bytes)};
        // A file that went away since, or a link put in its place, is no different from one
        // found so; any other error says nothing about the file's contents.
        if (error == ENOENT)
            return {};
        return {error == 0 || error == ELOOP ? KeptBytes::State::Unreadable
                                             : KeptBytes::State::Inaccessible,
                {}};
    } catch (...) {
        // Memory ran out: the file may well be sound.
        return {KeptBytes::State::Inaccessible, {}};
    }
}

FileLock SettingsFile::lock(const std::string& fileName) const
{
    if (m_folder.empty() || (m_makeFolder && !MakeFolders(m_folder, 0700)))
        return FileLock();
    return FileLock(path(fileName) + ".lock");
}

std::optional<std::string> SettingsFile::keepAside(const std::string& fileName) const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char suffix[32] = {};
    if (m_folder.empty() || !localtime_r(&now, &local) ||
        std::strftime(suffix, sizeof suffix, ".damaged-%Y%m%d-%H%M%S", &local) == 0)
        return std::nullopt;
    const std::string asideName = fileName + suffix;
    if (renameat2(AT_FDCWD, path(fileName).c_str(), AT_FDCWD, path(asideName).c_str(),
                  RENAME_NOREPLACE) != 0)
        return std::nullopt;
    return asideName;
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
