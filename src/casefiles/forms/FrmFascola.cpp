#include "casefiles/forms/FrmFascola.h"

#include <QLayout>

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/ui/FormUtil.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/MascheraFascola.h"
#include "casefiles/forms/TabIncarichi.h"
#include "casefiles/forms/TabLavorazioni.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/forms/FrmComandoSql.h"
#include "foundation/forms/FrmInformazioni.h"
#include "foundation/engine/Generale.h"
#include "platform/system/MessageService.h"
#include "startup/forms/DefinizioneValoriDefault.h"

namespace {

// The toolbar keys that act; the other buttons carry none and do nothing.
const QString TastoAlbero = QStringLiteral("Albero");
const QString TastoVeloce = QStringLiteral("Veloce");
const QString TastoCliente = QStringLiteral("Cliente");

QString Intestazione() {
    QString titolo = TitoloProgramma;
    if (AmbienteLavoro().CollegatoContabilita)
        titolo += " *** Ditta: " + ParametriFattura().Ditta + " *** Esercizio: " + ParametriFattura().Esercizio;
    return titolo;
}

QAction* voce(QMenu* menu, const QString& nome, const QString& testo) {
    QAction* azione = menu->addAction(testo);
    azione->setObjectName(nome);
    return azione;
}

QAction* separatore(QMenu* menu, const QString& nome) {
    QAction* azione = menu->addSeparator();
    azione->setObjectName(nome);
    return azione;
}

QMenu* menu(QMenuBar* barra, const QString& nome, const QString& testo) {
    QMenu* m = barra->addMenu(testo);
    m->setObjectName(nome);
    m->menuAction()->setObjectName(nome);
    return m;
}

QWidget* contenitore(const QString& nome, QWidget* parent) {
    auto* pagina = new QWidget(parent);
    pagina->setObjectName(nome);
    return pagina;
}

// A framed list of the quick-selection column; nothing fills or reads it.
QGroupBox* elenco(const QString& titolo, const QString& nome, QWidget* parent) {
    auto* riquadro = new QGroupBox(titolo, parent);
    auto* lista = new QListWidget(riquadro);
    lista->setObjectName(nome);
    auto* layout = new QVBoxLayout(riquadro);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lista);
    return riquadro;
}

}  // namespace

FrmFascola::FrmFascola(QWidget* parent) : QMainWindow(parent) {
    setObjectName("FrmFascola");
    creaMenu();
    creaBarraIcone();

    auto* divisore = new QSplitter(this);
    divisore->setChildrenCollapsible(false);
    divisore->addWidget(creaColonnaSinistra());
    divisore->addWidget(creaSchede());
    divisore->setStretchFactor(1, 1);
    divisore->setSizes({230, 790});
    setCentralWidget(divisore);

    Lavorazioni = new TabLavorazioni(*paginaLavorazioni_, Evidenziazione);
    Incarichi = new TabIncarichi(*paginaIncarichi_, *Lavorazioni, Evidenziazione);
    Maschera = new MascheraFascola(*this);

    resize(1024, 720);
}

