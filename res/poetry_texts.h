#pragma once

// The texts of the poetry sources and of the dialog that picks characters from poems, UTF-8.

#include <array>
#include <string_view>

namespace res {

// The window's menu item that opens the dialog.
inline constexpr std::string_view pickFromPoemsMenuItem = "从诗词选字(&P)…";
inline constexpr std::string_view poemPickerTitle = "从诗词选字";
inline constexpr std::string_view poemSearchLabel = "搜索诗句、诗题或作者(&S)：";
inline constexpr std::string_view poemResultsName = "诗句";
// %1 is the count of every match, %2 the count shown.
inline constexpr std::string_view poemMatchCount = "共 %1 句，显示前 %2 句";
inline constexpr std::string_view poemNoMatch = "没有找到诗句";
inline constexpr std::string_view poemEmptyQuery = "请输入要搜索的字";
inline constexpr std::string_view addCharactersButton = "加入靓字(&J)";
inline constexpr std::string_view closePickerButton = "关闭";
// %1 is how many characters were added.
inline constexpr std::string_view charactersAddedStatus = "已加入 %1 个字";
inline constexpr std::string_view candidatesFullStatus =
    "已加入 %1 个字。候选字已满（最多 %2 个字符），其余的字没有加入。";

// The tooltip line and the lists' menus of sources.
inline constexpr std::string_view sourceTooltipPrefix = "出处：";
inline constexpr std::string_view sourceCollectionsMenu = "出处范围(&O)";
inline constexpr std::string_view tickWithoutSourceItem = "勾选无出处的名字(&S)";
inline constexpr std::string_view sourceCsvHeading = "出处";

} // namespace res
