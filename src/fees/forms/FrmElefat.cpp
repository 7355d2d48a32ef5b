#include "fees/forms/FrmElefat.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "casefiles/forms/NavigatoreRecord.h"
#include "fees/engine/CatalogoContabile.h"
#include "fees/engine/VerificaElemento.h"
#include "fees/forms/ElefatArchivio.h"
#include "fees/forms/StampaElementiDaFatturare.h"
#include "platform/system/MessageService.h"
#include "platform/ui/ClickEvents.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/RefillCombo.h"
#include "startup/forms/DefinizioneValoriDefault.h"

using namespace elefat;

namespace {

const QString NonCollegato = QStringLiteral("Non collegato alla contabilità");

// A look-up list read under the error handler: a failure leaves the list empty.
std::vector<ui::ComboRow> elenco(const QString& descrizione, std::vector<ui::ComboRow> (*leggi)(db::Database&)) {
    std::vector<ui::ComboRow> righe;
    Procedura proc(descrizione);
    proc.esegui([&] { righe = leggi(*ArchivioInUso()); });
    return righe;
}

// The list the combo holds now: what a combo not bound to any archive keeps.
std::vector<ui::ComboRow> righeAttuali(const QComboBox& combo) {
    std::vector<ui::ComboRow> righe;
    for (int i = 0; i < combo.count(); ++i) righe.push_back({combo.itemText(i), combo.itemData(i).toString()});
    return righe;
}

}  // namespace

FrmElefat::FrmElefat(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmElefat");
    setWindowTitle("Elementi da Fatturare");
    setModal(true);
    costruisci();
    ui::enterPresses(*this, nullptr);
    collegaEventi();
    Form_Load();
}

FrmElefat::~FrmElefat() = default;

