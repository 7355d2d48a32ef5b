#pragma once
// The element whose description and defaults the entry fields of a fee item or of an invoice
// line show, and the one rule that keeps an entry to it. Once both element combos show an
// element, typing another code over it looks nothing up: the fields keep the text, the prices
// and the bookkeeping of the element chosen first. Such an entry is never stored: the code
// must still name the element the fields were filled from.
#include <QString>
#include <optional>

#include "fees/engine/ElementiDaFatturare.h"

namespace db {
class Database;
}

// What the entry in the fields is to become.
enum class ScopoVoce { Aggiunta, Correzione };

// "Il codice elemento RIC non è quello dell'elemento ONO di cui sono mostrati descrizione e
// importi: premere VUOTA per pulire i campi e scegliere di nuovo l'elemento", `pulisci` being
// the caption of the button that clears the entry fields.
QString MessaggioElementoCambiato(const QString& digitato, const QString& mostrato, const QString& pulisci);

struct EsitoElementoDellaVoce {
    // What the entry is checked and priced by; nothing when the code names no element, or
    // not the one shown.
    std::optional<ElementoDaFatturare> Elemento;
    // The code names another element than the one shown, or none while it is no longer the
    // code shown: MessaggioElementoCambiato.
    bool AltroElemento = false;
};

// The element an entry of code `codice` stands for, the fields showing `mostrato` as it was
// read when they were filled from it (nothing when they show no element: the catalogue alone
// answers). Codes are compared as the archive compares them, ignoring the case of the letters
// a-z. A correction of a stored entry whose element has left the catalogue since stands for
// the element as shown; an addition needs the element in the catalogue. Throws db::DbError.
EsitoElementoDellaVoce ElementoDellaVoce(db::Database& sessione, const QString& codice,
                                         const ElementoDaFatturare* mostrato, ScopoVoce scopo);