void FrmFascola::creaMenu() {
    QMenuBar* barra = menuBar();

    QMenu* fascole = menu(barra, "Fascole", "&Fascole");
    connect(voce(fascole, "Fine_lavoro", "&Fine lavoro fascole"), &QAction::triggered, this, &QWidget::close);
    comandiDialogo_[Dialogo::CollegamentoArchivi].push_back(
        voce(fascole, "MnuCollegamentoArchivi", "&Collegamento Archivi"));

    QMenu* strumenti = menu(barra, "strumenti", "Str&umenti");
    voce(strumenti, "Contabilizza", "&Contabilizza Elementi in fascola");
    separatore(strumenti, "linea1strumenti");
    voce(strumenti, "Spunta_elementi", "&Spunta elementi in fascola");
    separatore(strumenti, "linea3strumenti");
    QAction* clienti = voce(strumenti, "Definizione_clienti", "&Gestione archivio Clienti");
    connect(clienti, &QAction::triggered, this, &FrmFascola::Definizione_clienti_Click);
    comandiDialogo_[Dialogo::Anagrafe].push_back(clienti);
    comandiDialogo_[Dialogo::ParCli].push_back(voce(strumenti, "Parametri_clienti", "&Parametri economici Clienti"));
    comandiDialogo_[Dialogo::Elefat].push_back(voce(strumenti, "Elementi_da_fatturare", "&Elementi da fatturare"));

    QMenu* stampe = menu(barra, "Stampe", "&Stampe");
    voce(stampe, "frontespizio_fascole", "&Frontespizio fascole");
    voce(stampe, "stampa_generale_fascole", "&Fascole");
    voce(stampe, "dettaglio_contabilizzazione", "&Dettaglio contabilizzazione elementi");

    menu(barra, "Statistiche", "S&tatistiche");

    QMenu* fatturazione = menu(barra, "Fatturazione", "&Fatturazione");
    comandiDialogo_[Dialogo::Ristampa].push_back(voce(fatturazione, "mnuFatturazioneRistampa", "&Ristampa / Annulla"));
    separatore(fatturazione, "mnuriganulla");
    voce(fatturazione, "Fatturazione_Automatica", "Fatturazione &Automatica");

    QMenu* utilita = menu(barra, "utilità", "&Utilità");
    voce(utilita, "Archiviazione_fascole", "&Archiviazione fascole");
    connect(voce(utilita, "Comando_Sql", "&Comando SQL"), &QAction::triggered, this, [this] {
        FrmComandoSql dialogo(this);
        dialogo.exec();
    });

    QMenu* aiuto = menu(barra, "Help", "&?");
    connect(voce(aiuto, "informazioni_prodotto", "&Informazioni sul prodotto"), &QAction::triggered, this, [this] {
        FrmInformazioni dialogo(this);
        dialogo.exec();
    });
    voce(aiuto, "manuale", "&Manuale");

    for (Dialogo dialogo : {Dialogo::CollegamentoArchivi, Dialogo::ParCli, Dialogo::Elefat, Dialogo::Ristampa}) {
        for (QAction* azione : comandiDialogo_[dialogo])
            connect(azione, &QAction::triggered, this, [this, dialogo] { Mostra(dialogo); });
    }
    for (auto& [dialogo, azioni] : comandiDialogo_)
        for (QAction* azione : azioni) azione->setEnabled(false);
}

void FrmFascola::creaBarraIcone() {
    BarraIcone = addToolBar("BarraIcone");
    BarraIcone->setObjectName("BarraIcone");
    BarraIcone->setMovable(false);
    BarraIcone->setIconSize(QSize(24, 24));

    const struct {
        QStyle::StandardPixmap icona;
        QString tasto;
        QString descrizione;
    } pulsanti[] = {
        {QStyle::SP_FileIcon, {}, "Definizione di una nuova fascola"},
        {QStyle::SP_TrashIcon, {}, "Cancella una fascola"},
        {QStyle::SP_FileDialogContentsView, {}, "Ricerca una fascola"},
        {QStyle::SP_FileDialogDetailedView, TastoAlbero, "Criterio di Visualizzazione albero delle fascole"},
        {QStyle::SP_FileDialogListView, TastoVeloce, "Visualizza selezione rapida"},
        {QStyle::SP_DirHomeIcon, TastoCliente, "Definizione cliente Destinatario e/o Mittente"},
        {QStyle::SP_DialogApplyButton, {}, "Contabilizzazione degli elementi in fascola"},
        {QStyle::SP_FileDialogInfoView, {}, "Fatturazione"},
        {QStyle::SP_DialogCloseButton, {}, "Fine lavoro"},
    };
    int indice = 0;
    for (const auto& p : pulsanti) {
        QAction* pulsante = BarraIcone->addAction(style()->standardIcon(p.icona), p.descrizione);
        pulsante->setObjectName(QString("BarraIcone_%1").arg(++indice));
        pulsante->setToolTip(p.descrizione);
        pulsante->setData(p.tasto);
        if (p.tasto == TastoCliente) {
            comandiDialogo_[Dialogo::Anagrafe].push_back(pulsante);
            pulsante->setEnabled(false);
        }
    }
    connect(BarraIcone, &QToolBar::actionTriggered, this, &FrmFascola::BarraIcone_ButtonClick);
}

// The quick-selection frame and the client tree share one place; at most one of them shows.
QWidget* FrmFascola::creaColonnaSinistra() {
    auto* colonna = new QWidget(this);
    auto* posto = new QGridLayout(colonna);
    posto->setContentsMargins(0, 0, 0, 0);

    FrmVeloce = new QGroupBox("Selezione Rapida", colonna);
    FrmVeloce->setObjectName("FrmVeloce");
    auto* veloce = new QVBoxLayout(FrmVeloce);
    veloce->addWidget(new QLabel("Cliente", FrmVeloce));
    auto* clienti = new QListWidget(FrmVeloce);
    clienti->setObjectName("LstCliente");
    veloce->addWidget(clienti);
    veloce->addWidget(elenco("Fascola", "LstFascola", FrmVeloce));
    veloce->addWidget(elenco("Incarico", "LstIncarico", FrmVeloce));
    veloce->addWidget(elenco("Lavoro o Documento", "LstLavoro", FrmVeloce));

    TrvFascole = new QTreeView(colonna);
    TrvFascole->setObjectName("TrvFascole");
    TrvFascole->setHeaderHidden(true);
    TrvFascole->setUniformRowHeights(true);
    TrvFascole->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TrvFascole->hide();

    posto->addWidget(FrmVeloce, 0, 0);
    posto->addWidget(TrvFascole, 0, 0);
    return colonna;
}

