#include "casefiles/engine/RicercaFascole.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <memory>

#include "casefiles/forms/MascheraFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"

namespace {

// A condition on the rows of another table that belong to the case file.
std::string esiste(const std::string& tabella, const std::string& condizione) {
    return "EXISTS (SELECT * FROM " + tabella + " WHERE " + condizione + " AND " + tabella +
           ".cliente = fascola.cliente AND " + tabella + ".npra = fascola.npra)";
}

}  // namespace

std::optional<QueryRicerca> ComponiRicerca(const CriteriRicerca& c) {
    std::string condizioni;
    db::Params parametri;
    auto aggiungi = [&](const std::string& condizione) {
        condizioni += (condizioni.empty() ? " WHERE " : " AND ") + condizione;
    };

    if (!basic::Trim(c.cliente).isEmpty()) {
        aggiungi("fascola.cliente = ?");
        parametri.push_back(c.cliente);
    }
    if (!c.data.isEmpty()) {
        QString giorno = DataPerSql(c.data);
        if (giorno.isEmpty()) return std::nullopt;
        aggiungi("fascola.data = ?");
        parametri.push_back(giorno.replace(',', '-'));
    }
    if (!c.rifcli.isEmpty()) {
        aggiungi("fascola.rifcli = ?");
        parametri.push_back(c.rifcli);
    }
    if (c.stato == CriteriRicerca::Stato::Aperte) aggiungi("fascola.stato = 1");
    if (c.stato == CriteriRicerca::Stato::Chiuse) aggiungi("fascola.stato = 0");
    if (!c.documento.isEmpty()) {
        aggiungi(esiste("job", "job.descrizione LIKE ? ESCAPE '\\'"));
        parametri.push_back(db::likePattern(c.documento.toStdString()));
    }
    if (!c.incarico.isEmpty()) {
        aggiungi(esiste("task", "task.titolo LIKE ? ESCAPE '\\'"));
        parametri.push_back(db::likePattern(c.incarico.toStdString()));
    }
    if (!c.competenza.isEmpty()) {
        aggiungi(esiste("competenze", "competenze.elemento = ?"));
        parametri.push_back(c.competenza);
    }
    if (!c.importo.isEmpty()) {
        QString importo = c.importo;
        const Currency addebito = ImportoDaTesto(importo);
        parametri.emplace_back(addebito);
        aggiungi(esiste("competenze", "competenze.impofat = ?"));
    }
    return QueryRicerca{"SELECT * FROM fascola" + condizioni +
                            " ORDER BY fascola.cliente ASC, fascola.data DESC, fascola.npra DESC",
                        std::move(parametri)};
}

void MascheraFascola::cmdRicercaFascola_Click() {
    FascolaInVisione = false;
    CriteriRicerca criteri;
    criteri.cliente = LblCodiceCliente->text();
    criteri.data = TxtData->text();
    criteri.rifcli = TxtRifCli->text();
    if (OptAperte->isChecked()) criteri.stato = CriteriRicerca::Stato::Aperte;
    if (OptChiuse->isChecked()) criteri.stato = CriteriRicerca::Stato::Chiuse;
    criteri.documento = TxtRicercaDocumento->text();
    criteri.incarico = TxtRicercaIncarico->text();
    criteri.competenza = DbcRicercaCompetenza->currentText();
    criteri.importo = TxtRicercaImporto->text();

    // A search that cannot run leaves the mask as it is, criteria included.
    Procedura proc("Funzione di ricerca fascole");
    std::optional<QueryRicerca> query;
    if (!proc.essenziale([&] { query = ComponiRicerca(criteri); }) || !query) return;
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> risultato;
    if (!proc.essenziale([&] {
            risultato.reset();
            archivio = db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString());
            risultato = archivio->openRecordset(query->sql, query->parametri);
        }))
        return;

    // The result replaces the previous one; the rows go before the archive they came from.
    RsSelezionati.reset();
    DbSelezionati.reset();
    NumSelezionati = 0;
    PosSelezionata = 0;
    if (risultato->RecordCount() == 0) {
        risultato.reset();
        ui::MessageService::show("Non è stata trovata nessuna fascola con i parametri dati");
        StatoIniziale();
        DbcNomeCliente->setFocus();
        return;
    }
    DbSelezionati = std::move(archivio);
    RsSelezionati = std::move(risultato);

    VisEnvi();
    FrmCriteriRicerca->setVisible(false);
    AbilitaCampi();
    NumSelezionati = RsSelezionati->RecordCount();
    PosSelezionata = 1;
    didascaliaNavigatore(true);
    DefinizioneAlberoClienti();
    RsSelezionati->MoveFirst();
    Visualizza();
    FascolaInVisione = true;
}
