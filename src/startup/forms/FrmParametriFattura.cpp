#include "startup/forms/FrmParametriFattura.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <memory>

#include "accounting/engine/ArchivioContabile.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/NumeriDeiParametri.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/ui/FormUtil.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "platform/ui/FocusEvents.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"
#include "startup/engine/ParametriFatturaArchivio.h"
#include "foundation/engine/Richiesto.h"
#include "startup/forms/SceltaAmbiente.h"

namespace {

// Gives the main window (object name "FrmFascola"), when there is one, that caption.
void ImpostaTitoloFinestraPrincipale(const QString& titolo) {
    for (QWidget* finestra : QApplication::topLevelWidgets())
        if (finestra->objectName() == "FrmFascola") finestra->setWindowTitle(titolo);
}

// A text box as wide as the column that stores it, so that CONTINUA never fails on it.
QLineEdit* casella(const char* nome, int larghezza = 0) {
    auto* box = ui::named<QLineEdit>(nome);
    if (larghezza > 0) box->setMaxLength(larghezza);
    return box;
}

QButtonGroup* gruppo(QObject* padre, std::initializer_list<QRadioButton*> opzioni) {
    auto* g = new QButtonGroup(padre);
    int id = 1;
    for (QRadioButton* o : opzioni) g->addButton(o, id++);
    return g;
}

// The option of `lettera` ("1" for the first one...) on; a letter outside the group turns
// none on.
void mostraCriterio(QButtonGroup& g, const QString& lettera) {
    const int id = lettera.size() == 1 && lettera[0].isDigit() ? lettera.toInt() : 0;
    if (QAbstractButton* opzione = g.button(id)) opzione->setChecked(true);
}

// The letter of the option that is on; with none on the member keeps its value.
QString criterioScelto(const QButtonGroup& g, const QString& attuale) {
    return g.checkedId() > 0 ? QString::number(g.checkedId()) : attuale;
}

void impostaOpzioni(QRadioButton* si, QRadioButton* no, bool valore) {
    (valore ? si : no)->setChecked(true);
}

const QString TitoloDitta = QStringLiteral("Conferma definizione nuova ditta");
const QString TitoloParametri = QStringLiteral("PARAMETRI FATTURAZIONE");

}  // namespace

FrmParametriFattura::FrmParametriFattura(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmParametriFattura");
    setWindowTitle(TitoloParametri);
    costruisci();
    ui::enterPresses(*this, nullptr);

    ui::onFocusChange(*DbcZolpa, [this] { DbcZolpa_GotFocus(); }, {});
    ui::onFocusChange(*CmbEsercizio, [this] { CmbEsercizio_GotFocus(); }, [this] { LasciaEsercizi(*CmbEsercizio); });
    ui::onFocusChange(*DbcRegIva, [this] { DbcRegIva_GotFocus(); }, {});
    connect(CmdContinua, &QPushButton::clicked, this, &FrmParametriFattura::CmdContinua_Click);

    Form_Load();
}

