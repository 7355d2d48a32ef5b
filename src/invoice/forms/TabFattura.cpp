#include "invoice/forms/TabFattura.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "casefiles/forms/FrmFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/forms/FascolaInFattura.h"
#include "invoice/forms/FrmDatiClienteFattura.h"
#include "invoice/forms/FrmNoteFattura.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"
#include "startup/forms/FrmParametriFattura.h"

namespace {

// The empty grid: the heading and 14 white lines; a filled one shows 15 lines at least.
constexpr int RigheVuote = 15;
constexpr int RigheMinime = 16;
constexpr int Colonne = 3;
constexpr int LarghezzaNomeCliente = 46;

// The grid's general alignment: text to the left, numbers to the right. A number starts, past
// its blanks, with a sign, a digit or a mark: a text that starts with a letter is told at once,
// without being read as a number (codes and descriptions, most of the grid).
Qt::Alignment allineamentoGenerale(const QString& testo) {
    for (const QChar c : testo) {
        if (c == u' ') continue;
        if (c.isLetter()) return Qt::AlignLeft;
        break;
    }
    return basic::IsNumeric(testo) ? Qt::AlignRight : Qt::AlignLeft;
}

QRadioButton* opzione(const char* nome, const QString& testo) { return ui::named<QRadioButton>(nome, testo); }

QPushButton* pulsante(const char* nome, const QString& testo) { return ui::named<QPushButton>(nome, testo); }

}  // namespace

TabFattura::TabFattura(FrmFascola& finestra) : QWidget(finestra.PaginaFattura()), finestra_(finestra) {
    setObjectName("TabFattura");
    costruisci();
    ui::fillPage(*finestra.PaginaFattura(), *this);
    finestra.Evidenziazione.RegistraGriglia("F", *F_FlxFattura);
    collegaEventi();
    connect(&finestra, &FrmFascola::SchedaFatturaScelta, this, &TabFattura::F_StatoIniziale);
    connect(&finestra, &FrmFascola::RegimeIvaCambiato, this, &TabFattura::VisualizzazioneElementiDaFatturare);
    F_StatoIniziale();
}

