// The session's files through the session alone: the inputs, the ticks of the last run, the
// favourites and the view preferences, read, kept aside and saved as a run goes.
#include "session/naming_session.h"
#include "shortlist/favourites_file.h"
#include "tests/settings/settings_test_support.h"
#include "tests/support/gbk_test_decoder.h"

#include <ctime>

namespace {

// Imports in these tests are UTF-8 already.
std::optional<std::string> utf8Text(std::string_view bytes)
{
    return std::string(bytes);
}

const GbkCharacters pool{{"\xCD\xF5", U'王'},
                         {"\xC3\xC0", U'美'},
                         {"\xC0\xF6", U'丽'},
                         {"\xD6\xEE", U'诸'},
                         {"\xB8\xF0", U'葛'}};

std::u32string decode(std::string_view gbk)
{
    return decodeWith(pool, gbk);
}

const TickInputs wangMeiLi{kWang, kMeili, NameMode::ThreeCharacter};

class Session : public ::testing::Test {
protected:
    // A new session over the same files, as the next start of the program makes.
    NamingSession start() const
    {
        return NamingSession(SessionFiles(SettingsFile::inFolder(folder()), preferences()), decode);
    }
    std::string folder() const { return (m_root.path() / "corvale").string(); }
    fs::path file(const char* name) const { return m_root.path() / "corvale" / name; }
    std::string preferences() const { return folder() + "/corvale.conf"; }

