#pragma once

#include "insight/name_facts.h"
#include "poetry/poetry_corpus.h"

#include <QAbstractListModel>
#include <memory>
#include <vector>

// One column of full names drawn on demand from a NameList: nothing is stored per row. Each row
// also answers its tooltip (Qt::ToolTipRole as rich text, Qt::AccessibleDescriptionRole as plain
// lines) and reading line (ReadingRole) from the insight of the NameFacts it is given, which the
// models showing the same list share.
class NameListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { ReadingRole = Qt::UserRole + 1 };

    explicit NameListModel(QObject* parent = nullptr);

    // GBK bytes as code points; bytes that do not decode give U+FFFD.
    static std::u32string decodeGbk(std::string_view gbk);
    // Facts about `names` whose text is decoded from GBK.
    static std::shared_ptr<NameFacts> makeFacts(NameList names);

    // Replaces every row with those of `facts`; row state (ticks, deletions) starts afresh.
    void setFacts(std::shared_ptr<NameFacts> facts);
    // Replaces every row with `names`, whose facts this model alone holds.
    void setNames(NameList names) { setFacts(makeFacts(std::move(names))); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const NameList& names() const { return m_facts->names(); }
    // What the character table says about the names, gathered when first asked for.
    const NameInsight& insight() const { return m_facts->insight(); }
    // The names as UTF-8 text with their export columns, made when first asked for.
    const NameText& nameText() const { return m_facts->text(); }
    // The collections the rows' sources (出处) come from; every collection at first.
    Collections sourceCollections() const { return m_sourceCollections; }
    void setSourceCollections(Collections collections);
    // Appends the list rows that view rows [first, first + count) show to `rows`.
    virtual void sourceRows(int first, int count, std::vector<std::uint64_t>& rows) const;

protected:
    // Rows the list has before any deletion (a view counts rows in int).
    int fullRowCount() const;
    // The row of the full list that view row `row` shows.
    virtual std::uint64_t sourceRow(int row) const { return static_cast<std::uint64_t>(row); }
    virtual void clearRowState() {}

private:
    // The source text of list row `row`, read from the corpus on first use.
    std::string sourceText(std::uint64_t row) const;
    // The tooltip lines of row `row`, plain text.
    std::string tooltipText(std::uint64_t row) const;

    std::shared_ptr<NameFacts> m_facts; // never null
    Collections m_sourceCollections = allCollections;
};
