#include "ui/exclude_page.h"

#include "insight/name_insight.h"
#include "poetry/embedded_corpus.h"
#include "res/favourites_texts.h"
#include "res/list_menu_texts.h"
#include "res/poetry_texts.h"
#include "shortlist/tick_rules.h"
#include "ui/exclusion_host.h"
#include "ui/exclusion_model.h"
#include "ui/resource_text.h"
#include "ui/uniform_list_view.h"
#include "ui/work_progress.h"

#include <QAction>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <limits>
#include <new>
#include <set>
#include <span>

namespace {

// The share of the progress bar that finding the names without a source takes: at n = 32,767,
// about four fifths of the rule's time.
constexpr double sourcePatternShare = 0.8;

} // namespace

CExcludePage::CExcludePage(ExclusionHost& host, TickRecord& ticks, QWidget* parent)
    : CExcludePage(host, new ExclusionModel(ticks), parent)
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
    m_containingMenu = addRuleMenu(res::tickContainingItem, "tickContainingAction",
                                   "tickContainingMenu", &CExcludePage::fillContainingMenu);

    const std::pair<std::string_view, const char*> rules[] = {
        {res::tickRepeatedItem, "tickRepeatedAction"},
        {res::tickSameSoundItem, "tickSameSoundAction"},
        {res::tickSameToneItem, "tickSameToneAction"},
        {res::tickRareItem, "tickRareAction"},
        {res::tickLevelOrObliqueItem, "tickLevelOrObliqueAction"},
        {res::tickUnseemlyHomophoneItem, "tickUnseemlyHomophoneAction"},
    };
    RowPattern (*const patterns[])(const NameInsight&) = {
        rowsOfRepeatedCharacter, rowsSoundingLikeAnEarlierRow, rowsInOneTone,
        rowsWithRareCharacter,   rowsAllLevelOrAllOblique,     rowsWithUnseemlyHomophone};
    for (std::size_t i = 0; i < std::size(rules); ++i) {
        connect(addRuleAction(rules[i].first, rules[i].second), &QAction::triggered, this,
                [this, pattern = patterns[i]] {
                    tickRule([&] { return pattern(m_model->insight()); });
                });
    }
    connect(addRuleAction(res::tickWithoutSourceItem, "tickWithoutSourceAction"),
            &QAction::triggered, this, [this] {
                tickRule(
                    [this](const Progress& progress) {
                        return rowsWithoutSource(m_model->insight(), embeddedCorpus(),
                                                 m_model->sourceCollections(), progress);
                    },
                    sourcePatternShare);
            });
    connect(addRuleAction(res::avoidReadingsItem, "avoidReadingsAction"), &QAction::triggered, this,
            &CExcludePage::askAndAvoidReadings);
    m_generationMenu = addRuleMenu(res::keepGenerationItem, "keepGenerationAction",
                                   "keepGenerationMenu", &CExcludePage::fillGenerationMenu);
    connect(addRuleAction(res::invertTicksItem, "invertTicksAction"), &QAction::triggered, this,
            [this] {
                withinMemory([this] {
                    m_model->invertTicks();
                    return true;
                });
            });
    connect(addRuleAction(res::clearTicksItem, "clearTicksAction"), &QAction::triggered, this,
            [this] {
                withinMemory([this] {
                    m_model->clearTicks();
                    return true;
                });
            });
    m_restoreTicks = addRuleAction(res::restoreTicksItem, "restoreTicksAction");
    m_restoreTicks->setEnabled(false);
    connect(m_restoreTicks, &QAction::triggered, this, [this] {
        withinMemory([this] {
            if (m_savedTicks)
                m_model->replaceTicks(*m_savedTicks);
            return true;
        });
    });
    QAction* undo = addRuleAction(res::undoTicksItem, "undoTicksAction", QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] {
        withinMemory([this] {
            m_model->undo();
            return true;
        });
    });
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
    // The field takes any length: by default a line edit cuts what follows character 32,767.
    ask.setInputMode(QInputDialog::TextInput);
    if (auto* field = ask.findChild<QLineEdit*>())
        field->setMaxLength(std::numeric_limits<int>::max());
    ask.setTextValue(m_avoided);
    if (ask.exec() != QDialog::Accepted)
        return;
    m_avoided = ask.textValue();
    const std::u32string characters = m_avoided.toStdU32String();
    if (!characters.empty())
        tickRule([&] { return rowsAvoiding(m_model->insight(), characters); });
}