void FrmParametriFattura::costruisci() {
    ChkDettaglioFascola = ui::named<QCheckBox>("ChkDettaglioFascola",
                                               "In fattura Visualizza le righe di specifica fascola lav. Inc.");
    ChkAnteprimaStampa = ui::named<QCheckBox>("ChkAnteprimaStampa", "Su comando stampa fattura visualizza anteprima");
    ChkMemorizzaFattura = ui::named<QCheckBox>("ChkMemorizzaFattura", "Memorizza fattura emessa in fascola");
    CmdContinua = ui::named<QPushButton>("CmdContinua", "CONTINUA");

    FrameZolpa = ui::named<QGroupBox>("FrameZolpa", "Contabilità");
    OptRegistraSi = ui::named<QRadioButton>("OptRegistraSi", "SI");
    OptRegistraNo = ui::named<QRadioButton>("OptRegistraNo", "NO");
    DbcZolpa = ui::named<ui::RefillCombo>("DbcZolpa");
    DbcZolpa->lineEdit()->setMaxLength(30);
    CmbEsercizio = ui::named<QComboBox>("CmbEsercizio");
    CmbEsercizio->setEditable(true);
    CmbEsercizio->setCompleter(nullptr);
    CmbEsercizio->setInsertPolicy(QComboBox::NoInsert);
    CmbEsercizio->lineEdit()->setMaxLength(4);
    DbcRegIva = ui::named<ui::RefillCombo>("DbcRegIva");
    DbcRegIva->lineEdit()->setMaxLength(1);
    gruppo(this, {OptRegistraSi, OptRegistraNo});
    auto* zolpa = new QGridLayout(FrameZolpa);
    zolpa->addWidget(ui::row({new QLabel("Registrazione contabile automatica:"), OptRegistraSi, OptRegistraNo}), 0, 0, 1, 2);
    zolpa->addWidget(new QLabel("Nome ditta"), 1, 0);
    zolpa->addWidget(DbcZolpa, 1, 1);
    zolpa->addWidget(new QLabel("Esercizio contabile:"), 2, 0);
    zolpa->addWidget(CmbEsercizio, 2, 1);
    zolpa->addWidget(new QLabel("Registro IVA"), 3, 0);
    zolpa->addWidget(DbcRegIva, 3, 1);

    FrameDataNumero = ui::named<QGroupBox>("FrameDataNumero", "Data e Numero fattura");
    TxtDataFattura = casella("TxtDataFattura");
    TxtNumeroFattura = casella("TxtNumeroFattura");
    OptNumeroAutomatico = ui::named<QRadioButton>("OptNumeroAutomatico", "Funzionamento AUTOMATICO");
    OptNumeroManuale = ui::named<QRadioButton>("OptNumeroManuale", "MANUALE");
    gruppo(this, {OptNumeroAutomatico, OptNumeroManuale});
    auto* dataNumero = new QGridLayout(FrameDataNumero);
    dataNumero->addWidget(new QLabel("Data"), 0, 0);
    dataNumero->addWidget(TxtDataFattura, 0, 1);
    dataNumero->addWidget(new QLabel("Numero"), 1, 0);
    dataNumero->addWidget(TxtNumeroFattura, 1, 1);
    dataNumero->addWidget(ui::row({OptNumeroAutomatico, OptNumeroManuale}), 2, 0, 1, 2);

    OptBolloNoIvaNoAnticipazioni = ui::named<QGroupBox>("OptBolloNoIvaNoAnticipazioni", "Applicazione bollo ");
    ChkBollo = ui::named<QCheckBox>("ChkBollo", "Applicare l'imposta di Bollo dell'importo di ");
    TxtImportoBollo = casella("TxtImportoBollo", 10);
    TxtSogliaBollo = casella("TxtSogliaBollo", 10);
    OptBolloSempre = ui::named<QRadioButton>("OptBolloSempre", "Sempre per importi non imponibili maggiori della soglia");
    OptBolloSempreNoAnticipazioni = ui::named<QRadioButton>(
        "OptBolloSempreNoAnticipazioni", "Sempre, per importi non imponibili diversi da anticipazioni");
    OptBolloNoIvaTutti = ui::named<QRadioButton>("OptBolloNoIvaTutti",
                                                 "Se nella fattura non c'è iva, applicata su tutti gli importi");
    OptBolloNoIvaNoAnticip = ui::named<QRadioButton>("OptBolloNoIvaNoAnticip",
                                                     "Se nella fattura non c'è iva, solo per esenti non anticipaz.");
    GruppoCriterioBollo =
        gruppo(this, {OptBolloSempre, OptBolloSempreNoAnticipazioni, OptBolloNoIvaTutti, OptBolloNoIvaNoAnticip});
    auto* bollo = new QVBoxLayout(OptBolloNoIvaNoAnticipazioni);
    bollo->addWidget(ui::row({ChkBollo, TxtImportoBollo}));
    bollo->addWidget(ui::row({new QLabel("Soglia di applicabilità"), TxtSogliaBollo}));
    bollo->addWidget(new QLabel("Criterio di applicazione:"));
    for (QRadioButton* o : {OptBolloSempre, OptBolloSempreNoAnticipazioni, OptBolloNoIvaTutti, OptBolloNoIvaNoAnticip})
        bollo->addWidget(o);

    FrameRitenutaAcconto = ui::named<QGroupBox>("FrameRitenutaAcconto", "Ritenuta di Acconto");
    ChkRitenutaAcconto = ui::named<QCheckBox>("ChkRitenutaAcconto", "Applicare la ritenuta di acconto nella misura % del");
    TxtRitAccPerc = casella("TxtRitAccPerc", 10);
    TxtRAPercImponibile = casella("TxtRAPercImponibile", 10);
    OptRATutti = ui::named<QRadioButton>("OptRATutti", "Calcolare su tutti gli importi in fattura");
    OptRACostiCompetenze = ui::named<QRadioButton>("OptRACostiCompetenze", "Calcolare solo su Costi e Competenze");
    OptRACompetenze = ui::named<QRadioButton>("OptRACompetenze", "Calcolare solo sulle competenze");
    GruppoCriterioRA = gruppo(this, {OptRATutti, OptRACostiCompetenze, OptRACompetenze});
    auto* ritenuta = new QVBoxLayout(FrameRitenutaAcconto);
    ritenuta->addWidget(ui::row({ChkRitenutaAcconto, TxtRitAccPerc}));
    ritenuta->addWidget(ui::row({new QLabel("su"), TxtRAPercImponibile, new QLabel("%"), new QLabel("imponibile")}));
    for (QRadioButton* o : {OptRATutti, OptRACostiCompetenze, OptRACompetenze}) ritenuta->addWidget(o);

    FrameAltreRitenute = ui::named<QGroupBox>("FrameAltreRitenute", "Altre Ritenute");
    chkAltreRitenute = ui::named<QCheckBox>("chkAltreRitenute", "Applicare la ritenuta  nella misura % del");
    TxtAltreRitPerc = casella("TxtAltreRitPerc", 10);
    TxtAltreRitPercImponibile = casella("TxtAltreRitPercImponibile", 10);
    TxtAltreRitTesto = casella("TxtAltreRitTesto", 25);
    OptAltreRitTutti = ui::named<QRadioButton>("OptAltreRitTutti", "Calcolare su tutti gli importi in fattura");
    OptAltreRitCostiComp = ui::named<QRadioButton>("OptAltreRitCostiComp", "Calcolare solo su Costi e Competenze");
    OptAltreRitComp = ui::named<QRadioButton>("OptAltreRitComp", "Calcolare solo sulle competenze");
    GruppoAltreRitCriterio = gruppo(this, {OptAltreRitTutti, OptAltreRitCostiComp, OptAltreRitComp});
    auto* altre = new QVBoxLayout(FrameAltreRitenute);
    altre->addWidget(ui::row({chkAltreRitenute, TxtAltreRitPerc}));
    altre->addWidget(ui::row({new QLabel("su"), TxtAltreRitPercImponibile, new QLabel("%"), new QLabel("imponibile")}));
    altre->addWidget(ui::row({new QLabel("Descrizione ritenuta"), TxtAltreRitTesto}));
    for (QRadioButton* o : {OptAltreRitTutti, OptAltreRitCostiComp, OptAltreRitComp}) altre->addWidget(o);

    FrameIntestazione = ui::named<QGroupBox>("FrameIntestazione", "Intestazione fattura");
    TxtRigaTestata1 = casella("TxtRigaTestata1", 25);
    TxtRigaTestata2 = casella("TxtRigaTestata2", 40);
    TxtRigaTestata3 = casella("TxtRigaTestata3", 40);
    TxtRigaTestata4 = casella("TxtRigaTestata4", 40);
    TxtRigaTestata5 = casella("TxtRigaTestata5", 40);
    TxtRigaTestata6 = casella("TxtRigaTestata6", 40);
    auto* intestazione = new QVBoxLayout(FrameIntestazione);
    intestazione->addWidget(new QLabel("Definire le righe che si vogliono stampate in testata"));
    for (QLineEdit* t : {TxtRigaTestata1, TxtRigaTestata2, TxtRigaTestata3, TxtRigaTestata4, TxtRigaTestata5,
                         TxtRigaTestata6})
        intestazione->addWidget(t);

    for (QLineEdit* t : {TxtImportoBollo, TxtSogliaBollo, TxtRitAccPerc, TxtRAPercImponibile, TxtAltreRitPerc,
                         TxtAltreRitPercImponibile})
        t->setFixedWidth(90);

    auto* pagina = new QGridLayout(this);
    pagina->addWidget(ChkDettaglioFascola, 0, 0);
    pagina->addWidget(ChkAnteprimaStampa, 1, 0);
    pagina->addWidget(ChkMemorizzaFattura, 2, 0);
    pagina->addWidget(CmdContinua, 0, 1, 3, 1, Qt::AlignRight | Qt::AlignVCenter);
    pagina->addWidget(FrameZolpa, 3, 0);
    pagina->addWidget(FrameDataNumero, 3, 1);
    pagina->addWidget(OptBolloNoIvaNoAnticipazioni, 4, 0);
    pagina->addWidget(FrameIntestazione, 4, 1);
    pagina->addWidget(FrameRitenutaAcconto, 5, 0);
    pagina->addWidget(FrameAltreRitenute, 5, 1);
}

