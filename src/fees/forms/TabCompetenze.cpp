#include "fees/forms/TabCompetenze.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <QHash>
#include <memory>
#include <vector>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/EtichetteValore.h"
#include "casefiles/forms/FrmFascola.h"
#include "fees/engine/CompetenzeFascola.h"
#include "fees/engine/DettaglioCompetenza.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"

namespace {

// The grid's lines without a fee item.
constexpr int RigheVuote = 15;
constexpr int RigheMinime = 11;
constexpr int Colonne = 9;

// An amount above zero as the program shows amounts, nothing otherwise.
QString importo(const Currency& valore) {
    return valore > Currency() ? basic::Format(valore, AmbienteLavoro().FormatoImporto) : QString();
}

QString segno(bool vero) { return vero ? QStringLiteral("S") : QString(); }

// Every caption the calculation modes give the amount box and the factor box.
std::pair<QStringList, QStringList> didascalieDeiModi() {
    QStringList importo, fattore;
    for (const QString& modo : {calcolo::Percentuale, calcolo::Richiesta, calcolo::Listino, calcolo::ImportoUnitario})
        for (const QString& genere : {tipo::Costo, tipo::Anticipazione, tipo::Competenza}) {
            ElementoDaFatturare elemento;
            elemento.calcolo = modo;
            elemento.tipo = genere;
            const CampiImporto campi = DefinizioneCalcolo(elemento, std::nullopt, nullptr, {});
            importo << campi.LblCheCao;
            fattore << campi.LblFattore;
        }
    return {importo, fattore};
}

}  // namespace

TabCompetenze::TabCompetenze(FrmFascola& finestra) : QWidget(finestra.PaginaCompetenze()), finestra_(finestra) {
    setObjectName("TabCompetenze");
    costruisci();
    ui::fillPage(*finestra.PaginaCompetenze(), *this);
    C_PulisciCampi();
    C_AbilitaImporti(false);
    C_AbilitaDescrizione(false);
    C_AbilitaElemento(false);
    C_VuotaGriglia();
    finestra.Evidenziazione.RegistraGriglia("C", *C_FlxCompetenze);
    collegaEventi();
    connect(&FascolaCorrente(), &FascolaCorrenteRec::FascolaCambiata, this, &TabCompetenze::FascolaCambiata);
    connect(&FascolaCorrente(), &FascolaCorrenteRec::DestinazioneCambiata, this,
            &TabCompetenze::DestinazioneCambiata);
    finestra.Competenze = this;
}

// A case file on display lets the user pick an element for a new fee item; without one the
// tab is empty and closed.
void TabCompetenze::FascolaCambiata() {
    const FascolaCorrenteRec& f = FascolaCorrente();
    destinazioneSalvata_.reset();
    C_LblNomeCliente->setText(f.InVisione() ? f.NomeClienteCorrente() : QString());
    C_LblCodiceCliente->setText(f.InVisione() ? f.CodiceClienteCorrente() : QString());
    C_LblNpra->setText(f.InVisione() ? f.NpraCorrente() : QString());
    DestinazioneCambiata();
    C_PulisciCampi();
    C_AbilitaImporti(false);
    C_AbilitaDescrizione(false);
    C_AbilitaElemento(f.InVisione());
    if (f.InVisione()) C_MostraGriglia();  // which empties the grid first
    else C_VuotaGriglia();
}

void TabCompetenze::DestinazioneCambiata() {
    const FascolaCorrenteRec& f = FascolaCorrente();
    C_LblNtask->setText(f.InVisione() ? f.NtaskCompetenze() : QString());
    C_LblNjob->setText(f.InVisione() ? f.NjobCompetenze() : QString());
}

