#pragma once
// The writes of the fee-item tab: a fee item added, corrected or deleted in `competenze`.
// Each runs in one write transaction on the session given (the caller's when it has one)
// under the error handler with its own description text, and answers how it ended. Several
// workstations may work on one case file: an addition checks for the key inside its
// transaction, and a correction or deletion writes only the row it was shown, as it was
// read, so that a row another workstation changed or replaced meanwhile is never
// overwritten (errors 3197 and 3167, through the error handler).
#include <QString>

#include "fees/engine/CalcoloCompetenza.h"
#include "fees/engine/CompetenzeFascola.h"
#include "fees/engine/DettaglioCompetenza.h"
#include "fees/engine/ElementoMostrato.h"

namespace db {
class Database;
}

enum class EsitoCompetenza {
    Registrata,
    // The element is not in the catalogue (any more), or the code no longer names the element
    // the fields show: nothing is written, nothing is said (the entry's check says it first).
    ElementoAssente,
    // Addition: the case file holds the element under that task and job already.
    Duplicata,
    // Correction or deletion: no fee item has that key any more.
    NonDefinita,
    // Correction or deletion of an invoiced item (tested first), or of a posted one.
    Fatturata,
    Contabilizzata,
    // A failure the error handler was told of; nothing is written.
    NonRegistrata,
};

inline const QString MessaggioNonDefinita = QStringLiteral("L'elemento non è più definito nelle competenze!");
inline const QString MessaggioFatturataCorreggi =
    QStringLiteral("L'elemento risulta già fatturato, non può essere corretto");
inline const QString MessaggioContabilizzataCorreggi =
    QStringLiteral("L'elemento risulta già contabilizzato, non può essere corretto");
inline const QString MessaggioFatturataCancella =
    QStringLiteral("L'elemento risulta già fatturato, non può essere cancellato");
inline const QString MessaggioContabilizzataCancella =
    QStringLiteral("L'elemento risulta già contabilizzato, non può essere cancellato");
inline const QString MessaggioCancellaVuoto = QStringLiteral("Si deve definire cosa si vuole cancellare");
// "l'elemento ONO è già stato inserito nella fascola per questo Incarico - lavorazione".
QString MessaggioDuplicata(const QString& elemento);

// Adds the fee item `chiave` with the fields and the bookkeeping values given, priced by the
// kind of its element (ValoriDaScrivere), which must be the element the fields show
// (`mostrato`, ElementoDellaVoce). Of two workstations adding the same key at once, one gets
// Duplicata. Errors: "Funzione di aggiunta di un elemento in fascola".
EsitoCompetenza AggiungiCompetenza(db::Database& sessione, const ChiaveCompetenza& chiave,
                                   const CampiCompetenza& campi, const DettaglioCompetenzaRec& dettaglio,
                                   const ElementoDaFatturare* mostrato);

// Writes the fields and the bookkeeping values into the fee item `chiave`, unless it is
// invoiced or posted as it stands now. `letta` is the row as the user was shown it: when it
// has that key, the row is written only if it is still as read (3197/3167 otherwise). Without
// one the row is taken as it stands. Priced by the element the fields show (`mostrato`,
// ElementoDellaVoce): a stored item whose element has left the catalogue is still corrected.
// Errors: "Funzione di correzione elemento in fascola".
EsitoCompetenza CorreggiCompetenza(db::Database& sessione, const ChiaveCompetenza& chiave,
                                   const CampiCompetenza& campi, const DettaglioCompetenzaRec& dettaglio,
                                   const CompetenzaLetta* letta, const ElementoDaFatturare* mostrato);

// Deletes the fee item `chiave`, unless it is invoiced or posted; `letta` as for the
// correction. Errors: "Funzione di cancellazione di un elemento in fascola".
EsitoCompetenza CancellaCompetenza(db::Database& sessione, const ChiaveCompetenza& chiave,
                                   const CompetenzaLetta* letta);
