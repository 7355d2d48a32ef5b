#include "fees/engine/ComandiCompetenza.h"

#include <functional>
#include <optional>

#include "fees/engine/ElementiDaFatturare.h"
#include "foundation/engine/ScritturaInTransazione.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

namespace {

Campi campiDaScrivere(const Competenza& v) {
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
ValoriLetti comeLetta(const ChiaveCompetenza& chiave, const CompetenzaLetta* letta, const CompetenzaLetta& ora) {
    return letta && letta->chiave() == chiave ? letta->letti : ora.letti;
}

// Whether the fee item as it stands now may be changed; the invoiced mark counts before the
// posted one.
std::optional<EsitoCompetenza> bloccata(const std::optional<CompetenzaLetta>& ora) {
    if (!ora) return EsitoCompetenza::NonDefinita;
    if (ora->fatturato) return EsitoCompetenza::Fatturata;
    if (ora->primanota) return EsitoCompetenza::Contabilizzata;
    return std::nullopt;
}

// A write of a fee item: all of it or nothing, NonRegistrata when the handler's answer left it.
EsitoCompetenza inTransazione(db::Database& sessione, const QString& descrizione,
                              const std::function<std::optional<EsitoCompetenza>()>& scrittura) {
    return ScritturaInTransazione(sessione, descrizione, EsitoCompetenza::Registrata, EsitoCompetenza::NonRegistrata,
                                  scrittura);
}

}  // namespace

QString MessaggioDuplicata(const QString& elemento) {
    return "l'elemento " + elemento + " è già stato inserito nella fascola per questo Incarico - lavorazione";
}

EsitoCompetenza AggiungiCompetenza(db::Database& sessione, const ChiaveCompetenza& k, const CampiCompetenza& campi,
                                   const DettaglioCompetenzaRec& dettaglio, const ElementoDaFatturare* mostrato) {
    return inTransazione(sessione, "Funzione di aggiunta di un elemento in fascola",
                         [&]() -> std::optional<EsitoCompetenza> {
        const std::optional<ElementoDaFatturare> elemento =
            ElementoDellaVoce(sessione, k.elemento, mostrato, ScopoVoce::Aggiunta).Elemento;
        if (!elemento) return EsitoCompetenza::ElementoAssente;
        if (LeggiCompetenza(sessione, k)) return EsitoCompetenza::Duplicata;
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
            return EsitoCompetenza::Duplicata;
        }
        return std::nullopt;
    });
}

EsitoCompetenza CorreggiCompetenza(db::Database& sessione, const ChiaveCompetenza& k, const CampiCompetenza& campi,
                                   const DettaglioCompetenzaRec& dettaglio, const CompetenzaLetta* letta,
                                   const ElementoDaFatturare* mostrato) {
    return inTransazione(sessione, "Funzione di correzione elemento in fascola",
                         [&]() -> std::optional<EsitoCompetenza> {
        const std::optional<CompetenzaLetta> ora = LeggiCompetenza(sessione, k);
        if (const auto no = bloccata(ora)) return no;
        const std::optional<ElementoDaFatturare> elemento =
            ElementoDellaVoce(sessione, k.elemento, mostrato, ScopoVoce::Correzione).Elemento;
        if (!elemento) return EsitoCompetenza::ElementoAssente;
        ValoriLetti letti = comeLetta(k, letta, *ora);
        AggiornaRigaLetta(sessione, FormaCompetenze(), letti,
                          campiDaScrivere(ValoriDaScrivere(*elemento, campi, dettaglio)));
        return std::nullopt;
    });
}

EsitoCompetenza CancellaCompetenza(db::Database& sessione, const ChiaveCompetenza& k, const CompetenzaLetta* letta) {
    return inTransazione(sessione, "Funzione di cancellazione di un elemento in fascola",
                         [&]() -> std::optional<EsitoCompetenza> {
        const std::optional<CompetenzaLetta> ora = LeggiCompetenza(sessione, k);
        if (const auto no = bloccata(ora)) return no;
        CancellaRigaLetta(sessione, FormaCompetenze(), comeLetta(k, letta, *ora));
        return std::nullopt;
    });
}
