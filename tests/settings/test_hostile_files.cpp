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

// ---- Run as root in a user's folder ----

using OwnerRow = Row<std::pair<uid_t, gid_t>, int>;

class SaveByRoot : public ConfigDirectoryTest, public ::testing::WithParamInterface<OwnerRow> {};

TEST_P(SaveByRoot, KeepsTheOwnerAndGroupOfTheOldFile)
{
    if (!IsRoot())
        GTEST_SKIP() << "changing a file's owner needs root";
    const auto [owner, group] = GetParam().input;
    WriteBytes(nameXml(), kOld);
    ASSERT_EQ(chown(nameXml().c_str(), owner, group), 0);
    fs::permissions(nameXml(), fs::perms(0640));
    m_file.save(kSaved, "name.xml");
    struct stat status {};
    ASSERT_EQ(stat(nameXml().c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, owner);
    EXPECT_EQ(status.st_gid, group);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(m_file.load("name.xml"), kSaved);
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, SaveByRoot,
                         ::testing::Values(OwnerRow{"OwnerAndGroupDiffer", {kOwner, kStranger}, 0},
                                           OwnerRow{"OnlyTheGroupDiffers", {0, kStranger}, 0},
                                           OwnerRow{"OnlyTheOwnerDiffers", {kOwner, 0}, 0}),
                         RowName());

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
                      LinkRow{"FolderOwnerInSharedFolder", {0777, kOwner, kOwner}, true},
                      LinkRow{"StrangerInPrivateFolder", {0755, 0, kStranger}, true}),
    RowName());

} // namespace
