#include "settings_test_support.h"

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const NamingSettings kNew{kWang, kMeili, true};
const std::string kOld = Record("old", "old", "0");

class FileReplacement : public ConfigDirectoryTest {
protected:
    // The bytes a successful save of kNew writes, taken from a reference directory.
    std::string newBytes() const
    {
        const TempDirectory reference;
        fs::create_directory(reference.path() / "config");
        SettingsFile(reference.path().string()).save(kNew, "name.xml");
        return ReadBytes(reference.path() / "config" / "name.xml");
    }
};

TEST_F(FileReplacement, KeepsThePermissionBitsOfTheOldFile)
{
    WriteBytes(nameXml(), kOld);
    fs::permissions(nameXml(), fs::perms(0640));
    m_file.save(kNew, "name.xml");
    EXPECT_EQ(m_file.load("name.xml"), kNew);
    EXPECT_EQ(ModeOf(nameXml()), 0640u);
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{"name.xml"});
}

TEST_F(FileReplacement, GivesANewFileTheModeTheUmaskAllows)
{
    const mode_t previous = umask(027);
    m_file.save(kNew, "name.xml");
    umask(previous);
    EXPECT_EQ(ModeOf(nameXml()), 0640u);
}

// Root may open a 0444 file for writing, so the missing write bits alone must protect it.
TEST_F(FileReplacement, LeavesAReadOnlyFileExactlyAsItWas)
{
    WriteBytes(nameXml(), kOld);
    fs::permissions(nameXml(), fs::perms(0444));
    m_file.save(kNew, "name.xml");
    EXPECT_EQ(ReadBytes(nameXml()), kOld);
    EXPECT_EQ(ModeOf(nameXml()), 0444u);
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{"name.xml"});
}

TEST_F(FileReplacement, WritesThroughAChainOfSymbolicLinks)
{
    const fs::path store = m_root.path() / "store";
    fs::create_directory(store);
    WriteBytes(store / "real.xml", kOld);
    fs::permissions(store / "real.xml", fs::perms(0604));
    // A relative link text longer than any fixed buffer, then a second link.
    std::string longTarget = "..";
    while (longTarget.size() < 3000) {
        longTarget += "/.";
    }
    fs::create_symlink(longTarget + "/store/real.xml", store / "link.xml");
    fs::create_symlink(store / "link.xml", nameXml());

    m_file.save(kNew, "name.xml");

    EXPECT_TRUE(fs::is_symlink(nameXml()));
    EXPECT_TRUE(fs::is_symlink(store / "link.xml"));
    EXPECT_EQ(ReadBytes(store / "real.xml"), newBytes());
    EXPECT_EQ(ModeOf(store / "real.xml"), 0604u);
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{"name.xml"});
    EXPECT_EQ(EntriesOf(store), (std::vector<std::string>{"link.xml", "real.xml"}));
}

TEST_F(FileReplacement, LeavesALinkLoopAlone)
{
    fs::create_symlink("name.xml", nameXml());
    m_file.save(kNew, "name.xml");
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{"name.xml"});
    EXPECT_EQ(m_file.load("name.xml"), std::nullopt);
}

// A write that fails half way (here: the file size limit) must not damage the old file.
TEST_F(FileReplacement, FailedWriteKeepsTheOldFileWhole)
{
    WriteBytes(nameXml(), kOld);
    const NamingSettings large{std::string(64 * 1024, 'a'), kMeili, true};
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        m_file.save(large, "name.xml");
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(nameXml()), kOld);
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{"name.xml"});

    // Without the limit the same save succeeds.
    m_file.save(large, "name.xml");
    EXPECT_EQ(m_file.load("name.xml"), large);
}

// A full file system: config/ on a 64 KiB tmpfs, filled up before the save. Mounting needs
// root; elsewhere the test is skipped.
TEST_F(FileReplacement, FullFileSystemKeepsTheOldFileWhole)
{
    if (mount("tmpfs", config().c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    WriteBytes(nameXml(), kOld);
    {
        std::ofstream filler(config() / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()))
            ;
    }
    m_file.save(NamingSettings{std::string(32'768, 'a'), kMeili, true}, "name.xml");
    const std::string afterSave = ReadBytes(nameXml());
    const std::vector<std::string> entries = EntriesOf(config());
    umount(config().c_str());
    EXPECT_EQ(afterSave, kOld);
    EXPECT_EQ(entries, (std::vector<std::string>{"filler", "name.xml"}));
}

} // namespace
