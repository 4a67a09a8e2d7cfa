// Runs on the tests' usual 1280 x 900 screen; with QT_SCALE_FACTOR=2 on the same screen, too small
// for the window; and on screens too small in one direction only: "narrow" (600 x 900) and
// "short" (1280 x 500).
#include "res/dialog_templates.h"
#include "tests/support/naming_window.h"
#include "ui/resource_text.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

class TestSmallScreen final : public QObject {
    Q_OBJECT

private slots:
    void everyControlCanBeReached_data();
    void everyControlCanBeReached();
    void onlyATooSmallScreenScrollsTheWindow();
};

void TestSmallScreen::everyControlCanBeReached_data()
{
    QTest::addColumn<QString>("name");
    for (const res::ControlTemplate& control : res::namingDialog.controls)
        QTest::newRow(control.objectName.data()) << resourceText(control.objectName);
}

// The window lies inside the screen and, scrolled to a control's top left corner, shows as
// much of the control as it can hold.
void TestSmallScreen::everyControlCanBeReached()
{
    QFETCH(QString, name);
    const NamingWindow window(NamingWindow::Config::Missing);
    const QRect area = window.dialog().screen()->availableGeometry();
    QVERIFY(area.contains(window.dialog().frameGeometry()));
    auto* control = window.dialog().findChild<QWidget*>(name);
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
    QCOMPARE((global(control) & global(viewport) & area).size(),
             control->size().boundedTo(viewport->size()));
}

// Only a screen too small in either direction gets a scrolled window.
void TestSmallScreen::onlyATooSmallScreenScrollsTheWindow()
{
    const NamingWindow window(NamingWindow::Config::Missing);
    const bool usual = window.dialog().screen()->name() == QStringLiteral("usual") &&
                       !qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
    QCOMPARE(!window.dialog().findChild<QScrollArea*>(), usual);
    for (const res::ControlTemplate& control : res::namingDialog.controls)
        QCOMPARE(window.dialog().findChild<QWidget*>(resourceText(control.objectName),
                                                     Qt::FindDirectChildrenOnly) != nullptr,
                 usual);
}

QTEST_MAIN(TestSmallScreen)
#include "test_small_screen.moc"
