#include "ui/name_card_actions.h"

#include "res/card_texts.h"
#include "ui/name_card_dlg.h"
#include "ui/name_speaker.h"
#include "ui/resource_text.h"

#include <QAbstractItemView>
#include <QAction>
#include <QChildEvent>
#include <QMenu>

namespace {

// Shows the tooltips of the actions (what to install for 朗读) in the menus a widget opens: an
// actions context menu is a new QMenu child of its widget each time, polished before it shows.
class MenuToolTips final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildPolished) {
            if (auto* menu = qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child()))
                menu->setToolTipsVisible(true);
        }
        return QObject::eventFilter(watched, event);
    }
};

// The row the actions act on, or -1 for an empty list.
int currentRow(const QAbstractItemView* list)
{
    if (list->model()->rowCount() == 0)
        return -1;
    return std::max(list->currentIndex().row(), 0);
}

QAction* addAction(QAbstractItemView* list, std::string_view text, const char* objectName)
{
    auto* action = new QAction(resourceText(text), list);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    list->addAction(action);
    return action;
}

} // namespace

void addNameCardActions(QAbstractItemView* list, std::function<CardText(int row)> cardOf)
{
    list->installEventFilter(new MenuToolTips(list));
    QAction* speak = addAction(list, res::speakItem, "speakAction");
    NameSpeaker::shared().follow(speak);
    QObject::connect(speak, &QAction::triggered, list, [list, cardOf] {
        if (const int row = currentRow(list); row >= 0)
            NameSpeaker::shared().speak(cardOf(row).spoken);
    });
    QObject::connect(addAction(list, res::nameCardItem, "nameCardAction"), &QAction::triggered,
                     list, [list, cardOf] {
                         const int row = currentRow(list);
                         if (row < 0)
                             return;
                         CNameCardDlg card(list->model()->rowCount(), cardOf, row, list->window());
                         card.exec();
                     });
}
