#pragma once
#include <QString>

#include "accounting/engine/NormalizzaCodicePdC.h"

namespace ui {
class RefillCombo;
}

// NormalizzaCodicePdC for a code typed into the data-bound combo `Campo`: where a choice is
// needed the chart-of-accounts picker opens over that combo and writes the chosen code into it.
QString NormalizzaCodicePdC(QString& CodiceDigitato, ui::RefillCombo& Campo);
