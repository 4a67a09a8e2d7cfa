#include "settings/xml_nesting.h"
#include "settings_test_support.h"

#include <chrono>
#include <random>
#include <tinyxml.h>

namespace {

std::string Nested(std::size_t depth, std::string_view inner = "")
{
    std::string text;
    for (std::size_t i = 0; i < depth; ++i) {
        text += "<a>";
    }
    text += inner;
    for (std::size_t i = 0; i < depth; ++i) {
        text += "</a>";
    }
    return text;
}

// The element nesting TinyXML actually reached: elements stay in the tree even when it fails.
std::size_t TreeDepth(const TiXmlNode& node)
{
    std::size_t deepest = 0;
    for (const TiXmlNode* child = node.FirstChild(); child; child = child->NextSibling()) {
        deepest = std::max(deepest, TreeDepth(*child));
    }
    return deepest + (node.ToElement() ? 1 : 0);
}

std::size_t ParsedDepth(const std::string& text)
{
    TiXmlDocument document;
    document.Parse((text + std::string(4, '\0')).c_str());
    return TreeDepth(document);
}

// ---- Deeply nested files are refused before TinyXML sees them ----

class DeepFile : public ConfigDirectoryTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(DeepFile, LoadsNothingQuickly)
{
    WriteBytes(nameXml(), Nested(GetParam(), Record("F", "S", "1")));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(m_file.load("name.xml"), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

INSTANTIATE_TEST_SUITE_P(XmlNesting, DeepFile, ::testing::Values(100'000, 1'000'000));

// Names and Name take two levels; 254 more make the deepest file still accepted.
TEST_F(ConfigDirectoryTest, NestingUpTo256IsAccepted)
{
    const auto file = [](std::size_t padding) {
        return "<Names><Name><f>F</f><s>S</s><r>1</r>" + Nested(padding) + "</Name></Names>";
    };
    WriteBytes(nameXml(), file(254));
    EXPECT_EQ(m_file.load("name.xml"), (NamingSettings{"F", "S", true}));
    WriteBytes(nameXml(), file(255));
    EXPECT_EQ(m_file.load("name.xml"), std::nullopt);
}

// Markup that TinyXML does not take as elements must not count, or valid files are refused.
using HiddenTagsRow = Row<std::string, NamingSettings>;

class HiddenTags : public ConfigDirectoryTest,
                   public ::testing::WithParamInterface<HiddenTagsRow> {};

TEST_P(HiddenTags, DoNotCount)
{
    WriteBytes(nameXml(), Record("F", "S", "1") + GetParam().input);
    EXPECT_EQ(m_file.load("name.xml"), GetParam().expected);
}

const std::string kOpenTags = Nested(1000).substr(0, 3000);
const NamingSettings kLoaded{"F", "S", true};

INSTANTIATE_TEST_SUITE_P(
    XmlNesting, HiddenTags,
    ::testing::Values(HiddenTagsRow{"Comment", "<!--" + kOpenTags + "-->", kLoaded},
                      HiddenTagsRow{"AttributeValue", "<x a=\"" + kOpenTags + "\"/>", kLoaded},
                      HiddenTagsRow{"Cdata", "<x><![CDATA[" + kOpenTags + "]]></x>", kLoaded},
                      HiddenTagsRow{"CharacterReference", "<x>&#" + kOpenTags + "#1;</x>",
                                    kLoaded}),
    RowName());

// ---- The bound is never below what TinyXML reaches ----

TEST(XmlNestingBound, CoversTinyXmlOnTrickyTexts)
{
    const std::string texts[] = {
        Nested(3),
        "<a>&#</a></a></a>#1;<b><c></c></b></a>",
        "<a>&#x</a>x1;<b><c/></b></a>",
        "<a x=\"</a>\" y='</a>'><b/></a>",
        "<?xml version=\"1.0\"?><a>\xC3</a><b><c/></b></a>",
        "\xEF\xBB\xBF<a>\xE3</a><b/><c/></a>",
        "\xEF\xBB\xBF<a>\xEF</a><b/><c/></a>",
        "<?xml version='1' encoding='GBK'?><a>\xC3</a><b/>",
        "<?XML encoding=\"utf8\"?><a b='\xC3'></a>'><c><d/></c></a>",
        "<a><!-- --><b><![CDATA[</b>]]><c/></b></a>",
        "<a><\xCD\xF5><\x80/></\xCD\xF5></a>",
    };
    for (const auto& text : texts) {
        EXPECT_GE(XmlNestingBound(text), ParsedDepth(text)) << ::testing::PrintToString(text);
    }
    EXPECT_EQ(XmlNestingBound(Nested(300)), 300u);
}

TEST(XmlNestingBound, CoversTinyXmlOnRandomTexts)
{
    const std::vector<std::string> pieces = {
        "<a>",          "</a>",     "<b",    "</b>",       ">",    "/>",        " ",
        "\n",           "=",        "\"",    "'",          "x",    "1",         ";",
        "&#",           "&#x",      "&amp;", "<!--",       "-->",  "<![CDATA[", "]]>",
        "<!",           "<?",       "<?xml", " encoding=", "\xC3", "\xE3",      "\xF0",
        "\xEF\xBB\xBF", "\xCD\xF5", "#",     "<",          "</",   "\xEF",
    };
    const std::vector<std::string> starts = {"", "\xEF\xBB\xBF", "<?xml version=\"1.0\"?>",
                                             "<?xml encoding=\"GBK\"?>"};
    std::mt19937 random(20240601);
    for (int round = 0; round < 20000; ++round) {
        std::string text = starts[random() % starts.size()];
        const std::size_t count = 1 + random() % 40;
        for (std::size_t i = 0; i < count; ++i) {
            text += pieces[random() % pieces.size()];
        }
        ASSERT_GE(XmlNestingBound(text), ParsedDepth(text)) << ::testing::PrintToString(text);
    }
}

} // namespace
