#pragma once

// The texts of the lists' context menus and of the copy and export steps, UTF-8.

#include <string_view>

namespace res {

inline constexpr std::string_view tickContainingItem = "勾选含此字的名字(&C)";
inline constexpr std::string_view tickRepeatedItem = "勾选叠字名(&D)";
inline constexpr std::string_view tickSameSoundItem = "勾选同音名(&H)";
inline constexpr std::string_view tickSameToneItem = "勾选同声调名(&T)";
inline constexpr std::string_view tickRareItem = "勾选含生僻字的名字(&R)";
inline constexpr std::string_view tickLevelOrObliqueItem = "勾选全平或全仄的名字(&P)";
inline constexpr std::string_view tickUnseemlyHomophoneItem = "勾选谐音不雅的名字(&X)";
inline constexpr std::string_view keepGenerationItem = "保留辈分字(&G)";
// %1 is the character to keep.
inline constexpr std::string_view keepFirstCharacterItem = "第一字为「%1」";
inline constexpr std::string_view keepSecondCharacterItem = "第二字为「%1」";
inline constexpr std::string_view avoidReadingsItem = "避开读音(&B)…";
inline constexpr std::string_view invertTicksItem = "反向勾选(&I)";
inline constexpr std::string_view clearTicksItem = "全部取消勾选(&U)";
inline constexpr std::string_view undoTicksItem = "撤销(&Z)";
inline constexpr std::string_view copyItem = "复制(&Y)";
inline constexpr std::string_view exportItem = "导出(&E)…";

inline constexpr std::string_view avoidReadingsCaption = "避开读音";
inline constexpr std::string_view avoidReadingsPrompt =
    "要避开的字（如父母、祖父母的名字），其读音相同的字也会被勾选：";
inline constexpr std::string_view tickingProgress = "正在勾选…";
inline constexpr std::string_view outOfMemoryCaption = "内存不足";
inline constexpr std::string_view outOfMemoryMessage = "内存不足，这次没有改动任何勾选。";
inline constexpr std::string_view cancelButton = "取消";

inline constexpr std::string_view copyCaption = "复制";
inline constexpr std::string_view copyProgress = "正在复制…";
inline constexpr std::string_view copyTooManyMessage =
    "选中的名字超过 1,000,000 个，没有复制。请用“导出”把它们保存到文件。";

inline constexpr std::string_view exportCaption = "导出";
inline constexpr std::string_view exportFilters = "文本文件 (*.txt);;CSV 文件 (*.csv)";
inline constexpr std::string_view exportProgress = "正在导出…";
inline constexpr std::string_view exportCancelled = "导出已取消";
inline constexpr std::string_view exportFailedMessage = "无法写入 %1：%2";
inline constexpr std::string_view exportLinkRefused =
    "它是别的用户放在公共文件夹里的符号链接（或无法跟随的链接），为安全起见没有写入。";
inline constexpr std::string_view exportNotRegular = "它不是普通文件。";
inline constexpr std::string_view exportReadOnly = "文件是只读的，没有改动。";
inline constexpr std::string_view csvHeader = "名字,读音,声调,笔画,通用规范汉字,平仄,谐音";

} // namespace res