void TabFattura::costruisci() {
    F_LblNomeCliente = ui::valueLabel("F_LblNomeCliente", 330);
    F_LblNomeCliente->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* documento = ui::named<QGroupBox>("F_FrmTipoDocumento", "Tipo documento");
    F_OptFattura = opzione("F_OptFattura", "Fattura");
    F_OptNotaDebito = opzione("F_OptNotaDebito", "Nota debito");
    F_OptNotaCredito = opzione("F_OptNotaCredito", "Nota credito");
    auto* tipi = new QHBoxLayout(documento);
    for (QRadioButton* o : {F_OptFattura, F_OptNotaDebito, F_OptNotaCredito}) tipi->addWidget(o);

    F_FrmOpzioni = ui::named<QGroupBox>("F_FrmOpzioni", "Criterio selezione competenze dalla fascola");
    F_OptFineMese = opzione("F_OptFineMese", "Fine mese");
    F_OptAnticipazioni = opzione("F_OptAnticipazioni", "Anticipazioni");
    F_OptPerOgniVoce = opzione("F_OptPerOgniVoce", "Ogni voce");
    F_OptIncaricoFinito = opzione("F_OptIncaricoFinito", "Per ogni incarico finito");
    F_OptFascolaFinita = opzione("F_OptFascolaFinita", "Per fascola finita");
    F_OptNessunaSelezione = opzione("F_OptNessunaSelezione", "Nessuna");
    F_TxtMese = ui::named<QLineEdit>("F_TxtMese");
    F_TxtMese->setMaxLength(2);
    F_TxtMese->setFixedWidth(40);
    F_CmdApplicaSelezione = pulsante("F_CmdApplicaSelezione", "APPLICA");
    auto* criteri = new QGridLayout(F_FrmOpzioni);
    criteri->addWidget(F_OptFineMese, 0, 0);
    criteri->addWidget(F_TxtMese, 0, 1);
    criteri->addWidget(F_OptAnticipazioni, 0, 2);
    criteri->addWidget(F_OptPerOgniVoce, 0, 3);
    criteri->addWidget(F_OptIncaricoFinito, 1, 0, 1, 2);
    criteri->addWidget(F_OptFascolaFinita, 1, 2);
    criteri->addWidget(F_OptNessunaSelezione, 1, 3);
    criteri->addWidget(F_CmdApplicaSelezione, 0, 4, 2, 1);

    F_CmdDatiCliente = pulsante("F_CmdDatiCliente", "CLIENTE");
    F_CmdParametriFattura = pulsante("F_CmdParametriFattura", "Parametri");
    F_CmdNote = pulsante("F_CmdNote", "NOTE");
    F_CmdStampa = pulsante("F_CmdStampa", "STAMPA");

    F_DbcElemento = ui::named<ui::RefillCombo>("F_DbcElemento");
    F_DbcElemento->lineEdit()->setMaxLength(3);
    F_DbcElemento->setMinimumWidth(70);
    F_DbcDescrizione = ui::named<ui::RefillCombo>("F_DbcDescrizione");
    F_DbcDescrizione->setMinimumWidth(260);
    F_TxtDescrizione = ui::named<QLineEdit>("F_TxtDescrizione");
    F_TxtDescrizione->setMaxLength(50);
    F_LblCheCao = ui::named<QLabel>("F_LblCheCao", "Listino");
    F_TxtImporto = ui::named<QLineEdit>("F_TxtImporto");
    F_LblFattore = ui::named<QLabel>("F_LblFattore", "fattore");
    F_TxtFattore = ui::named<QLineEdit>("F_TxtFattore");
    F_TxtFattore->setMaxLength(10);
    F_TxtImpofatt = ui::named<QLineEdit>("F_TxtImpofatt");
    F_CmdVediAltriDati = pulsante("F_CmdVediAltriDati", "ALTRI DATI");
    F_CmdVuota = pulsante("F_CmdVuota", "VUOTA");
    F_CmdAnnulla = pulsante("F_CmdAnnulla", "ANNULLA");
    F_CmdAggiungi = pulsante("F_CmdAggiungi", "AGGIUNGI");
    F_CmdCorreggi = pulsante("F_CmdCorreggi", "CORREGGI");
    F_CmdTogli = pulsante("F_CmdTogli", "TOGLI");

    F_FlxFattura = ui::named<ui::Grid>("F_FlxFattura");
    F_FlxFattura->verticalHeader()->setDefaultSectionSize(F_FlxFattura->fontMetrics().height() + 6);
    F_LblTotale = ui::valueLabel("F_LblTotale", 110);
    F_LblIva = ui::valueLabel("F_LblIva", 110);
    for (QLabel* l : {F_LblTotale, F_LblIva}) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    mnurapido = new QMenu("MnuRapido", this);
    mnurapido->setObjectName("mnurapido");
    const auto voce = [this](const char* nome, const QString& testo) {
        QAction* a = mnurapido->addAction(testo);
        a->setObjectName(nome);
        return a;
    };
    F_mnuPrimaRiga = voce("F_mnuPrimaRiga", "Inserisci come prima riga");
    F_mnuRigaSopra = voce("F_mnuRigaSopra", "Inserisci sopra");
    F_mnuRigaSotto = voce("F_mnuRigaSotto", "Inserisci sotto");
    F_mnuUltimaRiga = voce("F_mnuUltimaRiga", "Aggiungi come ultima riga");

    auto* testata = new QHBoxLayout;
    testata->addWidget(new QLabel("Cliente:"));
    testata->addWidget(F_LblNomeCliente);
    testata->addWidget(documento);
    testata->addStretch();

    auto* comandi = new QHBoxLayout;
    for (QPushButton* b : {F_CmdDatiCliente, F_CmdParametriFattura, F_CmdNote, F_CmdStampa}) comandi->addWidget(b);
    comandi->addStretch();

    auto* campi = new QGridLayout;
    campi->addWidget(new QLabel("Elemento"), 0, 0);
    campi->addWidget(F_DbcElemento, 1, 0);
    campi->addWidget(F_DbcDescrizione, 1, 1, 1, 2);
    campi->addWidget(new QLabel("Descrizione"), 0, 3);
    campi->addWidget(F_TxtDescrizione, 1, 3, 1, 3);
    campi->addWidget(F_LblCheCao, 2, 0);
    campi->addWidget(F_TxtImporto, 3, 0);
    campi->addWidget(F_LblFattore, 2, 1);
    campi->addWidget(F_TxtFattore, 3, 1);
    campi->addWidget(new QLabel("Fatturare"), 2, 2);
    campi->addWidget(F_TxtImpofatt, 3, 2);
    auto* pulsantiRiga = new QHBoxLayout;
    for (QPushButton* b : {F_CmdVediAltriDati, F_CmdVuota, F_CmdAnnulla, F_CmdAggiungi, F_CmdCorreggi, F_CmdTogli})
        pulsantiRiga->addWidget(b);
    campi->addLayout(pulsantiRiga, 3, 3, 1, 3);

    auto* totali = new QHBoxLayout;
    totali->addStretch();
    totali->addWidget(new QLabel("Totale:"));
    totali->addWidget(F_LblTotale);
    totali->addWidget(new QLabel("+ IVA"));
    totali->addWidget(F_LblIva);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(testata);
    tutto->addWidget(F_FrmOpzioni);
    tutto->addLayout(comandi);
    tutto->addLayout(campi);
    tutto->addWidget(F_FlxFattura, 1);
    tutto->addLayout(totali);
}

