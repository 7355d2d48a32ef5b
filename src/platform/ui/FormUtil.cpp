#include "platform/ui/FormUtil.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/system/MessageService.h"

namespace ui {

QLabel* valueLabel(const char* name, int minimumWidth, QWidget* parent) {
    auto* label = named<QLabel>(name, parent);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    return label;
}

void fillPage(QWidget& page, QWidget& content) {
    // A page filled again (another content put in its place) keeps its one layout.
    if (QLayout* existing = page.layout()) {
        existing->addWidget(&content);
        return;
    }
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&content);
}

QWidget* row(std::initializer_list<QWidget*> controls, bool stretch) {
    auto* w = new QWidget;
    auto* layout = new QHBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* c : controls) layout->addWidget(c);
    if (stretch) layout->addStretch();
    return w;
}

QPushButton* commandButton(const char* name, const QString& text) {
    auto* button = named<QPushButton>(name, text);
    button->setAutoDefault(false);
    return button;
}

void enterPresses(QDialog& dialog, QPushButton* confirming) {
    // A button that takes the focus becomes the default while it has it; when the dialog has
    // no default of its own to go back to, it stays the default after.
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) button->setAutoDefault(confirming != nullptr);
    if (confirming) confirming->setDefault(true);
}

QVBoxLayout* buttonColumn(std::initializer_list<QPushButton*> buttons, QPushButton* last) {
    auto* column = new QVBoxLayout;
    for (QPushButton* b : buttons) column->addWidget(b);
    column->addStretch();
    if (last) column->addWidget(last);
    return column;
}

QLabel* boldLabel(const char* name, const QString& text) {
    auto* label = named<QLabel>(name, text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLabel* titleLabel(const char* name, const QString& text, double scale) {
    QLabel* label = boldLabel(name, text);
    if (scale != 1) {
        QFont large = label->font();
        large.setPointSizeF(large.pointSizeF() * scale);
        label->setFont(large);
    }
    label->setAlignment(Qt::AlignCenter);
    return label;
}

namespace {
const char* const OptionValue = "optionValue";
}

QRadioButton* valueOption(const char* name, const QString& text, const QString& value) {
    auto* option = named<QRadioButton>(name, text);
    option->setProperty(OptionValue, value);
    return option;
}

QString checkedValue(const QButtonGroup& group) {
    const QAbstractButton* checked = group.checkedButton();
    return checked ? checked->property(OptionValue).toString() : QString();
}

void checkValue(QButtonGroup& group, const QString& value) {
    for (QAbstractButton* option : group.buttons()) {
        const QVariant own = option->property(OptionValue);
        if (own.isValid() && own.toString() == value) option->setChecked(true);
    }
}

void uncheckAll(QButtonGroup& group) {
    // An exclusive group keeps one option on; switching it off takes leaving the group open
    // for a moment.
    const bool exclusive = group.exclusive();
    group.setExclusive(false);
    for (QAbstractButton* option : group.buttons()) option->setChecked(false);
    group.setExclusive(exclusive);
}

bool refuse(QWidget& field, const QString& message) {
    MessageService::show(message);
    field.setFocus();
    return false;
}

void CentraForm(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    const QRect area = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + (area.height() - size.height()) / 2);
}

}  // namespace ui
