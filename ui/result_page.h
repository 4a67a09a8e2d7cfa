#pragma once

#include "dialog_templates.h"
#include "name_combiner.h"

#include <QWidget>
#include <string_view>

class NameListModel;
class UniformListView;

// A tab page holding one single-column list of full names, filled from the engine.
class ResultPage : public QWidget {
    Q_OBJECT

public:
    // Deletes every row, then shows the names of the combination; the three pages filled
    // from the same inputs are identical row for row. Texts are GBK bytes.
    void fillNames(std::string_view surname, std::string_view candidates, NameMode mode);

    UniformListView* list() const { return m_list; }

protected:
    // The page takes ownership of `model`.
    ResultPage(const res::PageTemplate& page, NameListModel* model, QWidget* parent);

private:
    NameListModel* m_model;
    UniformListView* m_list;
};
