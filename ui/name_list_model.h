#pragma once

#include "name_insight.h"
#include "name_list.h"

#include <QAbstractListModel>
#include <memory>

// One column of full names drawn on demand from a NameList: nothing is stored per row. Each row
// also answers its tooltip (Qt::ToolTipRole) and reading line (ReadingRole) from a NameInsight
// that is built on the first such question after a fill, or shared with another model showing
// the same names.
class NameListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { ReadingRole = Qt::UserRole + 1 };

    explicit NameListModel(QObject* parent = nullptr);

    // Replaces every row; row state (ticks, deletions) starts afresh.
    void setNames(NameList names);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    // Rows the list has before any deletion (a view counts rows in int).
    int fullRowCount() const;
    // The row of the full list that view row `row` shows.
    virtual std::uint64_t sourceRow(int row) const { return static_cast<std::uint64_t>(row); }
    virtual void clearRowState() {}

private:
    const NameInsight& insight() const;

    NameList m_names;
    mutable std::shared_ptr<const NameInsight> m_insight;
};
