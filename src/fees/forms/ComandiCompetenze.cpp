// The fee-item tab's entry: the element chosen and its defaults, the amount boxes of its
// mode, the grid click that loads a stored item, and the five commands.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "accounting/engine/ElenchiContabili.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/SchedaVoci.h"
#include "fees/engine/ComandiCompetenza.h"
#include "fees/engine/DettaglioCompetenza.h"
#include "fees/forms/FrmDettaglioElemento.h"
#include "fees/forms/TabCompetenze.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"

namespace {

const QString MessaggioElementoCancellato =
    QStringLiteral("E' stato cancellato un elemento in uso, ripristinare la normale condizione");

QString testoData(const QDate& data) { return basic::Format(data, QStringLiteral("dd/mm/yyyy")); }

}  // namespace

void TabCompetenze::collegaEventi() {
    const auto elenco = [this](std::vector<ui::ComboRow> (*leggi)(db::Database&)) {
        return [this, leggi] {
            std::vector<ui::ComboRow> righe;
            Procedura proc("Funzione di lista elementi da fatturare");
            if (Connessione s = sessione(proc.descrizione())) proc.esegui([&] { righe = leggi(*s); });
            return righe;
        };
    };
    C_DbcElemento->setRefill(elenco(ElencoCodiciElementi));
    C_DbcDescrizEle->setRefill(elenco(ElencoDescrizioniElementi));
    // Not linked, the payment is a number of days typed by hand: there is no list to offer.
    C_DbcPagamento->setRefill([this] {
        std::vector<ui::ComboRow> righe;
        if (!AmbienteLavoro().CollegatoContabilita) return righe;
        Procedura proc("Funzione di lista codici di pagamento");
        if (Connessione s = ArchivioContabileInUso(proc)) proc.esegui([&] { righe = ElencoCodiciPagamento(*s); });
        return righe;
    });
    ui::onFocusChange(*C_DbcElemento, {}, [this] { C_DbcElemento_LostFocus(); });
    ui::onFocusChange(*C_DbcDescrizEle, {}, [this] { C_DbcDescrizEle_LostFocus(); });
    OggiQuandoSiEntraVuota(*C_TxtData);
    for (QLineEdit* box : {C_TxTImporto, C_TxtFattore}) {
        connect(box, &QLineEdit::textEdited, this, [this] { daRicalcolare_ = true; });
        ui::onFocusChange(*box, {}, [this] { C_CalcoloImpoFatt(); });
    }

    connect(C_FlxCompetenze, &ui::Grid::clicked, this, &TabCompetenze::C_FlxCompetenze_Click);
    connect(C_CmdAggiungi, &QPushButton::clicked, this, &TabCompetenze::C_CmdAggiungi_Click);
    connect(C_CmdCorreggi, &QPushButton::clicked, this, &TabCompetenze::C_CmdCorreggi_Click);
    connect(C_CmdCancella, &QPushButton::clicked, this, &TabCompetenze::C_CmdCancella_Click);
    connect(C_CmdVuota, &QPushButton::clicked, this, &TabCompetenze::C_CmdVuota_Click);
    connect(C_CmdVediAltriDati, &QPushButton::clicked, this, &TabCompetenze::C_CmdVediAltriDati_Click);
}

Connessione TabCompetenze::sessione(const QString& descrizione) {
    Procedura proc(descrizione);
    return ArchivioInUso(proc);
}

// --- The element chosen and its amount boxes.

// The defaults apply only while the other combo of the pair is empty: once both show an
// element, leaving either changes nothing.
void TabCompetenze::C_DbcElemento_LostFocus() {
    if (C_DbcDescrizEle->currentText().isEmpty() && !C_DbcElemento->currentText().isEmpty())
        DefinizioneDefault(SceltaElemento::PerCodice);
}