void FrmParametriFattura::Form_Load() {
    ui::CentraForm(*this);
    const AmbienteLavoroRec& ambiente = AmbienteLavoro();
    ParametriFatturaRec& p = ParametriFattura();

    if (ambiente.CollegatoContabilita) {
        ChkDettaglioFascola->setChecked(p.DettaglioFascola);
        FrameZolpa->setEnabled(true);
        impostaOpzioni(OptRegistraSi, OptRegistraNo, p.Registrazione);
        DbcZolpa->setEditText(p.Ditta);
        CmbEsercizio->setEditText(p.Esercizio);
        DbcRegIva->setEditText(p.RegistroIva);
    } else {
        FrameZolpa->setEnabled(false);
    }
    impostaOpzioni(OptNumeroAutomatico, OptNumeroManuale, p.NumerazioneAutomatica);

    if (p.DataFattura.isEmpty()) p.DataFattura = QDate::currentDate().toString("dd/MM/yyyy");
    TxtDataFattura->setText(p.DataFattura);
    TxtNumeroFattura->setText(p.NumeroDocumento);

    ChkBollo->setChecked(p.Bollo);
    TxtImportoBollo->setText(p.ImportoBollo);
    TxtSogliaBollo->setText(p.SogliaBollo);
    mostraCriterio(*GruppoCriterioBollo, p.CriterioBollo);

    ChkRitenutaAcconto->setChecked(p.RitenutaAcconto);
    TxtRitAccPerc->setText(p.RitAccPerc);
    TxtRAPercImponibile->setText(p.RAPercImponibile);
    mostraCriterio(*GruppoCriterioRA, p.CriterioRA);

    chkAltreRitenute->setChecked(p.AltreRitenute);
    TxtAltreRitPerc->setText(p.AltreRitPerc);
    TxtAltreRitPercImponibile->setText(p.AltreRitPercImponibile);
    mostraCriterio(*GruppoAltreRitCriterio, p.AltreRitCriterio);
    TxtAltreRitTesto->setText(p.AltreRitTesto);

    ChkMemorizzaFattura->setChecked(p.MemorizzaFattura);
    ChkAnteprimaStampa->setChecked(p.AnteprimaStampa);

    TxtRigaTestata1->setText(p.RigaTestata1);
    TxtRigaTestata2->setText(p.RigaTestata2);
    TxtRigaTestata3->setText(p.RigaTestata3);
    TxtRigaTestata4->setText(p.RigaTestata4);
    TxtRigaTestata5->setText(p.RigaTestata5);
    TxtRigaTestata6->setText(p.RigaTestata6);
}

