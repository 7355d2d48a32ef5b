#pragma once
#include <vector>

#include "platform/db/Database.h"
#include "platform/system/ComboRow.h"

// The code lists of the linked accounting archive offered by the look-up combos, in code
// order. Throw db::DbError.
std::vector<ui::ComboRow> ElencoCodiciPagamento(db::Database& sessione);
std::vector<ui::ComboRow> ElencoCodiciIva(db::Database& sessione);
