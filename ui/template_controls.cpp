#include "ui/template_controls.h"

#include "ui/dialog_units.h"
#include "ui/link_label.h"
#include "ui/program_icon.h"
#include "ui/resource_text.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

Qt::Alignment alignment(unsigned style)
{
    Qt::Alignment flags = style & res::AlignCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    return flags | (style & res::AlignVCenter ? Qt::AlignVCenter : Qt::AlignTop);
}

QLabel* createLabel(const res::ControlTemplate& control, QWidget* parent)
{
    auto* label = control.kind == res::ControlKind::Link
                      ? new LinkLabel(resourceText(control.text), parent)
                      : new QLabel(resourceText(control.text), parent);
    label->setAlignment(alignment(control.style));
    label->setWordWrap(control.style & res::WordWrap);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* createWidget(const res::ControlTemplate& control, const QRect& rect, QWidget* parent)
{
    const QString text = resourceText(control.text);
    switch (control.kind) {
    case res::ControlKind::PushButton:
    case res::ControlKind::DefaultPushButton: {
        auto* button = new QPushButton(text, parent);
        button->setDefault(control.kind == res::ControlKind::DefaultPushButton);
        return button;
    }
    case res::ControlKind::Label:
    case res::ControlKind::Link:
        return createLabel(control, parent);
    case res::ControlKind::Edit:
        return new QLineEdit(text, parent);
    case res::ControlKind::RadioButton:
        return new QRadioButton(text, parent);
    case res::ControlKind::TabControl:
        return new QTabWidget(parent);
    case res::ControlKind::Icon: {
        auto* icon = new QLabel(parent);
        icon->setPixmap(programIcon().pixmap(rect.size().boundedTo(QSize(32, 32))));
        return icon;
    }
    }
    return nullptr;
}

} // namespace

void createControls(const res::DialogTemplate& dialogTemplate, QDialog* dialog)
{
    dialog->setObjectName(resourceText(dialogTemplate.objectName));
    dialog->setWindowTitle(resourceText(dialogTemplate.caption));
    dialog->setFont(dialogFont());
    const DialogUnits units(dialog->font());
    dialog->setFixedSize(units.toPixels(dialogTemplate.width, dialogTemplate.height));

    QWidget* previousTabStop = nullptr;
    for (const res::ControlTemplate& control : dialogTemplate.controls) {
        const QRect rect = units.toPixels(control.rect);
        QWidget* widget = createWidget(control, rect, dialog);
        widget->setObjectName(resourceText(control.objectName));
        widget->setGeometry(rect);
        if (control.style & res::TabStop) {
            widget->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop)
                QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        } else if (widget->focusPolicy() != Qt::NoFocus) {
            widget->setFocusPolicy(Qt::ClickFocus);
        }
    }
}
