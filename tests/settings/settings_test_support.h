#pragma once

#include "settings/settings_file.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

// GBK bytes of 王 and 美丽.
inline const std::string kWang = "\xCD\xF5";
inline const std::string kMeili = "\xC3\xC0\xC0\xF6";

inline void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sorted file names in `directory`, to see that no temporary file is left behind.
inline mode_t ModeOf(const fs::path& path)
{
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

inline std::vector<std::string> EntriesOf(const fs::path& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A settings file as a person might write it: three field elements with the given raw contents.
inline std::string Record(std::string_view first, std::string_view second, std::string_view third)
{
    return "<Names><Name ID=\"1\"><firstname>" + std::string(first) + "</firstname><secondname>" +
           std::string(second) + "</secondname><radio_three>" + std::string(third) +
           "</radio_three></Name></Names>";
}

// A fresh directory under /tmp, removed with everything in it.
class TempDirectory {
public:
    TempDirectory()
    {
        std::string pattern = (fs::temp_directory_path() / "corvale-settings-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }

    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// A temporary executable directory with its config/ folder and a SettingsFile on it.
class ConfigDirectoryTest : public ::testing::Test {
protected:
    ConfigDirectoryTest() { fs::create_directory(config()); }

    fs::path config() const { return m_root.path() / "config"; }
    fs::path nameXml() const { return config() / "name.xml"; }

    TempDirectory m_root;
    SettingsFile m_file{m_root.path().string()};
};

// One row of a parameterised table, printed and named by its label.
template <typename Input, typename Expected>
struct Row {
    const char* label;
    Input input;
    Expected expected;
};

template <typename Input, typename Expected>
void PrintTo(const Row<Input, Expected>& row, std::ostream* out)
{
    *out << row.label;
}

struct RowName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const
    {
        return info.param.label;
    }
};

inline bool operator==(const NamingSettings& a, const NamingSettings& b)
{
    return a.surname == b.surname && a.candidates == b.candidates &&
           a.threeCharacter == b.threeCharacter;
}

inline void PrintTo(const NamingSettings& settings, std::ostream* out)
{
    *out << "{" << ::testing::PrintToString(settings.surname) << ", "
         << ::testing::PrintToString(settings.candidates) << ", "
         << ::testing::PrintToString(settings.threeCharacter) << "}";
}