// Fills the company list; a missing companies list turns the posting off and closes the frame.
void FrmParametriFattura::DbcZolpa_GotFocus() {
    const QString& pathDitte = AmbienteLavoro().PathArchivioDitte;
    if (!QFileInfo(sys::LocalPath(pathDitte)).isFile()) {
        ui::MessageService::show("il DB delle ditte della contabilità non è correttamente definito",
                                 "INIZIALIZZAZIONE PARAMETRI FATTURA");
        OptRegistraNo->setChecked(true);
        CmbEsercizio->setEditText(" ");
        DbcRegIva->setEditText(" ");
        FrameZolpa->setEnabled(false);
        return;
    }
    OffriDitte(*DbcZolpa, pathDitte, "Definizione ditte selezionabili");
}

// Offers the years of which the company typed or chosen has an accounting archive.
void FrmParametriFattura::CmbEsercizio_GotFocus() {
    OffriEsercizi(*CmbEsercizio, *DbcZolpa, AmbienteLavoro().PathArchivioDitte, DbcZolpa->currentText(), TitoloDitta);
}

// The sales registers of the accounting archive in use.
void FrmParametriFattura::DbcRegIva_GotFocus() {
    const AmbienteLavoroRec& ambiente = AmbienteLavoro();
    if (ambiente.PathArchivioContabile.isEmpty() || !ambiente.CollegatoContabilita) return;
    Procedura proc("Definizione registri IVA selezionabili");
    std::vector<ui::ComboRow> righe;
    proc.esegui([&] {
        righe.clear();
        db::Statement elenco(*ArchivioContabileInUso(), "select codice from ivaregistri where tipo = ? order by codice", {"V"});
        while (elenco.step()) {
            const QString codice = elenco.column(0).textOr(QString());
            righe.push_back({codice, codice});
        }
    });
    DbcRegIva->setRows(righe);
}

