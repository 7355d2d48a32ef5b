#pragma once
#include <QString>

namespace db {
class Database;
}

// A client's fixed billing items: up to eight catalogue elements of the client's billing
// parameters (`parcli`), each with the moment it applies. The mode letter names the moment:
// "P" each new case file (application code "1"), "I" per job ("2"), "F" per invoice ("3").
//
// Adds to the case file `Npra` of client `CodiceCliente` one fee item, on the case file
// itself (task and job "0000"), dated today, for each element of the client's parameters
// whose application code the mode selects, in slot order: priced from the client's price list
// (`elecli`) or else from the catalogue (`elefat`); an element missing from the catalogue is
// passed over. A client without parameters gets nothing.
//
// Runs on `archivio` (the session) inside the caller's transaction when there is one, so that
// a new case file and its fixed items are committed together; in a transaction of its own
// otherwise. Errors go to the error handler: Ignore skips the item that failed (inside an
// OperazioneIndivisibile it leaves, as Abort does). True when the items were written; false
// when the procedure was left: then nothing of it is kept, and a caller's transaction that it
// joined can no longer be committed (db::Transaction).
bool LetturaElementiFatturazioneFissa(db::Database& archivio, QString& modo, const QString& CodiceCliente,
                                      const QString& Npra);
