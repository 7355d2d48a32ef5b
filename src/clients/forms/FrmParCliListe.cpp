#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "clients/engine/ParametriClienteListe.h"
#include "clients/forms/FrmParCli.h"
#include "clients/forms/ParCliArchivio.h"
#include "foundation/engine/Ambiente.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"

namespace {

const QString NonInElenco = QStringLiteral("l'elemento indicato non è compreso nell'elenco");

// The catalogue description of an element just checked, or "Non Definito" when it has gone
// from the catalogue meanwhile.
QString descrizioneNuovaRiga(db::Database& archivio, const QString& elemento) {
    const QString descrizione = DescrizioneElemento(archivio, elemento);
    return descrizione.isEmpty() ? QStringLiteral("Non Definito") : descrizione;
}

}  // namespace

void FrmParCli::DbcElementoFisso_LostFocus() {
    std::optional<ElementoDaFatturare> trovato;
    if (!parcli::InArchivio("Funzione di rilascio campo elemento a fatturazione fissa", [&](db::Database& a) {
            trovato = ElementoPerDescrizione(a, DbcElementoFisso->currentText());
        }))
        return;
    LblEleFisso->setText(trovato ? trovato->codice : QString());
}

void FrmParCli::DbcElementoListino_LostFocus() {
    std::optional<ElementoDaFatturare> trovato;
    if (!parcli::InArchivio("Funzione di rilascio elementto di listino per cliente", [&](db::Database& a) {
            trovato = ElementoPerDescrizione(a, DbcElementoListino->currentText());
        }))
        return;
    LblEleListino->setText(trovato ? trovato->codice : QString());
    LblListino->setText(trovato ? QString::fromStdString(trovato->importo.toPlainString()) : QStringLiteral("NON DEF."));
}

void FrmParCli::TxtListino_LostFocus() {
    if (TxtListino->text().isEmpty()) return;
    // A text that is no amount stays as typed, for the check to refuse.
    if (const std::optional<Currency> prezzo = PrezzoListino(TxtListino->text()))
        TxtListino->setText(basic::Format(*prezzo, AmbienteLavoro().FormatoImporto));
}

void FrmParCli::SvuotaVociFisse() {
    DbcElementoFisso->setEditText({});
    spegniApplicazioni();
    LblEleFisso->clear();
    DbcElementoFisso->setFocus();
}

void FrmParCli::SvuotaVociListino() {
    DbcElementoListino->setEditText({});
    TxtListino->clear();
    DbcPagamento->setEditText({});
    LblEleListino->clear();
    LblListino->clear();
    DbcElementoListino->setFocus();
}

void FrmParCli::CmdAggiungiFisso_Click() {
    const QString elemento = LblEleFisso->text();
    const QString applica = applicazioneScelta();
    std::optional<RifiutoRiga> rifiuto;
    if (!parcli::InArchivio("Funzione di verifica elementi a fatturazione fissa", [&](db::Database& a) {
            rifiuto = VerificaElementiFissi(a, ElementiFissi, elemento, applica);
        }))
        return;
    if (rifiuto) {
        ui::MessageService::show(rifiuto->messaggio);
        if (rifiuto->campo == RifiutoRiga::Applicazione)
            OptPerFascola->setFocus();
        else
            DbcElementoFisso->setFocus();
        return;
    }
    QString descrizione;
    if (!parcli::InArchivio("Funzione di aggiunta elemento fisso in parametri cliente",
                            [&](db::Database& a) { descrizione = descrizioneNuovaRiga(a, elemento); }))
        return;
    ElementiFissi.push_back({elemento, applica, descrizione});
    VuotaGrigliaFissi();
    MostraGrigliaFissi();
    SvuotaVociFisse();
}

void FrmParCli::CmdTogliFisso_Click() {
    if (!TogliElementoFisso(ElementiFissi, LblEleFisso->text())) {
        ui::MessageService::show(NonInElenco);
        DbcElementoFisso->setFocus();
        return;
    }
    VuotaGrigliaFissi();
    MostraGrigliaFissi();
    SvuotaVociFisse();
}

void FrmParCli::CmdAggiungilistino_Click() {
    const QString elemento = LblEleListino->text();
    const QString prezzo = TxtListino->text();
    const QString pagamento = DbcPagamento->currentText();
    std::optional<RifiutoRiga> rifiuto;
    if (!parcli::InArchivio("Funzione di verifica elementi a listino dedicato", [&](db::Database& a) {
            rifiuto = VerificaElementiListino(a, ElementiListino, elemento, prezzo, pagamento,
                                              AmbienteLavoro().CollegatoContabilita);
        }))
        return;
    if (rifiuto) {
        ui::MessageService::show(rifiuto->messaggio);
        switch (rifiuto->campo) {
        case RifiutoRiga::Prezzo: TxtListino->setFocus(); break;
        case RifiutoRiga::Pagamento: DbcPagamento->setFocus(); break;
        default: DbcElementoListino->setFocus(); break;
        }
        return;
    }
    QString descrizione;
    if (!parcli::InArchivio("Funzione di aggiunta listino in parametri contabilità",
                            [&](db::Database& a) { descrizione = descrizioneNuovaRiga(a, elemento); }))
        return;
    ElementiListino.push_back({elemento, *PrezzoListino(prezzo), PagamentoListino(pagamento), descrizione});
    VuotaGrigliaListino();
    MostraGrigliaListino();
    SvuotaVociListino();
}

void FrmParCli::CmdTogliListino_Click() {
    if (!TogliRigaListino(ElementiListino, LblEleListino->text())) {
        ui::MessageService::show(NonInElenco);
        DbcElementoListino->setFocus();
        return;
    }
    VuotaGrigliaListino();
    MostraGrigliaListino();
    SvuotaVociListino();
}
