// The invoice tab's line editing: the grid click that loads a line, the element chosen for a
// new line and its defaults, the amount boxes, and the commands that add, insert, correct
// and remove lines. Every change works on the lines in memory only.
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "casefiles/forms/FrmFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "invoice/forms/FascolaInFattura.h"
#include "invoice/forms/FrmDettElemFattura.h"
#include "invoice/forms/TabFattura.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"

namespace {

const QString MessaggioElementoCancellato = QStringLiteral("Sono stati cancellati elementi usati in fascola");

}  // namespace

// --- Buttons and fields.

void TabFattura::F_AbilitaPulsanti(QString& maschera) {
    maschera = basic::Left(maschera, 6) + "000000";
    QPushButton* const pulsanti[] = {F_CmdVediAltriDati, F_CmdVuota, F_CmdAnnulla,
                                     F_CmdAggiungi,      F_CmdCorreggi, F_CmdTogli};
    for (int i = 0; i < 6; ++i) {
        const QChar c = maschera[i];
        if (c != u'*') pulsanti[i]->setEnabled(c == u'1');
    }
}

void TabFattura::F_AbilitaElemento(bool abilita) {
    F_DbcElemento->setEnabled(abilita);
    F_DbcDescrizione->setEnabled(abilita);
}

void TabFattura::F_AbilitaDescrizione(bool abilita) { F_TxtDescrizione->setEnabled(abilita); }

void TabFattura::F_AbilitaImporti(bool abilita) {
    for (QLineEdit* box : {F_TxtImporto, F_TxtFattore, F_TxtImpofatt}) box->setEnabled(abilita);
    F_TxtImporto->setVisible(abilita);
    F_TxtFattore->setVisible(abilita);
    if (!abilita) {
        F_LblCheCao->clear();
        F_LblFattore->clear();
    }
}

void TabFattura::F_PulisciCampi() {
    F_DbcElemento->setEditText({});
    F_DbcDescrizione->setEditText({});
    F_TxtDescrizione->clear();
    F_LblCheCao->clear();
    F_TxtImporto->clear();
    F_TxtImporto->setEnabled(false);
    F_TxtImporto->setVisible(false);
    F_LblFattore->clear();
    F_TxtFattore->clear();
    F_TxtFattore->setEnabled(false);
    F_TxtFattore->setVisible(false);
    QString maschera = "010000";
    F_AbilitaPulsanti(maschera);
    F_AbilitaElemento(false);
    F_TxtDescrizione->setEnabled(false);
    F_TxtImpofatt->clear();
    F_TxtImpofatt->setEnabled(false);
    casoCalcolo_ = CasoCalcolo::Nessuno;
    elementoMostrato_.reset();
    // What stays in the fields' staging is no longer a line of the table: the detail dialog
    // must not write into one.
    FatturaInComposizione().RigaFatturaInCorso.Modo = 0;
}

CampiImporto TabFattura::campiImporto() const {
    CampiImporto c;
    c.LblCheCao = F_LblCheCao->text();
    c.LblFattore = F_LblFattore->text();
    c.Importo = F_TxtImporto->text();
    c.ImportoAttivo = F_TxtImporto->isEnabled();
    c.Fattore = F_TxtFattore->text();
    c.FattoreAttivo = F_TxtFattore->isEnabled();
    c.Impofatt = F_TxtImpofatt->text();
    return c;
}

void TabFattura::mostraImporti(const CampiImporto& c) {
    F_LblCheCao->setText(c.LblCheCao);
    F_LblFattore->setText(c.LblFattore);
    F_TxtImporto->setEnabled(c.ImportoAttivo);
    F_TxtImporto->setVisible(c.ImportoAttivo);
    F_TxtImporto->setText(c.Importo);
    F_TxtFattore->setEnabled(c.FattoreAttivo);
    F_TxtFattore->setVisible(c.FattoreAttivo);
    F_TxtFattore->setText(c.Fattore);
    F_TxtImpofatt->setEnabled(true);
    F_TxtImpofatt->setVisible(true);
    F_TxtImpofatt->setText(c.Impofatt);
}

CampiRiga TabFattura::campiRiga() const {
    return {F_DbcElemento->currentText(), F_TxtDescrizione->text(), F_TxtImporto->text(), F_TxtFattore->text(),
            F_TxtImpofatt->text()};
}

// --- The grid.

