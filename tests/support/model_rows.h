#pragma once

#include <QAbstractItemModel>
#include <QStringList>

// The display text of every row of column 0.
inline QStringList rowsOf(const QAbstractItemModel& model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row, 0).data().toString();
    return rows;
}

// The list of these UTF-8 texts.
inline QStringList names(std::initializer_list<const char*> utf8)
{
    QStringList list;
    for (const char* name : utf8)
        list << QString::fromUtf8(name);
    return list;
}