QWidget* FrmFascola::creaSchede() {
    NellaFascola = new QTabWidget(this);
    NellaFascola->setObjectName("NellaFascola");

    // Tab 0: the mask, and below it the exposure button of the frame.
    auto* scheda0 = new QWidget(NellaFascola);
    paginaFascola_ = contenitore("PaginaFascola", scheda0);
    E_CmdCalcola = new QPushButton("VISUALIZZA ESPOSIZIONE", scheda0);
    E_CmdCalcola->setObjectName("E_CmdCalcola");
    E_CmdCalcola->setEnabled(false);
    connect(E_CmdCalcola, &QPushButton::clicked, this, &FrmFascola::E_CmdCalcola_Click);
    auto* layout0 = new QVBoxLayout(scheda0);
    layout0->addWidget(paginaFascola_, 1);
    auto* riga0 = new QHBoxLayout;
    riga0->addStretch();
    riga0->addWidget(E_CmdCalcola);
    layout0->addLayout(riga0);

    paginaIncarichi_ = contenitore("PaginaIncarichi", NellaFascola);
    paginaLavorazioni_ = contenitore("PaginaLavorazioni", NellaFascola);

    auto* riservata = new QWidget(NellaFascola);
    auto* layout3 = new QVBoxLayout(riservata);
    layout3->addWidget(new QLabel("Form non utilizzato, riservato per prossime revisioni", riservata), 0,
                       Qt::AlignCenter);

    paginaCompetenze_ = contenitore("PaginaCompetenze", NellaFascola);

    // Tab 5: the invoice tab, and below it the frame's VAT-regime options in a group of
    // their own, so that no other option of the tab clears them.
    auto* scheda5 = new QWidget(NellaFascola);
    paginaFattura_ = contenitore("PaginaFattura", scheda5);
    auto* regime = new QWidget(scheda5);
    OptIvaInter = new QRadioButton("Internazionale", regime);
    OptIvaInter->setObjectName("OptIvaInter");
    OptIvaCee = new QRadioButton("CEE", regime);
    OptIvaCee->setObjectName("OptIvaCee");
    connect(OptIvaCee, &QRadioButton::clicked, this, &FrmFascola::OptIvaCee_Click);
    connect(OptIvaInter, &QRadioButton::clicked, this, &FrmFascola::OptIvaInter_Click);
    // The options show the regime held by the case file object, whoever sets it.
    connect(&FascolaCorrente(), &FascolaCorrenteRec::RegimeIvaCambiato, this, [this] {
        // Exclusive options cannot both be off otherwise; both are before the first choice.
        for (QRadioButton* o : {OptIvaCee, OptIvaInter}) o->setAutoExclusive(false);
        OptIvaCee->setChecked(FascolaCorrente().IvaCee());
        OptIvaInter->setChecked(FascolaCorrente().IvaInter());
        for (QRadioButton* o : {OptIvaCee, OptIvaInter}) o->setAutoExclusive(true);
    });
    auto* rigaRegime = new QHBoxLayout(regime);
    rigaRegime->setContentsMargins(0, 0, 0, 0);
    rigaRegime->addStretch();
    rigaRegime->addWidget(OptIvaInter);
    rigaRegime->addWidget(OptIvaCee);
    auto* layout5 = new QVBoxLayout(scheda5);
    layout5->addWidget(paginaFattura_, 1);
    layout5->addWidget(regime);

    NellaFascola->addTab(scheda0, "&Fascola");
    NellaFascola->addTab(paginaIncarichi_, "&Incarichi");
    NellaFascola->addTab(paginaLavorazioni_, "&Lavori e Documenti");
    NellaFascola->addTab(riservata, "Tab 3");
    NellaFascola->addTab(paginaCompetenze_, "&Competenze");
    NellaFascola->addTab(scheda5, "&Fattura");

    // A click on a tab, whether it changes the current tab or not.
    connect(NellaFascola, &QTabWidget::currentChanged, this, &FrmFascola::NellaFascola_Click);
    connect(NellaFascola, &QTabWidget::tabBarClicked, this, [this](int indice) {
        if (indice == NellaFascola->currentIndex()) NellaFascola_Click();
    });
    return NellaFascola;
}

