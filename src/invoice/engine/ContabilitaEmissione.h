#pragma once
#include <QString>

#include "accounting/engine/RegistrazioneContabile.h"

namespace db {
class Database;
}

// The accounting link's numbering and posting as the document issue calls them: on the session
// the issue runs on, inside its transaction.

// The next number of document letter `lettera` on the sales VAT register `registro`; "" when
// none was issued (the link has said why).
QString NumeroDocumentoDalRegistro(db::Database& sessione, const QString& registro, const QString& lettera);

// A registration number reserved for `data` (dd/mm/yyyy); "00000" when there is none.
QString NumeroRegistrazioneRiservato(db::Database& sessione, const QString& data);

// Writes the registration; 0 when it is complete.
int RegistraDocumento(db::Database& sessione, DatiRegistrazione& dati);
