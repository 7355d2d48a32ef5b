#pragma once
#include <QString>

namespace db {
class Database;
}

// Look-ups of clients and accounts in the linked accounting archive, or, for the client
// data, in the program's own client registry when the link is off. Each runs on `archivio`:
// the session (both archives), or a connection to the one archive the look-up reads.

// Fills DatiClienteFattura() (all but Nome) with the address, VAT number and tax code of
// the client `CodiceCliente`: from the accounting archive's `anagrafe` when linked, from
// `mpxanagrafe` of the case-file archive otherwise. A client in neither gives empty fields.
// The client is always taken as subject to VAT, without an exemption reason.
void LetturaDatiCliente(db::Database& archivio, const QString& CodiceCliente);

// The code of the postable account named `DescrizioneConto` (headings never), or "" when
// there is none or the link is off.
QString LetturaDescrizionePianoDeiConti(db::Database& archivio, const QString& DescrizioneConto);

// The name of the account `CodiceConto` (headings too); "" when the link is off, and ""
// after the message "inserire un codice esistente" when the code does not exist.
QString LetturaPdC(db::Database& archivio, const QString& CodiceConto);