void TabCompetenze::C_DbcDescrizEle_LostFocus() {
    if (C_DbcElemento->currentText().isEmpty() && !C_DbcDescrizEle->currentText().isEmpty())
        DefinizioneDefault(SceltaElemento::PerDescrizione);
}

void TabCompetenze::DefinizioneDefault(SceltaElemento modo) {
    Connessione s = sessione("Funzione di definizione dei default");
    if (!s) return;
    const QString scelto =
        modo == SceltaElemento::PerCodice ? C_DbcElemento->currentText() : C_DbcDescrizEle->currentText();
    const EsitoDefaultCompetenza esito = ::DefinizioneDefault(
        *s, modo, scelto, FascolaCorrente().CodiceClienteCorrente(), AmbienteLavoro().CollegatoContabilita);
    if (esito.ElementoInesistente) {
        ui::MessageService::show(MessaggioElementoAnomalo);
        return;
    }
    if (!esito.Default) return;
    const DefaultCompetenza& d = *esito.Default;
    if (modo == SceltaElemento::PerCodice) C_DbcDescrizEle->setEditText(d.Elemento.descrizione);
    else C_DbcElemento->setEditText(d.Elemento.codice);
    C_TxtDescrizione->setText(d.Elemento.descrizione);
    std::optional<Currency> prezzo;
    if (d.Listino) prezzo = d.Listino->Importo;
    C_DefinizioneCalcolo(d.Elemento, prezzo, nullptr);
    C_DbcPagamento->setEditText(d.Pagamento);
    C_TxtData->setText(testoData(basic::Today()));
    dettaglio_ = d.Dettaglio;
    elementoMostrato_ = d.Elemento;
}

void TabCompetenze::C_DefinizioneCalcolo(const ElementoDaFatturare& elemento,
                                         const std::optional<Currency>& prezzoCliente,
                                         const Competenza* memorizzata) {
    const CasoCalcolo caso = CasoDiCalcolo(elemento.calcolo, elemento.tipo);
    // A pair no layout names leaves the boxes, their captions and the mode as they were.
    if (caso == CasoCalcolo::Nessuno) return;
    CampiImporto c;
    c.LblCheCao = C_LblCheCao->text();
    c.LblFattore = C_LblFattore->text();
    c.Importo = C_TxTImporto->text();
    c.ImportoAttivo = C_TxTImporto->isEnabled();
    c.Fattore = C_TxtFattore->text();
    c.FattoreAttivo = C_TxtFattore->isEnabled();
    c.Impofatt = C_TxtImpoFatt->text();
    c = DefinizioneCalcolo(elemento, prezzoCliente, memorizzata, c);

    C_LblCheCao->setText(c.LblCheCao);
    C_LblFattore->setText(c.LblFattore);
    C_TxTImporto->setEnabled(c.ImportoAttivo);
    C_TxTImporto->setVisible(c.ImportoAttivo);
    C_TxTImporto->setText(c.Importo);
    C_TxtFattore->setEnabled(c.FattoreAttivo);
    C_TxtFattore->setVisible(c.FattoreAttivo);
    C_TxtFattore->setText(c.Fattore);
    C_TxtImpoFatt->setEnabled(true);
    C_TxtImpoFatt->setVisible(true);
    C_TxtImpoFatt->setText(c.Impofatt);
    modoCalcolo_ = caso;
    // A new item's proposed amount and factor have not made its amount to invoice yet; a
    // stored item's amount to invoice is what was stored, until the user changes a box.
    daRicalcolare_ = memorizzata == nullptr;
}

void TabCompetenze::C_CalcoloImpoFatt() {
    if (!daRicalcolare_) return;
    if (const auto impofat = ImportoDaFattore(modoCalcolo_, C_TxTImporto->text(), C_TxtFattore->text())) {
        C_TxtImpoFatt->setText(*impofat);
        daRicalcolare_ = false;
    }
}

// --- The grid.