void TabFattura::F_FlxFattura_Click(int riga) {
    Evidenziatore& evidenzia = finestra_.Evidenziazione;
    evidenzia.RigaCliccata = riga;
    rigaCliccataFattura_ = riga;
    F_FlxFattura->setCol(0);
    const QString k = basic::Left(F_FlxFattura->text(riga, 0), 1);
    if (k == "I" || k == "L") {
        evidenzia.EvidenziaRiga("F", 1);
        F_PulisciCampi();
        return;
    }
    if (k != "E") return;

    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    const TabellaRigheVisualizzate& righe = fattura.RigheVisualizzate;
    if (!righe.contiene(riga) || !fattura.RigheFattura.contiene(righe.riga(riga).IndiceRiga)) return;
    fattura.RigaCorrente = righe.riga(riga).IndiceRiga;
    const RigaFattura& linea = fattura.RigheFattura.riga(fattura.RigaCorrente);

    Procedura proc("Funzione di puntamento a riga fattura");
    std::optional<ElementoDaFatturare> elemento;
    Connessione s = sessione(proc.descrizione());
    if (!s || !proc.essenziale([&] { elemento = ElementoPerCodice(*s, linea.elemento); })) return;
    if (!elemento) {
        ui::MessageService::show(MessaggioElementoCancellato);
        // Nothing of the line is loaded, so nothing of the previous one may stay in the fields.
        evidenzia.EvidenziaRiga("F", 0);
        F_PulisciCampi();
        return;
    }

    evidenzia.EvidenziaRiga("F", 1);
    F_AbilitaElemento(true);
    F_AbilitaDescrizione(true);
    F_AbilitaImporti(true);
    F_DbcElemento->setEditText(linea.elemento);
    F_DbcDescrizione->setEditText(elemento->descrizione);
    F_AbilitaElemento(false);
    F_TxtDescrizione->setText(linea.descrizione);
    F_TxtDescrizione->setEnabled(true);
    casoCalcolo_ = CasoDiCalcolo(elemento->calcolo, elemento->tipo);
    elementoMostrato_ = elemento;
    mostraImporti(DefinizioneCalcoloRiga(*elemento, linea, campiImporto()));
    QString maschera = "111011";
    F_AbilitaPulsanti(maschera);

    RigaFatturaInCorsoRec& inCorso = fattura.RigaFatturaInCorso;
    inCorso.Ntask = linea.ntask;
    inCorso.Njob = linea.njob;
    inCorso.AverePn = linea.averepn;
    inCorso.DarePn = linea.darepn;
    inCorso.Ricavi = linea.ricavi;
    inCorso.Pagamento = linea.pagamento;
    inCorso.CodiceIva = linea.CodiceIva;
    inCorso.IvaBloccata = linea.IvaBloccata;
    inCorso.Modo = 1;
}

bool TabFattura::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == F_FlxFattura->viewport() && evento->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() == Qt::RightButton) F_FlxFattura_MouseDown(mouse->globalPosition().toPoint());
    }
    return QWidget::eventFilter(oggetto, evento);
}

void TabFattura::F_FlxFattura_MouseDown(const QPoint& dove) {
    if (F_CmdAggiungi->isEnabled() && rigaCliccataFattura_ > 0) mnurapido->popup(dove);
}

// --- A new element.

void TabFattura::F_DbcElemento_LostFocus() {
    if (F_DbcDescrizione->currentText().isEmpty() && !F_DbcElemento->currentText().isEmpty())
        DefinizioneDefaultFattura(SceltaElemento::PerCodice);
}

void TabFattura::F_DbcDescrizione_LostFocus() {
    if (F_DbcElemento->currentText().isEmpty() && !F_DbcDescrizione->currentText().isEmpty())
        DefinizioneDefaultFattura(SceltaElemento::PerDescrizione);
}

void TabFattura::DefinizioneDefaultFattura(SceltaElemento modo) {
    Connessione s = sessione("Funzione di definizione default fattura");
    if (!s) return;
    const QString scelto = modo == SceltaElemento::PerCodice ? F_DbcElemento->currentText()
                                                             : F_DbcDescrizione->currentText();
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    const EsitoDefault esito = ::DefinizioneDefaultFattura(*s, modo, scelto, FascolaSulTab().Cliente,
                                                           AmbienteLavoro().CollegatoContabilita, fattura);
    if (esito.ElementoInesistente) {
        ui::MessageService::show(MessaggioElementoAnomalo);
        return;
    }
    if (!esito.Default) return;
    const DefaultRigaFattura& d = *esito.Default;
    if (modo == SceltaElemento::PerCodice) F_DbcDescrizione->setEditText(d.Elemento.descrizione);
    else F_DbcElemento->setEditText(d.Elemento.codice);
    F_TxtDescrizione->setText(d.Elemento.descrizione);

    RigaFatturaInCorsoRec& inCorso = fattura.RigaFatturaInCorso;
    inCorso.Pagamento = d.Pagamento;
    inCorso.DarePn = d.DarePn;
    inCorso.AverePn = d.AverePn;
    inCorso.Ricavi = d.Ricavi;
    inCorso.Ntask = d.Ntask;
    inCorso.Njob = d.Njob;
    inCorso.CodiceIva = d.CodiceIva;
    inCorso.IvaBloccata = false;
    // A line being composed: the detail dialog writes into no line of the table.
    inCorso.Modo = 0;

    QString maschera = "111100";
    F_AbilitaPulsanti(maschera);
    F_AbilitaDescrizione(true);
    F_AbilitaImporti(true);
    casoCalcolo_ = CasoDiCalcolo(d.Elemento.calcolo, d.Elemento.tipo);
    elementoMostrato_ = d.Elemento;
    std::optional<Currency> prezzo;
    if (d.Listino) prezzo = d.Listino->Importo;
    mostraImporti(DefinizioneCalcolo(d.Elemento, prezzo, nullptr, campiImporto()));
}

