#pragma once

// The program's dialog templates: every control with its id, kind, text and rectangle in
// dialog units (1 horizontal unit = a quarter of the font's average character width,
// 1 vertical unit = an eighth of its height). Texts are UTF-8.

#include <span>
#include <string_view>

namespace res {

struct DialogRect {
    int x;
    int y;
    int width;
    int height;
};

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    Label,
    Link,
    Edit,
    RadioButton,
    TabControl,
    Icon,
};

// The styles the controls ask for.
enum ControlStyle : unsigned {
    NoStyle = 0,
    TabStop = 1 << 0,
    Group = 1 << 1,
    AlignLeft = 1 << 2,
    AlignCenter = 1 << 3,
    AlignVCenter = 1 << 4,
    WordWrap = 1 << 5,
};

constexpr int noId = -1;

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view objectName;
    std::string_view text;
    DialogRect rect;
    unsigned style;
};

struct DialogTemplate {
    int id;
    std::string_view objectName;
    std::string_view caption;
    int width;
    int height;
    std::span<const ControlTemplate> controls;
};

struct PageTemplate {
    int id;
    std::string_view objectName;
    std::string_view tabLabel;
    int width;
    int height;
    int listId;
    DialogRect listRect;
    bool listBorder;
    bool checkBoxes;
};

// Every dialog uses SimSun 9 pt, or an installed Chinese serif face in its place.
inline constexpr std::string_view dialogFontFamilies[] = {"SimSun", "NSimSun", "Noto Serif CJK SC",
                                                          "AR PL UMing CN", "serif"};
inline constexpr int dialogFontPointSize = 9;

// Main naming window (template 102). Template order is the tab order.
inline constexpr int startButtonId = 1001;
inline constexpr int tabControlId = 1030;
inline constexpr int surnameEditId = 1039;
inline constexpr int candidatesEditId = 1040;
inline constexpr int twoCharacterRadioId = 1042;
inline constexpr int threeCharacterRadioId = 1043;
inline constexpr int softwareLineId = 1060;
inline constexpr int authorLinkId = 1061;

inline constexpr ControlTemplate namingControls[] = {
    {startButtonId,
     ControlKind::DefaultPushButton,
     "startButton",
     "OK , GO ! 选靓名 !",
     {298, 63, 104, 25},
     Group | TabStop},
    {noId,
     ControlKind::Label,
     "surnameLabel",
     "贵姓：",
     {7, 7, 25, 16},
     AlignCenter | AlignVCenter | Group},
    {noId,
     ControlKind::Label,
     "candidatesLabel",
     "输入你选好的靓字：",
     {7, 35, 77, 16},
     AlignLeft | AlignVCenter | Group},
    {tabControlId, ControlKind::TabControl, "tabControl", "", {7, 93, 405, 204}, TabStop},
    {surnameEditId, ControlKind::Edit, "surnameEdit", "", {91, 7, 74, 16}, TabStop},
    {candidatesEditId, ControlKind::Edit, "candidatesEdit", "", {91, 35, 175, 16}, TabStop},
    {twoCharacterRadioId,
     ControlKind::RadioButton,
     "twoCharacterRadio",
     "两字名",
     {91, 70, 47, 18},
     NoStyle},
    {threeCharacterRadioId,
     ControlKind::RadioButton,
     "threeCharacterRadio",
     "三字名",
     {194, 70, 47, 18},
     NoStyle},
    {softwareLineId,
     ControlKind::Label,
     "softwareLine",
     "软件：Tolvane宝宝取名 版本：1.28         作者邮箱：",
     {311, 7, 75, 23},
     AlignLeft | WordWrap},
    {authorLinkId,
     ControlKind::Link,
     "authorLink",
     "corvale.author@example.com",
     {311, 31, 102, 10},
     AlignLeft | Group},
};

inline constexpr DialogTemplate namingDialog{
    102, "namingDialog", "Tolvane宝宝取名 1.28 Build_20140609", 419, 303, namingControls};

// About box (template 100).
inline constexpr ControlTemplate aboutControls[] = {
    {noId, ControlKind::Icon, "aboutIcon", "", {11, 17, 20, 20}, NoStyle},
    {noId, ControlKind::Label, "versionLine", "Corvale 1.0 版", {40, 10, 119, 8}, AlignLeft},
    {noId, ControlKind::Label, "copyrightLine", "为宝宝挑一个好名字", {40, 25, 119, 8}, AlignLeft},
    {1, ControlKind::DefaultPushButton, "okButton", "确定", {178, 7, 50, 14}, Group | TabStop},
};

inline constexpr DialogTemplate aboutDialog{100, "aboutDialog", "关于 Corvale", 235,
                                            55,  aboutControls};

// Result pages (templates 134, 132 and 133), in tab order.
inline constexpr PageTemplate allNamesPage{134,  "allNamesPage",   "所有搭配名字", 404,  230,
                                           1057, {0, 0, 404, 229}, false,          false};
inline constexpr PageTemplate excludePage{132,  "excludePage",    "排除掉名字", 404, 228,
                                          1003, {0, 0, 403, 228}, true,         true};
inline constexpr PageTemplate goodNamesPage{133,  "goodNamesPage",  "好名字", 404,  229,
                                            1058, {0, 0, 404, 229}, true,     false};

// The list column: one, left-aligned, 200 pixels wide, with an empty heading.
inline constexpr int listColumnWidth = 200;
// The reading column to its right, shown on request.
inline constexpr int readingColumnWidth = 280;

} // namespace res
