#include "platform/ui/RefillCombo.h"

#include "platform/ui/FocusEvents.h"

#include <QSignalBlocker>

namespace ui {

RefillCombo::RefillCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // The text stays as the user typed it: no completion, and Enter adds nothing to the list.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    onFocusChange(*this, [this] { refill(); }, {});
}

void RefillCombo::refill() {
    if (refill_)
        setRows(refill_());
}

void RefillCombo::setRows(const std::vector<ComboRow>& rows) {
    const QString text = currentText();
    const QSignalBlocker blocker(this);
    clear();
    for (const ComboRow& row : rows)
        addItem(row.text, row.bound);
    setCurrentIndex(-1);
    setEditText(text);
}

std::optional<QString> RefillCombo::boundValue() const {
    int index = findText(currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0)
        index = findText(currentText(), Qt::MatchFixedString);
    if (index < 0)
        return std::nullopt;
    return itemData(index).toString();
}

}  // namespace ui