void FrmElefat::costruisci() {
    LblTitolo = ui::titleLabel("LblTitolo", "GESTIONE ARCHIVIO DEGLI ELEMENTI DA FATTURARE", 1);

    DbcCodice = ui::named<ui::RefillCombo>("DbcCodice");
    DbcCodice->lineEdit()->setMaxLength(LunghezzaCodice);
    DbcCodice->setMinimumWidth(80);
    DbcDescrizione = ui::named<ui::RefillCombo>("DbcDescrizione");
    DbcDescrizione->lineEdit()->setMaxLength(LunghezzaDescrizione);
    DbcDescrizione->setMinimumWidth(330);
    ChkAccoda = ui::named<QCheckBox>("ChkAccoda", "Descrizione completata automaticamente con dati documento");

    FrameCalcolo =
        ui::named<QGroupBox>("FrameCalcolo", "Criterio di determinazione dell'importo da fatturare ");
    OptPercentuale = ui::valueOption(
        "OptPercentuale", "Percentuale: l'importo si calcola applicando una percentuale di aumento al costo;",
        calcolo::Percentuale);
    OptRichiesta = ui::valueOption("OptRichiesta",
                           "Richiesta: l'importo sarà richiesto al momento dell'inserimento dell'elemento;",
                           calcolo::Richiesta);
    OptListino = ui::valueOption("OptListino",
                         "Listino fisso: quando si inserisce l'elemento viene proposto l'importo definito",
                         calcolo::Listino);
    OptImportoUnitario =
        ui::valueOption("OptImportoUnitario",
                "Importo unitario:l'importo sarà determinato moltiplicando per una quantità richiesta",
                calcolo::ImportoUnitario);
    calcoli_ = new QButtonGroup(this);
    auto* calcolo = new QVBoxLayout(FrameCalcolo);
    for (QRadioButton* o : {OptPercentuale, OptRichiesta, OptListino, OptImportoUnitario}) {
        calcoli_->addButton(o);
        calcolo->addWidget(o);
    }
    TxtImporto = ui::named<QLineEdit>("TxtImporto");
    TxtImporto->setFixedWidth(120);
    TxtImporto->setAlignment(Qt::AlignRight);
    TxtArrotonda = ui::named<QLineEdit>("TxtArrotonda");
    TxtArrotonda->setFixedWidth(120);
    TxtArrotonda->setAlignment(Qt::AlignRight);

    FrameIva = ui::named<QGroupBox>("FrameIva", " Trattamento I.V.A. ");
    DbcIva = ui::named<ui::RefillCombo>("DbcIva");
    DbcIva->setMinimumWidth(220);
    LblIva = ui::valueLabel("LblIva", 90);
    DbcIvacee = ui::named<ui::RefillCombo>("DbcIvacee");
    DbcIvacee->setMinimumWidth(220);
    LblIvacee = ui::valueLabel("LblIvacee", 90);
    auto* iva = new QGridLayout(FrameIva);
    iva->addWidget(new QLabel("Iva per servizi prestati nel territorio internazionale"), 0, 0, 1, 2);
    iva->addWidget(DbcIva, 1, 0);
    iva->addWidget(LblIva, 1, 1);
    iva->addWidget(new QLabel("Iva per servizi prestati nel territorio comunitario"), 2, 0, 1, 2);
    iva->addWidget(DbcIvacee, 3, 0);
    iva->addWidget(LblIvacee, 3, 1);

    FrameTipo = ui::named<QGroupBox>("FrameTipo", "Tipo dell'elemento da fatturare ");
    OptCosto = ui::valueOption("OptCosto", "Addebito costo", tipo::Costo);
    OptAnticipazione = ui::valueOption("OptAnticipazione", "Rimborso anticipazione", tipo::Anticipazione);
    OptCompetenza = ui::valueOption("OptCompetenza", "Competenza professionale", tipo::Competenza);
    tipi_ = new QButtonGroup(this);
    auto* tipo = new QVBoxLayout(FrameTipo);
    for (QRadioButton* o : {OptCosto, OptAnticipazione, OptCompetenza}) {
        tipi_->addButton(o);
        tipo->addWidget(o);
    }

    FrameConti = ui::named<QGroupBox>("FrameConti", "Contropartite contabili ");
    DbcContofat = ui::named<ui::RefillCombo>("DbcContofat");
    LblContofat = ui::valueLabel("LblContofat", 110);
    DbcDare = ui::named<ui::RefillCombo>("DbcDare");
    LblDare = ui::valueLabel("LblDare", 110);
    DbcAvere = ui::named<ui::RefillCombo>("DbcAvere");
    LblAvere = ui::valueLabel("LblAvere", 110);
    auto* conti = new QGridLayout(FrameConti);
    int riga = 0;
    for (auto [testo, combo, etichetta] :
         {std::tuple{"Ricavi per fatturazione (Avere)", DbcContofat, LblContofat},
          std::tuple{"Prima nota automatica - Dare", DbcDare, LblDare},
          std::tuple{"Prima nota automatica - Avere", DbcAvere, LblAvere}}) {
        combo->setMinimumWidth(260);
        conti->addWidget(new QLabel(testo), riga, 0);
        conti->addWidget(combo, riga, 1);
        conti->addWidget(etichetta, riga, 2);
        ++riga;
    }

    FramePagamenti = ui::named<QGroupBox>("FramePagamenti",
                                          "Criterio di pagamento degli importi dovuti per questa voce:");
    OptPagaCli = ui::named<QRadioButton>("OptPagaCli", "Pagamento definito nella scheda cliente");
    OptPagaCod = ui::named<QRadioButton>("OptPagaCod", "Applica ");
    pagamenti_ = new QButtonGroup(this);
    pagamenti_->addButton(OptPagaCli);
    pagamenti_->addButton(OptPagaCod);
    DbcPagamento = ui::named<ui::RefillCombo>("DbcPagamento");
    DbcPagamento->setMinimumWidth(260);
    LblCodicePagamento = ui::valueLabel("LblCodicePagamento", 60);
    auto* pagamento = new QVBoxLayout(FramePagamenti);
    pagamento->addWidget(OptPagaCli);
    pagamento->addWidget(ui::row({OptPagaCod, DbcPagamento, LblCodicePagamento}));

    LblAzioneInCorso = ui::boldLabel("LblAzioneInCorso");
    std::tie(CmdAggiungi, CmdRicerca, CmdCorreggi, CmdCancella, CmdConferma, CmdAnnulla) =
        CreaComandi({"CmdAggiungi", "CmdRicerca", "CmdCorreggi", "CmdCancella", "CmdConferma", "CmdAnnulla"});
    CmdStampa = ui::commandButton("CmdStampa", "STAMPA");
    CmdFine = ui::commandButton("CmdFine", "FINE");
    DtaSelezionati = ui::named<NavigatoreRecord>("DtaSelezionati");

    auto* dati = new QGridLayout;
    dati->addWidget(new QLabel("Codice elemento"), 0, 0);
    dati->addWidget(new QLabel("Descrizione"), 0, 1);
    dati->addWidget(DbcCodice, 1, 0);
    dati->addWidget(DbcDescrizione, 1, 1);
    dati->addWidget(ChkAccoda, 2, 0, 1, 2);
    dati->setColumnStretch(1, 1);

    auto* importi = new QGridLayout;
    importi->addWidget(new QLabel("Importo"), 0, 0);
    importi->addWidget(TxtImporto, 0, 1);
    importi->addWidget(new QLabel("Arrotonda alle"), 1, 0);
    importi->addWidget(TxtArrotonda, 1, 1);
    importi->addWidget(new QLabel("(unità superiori)"), 1, 2);
    importi->setRowStretch(2, 1);
    auto* centro = new QHBoxLayout;
    centro->addWidget(FrameCalcolo, 1);
    centro->addLayout(importi);

    auto* mezzo = new QHBoxLayout;
    mezzo->addWidget(FrameTipo);
    mezzo->addWidget(FrameIva, 1);

    auto* sinistra = new QVBoxLayout;
    sinistra->addLayout(dati);
    sinistra->addLayout(centro);
    sinistra->addLayout(mezzo);
    sinistra->addWidget(FrameConti);
    sinistra->addWidget(FramePagamenti);

    Impagina(*this, *LblTitolo, sinistra,
             {CmdAggiungi, CmdRicerca, CmdCorreggi, CmdCancella, CmdConferma, CmdAnnulla, CmdStampa}, *CmdFine,
             *LblAzioneInCorso, *DtaSelezionati);
}

