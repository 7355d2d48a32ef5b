#include "casefiles/forms/MascheraFascola.h"

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
#include <array>

#include "casefiles/engine/ClientiFascola.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/AlberoClienti.h"
#include "casefiles/forms/EtichetteValore.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/NavigatoreRecord.h"
#include "casefiles/forms/OpzioniCriterio.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/ui/ClickEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/FocusEvents.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"

namespace {

QLabel* etichettaValore(const char* nome, int larghezza, const QString& testo) {
    QLabel* l = Valore(nome, larghezza);
    l->setText(testo);
    return l;
}

// What the caption of the action in progress says: in search, in insertion, right after a
// search (nothing of its own: the view's), in view, in correction.
const std::array<QString, 5> TestiAzione = {
    QStringLiteral("definisci i campi per la ricerca"), QStringLiteral("Inserimento nuova Fascola"), QString(),
    QStringLiteral("Visualizzazione Fascole"), QStringLiteral("Correzione Fascola")};

// A look-up list of the session for a refilled combo; its errors go to the handler under
// `descrizione` and leave the list empty.
ui::RefillCombo::Refill elenco(const QString& descrizione, std::vector<ui::ComboRow> (*lettura)(db::Database&)) {
    return [descrizione, lettura] {
        std::vector<ui::ComboRow> righe;
        Procedura proc(descrizione);
        proc.esegui([&] { righe = lettura(*ArchivioInUso()); });
        return righe;
    };
}


}  // namespace

MascheraFascola::MascheraFascola(FrmFascola& finestra)
    : QWidget(finestra.PaginaFascola()), finestra_(finestra), albero_(PreparaAlberoClienti(*finestra.TrvFascole)) {
    setObjectName("MascheraFascola");
    costruisci();
    collegaEventi();
    // The case number shown is the one of the case file on display or being added.
    connect(&FascolaCorrente(), &FascolaCorrenteRec::FascolaCambiata, this,
            [this] { LblNpra->setText(FascolaCorrente().NpraCorrente()); });
    ui::fillPage(*finestra.PaginaFascola(), *this);
    // The window's load: no case file on display, the mask in its initial state.
    connect(&finestra, &FrmFascola::AvvioMaschera, this, [this] {
        RecordInVisione = false;
        StatoIniziale();
    });
}

MascheraFascola::~MascheraFascola() { ui::dropFocusHandlers(*this); }

