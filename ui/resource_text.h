#pragma once

#include <QLocale>
#include <QString>
#include <string_view>

// A UTF-8 text of the resources as display text.
inline QString resourceText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// `number` with its thousands grouped by commas, as the texts write numbers: 10,000.
inline QString groupedNumber(std::size_t number)
{
    return QLocale(QLocale::English).toString(static_cast<qulonglong>(number));
}
