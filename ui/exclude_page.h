#pragma once

#include "result_page.h"

class ExclusionHost;
class ExclusionModel;

// Tab 1: the combinations with a check box on every row, to tick the names to throw out.
class CExcludePage final : public ResultPage {
    Q_OBJECT

public:
    explicit CExcludePage(ExclusionHost& host, QWidget* parent = nullptr);

    // Has the host delete the good names at the ticked row indexes; indices are matched,
    // never texts, and ticks past the end of the good names delete nothing.
    void applyExclusions();

private:
    CExcludePage(ExclusionHost& host, ExclusionModel* model, QWidget* parent);

    ExclusionHost& m_host;
    ExclusionModel* m_model;
};
