#pragma once

#include "shortlist/favourites_file.h"

#include <QDate>
#include <QString>
#include <vector>

// Writes an A4 PDF of `favourites`, whole or not at all: the title 收藏的名字 and `date`, then
// per favourite its name in large type and a line for each fact column and the note that it
// has. The CJK font is embedded and the text is real text. A favourite never starts on one
// page and ends on the next. Returns an empty string on success, else why it failed.
QString writeFavouritesPdf(const QString& path, const std::vector<ExportedFavourite>& favourites,
                           const QDate& date);
