#pragma once

#include <QApplication>

// The application object: makes sure only one copy runs, then runs the main naming window.
class CNamingApp final : public QApplication {
    Q_OBJECT

public:
    CNamingApp(int& argc, char** argv);

    // Runs the program to its end. A second copy shows a warning and ends at once.
    void initInstance();
};
