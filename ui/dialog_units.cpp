#include "ui/dialog_units.h"

#include "ui/resource_text.h"

#include <QFontMetrics>
#include <QStringList>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>((product >= 0 ? product + c / 2 : product - c / 2) / c);
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // The average width is the alphabet's width over 26, rounded, then halved.
    m_baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    m_baseY = metrics.height();
}

int DialogUnits::toPixelsX(int units) const
{
    return mulDiv(units, m_baseX, 4);
}

int DialogUnits::toPixelsY(int units) const
{
    return mulDiv(units, m_baseY, 8);
}

QRect DialogUnits::toPixels(const res::DialogRect& rect) const
{
    const int left = toPixelsX(rect.x);
    const int top = toPixelsY(rect.y);
    return QRect(QPoint(left, top),
                 QPoint(toPixelsX(rect.x + rect.width) - 1, toPixelsY(rect.y + rect.height) - 1));
}

QSize DialogUnits::toPixels(int width, int height) const
{
    return QSize(toPixelsX(width), toPixelsY(height));
}

QFont dialogFont()
{
    QStringList families;
    for (const std::string_view family : res::dialogFontFamilies)
        families << resourceText(family);
    QFont font(families.first(), res::dialogFontPointSize);
    font.setFamilies(families);
    font.setStyleHint(QFont::Serif);
    return font;
}
