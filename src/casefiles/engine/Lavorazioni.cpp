#include "casefiles/engine/Lavorazioni.h"

#include "casefiles/engine/VociNumerate.h"

namespace {

const FormaRiga& forma() {
    static const FormaRiga f{
        "job", {"cliente", "npra", "ntask", "njob"}, {"tipo", "descrizione", "data", "idpuntatore", "puntatore"}};
    return f;
}

enum Colonna { Cliente, Npra, Ntask, Njob, Tipo, Descrizione, Data, Idpuntatore, Puntatore };

Lavorazione lavorazione(ValoriLetti letti) {
    Lavorazione l;
    l.njob = letti[Njob].textOr(QString());
    l.tipo = letti[Tipo].textOr(QString());
    l.descrizione = letti[Descrizione].textOr(QString());
    l.data = DataLetta(letti[Data]);
    l.idpuntatore = letti[Idpuntatore].textOr(QString());
    l.puntatore = letti[Puntatore].textOr(QString());
    l.letti = std::move(letti);
    return l;
}

Campi campi(const Lavorazione& l) {
    return {{"tipo", l.tipo},
            {"descrizione", l.descrizione},
            {"data", DataArchiviata(l.data)},
            {"idpuntatore", l.idpuntatore},
            {"puntatore", l.puntatore}};
}

}  // namespace

std::vector<Lavorazione> LavorazioniDellIncarico(db::Database& archivio, const QString& cliente, const QString& npra,
                                                 const QString& ntask) {
    std::vector<Lavorazione> lavori;
    for (ValoriLetti& letti : LeggiVoci(archivio, forma(), {cliente, npra, ntask}))
        lavori.push_back(lavorazione(std::move(letti)));
    return lavori;
}

std::optional<Lavorazione> LeggiLavorazione(db::Database& archivio, const QString& cliente, const QString& npra,
                                            const QString& ntask, const QString& njob) {
    std::optional<ValoriLetti> letti = LeggiVoce(archivio, forma(), {cliente, npra, ntask}, njob);
    if (!letti) return std::nullopt;
    return lavorazione(std::move(*letti));
}

EsitoAggiunta AggiungiLavorazione(db::Database& archivio, const QString& cliente, const QString& npra,
                                  const QString& ntask, Lavorazione& nuova) {
    std::optional<ValoriLetti> letti = AggiungiVoce(archivio, forma(), {cliente, npra, ntask}, campi(nuova));
    if (!letti) return EsitoAggiunta::NumerazioneEsaurita;
    nuova = lavorazione(std::move(*letti));
    return EsitoAggiunta::Aggiunta;
}

void CorreggiLavorazione(db::Database& archivio, Lavorazione& letta, const Lavorazione& dati) {
    AggiornaRigaLetta(archivio, forma(), letta.letti, campi(dati));
    letta = lavorazione(std::move(letta.letti));
}

EsitoCancellazioneLavorazione CancellaLavorazione(db::Database& archivio, const Lavorazione& letta) {
    return CancellaVoce(archivio, forma(), letta.letti, {"competenze"}) ? EsitoCancellazioneLavorazione::HaCompetenze
                                                                         : EsitoCancellazioneLavorazione::Cancellata;
}