void TabFattura::collegaEventi() {
    connect(F_CmdApplicaSelezione, &QPushButton::clicked, this, &TabFattura::F_CmdApplicaSelezione_Click);
    connect(F_OptFineMese, &QRadioButton::clicked, this, [this] { F_OptCriterio_Click(true); });
    for (QRadioButton* o :
         {F_OptAnticipazioni, F_OptPerOgniVoce, F_OptIncaricoFinito, F_OptFascolaFinita, F_OptNessunaSelezione})
        connect(o, &QRadioButton::clicked, this, [this] { F_OptCriterio_Click(false); });
    ui::onFocusChange(*F_TxtMese, {}, [this] { F_TxtMese_LostFocus(); });
    connect(F_CmdDatiCliente, &QPushButton::clicked, this, &TabFattura::F_CmdDatiCliente_Click);
    connect(F_CmdParametriFattura, &QPushButton::clicked, this, &TabFattura::F_CmdParametriFattura_Click);
    connect(F_CmdNote, &QPushButton::clicked, this, &TabFattura::F_CmdNote_Click);
    connect(F_CmdStampa, &QPushButton::clicked, this, [this] {
        if (Stampa) Stampa();
    });

    connect(F_FlxFattura, &ui::Grid::clicked, this, &TabFattura::F_FlxFattura_Click);
    F_FlxFattura->viewport()->installEventFilter(this);
    F_DbcElemento->setRefill([this] {
        std::vector<ui::ComboRow> righe;
        Procedura proc("Funzione di lista elementi da fatturare");
        if (Connessione s = sessione("Funzione di lista elementi da fatturare"))
            proc.esegui([&] { righe = ElencoCodiciElementi(*s); });
        return righe;
    });
    F_DbcDescrizione->setRefill([this] {
        std::vector<ui::ComboRow> righe;
        Procedura proc("Funzione di lista elementi da fatturare");
        if (Connessione s = sessione("Funzione di lista elementi da fatturare"))
            proc.esegui([&] { righe = ElencoDescrizioniElementi(*s); });
        return righe;
    });
    ui::onFocusChange(*F_DbcElemento, {}, [this] { F_DbcElemento_LostFocus(); });
    ui::onFocusChange(*F_DbcDescrizione, {}, [this] { F_DbcDescrizione_LostFocus(); });
    ui::onFocusChange(*F_TxtImporto, {}, [this] { F_TxtImporti_LostFocus(); });
    ui::onFocusChange(*F_TxtFattore, {}, [this] { F_TxtImporti_LostFocus(); });

    connect(F_CmdVediAltriDati, &QPushButton::clicked, this, &TabFattura::F_CmdVediAltriDati_Click);
    connect(F_CmdVuota, &QPushButton::clicked, this, &TabFattura::F_CmdVuota_Click);
    connect(F_CmdAnnulla, &QPushButton::clicked, this, &TabFattura::F_CmdAnnulla_Click);
    connect(F_CmdAggiungi, &QPushButton::clicked, this, &TabFattura::F_CmdAggiungi_Click);
    connect(F_CmdCorreggi, &QPushButton::clicked, this, &TabFattura::F_CmdCorreggi_Click);
    connect(F_CmdTogli, &QPushButton::clicked, this, &TabFattura::F_CmdTogli_Click);
    connect(F_mnuPrimaRiga, &QAction::triggered, this, [this] { InserimentoNuovaRiga(u'I'); });
    connect(F_mnuRigaSopra, &QAction::triggered, this, [this] { InserimentoNuovaRiga(u'P'); });
    connect(F_mnuRigaSotto, &QAction::triggered, this, [this] { InserimentoNuovaRiga(u'D'); });
    connect(F_mnuUltimaRiga, &QAction::triggered, this, [this] { InserimentoNuovaRiga(u'F'); });
}

Connessione TabFattura::sessione(const QString& descrizione) {
    Connessione s;
    Procedura proc(descrizione);
    proc.essenziale([&] { s = ArchivioInUso(); });
    return s;
}

// --- What the issue uses.

