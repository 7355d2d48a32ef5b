#pragma once
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "accounting/engine/ElenchiContabili.h"
#include "platform/system/ComboRow.h"

namespace db {
class Database;
}

// The look-ups of the invoice dialogs: the line detail dialog's lists and decodings, and the
// notes kept as defaults in the parameters row. The lists throw db::DbError; the callers
// run them under their own error text. The accounting archive's tables are read on the
// session, where the link attaches them.

// The tasks of a case file, and the jobs of one of its tasks, by number.
std::vector<ui::ComboRow> ElencoIncarichiFascola(db::Database& sessione, const QString& cliente, const QString& npra);
std::vector<ui::ComboRow> ElencoLavorazioniIncarico(db::Database& sessione, const QString& cliente,
                                                    const QString& npra, const QString& ntask);

// The postable accounts of nature "P" by description (the code as the bound value), never
// the headings ending in ".0000".
std::vector<ui::ComboRow> ElencoContiPrimaNota(db::Database& sessione);

// The caption beside a payment code: linked, the code's description padded or cut to 29
// characters, "" for a code the archive lacks; not linked, "". Errors: "Funzione di
// definizione pagamento" (the caption is then "").
QString DefinizionePagamento(db::Database& sessione, bool collegato, const QString& codice);

inline const QString CodiceIvaNonDefinito = QStringLiteral("NON DEFINITO");

// The caption beside a VAT code (linked only): its description padded or cut to 25
// characters, or CodiceIvaNonDefinito. Nothing when the look-up was not carried out
// ("Decodifica codice iva - dettaglio elementi in fattura").
std::optional<QString> DescrizioneCodiceIva(db::Database& sessione, const QString& codice);

inline const QString MessaggioMancanoParametriFattura = QStringLiteral(
    "La prima volta, prima di inizializzare le note, inizializzare i parametri di fatturazione");

enum class EsitoNoteCostanti {
    NessunaCostante,     // no note marked: nothing read or written
    Memorizzate,         // the marked notes are in the parameters row
    MancaRigaParametri,  // there is no parameters row yet (MessaggioMancanoParametriFattura)
    NonMemorizzate,      // a failing statement: the error handler was told, nothing written
};

// Stores each note whose box `costanti` marks into its column `nota1` to `nota4` of the
// parameters row, the other columns untouched, in one statement, so that a second
// workstation storing other notes at the same moment loses none of them. Errors: "Funzione
// di definizione camponote alla fattura".
EsitoNoteCostanti MemorizzaNoteCostanti(db::Database& sessione, const std::array<QString, 4>& note,
                                       const std::array<bool, 4>& costanti);
