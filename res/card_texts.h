#pragma once

// The texts of the name card and of reading a name aloud, UTF-8.

#include <string_view>

namespace res {

inline constexpr std::string_view speakItem = "朗读(&V)";
inline constexpr std::string_view nameCardItem = "名字卡片(&K)";
inline constexpr std::string_view noSpeechProgram =
    "朗读需要 espeak-ng：请安装 Debian 软件包 espeak-ng（sudo apt install espeak-ng）。";
inline constexpr std::string_view noSpeechVoice =
    "espeak-ng 缺少普通话拼音语音 cmn-latn-pinyin：请安装 Debian 软件包 espeak-ng-data"
    "（sudo apt install espeak-ng-data）。";

// %1 is the name.
inline constexpr std::string_view cardTitle = "名字卡片 — %1";
inline constexpr std::string_view speakButton = "朗读(&V)";
inline constexpr std::string_view saveImageButton = "保存图片(&S)…";
inline constexpr std::string_view printButton = "打印(&P)…";
inline constexpr std::string_view closeButton = "关闭(&C)";

inline constexpr std::string_view kaiStyle = "楷体";
inline constexpr std::string_view serifStyle = "宋体";
inline constexpr std::string_view sansStyle = "黑体";
// %1 the style, %2 the font family that shows it, %3 the characters it has no glyph for.
inline constexpr std::string_view missingGlyphWarning =
    "%1（%2）没有「%3」的字形：这个字在有些表格和系统里可能也显示或打印不出来。";
// %1 the style, %2 the font family, %3 the name.
inline constexpr std::string_view faceSpokenName = "%1 %2：%3";

inline constexpr std::string_view strokesHeading = "笔画";
inline constexpr std::string_view levelsHeading = "平仄";
inline constexpr std::string_view homophonesHeading = "谐音";
inline constexpr std::string_view sourceHeading = "出处";
inline constexpr std::string_view meaningHeading = "字义";
inline constexpr std::string_view standardHeading = "通用规范汉字";
inline constexpr std::string_view noneText = "无";
// %1 the heading, %2 its text: what a screen reader says for a line of facts.
inline constexpr std::string_view factSpokenName = "%1：%2";
// %1 the date the card was made.
inline constexpr std::string_view cardFooter = "%1 · Corvale";
inline constexpr std::string_view cardDateFormat = "yyyy年M月d日";

inline constexpr std::string_view saveImageCaption = "保存图片";
inline constexpr std::string_view imageFilters = "PNG 图片 (*.png)";

} // namespace res
