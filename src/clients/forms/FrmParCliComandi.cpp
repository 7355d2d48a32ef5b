#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "casefiles/engine/ClientiFascola.h"
#include "casefiles/forms/NavigatoreRecord.h"
#include "clients/forms/FrmParCli.h"
#include "clients/forms/ParCliArchivio.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"

namespace {

const QString GiaDefiniti =
    QStringLiteral("Il cliente ha già i parametri definiti: cercarli con RICERCA per correggerli");
const QString ModificatiAltrove =
    QStringLiteral("I parametri del cliente sono stati modificati da un altro utente: ecco i dati aggiornati");
const QString EliminatiAltrove = QStringLiteral("I parametri del cliente sono stati cancellati da un altro utente");

}  // namespace

void FrmParCli::ChiudiSelezionati() {
    Selezionati.clear();
    LasciaTrovati();
    ParametriLetti.reset();
}

void FrmParCli::Ricerca() {
    RecordInVisione = false;
    const QString codice = basic::Trim(LblCodiceCliente->text());
    std::vector<QString> trovati;
    if (!parcli::InArchivio("Funzione di ricerca parametri clienti",
                            [&](db::Database& a) { trovati = RicercaParametriClienti(a, codice); }))
        return;
    ChiudiSelezionati();
    Selezionati = std::move(trovati);
    MostraTrovati(long(Selezionati.size()), "Non c'è nessun parametro definito per il cliente");
}

void FrmParCli::DtaSelezionati_Validate(int Action, int) { SpostaRecord(Action); }

void FrmParCli::MostraInVisione() {
    RecordInVisione = false;
    Visualizza();
    VisEnvi();
    RecordInVisione = true;
}

void FrmParCli::MostraModificatiAltrove() {
    ui::MessageService::show(ModificatiAltrove);
    MostraInVisione();
}

void FrmParCli::Cancella() {
    const bool si = ui::MessageService::show("Confermare la cancellazione dei parametri del cliente", {},
                                             ui::Buttons::YesNo) == ui::Answer::Yes;
    if (!si) return;
    if (!ParametriLetti) {
        ui::MessageService::show(EliminatiAltrove);
        TogliInVisione();
        return;
    }
    Connessione archivio = parcli::ArchivioAperto("Funzione di cancellazione parametri clienti");
    if (!archivio) return;
    switch (CancellaParametriCliente(*archivio, *ParametriLetti)) {
    case EsitoParametri::Eseguito:
        TogliInVisione();
        return;
    case EsitoParametri::EliminatiAltrove:
        ui::MessageService::show(EliminatiAltrove);
        TogliInVisione();
        return;
    case EsitoParametri::ModificatiAltrove:
        // Shown again as they are now, for the user to decide anew.
        MostraModificatiAltrove();
        return;
    default:
        // The error handler has told of the failure; the client stays on display.
        return;
    }
}

void FrmParCli::TogliRiga(long posizione) {
    Selezionati.erase(Selezionati.begin() + (posizione - 1));
    if (Selezionati.empty()) ParametriLetti.reset();
}

void FrmParCli::Correggi() {
    if (!Verificatore()) return;
    if (!ParametriLetti) {
        ui::MessageService::show(EliminatiAltrove);
        return;
    }
    Connessione archivio = parcli::ArchivioAperto("Funzione di correzione parametri clienti");
    if (!archivio) return;
    // The client is the one the search found, whatever the labels show.
    const ParametriCliente nuovi = parametriAVideo(ParametriLetti->codice);
    switch (CorreggiParametriCliente(*archivio, *ParametriLetti, nuovi)) {
    case EsitoParametri::Eseguito:
        ParametriLetti = nuovi;
        VisEnvi();
        return;
    case EsitoParametri::ModificatiAltrove:
        MostraModificatiAltrove();
        return;
    case EsitoParametri::EliminatiAltrove:
        ui::MessageService::show(EliminatiAltrove);
        ParametriLetti.reset();
        return;
    default:
        return;
    }
}

void FrmParCli::Conferma() {
    if (ModoOperativo != ModoInserimento) return;
    if (!Verificatore()) return;
    Connessione archivio = parcli::ArchivioAperto("Funzione di conferma parametri clienti");
    if (!archivio) return;
    switch (RegistraParametriCliente(*archivio, parametriAVideo(LblCodiceCliente->text()))) {
    case EsitoParametri::Eseguito:
        VuotaGrigliaListino();
        VuotaGrigliaFissi();
        svuotaListe();
        VuotaCampi();
        DbcNomeCliente->setFocus();
        return;
    case EsitoParametri::GiaDefiniti:
        ui::MessageService::show(GiaDefiniti);
        DbcNomeCliente->setFocus();
        return;
    default:
        // Nothing was stored: the fields stay for another try.
        return;
    }
}

void FrmParCli::Annulla() {
    VuotaGrigliaListino();
    VuotaGrigliaFissi();
    svuotaListe();
    AnnullaAzione();
}

void FrmParCli::CmdFine_Click() {
    ChiudiSelezionati();
    close();
}

// The print button has nothing to print.
void FrmParCli::CmdStampa_Click() {}

void FrmParCli::DbcNomeCliente_LostFocus() {
    // The client of a record on display is not changed from here.
    if (ModoOperativo != ModoIniziale && ModoOperativo != ModoInserimento) return;
    const QString nome = DbcNomeCliente->currentText();
    if (nome.isEmpty()) return;
    std::optional<QString> codice;
    Procedura proc("Funzione di rilascio nome cliente");
    if (!proc.essenziale([&] { codice = CodiceDelCliente(*ArchivioInUso(), nome); })) return;
    LblCodiceCliente->setText(codice.value_or(ClienteNonDefinito));
}