void FrmFascola::MisuraSchede() {
    // A hidden page does not pass its contents' sizes on to the tabs (the subsystems fill the
    // pages after the window is built): without this, the first showing of a page would widen
    // the window and shift every control.
    for (int i = 0; i < NellaFascola->count(); ++i) {
        QWidget* pagina = NellaFascola->widget(i);
        for (QWidget* w : pagina->findChildren<QWidget*>()) w->updateGeometry();
        for (QLayout* l : pagina->findChildren<QLayout*>()) l->invalidate();
        if (QLayout* l = pagina->layout()) l->activate();
    }
    NellaFascola->updateGeometry();
    if (layout()) layout()->activate();
    resize(size().expandedTo(minimumSizeHint()));
}

void FrmFascola::Form_Load(const QString& CartellaAvvio) {
    MisuraSchede();
    ui::CentraForm(*this);
    AmbienteLavoro().CartellaAvvio = CartellaAvvio;
    DefinizioneValoriDefault();
    emit AvvioMaschera();
    setWindowTitle(Intestazione());
}

void FrmFascola::ImpostaDialogo(Dialogo dialogo, Apertura apertura) {
    const bool disponibile = static_cast<bool>(apertura);
    dialoghi_[dialogo] = std::move(apertura);
    for (QAction* azione : comandiDialogo_[dialogo]) azione->setEnabled(disponibile);
    if (dialogo == Dialogo::Esposizione) AbilitaEsposizione(esposizioneVoluta_);
}

bool FrmFascola::DialogoDisponibile(Dialogo dialogo) const {
    const auto trovato = dialoghi_.find(dialogo);
    return trovato != dialoghi_.end() && trovato->second;
}

void FrmFascola::ImpostaAttiva(bool attiva) {
    attiva_ = attiva;
    // The window's own controls, not the dialogs it owns: those must stay usable.
    centralWidget()->setEnabled(attiva);
    menuBar()->setEnabled(attiva);
    BarraIcone->setEnabled(attiva);
}

void FrmFascola::AbilitaEsposizione(bool abilita) {
    esposizioneVoluta_ = abilita;
    E_CmdCalcola->setEnabled(abilita && DialogoDisponibile(Dialogo::Esposizione));
}

void FrmFascola::Mostra(Dialogo dialogo) {
    if (!DialogoDisponibile(dialogo)) return;
    dialoghi_[dialogo](this);
    // These dialogs give the window back its input when they close, whichever way.
    if (dialogo == Dialogo::Anagrafe || dialogo == Dialogo::ParCli || dialogo == Dialogo::Elefat ||
        dialogo == Dialogo::Esposizione)
        ImpostaAttiva(true);
}

void FrmFascola::BarraIcone_ButtonClick(const QAction* pulsante) {
    const QString tasto = pulsante->data().toString();
    if (tasto == TastoCliente) Definizione_clienti_Click();
    if (tasto == TastoAlbero) {
        FrmVeloce->setEnabled(false);
        FrmVeloce->setVisible(false);
        TrvFascole->setEnabled(true);
        TrvFascole->setVisible(true);
    }
    if (tasto == TastoVeloce) {
        TrvFascole->setEnabled(false);
        TrvFascole->setVisible(false);
        FrmVeloce->setVisible(true);
    }
}

// Linked to the accounting archive, the clients are the accounting package's.
void FrmFascola::Definizione_clienti_Click() {
    if (AmbienteLavoro().CollegatoContabilita) {
        ui::MessageService::show("Utilizzare l'anagrafica clienti della contabilità", "DEFINIZIONE CLIENTI");
        return;
    }
    Mostra(Dialogo::Anagrafe);
}

void FrmFascola::NellaFascola_Click() {
    if (NellaFascola->currentIndex() == SchedaFattura) emit SchedaFatturaScelta();
}

void FrmFascola::OptIvaCee_Click() {
    FascolaCorrente().ImpostaRegimeIva(true);
    emit RegimeIvaCambiato();
}

void FrmFascola::OptIvaInter_Click() {
    FascolaCorrente().ImpostaRegimeIva(false);
    emit RegimeIvaCambiato();
}

void FrmFascola::E_CmdCalcola_Click() {
    if (!DialogoDisponibile(Dialogo::Esposizione)) return;
    ImpostaAttiva(false);
    Mostra(Dialogo::Esposizione);
}
