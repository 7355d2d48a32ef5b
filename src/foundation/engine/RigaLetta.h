#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/db/Database.h"

// Writing back a row the user was shown some time ago. Meanwhile another workstation may have
// changed the row, deleted it, or deleted it and stored another one under the same key (case,
// task and job numbers are given again once the highest is deleted). So a correction or a
// deletion finds its row by the key and by every other column as it was read; when the row is
// no longer there as read nothing is written and an error is raised, which the caller's error
// handler shows like any other: 3167 when no row has that key any more, 3197 when the row was
// changed since it was read. No other row is ever touched.

// How the rows of one table are found again: the key columns, then the other columns that
// are compared with the values read.
struct FormaRiga {
    std::string tabella;
    std::vector<std::string> chiave;
    std::vector<std::string> altre;
};

// A row's stored values as read: the key columns, then the other ones, in FormaRiga order.
// Empty for a row not read from the archive.
using ValoriLetti = db::Params;

// Column names with the values to write into them.
using Campi = std::vector<std::pair<std::string, db::Value>>;

// "k1, k2, ..., a1, a2, ...": the select list that reads rows as ValoriLetti.
std::string ColonneLette(const FormaRiga& forma);

// Writes `nuovi` (columns among `forma.altre`) into the row read as `letti`, in one write
// transaction (the caller's when it has one); `letti` then holds the new values.
// db::DbError 3167 or 3197 as above, and any error of the statement.
void AggiornaRigaLetta(db::Database& archivio, const FormaRiga& forma, ValoriLetti& letti, const Campi& nuovi);

// Deletes the row read as `letti`, in one write transaction (the caller's when it has one).
// db::DbError 3167 or 3197 as above.
void CancellaRigaLetta(db::Database& archivio, const FormaRiga& forma, const ValoriLetti& letti);
