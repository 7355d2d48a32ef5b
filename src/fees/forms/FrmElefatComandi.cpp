#include <QLabel>
#include <algorithm>

#include "fees/engine/VerificaElemento.h"
#include "fees/forms/ElefatArchivio.h"
#include "fees/forms/FrmElefat.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"

using namespace elefat;

namespace {

const QString ElementoUsato = QStringLiteral("L'elemento non è cancellabile: è in uso in una fascola");

}  // namespace

// --- commands ------------------------------------------------------------------------------

void FrmElefat::Conferma() {
    if (!Verificatore()) return;
    if (ModoOperativo == ModoInserimento) {
        Procedura proc("Funzione di conferma elemento");
        ElementoDaFatturare elemento;
        if (!proc.essenziale([&] { elemento = ElementoDaiCampi(campi(), Collegato()); })) return;
        Connessione archivio = ArchivioInUso(proc);
        if (!archivio) return;
        switch (InserisciElemento(*archivio, elemento)) {
        case EsitoElemento::Registrato: break;
        case EsitoElemento::CodiceEsistente:
            // Refused before anything is written: what was typed stays, to change the code.
            ui::MessageService::show("Il codice elemento " + elemento.codice +
                                     " è già definito nell'archivio: indicare un codice diverso");
            DbcCodice->setFocus();
            return;
        default: return;
        }
    }
    PulisciCampi();
    DbcCodice->setFocus();
}

void FrmElefat::Ricerca() {
    RecordInVisione = false;
    Procedura proc("Funzione di ricerca elementi");
    Connessione archivio = ArchivioInUso(proc);
    if (!archivio) return;
    std::vector<ElementoLetto> trovati;
    if (!proc.essenziale(
            [&] { trovati = RicercaElementi(*archivio, DbcCodice->currentText(), DbcDescrizione->currentText()); }))
        return;

    RsSelezionati = std::move(trovati);
    MostraTrovati(long(RsSelezionati.size()), "Non c'è nessun elemento definito nell'archivio");
}

void FrmElefat::Correggi() {
    if (!Verificatore()) return;
    ElementoLetto* riga = inVisione();
    if (!riga) return;
    Procedura proc("Funzione di correzione elemento");
    ElementoDaFatturare nuovo;
    if (!proc.essenziale([&] { nuovo = ElementoDaiCampi(campi(), Collegato()); })) return;
    Connessione archivio = ArchivioInUso(proc);
    if (!archivio) return;
    if (CorreggiElemento(*archivio, *riga, nuovo) != EsitoElemento::Registrato) return;
    VisEnvi();
}

void FrmElefat::Cancella() {
    ElementoLetto* riga = inVisione();
    if (!riga) return;
    if (Bollato(riga->elemento.codice)) {
        ui::MessageService::show(ElementoUsato);
        return;
    }
    if (ui::MessageService::show("Confermare la cancellazione dell'elemento", {}, ui::Buttons::YesNo) !=
        ui::Answer::Yes)
        return;

    RecordInVisione = false;
    Procedura proc("Funzione di cancellazione elemento");
    Connessione archivio = ArchivioInUso(proc);
    const EsitoElemento esito = archivio ? CancellaElemento(*archivio, *riga) : EsitoElemento::NonRegistrato;
    if (esito != EsitoElemento::Registrato) {
        if (esito == EsitoElemento::InUso) ui::MessageService::show(ElementoUsato);
        RecordInVisione = true;
        return;
    }

    TogliInVisione();
}

void FrmElefat::TogliRiga(long posizione) { RsSelezionati.erase(RsSelezionati.begin() + (posizione - 1)); }

void FrmElefat::CmdStampa_Click() {
    if (Stampa) Stampa();
}

void FrmElefat::CmdFine_Click() {
    if (ModoOperativo == ModoVisione || ModoOperativo == ModoCorrezione) {
        RsSelezionati.clear();
        LasciaTrovati();
    }
    close();
}
