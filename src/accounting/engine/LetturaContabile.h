#pragma once
#include <QString>

// Look-ups of clients and accounts in the linked accounting archive, or, for the client
// data, in the program's own client registry when the link is off.

// Fills DatiClienteFattura() (all but Nome) with the address, VAT number and tax code of
// the client `CodiceCliente`: from the archive's `anagrafe` when linked, from `mpxanagrafe`
// of the case-file archive otherwise. A client in neither gives empty fields. The client is
// always taken as subject to VAT, without an exemption reason.
void LetturaDatiCliente(const QString& CodiceCliente);

// The code of the postable account named `DescrizioneConto` (headings never), or "" when
// there is none or the link is off.
QString LetturaDescrizionePianoDeiConti(const QString& DescrizioneConto);

// The name of the account `CodiceConto` (headings too); "" when the link is off, and ""
// after the message "inserire un codice esistente" when the code does not exist.
QString LetturaPdC(const QString& CodiceConto);
