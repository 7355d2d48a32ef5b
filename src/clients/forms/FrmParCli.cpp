#include "clients/forms/FrmParCli.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "casefiles/engine/ClientiFascola.h"
#include "casefiles/forms/NavigatoreRecord.h"
#include "casefiles/forms/OpzioniCriterio.h"
#include "clients/engine/ParametriClienteListe.h"
#include "clients/forms/ParCliArchivio.h"
#include "foundation/engine/Ambiente.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/ClickEvents.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"

namespace {

// The grids' rows on one line each, low enough for the whole list to show without scrolling.
void preparaGriglia(ui::Grid& g, int righe) {
    g.setWordWrap(false);
    const int altezza = g.fontMetrics().height() + 6;
    g.verticalHeader()->setDefaultSectionSize(altezza);
    g.setMinimumHeight(altezza * (righe + 1) + 2 * g.frameWidth() + 4);
}

// The heading from the format string, the price column wide enough for the largest prices.
void formato(ui::Grid& g, const QString& formato, int colonnaImporti = -1) {
    g.setFormatString(formato);
    if (colonnaImporti >= 0)
        g.setColWidth(colonnaImporti,
                      std::max(g.colWidth(colonnaImporti), g.fontMetrics().horizontalAdvance("9.999.999,99") + 12));
}


}  // namespace

FrmParCli::FrmParCli(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmParCli");
    setWindowTitle("Parametri economici Cliente");
    setModal(true);
    costruisci();
    ui::enterPresses(*this, nullptr);
    collegaEventi();
    Form_Load();
}

FrmParCli::~FrmParCli() = default;

