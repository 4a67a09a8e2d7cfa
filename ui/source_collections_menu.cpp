#include "ui/source_collections_menu.h"

#include "poetry/collections.h"
#include "res/poetry_texts.h"
#include "ui/resource_text.h"

SourceCollectionsMenu::SourceCollectionsMenu(Collections checked, QWidget* parent)
    : QMenu(resourceText(res::sourceCollectionsMenu), parent)
{
    setObjectName(QStringLiteral("sourceCollectionsMenu"));
    menuAction()->setObjectName(QStringLiteral("sourceCollectionsAction"));
    for (std::size_t c = 0; c < collections.size(); ++c) {
        QAction* item = addAction(resourceText(collections[c].name));
        item->setObjectName(QStringLiteral("sourceCollection%1Action").arg(c));
        item->setCheckable(true);
        item->setChecked(checked & collections[c].bit);
        connect(item, &QAction::toggled, this, [this] {
            Collections now = 0;
            const QList<QAction*> items = actions();
            for (std::size_t c = 0; c < collections.size(); ++c)
                now |= items[c]->isChecked() ? collections[c].bit : Collections{0};
            emit chosen(now);
        });
    }
}