void FrmElefat::collegaEventi() {
    DbcCodice->setRefill([] { return elenco("Funzione di lettura elenco elementi", ElencoCodiciElementi); });
    DbcDescrizione->setRefill([] { return elenco("Funzione di lettura elenco elementi", ElencoDescrizioniElementi); });
    // Not linked the VAT and payment combos take a typed number and keep whatever list they had.
    for (ui::RefillCombo* combo : {DbcIva, DbcIvacee})
        combo->setRefill([combo] {
            return Collegato() ? elenco("Funzione di lettura elenco codici iva", ElencoIva) : righeAttuali(*combo);
        });
    DbcPagamento->setRefill([this] {
        return Collegato() ? elenco("Funzione di lettura elenco codici pagamento", ElencoPagamenti)
                           : righeAttuali(*DbcPagamento);
    });
    for (ui::RefillCombo* combo : {DbcContofat, DbcDare, DbcAvere})
        combo->setRefill([] { return elenco("Funzione di lettura elenco conti", ElencoContiPatrimoniali); });

    ui::onFocusChange(*DbcCodice, {}, [this] { DbcCodice_LostFocus(); });
    ui::onFocusChange(*DbcDescrizione, {}, [this] { dbcdescrizione_LostFocus(); });
    ui::onFocusChange(*DbcIva, {}, [this] { CoerenzaCodificaIva(Ordinaria); });
    ui::onFocusChange(*DbcIvacee, {}, [this] { CoerenzaCodificaIva(Comunitaria); });
    ui::onFocusChange(*DbcPagamento, {}, [this] { ComePaga(); });
    for (auto [combo, codice] : {std::pair{DbcContofat, LblContofat}, {DbcDare, LblDare}, {DbcAvere, LblAvere}})
        ui::onFocusChange(*combo, {}, [this, combo, codice] { ContoLasciato(*combo, *codice); });
    ui::onFocusChange(*TxtImporto, {}, [this] { TxtImporto_LostFocus(); });

    for (ui::RefillCombo* combo :
         {DbcCodice, DbcDescrizione, DbcIva, DbcIvacee, DbcPagamento, DbcContofat, DbcDare, DbcAvere}) {
        ui::onClick(*combo, [this] { CampoCliccato(); });
        ui::onClick(*combo->lineEdit(), [this] { CampoCliccato(); });
    }
    for (QLineEdit* box : {TxtImporto, TxtArrotonda}) ui::onClick(*box, [this] { CampoCliccato(); });
    for (QButtonGroup* gruppo : {calcoli_, tipi_, pagamenti_})
        connect(gruppo, &QButtonGroup::buttonClicked, this, [this] { CampoCliccato(); });
    connect(ChkAccoda, &QCheckBox::clicked, this, [this] { CampoCliccato(); });

    CollegaScheda(*this,
                  {CmdAggiungi, CmdRicerca, CmdCorreggi, CmdCancella, CmdConferma, CmdAnnulla, CmdStampa,
                   /*stampaInInserimento=*/false, {}},
                  *LblAzioneInCorso, *DtaSelezionati,
                  {QStringLiteral("definisci i campi per selezione di ricerca"),
                   QStringLiteral("Inserimento di un nuovo elemento"),
                   QStringLiteral("Visualizzazione Elementi da fatturare"),
                   QStringLiteral("Visualizzazione di un elemento"),
                   QStringLiteral("Correzione elemento visualizzato")},
                  {QStringLiteral("Funzione di definizione nuovo elemento"),
                   QStringLiteral("Funzione di dati elemento definito")});
    connect(CmdStampa, &QPushButton::clicked, this, [this] { CmdStampa_Click(); });
    Stampa = [this] {
        Procedura proc("Stampa Codici elementi da fatturare");
        proc.esegui([&] { StampaElementiDaFatturare(*ArchivioInUso(), report::Screen, {}, this); });
    };
    connect(CmdFine, &QPushButton::clicked, this, [this] { CmdFine_Click(); });
}

