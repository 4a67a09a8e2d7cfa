#include "ui/source_collections_menu.h"

#include "poetry/corpus_format.h"
#include "res/poetry_texts.h"
#include "ui/resource_text.h"

SourceCollectionsMenu::SourceCollectionsMenu(Collections checked, QWidget* parent)
    : QMenu(resourceText(res::sourceCollectionsMenu), parent)
{
    setObjectName(QStringLiteral("sourceCollectionsMenu"));
    menuAction()->setObjectName(QStringLiteral("sourceCollectionsAction"));
    for (int c = 0; c < corpus_format::collectionCount; ++c) {
        QAction* item = addAction(resourceText(corpus_format::collectionNames[c]));
        item->setObjectName(QStringLiteral("sourceCollection%1Action").arg(c));
        item->setCheckable(true);
        item->setChecked(checked & (1u << c));
        connect(item, &QAction::toggled, this, [this] {
            Collections now = 0;
            const QList<QAction*> items = actions();
            for (int c = 0; c < items.size(); ++c)
                now |= items[c]->isChecked() ? 1u << c : 0u;
            emit chosen(now);
        });
    }
}
