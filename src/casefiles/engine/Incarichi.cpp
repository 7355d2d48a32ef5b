#include "casefiles/engine/Incarichi.h"

#include "casefiles/engine/VociNumerate.h"

namespace {

const FormaRiga& forma() {
    static const FormaRiga f{"task", {"cliente", "npra", "ntask"}, {"data", "titolo", "camponote", "stato"}};
    return f;
}

enum Colonna { Cliente, Npra, Ntask, Data, Titolo, Camponote, Stato };

Incarico incarico(ValoriLetti letti) {
    Incarico i;
    i.ntask = letti[Ntask].textOr(QString());
    i.data = DataLetta(letti[Data]);
    i.titolo = letti[Titolo].textOr(QString());
    i.camponote = letti[Camponote].textOr(QString());
    i.stato = letti[Stato].boolOr(false);
    i.letti = std::move(letti);
    return i;
}

Campi campi(const Incarico& i) {
    return {{"data", DataArchiviata(i.data)}, {"titolo", i.titolo}, {"camponote", i.camponote}, {"stato", i.stato}};
}

}  // namespace

std::vector<Incarico> IncarichiDellaFascola(db::Database& archivio, const QString& cliente, const QString& npra) {
    std::vector<Incarico> incarichi;
    for (ValoriLetti& letti : LeggiVoci(archivio, forma(), {cliente, npra}))
        incarichi.push_back(incarico(std::move(letti)));
    return incarichi;
}

std::optional<Incarico> LeggiIncarico(db::Database& archivio, const QString& cliente, const QString& npra,
                                      const QString& ntask) {
    std::optional<ValoriLetti> letti = LeggiVoce(archivio, forma(), {cliente, npra}, ntask);
    if (!letti) return std::nullopt;
    return incarico(std::move(*letti));
}

EsitoAggiunta AggiungiIncarico(db::Database& archivio, const QString& cliente, const QString& npra, Incarico& nuovo) {
    std::optional<ValoriLetti> letti = AggiungiVoce(archivio, forma(), {cliente, npra}, campi(nuovo));
    if (!letti) return EsitoAggiunta::NumerazioneEsaurita;
    nuovo = incarico(std::move(*letti));
    return EsitoAggiunta::Aggiunta;
}

void CorreggiIncarico(db::Database& archivio, Incarico& letto, const Incarico& dati) {
    AggiornaRigaLetta(archivio, forma(), letto.letti, campi(dati));
    letto = incarico(std::move(letto.letti));
}

EsitoCancellazioneIncarico CancellaIncarico(db::Database& archivio, const Incarico& letto) {
    switch (CancellaVoce(archivio, forma(), letto.letti, {"job", "competenze"}).value_or(2)) {
    case 0: return EsitoCancellazioneIncarico::HaLavorazioni;
    case 1: return EsitoCancellazioneIncarico::HaCompetenze;
    default: return EsitoCancellazioneIncarico::Cancellato;
    }
}
