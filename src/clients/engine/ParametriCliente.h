#pragma once
// A client's billing parameters: one `parcli` row (billing criterion, general notes, up to
// eight fixed billing items with the occasion each is charged on) and the client's own price
// list, the client's `elecli` rows. The parameters form reads them here and writes them back
// with one command each; the invoice side and the fee-item entry read the same rows.
//
// Every operation runs on the connection it is given (the session, ArchivioInUso()) and
// inside the caller's transaction when there is one.
#include <QString>
#include <optional>
#include <vector>

#include "platform/system/Currency.h"

namespace db {
class Database;
}

// The most fixed items a client can have: `parcli` has eight element and application slots.
inline constexpr int MassimoElementiFissi = 8;

// What the client-code label shows when the name typed matched no client.
inline const QString ClienteNonDefinito = QStringLiteral("NON DEFINITO");

// One fixed billing item: the catalogue element, its application code ("1" each new case
// file, "2" per job, "3" per invoice) and the catalogue's description, for display.
struct ElementoFisso {
    QString elemento;
    QString applica;
    QString descrizione;
};

// One row of the client's price list: the element, the client's own price and payment
// (days when the accounting archive is not linked, a payment code when it is; "0" for
// none), and the catalogue's description, for display.
struct RigaListino {
    QString elemento;
    Currency importo;
    QString pagamento;
    QString descrizione;
};

struct ParametriCliente {
    QString codice;
    QString criterio;  // "M", "D", "V", "L" or "P"
    QString camponote;
    // The fixed items in slot order, without the empty slots in between.
    std::vector<ElementoFisso> fissi;
    // The price list in the order it was written.
    std::vector<RigaListino> listino;
};

// A client code the parameters may be stored under: neither empty nor the mark of a name that
// matched no client.
bool CodiceClienteValido(const QString& codice);

// The billing criterion letters, in the order the form offers them.
bool CriterioValido(const QString& criterio);

// The catalogue description of `elemento`; empty for an empty code or one not in the
// catalogue. A failure goes to the error handler with the text "Funzione di visualizzazione
// descrizione elemento" and gives an empty description.
QString DescrizioneElemento(db::Database& archivio, const QString& elemento);

// The clients that have parameters: `codice` alone, or every client when `codice` is empty,
// by code. Throws db::DbError.
std::vector<QString> RicercaParametriClienti(db::Database& archivio, const QString& codice);

// The parameters of `codice` as stored, with the catalogue descriptions; nothing when the
// client has none. Throws db::DbError.
std::optional<ParametriCliente> LeggiParametriCliente(db::Database& archivio, const QString& codice);

enum class EsitoParametri {
    // Written and committed.
    Eseguito,
    // The client code is empty or "NON DEFINITO": nothing is written.
    ClienteNonValido,
    // No billing criterion among the five letters: nothing is written.
    CriterioNonValido,
    // The client has parameters already (a new insertion): nothing is written.
    GiaDefiniti,
    // Another workstation changed the client's parameters or price list since they were read.
    ModificatiAltrove,
    // Another workstation deleted the client's parameters since they were read.
    EliminatiAltrove,
    // A failure the error handler was told of; nothing is written.
    NonEseguito,
};

// Stores the parameters of a client that has none yet, with its price list, in one write
// transaction. Price-list rows that a client without parameters still has (left by an
// earlier failure) are replaced by the new list. Failures go to the error handler with the
// text "Funzione di conferma parametri clienti", those of the price list's rows with
// "Funzione di registrazione elementi a listino dedicato"; either leaves nothing written.
EsitoParametri RegistraParametriCliente(db::Database& archivio, const ParametriCliente& nuovi);

// Rewrites the parameters and the whole price list of the client `letti` was read for
// (`letti.codice`; the code in `nuovi` is not looked at) in one write transaction, provided
// they are still as `letti` holds them. Failures go to the error handler with the text
// "Funzione di correzione parametri clienti"; the old price list's removal with "Funzione di
// correzione elementi a fatturazione dedicata", the new rows' with "Funzione di registrazione
// elementi a listino dedicato". Any of them leaves everything as it was.
EsitoParametri CorreggiParametriCliente(db::Database& archivio, const ParametriCliente& letti,
                                        const ParametriCliente& nuovi);

// Deletes the parameters and the price list of the client `letti` was read for, in one write
// transaction, provided they are still as `letti` holds them. Failures go to the error
// handler with the text "Funzione di cancellazione parametri clienti", the price list's
// with "Funzione di cancellazione elemento a fatturazione dedicata"; either leaves
// everything as it was.
EsitoParametri CancellaParametriCliente(db::Database& archivio, const ParametriCliente& letti);

// Removes everything stored under the client code `codice`: its `parcli` row and every one of
// its `elecli` rows, inside the caller's transaction. For a client leaving the registry, so
// that a later client given the same code starts with no parameters. Throws db::DbError.
void CancellaParametriDelCodice(db::Database& archivio, const QString& codice);
