#include "settings_test_support.h"

#include <sys/stat.h>

namespace {

std::string SevenLines(std::string_view first, std::string_view second, std::string_view third)
{
    return "<Names>\r\n    <Name ID=\"1\">\r\n        <firstname>" + std::string(first) +
           "</firstname>\r\n        <secondname>" + std::string(second) +
           "</secondname>\r\n        <radio_three>" + std::string(third) +
           "</radio_three>\r\n    </Name>\r\n</Names>\r\n";
}

// ---- The bytes save writes ----

class SavedBytes : public ConfigDirectoryTest,
                   public ::testing::WithParamInterface<Row<NamingSettings, std::string>> {};

TEST_P(SavedBytes, AreExactlyTheSevenLines)
{
    m_file.save(GetParam().input, "name.xml");
    EXPECT_EQ(ReadBytes(nameXml()), GetParam().expected);
    EXPECT_EQ(EntriesOf(config()), std::vector<std::string>{"name.xml"});
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, SavedBytes,
    ::testing::Values(
        Row<NamingSettings, std::string>{"Chinese",
                                         {kWang, kMeili, true},
                                         "<Names>\r\n"
                                         "    <Name ID=\"1\">\r\n"
                                         "        <firstname>\xCD\xF5</firstname>\r\n"
                                         "        <secondname>\xC3\xC0\xC0\xF6</secondname>\r\n"
                                         "        <radio_three>1</radio_three>\r\n"
                                         "    </Name>\r\n"
                                         "</Names>\r\n"},
        Row<NamingSettings, std::string>{
            "EmptyTwoCharacter", {"", "", false}, SevenLines("", "", "0")},
        // Absent values are written as empty texts and two-character mode.
        Row<NamingSettings, std::string>{"Absent", {}, SevenLines("", "", "0")},
        Row<NamingSettings, std::string>{
            "Escaped",
            {"&#x41;", "a<b>\"'\t\r\n\x01 \xFF", true},
            SevenLines("&amp;#x41;", "a&lt;b&gt;&quot;&apos;&#x09;&#x0D;&#x0A;&#x01; \xFF", "1")}),
    RowName());

// ---- Texts that come back unchanged, and those whose spaces the parser condenses ----

class RoundTrip : public ConfigDirectoryTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(RoundTrip, GivesBackTheSameBytes)
{
    const NamingSettings saved{GetParam(), kMeili + GetParam(), false};
    m_file.save(saved, "name.xml");
    EXPECT_EQ(m_file.load("name.xml"), saved);
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, RoundTrip,
                         ::testing::Values(kWang, "a & b < c > d \" e ' f", "&amp; &#x41; &#65;",
                                           "tab\there", "cr\rlf\ncrlf\r\nend", "\x01\x1F\x7F",
                                           "\xFF\x80\x81", "<Names/>"));

using CondensedRow = Row<std::string, std::optional<std::string>>;

class Condensed : public ConfigDirectoryTest, public ::testing::WithParamInterface<CondensedRow> {};

TEST_P(Condensed, SpacesAreTrimmedAndMerged)
{
    m_file.save({GetParam().input, GetParam().input, true}, "name.xml");
    EXPECT_EQ(m_file.load("name.xml"),
              (NamingSettings{GetParam().expected, GetParam().expected, true}));
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, Condensed,
                         ::testing::Values(CondensedRow{"Trimmed", " " + kWang + " ", kWang},
                                           CondensedRow{"Merged", "\xC3\xC0  \xC0\xF6",
                                                        "\xC3\xC0 \xC0\xF6"},
                                           CondensedRow{"OnlySpaces", "   ", std::nullopt},
                                           CondensedRow{"Empty", "", std::nullopt}),
                         RowName());

// ---- Files written by hand ----

using HandEditedRow = Row<std::string, NamingSettings>;

class HandEdited : public ConfigDirectoryTest,
                   public ::testing::WithParamInterface<HandEditedRow> {};

TEST_P(HandEdited, IsReadByPosition)
{
    WriteBytes(nameXml(), GetParam().input);
    EXPECT_EQ(m_file.load("name.xml"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, HandEdited,
    ::testing::Values(
        HandEditedRow{"RenamedElements",
                      "<A><B k=\"v\"><c>" + kWang + "</c><d x='1'>" + kMeili +
                          "</d><e>1</e></B></A>",
                      {kWang, kMeili, true}},
        HandEditedRow{"SwappedTexts",
                      "<Names><Name><secondname>S</secondname><firstname>F</firstname>"
                      "<radio_three>1</radio_three></Name></Names>",
                      {"S", "F", true}},
        HandEditedRow{"FourthFieldIgnored",
                      "<Names><Name><a>F</a><b>S</b><c>0</c><d>1</d></Name><Name/></Names>",
                      {"F", "S", false}},
        HandEditedRow{"DeclarationAndComments",
                      "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n<!-- by hand -->\r\n<Names>\r\n"
                      "<!-- c --><Name>\r\n<firstname>" +
                          kWang + "</firstname><!-- c -->\r\n<secondname>" + kMeili +
                          "</secondname><radio_three>1</radio_three></Name></Names>\r\n",
                      {kWang, kMeili, true}},
        HandEditedRow{"DeclarationWithoutEncoding",
                      "<?xml version=\"1.0\"?>" + Record(kWang, kMeili, "0"),
                      {kWang, kMeili, false}},
        HandEditedRow{"RadioTwo", Record("F", "S", "2"), {"F", "S", true}},
        HandEditedRow{"RadioMinusOne", Record("F", "S", " -1 "), {"F", "S", true}},
        HandEditedRow{"RadioLetter", Record("F", "S", "x"), {"F", "S", false}},
        HandEditedRow{"RadioZero", Record("F", "S", "0"), {"F", "S", false}},
        HandEditedRow{"RadioBeyondInt", Record("F", "S", "4294967296"), {"F", "S", true}},
        HandEditedRow{"RadioEmpty", Record("F", "S", ""), {"F", "S", std::nullopt}},
        HandEditedRow{"MissingFields",
                      "<Names><Name><firstname>F</firstname></Name></Names>",
                      {"F", std::nullopt, std::nullopt}},
        HandEditedRow{"CharacterReferences",
                      Record("&#x41;&#66;&lt;", "&amp;#x41;", "1"),
                      {"AB<", "&#x41;", true}},
        HandEditedRow{"ControlAndInvalidGbkBytes",
                      Record("\x01\x02\xFF", "\x81", "1"),
                      {"\x01\x02\xFF", "\x81", true}},
        HandEditedRow{"LineBreaksInCdataBecomeLf",
                      Record("<![CDATA[a\r\nb\rc]]>", "x", "1"),
                      {"a\nb\nc", "x", true}},
        HandEditedRow{
            "FirstChildOfAnyKind", Record("<!--note-->F", "<b>S</b>", "1"), {"note", "b", true}}),
    RowName());

// ---- Files that yield nothing ----

using UnreadableRow = Row<std::string, std::nullopt_t>;

class Unreadable : public ConfigDirectoryTest,
                   public ::testing::WithParamInterface<UnreadableRow> {};

TEST_P(Unreadable, LoadsNothing)
{
    WriteBytes(nameXml(), GetParam().input);
    EXPECT_EQ(m_file.load("name.xml"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, Unreadable,
    ::testing::Values(
        UnreadableRow{"Empty", "", std::nullopt}, UnreadableRow{"NotXml", "not xml", std::nullopt},
        UnreadableRow{"Truncated", SevenLines(kWang, kMeili, "1").substr(0, 60), std::nullopt},
        UnreadableRow{"NoRecord", "<Names></Names>", std::nullopt},
        UnreadableRow{"TextInsteadOfRecord", "<Names>text</Names>", std::nullopt},
        UnreadableRow{"OnlyDeclaration", "<?xml version=\"1.0\"?>", std::nullopt},
        UnreadableRow{"NulFirst", std::string("\0", 1) + Record("F", "S", "1"), std::nullopt},
        UnreadableRow{"WrongEndTag", Record("F</secondname>", "S", "1"), std::nullopt},
        UnreadableRow{"UnterminatedReference", "<Names><Name>&#x41</Name></Names>", std::nullopt},
        UnreadableRow{"EndsInsideUtf8Character", "<?xml version=\"1.0\"?><Names><Name><f>\xE3",
                      std::nullopt}),
    RowName());

TEST_F(ConfigDirectoryTest, MissingFileLoadsNothing)
{
    EXPECT_EQ(m_file.load("name.xml"), std::nullopt);
}

TEST_F(ConfigDirectoryTest, DirectoryInPlaceOfTheFileIsLeftAlone)
{
    fs::create_directory(nameXml());
    m_file.save({kWang, kMeili, true}, "name.xml");
    EXPECT_TRUE(fs::is_directory(nameXml()));
    EXPECT_EQ(m_file.load("name.xml"), std::nullopt);
}

TEST_F(ConfigDirectoryTest, TruncatedFileIsRewrittenWhole)
{
    WriteBytes(nameXml(), SevenLines(kWang, kMeili, "1").substr(0, 70));
    ASSERT_EQ(m_file.load("name.xml"), std::nullopt);
    m_file.save({kWang, kMeili, true}, "name.xml");
    EXPECT_EQ(ReadBytes(nameXml()), SevenLines(kWang, kMeili, "1"));
}

TEST(SettingsFileWithoutConfig, SaveCreatesNothingAndLoadYieldsNothing)
{
    const TempDirectory root;
    const SettingsFile file(root.path().string());
    file.save({kWang, kMeili, true}, "name.xml");
    EXPECT_TRUE(fs::is_empty(root.path()));
    EXPECT_EQ(file.load("name.xml"), std::nullopt);
}

// The largest file the window can write: both fields full (a line edit holds 32,767
// characters) of control characters, each escaped to six bytes, about 390 KB.
TEST_F(ConfigDirectoryTest, LargestFileTheWindowWritesLoads)
{
    const std::string full(32'767, '\x01');
    const NamingSettings largest{full, full, false};
    m_file.save(largest, "name.xml");
    ASSERT_GT(fs::file_size(nameXml()), 390'000u);
    EXPECT_EQ(m_file.load("name.xml"), largest);
}

TEST(ExecutableDirectory, IsTheDirectoryOfTheTestBinary)
{
    EXPECT_EQ(ExecutableDirectory(), fs::canonical(CORVALE_TEST_BINARY_DIR).string());
}

} // namespace