QString TabFattura::LetteraDocumento() const {
    if (F_OptNotaDebito->isChecked()) return QStringLiteral("E");
    if (F_OptNotaCredito->isChecked()) return QStringLiteral("H");
    return QStringLiteral("F");
}

void TabFattura::ComponiDocumento() {
    documento_.reset();
    if (!riepilogo_) return;
    try {
        documento_ = ComposizioneDocumento(*riepilogo_, FatturaInComposizione().RigheFattura, ParametriFattura());
    } catch (const db::DbError&) {
        // A parameter holds no number money can hold: the issue tells it through its error box.
    }
}

const std::optional<RiepilogoIva>& TabFattura::RiepilogoPerLaStampa() {
    if (!riepilogo_) VisualizzazioneElementiDaFatturare();
    return riepilogo_;
}

void TabFattura::AzzeraDopoEmissione() {
    FatturaInComposizione().RigaCorrente = 0;
    F_VuotaGriglia();
    F_AzzeraRighe();
    F_StatoIniziale();
}

// --- The tab's states.

void TabFattura::F_StatoIniziale() {
    F_FrmOpzioni->setEnabled(true);
    F_LblNomeCliente->setText(basic::Left(FascolaSulTab().Nome + basic::Space(LarghezzaNomeCliente),
                                          LarghezzaNomeCliente));
    // Closed before it is emptied: leaving it would put this month back in.
    F_TxtMese->setEnabled(false);
    F_TxtMese->setVisible(false);
    F_TxtMese->clear();
    F_OptNessunaSelezione->setChecked(true);
    F_LblTotale->clear();
    F_LblIva->clear();
    F_OptFattura->setChecked(true);
    for (QPushButton* b : {F_CmdDatiCliente, F_CmdParametriFattura, F_CmdNote, F_CmdStampa}) b->setEnabled(false);
    F_VuotaGriglia();
    F_PulisciCampi();
}

void TabFattura::F_VuotaGriglia() {
    ui::Grid& g = *F_FlxFattura;
    g.setRows(RigheVuote);
    g.setCols(Colonne);
    g.setRow(0);
    g.setCol(0);
    g.setFormatString(FormatoGriglia);
    for (int riga = 1; riga < RigheVuote; ++riga) {
        for (int colonna = 0; colonna < Colonne; ++colonna) {
            g.setCellBackColor(riga, colonna, ui::bgr(ui::BgrWhite));
            g.setCellAlignment(riga, colonna, Qt::AlignLeft);
            g.setText(riga, colonna, {});
        }
    }
    F_LblTotale->clear();
    F_LblIva->clear();
    riepilogo_.reset();
    documento_.reset();
}

void TabFattura::F_AzzeraRighe() { FatturaInComposizione().AzzeraRighe(); }

void TabFattura::F_AbilitaFattura() {
    for (QWidget* w : std::initializer_list<QWidget*>{F_CmdDatiCliente, F_CmdParametriFattura, F_CmdNote, F_CmdStampa,
                                                      F_DbcElemento, F_DbcDescrizione, F_TxtDescrizione,
                                                      F_TxtImpofatt})
        w->setEnabled(true);
}

// --- The selection.

void TabFattura::F_OptCriterio_Click(bool fineMese) {
    F_TxtMese->setEnabled(fineMese);
    F_TxtMese->setVisible(fineMese);
    if (fineMese) F_TxtMese->setFocus(Qt::OtherFocusReason);
}

void TabFattura::F_TxtMese_LostFocus() { F_TxtMese->setText(MeseDigitato(F_TxtMese->text(), basic::Today())); }

void TabFattura::F_CmdApplicaSelezione_Click() {
    CriterioEstrazione criterio = CriterioEstrazione::NessunaSelezione;
    const std::pair<QRadioButton*, CriterioEstrazione> opzioni[] = {
        {F_OptFineMese, CriterioEstrazione::FineMese},
        {F_OptAnticipazioni, CriterioEstrazione::Anticipazioni},
        {F_OptPerOgniVoce, CriterioEstrazione::PerOgniVoce},
        {F_OptIncaricoFinito, CriterioEstrazione::IncaricoFinito},
        {F_OptFascolaFinita, CriterioEstrazione::FascolaFinita},
        {F_OptNessunaSelezione, CriterioEstrazione::NessunaSelezione},
    };
    for (const auto& [o, c] : opzioni)
        if (o->isChecked()) criterio = c;
    F_TxtMese->setEnabled(false);
    F_TxtMese->setVisible(false);
    F_AbilitaFattura();
    EstrazioneElementiDaFatturare(criterio);
    F_FrmOpzioni->setEnabled(false);
    // The selection composes the document under the EU VAT regime. Choosing it draws the grid
    // with the EU VAT codes; when it drew nothing (the regime was already chosen), the grid is
    // drawn here. Either way once.
    const int disegnate = grigliaDisegnata_;
    if (!finestra_.OptIvaCee->isChecked()) finestra_.OptIvaCee->click();
    if (grigliaDisegnata_ == disegnate) VisualizzazioneElementiDaFatturare();
}

