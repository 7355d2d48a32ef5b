#pragma once
#include <string>
#include <vector>

#include "platform/db/Database.h"
#include "platform/system/ComboRow.h"

// The rows of a look-up list from a query: the first column is the text shown, the second,
// when the query has one, the value it stands for, else the text itself. Throws db::DbError.
std::vector<ui::ComboRow> ElencoDaQuery(db::Database& archivio, const std::string& sql, const db::Params& parametri = {});
