#pragma once
#include <QString>

// A client's fixed billing items: up to eight catalogue elements of the client's billing
// parameters (`parcli`), each with the moment it applies. The mode letter names the moment:
// "P" each new case file (application code "1"), "I" per job ("2"), "F" per invoice ("3").
//
// Adds to the case file `Npra` of client `CodiceCliente` one fee item, on the case file
// itself (task and job "0000"), dated today, for each element of the client's parameters
// whose application code the mode selects, in slot order: priced from the client's price list
// (`elecli`) or else from the catalogue (`elefat`); an element missing from the catalogue is
// passed over. A client without parameters gets nothing. Errors go to the error handler;
// the items already written stay.
void LetturaElementiFatturazioneFissa(QString& modo, const QString& CodiceCliente, const QString& Npra);
