#include "ui/exclude_page.h"

#include "res/favourites_texts.h"
#include "res/list_menu_texts.h"
#include "shortlist/tick_rules.h"
#include "ui/exclusion_host.h"
#include "ui/exclusion_model.h"
#include "ui/resource_text.h"
#include "ui/uniform_list_view.h"
#include "ui/work_progress.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
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

    const std::pair<std::string_view, const char*> rules[] = {
        {res::tickRepeatedItem, "tickRepeatedAction"},
        {res::tickSameSoundItem, "tickSameSoundAction"},
        {res::tickSameToneItem, "tickSameToneAction"},
        {res::tickRareItem, "tickRareAction"},
    };
    RowPattern (*const patterns[])(const NameInsight&) = {rowsOfRepeatedCharacter,
                                                          rowsSoundingLikeAnEarlierRow,
                                                          rowsInOneTone, rowsWithRareCharacter};
    for (std::size_t i = 0; i < std::size(rules); ++i) {
        connect(addRuleAction(rules[i].first, rules[i].second), &QAction::triggered, this,
                [this, pattern = patterns[i]] { tickMatchingRows(pattern(m_model->insight())); });
    }
    connect(addRuleAction(res::avoidReadingsItem, "avoidReadingsAction"), &QAction::triggered, this,
            &CExcludePage::askAndAvoidReadings);
    connect(addRuleAction(res::invertTicksItem, "invertTicksAction"), &QAction::triggered, m_model,
            &ExclusionModel::invertTicks);
    connect(addRuleAction(res::clearTicksItem, "clearTicksAction"), &QAction::triggered, m_model,
            &ExclusionModel::clearTicks);
    m_restoreTicks = addRuleAction(res::restoreTicksItem, "restoreTicksAction");
    m_restoreTicks->setEnabled(false);
    connect(m_restoreTicks, &QAction::triggered, this, [this] {
        if (m_savedTicks)
            m_model->replaceTicks(*m_savedTicks);
    });
    QAction* undo = addRuleAction(res::undoTicksItem, "undoTicksAction", QKeySequence::Undo);
    connect(undo, &QAction::triggered, m_model, &ExclusionModel::undo);
    // Available only while there is a change to take back.
    const auto updateUndo = [this, undo] { undo->setEnabled(m_model->canUndo()); };
    connect(m_model, &QAbstractItemModel::dataChanged, undo, updateUndo);
    connect(m_model, &QAbstractItemModel::modelReset, undo, updateUndo);
    updateUndo();
}

void CExcludePage::askAndAvoidReadings()
{
    QInputDialog ask(this);
    ask.setObjectName(QStringLiteral("avoidReadingsInput"));
    ask.setWindowTitle(resourceText(res::avoidReadingsCaption));
    ask.setLabelText(resourceText(res::avoidReadingsPrompt));
    ask.setTextValue(m_avoided);
    if (ask.exec() != QDialog::Accepted)
        return;
    m_avoided = ask.textValue();
    const std::u32string characters = m_avoided.toStdU32String();
    if (!characters.empty())
        tickMatchingRows(rowsAvoiding(m_model->insight(), characters));
}

void CExcludePage::fillContainingMenu()
{
    m_containingMenu->clear();
    const QModelIndex current = list()->currentIndex();
    if (!current.isValid())
        return;
    const NameInsight& insight = m_model->insight();
    const NameList& names = insight.names();
    std::set<char32_t> seen;
    for (int position = 0; position < names.unitsPerName(); ++position) {
        const std::uint64_t unit =
            names.unitIndex(static_cast<std::uint64_t>(current.row()), position);
        for (const NameInsight::Character& character : insight.unit(unit)) {
            if (!seen.insert(character.codePoint).second)
                continue;
            QAction* item = m_containingMenu->addAction(
                QString::fromStdU32String(std::u32string(1, character.codePoint)));
            connect(item, &QAction::triggered, this, [this, codePoint = character.codePoint] {
                tickMatchingRows(rowsContaining(m_model->insight(), codePoint));
            });
        }
    }
}

bool CExcludePage::tickMatchingRows(RowPattern pattern)
{
    WorkProgress progress(this, resourceText(res::tickingProgress),
                          QStringLiteral("tickingProgress"));
    std::optional<RowSet> rows =
        matchingRows(pattern, static_cast<std::uint64_t>(m_model->rowCount()), progress.report());
    progress.finish();
    if (!rows)
        return false;
    m_model->tickAll(std::move(*rows), std::make_shared<const RowPattern>(std::move(pattern)));
    return true;
}

void CExcludePage::offerSavedTicks(std::optional<RowSet> ticks)
{
    m_savedTicks = std::move(ticks);
    m_restoreTicks->setEnabled(m_savedTicks.has_value());
}

const RowSet& CExcludePage::tickedRows() const
{
    return m_model->tickedRows();
}

void CExcludePage::applyExclusions()
{
    m_host.deleteGoodNameRows(m_model->tickedRows());
}