void FrmParCli::costruisci() {
    LblTitolo = ui::titleLabel("LblTitolo", "GESTIONE PARAMETRI ECONOMICI CLIENTI");

    DbcNomeCliente = ui::named<ui::RefillCombo>("DbcNomeCliente");
    DbcNomeCliente->setMinimumWidth(280);
    DbcNomeCliente->setRefill([] {
        std::vector<ui::ComboRow> righe;
        parcli::InArchivio("Funzione di definizione nome cliente", [&](db::Database& a) { righe = ElencoClienti(a); });
        return righe;
    });
    LblCodiceCliente = ui::valueLabel("LblCodiceCliente", 110);

    criteri_ = new QButtonGroup(this);
    std::tie(OptFineMese, OptPerAnticipazioni, OptPerOgniVoce, OptFineLavoro, OptFineFascola) = CreaOpzioniCriterio(
        *criteri_, {"OptFineMese", "OptPerAnticipazioni", "OptPerOgniVoce", "OptFineLavoro", "OptFineFascola"},
        {"Fine mese", "Per anticipazioni", "Per ogni voce", "Fine lavoro", "Fine fascola"});
    TxtNote = ui::named<QLineEdit>("TxtNote");
    TxtNote->setMaxLength(255);

    lblAzioneInCorso = ui::boldLabel("lblAzioneInCorso");
    DtaSelezionati = ui::named<NavigatoreRecord>("DtaSelezionati");

    DbcElementoFisso = ui::named<ui::RefillCombo>("DbcElementoFisso");
    DbcElementoFisso->setMinimumWidth(220);
    DbcElementoFisso->setRefill([] {
        std::vector<ui::ComboRow> righe;
        parcli::InArchivio("Funzione di lettura elenco elementi", [&](db::Database& a) { righe = ElencoDescrizioniElementi(a); });
        return righe;
    });
    LblEleFisso = ui::valueLabel("LblEleFisso", 50);
    OptPerFascola = ui::valueOption("OptPerFascola", "per fascola", "1");
    OptPerLavorazione = ui::valueOption("OptPerLavorazione", "per lavoraz.", "2");
    OptPerFattura = ui::valueOption("OptPerFattura", "per fattura", "3");
    applicazioni_ = new QButtonGroup(this);
    for (QRadioButton* o : {OptPerFascola, OptPerLavorazione, OptPerFattura}) applicazioni_->addButton(o);
    CmdAggiungiFisso = ui::commandButton("CmdAggiungiFisso", "AGGIUNGI");
    CmdTogliFisso = ui::commandButton("CmdTogliFisso", "TOGLI");
    FlxFissi = ui::named<ui::Grid>("FlxFissi");
    FlxFissi->setRows(9);
    formato(*FlxFissi, FormatoFissi);
    preparaGriglia(*FlxFissi, 9);

    DbcElementoListino = ui::named<ui::RefillCombo>("DbcElementoListino");
    DbcElementoListino->setMinimumWidth(220);
    DbcElementoListino->setRefill([] {
        std::vector<ui::ComboRow> righe;
        parcli::InArchivio("Funzione di lettura elenco elementi", [&](db::Database& a) { righe = ElencoDescrizioniElementi(a); });
        return righe;
    });
    LblEleListino = ui::valueLabel("LblEleListino", 50);
    LblListino = ui::valueLabel("LblListino", 90);
    TxtListino = ui::named<QLineEdit>("TxtListino");
    TxtListino->setMaximumWidth(120);
    TxtListino->setAlignment(Qt::AlignRight);
    DbcPagamento = ui::named<ui::RefillCombo>("DbcPagamento");
    DbcPagamento->setMaximumWidth(90);
    // Not linked, the payment is a number of days typed in: there is no list to offer.
    DbcPagamento->setRefill([] {
        std::vector<ui::ComboRow> righe;
        if (AmbienteLavoro().CollegatoContabilita)
            parcli::InArchivio("Funzione di lettura codici pagamento", [&](db::Database& a) { righe = ElencoCodiciPagamento(a); });
        return righe;
    });
    CmdAggiungiListino = ui::commandButton("CmdAggiungiListino", "AGGIUNGI");
    CmdTogliListino = ui::commandButton("CmdTogliListino", "TOGLI");
    FlxListino = ui::named<ui::Grid>("FlxListino");
    FlxListino->setRows(10);
    formato(*FlxListino, FormatoListino, 1);
    preparaGriglia(*FlxListino, 9);

    std::tie(cmdAggiungi, cmdRicerca, cmdCorreggi, cmdCancella, cmdConferma, cmdAnnulla) =
        CreaComandi({"cmdAggiungi", "cmdRicerca", "cmdCorreggi", "cmdCancella", "cmdConferma", "cmdAnnulla"});
    cmdFine = ui::commandButton("cmdFine", "ESCI");
    CmdStampa = ui::commandButton("CmdStampa", "STAMPA");

    // Client, criterion and notes.
    auto* cliente = new QGridLayout;
    cliente->addWidget(new QLabel("Cliente"), 0, 0);
    cliente->addWidget(ui::row({DbcNomeCliente, LblCodiceCliente}), 0, 1);
    auto* criterio = new QGroupBox("Criterio di fatturazione");
    criterio->setObjectName("FrmCriterio");
    auto* opzioni = new QHBoxLayout(criterio);
    for (QRadioButton* o : {OptFineMese, OptPerAnticipazioni, OptPerOgniVoce, OptFineLavoro, OptFineFascola})
        opzioni->addWidget(o);
    opzioni->addStretch();
    cliente->addWidget(criterio, 1, 0, 1, 2);
    cliente->addWidget(new QLabel("Note generali"), 2, 0);
    cliente->addWidget(TxtNote, 2, 1);

    // Fixed items.
    auto* fissi = new QGroupBox("Elementi a fatturazione fissa ");
    fissi->setObjectName("FrmFissi");
    auto* f = new QGridLayout(fissi);
    f->addWidget(ui::row({DbcElementoFisso, LblEleFisso}), 0, 0, 1, 2);
    f->addWidget(ui::row({new QLabel("Applicazione:"), OptPerFascola, OptPerLavorazione, OptPerFattura}), 1, 0, 1, 2);
    f->addWidget(ui::row({CmdAggiungiFisso, CmdTogliFisso}), 2, 0, 1, 2);
    f->addWidget(FlxFissi, 3, 0, 1, 2);

    // Price list.
    auto* listino = new QGroupBox("Elementi listino particolare ");
    listino->setObjectName("FrmListino");
    auto* l = new QGridLayout(listino);
    l->addWidget(ui::row({DbcElementoListino, LblEleListino, LblListino}), 0, 0, 1, 2);
    l->addWidget(ui::row({new QLabel("Listino"), TxtListino, new QLabel("Pagamento"), DbcPagamento}), 1, 0, 1, 2);
    l->addWidget(ui::row({CmdAggiungiListino, CmdTogliListino}), 2, 0, 1, 2);
    l->addWidget(FlxListino, 3, 0, 1, 2);

    auto* liste = new QHBoxLayout;
    liste->addWidget(fissi);
    liste->addWidget(listino);

    auto* dati = new QVBoxLayout;
    dati->addLayout(cliente);
    dati->addLayout(liste);
    Impagina(*this, *LblTitolo, dati,
             {cmdAggiungi, cmdRicerca, cmdCorreggi, cmdCancella, cmdConferma, cmdAnnulla, CmdStampa}, *cmdFine,
             *lblAzioneInCorso, *DtaSelezionati);
}