void MascheraFascola::costruisci() {
    DbcNomeCliente = ui::named<ui::RefillCombo>("DbcNomeCliente");
    DbcNomeCliente->setMinimumWidth(230);
    DbcNomeCliente->setRefill(elenco("Funzione di definizione nome cliente", ElencoClienti));
    LblCodiceCliente = etichettaValore("LblCodiceCliente", LarghezzaCodice, "GG.MM.CC.SSSS");
    LblNpra = etichettaValore("LblNpra", LarghezzaNumero, "NNNN");
    LblNumeroAssoluto = etichettaValore("LblNumeroAssoluto", LarghezzaCodice, {});
    TxtData = ui::named<QLineEdit>("TxtData");
    TxtData->setMaxLength(10);
    TxtData->setMaximumWidth(110);
    criteri_ = new QButtonGroup(this);
    std::tie(OptFineMese, OptAnticipazioni, OptOgniVoce, OptFineLavoro, OptFineFascola) = CreaOpzioniCriterio(
        *criteri_, {"OptFineMese", "OptAnticipazioni", "OptOgniVoce", "OptFineLavoro", "OptFineFascola"},
        {"Fine mese", "Anticipazioni", "Per ogni voce", "Ogni fine incarico", "A chiusura fascola"});
    ChkStato = ui::named<QCheckBox>("ChkStato", "Fascola Aperta");
    TxtRifCli = ui::named<QLineEdit>("TxtRifCli");
    TxtRifCli->setMaxLength(20);
    TxtNote = ui::named<QLineEdit>("TxtNote");
    TxtNote->setMaxLength(255);
    LblAzioneInCorsoFascola = ui::boldLabel("LblAzioneInCorsoFascola", "xxxxxx");
    MisuraFissa(*LblAzioneInCorsoFascola, 0, {TestiAzione.begin(), TestiAzione.end()});

    std::tie(CmdAggiungiFascola, CmdRicercaFascola, CmdCorreggiFascola, CmdCancellaFascola, CmdConfermaFascola,
             CmdAnnullaFascola) = CreaComandi({"CmdAggiungiFascola", "CmdRicercaFascola", "CmdCorreggiFascola",
                                                "CmdCancellaFascola", "CmdConfermaFascola", "CmdAnnullaFascola"});
    CmdStampaFascola = ui::commandButton("CmdStampaFascola", "STAMPA PROSPETTO FASCOLA");
    DtaSelezionatiFascola = ui::named<NavigatoreRecord>("DtaSelezionatiFascola");

    FrmCriteriRicerca = ui::named<QGroupBox>("FrmCriteriRicerca", "Altri criteri di ricerca");
    OptTutte = ui::named<QRadioButton>("OptTutte", "Tutte");
    OptAperte = ui::named<QRadioButton>("OptAperte", "Aperte");
    OptChiuse = ui::named<QRadioButton>("OptChiuse", "Chiuse");
    auto* stati = new QButtonGroup(this);
    for (QRadioButton* o : {OptTutte, OptAperte, OptChiuse}) stati->addButton(o);
    TxtRicercaDocumento = ui::named<QLineEdit>("TxtRicercaDocumento");
    TxtRicercaIncarico = ui::named<QLineEdit>("TxtRicercaIncarico");
    DbcRicercaCompetenza = ui::named<ui::RefillCombo>("DbcRicercaCompetenza");
    DbcRicercaCompetenza->setRefill(elenco("Funzione di ricerca fascole", ElencoElementi));
    TxtRicercaImporto = ui::named<QLineEdit>("TxtRicercaImporto");

    auto* dati = new QGroupBox("dati caratteristici della fascola");
    dati->setObjectName("FrmDatiFascola");
    auto* griglia = new QGridLayout(dati);
    griglia->addWidget(new QLabel("Cliente"), 0, 0);
    griglia->addWidget(ui::row({DbcNomeCliente, LblCodiceCliente}), 0, 1);
    griglia->addWidget(new QLabel("Numero relativo di FASCOLA:"), 1, 0);
    griglia->addWidget(ui::row({LblNpra, new QLabel("Numerazione assoluta fascola"), LblNumeroAssoluto}), 1, 1);
    griglia->addWidget(new QLabel("Data apertura"), 2, 0);
    griglia->addWidget(ui::row({TxtData, ChkStato}), 2, 1);
    auto* criterio = new QGroupBox("Criterio di fatturazione");
    auto* opzioni = new QGridLayout(criterio);
    int posto = 0;
    for (QRadioButton* o : {OptFineMese, OptAnticipazioni, OptOgniVoce, OptFineLavoro, OptFineFascola}) {
        opzioni->addWidget(o, posto / 3, posto % 3, Qt::AlignLeft);
        ++posto;
    }
    griglia->addWidget(criterio, 3, 0, 1, 2);
    griglia->addWidget(new QLabel("Riferimento cliente:"), 4, 0);
    griglia->addWidget(TxtRifCli, 4, 1);
    griglia->addWidget(new QLabel("Note generali sulla fascola"), 5, 0);
    griglia->addWidget(TxtNote, 5, 1);

    QVBoxLayout* pulsanti = ui::buttonColumn({CmdAggiungiFascola, CmdRicercaFascola, CmdCorreggiFascola,
                                              CmdCancellaFascola, CmdConfermaFascola, CmdAnnullaFascola,
                                              CmdStampaFascola});

    auto* ricerca = new QGridLayout(FrmCriteriRicerca);
    ricerca->addWidget(new QLabel("Ricerca estesa alle fascole:"), 0, 0);
    ricerca->addWidget(ui::row({OptTutte, OptAperte, OptChiuse}), 0, 1);
    ricerca->addWidget(new QLabel("Lavoro o documento"), 1, 0);
    ricerca->addWidget(TxtRicercaDocumento, 1, 1);
    ricerca->addWidget(new QLabel("per titolo Incarico"), 2, 0);
    ricerca->addWidget(TxtRicercaIncarico, 2, 1);
    ricerca->addWidget(new QLabel("per competenza "), 3, 0);
    ricerca->addWidget(DbcRicercaCompetenza, 3, 1);
    ricerca->addWidget(new QLabel("con addebito"), 4, 0);
    ricerca->addWidget(TxtRicercaImporto, 4, 1);

    auto* sopra = new QHBoxLayout;
    sopra->addWidget(dati, 1);
    sopra->addLayout(pulsanti);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(sopra);
    tutto->addWidget(ui::row({LblAzioneInCorsoFascola}));
    tutto->addWidget(DtaSelezionatiFascola);
    tutto->addWidget(FrmCriteriRicerca);
    tutto->addStretch();
}

void MascheraFascola::collegaEventi() {
    ui::onFocusChange(*TxtData, {}, [this] { TxtData_LostFocus(); });
    ui::onFocusChange(*DbcNomeCliente, {}, [this] { DbcNomeCliente_LostFocus(); });

    // The name box's own click is the one on its list button; its text is a field of its own.
    for (QWidget* campo :
         std::initializer_list<QWidget*>{TxtData, TxtNote, TxtRifCli, DbcNomeCliente, DbcNomeCliente->lineEdit()})
        ui::onClick(*campo, [this] { CampoCliccato(); });
    connect(ChkStato, &QCheckBox::clicked, this, [this] { CampoCliccato(); });
    connect(criteri_, &QButtonGroup::buttonClicked, this, [this] { CampoCliccato(); });

    CollegaScheda(*this,
                  {CmdAggiungiFascola, CmdRicercaFascola, CmdCorreggiFascola, CmdCancellaFascola, CmdConfermaFascola,
                   CmdAnnullaFascola, CmdStampaFascola, true, {}},
                  *LblAzioneInCorsoFascola, *DtaSelezionatiFascola,
                  {TestiAzione[0], TestiAzione[1], TestiAzione[2], TestiAzione[3], TestiAzione[4]},
                  {QStringLiteral("Funzione di aggiunta di una nuova fascola"),
                   QStringLiteral("Funzione di verifica dati in fascola")});
    connect(CmdStampaFascola, &QPushButton::clicked, this, [this] { CmdStampafascola_Click(); });
}

