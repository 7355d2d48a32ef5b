#pragma once
#include <QString>
#include <optional>

#include "casefiles/engine/Fascole.h"

namespace db {
class Database;
}

// The two numbers of a case file and the writes that give them.
//
// `npra`, the case number within the client: four digits, "0001" for the client's first
// case file, then its highest number plus one. It runs out at "9999": the next would be
// "0000", which the fee items read as "no case file".
// `numpranno`, the absolute number: the opening date's year, ".", and a five-digit sequence
// that starts again at "00001" every year and runs out at "99999".

// The client's highest case number, nothing when it has no case files; ProssimoNumero
// gives the one after it. Throws db::DbError.
std::optional<QString> UltimoNpra(db::Database& archivio, const QString& cliente);

struct NumeroAssoluto {
    QString numero;           // "2004.00017"
    bool primoDellAnno = false;  // the year had no case file yet
};

// The next absolute number of `anno` (four digits). Throws db::DbError.
NumeroAssoluto NumeroAssolutoSuccessivo(db::Database& archivio, const QString& anno);

// A case file being confirmed: the mask's fields as the row stores them.
struct NuovaFascola {
    QString cliente;
    QString criterio;
    QString data;  // dd/mm/yyyy
    QString camponote;
    QString npra;  // the proposed number; the one stored after ConfermaNuovaFascola
    QString rifcli;
    bool stato = true;
    NumeroAssoluto numeroAssoluto;  // given by ConfermaNuovaFascola
};

enum class EsitoConferma {
    Registrata,
    // The client's case numbers, or the year's absolute numbers, are used up.
    NumerazioneEsaurita,
    // A failure the error handler was told of; nothing is stored.
    NonRegistrata,
};

// Stores `fascola` on `archivio`, in one write transaction that first checks the proposed case
// number again (taken meanwhile: the next free one, written back into `fascola.npra`), takes
// the absolute number, inserts the row and charges it with its client's fixed billing items of
// a new case file (LetturaElementiFatturazioneFissa, mode "P"); so two workstations can take
// neither the same case number nor the same absolute number, and a case file is never stored
// without its fixed items. Failures go to the error handler with the confirmation's text (the
// fixed items' with theirs); nothing is stored unless the result is Registrata.
EsitoConferma ConfermaNuovaFascola(db::Database& archivio, NuovaFascola& fascola);

// A date typed as dd/mm/yyyy in the form the archive stores; db::DbError 13 when it is no
// date.
QString DataInArchivio(const QString& data);
