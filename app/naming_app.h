#pragma once

#include <QApplication>
#include <QTranslator>

// The application object: makes sure only one copy runs, then runs the main naming window.
// Qt's own texts (standard buttons, edit menus, file dialogs) are Chinese like the window.
class CNamingApp final : public QApplication {
    Q_OBJECT

public:
    CNamingApp(int& argc, char** argv);

    // Runs the program to its end. A second copy shows a warning and ends at once. SIGTERM
    // closes the window as its close button does.
    void initInstance();

private:
    static void closeWhenOnTop(QWidget* window);

    QTranslator m_qtTexts;
};