    TempDirectory m_root;
};

// ---- The inputs and the ticks ----

TEST_F(Session, ClosingKeepsTheInputsAndTheTicksOfTheListFilledLast)
{
    {
        NamingSession session = start();
        EXPECT_FALSE(session.restoredInputs());
        session.fill(wangMeiLi);
        EXPECT_FALSE(session.savedTicks());
        session.ticks().tick(0, true);
        session.ticks().tick(3, true);
        EXPECT_TRUE(session.close({kWang, kMeili, true}).problems.empty());
    }
    struct Case {
        const char* label;
        TickInputs inputs;
        bool offered;
    };
    const Case cases[] = {
        {"two characters", {kWang, kMeili, NameMode::TwoCharacter}, false},
        {"other candidates", {kWang, "\xC0\xF6\xC3\xC0", NameMode::ThreeCharacter}, false},
        {"the same inputs", wangMeiLi, true},
    };
    for (const Case& c : cases) {
        NamingSession session = start();
        EXPECT_EQ(session.restoredInputs(), (NamingSettings{kWang, kMeili, true})) << c.label;
        session.fill(c.inputs);
        const RowSet* saved = session.savedTicks();
        ASSERT_EQ(saved != nullptr, c.offered) << c.label;
        if (saved) {
            EXPECT_EQ(saved->rows(), (std::vector<std::uint32_t>{0, 3}));
        }
        // Closing without a tick keeps the ticks saved before.
        session.close({kWang, kMeili, true});
    }
}

TEST_F(Session, TicksSavedForAnotherRowCountAreNotOffered)
{
    SavedTicks saved{wangMeiLi, 5, {}};
    saved.ticks.set(1, true);
    fs::create_directory(folder());
    WriteBytes(file("ticks.bin"), *printSavedTicks(saved));
    NamingSession session = start();
    session.fill(wangMeiLi); // four rows
    EXPECT_FALSE(session.savedTicks());
    saved.rows = 4;
    WriteBytes(file("ticks.bin"), *printSavedTicks(saved));
    NamingSession again = start();
    again.fill(wangMeiLi);
    EXPECT_TRUE(again.savedTicks());
}

TEST_F(Session, DamagedTicksAreKeptAsideWithoutAWord)
{
    fs::create_directory(folder());
    WriteBytes(file("ticks.bin"), "CORVALE-TICKS-1\ndamaged");
    NamingSession session = start();
    session.fill(wangMeiLi);
    EXPECT_FALSE(session.savedTicks());
    EXPECT_FALSE(fs::exists(file("ticks.bin")));
    const std::vector<std::string> left = EntriesOf(folder());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(left[0].starts_with("ticks.bin.damaged-")) << left[0];
}

TEST_F(Session, TheSurnameLengthIsThatOfTheListFilledLast)
{
    NamingSession session = start();
    EXPECT_EQ(session.surnameLength(), 1);
    session.fill({"\xD6\xEE\xB8\xF0", kMeili, NameMode::TwoCharacter});
    EXPECT_EQ(session.surnameLength(), 2);
    session.fill({"", kMeili, NameMode::TwoCharacter});
    EXPECT_EQ(session.surnameLength(), 0);
}

// ---- The favourites ----

// The names the favourites file holds.
std::vector<std::string> savedNames(const fs::path& path)
{
    const Favourites saved = parseFavourites(ReadBytes(path)).value_or(Favourites());
    std::vector<std::string> names;
    for (const Favourite& favourite : saved.items())
        names.push_back(favourite.name);
    return names;
}

TEST_F(Session, EveryChangeOfTheFavouritesIsSaved)
{
    NamingSession session = start();
    FavouritesStore& favourites = session.favourites();
    EXPECT_TRUE(favourites.open().problems.empty());
    const Outcome<FavouritesStore::Added> added =
        favourites.add({"王美丽", "王", "诸葛美丽", "王美丽"}, 2);
    EXPECT_EQ(added.value.merged.added, 2u);
    EXPECT_EQ(added.value.skipped, 1u);
    EXPECT_EQ(savedNames(file("favourites.csv")), (std::vector<std::string>{"王美丽", "诸葛美丽"}));
    // At most all but the last character are the surname.
    EXPECT_EQ(favourites.favourites().items()[0].surnameLength, 2);

    const std::string before = ReadBytes(file("favourites.csv"));
    EXPECT_FALSE(favourites.setNote(0, "").value);
    EXPECT_EQ(ReadBytes(file("favourites.csv")), before);
    EXPECT_TRUE(favourites.setNote(0, "外婆喜欢").value);
    EXPECT_NE(ReadBytes(file("favourites.csv")).find("外婆喜欢"), std::string::npos);
    favourites.remove({0});
    EXPECT_EQ(savedNames(file("favourites.csv")), std::vector<std::string>{"诸葛美丽"});

    // An import that only joins a note is saved too.
    WriteBytes(m_root.path() / "notes.CSV", "名字,备注\r\n诸葛美丽,好听\r\n");
    const auto imported = favourites.import((m_root.path() / "notes.CSV").string(), utf8Text);
    ASSERT_TRUE(imported.value);
    EXPECT_EQ(imported.value->merged.notesJoined, 1u);
    NamingSession next = start();
    next.favourites().open();
    EXPECT_EQ(next.favourites().favourites().items().at(0).note, "好听");
    EXPECT_EQ(next.favourites().facts(0).readings, "zhū gě měi lì");
}

TEST_F(Session, AnImportThatCannotBeReadChangesNothing)
{
    NamingSession session = start();
    FavouritesStore& favourites = session.favourites();
    const std::string path = (m_root.path() / "missing.txt").string();
    const auto imported = favourites.import(path, utf8Text);
    EXPECT_FALSE(imported.value);
    EXPECT_EQ(imported.problems,
              (std::vector<FileProblem>{{FileProblem::Kind::NotRead, path, {}}}));
    EXPECT_FALSE(fs::exists(file("favourites.csv")));
}

TEST_F(Session, ADamagedFavouritesFileIsKeptAsideAndTheNextStartReadsTheNewOne)
{
    fs::create_directory(folder());
    WriteBytes(file("favourites.csv"), "not a favourites file");
    {
        NamingSession session = start();
        const Outcome<Done> opened = session.favourites().open();
        ASSERT_EQ(opened.problems.size(), 1u);
        const FileProblem& problem = opened.problems[0];
        EXPECT_EQ(problem.kind, FileProblem::Kind::KeptAside);
        EXPECT_EQ(problem.file, "favourites.csv");
        EXPECT_EQ(ReadBytes(file(problem.aside.c_str())), "not a favourites file");
        EXPECT_TRUE(session.favourites().open().problems.empty()); // read once
        EXPECT_TRUE(session.favourites().add({"李白"}, 1).problems.empty());
    }
    NamingSession next = start();
    EXPECT_TRUE(next.favourites().open().problems.empty());
    EXPECT_EQ(next.favourites().favourites().size(), 1u);
    EXPECT_EQ(EntriesOf(folder()).size(), 2u);
}

TEST_F(Session, AFavouritesFileThatCannotBeKeptAsideIsNeverSavedOver)
{
    fs::create_directory(folder());
    WriteBytes(file("favourites.csv"), "not a favourites file");
    // Every name it could be kept aside as, over the next seconds, is taken.
    const std::time_t now = std::time(nullptr);
    for (std::time_t second = now - 1; second < now + 30; ++second) {
        std::tm local{};
        char name[64] = {};
        localtime_r(&second, &local);
        std::strftime(name, sizeof name, "favourites.csv.damaged-%Y%m%d-%H%M%S", &local);
        WriteBytes(file(name), "");
    }
    NamingSession session = start();
    FavouritesStore& favourites = session.favourites();
    const auto added = favourites.add({"李白"}, 1);
    EXPECT_EQ(added.problems,
              (std::vector<FileProblem>{{FileProblem::Kind::Stuck, "favourites.csv", {}}}));
    EXPECT_EQ(added.value.merged.added, 1u);
    EXPECT_EQ(ReadBytes(file("favourites.csv")), "not a favourites file");
}

// A folder that cannot be made: nothing is there to read, and nothing can be saved.
constexpr const char* unwritable = "/proc/self/corvale";

TEST(SessionWithoutItsFolder, ReportsAFailedSaveOnceARun)
{
    const FileProblem notSaved{FileProblem::Kind::NotSaved, "favourites.csv", {}};
    for (int run = 0; run < 2; ++run) {
        NamingSession session(SessionFiles(SettingsFile::inFolder(unwritable), ""), decode);
        EXPECT_EQ(session.favourites().add({"李白"}, 1).problems, std::vector{notSaved});
        EXPECT_TRUE(session.favourites().add({"杜甫"}, 1).problems.empty());
        EXPECT_TRUE(session.favourites().remove({0}).problems.empty());
        EXPECT_EQ(session.favourites().favourites().size(), 1u);
    }
}

// ---- The view preferences ----

TEST_F(Session, PreferencesAreKeptForTheNextStart)
{
    {
        NamingSession session = start();
        EXPECT_FALSE(session.readingShown());
        EXPECT_EQ(session.sourceCollections(), allCollections);
        EXPECT_TRUE(session.showReading(true).problems.empty());
        EXPECT_TRUE(session.showSourcesFrom(0b0101).problems.empty());
    }
    EXPECT_EQ(ReadBytes(preferences()), "[view]\nshowReading=true\nsourceCollections=诗经, -楚辞, -论语, -大学, -中庸, -孟子, 唐诗, -宋词, -元曲\n");
    const NamingSession next = start();
    EXPECT_TRUE(next.readingShown());
    EXPECT_EQ(next.sourceCollections(), 0b0101);

    const std::pair<const char*, Collections> kept[] = {
        {"sourceCollections=", 0},
        {"sourceCollections= 宋词 ,诗经,词", 0b1001},
        {";sourceCollections=楚辞", allCollections},
    };
    for (const auto& [line, collections] : kept) {
        WriteBytes(preferences(), std::string("[view]\n;showReading=true\n") + line + "\n");
        EXPECT_EQ(start().sourceCollections(), collections) << line;
        EXPECT_FALSE(start().readingShown()) << line;
    }
    // A save keeps the entries, not the comments.
    WriteBytes(preferences(), "[view]\n; showReading=true\nshowReading=false\n");
    start().showReading(true);
    EXPECT_EQ(ReadBytes(preferences()), "[view]\nshowReading=true\n");
}

TEST(SessionWithoutItsFolder, ReportsPreferencesThatCannotBeSaved)
{
    const std::string path = std::string(unwritable) + "/corvale.conf";
    NamingSession session(SessionFiles(SettingsFile::nowhere(), path), decode);
    EXPECT_EQ(session.showReading(true).problems,
              (std::vector<FileProblem>{{FileProblem::Kind::NotSaved, path, {}}}));
}

} // namespace
