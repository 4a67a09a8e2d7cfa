#include "exclude_page.h"

#include "exclusion_host.h"
#include "exclusion_model.h"
#include "list_menu_texts.h"
#include "resource_text.h"
#include "tick_rules.h"
#include "uniform_list_view.h"

#include <QAction>
#include <QMenu>
#include <QProgressDialog>
#include <set>

CExcludePage::CExcludePage(ExclusionHost& host, QWidget* parent)
    : CExcludePage(host, new ExclusionModel, parent)
{
}

CExcludePage::CExcludePage(ExclusionHost& host, ExclusionModel* model, QWidget* parent)
    : ResultPage(res::excludePage, model, parent)
    , m_host(host)
    , m_model(model)
{
    createRuleActions();
}

QAction* CExcludePage::addRuleAction(std::string_view text, const char* objectName,
                                     const QKeySequence& shortcut)
{
    QAction* action = addListAction(text, shortcut);
    action->setObjectName(QLatin1String(objectName));
    // The rules come before the items every page shares.
    list()->removeAction(action);
    list()->insertAction(firstSharedAction(), action);
    return action;
}

void CExcludePage::createRuleActions()
{
    QAction* containing = addRuleAction(res::tickContainingItem, "tickContainingAction");
    m_containingMenu = new QMenu(this);
    m_containingMenu->setObjectName(QStringLiteral("tickContainingMenu"));
    containing->setMenu(m_containingMenu);
    connect(m_containingMenu, &QMenu::aboutToShow, this, &CExcludePage::fillContainingMenu);

    connect(addRuleAction(res::tickRepeatedItem, "tickRepeatedAction"), &QAction::triggered, this,
            [this] {
                tickMatchingRows(
                    rowsOfRepeatedCharacter(m_model->names(), m_model->nameText().units()));
            });
    connect(addRuleAction(res::invertTicksItem, "invertTicksAction"), &QAction::triggered, m_model,
            &ExclusionModel::invertTicks);
    connect(addRuleAction(res::clearTicksItem, "clearTicksAction"), &QAction::triggered, m_model,
            &ExclusionModel::clearTicks);
    connect(addRuleAction(res::undoTicksItem, "undoTicksAction", QKeySequence::Undo),
            &QAction::triggered, m_model, &ExclusionModel::undo);
}

void CExcludePage::fillContainingMenu()
{
    m_containingMenu->clear();
    const QModelIndex current = list()->currentIndex();
    if (!current.isValid())
        return;
    const NameList& names = m_model->names();
    const NameUnits& units = m_model->nameText().units();
    std::set<char32_t> seen;
    for (int position = 0; position < names.unitsPerName(); ++position) {
        const std::uint64_t unit =
            names.unitIndex(static_cast<std::uint64_t>(current.row()), position);
        for (const char32_t character : units.units[unit]) {
            if (!seen.insert(character).second)
                continue;
            QAction* item = m_containingMenu->addAction(
                QString::fromStdU32String(std::u32string(1, character)));
            connect(item, &QAction::triggered, this, [this, character] {
                tickMatchingRows(
                    rowsContaining(m_model->names(), m_model->nameText().units(), character));
            });
        }
    }
}

bool CExcludePage::tickMatchingRows(const RowPattern& pattern)
{
    QProgressDialog progress(resourceText(res::tickingProgress), resourceText(res::cancelButton), 0,
                             1000, this);
    progress.setObjectName(QStringLiteral("tickingProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const std::optional<RowSet> rows = matchingRows(
        pattern, static_cast<std::uint64_t>(m_model->rowCount()), [&progress](double done) {
            progress.setValue(static_cast<int>(done * 1000));
            return !progress.wasCanceled();
        });
    progress.reset();
    if (!rows)
        return false;
    m_model->tickAll(*rows);
    return true;
}

void CExcludePage::applyExclusions()
{
    m_host.deleteGoodNameRows(m_model->tickedRows());
}
