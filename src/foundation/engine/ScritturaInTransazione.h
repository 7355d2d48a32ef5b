#pragma once
#include <QString>
#include <functional>
#include <optional>

#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"

// A write done whole or not at all: `scrittura` run in one write transaction on `archivio`
// under the error handler with `descrizione`. It answers a refusal found inside the
// transaction (a row another workstation changed, a key already taken), and nothing is
// committed; or nothing once its writes are done, which are then committed and answered
// `riuscita`. A statement that fails goes to the handler: retried, `scrittura` runs again in a
// new transaction; left, or skipped, nothing is committed and the answer is `nonEseguita`.
template <class Esito>
Esito ScritturaInTransazione(db::Database& archivio, const QString& descrizione, Esito riuscita, Esito nonEseguita,
                             const std::function<std::optional<Esito>()>& scrittura) {
    Procedura proc(descrizione);
    Esito esito = nonEseguita;
    const bool fatto = proc.essenziale([&] {
        esito = nonEseguita;
        db::Transaction transazione(archivio);
        if (const std::optional<Esito> rifiuto = scrittura()) {
            esito = *rifiuto;
            return;
        }
        transazione.commit();
        esito = riuscita;
    });
    return fatto ? esito : nonEseguita;
}
