#include "hanzi/character_meaning.h"
#include "hanzi/utf8.h"
#include "insight/export_lines.h"
#include "shortlist/favourites_file.h"
#include "shortlist/saved_ticks.h"
#include "shortlist/tick_record.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

Favourite named(std::string name, std::string note = {}, int surnameLength = 1)
{
    return {std::move(name), surnameLength, std::move(note), "2026-12-07 15:30:00"};
}

// The i-th of many distinct valid names: 张 and two characters counted from 一.
std::string nthName(std::size_t i)
{
    std::string name = "张";
    utf8::append(name, U'\u4E00' + static_cast<char32_t>(i / 1000));
    utf8::append(name, U'\u4E00' + static_cast<char32_t>(i % 1000));
    return name;
}

Favourites many(std::size_t count, const std::string& note)
{
    std::vector<Favourite> entries;
    for (std::size_t i = 0; i < count; ++i)
        entries.push_back(named(nthName(i), note));
    Favourites favourites;
    favourites.merge(std::move(entries));
    return favourites;
}

std::vector<std::string> names(const std::vector<Favourite>& entries)
{
    std::vector<std::string> names;
    for (const Favourite& entry : entries)
        names.push_back(entry.name);
    return names;
}

TEST(FavouriteName, AcceptsTwoToEightGbkIdeographs)
{
    const std::pair<const char*, bool> cases[] = {
        {"张伟", true},
        {"张", false},
        {"欧阳一二三四五六", true},
        {"欧阳一二三四五六七", false},
        {"张a", false},
        {"张 伟", false},
        {"张\xE4\xB8", false},
        {"张㐀", false /* extension A: not in GBK's ideographs */},
        {"〇一", true},
        {"", false},
    };
    for (const auto& [name, valid] : cases)
        EXPECT_EQ(isFavouriteName(name), valid) << name;
}

TEST(FavouritesFile, RoundTripKeepsEveryField)
{
    Favourites favourites;
    favourites.merge({named("张伟", "好听, 但是 \"常见\""), named("诸葛亮明", "", 2),
                      named("李白", "第二行\n合并")});
    const std::optional<Favourites> read = parseFavourites(printFavourites(favourites));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const Favourite& a = favourites.items()[i];
        const Favourite& b = read->items()[i];
        EXPECT_EQ(std::tie(a.name, a.surnameLength, a.note, a.added),
                  std::tie(b.name, b.surnameLength, b.note, b.added));
    }
    EXPECT_EQ(read->items()[2].note, "第二行 合并");
}

TEST(FavouritesFile, TheFullestListFitsTheFileLimit)
{
    // Notes of quotes double in CSV; notes of four-byte characters are the longest unquoted.
    for (const std::string& note : {std::string(Favourites::maxNoteBytes, '"'),
                                    std::string(Favourites::maxNoteBytes / 4, 'x') + "𠀀"}) {
        Favourites favourites = many(Favourites::maxCount + 5, note);
        EXPECT_EQ(favourites.size(), Favourites::maxCount);
        const std::string bytes = printFavourites(favourites);
        EXPECT_LE(bytes.size(), Favourites::maxFileBytes);
        EXPECT_EQ(parseFavourites(bytes)->size(), Favourites::maxCount);
    }
}

TEST(FavouritesFile, RejectsAnythingItDoesNotWrite)
{
    const std::string header = "\xEF\xBB\xBF名字,姓氏字数,备注,加入时间\r\n";
    const std::string tooMany = printFavourites(many(Favourites::maxCount, "")) + "王二麻,1,,\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"garbage", "\x89PNG\r\n\x1A\n"},
        {"other header", "名字,备注\r\n张伟,\r\n"},
        {"bad name", header + "张,1,,\r\n"},
        {"Latin name", header + "Zhang Wei,1,,\r\n"},
        {"repeated", header + "张伟,1,,\r\n张伟,1,,\r\n"},
        {"surname too long", header + "张伟,2,,\r\n"},
        {"surname not a number", header + "张伟,x,,\r\n"},
        {"missing field", header + "张伟,1,\r\n"},
        {"extra field", header + "张伟,1,,,\r\n"},
        {"note too long",
         header + "张伟,1," + std::string(Favourites::maxNoteBytes + 1, 'x') + ",\r\n"},
        {"time not text", header + "张伟,1,,\x01\r\n"},
        {"too many", tooMany},
    };
    for (const auto& [label, bytes] : cases)
        EXPECT_FALSE(parseFavourites(bytes)) << label;
    EXPECT_TRUE(parseFavourites(header + "张伟,1,,\r\n")); // the rows above differ in one thing
}