QMenu* CExcludePage::addRuleMenu(std::string_view text, const char* objectName,
                                 const char* menuName, void (CExcludePage::*fill)())
{
    QAction* action = addRuleAction(text, objectName);
    auto* menu = new QMenu(this);
    menu->setObjectName(QLatin1String(menuName));
    action->setMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, fill);
    return menu;
}

template <typename Each>
void CExcludePage::forEachCurrentUnit(Each each)
{
    const QModelIndex current = list()->currentIndex();
    if (!current.isValid())
        return;
    const NameInsight& insight = m_model->insight();
    const NameList& names = insight.names();
    for (int position = 0; position < names.unitsPerName(); ++position)
        each(position,
             insight.unit(names.unitIndex(static_cast<std::uint64_t>(current.row()), position)));
}

void CExcludePage::fillContainingMenu()
{
    m_containingMenu->clear();
    std::set<char32_t> seen;
    forEachCurrentUnit([&](int, std::span<const NameInsight::Character> unit) {
        for (const NameInsight::Character& character : unit) {
            if (!seen.insert(character.codePoint).second)
                continue;
            QAction* item = m_containingMenu->addAction(
                QString::fromStdU32String(std::u32string(1, character.codePoint)));
            connect(item, &QAction::triggered, this, [this, codePoint = character.codePoint] {
                tickRule([&] { return rowsContaining(m_model->insight(), codePoint); });
            });
        }
    });
}

void CExcludePage::fillGenerationMenu()
{
    m_generationMenu->clear();
    forEachCurrentUnit([this](int position, std::span<const NameInsight::Character> unit) {
        if (unit.size() != 1)
            return; // not one character, such as two letters
        const char32_t codePoint = unit[0].codePoint;
        const QString text =
            resourceText(position == 0 ? res::keepFirstCharacterItem : res::keepSecondCharacterItem)
                .arg(QString::fromStdU32String(std::u32string(1, codePoint)));
        connect(m_generationMenu->addAction(text), &QAction::triggered, this,
                [this, position, codePoint] {
                    tickRule([&] {
                        return rowsWithoutCharacterAt(m_model->insight(), position, codePoint);
                    });
                });
    });
}

bool CExcludePage::tickRule(const std::function<RowPattern()>& makePattern)
{
    return tickRule([&makePattern](const Progress&) { return makePattern(); }, 0);
}

bool CExcludePage::tickRule(
    const std::function<std::optional<RowPattern>(const Progress&)>& makePattern,
    double patternShare)
{
    return withinMemory([&] {
        WorkProgress progress(this, resourceText(res::tickingProgress),
                              QStringLiteral("tickingProgress"));
        std::optional<RowPattern> pattern = makePattern(progress.report(0, patternShare));
        const bool ticked =
            pattern && m_model->tickAll(std::make_shared<const RowPattern>(std::move(*pattern)),
                                        progress.report(patternShare, 1));
        progress.finish();
        return ticked;
    });
}

bool CExcludePage::withinMemory(const std::function<bool()>& change)
{
    try {
        return change();
    } catch (const std::bad_alloc&) {
        // Whatever the change took is free again here.
        QMessageBox box(QMessageBox::Warning, resourceText(res::outOfMemoryCaption),
                        resourceText(res::outOfMemoryMessage), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("outOfMemoryNotice"));
        box.exec();
        return false;
    }
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
    m_host.deleteGoodNameRows(m_model->names(), m_model->tickedRows());
}
