#pragma once

#include "insight/name_insight.h"
#include "insight/name_text.h"
#include "naming/name_list.h"

#include <QAbstractListModel>
#include <memory>
#include <vector>

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

    const NameList& names() const { return m_names; }
    // What the character table says about the names, gathered when first asked for after a fill.
    const NameInsight& insight() const;
    // The names as UTF-8 text with their export columns, made when first asked for after a fill.
    const NameText& nameText() const;
    // Appends the list rows that view rows [first, first + count) show to `rows`.
    virtual void sourceRows(int first, int count, std::vector<std::uint64_t>& rows) const;

protected:
    // Rows the list has before any deletion (a view counts rows in int).
    int fullRowCount() const;
    // The row of the full list that view row `row` shows.
    virtual std::uint64_t sourceRow(int row) const { return static_cast<std::uint64_t>(row); }
    virtual void clearRowState() {}

private:
    NameList m_names;
    mutable std::shared_ptr<const NameInsight> m_insight;
    mutable std::unique_ptr<NameText> m_text;
};