void TabCompetenze::costruisci() {
    C_LblNomeCliente = Valore("C_LblNomeCliente", LarghezzaNome);
    C_LblCodiceCliente = Valore("C_LblCodiceCliente", LarghezzaCodice);
    C_LblNpra = Valore("C_LblNpra", LarghezzaNumero);
    C_LblNtask = Valore("C_LblNtask", LarghezzaNumero);
    C_LblNjob = Valore("C_LblNjob", LarghezzaNumero);
    auto* intestazione = new QGroupBox("gestione competenze associate alla fascola ");
    auto* righe = new QHBoxLayout(intestazione);
    for (QWidget* w : std::initializer_list<QWidget*>{C_LblNomeCliente, C_LblCodiceCliente, new QLabel("Fascola:"),
                                                      C_LblNpra, new QLabel("Incarico:"), C_LblNtask,
                                                      new QLabel("Lavoraz./Docum."), C_LblNjob})
        righe->addWidget(w);
    righe->addStretch();

    C_DbcElemento = ui::named<ui::RefillCombo>("C_DbcElemento");
    C_DbcElemento->lineEdit()->setMaxLength(3);
    C_DbcDescrizEle = ui::named<ui::RefillCombo>("C_DbcDescrizEle");
    C_DbcDescrizEle->setMinimumWidth(260);
    C_TxtDescrizione = ui::named<QLineEdit>("C_TxtDescrizione");
    C_TxtDescrizione->setMaxLength(50);
    // Their captions change with the element chosen: they keep the size of the widest.
    const auto [didascalieImporto, didascalieFattore] = didascalieDeiModi();
    C_LblCheCao = ui::named<QLabel>("C_LblCheCao");
    MisuraFissa(*C_LblCheCao, 0, didascalieImporto);
    C_TxTImporto = ui::named<QLineEdit>("C_TxTImporto");
    C_LblFattore = ui::named<QLabel>("C_LblFattore");
    MisuraFissa(*C_LblFattore, 0, didascalieFattore);
    C_TxtFattore = ui::named<QLineEdit>("C_TxtFattore");
    C_TxtFattore->setMaxLength(10);
    C_TxtImpoFatt = ui::named<QLineEdit>("C_TxtImpoFatt");
    C_DbcPagamento = ui::named<ui::RefillCombo>("C_DbcPagamento");
    C_DbcPagamento->lineEdit()->setMaxLength(3);
    C_TxtData = ui::named<QLineEdit>("C_TxtData");
    C_TxtData->setMaxLength(10);
    C_FlxCompetenze = ui::named<ui::Grid>("C_FlxCompetenze");
    C_CmdAggiungi = ui::named<QPushButton>("C_CmdAggiungi", "AGGIUNGI");
    C_CmdCorreggi = ui::named<QPushButton>("C_CmdCorreggi", "CORREGGI");
    C_CmdCancella = ui::named<QPushButton>("C_CmdCancella", "CANCELLA");
    C_CmdVuota = ui::named<QPushButton>("C_CmdVuota", "VUOTA");
    C_CmdVediAltriDati = ui::named<QPushButton>("C_CmdVediAltriDati", "VEDI ALTRI DATI");

    auto* campi = new QGridLayout;
    campi->addWidget(new QLabel("Codice elemento"), 0, 0);
    campi->addWidget(C_DbcElemento, 1, 0);
    campi->addWidget(C_DbcDescrizEle, 1, 1, 1, 2);
    campi->addWidget(new QLabel("Descrizione"), 2, 0);
    campi->addWidget(C_TxtDescrizione, 3, 0, 1, 3);
    campi->addWidget(C_LblCheCao, 4, 0);
    campi->addWidget(C_TxTImporto, 5, 0);
    campi->addWidget(C_LblFattore, 4, 1);
    campi->addWidget(C_TxtFattore, 5, 1);
    campi->addWidget(new QLabel("Fatturare"), 4, 2);
    campi->addWidget(C_TxtImpoFatt, 5, 2);
    campi->addWidget(new QLabel("Modalità di pagamento"), 6, 0);
    campi->addWidget(C_DbcPagamento, 7, 0);
    campi->addWidget(new QLabel("data di inserimento"), 6, 1);
    campi->addWidget(C_TxtData, 7, 1);

    auto* comandi = new QHBoxLayout;
    for (QPushButton* b : {C_CmdAggiungi, C_CmdCorreggi, C_CmdCancella, C_CmdVuota, C_CmdVediAltriDati})
        comandi->addWidget(b);
    comandi->addStretch();

    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(intestazione);
    tutto->addLayout(campi);
    tutto->addLayout(comandi);
    tutto->addWidget(C_FlxCompetenze, 1);
}

