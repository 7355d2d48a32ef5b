#pragma once
#include <QString>

namespace db {
class Database;
}

// The next number of a document kind on the sales VAT register ParametriFattura().RegistroIva
// of the accounting archive reached through `archivio` (the session, or a connection to the
// accounting archive itself), inside the caller's transaction when there is one.
//
// TipoDocumento is the document letter: "F" invoice, "E" debit note, "H" credit note. The
// register's numbering criterion chooses the counter of a note: 1 the invoice counter, 2 one
// counter for both kinds of note, 3 a counter for each. The counter is advanced and written
// back at once, inside one write transaction with its reading, so that no other workstation
// and not the accounting package can be handed the same number. The result is the number,
// then a blank and the register's suffix when it has one ("13 A"); the empty text when no
// number was issued (unknown register or letter, a note under a criterion without a
// counter for it, or a failure left through the error handler: then nothing is written).
QString NumeroFattura(db::Database& archivio, const QString& TipoDocumento);
