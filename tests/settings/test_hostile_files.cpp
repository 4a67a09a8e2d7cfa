#include "settings_test_support.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

const NamingSettings kSaved{kWang, kMeili, true};
const std::string kOld = Record("old", "old", "0");
constexpr uid_t kStranger = 12345;
constexpr uid_t kOwner = 23456;

bool IsRoot()
{
    return geteuid() == 0;
}

struct stat StatusOf(const fs::path& path)
{
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

// ---- Oversized files are damaged: never read into memory ----

using SizeRow = Row<std::uintmax_t, bool>;

class SizeLimit : public ConfigDirectoryTest, public ::testing::WithParamInterface<SizeRow> {};

// The record, then zeros (sparse, so the big rows cost no disk) up to the size; TinyXML stops
// at the first NUL, so any file that is read loads the record.
TEST_P(SizeLimit, ReadsOnlyFilesUpToOneMebibyte)
{
    WriteBytes(nameXml(), Record(kWang, kMeili, "1"));
    fs::resize_file(nameXml(), GetParam().input);
    EXPECT_EQ(m_file.load("name.xml").has_value(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, SizeLimit,
                         ::testing::Values(SizeRow{"OneMebibyte", 1 << 20, true},
                                           SizeRow{"OneByteMore", (1 << 20) + 1, false},
                                           SizeRow{"TwoMebibytes", 2 << 20, false},
                                           SizeRow{"SparseFourGibibytes", 4ULL << 30, false}),
                         RowName());

// ---- Stale temporary files of interrupted saves ----

TEST_F(ConfigDirectoryTest, StartSweepRemovesOnlyOwnStaleTemporaryFiles)
{
    WriteBytes(nameXml(), kOld);
    for (const char* stale : {".name.xml.AbC123", ".name.xml.zz9900"})
        WriteBytes(config() / stale, "<Names><Na");
    const std::vector<std::string> kept = {
        ".name.xml.AB-123",  ".name.xml.ABC12",  ".name.xml.ABC1234",
        ".name.xml.Dir123",  ".name.xml.Lnk123", ".name.xml.Pipe12",
        ".other.xml.ABC123", "name.xml",         "name.xml.ABC123"};
    for (const char* other : {".name.xml.AB-123", ".name.xml.ABC12", ".name.xml.ABC1234",
                              ".other.xml.ABC123", "name.xml.ABC123"})
        WriteBytes(config() / other, "x");
    fs::create_directory(config() / ".name.xml.Dir123");
    WriteBytes(m_root.path() / "outside", "x");
    fs::create_symlink(m_root.path() / "outside", config() / ".name.xml.Lnk123");
    ASSERT_EQ(mkfifo((config() / ".name.xml.Pipe12").c_str(), 0600), 0);

    m_file.removeStaleTemporaryFiles("name.xml");

    EXPECT_EQ(EntriesOf(config()), kept);
    EXPECT_EQ(ReadBytes(m_root.path() / "outside"), "x");
    EXPECT_EQ(ReadBytes(nameXml()), kOld);
}

// Another user's save may be under way in a shared folder: their file is not ours to remove.
TEST_F(ConfigDirectoryTest, StartSweepLeavesOtherUsersTemporaryFiles)
{
    if (!IsRoot())
        GTEST_SKIP() << "handing a file to another user needs root";
    WriteBytes(config() / ".name.xml.Other1", "x");
    ASSERT_EQ(chown((config() / ".name.xml.Other1").c_str(), kStranger, kStranger), 0);
    m_file.removeStaleTemporaryFiles("name.xml");
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{".name.xml.Other1"});
}

// ---- Run as root in a user's folder ----

TEST_F(ConfigDirectoryTest, SaveByRootKeepsTheOwnerOfTheOldFile)
{
    if (!IsRoot())
        GTEST_SKIP() << "changing a file's owner needs root";
    WriteBytes(nameXml(), kOld);
    ASSERT_EQ(chown(nameXml().c_str(), kOwner, kStranger), 0);
    fs::permissions(nameXml(), fs::perms(0640));
    m_file.save(kSaved, "name.xml");
    const struct stat status = StatusOf(nameXml());
    EXPECT_EQ(status.st_uid, kOwner);
    EXPECT_EQ(status.st_gid, kStranger);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(m_file.load("name.xml"), kSaved);
}

// ---- Links planted in a folder others may write to ----

struct LinkCase {
    mode_t folderMode;
    uid_t folderOwner;
    uid_t linkOwner;
};

using LinkRow = Row<LinkCase, bool>;

class PlantedLink : public ConfigDirectoryTest, public ::testing::WithParamInterface<LinkRow> {};

TEST_P(PlantedLink, IsFollowedOnlyWhenTheCallerOrTheFolderOwnerMadeIt)
{
    if (!IsRoot())
        GTEST_SKIP() << "links of other users need root";
    const LinkCase& link = GetParam().input;
    const fs::path victim = m_root.path() / "victim.xml";
    WriteBytes(victim, kOld);
    fs::create_symlink(victim, nameXml());
    ASSERT_EQ(lchown(nameXml().c_str(), link.linkOwner, link.linkOwner), 0);
    ASSERT_EQ(chown(config().c_str(), link.folderOwner, link.folderOwner), 0);
    ASSERT_EQ(chmod(config().c_str(), link.folderMode), 0);

    const bool followed = GetParam().expected;
    EXPECT_EQ(m_file.load("name.xml").has_value(), followed);
    m_file.save(kSaved, "name.xml");
    EXPECT_EQ(ReadBytes(victim) != kOld, followed);
    EXPECT_TRUE(fs::is_symlink(nameXml()));
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{"name.xml"});
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, PlantedLink,
    ::testing::Values(LinkRow{"StrangerInSharedFolder", {0777, 0, kStranger}, false},
                      LinkRow{"StrangerInStickyFolder", {01777, 0, kStranger}, false},
                      LinkRow{"StrangerInFolderOfAnotherUser", {0777, kOwner, kStranger}, false},
                      LinkRow{"FolderOwnerInSharedFolder", {0777, kOwner, kOwner}, true},
                      LinkRow{"CallerInSharedFolder", {01777, kOwner, 0}, true},
                      LinkRow{"StrangerInPrivateFolder", {0755, 0, kStranger}, true}),
    RowName());

} // namespace