void MascheraFascola::MascheraDiRicerca() {
    PulisciCampi();
    FrmCriteriRicerca->setVisible(true);
    for (QLineEdit* t : {TxtRicercaDocumento, TxtRicercaIncarico, TxtRicercaImporto}) t->clear();
    DbcRicercaCompetenza->setEditText({});

    DbcNomeCliente->setEnabled(true);
    for (QAbstractButton* o : criteri_->buttons()) o->setEnabled(false);
    TxtData->setEnabled(true);
    TxtNote->setEnabled(false);
    TxtRifCli->setEnabled(true);
    ChkStato->setEnabled(false);

    finestra_.AbilitaEsposizione(false);
}

void MascheraFascola::AbilitaCampi() {
    DbcNomeCliente->setEnabled(true);
    for (QAbstractButton* o : criteri_->buttons()) o->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{TxtData, TxtNote, TxtRifCli, ChkStato}) w->setEnabled(true);
}

// Also ends the display of a case file: the other tabs empty themselves.
void MascheraFascola::PulisciCampi() {
    DbcNomeCliente->setEditText({});
    mostraCodice({});
    LblNumeroAssoluto->clear();
    for (QLineEdit* t : {TxtData, TxtNote, TxtRifCli, TxtRicercaDocumento, TxtRicercaIncarico, TxtRicercaImporto})
        t->clear();
    DbcRicercaCompetenza->setEditText({});
    FascolaCorrente().Svuota();
    spegniCriteri();
    ChkStato->setChecked(true);
    OptTutte->setChecked(false);
    OptAperte->setChecked(true);
    OptChiuse->setChecked(false);
}

void MascheraFascola::CampiNuovi() {
    FrmCriteriRicerca->setVisible(false);
    PulisciCampi();
    TxtData->setText(basic::Today().toString("dd/MM/yyyy"));
    ChkStato->setChecked(true);
}

QWidget& MascheraFascola::CampoChiave() { return *DbcNomeCliente; }

void MascheraFascola::Trovati() {
    FrmCriteriRicerca->setVisible(false);
    DefinizioneAlberoClienti();
}

void MascheraFascola::AzioneAnnullata() { mostraCodice("         "); }

// The tree goes on showing the result as it was found.
void MascheraFascola::TogliRiga(long posizione) {
    if (Selezionate.use_count() > 1) Selezionate = std::make_shared<ElencoFascole>(*Selezionate);
    Selezionate->erase(Selezionate->begin() + (posizione - 1));
}

void MascheraFascola::mostraCodice(const QString& codice) {
    codiceMostrato_ = codice;
    LblCodiceCliente->setText(codice);
}

Fascola& MascheraFascola::selezionata() { return (*Selezionate)[size_t(PosSelezionata - 1)]; }

bool MascheraFascola::Controlli() {
    if (DbcNomeCliente->currentText().isEmpty()) return ui::refuse(*DbcNomeCliente, "Definire il cliente");
    if (criterioScelto().isEmpty())
        return ui::refuse(*OptFineFascola, "selezionare il criterio di fatturazione voluto");
    if (!basic::IsDate(TxtData->text()))
        return ui::refuse(*TxtData, "Bisogna definire una data di apertura della fascola");
    // A stored case file never has an empty note or reference: the empty value is a blank.
    if (TxtNote->text().isEmpty()) TxtNote->setText(" ");
    if (TxtRifCli->text().isEmpty()) TxtRifCli->setText(" ");
    return true;
}

QString MascheraFascola::criterioScelto() const { return ui::checkedValue(*criteri_); }

void MascheraFascola::spegniCriteri() { ui::uncheckAll(*criteri_); }

void MascheraFascola::mostraCriterio(const QString& lettera) { ui::checkValue(*criteri_, lettera); }

void MascheraFascola::TxtData_LostFocus() {
    const QString completa = CompletaData(TxtData->text());
    if (basic::IsDate(completa)) {
        TxtData->setText(completa);
        return;
    }
    ui::MessageService::show("Scrivere una data nel giusto formato!", "CONTROLLO DATI INSERITI");
}

void MascheraFascola::DtaSelezionatiFascola_Validate(int Action, int) { SpostaRecord(Action); }