void TabFattura::F_TxtImporti_LostFocus() {
    if (const auto impofat = ImportoDaFattore(casoCalcolo_, F_TxtImporto->text(), F_TxtFattore->text()))
        F_TxtImpofatt->setText(*impofat);
}

// --- Check and commands.

std::optional<QString> TabFattura::verificaRiga(int sostituita) {
    Connessione s = sessione("Funzione di verifica dati form fattura");
    if (!s) return std::nullopt;
    const EsitoVerificaRiga esito =
        ::VerificaDatiFattura(*s, campiRiga(), elementoMostrato_ ? &*elementoMostrato_ : nullptr,
                              sostituita == 0 ? ScopoVoce::Aggiunta : ScopoVoce::Correzione);
    if (!esito.Valida) {
        if (esito.Messaggio.isEmpty()) return std::nullopt;
        ui::MessageService::show(esito.Messaggio);
        QWidget* campo = F_DbcElemento;
        if (esito.Campo == CampoRiga::Descrizione) campo = F_TxtDescrizione;
        if (esito.Campo == CampoRiga::Importo) campo = F_TxtImporto;
        if (esito.Campo == CampoRiga::Fattore) campo = F_TxtFattore;
        if (esito.Campo == CampoRiga::Impofatt) campo = F_TxtImpofatt;
        campo->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    if (F_TxtImpofatt->text().isEmpty()) F_TxtImpofatt->setText("0,00");
    if (const auto fuoriMisura =
            VerificaTotaleFattura(FatturaInComposizione().RigheFattura, F_TxtImpofatt->text(), sostituita)) {
        ui::MessageService::show(*fuoriMisura);
        F_TxtImpofatt->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    return esito.Calcolo;
}

bool TabFattura::VerificaDatiFattura() { return verificaRiga().has_value(); }

void TabFattura::InserimentoNuovaRiga(QChar modo) {
    const std::optional<QString> calcolo = verificaRiga();
    if (!calcolo) return;
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    const FascolaInFattura fascola = FascolaSulTab();
    Procedura proc("Funzione di inserimento nuova riga");
    int p = 0;
    // The line is built whole before it enters the table: an amount that cannot be read
    // leaves the table as it was.
    if (!proc.essenziale([&] {
            RigaFattura nuova = NuovaRigaFattura(campiRiga(), fattura.RigaFatturaInCorso, fascola.Cliente,
                                                 fascola.Npra, *calcolo, basic::Today());
            const int n = fattura.RigheFattura.NumeroRighe() + 1;
            p = fattura.RigheFattura.inserisci(PosizioneInserimento(modo, fattura.RigaSelezionata(), n),
                                               std::move(nuova));
        }))
        return;
    DefinizioneRigaFattura();
    VisualizzazioneElementiDaFatturare();
    F_PulisciCampi();
    fattura.RigaCorrente = p;
}

void TabFattura::F_CmdAggiungi_Click() {
    InserimentoNuovaRiga(u'F');
    F_AbilitaFattura();
}

void TabFattura::F_CmdCorreggi_Click() {
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    const std::optional<QString> calcolo = verificaRiga(fattura.RigaSelezionata());
    if (!calcolo) return;
    RigaFattura* linea = fattura.LineaSelezionata();
    if (!linea) return;
    Procedura proc("Funzione di correzione dati in fascola");
    if (!proc.essenziale([&] { CorreggiRigaFattura(*linea, campiRiga(), fattura.RigaFatturaInCorso, *calcolo); }))
        return;
    DefinizioneRigaFattura();
    VisualizzazioneElementiDaFatturare();
    F_PulisciCampi();
    F_AbilitaFattura();
}

void TabFattura::F_CmdTogli_Click() {
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    if (!fattura.RigheFattura.rimuovi(fattura.RigaSelezionata())) return;
    if (fattura.RigheFattura.vuota()) {
        fattura.RigheVisualizzate.svuota();
        F_StatoIniziale();
    } else {
        DefinizioneRigaFattura();
        VisualizzazioneElementiDaFatturare();
        F_PulisciCampi();
    }
    fattura.RigaCorrente = 0;
}

void TabFattura::F_CmdVuota_Click() {
    F_VuotaGriglia();
    F_AzzeraRighe();
    F_StatoIniziale();
    FatturaInComposizione().RigaCorrente = 0;
}

void TabFattura::F_CmdAnnulla_Click() {
    F_PulisciCampi();
    F_AbilitaElemento(true);
}

void TabFattura::F_CmdVediAltriDati_Click() {
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    fattura.RigaFatturaInCorso.Descrizione = F_DbcDescrizione->currentText();
    const FascolaInFattura fascola = FascolaSulTab();
    FrmDettElemFattura dialogo(fascola.Cliente, fascola.Npra, this);
    // A line of the table changed by the dialog is shown again, so that the totals under the
    // grid are those the document will carry.
    if (dialogo.exec() == QDialog::Accepted && dialogo.RigaScritta()) {
        DefinizioneRigaFattura();
        VisualizzazioneElementiDaFatturare();
    }
}
