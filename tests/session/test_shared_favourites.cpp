// The session's files as others share them: a second copy of the program saving the same
// favourites, another user's files it may not open, and favourites the file could not hold.
#include "hanzi/utf8.h"
#include "session/naming_session.h"
#include "shortlist/favourites_file.h"
#include "tests/settings/settings_test_support.h"
#include "tests/support/gbk_test_decoder.h"

#include <functional>
#include <numeric>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::u32string decode(std::string_view gbk)
{
    return decodeWith({{"\xCD\xF5", U'王'}, {"\xC3\xC0", U'美'}, {"\xC0\xF6", U'丽'}}, gbk);
}

// `count` distinct names of three characters, from the `first`th on.
std::vector<std::string> names(std::size_t count, std::size_t first = 0)
{
    std::vector<std::string> made;
    for (std::size_t i = first; i < first + count; ++i) {
        std::string name = "王";
        utf8::append(name, U'\u4E00' + static_cast<char32_t>(i / 200));
        utf8::append(name, U'\u4E00' + static_cast<char32_t>(i % 200));
        made.push_back(name);
    }
    return made;
}

// The favourites as "name" or "name:note", in their order.
std::vector<std::string> listed(const Favourites& favourites)
{
    std::vector<std::string> items;
    for (const Favourite& favourite : favourites.items())
        items.push_back(favourite.name + (favourite.note.empty() ? "" : ":" + favourite.note));
    return items;
}

class SharedFiles : public ::testing::Test {
protected:
    // A session over the folder, as one copy of the program makes it.
    NamingSession start() const
    {
        return NamingSession(SessionFiles(SettingsFile::inFolder(folder()), ""), decode);
    }
    std::string folder() const { return (m_root.path() / "corvale").string(); }
    fs::path file(const char* name) const { return m_root.path() / "corvale" / name; }
    std::vector<std::string> saved() const
    {
        const auto read = parseFavourites(ReadBytes(file("favourites.csv")));
        return read ? listed(*read) : std::vector<std::string>{"<unreadable>"};
    }

    TempDirectory m_root;
};

// Does `change` to `store`: "+name" adds, "-name" removes, "name=note" changes the note.
void apply(FavouritesStore& store, const std::string& change)
{
    store.open();
    const std::size_t equals = change.find('=');
    const std::string name =
        equals == std::string::npos ? change.substr(1) : change.substr(0, equals);
    const std::vector<Favourite>& items = store.favourites().items();
    const auto index =
        static_cast<std::size_t>(std::find_if(items.begin(), items.end(),
                                              [&](const Favourite& f) { return f.name == name; }) -
                                 items.begin());
    if (change[0] == '+')
        store.add({name}, 1);
    else if (change[0] == '-')
        store.remove({index});
    else
        store.setNote(index, change.substr(equals + 1));
}

TEST_F(SharedFiles, TwoCopiesKeepEachOthersChanges)
{
    struct Case {
        const char* label;
        std::vector<std::string> before;
        std::vector<std::string> elsewhere; // by copy B, which saves first
        std::vector<std::string> here;      // by copy A, which read the file before B saved
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"names added elsewhere stay",
         {"+张伟"},
         {"+李白", "+王维"},
         {"+杜甫"},
         {"张伟", "李白", "王维", "杜甫"}},
        {"a name removed here goes, one removed elsewhere stays out",
         {"+张伟", "+李白", "+杜甫"},
         {"-李白"},
         {"-张伟"},
         {"杜甫"}},
        {"a note changed elsewhere stays unless changed here too",
         {"+张伟", "+李白"},
         {"张伟=B 的", "李白=B 的"},
         {"李白=A 的"},
         {"张伟:B 的", "李白:A 的"}},
        {"a name removed elsewhere comes back with the note changed here",
         {"+张伟", "+李白"},
         {"-张伟"},
         {"张伟=留着"},
         {"李白", "张伟:留着"}},
    };
    for (const Case& c : cases) {
        fs::remove_all(folder());
        for (const std::string& change : c.before)
            apply(start().favourites(), change);
        NamingSession a = start();
        a.favourites().open();
        {
            NamingSession b = start();
            for (const std::string& change : c.elsewhere)
                apply(b.favourites(), change);
        }
        for (const std::string& change : c.here)
            apply(a.favourites(), change);
        EXPECT_EQ(saved(), c.after) << c.label;
        // The copy shows what it saved, each name with its own facts.
        const FavouritesStore& shown = a.favourites();
        EXPECT_EQ(listed(shown.favourites()), c.after) << c.label;
        for (std::size_t i = 0; i < shown.favourites().size(); ++i)
            EXPECT_EQ(shown.facts(i).readings,
                      textFactsOf(shown.favourites().items()[i].name, 1).readings);
    }
}