void TabCompetenze::C_PulisciCampi() {
    C_DbcElemento->setEditText({});
    C_DbcDescrizEle->setEditText({});
    C_TxtDescrizione->clear();
    C_TxTImporto->clear();
    C_TxtFattore->clear();
    C_TxtImpoFatt->clear();
    C_DbcPagamento->setEditText({});
    C_TxtData->clear();
    C_LblCheCao->clear();
    C_LblFattore->clear();
    dettaglio_.apriDaFatturare({}, {}, {});
    caricata_.reset();
    elementoMostrato_.reset();
    daRicalcolare_ = false;
}

void TabCompetenze::C_AbilitaElemento(bool abilita) {
    C_DbcElemento->setEnabled(abilita);
    C_DbcDescrizEle->setEnabled(abilita);
}

void TabCompetenze::C_AbilitaDescrizione(bool abilita) {
    C_TxtDescrizione->setEnabled(abilita);
    C_DbcPagamento->setEnabled(abilita);
    C_TxtData->setEnabled(abilita);
}

void TabCompetenze::C_AbilitaImporti(bool abilita) {
    for (QLineEdit* box : {C_TxTImporto, C_TxtFattore}) {
        box->setEnabled(abilita);
        box->setVisible(abilita);
    }
    C_TxtImpoFatt->setEnabled(abilita);
    if (!abilita) {
        C_LblCheCao->clear();
        C_LblFattore->clear();
    }
}

// The grid emptied to `righe` rows, heading included, the lines without a fee item up to
// RigheVuote painted white, in one pass over the grid.
void TabCompetenze::C_PreparaGriglia(int righe) {
    ui::Grid& g = *C_FlxCompetenze;
    g.setCols(Colonne);
    g.resetRows(righe);
    g.setRow(0);
    g.setCol(0);
    g.setFormatString(FormatoGriglia);
    for (int riga = 1; riga < std::min(righe, RigheVuote); ++riga)
        for (int colonna = 0; colonna < Colonne; ++colonna) g.setCellBackColor(riga, colonna, ui::bgr(ui::BgrWhite));
}

void TabCompetenze::C_VuotaGriglia() {
    righe_.clear();
    C_PreparaGriglia(RigheVuote);
}

void TabCompetenze::C_MostraGriglia() {
    righe_.clear();
    const FascolaCorrenteRec& f = FascolaCorrente();
    std::vector<CompetenzaLetta> lette;
    Procedura proc("Funzione di visualizzazione griglia competenze");
    if (!f.InVisione() ||
        !proc.esegui(
            [&] { lette = CompetenzeDellaFascola(*ArchivioInUso(), f.CodiceClienteCorrente(), f.NpraCorrente()); })) {
        C_VuotaGriglia();
        return;
    }
    righe_ = std::move(lette);
    const std::vector<CompetenzaLetta>& righe = righe_;
    const int n = int(righe.size());
    C_PreparaGriglia(n == 0 ? RigheVuote : n >= RigheMinime - 1 ? n + 1 : RigheMinime);

    ui::Grid& g = *C_FlxCompetenze;
    // The lines repeat the same few amounts: each is made into text once per display.
    QHash<int64_t, QString> importi;
    const auto testoImporto = [&](const Currency& valore) -> const QString& {
        auto it = importi.constFind(valore.raw());
        if (it == importi.constEnd()) it = importi.insert(valore.raw(), importo(valore));
        return *it;
    };
    for (int i = 1; i <= n; ++i) {
        const CompetenzaLetta& r = righe[size_t(i - 1)];
        g.setText(i, 0, r.ntask);
        g.setText(i, 1, r.njob);
        g.setText(i, 2, r.elemento);
        g.setText(i, 3, testoImporto(r.importo));
        g.setText(i, 4, testoImporto(r.addebitounitario));
        g.setText(i, 5, r.fattore);
        g.setText(i, 6, testoImporto(r.impofat));
        g.setText(i, 7, segno(r.fatturato));
        g.setText(i, 8, segno(r.primanota));
    }
}
