#include "fees/engine/ComandiCompetenza.h"

#include <optional>

#include "fees/engine/ElementiDaFatturare.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

namespace {

Campi campiDaScrivere(const ValoriCompetenza& v) {
    return {{"descrizione", v.descrizione},
            {"data", v.data.toString(Qt::ISODate)},
            {"importo", v.importo},
            {"impofat", v.impofat},
            {"primanota", v.primanota},
            {"darepn", v.darepn},
            {"averepn", v.averepn},
            {"idpn", v.idpn},
            {"fatturato", v.fatturato},
            {"ricavi", v.ricavi},
            {"idfattura", v.idfattura},
            {"spuntato", v.spuntato},
            {"pagamento", v.pagamento},
            {"addebitounitario", v.addebitounitario},
            {"fattore", v.fattore}};
}

// The row the user was shown when it has that key, else the row as it stands now.
ValoriLetti comeLetta(const ChiaveCompetenza& chiave, const Competenza* letta, const Competenza& ora) {
    return letta && letta->chiave() == chiave ? letta->letti : ora.letti;
}

// Whether the fee item as it stands now may be changed; the invoiced mark counts before the
// posted one.
std::optional<EsitoCompetenza> bloccata(const std::optional<Competenza>& ora) {
    if (!ora) return EsitoCompetenza::NonDefinita;
    if (ora->fatturato) return EsitoCompetenza::Fatturata;
    if (ora->primanota) return EsitoCompetenza::Contabilizzata;
    return std::nullopt;
}

}  // namespace

QString MessaggioDuplicata(const QString& elemento) {
    return "l'elemento " + elemento + " è già stato inserito nella fascola per questo Incarico - lavorazione";
}

EsitoCompetenza AggiungiCompetenza(db::Database& sessione, const ChiaveCompetenza& k, const CampiCompetenza& campi,
                                   const DettaglioCompetenzaRec& dettaglio) {
    Procedura proc("Funzione di aggiunta di un elemento in fascola");
    EsitoCompetenza esito = EsitoCompetenza::NonRegistrata;
    const bool fatto = proc.essenziale([&] {
        esito = EsitoCompetenza::NonRegistrata;
        db::Transaction scrittura(sessione);
        const std::optional<ElementoDaFatturare> elemento = ElementoPerCodice(sessione, k.elemento);
        if (!elemento) {
            esito = EsitoCompetenza::ElementoAssente;
            return;
        }
        if (LeggiCompetenza(sessione, k)) {
            esito = EsitoCompetenza::Duplicata;
            return;
        }
        std::string colonne = "cliente, npra, ntask, njob, elemento";
        db::Params valori{k.cliente, k.npra, k.ntask, k.njob, k.elemento};
        for (const auto& [colonna, valore] : campiDaScrivere(ValoriDaScrivere(*elemento, campi, dettaglio))) {
            colonne += ", " + colonna;
            valori.push_back(valore);
        }
        std::string marche;
        for (size_t i = 0; i < valori.size(); ++i) marche += i ? ", ?" : "?";
        try {
            sessione.execute("INSERT INTO competenze (" + colonne + ") VALUES (" + marche + ")", valori);
        } catch (const db::DbError& errore) {
            // Another workstation got in first; its row stands.
            if (errore.number != db::err::DuplicateKey) throw;
            esito = EsitoCompetenza::Duplicata;
            return;
        }
        scrittura.commit();
        esito = EsitoCompetenza::Registrata;
    });
    return fatto ? esito : EsitoCompetenza::NonRegistrata;
}

EsitoCompetenza CorreggiCompetenza(db::Database& sessione, const ChiaveCompetenza& k, const CampiCompetenza& campi,
                                   const DettaglioCompetenzaRec& dettaglio, const Competenza* letta) {
    Procedura proc("Funzione di correzione elemento in fascola");
    EsitoCompetenza esito = EsitoCompetenza::NonRegistrata;
    const bool fatto = proc.essenziale([&] {
        esito = EsitoCompetenza::NonRegistrata;
        db::Transaction scrittura(sessione);
        const std::optional<Competenza> ora = LeggiCompetenza(sessione, k);
        if (const auto no = bloccata(ora)) {
            esito = *no;
            return;
        }
        const std::optional<ElementoDaFatturare> elemento = ElementoPerCodice(sessione, k.elemento);
        if (!elemento) {
            esito = EsitoCompetenza::ElementoAssente;
            return;
        }
        ValoriLetti letti = comeLetta(k, letta, *ora);
        AggiornaRigaLetta(sessione, FormaCompetenze(), letti,
                          campiDaScrivere(ValoriDaScrivere(*elemento, campi, dettaglio)));
        scrittura.commit();
        esito = EsitoCompetenza::Registrata;
    });
    return fatto ? esito : EsitoCompetenza::NonRegistrata;
}

EsitoCompetenza CancellaCompetenza(db::Database& sessione, const ChiaveCompetenza& k, const Competenza* letta) {
    Procedura proc("Funzione di cancellazione di un elemento in fascola");
    EsitoCompetenza esito = EsitoCompetenza::NonRegistrata;
    const bool fatto = proc.essenziale([&] {
        esito = EsitoCompetenza::NonRegistrata;
        db::Transaction scrittura(sessione);
        const std::optional<Competenza> ora = LeggiCompetenza(sessione, k);
        if (const auto no = bloccata(ora)) {
            esito = *no;
            return;
        }
        CancellaRigaLetta(sessione, FormaCompetenze(), comeLetta(k, letta, *ora));
        scrittura.commit();
        esito = EsitoCompetenza::Registrata;
    });
    return fatto ? esito : EsitoCompetenza::NonRegistrata;
}
