#pragma once

#include "result_page.h"

class ExclusionHost;
class ExclusionModel;

// Tab 1: the combinations with a check box on every row, to tick the names to throw out.
class CExcludePage final : public ResultPage {
    Q_OBJECT

public:
    explicit CExcludePage(ExclusionHost& host, QWidget* parent = nullptr);

    // Walks the ticked rows from the last to the first and has the host delete the good
    // name with the same row index; indices are matched, never texts.
    void applyExclusions();

private:
    CExcludePage(ExclusionHost& host, ExclusionModel* model, QWidget* parent);

    ExclusionHost& m_host;
    ExclusionModel* m_model;
};
