#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTime>
#include <algorithm>
#include <memory>
#include <optional>

#include "casefiles/engine/ClientiFascola.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/MascheraFascola.h"
#include "casefiles/engine/NumerazioneFascole.h"
#include "casefiles/engine/ProssimoNumero.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"

namespace {

// What the code label shows for a name that matched no client.
const QString ClienteNonDefinito = QStringLiteral("NON DEFINITO");

void NumerazioneEsaurita() {
    ui::MessageService::show("Numerazione delle fascole esaurita: non è possibile aggiungere altre fascole");
}

}  // namespace

void MascheraFascola::DbcNomeCliente_LostFocus() {
    const QString nome = DbcNomeCliente->currentText();
    if (nome.isEmpty()) return;
    FascolaCorrente().NomeClienteCorrente = nome;

    Procedura proc("Funzione di definizione nome cliente");
    std::optional<QString> codice;
    if (!proc.essenziale([&] { codice = CodiceDelCliente(nome); })) return;
    if (codice) {
        LblCodiceCliente->setText(*codice);
        FascolaCorrente().CodiceClienteCorrente = *codice;
    } else {
        LblCodiceCliente->setText(ClienteNonDefinito);
    }

    // Only a new case file gets a number proposed.
    if (ModoOperativo != ModoInserimento) return;
    std::optional<QString> npra;
    if (!proc.essenziale([&] {
            auto archivio = db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString());
            npra = ProssimoNumero(UltimoNpra(*archivio, LblCodiceCliente->text()));
        }))
        return;
    if (!npra) NumerazioneEsaurita();
    LblNpra->setText(npra.value_or(QString()));
    FascolaCorrente().NpraCorrente = npra.value_or(QString());
}

void MascheraFascola::cmdAggiungiFascola_Click() {
    abilitaPulsanti(false, false, false, false, true, true, true);
    FrmCriteriRicerca->setVisible(false);
    mostraAzione("Inserimento nuova Fascola");
    ModoOperativo = ModoInserimento;
    AbilitaCampi();
    PulisciCampi();
    TxtData->setText(basic::Today().toString("dd/MM/yyyy"));
    ChkStato->setChecked(true);
    DbcNomeCliente->setFocus();
}

void MascheraFascola::cmdConfermaFascola_Click() {
    if (!Verificatore()) return;
    if (ModoOperativo != ModoInserimento) return;

    // A case file stored under a code that is no client would carry its fee items to nobody.
    const QString cliente = LblCodiceCliente->text();
    if (basic::Trim(cliente).isEmpty() || cliente == ClienteNonDefinito) {
        ui::MessageService::show("Cliente non definito: scegliere un cliente esistente");
        DbcNomeCliente->setFocus();
        return;
    }

    NuovaFascola nuova{cliente,         criterioScelto(),       TxtData->text(),         TxtNote->text(),
                       LblNpra->text(), TxtRifCli->text(),      ChkStato->isChecked(),   {}};
    switch (ConfermaNuovaFascola(nuova)) {
    case EsitoConferma::Registrata: break;
    case EsitoConferma::NumerazioneEsaurita: NumerazioneEsaurita(); return;
    case EsitoConferma::NonRegistrata: return;
    }
    LblNpra->setText(nuova.npra);
    FascolaCorrente().NpraCorrente = nuova.npra;
    if (!nuova.numeroAssoluto.primoDellAnno)
        ui::MessageService::show("Numero assegnato: " + nuova.numeroAssoluto.numero, "NUMERAZIONE ASSOLUTA FASCOLE");

    if (ElementiFatturazioneFissa) ElementiFatturazioneFissa(cliente, nuova.npra);

    PulisciCampi();
    DbcNomeCliente->setFocus();
}

void MascheraFascola::cmdCorreggiFascola_Click() {
    if (!Verificatore()) return;
    if (!RsSelezionati) return;
    const QString criterio = criterioScelto();
    Procedura proc("Funzione di correzione di una fascola");
    const bool corretta = proc.essenziale([&] {
        const QString data = DataInArchivio(TxtData->text());
        RsSelezionati->Edit();
        RsSelezionati->setField("criterio", criterio);
        RsSelezionati->setField("data", data);
        RsSelezionati->setField("camponote", TxtNote->text());
        RsSelezionati->setField("rifcli", TxtRifCli->text());
        RsSelezionati->setField("stato", ChkStato->isChecked());
        RsSelezionati->Update();
    });
    if (!corretta) {
        RsSelezionati->CancelUpdate();
        return;
    }
    VisEnvi();
}

void MascheraFascola::cmdCancellaFascola_Click() {
    if (!RsSelezionati || !DbSelezionati) return;
    Procedura proc("Funzione di cancellazione di una fascola");
    // The rule is checked on the row that is deleted, whatever the labels show meanwhile
    // (leaving the name box changes the code label).
    QString cliente, npra;
    if (!proc.essenziale([&] {
            cliente = RsSelezionati->field("cliente").toText<QString>();
            npra = RsSelezionati->field("npra").toText<QString>();
        }))
        return;

    auto rifiuto = [](Cancellazione motivo) {
        if (motivo == Cancellazione::HaIncarichi)
            ui::MessageService::show("Non si può cancellare una fascola che ha Incarichi associati");
        else
            ui::MessageService::show("Non si può cancellare una fascola che ha Competenze associate");
    };
    Cancellazione motivo = Cancellazione::Ammessa;
    if (!proc.essenziale([&] { motivo = CancellazioneAmmessa(*DbSelezionati, cliente, npra); })) return;
    if (motivo != Cancellazione::Ammessa) {
        rifiuto(motivo);
        return;
    }
    if (ui::MessageService::show("Confermare la cancellazione della fascola", {}, ui::Buttons::YesNo) !=
        ui::Answer::Yes)
        return;

    FascolaInVisione = false;
    // Checked again together with the deletion: a task or fee item added meanwhile by another
    // workstation keeps the case file.
    if (!proc.essenziale([&] {
            db::Transaction scrittura(*DbSelezionati);
            motivo = CancellazioneAmmessa(*DbSelezionati, cliente, npra);
            if (motivo != Cancellazione::Ammessa) return;
            RsSelezionati->Delete();
            scrittura.commit();
        }))
        return;
    if (motivo != Cancellazione::Ammessa) {
        rifiuto(motivo);
        return;
    }

    --NumSelezionati;
    if (NumSelezionati < 1) {
        AnnullaAzione();
        return;
    }
    PosSelezionata = std::min(PosSelezionata, NumSelezionati);
    didascaliaNavigatore(false);
    posizionaRisultato();
    Visualizza();
    VisEnvi();
    FascolaInVisione = true;
}

void MascheraFascola::cmdAnnullaFascola_Click() { AnnullaAzione(); }

// Prints nothing: it only clears away a file named after this moment, "mmdd", "hhmmss" and
// "mdb", from the start folder.
void MascheraFascola::CmdStampafascola_Click() {
    const QString nome = basic::Today().toString("MMdd") + QTime::currentTime().toString("hhmmss") + "mdb";
    const QString file = QDir(AmbienteLavoro().CartellaAvvio).filePath(nome);
    if (QFile::exists(file)) QFile::remove(file);
}
