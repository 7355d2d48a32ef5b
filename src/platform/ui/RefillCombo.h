#pragma once
#include <QComboBox>
#include <functional>
#include <optional>
#include <vector>

#include "platform/system/ComboRow.h"

namespace ui {

// An editable combo whose list is rebuilt from the archive each time the user enters it, so
// it never shows a stale list. The text typed or chosen is kept across refills; the value of
// the list row that matches it is the combo's bound value.
class RefillCombo : public QComboBox {
    Q_OBJECT
public:
    using Refill = std::function<std::vector<ComboRow>()>;

    explicit RefillCombo(QWidget* parent = nullptr);

    // Called each time the user enters the combo; returns the new list.
    void setRefill(Refill refill) { refill_ = std::move(refill); }
    void refill();
    // Replaces the list, keeping the text.
    void setRows(const std::vector<ComboRow>& rows);

    // The bound value of the list row whose text is the combo's text (an exact match first,
    // then ignoring case, as the archive compares), or nothing when no row matches.
    std::optional<QString> boundValue() const;

    // Keeps the text the combo holds now as the one the program showed, so that
    // shownTextChanged() tells whether the user has changed it since.
    void keepShownText() { shownText_ = currentText(); }
    bool shownTextChanged() const { return shownText_ != currentText(); }

private:
    Refill refill_;
    QString shownText_;
};

}  // namespace ui