void TabFattura::EstrazioneElementiDaFatturare(CriterioEstrazione criterio) {
    F_AzzeraRighe();
    F_VuotaGriglia();
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    const FascolaInFattura fascola = FascolaSulTab();
    RichiestaEstrazione richiesta;
    richiesta.Criterio = criterio;
    richiesta.Cliente = fascola.Cliente;
    richiesta.Npra = fascola.Npra;
    if (criterio == CriterioEstrazione::FineMese) {
        // A month never left by the focus is put right as leaving it would.
        F_TxtMese->setText(MeseDigitato(F_TxtMese->text(), basic::Today()));
        richiesta.Mese = F_TxtMese->text();
        richiesta.DataFattura = basic::ToDate(ParametriFattura().DataFattura).value_or(basic::Today());
    }
    Connessione s = sessione("Funzione di estrazione elementi da fatturare");
    if (!s) return;
    switch (::EstrazioneElementiDaFatturare(*s, richiesta, fattura.RigheFattura)) {
    case EsitoEstrazione::Estratte: DefinizioneRigaFattura(); break;
    case EsitoEstrazione::NessunElemento: ui::MessageService::show(MessaggioNessunElemento); break;
    case EsitoEstrazione::FascolaNonFinita: ui::MessageService::show(MessaggioFascolaNonFinita); break;
    case EsitoEstrazione::NessunaSelezione:
    case EsitoEstrazione::Interrotta: break;
    }
}

// --- The grid.

void TabFattura::DefinizioneRigaFattura() {
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    if (Connessione s = sessione("Funzione di definizione riga fattura"))
        ::DefinizioneRigaFattura(*s, fattura.RigheFattura, fattura.RigheVisualizzate);
}

void TabFattura::VisualizzazioneElementiDaFatturare() {
    ++grigliaDisegnata_;
    F_VuotaGriglia();
    Connessione s = sessione("Funzione di visualizzazione elementi da fatturare");
    if (!s) return;
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    LettoreAliquoteIva aliquote(*s, AmbienteLavoro().CollegatoContabilita);
    // Totals beyond the range of an amount (lines chosen from fee items already that large)
    // are the overflow error: the grid then stays empty.
    Procedura proc("Funzione di visualizzazione elementi da fatturare");
    GrigliaFattura contenuto;
    if (!proc.essenziale([&] {
            contenuto = ::VisualizzazioneElementiDaFatturare(*s, fattura.RigheFattura, fattura.RigheVisualizzate,
                                                             FascolaSulTab().IvaCee, aliquote);
        }))
        return;

    ui::Grid& g = *F_FlxFattura;
    const int n = int(contenuto.Righe.size());
    g.setUpdatesEnabled(false);
    g.setRows(std::max(RigheMinime, n + 1));
    g.setCols(Colonne);
    g.setRow(0);
    g.setCol(0);
    g.setFormatString(FormatoGriglia);
    for (int r = 1; r <= n; ++r) {
        const CelleRigaFattura& celle = contenuto.Righe[size_t(r - 1)];
        const QString testi[Colonne] = {celle.Codice, celle.Descrizione, celle.Importo};
        for (int c = 0; c < Colonne; ++c) {
            g.setText(r, c, testi[c]);
            g.setCellAlignment(r, c, allineamentoGenerale(testi[c]));
        }
        g.setRow(r);
    }
    g.setUpdatesEnabled(true);
    F_LblTotale->setText(contenuto.TestoTotale);
    F_LblIva->setText(contenuto.TestoIva);
    riepilogo_ = contenuto.Riepilogo;
    ComponiDocumento();
}

// --- The document buttons.

void TabFattura::F_CmdDatiCliente_Click() {
    FrmDatiClienteFattura dialogo(this);
    dialogo.exec();
}

void TabFattura::F_CmdParametriFattura_Click() {
    FrmParametriFattura dialogo(this);
    dialogo.exec();
    ComponiDocumento();
}

void TabFattura::F_CmdNote_Click() {
    FrmNoteFattura dialogo(this);
    dialogo.exec();
}
