#pragma once

// The real main window over a temporary executable directory, for tests and benchmarks.

#include "tests/support/modal_answer.h"
#include "tests/support/model_rows.h"
#include "ui/naming_dlg.h"
#include "ui/uniform_list_view.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// n CJK ideographs from U+4E00 on, all of them in code page 936, distinct up to 20,902.
inline QString ideographs(int n)
{
    QString text;
    text.reserve(n);
    for (int i = 0; i < n; ++i)
        text += QChar(0x4E00 + i % 20'902);
    return text;
}

inline QStringList rowsOf(const UniformListView* list)
{
    return rowsOf(*list->model());
}

class NamingWindow {
public:
    enum class Config { Present, Missing };

    // Opens the window at once; with Config::Missing nothing is read or kept.
    explicit NamingWindow(Config config = Config::Present)
    {
        if (config == Config::Present)
            QDir(m_directory.path()).mkdir(QStringLiteral("config"));
        open();
    }

    // Opens a new window over the same directory, as the next start of the program would.
    void open()
    {
        m_dialog = std::make_unique<CNamingDlg>(SessionFiles(settings()));
        m_dialog->show();
        m_dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(m_dialog.get()))
            qFatal("the window did not become active");
    }

    SettingsFile settings() const { return SettingsFile(m_directory.path().toStdString()); }
    QString settingsPath() const { return m_directory.filePath(QStringLiteral("config/name.xml")); }
    CNamingDlg& dialog() const { return *m_dialog; }

    template <typename Widget>
    Widget* find(const char* name) const
    {
        auto* widget = m_dialog->findChild<Widget*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    QLineEdit* surname() const { return find<QLineEdit>("surnameEdit"); }
    QLineEdit* candidates() const { return find<QLineEdit>("candidatesEdit"); }
    QRadioButton* two() const { return find<QRadioButton>("twoCharacterRadio"); }
    QRadioButton* three() const { return find<QRadioButton>("threeCharacterRadio"); }
    QTabWidget* tabs() const { return find<QTabWidget>("tabControl"); }
    UniformListView* allNames() const { return find<UniformListView>("list1057"); }
    UniformListView* exclusions() const { return find<UniformListView>("list1003"); }
    UniformListView* goodNames() const { return find<UniformListView>("list1058"); }

    void type(const QString& surnameText, const QString& candidateText) const
    {
        surname()->setText(surnameText);
        candidates()->setText(candidateText);
    }

    // Presses start; a notice, if one comes, is answered and returned.
    ModalAnswer start() const
    {
        ModalAnswer notice;
        answerNextModal(&notice, {}, 1);
        QTest::mouseClick(find<QPushButton>("startButton"), Qt::LeftButton);
        QApplication::processEvents();
        return notice;
    }

    // Ticks or unticks a row of the exclusion page with Space, as a user would.
    void tick(int row) const
    {
        UniformListView* list = exclusions();
        list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Space);
    }

private:
    QTemporaryDir m_directory;
    std::unique_ptr<CNamingDlg> m_dialog;
};
