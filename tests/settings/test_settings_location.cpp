#include "settings/settings_location.h"
#include "settings_test_support.h"

#include <sys/stat.h>

namespace {

enum class Executable { Unknown, WithoutConfig, WithConfig };
enum class Xdg { Unset, Absolute, Relative };

struct Environment {
    Executable executable;
    Xdg xdg;
    bool home;
};

using LocationRow = Row<Environment, const char*>;

class SettingsLocation : public ::testing::TestWithParam<LocationRow> {
protected:
    SettingsEnvironment environment() const
    {
        const Environment& input = GetParam().input;
        const fs::path exe = m_root.path() / "bin";
        fs::create_directories(exe);
        if (input.executable == Executable::WithConfig)
            fs::create_directory(exe / "config");
        std::string xdg;
        if (input.xdg == Xdg::Absolute)
            xdg = (m_root.path() / "xdg").string() + "/";
        else if (input.xdg == Xdg::Relative)
            xdg = "xdg";
        return {input.executable == Executable::Unknown ? std::string() : exe.string(), xdg,
                input.home ? (m_root.path() / "home").string() : std::string()};
    }

    TempDirectory m_root;
};

// The file lands where expected with the bytes a portable copy writes, and comes back.
TEST_P(SettingsLocation, SavesInTheChosenFolder)
{
    const NamingSettings settings{kWang, kMeili, true};
    const SettingsFile file = ProgramSettingsFile(environment());
    file.save(settings, "name.xml");

    const std::string expected = GetParam().expected;
    if (expected.empty()) {
        EXPECT_EQ(EntriesOf(m_root.path()), std::vector<std::string>{"bin"});
        EXPECT_TRUE(fs::is_empty(m_root.path() / "bin"));
        EXPECT_EQ(file.load("name.xml"), std::nullopt);
        return;
    }
    const TempDirectory portable;
    fs::create_directory(portable.path() / "config");
    SettingsFile(portable.path().string()).save(settings, "name.xml");
    EXPECT_EQ(ReadBytes(m_root.path() / expected), ReadBytes(portable.path() / "config/name.xml"));
    EXPECT_EQ(file.load("name.xml"), settings);
}

INSTANTIATE_TEST_SUITE_P(
    ProgramSettingsFile, SettingsLocation,
    ::testing::Values(
        LocationRow{
            "Portable", {Executable::WithConfig, Xdg::Absolute, true}, "bin/config/name.xml"},
        LocationRow{
            "Installed", {Executable::WithoutConfig, Xdg::Absolute, true}, "xdg/corvale/name.xml"},
        LocationRow{"NoProc", {Executable::Unknown, Xdg::Absolute, true}, "xdg/corvale/name.xml"},
        LocationRow{"XdgUnset",
                    {Executable::WithoutConfig, Xdg::Unset, true},
                    "home/.config/corvale/name.xml"},
        LocationRow{"XdgRelative",
                    {Executable::Unknown, Xdg::Relative, true},
                    "home/.config/corvale/name.xml"},
        LocationRow{"NoFolderAtAll", {Executable::Unknown, Xdg::Unset, false}, ""}),
    RowName());

TEST(ProgramSettingsFile, MakesTheConfigFoldersPrivate)
{
    const TempDirectory root;
    ProgramSettingsFile({"", "", root.path().string()}).save({kWang, kMeili, false}, "name.xml");
    for (const char* folder : {".config", ".config/corvale"}) {
        struct stat status {};
        ASSERT_EQ(stat((root.path() / folder).c_str(), &status), 0) << folder;
        EXPECT_EQ(status.st_mode & 0777, 0700u) << folder;
    }
}

// A file in place of the folder is left alone.
TEST(ProgramSettingsFile, FileInPlaceOfTheFolderIsKept)
{
    const TempDirectory root;
    WriteBytes(root.path() / "corvale", "x");
    ProgramSettingsFile({"", root.path().string(), ""}).save({kWang, kMeili, false}, "name.xml");
    EXPECT_EQ(ReadBytes(root.path() / "corvale"), "x");
}

} // namespace
