#pragma once
#include <QString>

namespace ui {

// One entry of a look-up list: the text shown and the value it stands for (a code). The
// engine builds the lists; the combos of the forms show them.
struct ComboRow {
    QString text;
    QString bound;
};

}  // namespace ui
