// The files beside name.xml that hold the user's own data (favourites, ticks): read by the same
// rules, replaced whole, and a damaged one kept aside.
#include "settings/file_replacement.h"
#include "settings_test_support.h"

#include <chrono>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using State = KeptBytes::State;

class KeptFiles : public ConfigDirectoryTest {
protected:
    fs::path kept() const { return config() / "favourites.csv"; }
};

// What is at favourites.csv before the read, and what the read must find.
struct Planted {
    void (*plant)(const fs::path& file);
    State state;
    std::string bytes;
};

using PlantedRow = Row<Planted, int>;

class HostileKeptFile : public KeptFiles, public ::testing::WithParamInterface<PlantedRow> {};

TEST_P(HostileKeptFile, IsReadOnlyWithinTheRules)
{
    const Planted& planted = GetParam().input;
    planted.plant(kept());
    const auto start = std::chrono::steady_clock::now();
    const KeptBytes read = m_file.loadBytes("favourites.csv", 1024);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(read.state, planted.state);
    EXPECT_EQ(read.bytes, planted.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, HostileKeptFile,
    ::testing::Values(
        PlantedRow{"Missing", {[](const fs::path&) {}, State::Missing, ""}, 0},
        PlantedRow{
            "Regular", {[](const fs::path& f) { WriteBytes(f, "abc"); }, State::Read, "abc"}, 0},
        PlantedRow{"AtTheLimit",
                   {[](const fs::path& f) { WriteBytes(f, std::string(1024, 'x')); }, State::Read,
                    std::string(1024, 'x')},
                   0},
        PlantedRow{"OverTheLimit",
                   {[](const fs::path& f) { WriteBytes(f, std::string(1025, 'x')); },
                    State::Unreadable, ""},
                   0},
        PlantedRow{"SparseHuge",
                   {[](const fs::path& f) { fs::resize_file((WriteBytes(f, ""), f), 1ull << 40); },
                    State::Unreadable, ""},
                   0},
        PlantedRow{
            "Fifo", {[](const fs::path& f) { mkfifo(f.c_str(), 0600); }, State::Unreadable, ""}, 0},
        PlantedRow{"Folder",
                   {[](const fs::path& f) { fs::create_directory(f); }, State::Unreadable, ""},
                   0},
        PlantedRow{
            "LinkLoop",
            {[](const fs::path& f) { fs::create_symlink(f.filename(), f); }, State::Unreadable, ""},
            0},
        PlantedRow{"LinkToAFile",
                   {[](const fs::path& f) {
                        WriteBytes(f.parent_path() / "real", "via link");
                        fs::create_symlink("real", f);
                    },
                    State::Read, "via link"},
                   0},
        PlantedRow{
            "DanglingLink",
            {[](const fs::path& f) { fs::create_symlink("nowhere", f); }, State::Missing, ""},
            0}),
    RowName());

TEST_F(KeptFiles, KeepAsideRenamesOnceAndNeverOverwrites)
{
    WriteBytes(kept(), "damaged");
    const std::optional<std::string> aside = m_file.keepAside("favourites.csv");
    ASSERT_TRUE(aside);
    EXPECT_TRUE(aside->starts_with("favourites.csv.damaged-20")) << *aside;
    EXPECT_EQ(aside->size(), std::string("favourites.csv.damaged-20261207-153000").size());
    EXPECT_EQ(ReadBytes(config() / *aside), "damaged");
    EXPECT_FALSE(fs::exists(kept()));

    // A second damaged file within the same second stays where it is rather than replace the
    // first one kept aside.
    WriteBytes(kept(), "again");
    const std::optional<std::string> second = m_file.keepAside("favourites.csv");
    EXPECT_NE(second, aside);
    EXPECT_EQ(ReadBytes(config() / *aside), "damaged");
    EXPECT_EQ(ReadBytes(second ? config() / *second : kept()), "again");
}

// What the user keeps is theirs alone whatever the umask, also after a replacement; a file
// already there keeps its mode.
TEST_F(KeptFiles, NewFilesAreReadableByTheirOwnerOnly)
{
    const mode_t previous = umask(0);
    for (const std::string name : {"favourites.csv", "ticks.bin"}) {
        EXPECT_TRUE(m_file.saveBytes(name, "new"));
        EXPECT_EQ(ModeOf(config() / name), 0600u) << name;
        EXPECT_TRUE(m_file.saveBytes(name, "again"));
        EXPECT_EQ(ModeOf(config() / name), 0600u) << name;
        fs::permissions(config() / name, fs::perms(0640));
        EXPECT_TRUE(m_file.saveBytes(name, "kept"));
        EXPECT_EQ(ModeOf(config() / name), 0640u) << name;
    }
    umask(previous);
}

// A save killed at any moment leaves the old file or the new one, whole; the temporary file it
// may leave is swept at the next start.
class KilledSave : public KeptFiles, public ::testing::WithParamInterface<const char*> {};

TEST_P(KilledSave, LeavesAWholeFile)
{
    const std::string name = GetParam();
    const std::string first(2 << 20, 'a');
    const std::string second(2 << 20, 'b');
    ASSERT_TRUE(m_file.saveBytes(name, first));
    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                m_file.saveBytes(name, i % 2 ? first : second);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3 + 7 * round));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string now = ReadBytes(config() / name);
        EXPECT_TRUE(now == first || now == second) << "round " << round << ": " << now.size();
    }
    m_file.removeStaleTemporaryFiles(name);
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, KilledSave,
                         ::testing::Values("favourites.csv", "ticks.bin"));

} // namespace
