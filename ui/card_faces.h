#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <string>

// The three typefaces a name card shows a name in: 楷体 as it is written by hand, 宋体 (serif)
// as it is printed and 黑体 (sans) as screens show it.
struct CardFace {
    QString style;  // 楷体, 宋体 or 黑体
    QString family; // the installed font family that stands for it
};

// The faces, looked up once among the installed fonts: 楷体 is LXGW WenKai, else AR PL UKai,
// else the serif face; 宋体 Noto Serif CJK SC, else AR PL UMing, else the serif font fontconfig
// chooses for Simplified Chinese; 黑体 Noto Sans CJK SC, else Droid Sans Fallback, else the
// sans font fontconfig chooses.
const std::array<CardFace, 3>& cardFaces();

// The first of `preferred` that is among `installed`, else an empty string.
QString firstInstalled(const QStringList& preferred, const QStringList& installed);

// The characters of `text` (UTF-8) that the font `family` itself has no glyph for, each once, in
// order; the glyphs Qt would borrow from other fonts do not count.
std::u32string missingGlyphs(const QString& family, const std::string& text);