void FrmElefat::Form_Load() {
    ui::CentraForm(*this);
    DefinizioneValoriDefault();
    // Not linked, a VAT combo holds the rate that is stored as it was typed.
    for (ui::RefillCombo* combo : {DbcIva, DbcIvacee})
        combo->lineEdit()->setMaxLength(Collegato() ? 32767 : LunghezzaIva);
    RecordInVisione = false;
    StatoIniziale();
}

void FrmElefat::done(int risultato) {
    if (!scaricato_) Form_Unload();
    QDialog::done(risultato);
}

void FrmElefat::Form_Unload() {
    scaricato_ = true;
    AnnullaAzione();
}

// --- the fields in each mode ----------------------------------------------------------------

void FrmElefat::abilitaCampi(bool abilita) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             FrameCalcolo, FrameTipo, FrameIva, ChkAccoda, OptPercentuale, OptRichiesta, OptListino,
             OptImportoUnitario, TxtImporto, TxtArrotonda, DbcIva, DbcIvacee, OptCosto, OptAnticipazione,
             OptCompetenza, OptPagaCli, OptPagaCod, DbcPagamento})
        w->setEnabled(abilita);
    const bool conti = abilita && Collegato();
    for (QWidget* w : std::initializer_list<QWidget*>{FrameConti, DbcContofat, DbcDare, DbcAvere})
        w->setEnabled(conti);
}

void FrmElefat::MascheraDiRicerca() {
    DbcCodice->setEnabled(true);
    DbcDescrizione->setEnabled(true);
    abilitaCampi(false);
    // The browser moves through a search result on display only.
    DtaSelezionati->setEnabled(false);
    PulisciCampi();
}

void FrmElefat::AbilitaCampi() {
    DbcCodice->setEnabled(true);
    DbcDescrizione->setEnabled(true);
    abilitaCampi(true);
}

void FrmElefat::PulisciCampi() {
    for (ui::RefillCombo* combo : {DbcCodice, DbcDescrizione, DbcIva, DbcIvacee, DbcPagamento})
        combo->setEditText({});
    TxtImporto->clear();
    TxtArrotonda->clear();
    for (QLabel* l : {LblIva, LblIvacee, LblCodicePagamento}) l->clear();
    ChkAccoda->setChecked(false);
    OptListino->setChecked(true);
    OptCompetenza->setChecked(true);
    OptPagaCli->setChecked(true);
    const bool conCodici = Collegato();
    for (ui::RefillCombo* combo : {DbcContofat, DbcDare, DbcAvere}) {
        combo->setEditText(conCodici ? QString() : QStringLiteral("*"));
        combo->keepShownText();
    }
    for (QLabel* l : {LblContofat, LblDare, LblAvere}) l->setText(conCodici ? QString() : NonCollegato);
}

void FrmElefat::CampiNuovi() { PulisciCampi(); }

QWidget& FrmElefat::CampoChiave() { return *DbcCodice; }

bool FrmElefat::RecordInUso() { return Bollato(codiceInVisione()); }

// --- the record ----------------------------------------------------------------------------