void FrmParametriFattura::CopiaNelRecord(ParametriFatturaRec& p) const {
    p.DettaglioFascola = ChkDettaglioFascola->isChecked();
    p.Registrazione = OptRegistraSi->isChecked();
    p.Ditta = DbcZolpa->currentText();
    p.Esercizio = CmbEsercizio->currentText();
    p.RegistroIva = DbcRegIva->currentText();
    p.NumerazioneAutomatica = OptNumeroAutomatico->isChecked();
    p.DataFattura = TxtDataFattura->text();
    p.NumeroDocumento = TxtNumeroFattura->text();
    p.Bollo = ChkBollo->isChecked();
    p.ImportoBollo = TxtImportoBollo->text();
    p.SogliaBollo = TxtSogliaBollo->text();
    p.CriterioBollo = criterioScelto(*GruppoCriterioBollo, p.CriterioBollo);
    p.RitenutaAcconto = ChkRitenutaAcconto->isChecked();
    p.RitAccPerc = TxtRitAccPerc->text();
    p.RAPercImponibile = TxtRAPercImponibile->text();
    p.CriterioRA = criterioScelto(*GruppoCriterioRA, p.CriterioRA);
    p.AltreRitenute = chkAltreRitenute->isChecked();
    p.AltreRitPerc = TxtAltreRitPerc->text();
    p.AltreRitPercImponibile = TxtAltreRitPercImponibile->text();
    p.AltreRitCriterio = criterioScelto(*GruppoAltreRitCriterio, p.AltreRitCriterio);
    p.AltreRitTesto = TxtAltreRitTesto->text();
    p.MemorizzaFattura = ChkMemorizzaFattura->isChecked();
    p.AnteprimaStampa = ChkAnteprimaStampa->isChecked();
    p.RigaTestata1 = TxtRigaTestata1->text();
    p.RigaTestata2 = TxtRigaTestata2->text();
    p.RigaTestata3 = TxtRigaTestata3->text();
    p.RigaTestata4 = TxtRigaTestata4->text();
    p.RigaTestata5 = TxtRigaTestata5->text();
    p.RigaTestata6 = TxtRigaTestata6->text();
}

QLineEdit* FrmParametriFattura::CasellaDel(NumeroDeiParametri numero) const {
    switch (numero) {
    case NumeroDeiParametri::ImportoBollo: return TxtImportoBollo;
    case NumeroDeiParametri::SogliaBollo: return TxtSogliaBollo;
    case NumeroDeiParametri::RitAccPerc: return TxtRitAccPerc;
    case NumeroDeiParametri::RAPercImponibile: return TxtRAPercImponibile;
    case NumeroDeiParametri::AltreRitPerc: return TxtAltreRitPerc;
    case NumeroDeiParametri::AltreRitPercImponibile: return TxtAltreRitPercImponibile;
    }
    return nullptr;
}

void FrmParametriFattura::CmdContinua_Click() {
    ParametriFatturaRec scelti = ParametriFattura();
    CopiaNelRecord(scelti);
    // A stamp duty or a withholding ticked works on its numbers: one that is no number in
    // figures would be read as a figure the user never typed ("abc" as 0: no stamp at all).
    // Nothing is kept until they all are.
    if (const auto numero = PrimoNumeroNonInCifre(scelti)) {
        ui::MessageService::show(RichiestaNumeroInCifre(scelti, *numero), TitoloParametri, ui::Buttons::Ok,
                                 ui::Icon::Warning);
        CasellaDel(*numero)->setFocus(Qt::OtherFocusReason);
        return;
    }

    // The row is stored whole first (an error answered Ignore gives the store up, as Abort
    // does); the records take the values only once the archive holds them, so that no issue
    // works on parameters that the archive does not keep. The accounting archive is then
    // resolved for the company and year now chosen.
    {
        OperazioneIndivisibile memorizzazione;
        Procedura proc("Funzione di conferma parametri di fatturazione");
        Connessione archivio = ArchivioInUso(proc);
        if (!archivio || !MemorizzaParametriFattura(*archivio, proc, scelti) || memorizzazione.interrotta()) return;
    }
    ParametriFattura() = scelti;
    DefinizionePathNameZolpa();

    ImpostaTitoloFinestraPrincipale(TitoloParametriConfermati());
    accept();
}

void FrmParametriFattura::keyPressEvent(QKeyEvent* evento) {
    // Only CONTINUA closes the dialog with what was typed: Escape would drop it all, at the
    // first run the whole of the parameters.
    if (evento->matches(QKeySequence::Cancel)) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}