void TabCompetenze::C_FlxCompetenze_Click(int riga) {
    FascolaCorrenteRec& f = FascolaCorrente();
    destinazioneSalvata_ = std::pair{f.NtaskCompetenze(), f.NjobCompetenze()};
    finestra_.Evidenziazione.RigaCliccata = riga;
    C_FlxCompetenze->setCol(0);
    if (riga < 1 || riga > int(righe_.size())) return;  // a line without a fee item
    const ChiaveCompetenza mostrata = righe_[size_t(riga - 1)].chiave();
    f.DestinaCompetenze(mostrata.ntask, mostrata.njob);

    Procedura proc("Funzione di pntamento a competenza");
    Connessione s = ArchivioInUso(proc);
    std::optional<CompetenzaLetta> letta;
    if (!s || !proc.essenziale([&] { letta = LeggiCompetenza(*s, mostrata); })) return;
    // Deleted meanwhile by another workstation: nothing to load.
    if (!letta) return;
    std::optional<ElementoDaFatturare> elemento;
    if (!proc.essenziale([&] { elemento = ElementoPerCodice(*s, letta->elemento); })) return;
    if (!elemento) {
        ui::MessageService::show(MessaggioElementoCancellato);
        return;
    }

    finestra_.Evidenziazione.EvidenziaRiga("C", 1);
    C_AbilitaElemento(true);
    C_AbilitaDescrizione(true);
    C_AbilitaImporti(true);
    C_DbcElemento->setEditText(letta->elemento);
    C_DbcDescrizEle->setEditText(elemento->descrizione);
    C_AbilitaElemento(false);
    C_TxtDescrizione->setText(letta->descrizione);
    C_DbcPagamento->setEditText(letta->pagamento);
    C_TxtData->setText(testoData(letta->data));
    C_DefinizioneCalcolo(*elemento, std::nullopt, &*letta);
    // A pair no layout names keeps what the boxes held: nothing is worked out from it.
    daRicalcolare_ = false;

    static_cast<Competenza&>(dettaglio_) = *letta;
    dettaglio_.DescrizioneElemento = elemento->descrizione;
    caricata_ = std::move(letta);
    elementoMostrato_ = std::move(elemento);
}

// --- Commands.

CampiCompetenza TabCompetenze::campi() const {
    return {C_DbcElemento->currentText(), C_TxtDescrizione->text(), C_TxTImporto->text(), C_TxtFattore->text(),
            C_TxtImpoFatt->text(),        C_DbcPagamento->currentText(), C_TxtData->text()};
}

ChiaveCompetenza TabCompetenze::chiave() const {
    const FascolaCorrenteRec& f = FascolaCorrente();
    return {f.CodiceClienteCorrente(), f.NpraCorrente(), f.NtaskCompetenze(), f.NjobCompetenze(),
            C_DbcElemento->currentText()};
}

bool TabCompetenze::VerificaCoerenzaDati(ScopoVoce scopo) {
    Connessione s = sessione("Funzione di verifica coerenza dati inseriti");
    if (!s) return false;
    const EsitoVerifica esito = ::VerificaCoerenzaDati(*s, campi(), mostrato(), scopo);
    if (esito.Valida) return true;
    if (esito.Messaggio.isEmpty()) return false;  // the error handler was told
    ui::MessageService::show(esito.Messaggio);
    QWidget* campo = C_DbcElemento;
    switch (esito.Campo) {
    case CampoCompetenza::Elemento: break;
    case CampoCompetenza::Descrizione: campo = C_TxtDescrizione; break;
    case CampoCompetenza::Importo: campo = C_TxTImporto; break;
    case CampoCompetenza::Fattore: campo = C_TxtFattore; break;
    case CampoCompetenza::Impofatt: campo = C_TxtImpoFatt; break;
    case CampoCompetenza::Pagamento: campo = C_DbcPagamento; break;
    case CampoCompetenza::Data: campo = C_TxtData; break;
    }
    // A new item's description, payment and date are taken as proposed; when the proposal
    // is what fails, the user is let into that field to put it right.
    if (campo == C_TxtDescrizione || campo == C_DbcPagamento || campo == C_TxtData) campo->setEnabled(true);
    campo->setFocus(Qt::OtherFocusReason);
    return false;
}

