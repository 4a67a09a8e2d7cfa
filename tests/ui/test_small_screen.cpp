// Runs twice: on the tests' usual 1280 x 900 screen and, with QT_SCALE_FACTOR=2, on the same
// screen too small for the window.
#include "../support/naming_window.h"
#include "dialog_templates.h"
#include "resource_text.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

class TestSmallScreen final : public QObject {
    Q_OBJECT

private slots:
    void windowStaysInsideTheScreen();
    void everyControlCanBeReached_data();
    void everyControlCanBeReached();
    void aUsualScreenKeepsTheWindowAsItIs();
};

void TestSmallScreen::windowStaysInsideTheScreen()
{
    const NamingWindow window(NamingWindow::Config::Missing);
    const QRect area = window.dialog().screen()->availableGeometry();
    QVERIFY2(area.contains(window.dialog().frameGeometry()),
             qPrintable(QStringLiteral("window %1x%2 on a %3x%4 area")
                            .arg(window.dialog().width())
                            .arg(window.dialog().height())
                            .arg(area.width())
                            .arg(area.height())));
}

void TestSmallScreen::everyControlCanBeReached_data()
{
    QTest::addColumn<QString>("name");
    for (const res::ControlTemplate& control : res::namingDialog.controls)
        QTest::newRow(control.objectName.data()) << resourceText(control.objectName);
}

// Scrolled to its top left corner, as much of the control shows on the screen as the window
// can hold.
void TestSmallScreen::everyControlCanBeReached()
{
    QFETCH(QString, name);
    const NamingWindow window(NamingWindow::Config::Missing);
    auto* control = window.dialog().findChild<QWidget*>(name);
    QVERIFY(control);
    QWidget* viewport = &window.dialog();
    if (auto* scrollArea = window.dialog().findChild<QScrollArea*>()) {
        const QPoint corner = control->mapTo(scrollArea->widget(), QPoint());
        scrollArea->horizontalScrollBar()->setValue(corner.x());
        scrollArea->verticalScrollBar()->setValue(corner.y());
        viewport = scrollArea->viewport();
    }
    const auto global = [](const QWidget* widget) {
        return QRect(widget->mapToGlobal(QPoint()), widget->size());
    };
    const QRect shown =
        global(control) & global(viewport) & window.dialog().screen()->availableGeometry();
    QCOMPARE(shown.size(), control->size().boundedTo(viewport->size()));
}

void TestSmallScreen::aUsualScreenKeepsTheWindowAsItIs()
{
    const NamingWindow window(NamingWindow::Config::Missing);
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QSKIP("the window does not fit this screen");
    QVERIFY(!window.dialog().findChild<QScrollArea*>());
    for (const res::ControlTemplate& control : res::namingDialog.controls)
        QVERIFY(window.dialog().findChild<QWidget*>(resourceText(control.objectName),
                                                    Qt::FindDirectChildrenOnly));
}

QTEST_MAIN(TestSmallScreen)
#include "test_small_screen.moc"