void FrmParCli::collegaEventi() {
    ui::onFocusChange(*DbcNomeCliente, {}, [this] { DbcNomeCliente_LostFocus(); });
    ui::onFocusChange(*DbcElementoFisso, {}, [this] { DbcElementoFisso_LostFocus(); });
    ui::onFocusChange(*DbcElementoListino, {}, [this] { DbcElementoListino_LostFocus(); });
    ui::onFocusChange(*TxtListino, {}, [this] { TxtListino_LostFocus(); });

    // The change family: the options, the combos, a click on the price, a double click on the
    // notes. Typing in the notes or the price is a change too, or it would be lost unseen.
    connect(criteri_, &QButtonGroup::buttonClicked, this, [this] { CampoCliccato(); });
    connect(applicazioni_, &QButtonGroup::buttonClicked, this, [this] { CampoCliccato(); });
    for (ui::RefillCombo* c : {DbcNomeCliente, DbcPagamento, DbcElementoFisso, DbcElementoListino}) {
        ui::onClick(*c, [this] { CampoCliccato(); });
        ui::onClick(*c->lineEdit(), [this] { CampoCliccato(); });
    }
    ui::onClick(*TxtListino, [this] { CampoCliccato(); });
    ui::onDoubleClick(*TxtNote, [this] { CampoCliccato(); });
    for (QLineEdit* t : {TxtNote, TxtListino}) connect(t, &QLineEdit::textEdited, this, [this] { CampoCliccato(); });

    CollegaScheda(*this,
                  {cmdAggiungi, cmdRicerca, cmdCorreggi, cmdCancella, cmdConferma, cmdAnnulla, CmdStampa, true,
                   {CmdAggiungiFisso, CmdTogliFisso, CmdAggiungiListino, CmdTogliListino}},
                  *lblAzioneInCorso, *DtaSelezionati,
                  {QStringLiteral("definisci il cliente per la ricerca"), QStringLiteral("Inserimento nuovi parametri"),
                   QStringLiteral("Visualizzando parametri clienti"), QStringLiteral("visualizzazione parametri"),
                   QStringLiteral("Correzione Parametri")},
                  {QStringLiteral("Funzione di Aggiunta parametri clienti"),
                   QStringLiteral("Funzione di verifica parametri cliente")});
    connect(cmdFine, &QPushButton::clicked, this, [this] { CmdFine_Click(); });
    connect(CmdStampa, &QPushButton::clicked, this, [this] { CmdStampa_Click(); });
    connect(CmdAggiungiFisso, &QPushButton::clicked, this, [this] { CmdAggiungiFisso_Click(); });
    connect(CmdTogliFisso, &QPushButton::clicked, this, [this] { CmdTogliFisso_Click(); });
    connect(CmdAggiungiListino, &QPushButton::clicked, this, [this] { CmdAggiungilistino_Click(); });
    connect(CmdTogliListino, &QPushButton::clicked, this, [this] { CmdTogliListino_Click(); });
}