TEST(FavouritesMerge, AddsNewNamesJoinsDifferingNotesAndStopsAtTheLimit)
{
    Favourites favourites;
    favourites.merge({named("张伟", "A"), named("李白")});
    const Favourites::MergeResult result =
        favourites.merge({named("张伟", "B"), named("张伟", "A"), named("李白", "C"), named("王五"),
                          named("王五", "D")});
    EXPECT_EQ(result.added, 1u);
    EXPECT_EQ(result.notesJoined, 3u);
    EXPECT_EQ(names(favourites.items()), (std::vector<std::string>{"张伟", "李白", "王五"}));
    EXPECT_EQ(favourites.items()[0].note, "A；B");
    EXPECT_EQ(favourites.items()[1].note, "C");
    EXPECT_EQ(favourites.items()[2].note, "D");

    Favourites full = many(Favourites::maxCount, "");
    const Favourites::MergeResult over = full.merge({named("王五"), named(nthName(0), "x")});
    EXPECT_EQ(over.overLimit, 1u);
    EXPECT_EQ(over.notesJoined, 1u);
    EXPECT_EQ(full.size(), Favourites::maxCount);

    full.remove({3, 0, 3});
    EXPECT_EQ(full.size(), Favourites::maxCount - 2);
    EXPECT_FALSE(full.contains(nthName(3)));
    EXPECT_TRUE(full.contains(nthName(4)));
    EXPECT_EQ(full.merge({named(nthName(4), "y")}).notesJoined, 1u);
}

TEST(FavouritesImport, ReadsNamesAndCountsTheLinesThatAreNot)
{
    struct Case {
        const char* label;
        std::string bytes;
        bool csv;
        std::vector<std::string> names;
        std::size_t skipped;
    };
    const Case cases[] = {
        {"text",
         "\xEF\xBB\xBF张伟\r\n\r\n  李白 \nhello\n张\n诸葛亮明\n张伟",
         false,
         {"张伟", "李白", "诸葛亮明", "张伟"},
         2},
        {"page export",
         "\xEF\xBB\xBF名字,读音,声调,笔画,通用规范汉字\r\n张伟,zhāng wěi,1-3,13,是\r\n"
         "张a,?,?,0,否\r\n",
         true,
         {"张伟"},
         1},
        {"favourites export",
         "名字,读音,笔画,备注,加入时间\r\n李白,lǐ bái,12,\"诗, 仙\",2020-01-01 00:00:00\r\n",
         true,
         {"李白"},
         0},
        {"csv without a name column", "姓名\r\n张伟\r\n李白\r\n", true, {}, 2},
        {"binary", std::string("\0\xFF\xFE\n\n\x80", 6), false, {}, 2},
    };
    for (const Case& c : cases) {
        const ImportedNames imported = parseImport(c.bytes, c.csv, "now");
        EXPECT_EQ(names(imported.entries), c.names) << c.label;
        EXPECT_EQ(imported.skipped, c.skipped) << c.label;
    }
    const ImportedNames exported = parseImport(cases[2].bytes, true, "now");
    EXPECT_EQ(exported.entries[0].note, "诗, 仙");
    EXPECT_EQ(exported.entries[0].added, "2020-01-01 00:00:00");
    const ImportedNames text = parseImport(cases[0].bytes, false, "now");
    EXPECT_EQ(text.entries[0].added, "now");
    EXPECT_EQ(text.entries[2].surnameLength, 2); // 诸葛 is read as one surname
    EXPECT_EQ(text.entries[0].surnameLength, 1);
}

SavedTicks ticks(std::initializer_list<std::uint32_t> rows, std::uint64_t count)
{
    SavedTicks saved{{"\xD5\xC5", "\xCE\xB0\xC3\xF7", NameMode::ThreeCharacter}, count, {}};
    for (const std::uint32_t row : rows)
        saved.ticks.set(row, true);
    return saved;
}

TEST(FavouritesExport, PutsTheGivenNamesMeaningsAfterTheSource)
{
    ASSERT_FALSE(MeaningOf(U'子').empty());
    const Favourite favourites[] = {named("王子子"), named("王一美")};
    std::vector<TextFacts> facts;
    std::vector<ExportedFavourite> rows;
    for (const Favourite& favourite : favourites)
        facts.push_back(textFactsOf(favourite.name, favourite.surnameLength));
    for (std::size_t i = 0; i < facts.size(); ++i)
        rows.push_back({&favourites[i], &facts[i]});
    const auto meaning = [](char32_t c) { return std::string(MeaningOf(c)); };
    // The surname's meaning is left out, a repeated character's told once, a quote doubled.
    std::string quoted;
    appendCsvField(quoted, "一：" + meaning(U'一') + "｜美：" + meaning(U'美'));
    const std::string line[] = {
        "王子子," + facts[0].readings + ',' + facts[0].levels + ",4+3+3=10,,子：" + meaning(U'子'),
        "王一美," + facts[1].readings + ',' + facts[1].levels + ",4+1+9=14,," + quoted,
    };
    EXPECT_EQ(exportFavourites(rows, true),
              "\xEF\xBB\xBF名字,读音,平仄,笔画,出处,字义,谐音,备注,加入时间\r\n" + line[0] + ',' +
                  facts[0].homophones + ",,2026-12-07 15:30:00\r\n" + line[1] + ',' +
                  facts[1].homophones + ",,2026-12-07 15:30:00\r\n");
}

