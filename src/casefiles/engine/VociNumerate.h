#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "foundation/engine/RigaLetta.h"

namespace db {
class Database;
}

// What tasks and jobs have alike in the archive: rows numbered "0001" upward within the row
// they belong to (a task within its case file, a job within its task), the number being the
// highest of the siblings plus one; listed in number order; corrected and deleted as they were
// read (RigaLetta.h); kept while rows of other tables still refer to them.
//
// A table of such rows is described by its FormaRiga: the key columns are the parent's key
// followed by the row's own number, last.

// The rows under `padre` (the parent's key, in the key's order), in number order, as read.
std::vector<ValoriLetti> LeggiVoci(db::Database& archivio, const FormaRiga& forma, const db::Params& padre);

// The row numbered `numero` under `padre`, as read; nothing when there is none.
std::optional<ValoriLetti> LeggiVoce(db::Database& archivio, const FormaRiga& forma, const db::Params& padre,
                                     const QString& numero);

// Adds under `padre` a row with `valori` and the next number, reading the highest number and
// inserting in one write transaction, so that two workstations adding at once both succeed
// with different numbers. Returns the row as stored; nothing when the numbers are used up
// ("9999" is the last). Throws db::DbError.
std::optional<ValoriLetti> AggiungiVoce(db::Database& archivio, const FormaRiga& forma, const db::Params& padre,
                                        const Campi& valori);

// Deletes the row as read unless one of `figli` (tables whose rows carry the row's whole key
// under the same column names) has rows that belong to it; checked and deleted in one write
// transaction. Returns the index in `figli` of the first table that keeps the row, or nothing
// when the row was deleted. db::DbError 3167 or 3197 when the row is no longer as read.
std::optional<size_t> CancellaVoce(db::Database& archivio, const FormaRiga& forma, const ValoriLetti& letti,
                                   const std::vector<std::string>& figli);

// A date as the archive stores it, Null for none; and back.
db::Value DataArchiviata(const QDate& data);
QDate DataLetta(const db::Value& data);
