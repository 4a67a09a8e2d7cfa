#pragma once

#include "ui/result_page.h"

// Tab 0: every combination.
class CAllNamesPage final : public ResultPage {
    Q_OBJECT

public:
    explicit CAllNamesPage(QWidget* parent = nullptr);
};