TEST_F(SharedFiles, SavesAtTheSameMomentNeverLoseANameOfTheOther)
{
    constexpr std::size_t each = 60;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    {
        NamingSession session = start();
        for (const std::string& name : names(each, child == 0 ? each : 0))
            session.favourites().add({name}, 1);
    }
    if (child == 0)
        _exit(0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    std::vector<std::string> all = saved();
    std::sort(all.begin(), all.end());
    std::vector<std::string> expected = names(2 * each);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(all, expected);
}

// ---- What the file could not hold ----

TEST_F(SharedFiles, WhatIsSavedCanBeReadBack)
{
    // Every field as long as an import lets it be, quotes doubled in the file.
    std::string csv = "名字,备注,加入时间\r\n";
    for (const std::string& name : names(Favourites::maxCount))
        csv += name + ",\"" + std::string(360, '"') + "\",\"" + std::string(64, '"') + "\"\r\n";
    WriteBytes(m_root.path() / "partner.csv", csv);
    NamingSession session = start();
    const auto imported = session.favourites().import(
        (m_root.path() / "partner.csv").string(),
        [](std::string_view bytes) { return std::optional<std::string>(bytes); });
    const bool refused =
        imported.problems ==
        std::vector<FileProblem>{{FileProblem::Kind::TooBig, "favourites.csv", {}}};
    EXPECT_EQ(session.favourites().favourites().size(), Favourites::maxCount);
    NamingSession next = start();
    EXPECT_TRUE(next.favourites().open().problems.empty());
    EXPECT_EQ(next.favourites().favourites().size(), refused ? 0 : Favourites::maxCount);
}

TEST_F(SharedFiles, ASaveTooBigToReadBackIsRefusedAndKeptForOneThatFits)
{
    NamingSession a = start();
    a.favourites().open();
    start().favourites().add(names(6'000), 1);
    const std::string before = ReadBytes(file("favourites.csv"));
    // Together the two copies' names pass the most the file may hold.
    const auto added = a.favourites().add(names(5'000, 6'000), 1);
    const FileProblem tooBig{FileProblem::Kind::TooBig, "favourites.csv", {}};
    EXPECT_EQ(added.problems, std::vector{tooBig});
    EXPECT_TRUE(ReadBytes(file("favourites.csv")) == before);
    EXPECT_EQ(a.favourites().favourites().size(), 5'000u);
    // Told again while it does not fit; once it does, everything is saved.
    std::vector<std::size_t> first(999);
    std::iota(first.begin(), first.end(), std::size_t{0});
    EXPECT_EQ(a.favourites().remove(first).problems, std::vector{tooBig});
    EXPECT_TRUE(a.favourites().remove({0}).problems.empty());
    EXPECT_EQ(saved().size(), Favourites::maxCount);
    EXPECT_EQ(a.favourites().favourites().size(), Favourites::maxCount);
}

// ---- Files another user keeps ----

// Runs `work` as the user nobody when the test runs as root, else as the test's own user.
void asAnotherUser(const std::function<void()>& work)
{
    const passwd* nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
    if (nobody) {
        ASSERT_EQ(setegid(nobody->pw_gid), 0);
        ASSERT_EQ(seteuid(nobody->pw_uid), 0);
    }
    work();
    if (nobody) {
        ASSERT_EQ(seteuid(0), 0);
        ASSERT_EQ(setegid(0), 0);
    }
}

TEST_F(SharedFiles, AFileThatCannotBeOpenedIsLeftAloneAndNotSavedOver)
{
    Favourites kept;
    kept.merge({{"张伟", 1, "", "2026-12-07 15:30:00"}});
    SavedTicks ticks{{kWang, kMeili, NameMode::ThreeCharacter}, 4, {}};
    ticks.ticks.set(1, true);
    struct Case {
        const char* file;
        std::string bytes;
        std::function<void(NamingSession&)> use; // what the other user's copy does
    };
    const Case cases[] = {
        {"favourites.csv", printFavourites(kept),
         [](NamingSession& session) {
             EXPECT_EQ(session.favourites().open().problems,
                       (std::vector<FileProblem>{
                           {FileProblem::Kind::Inaccessible, "favourites.csv", {}}}));
             const auto added = session.favourites().add({"李白"}, 1);
             EXPECT_TRUE(added.problems.empty());
             EXPECT_EQ(added.value.merged.added, 1u);
         }},
        {"ticks.bin", *printSavedTicks(ticks),
         [&ticks](NamingSession& session) {
             session.fill(ticks.inputs);
             EXPECT_FALSE(session.savedTicks());
             session.ticks().tick(2, true);
             session.close({kWang, kMeili, true});
         }},
    };
    // Root's file kept from nobody, or without root the owner's own, with and without leave to
    // write it, in a folder anyone may write to without the sticky bit.
    const std::vector<mode_t> modes =
        geteuid() == 0 ? std::vector<mode_t>{0600, 0622} : std::vector<mode_t>{0000, 0200};
    for (const Case& c : cases) {
        for (const mode_t mode : modes) {
            fs::remove_all(folder());
            fs::create_directory(folder());
            fs::permissions(m_root.path(), fs::perms::all);
            fs::permissions(folder(), fs::perms::all);
            WriteBytes(file(c.file), c.bytes);
            ASSERT_EQ(chmod(file(c.file).c_str(), mode), 0);
            asAnotherUser([&] {
                NamingSession session = start();
                c.use(session);
                fs::remove(file("name.xml"));
            });
            fs::permissions(file(c.file), fs::perms::owner_read, fs::perm_options::add);
            EXPECT_TRUE(ReadBytes(file(c.file)) == c.bytes) << c.file << " " << mode;
            EXPECT_EQ(EntriesOf(folder()), std::vector<std::string>{c.file}) << mode;
        }
    }
}

} // namespace
