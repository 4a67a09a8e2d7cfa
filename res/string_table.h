#pragma once

// The program's own texts, UTF-8.

#include <string_view>

namespace res {

// String 101: the about item of the window's menu.
inline constexpr std::string_view aboutMenuItem = "关于 Corvale(&A)...";
// The checkable item of the lists' menu that shows the reading column.
inline constexpr std::string_view showReadingMenuItem = "显示读音";

inline constexpr std::string_view alreadyRunningMessage = "程序正在运行中!";
inline constexpr std::string_view emptyInputMessage = "  请输入贵姓和您选好的字!  ";
inline constexpr std::string_view emptyInputCaption = "提示";

// What screen readers call the names column of the result lists, whose heading is empty.
inline constexpr std::string_view nameColumnSpokenHeading = "名字";
// What screen readers call the reading column, whose heading is empty too.
inline constexpr std::string_view readingColumnSpokenHeading = "读音";

// Opened in the browser by a click on the author link.
inline constexpr std::string_view webMailHomePage = "https://mail.163.com/";

// The system-wide marker of a running copy.
inline constexpr std::string_view instanceMarkerName = "IDD_CORVALE_DIALOG";

// Icon 128, compiled in from res/icons.
inline constexpr std::string_view programIcon = ":/icons/corvale.png";

} // namespace res
