#pragma once

#include <QDialog>

class PoetryCorpus;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// 从诗词选字: searches the lines of every collection by their text, title or author as the
// parent types, lists the first 500 with their source and the count of all, and appends the
// characters of the selected lines to the candidate field.
class CPoemPickerDlg final : public QDialog {
    Q_OBJECT

public:
    // `candidates` is the window's candidate field, which 加入靓字 extends.
    CPoemPickerDlg(const PoetryCorpus& corpus, QLineEdit* candidates, QWidget* parent = nullptr);

    // At most this many lines are listed.
    static constexpr std::size_t shownLines = 500;

private:
    void search(const QString& query);
    void addSelectedCharacters();

    const PoetryCorpus& m_corpus;
    QLineEdit* m_candidates;
    QLineEdit* m_query;
    QLabel* m_count;
    QListWidget* m_results;
    QPushButton* m_add;
};

// What 加入靓字 makes of the candidates.
struct PoemCharacters {
    QString text;      // the candidates and the characters added
    int added = 0;     // how many characters were added
    bool full = false; // whether a character was left out for want of room
};

// `candidates` followed by the characters of `lines` that are Chinese ideographs, encodable
// in code page 936 and not yet in it, each once, in order, while the text stays within
// `maxLength` UTF-16 units (the field's limit).
PoemCharacters withPoemCharacters(const QString& candidates, const QStringList& lines,
                                  int maxLength);