void FrmParCli::Form_Load() {
    RecordInVisione = false;
    StatoIniziale();
}

void FrmParCli::Form_Unload() { AnnullaAzione(); }

void FrmParCli::done(int risultato) {
    Form_Unload();
    QDialog::done(risultato);
}

void FrmParCli::MascheraDiRicerca() {
    VuotaCampi();
    // The client is the search key.
    DbcNomeCliente->setEnabled(true);
    for (QAbstractButton* o : criteri_->buttons()) o->setEnabled(false);
    for (QAbstractButton* o : applicazioni_->buttons()) o->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{TxtNote, DbcElementoListino, TxtListino, DbcPagamento,
                                                      DbcElementoFisso})
        w->setEnabled(false);
    for (QLabel* l : {LblEleListino, LblListino, LblEleFisso}) l->clear();
}

// The client on display stays the one the search found: its name cannot be changed in view
// or correction mode, or a correction would write the price list under another client.
void FrmParCli::AbilitaCampi() {
    DbcNomeCliente->setEnabled(ModoOperativo == ModoIniziale || ModoOperativo == ModoInserimento);
    for (QAbstractButton* o : criteri_->buttons()) o->setEnabled(true);
    for (QAbstractButton* o : applicazioni_->buttons()) o->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{TxtNote, DbcElementoListino, TxtListino, DbcPagamento,
                                                      DbcElementoFisso})
        w->setEnabled(true);
}

void FrmParCli::VuotaCampi() {
    DbcNomeCliente->setEditText({});
    LblCodiceCliente->clear();
    spegniCriteri();
    TxtNote->clear();
    VuotaGrigliaFissi();
    DbcElementoFisso->setEditText({});
    LblEleFisso->clear();
    spegniApplicazioni();
    VuotaGrigliaListino();
    DbcElementoListino->setEditText({});
    TxtListino->clear();
    DbcPagamento->setEditText({});
    LblListino->clear();
    LblEleListino->clear();
}

void FrmParCli::CampiNuovi() {
    VuotaCampi();
    svuotaListe();
    ParametriLetti.reset();
}

QWidget& FrmParCli::CampoChiave() { return *DbcNomeCliente; }

void FrmParCli::AzioneAnnullata() {
    SchedaRecord::AzioneAnnullata();
    VuotaGrigliaListino();
    VuotaGrigliaFissi();
}

bool FrmParCli::Controlli() {
    if (DbcNomeCliente->currentText().isEmpty()) return ui::refuse(*DbcNomeCliente, "Definire il cliente");
    // Parameters stored under no client would never be read by anyone.
    if (!CodiceClienteValido(LblCodiceCliente->text()))
        return ui::refuse(*DbcNomeCliente, "Cliente non definito: scegliere un cliente esistente");
    if (criterioScelto().isEmpty())
        return ui::refuse(*OptFineFascola, "selezionare il criterio di fatturazione voluto");
    return true;
}

QString FrmParCli::criterioScelto() const { return ui::checkedValue(*criteri_); }

QString FrmParCli::applicazioneScelta() const { return ui::checkedValue(*applicazioni_); }

void FrmParCli::spegniCriteri() { ui::uncheckAll(*criteri_); }

void FrmParCli::spegniApplicazioni() { ui::uncheckAll(*applicazioni_); }

ParametriCliente FrmParCli::parametriAVideo(const QString& codice) const {
    return {codice, criterioScelto(), TxtNote->text(), ElementiFissi, ElementiListino};
}

void FrmParCli::svuotaListe() {
    ElementiFissi.clear();
    ElementiListino.clear();
}

