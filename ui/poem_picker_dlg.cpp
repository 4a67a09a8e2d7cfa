#include "ui/poem_picker_dlg.h"

#include "codec/gbk_codec.h"
#include "hanzi/ideograph.h"
#include "poetry/poetry_corpus.h"
#include "res/poetry_texts.h"
#include "ui/program_icon.h"
#include "ui/resource_text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int lineRole = Qt::UserRole;

bool encodableInGbk(char32_t c)
{
    const QString text = QString::fromUcs4(&c, 1);
    return GbkCodec::decode(GbkCodec::encode(text)) == text;
}

} // namespace

PoemCharacters withPoemCharacters(const QString& candidates, const QStringList& lines,
                                  int maxLength)
{
    std::u32string result = candidates.toStdU32String();
    PoemCharacters added;
    qsizetype length = candidates.size();
    for (const QString& line : lines) {
        for (const char32_t c : line.toStdU32String()) {
            if (!isIdeograph(c) || result.find(c) != std::u32string::npos || !encodableInGbk(c))
                continue;
            const qsizetype units = QChar::requiresSurrogates(c) ? 2 : 1;
            if (length + units > maxLength) {
                added.full = true;
                continue;
            }
            result += c;
            length += units;
            ++added.added;
        }
    }
    added.text = QString::fromStdU32String(result);
    return added;
}

CPoemPickerDlg::CPoemPickerDlg(const PoetryCorpus& corpus, QLineEdit* candidates, QWidget* parent)
    : QDialog(parent)
    , m_corpus(corpus)
    , m_candidates(candidates)
{
    setObjectName(QStringLiteral("poemPickerDialog"));
    setWindowTitle(resourceText(res::poemPickerTitle));
    setWindowIcon(programIcon());

    auto* label = new QLabel(resourceText(res::poemSearchLabel), this);
    m_query = new QLineEdit(this);
    m_query->setObjectName(QStringLiteral("poemSearchField"));
    label->setBuddy(m_query);
    QString name = label->text().remove(QStringLiteral("(&S)"));
    name.chop(1); // the closing colon
    m_query->setAccessibleName(name);

    m_count = new QLabel(resourceText(res::poemEmptyQuery), this);
    m_count->setObjectName(QStringLiteral("poemMatchCount"));
    m_count->setAccessibleName(m_count->text());

    m_results = new QListWidget(this);
    m_results->setObjectName(QStringLiteral("poemResults"));
    m_results->setAccessibleName(resourceText(res::poemResultsName));
    m_results->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_results->setUniformItemSizes(true);

    auto* buttons = new QDialogButtonBox(this);
    m_add =
        buttons->addButton(resourceText(res::addCharactersButton), QDialogButtonBox::ActionRole);
    m_add->setObjectName(QStringLiteral("addCharactersButton"));
    m_add->setEnabled(false);
    auto* close =
        buttons->addButton(resourceText(res::closePickerButton), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closePickerButton"));
    m_add->setAutoDefault(false);
    close->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_query);
    layout->addWidget(m_count);
    layout->addWidget(m_results, 1);
    layout->addWidget(buttons);
    resize(640, 480);

    connect(m_query, &QLineEdit::textChanged, this, &CPoemPickerDlg::search);
    connect(m_results, &QListWidget::itemSelectionChanged, this,
            [this] { m_add->setEnabled(!m_results->selectedItems().isEmpty()); });
    connect(m_results, &QListWidget::itemActivated, this, &CPoemPickerDlg::addSelectedCharacters);
    connect(m_add, &QPushButton::clicked, this, &CPoemPickerDlg::addSelectedCharacters);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_query->setFocus();
}

void CPoemPickerDlg::search(const QString& query)
{
    const PoetryCorpus::SearchResult found =
        m_corpus.search(query.trimmed().toStdU32String(), shownLines);
    m_results->clear();
    for (const std::uint32_t line : found.lines) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_corpus.sourceText(line)));
        item->setData(lineRole, QString::fromStdString(m_corpus.lineText(line)));
        m_results->addItem(item);
    }
    if (query.trimmed().isEmpty())
        m_count->setText(resourceText(res::poemEmptyQuery));
    else if (found.count == 0)
        m_count->setText(resourceText(res::poemNoMatch));
    else
        m_count->setText(
            resourceText(res::poemMatchCount).arg(found.count).arg(found.lines.size()));
    m_count->setAccessibleName(m_count->text());
    if (m_results->count() > 0)
        m_results->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void CPoemPickerDlg::addSelectedCharacters()
{
    QStringList lines;
    for (int row = 0; row < m_results->count(); ++row) {
        if (m_results->item(row)->isSelected())
            lines.append(m_results->item(row)->data(lineRole).toString());
    }
    const PoemCharacters added =
        withPoemCharacters(m_candidates->text(), lines, m_candidates->maxLength());
    m_candidates->setText(added.text);
    m_count->setText(added.full ? resourceText(res::candidatesFullStatus)
                                      .arg(added.added)
                                      .arg(m_candidates->maxLength())
                                : resourceText(res::charactersAddedStatus).arg(added.added));
    m_count->setAccessibleName(m_count->text());
}
