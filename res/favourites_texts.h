#pragma once

// The texts of the favourites: the 收藏 tab, its menu and messages, the PDF, and the restored
// ticks, UTF-8.

#include <string_view>

namespace res {

inline constexpr std::string_view favouritesTabLabel = "收藏";
inline constexpr std::string_view addFavouritesItem = "加入收藏(&F)";
inline constexpr std::string_view removeFavouritesItem = "移出收藏(&R)";
inline constexpr std::string_view importFavouritesItem = "导入收藏(&M)…";
inline constexpr std::string_view restoreTicksItem = "恢复上次的勾选(&L)";

inline constexpr std::string_view favouritesCaption = "收藏";
// %1 is the most names the favourites hold.
inline constexpr std::string_view tooManyToAddMessage =
    "选中的名字超过 %1 个，没有加入收藏。请少选一些。";
inline constexpr std::string_view addedMessage = "已加入收藏 %1 个名字。";
// %1 is how many names were left out, %2 and %3 the fewest and most characters of a name.
inline constexpr std::string_view notAddedNames = "%1 个不是 %2 到 %3 个汉字的名字没有加入。";
// %1 is the most names the favourites hold, %2 the names left out.
inline constexpr std::string_view favouritesFullMessage =
    "收藏最多 %1 个名字，已满：%2 个名字没有加入。";
inline constexpr std::string_view importCaption = "导入收藏";
inline constexpr std::string_view importFilters = "文本文件 (*.txt);;CSV 文件 (*.csv)";
inline constexpr std::string_view importedMessage =
    "导入了 %1 个新名字，合并了 %2 条备注，跳过了 %3 行不是名字的内容。";
// %1 is the file, %2 the most megabytes an import reads.
inline constexpr std::string_view importUnreadableMessage =
    "无法读取 %1（不是普通文件或超过 %2 MB）。";
inline constexpr std::string_view importEncodingMessage =
    "没有从 %1 导入名字：它不是 UTF-8、带字节顺序标记的 UTF-16 或 GBK 编码的文本。";
inline constexpr std::string_view importWithoutNameColumn =
    "这个 CSV 文件的第一行没有“名字”一列，所以没有读入任何名字。";
// %1 is how many notes were cut, %2 the note limit in bytes.
inline constexpr std::string_view importNotesCut =
    "%1 条备注超过了备注的长度上限（%2 字节），只保留了前面的部分。";
inline constexpr std::string_view favouritesExportFilters =
    "文本文件 (*.txt);;CSV 文件 (*.csv);;PDF 文件 (*.pdf)";
inline constexpr std::string_view damagedFavouritesMessage =
    "收藏文件 %1 无法读取，已改名为 %2 留作备份。收藏从空白开始。";
inline constexpr std::string_view stuckFavouritesMessage =
    "收藏文件 %1 无法读取，也无法改名留作备份。为了不覆盖它，本次对收藏的修改不会保存。";
inline constexpr std::string_view savingFavouritesFailedMessage =
    "无法保存收藏文件 %1，刚才的修改只在本次运行中有效。";
inline constexpr std::string_view inaccessibleFavouritesMessage =
    "无法打开收藏文件 %1（可能没有读取权限），收藏无法读取。"
    "为了不覆盖它，本次对收藏的修改不会保存，这个文件保持原样。";
// %1 is the file, %2 the name it has now.
inline constexpr std::string_view replacedFavouritesMessage =
    "收藏文件 %1 被改得无法读取，已改名为 %2 留作备份；现在的收藏保存到 %1。";
// %1 is the file, %2 the most megabytes and %3 the most names it holds.
inline constexpr std::string_view tooBigFavouritesMessage =
    "收藏没有保存：保存后的 %1 会超过 %2 MB 或 %3 个名字，程序将无法读回。这个文件保持原样；"
    "现在的收藏仍在本次运行中，移出一些名字或缩短备注后，下一次保存会写入全部收藏。";

inline constexpr std::string_view pdfTitle = "收藏的名字";
// Droid Sans Fallback gives each code point a glyph of its own. Noto Sans CJK draws a Kangxi
// radical and its ideograph with one glyph, and Qt's PDF writer then maps that glyph back to the
// radical, so that text copied from the PDF would hold ⼀ (U+2F00) for 一; it serves only as
// the fallback for what the first font lacks.
inline constexpr std::string_view pdfFontFamily = "Droid Sans Fallback";
inline constexpr std::string_view pdfFallbackFontFamily = "Noto Sans CJK SC";

} // namespace res