void FrmParCli::Visualizza() {
    if (PosSelezionata < 1 || PosSelezionata > long(Selezionati.size())) return;
    const QString codice = Selezionati[size_t(PosSelezionata - 1)];
    std::optional<ParametriCliente> letti;
    std::optional<QString> nome;
    if (!parcli::InArchivio("Funzione di visualizzazione parametri cliente", [&](db::Database& a) {
            letti = LeggiParametriCliente(a, codice);
            nome = NomeDelCliente(a, codice);
        }))
        return;
    ParametriLetti = letti;

    LblCodiceCliente->setText(codice);
    if (nome)
        DbcNomeCliente->setEditText(*nome);
    else
        DbcNomeCliente->setEditText(AmbienteLavoro().CollegatoContabilita
                                        ? "??? Cliente non definito in contabilità ???"
                                        : "??? Cliente non definito in archivio ???");
    // A client without a criterion must not show the one of the client shown before.
    spegniCriteri();
    const ParametriCliente p = letti.value_or(ParametriCliente{codice, {}, {}, {}, {}});
    ui::checkValue(*criteri_, p.criterio);
    TxtNote->setText(p.camponote);

    for (ui::RefillCombo* c : {DbcElementoListino, DbcPagamento, DbcElementoFisso}) c->setEditText({});
    TxtListino->clear();
    for (QLabel* l : {LblListino, LblEleListino, LblEleFisso}) l->clear();
    spegniApplicazioni();

    VuotaGrigliaFissi();
    ElementiFissi = p.fissi;
    MostraGrigliaFissi();
    VuotaGrigliaListino();
    ElementiListino = p.listino;
    MostraGrigliaListino();

    if (!letti) ui::MessageService::show("I parametri del cliente sono stati cancellati da un altro utente");
}

void FrmParCli::VuotaGrigliaFissi() {
    formato(*FlxFissi, FormatoFissi);
    for (int r = 1; r <= MassimoElementiFissi; ++r)
        for (int c = 0; c <= 2; ++c) FlxFissi->setText(r, c, {});
}

// Every row goes, not only the first nine: the rows of a longer list shown before would
// otherwise stay under the next client's.
void FrmParCli::VuotaGrigliaListino() {
    formato(*FlxListino, FormatoListino, 1);
    for (int r = 1; r < FlxListino->rows(); ++r)
        for (int c = 0; c <= 3; ++c) FlxListino->setText(r, c, {});
}

void FrmParCli::MostraGrigliaFissi() {
    FlxFissi->setRows(MassimoElementiFissi + 1);
    formato(*FlxFissi, FormatoFissi);
    for (int i = 1; i <= NumeroElementiFissi(); ++i) {
        const ElementoFisso& e = ElementiFissi[size_t(i - 1)];
        FlxFissi->setText(i, 0, e.elemento);
        const QString applicazione = TestoApplicazione(e.applica);
        if (!applicazione.isEmpty()) FlxFissi->setText(i, 1, applicazione);
        FlxFissi->setText(i, 2, DescrizioneInGriglia(e.descrizione, 18));
    }
}

void FrmParCli::MostraGrigliaListino() {
    const int n = NumeroElementiListino();
    FlxListino->setRows(n < 9 ? 10 : n + 1);
    formato(*FlxListino, FormatoListino, 1);
    for (int i = 1; i <= n; ++i) {
        const RigaListino& r = ElementiListino[size_t(i - 1)];
        FlxListino->setText(i, 0, r.elemento);
        FlxListino->setText(i, 1, basic::Format(r.importo, AmbienteLavoro().FormatoImporto));
        FlxListino->setText(i, 2, r.pagamento);
        FlxListino->setText(i, 3, DescrizioneInGriglia(r.descrizione, 13));
    }
    for (int i = n + 1; i <= 9; ++i)
        for (int c = 0; c <= 3; ++c) FlxListino->setText(i, c, " ");
}
