#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTime>
#include <algorithm>
#include <optional>

#include "casefiles/engine/ClientiFascola.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/engine/NumerazioneFascole.h"
#include "casefiles/engine/ProssimoNumero.h"
#include "casefiles/forms/MascheraFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/FileSystem.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"

namespace {

// What the code label shows for a name that matched no client.
const QString ClienteNonDefinito = QStringLiteral("NON DEFINITO");

void NumerazioneEsaurita() {
    ui::MessageService::show("Numerazione delle fascole esaurita: non è possibile aggiungere altre fascole");
}

}  // namespace

// Leaving the name box resolves the client's code; a new case file also gets its number
// proposed. While a case file is on display the name only changes the code the mask shows:
// a correction never stores another client, so the case file on display stays the one read.
void MascheraFascola::DbcNomeCliente_LostFocus() {
    const QString nome = DbcNomeCliente->currentText();
    if (nome.isEmpty()) return;
    const bool nessunaInVisione = ModoOperativo == ModoIniziale || ModoOperativo == ModoInserimento;

    Procedura proc("Funzione di definizione nome cliente");
    std::optional<QString> codice;
    if (!proc.essenziale([&] { codice = CodiceDelCliente(*ArchivioInUso(), nome); })) {
        if (nessunaInVisione) FascolaCorrente().ScegliCliente(nome, std::nullopt);
        return;
    }
    mostraCodice(codice.value_or(ClienteNonDefinito));
    if (nessunaInVisione) FascolaCorrente().ScegliCliente(nome, codice);

    if (ModoOperativo != ModoInserimento) return;
    std::optional<QString> npra;
    if (!proc.essenziale([&] { npra = ProssimoNumero(UltimoNpra(*ArchivioInUso(), codiceMostrato_)); })) return;
    if (!npra) NumerazioneEsaurita();
    FascolaCorrente().ImpostaNpra(npra.value_or(QString()));
}

void MascheraFascola::Conferma() {
    if (!Verificatore()) return;
    if (ModoOperativo != ModoInserimento) return;

    // A case file stored under a code that is no client would carry its fee items to nobody.
    const QString cliente = codiceMostrato_;
    if (basic::Trim(cliente).isEmpty() || cliente == ClienteNonDefinito) {
        ui::MessageService::show("Cliente non definito: scegliere un cliente esistente");
        DbcNomeCliente->setFocus();
        return;
    }

    NuovaFascola nuova{cliente,         criterioScelto(),  TxtData->text(),       TxtNote->text(),
                       FascolaCorrente().NpraCorrente(), TxtRifCli->text(), ChkStato->isChecked(), {}};
    Procedura proc("Funzione di conferma di una fascola");
    Connessione archivio;
    if (!proc.essenziale([&] { archivio = ArchivioInUso(); })) return;
    switch (ConfermaNuovaFascola(*archivio, nuova)) {
    case EsitoConferma::Registrata: break;
    case EsitoConferma::NumerazioneEsaurita: NumerazioneEsaurita(); return;
    case EsitoConferma::NonRegistrata: return;
    }
    FascolaCorrente().ImpostaNpra(nuova.npra);
    if (!nuova.numeroAssoluto.primoDellAnno)
        ui::MessageService::show("Numero assegnato: " + nuova.numeroAssoluto.numero, "NUMERAZIONE ASSOLUTA FASCOLE");

    PulisciCampi();
    DbcNomeCliente->setFocus();
}

void MascheraFascola::Correggi() {
    if (!Verificatore()) return;
    if (Selezionate->empty()) return;
    const CorrezioneFascola nuova{criterioScelto(), TxtData->text(), TxtNote->text(), TxtRifCli->text(),
                                  ChkStato->isChecked()};
    Procedura proc("Funzione di correzione di una fascola");
    if (!proc.essenziale([&] { CorreggiFascola(*ArchivioInUso(), selezionata(), nuova); })) return;
    VisEnvi();
}

void MascheraFascola::Cancella() {
    if (Selezionate->empty()) return;
    Procedura proc("Funzione di cancellazione di una fascola");
    // The rule is checked on the row that is deleted, whatever the mask shows meanwhile
    // (leaving the name box changes the code shown).
    const Fascola& riga = selezionata();

    auto rifiuto = [](Cancellazione motivo) {
        if (motivo == Cancellazione::HaIncarichi)
            ui::MessageService::show("Non si può cancellare una fascola che ha Incarichi associati");
        else
            ui::MessageService::show("Non si può cancellare una fascola che ha Competenze associate");
    };
    Cancellazione motivo = Cancellazione::Ammessa;
    if (!proc.essenziale([&] { motivo = CancellazioneAmmessa(*ArchivioInUso(), riga.cliente(), riga.npra()); }))
        return;
    if (motivo != Cancellazione::Ammessa) {
        rifiuto(motivo);
        return;
    }
    if (ui::MessageService::show("Confermare la cancellazione della fascola", {}, ui::Buttons::YesNo) !=
        ui::Answer::Yes)
        return;

    RecordInVisione = false;
    // Checked again together with the deletion: a task or fee item added meanwhile by another
    // workstation keeps the case file, and a row changed or replaced meanwhile is not deleted.
    if (!proc.essenziale([&] { motivo = CancellaFascola(*ArchivioInUso(), riga); })) return;
    if (motivo != Cancellazione::Ammessa) {
        rifiuto(motivo);
        return;
    }

    TogliInVisione();
}

// Prints nothing: it only clears away a file named after this moment, "mmdd", "hhmmss" and
// "mdb", from the start folder. One that is there and cannot be removed goes to the error
// handler.
void MascheraFascola::CmdStampafascola_Click() {
    Procedura proc("Funzione di stampa prospetto di una afascola");
    proc.esegui([] {
        const QString nome = basic::Today().toString("MMdd") + QTime::currentTime().toString("hhmmss") + "mdb";
        const QString file = QDir(AmbienteLavoro().CartellaAvvio).filePath(nome);
        if (!sys::RemoveFile(file)) throw ErroreAccessoFile(file);
    });
}
