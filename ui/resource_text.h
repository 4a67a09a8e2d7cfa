#pragma once

#include <QString>
#include <string_view>

// A UTF-8 text of the resources as display text.
inline QString resourceText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