void TabCompetenze::aggiornaDopoComando() {
    C_PulisciCampi();
    C_AbilitaImporti(false);
    C_AbilitaDescrizione(false);
    C_AbilitaElemento(true);
    C_MostraGriglia();
}

void TabCompetenze::C_CmdAggiungi_Click() {
    if (!VerificaCoerenzaDati(ScopoVoce::Aggiunta)) return;
    if (!FascolaCorrente().InVisione()) return;
    Connessione s = sessione("Funzione di aggiunta di un elemento in fascola");
    if (!s) return;
    const ChiaveCompetenza k = chiave();
    switch (AggiungiCompetenza(*s, k, campi(), dettaglio_, mostrato())) {
    case EsitoCompetenza::Registrata: break;
    case EsitoCompetenza::Duplicata: ui::MessageService::show(MessaggioDuplicata(k.elemento)); break;
    default: return;
    }
    aggiornaDopoComando();
}

void TabCompetenze::C_CmdCorreggi_Click() {
    if (!VerificaCoerenzaDati(ScopoVoce::Correzione)) return;
    if (!FascolaCorrente().InVisione()) return;
    Connessione s = sessione("Funzione di correzione elemento in fascola");
    if (!s) return;
    switch (CorreggiCompetenza(*s, chiave(), campi(), dettaglio_, caricata_ ? &*caricata_ : nullptr, mostrato())) {
    case EsitoCompetenza::Registrata: aggiornaDopoComando(); return;
    case EsitoCompetenza::NonDefinita: ui::MessageService::show(MessaggioNonDefinita); return;
    case EsitoCompetenza::Fatturata: ui::MessageService::show(MessaggioFatturataCorreggi); return;
    case EsitoCompetenza::Contabilizzata: ui::MessageService::show(MessaggioContabilizzataCorreggi); return;
    default: return;
    }
}

void TabCompetenze::C_CmdCancella_Click() {
    if (C_DbcElemento->currentText().isEmpty()) {
        ui::MessageService::show(MessaggioCancellaVuoto);
        return;
    }
    if (!FascolaCorrente().InVisione()) return;
    Connessione s = sessione("Funzione di cancellazione di un elemento in fascola");
    if (!s) return;
    switch (CancellaCompetenza(*s, chiave(), caricata_ ? &*caricata_ : nullptr)) {
    case EsitoCompetenza::Registrata: aggiornaDopoComando(); return;
    case EsitoCompetenza::NonDefinita: ui::MessageService::show(MessaggioNonDefinita); return;
    case EsitoCompetenza::Fatturata: ui::MessageService::show(MessaggioFatturataCancella); return;
    case EsitoCompetenza::Contabilizzata: ui::MessageService::show(MessaggioContabilizzataCancella); return;
    default: return;
    }
}

void TabCompetenze::C_CmdVuota_Click() {
    const bool inVisione = FascolaCorrente().InVisione();
    C_PulisciCampi();
    C_AbilitaImporti(false);
    C_AbilitaDescrizione(false);
    C_AbilitaElemento(inVisione);
    finestra_.Evidenziazione.EvidenziaRiga("C", 0);
    // New items go back to the task and job chosen before the last click on the grid.
    if (inVisione && destinazioneSalvata_)
        FascolaCorrente().DestinaCompetenze(destinazioneSalvata_->first, destinazioneSalvata_->second);
}

void TabCompetenze::C_CmdVediAltriDati_Click() {
    FrmDettaglioElemento dialogo(dettaglio_, this);
    dialogo.exec();
}
