#pragma once

#include "poetry/poetry_corpus.h"

#include <QMenu>

// The 出处范围 submenu of the lists' menus: a checkable item for each collection of poetry the
// sources (出处) may come from.
class SourceCollectionsMenu final : public QMenu {
    Q_OBJECT

public:
    // Checks the items of `checked`.
    explicit SourceCollectionsMenu(Collections checked, QWidget* parent = nullptr);

signals:
    // The user checked or unchecked an item; `checked` are the collections checked now.
    void chosen(Collections checked);
};
