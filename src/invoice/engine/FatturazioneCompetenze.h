#pragma once
#include <QString>

#include "invoice/engine/RigheFattura.h"

namespace db {
class Database;
}

// The fee items a document bills: each gets the document's identifier `idfattura` and is
// marked invoiced, so that no later selection offers it again; the reprint form's cancel finds
// them again by client and `idfattura`.

// The document's identifier, fifteen characters read by position everywhere:
//   1-4   the case number, zero-padded on the left ("7" gives "0007"; a longer one keeps its
//         last four characters);
//   5-10  the document date as yymmdd, or "NoData" when `dataFattura` is no date;
//   11-15 the document number without the blanks around it, zero-padded to five characters
//         on the left, or its last five characters when longer ("12 A" gives "012 A").
// Case "0007", date 15/01/2004 and number "12" give "000704011500012".
QString IdFattura(const QString& npra, const QString& dataFattura, const QString& numeroDocumento);
// Characters 11-15 of the identifier of a document numbered `numeroDocumento`.
QString NumeroInIdFattura(const QString& numeroDocumento);

// True when some fee item of `cliente` carries `idfattura`: a document with that identifier
// billed them. Throws db::DbError.
bool CompetenzeConIdFattura(db::Database& archivio, const QString& cliente, const QString& idfattura);

struct EsitoFatturazioneCompetenze {
    int Fatturate = 0;     // items marked
    int GiaFatturate = 0;  // items another document billed meanwhile: then none is marked
};

// Marks the fee item of every line that came from one (RigaFattura::DaCompetenza) invoiced with
// `idfattura`, in `competenze` of the case-file archive reached through `archivio` (inside the
// caller's transaction when there is one); a line typed on the tab marks none, and no fee item
// refuses it. A line whose item is not in the archive (deleted meanwhile) is passed over. When an
// item is already invoiced (another workstation issued it since the lines were selected) nothing at
// all is marked and the result says how many. Throws db::DbError.
EsitoFatturazioneCompetenze FatturazioneCompetenze(db::Database& archivio, const TabellaRigheFattura& righe,
                                                   const QString& idfattura);
