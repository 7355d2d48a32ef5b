#pragma once
// The catalogue of billable items, table `elefat` of the case-file archive: one row per
// element (fee, cost or advance) from which the fee items of the case files are priced.
// The record, its reads, and the three writes of the catalogue form. Every value is bound;
// the look-ups throw db::DbError for the caller to run under its own error-handler text,
// while the writes run under the error handler themselves and answer how they ended.
#include <QString>
#include <optional>
#include <vector>

#include "platform/db/Database.h"
#include "platform/system/ComboRow.h"
#include "platform/system/Currency.h"

// The letters of `calcolo`: how the amount to bill is found when the element is charged.
namespace calcolo {
inline const QString Percentuale = QStringLiteral("P");     // a mark-up on the cost
inline const QString Richiesta = QStringLiteral("R");       // asked when charged
inline const QString Listino = QStringLiteral("F");         // the list price proposed
inline const QString ImportoUnitario = QStringLiteral("U"); // unit price times a quantity
}  // namespace calcolo

// The letters of `tipo`.
namespace tipo {
inline const QString Costo = QStringLiteral("C");
inline const QString Anticipazione = QStringLiteral("A");
inline const QString Competenza = QStringLiteral("X");
}  // namespace tipo

// The payment code that stands for "the client's own terms".
inline const QString PagamentoDelCliente = QStringLiteral("0");

struct ElementoDaFatturare {
    QString codice;
    QString descrizione;
    bool accoda = false;  // the description is completed with the document's data
    QString calcolo;
    Currency importo;
    Currency arrotonda;
    QString iva;     // linked: a code of `ivacodici`; not linked: the rate in percent
    QString ivacee;  // the same, for services within the EU
    QString tipo;
    QString contofat;  // revenue account
    QString dare;      // debit account of the automatic posting
    QString avere;     // credit account of the automatic posting
    bool pagamento = true;  // paid on the client's own terms
    QString codicepagamento;

    bool operator==(const ElementoDaFatturare&) const = default;
};

// A row as it was read: the record, and each column's stored value in the order of the
// table's columns, by which a later write recognises the row as nobody has changed it.
struct ElementoLetto {
    ElementoDaFatturare elemento;
    db::Params comeLetto;
};

// The rows whose code is `codice` and whose description is `descrizione`, either criterion
// left out when empty, every row when both are; in code order. Comparisons are exact but
// for case, as the archive compares.
std::vector<ElementoLetto> RicercaElementi(db::Database& archivio, const QString& codice,
                                           const QString& descrizione);

// The row of `codice` as it is now; nothing when there is none.
std::optional<ElementoLetto> LeggiElemento(db::Database& archivio, const QString& codice);

// The element `codice`, or the first one in code order whose description is `descrizione`;
// nothing when there is none.
std::optional<ElementoDaFatturare> ElementoPerCodice(db::Database& archivio, const QString& codice);
std::optional<ElementoDaFatturare> ElementoPerDescrizione(db::Database& archivio, const QString& descrizione);

// Whether some fee item of any client and case file is priced from the element `codice`.
bool ElementoInUso(db::Database& archivio, const QString& codice);

// The catalogue's codes in order and its descriptions in order, for the look-up combos. Read
// afresh at each call: an element added or changed a moment ago is in the list.
std::vector<ui::ComboRow> ElencoCodiciElementi(db::Database& archivio);
std::vector<ui::ComboRow> ElencoDescrizioniElementi(db::Database& archivio);

enum class EsitoElemento {
    Registrato,
    // Insert: the catalogue holds the code already; nothing is written.
    CodiceEsistente,
    // Deletion: a fee item uses the element; nothing is deleted.
    InUso,
    // A failure the error handler was told of; nothing is written.
    NonRegistrato,
};

// Adds `elemento` in one write transaction that first looks for its code, so that of two
// workstations adding the same code at once one gets CodiceEsistente. Error text
// "Funzione di conferma elemento".
EsitoElemento InserisciElemento(db::Database& archivio, const ElementoDaFatturare& elemento);

// Writes every column of `nuovo` but the code into the row `letto` stands for, only when
// that row still holds what was read: a row changed by another workstation since is error
// 3197, one deleted since 3167, both handed to the error handler ("Funzione di correzione
// elemento"). When written, `letto` becomes the row as it now stands.
EsitoElemento CorreggiElemento(db::Database& archivio, ElementoLetto& letto, const ElementoDaFatturare& nuovo);

// Deletes the row `letto` stands for when no fee item uses it, checked in the same write
// transaction; changed or deleted since it was read, as for CorreggiElemento ("Funzione di
// cancellazione elemento").
EsitoElemento CancellaElemento(db::Database& archivio, const ElementoLetto& letto);