CampiElemento FrmElefat::campi() const {
    CampiElemento c;
    c.codice = DbcCodice->currentText();
    c.descrizione = DbcDescrizione->currentText();
    c.accoda = ChkAccoda->isChecked();
    c.calcolo = ui::checkedValue(*calcoli_);
    c.importo = TxtImporto->text();
    c.arrotonda = TxtArrotonda->text();
    c.iva = DbcIva->currentText();
    c.ivacee = DbcIvacee->currentText();
    c.lblIva = LblIva->text();
    c.lblIvacee = LblIvacee->text();
    c.tipo = ui::checkedValue(*tipi_);
    c.contofat = DbcContofat->currentText();
    c.dare = DbcDare->currentText();
    c.avere = DbcAvere->currentText();
    c.lblContofat = LblContofat->text();
    c.lblDare = LblDare->text();
    c.lblAvere = LblAvere->text();
    c.pagaCli = OptPagaCli->isChecked();
    c.lblCodicePagamento = LblCodicePagamento->text();
    return c;
}

bool FrmElefat::Controlli() {
    // What is stored is the codes beside the accounts: a box changed without being left (Enter
    // on a command) is read now, so that no code stands for a text it does not name.
    if (Collegato())
        for (auto [combo, codice] : {std::pair{DbcContofat, LblContofat}, {DbcDare, LblDare}, {DbcAvere, LblAvere}})
            ContoLasciato(*combo, *codice);
    const auto rifiuto = VerificaElemento(campi(), Collegato());
    if (!rifiuto) return true;
    ui::MessageService::show(rifiuto->messaggio);
    QWidget* fuoco = nullptr;
    switch (rifiuto->campo) {
    case CampoElemento::Codice: fuoco = DbcCodice; break;
    case CampoElemento::Descrizione: fuoco = DbcDescrizione; break;
    case CampoElemento::Calcolo: fuoco = OptListino; break;
    case CampoElemento::Importo: fuoco = TxtImporto; break;
    case CampoElemento::Arrotonda: fuoco = TxtArrotonda; break;
    case CampoElemento::Iva: fuoco = DbcIva; break;
    case CampoElemento::IvaCee: fuoco = DbcIvacee; break;
    case CampoElemento::Tipo: fuoco = OptCompetenza; break;
    case CampoElemento::Contofat: fuoco = DbcContofat; break;
    case CampoElemento::Dare: fuoco = DbcDare; break;
    case CampoElemento::Avere: fuoco = DbcAvere; break;
    }
    fuoco->setFocus();
    return false;
}

bool FrmElefat::Bollato(const QString& codice) {
    Procedura proc("Funzione di integrità referenziale elemento");
    bool usato = false;
    if (Connessione archivio = ArchivioInUso(proc)) proc.esegui([&] { usato = ElementoInUso(*archivio, codice); });
    return usato;
}

ElementoLetto* FrmElefat::inVisione() {
    if (PosSelezionata < 1 || PosSelezionata > long(RsSelezionati.size())) return nullptr;
    return &RsSelezionati[size_t(PosSelezionata - 1)];
}

QString FrmElefat::codiceInVisione() const {
    if (PosSelezionata >= 1 && PosSelezionata <= long(RsSelezionati.size()))
        return RsSelezionati[size_t(PosSelezionata - 1)].elemento.codice;
    return DbcCodice->currentText();
}

void FrmElefat::Visualizza() {
    ElementoLetto* riga = inVisione();
    if (!riga) return;
    // The row as it stands now: another workstation may have corrected it since the search.
    {
        Procedura proc("Funzione di visualizzazione elemento");
        if (Connessione archivio = ArchivioInUso(proc))
            proc.esegui([&] {
                if (auto ora = LeggiElemento(*archivio, riga->elemento.codice)) *riga = std::move(*ora);
            });
    }
    const ElementoDaFatturare& e = riga->elemento;
    DbcCodice->setEditText(e.codice);
    DbcDescrizione->setEditText(e.descrizione);
    ChkAccoda->setChecked(e.accoda);
    ui::checkValue(*calcoli_, e.calcolo);
    TxtImporto->setText(TestoImportoElemento(e.importo));
    TxtArrotonda->setText(TestoImportoElemento(e.arrotonda));
    if (Collegato()) {
        DefinizioneCampoIva(Ordinaria);
        DefinizioneCampoIva(Comunitaria);
    } else {
        DbcIva->setEditText(e.iva);
        DbcIvacee->setEditText(e.ivacee);
        LblIva->clear();
        LblIvacee->clear();
    }
    ui::checkValue(*tipi_, e.tipo);
    (e.pagamento ? OptPagaCli : OptPagaCod)->setChecked(true);
    LblCodicePagamento->setText(e.codicepagamento);
    DescrizionePagamento();
    if (Collegato()) {
        AssegnazioneConto(ContoRicavi);
        AssegnazioneConto(ContoDare);
        AssegnazioneConto(ContoAvere);
    }
}
