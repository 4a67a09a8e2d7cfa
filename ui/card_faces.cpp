#include "ui/card_faces.h"

#include "res/card_texts.h"
#include "ui/resource_text.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QRawFont>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace {

// The family fontconfig matches for `pattern` ("serif:lang=zh-cn"), or an empty string.
QString fontconfigMatch(const char* pattern)
{
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> asked(
        FcNameParse(reinterpret_cast<const FcChar8*>(pattern)), &FcPatternDestroy);
    if (!asked)
        return {};
    FcConfigSubstitute(nullptr, asked.get(), FcMatchPattern);
    FcDefaultSubstitute(asked.get());
    FcResult result = FcResultNoMatch;
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> found(
        FcFontMatch(nullptr, asked.get(), &result), &FcPatternDestroy);
    FcChar8* family = nullptr;
    if (!found || FcPatternGetString(found.get(), FC_FAMILY, 0, &family) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(family));
}

QString familyOf(const QStringList& preferred, const char* pattern)
{
    const QString installed = firstInstalled(preferred, QFontDatabase::families());
    return installed.isEmpty() ? fontconfigMatch(pattern) : installed;
}

} // namespace

QString firstInstalled(const QStringList& preferred, const QStringList& installed)
{
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return {};
}

const std::array<CardFace, 3>& cardFaces()
{
    static const std::array<CardFace, 3> faces = [] {
        const QString serif =
            familyOf({QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")},
                     "serif:lang=zh-cn");
        const QString kai =
            firstInstalled({QStringLiteral("LXGW WenKai"), QStringLiteral("AR PL UKai CN")},
                           QFontDatabase::families());
        return std::array<CardFace, 3>{
            CardFace{resourceText(res::kaiStyle), kai.isEmpty() ? serif : kai},
            CardFace{resourceText(res::serifStyle), serif},
            CardFace{resourceText(res::sansStyle), familyOf({QStringLiteral("Noto Sans CJK SC"),
                                                             QStringLiteral("Droid Sans Fallback")},
                                                            "sans-serif:lang=zh-cn")}};
    }();
    return faces;
}

std::u32string missingGlyphs(const QString& family, const std::string& text)
{
    // Reading a font's character map takes a while; a card asks for the same few families.
    static QHash<QString, QRawFont> fonts;
    auto font = fonts.find(family);
    if (font == fonts.end())
        font = fonts.insert(family, QRawFont::fromFont(QFont(family)));
    std::u32string missing;
    for (const char32_t character : QString::fromStdString(text).toStdU32String()) {
        if (!font->supportsCharacter(character) && missing.find(character) == std::u32string::npos)
            missing += character;
    }
    return missing;
}