TEST(SavedTicksFile, RoundTripKeepsInputsAndRows)
{
    SavedTicks saved = ticks({0, 5, 32766}, 32767);
    saved.ticks.flip(20000); // runs and arrays both
    const std::optional<std::string> bytes = printSavedTicks(saved);
    ASSERT_TRUE(bytes);
    const std::optional<SavedTicks> read = parseSavedTicks(*bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->inputs, saved.inputs);
    EXPECT_EQ(read->rows, 32767u);
    EXPECT_EQ(read->ticks.rows(), saved.ticks.rows());
    EXPECT_NE(read->inputs,
              (TickInputs{saved.inputs.surname, saved.inputs.candidates, NameMode::TwoCharacter}));
}

TEST(SavedTicksFile, RejectsDamagedAndHostileBytes)
{
    const std::string good = *printSavedTicks(ticks({1, 2, 3}, 10));
    const std::string pastTheList = *printSavedTicks(ticks({1, 10}, 10));
    std::string hugeLength = good;
    hugeLength.replace(16, 4, "\xFF\xFF\xFF\xFF");
    std::string badMode = good;
    badMode[16 + 4 + 2 + 4 + 4] = 7;
    std::string bitmapGarbage = good;
    for (std::size_t i = good.size() - 8; i < good.size(); ++i)
        bitmapGarbage[i] = '\xFF';
    // The same file with a bitmap of one run container of two runs, as CRoaring's portable
    // format writes it: cookie, run flags, key and cardinality - 1, run count, runs.
    const auto withRuns = [&good](std::uint16_t first, std::uint16_t firstLength,
                                  std::uint16_t second, std::uint16_t secondLength) {
        std::string bitmap("\x3B\x30\x00\x00\x01\x00\x00\x09\x00\x02\x00", 11);
        for (const std::uint16_t value : {first, firstLength, second, secondLength}) {
            bitmap += static_cast<char>(value & 0xFF);
            bitmap += static_cast<char>(value >> 8);
        }
        std::string file = good.substr(0, 31);                      // up to the row count
        file += std::string("\xFF\xFF\x00\x00\x00\x00\x00\x00", 8); // 65,535 rows
        file += static_cast<char>(bitmap.size());
        file += std::string(7, '\0');
        return file + bitmap;
    };
    ASSERT_TRUE(parseSavedTicks(withRuns(1, 4, 10, 4)));
    const std::pair<const char*, std::string> cases[] = {
        {"runs overlapping", withRuns(5, 4, 3, 4)},
        {"runs touching", withRuns(1, 4, 6, 4)},
        {"run past its block", withRuns(1, 4, 0xFFF0, 0x20)},
        {"empty", ""},
        {"wrong magic", "CORVALE-TICKS-2\n" + good.substr(16)},
        {"truncated", good.substr(0, good.size() - 1)},
        {"trailing byte", good + "x"},
        {"huge input length", hugeLength},
        {"bad mode", badMode},
        {"tick past the list", pastTheList},
        {"bitmap garbage", bitmapGarbage},
    };
    for (const auto& [label, bytes] : cases)
        EXPECT_FALSE(parseSavedTicks(bytes)) << label;
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(parseSavedTicks(good.substr(0, cut))) << cut;
    EXPECT_TRUE(parseSavedTicks(good));
}

TEST(SavedTicksRestore, ReplacesTheTicksAndUndoBringsThemBack)
{
    TickRecord record;
    record.tick(7, true);
    record.replace(ticks({1, 2}, 10).ticks);
    EXPECT_EQ(record.ticks().rows(), (std::vector<std::uint32_t>{1, 2}));
    ASSERT_TRUE(record.canUndo());
    record.undo();
    EXPECT_EQ(record.ticks().rows(), std::vector<std::uint32_t>{7});
    EXPECT_FALSE(record.canUndo());

    // Later changes undo as before, on top of the restored ticks.
    record.replace(ticks({1, 2}, 10).ticks);
    record.invert(4);
    record.undo();
    EXPECT_EQ(record.ticks().rows(), (std::vector<std::uint32_t>{1, 2}));
}

} // namespace
