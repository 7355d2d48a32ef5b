#include "startup/forms/FrmParametriFattura.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "platform/db/Recordset.h"
#include "platform/ui/RefillCombo.h"
#include "startup/forms/DefinizioneValoriDefault.h"
#include "startup/forms/DitteCollegate.h"
#include "startup/engine/Versione.h"
#include "support/ScriptedMessages.h"

using ui::Answer;

namespace {

QString oggi() { return QDate::currentDate().toString("dd/MM/yyyy"); }

QStringList elenco(const QComboBox& combo) {
    QStringList voci;
    for (int i = 0; i < combo.count(); ++i) voci << combo.itemText(i);
    return voci;
}

// A linked installation: company ROSSI (2004 archive) and company BIANCHI (2005 archive);
// the case-file archive has a parameters row for ROSSI 2004.
class ParametersDialog : public DitteCollegate {
protected:
    ParametersDialog() {
        principale.setObjectName("FrmFascola");
    }

    // Runs the start-up on a parameters row holding `campi`, linked or not.
    void avvia(bool collegato, const fixtures::Fields& campi) {
        {
            fixtures::CaseFileArchive archivio(pathArchivio());
            if (!campi.empty()) archivio.setParameters(campi);
        }
        scriviIni({pathArchivio(), collegato ? contab.pathDitte() : QString("NO"), "NO", VersioneDelProgramma()});
        DefinizioneValoriDefault();
    }

    void apri() {
        form = std::make_unique<FrmParametriFattura>();
        form->show();
        QApplication::setActiveWindow(form.get());
    }


    db::Value colonna(const char* nome) const {
        return db::Database::open(pathArchivio().toStdString())
            ->scalar(std::string("select ") + nome + " from AmbienteFascola");
    }

    QWidget principale;  // stands for the main window, whose caption CONTINUA sets
    std::unique_ptr<FrmParametriFattura> form;
};

const fixtures::Fields RigaRossi = {
    {"dettagliofascola", false}, {"registrazione", true},  {"ditta", "ROSSI"},
    {"esercizio", "2004"},       {"registroiva", "V"},     {"numerazioneautomatica", true},
    {"bollo", true},             {"importobollo", "1,81"}, {"sogliabollo", "77,47"},
    {"criteriobollo", "2"},      {"ritenutaacconto", true}, {"ritaccperc", "4"},
    {"rapercimponibile", "50"},  {"criteriora", "1"},      {"altreritenute", true},
    {"altreritperc", "2"},       {"altreritpercimponibile", "60"}, {"altreritcriterio", "2"},
    {"altrerittesto", "Enasarco"}, {"memorizzafattura", true}, {"anteprimastampa", true},
    {"rigatestata1", "Studio"},  {"rigatestata2", "Via Roma 1"}, {"rigatestata3", "20100 Milano"},
    {"rigatestata4", "P.IVA 1"}, {"rigatestata5", "Tel"},  {"rigatestata6", "Sesta"},
    {"nota1", "Nota da tenere"},
};

}  // namespace

TEST_F(ParametersDialog, ShowsEveryParameter) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    ParametriFattura().NumeroDocumento = "15";
    apri();
    FrmParametriFattura& f = *form;
    EXPECT_EQ(f.windowTitle(), "PARAMETRI FATTURAZIONE");
    EXPECT_TRUE(f.FrameZolpa->isEnabled());
    EXPECT_FALSE(f.ChkDettaglioFascola->isChecked());
    EXPECT_TRUE(f.OptRegistraSi->isChecked());
    EXPECT_EQ(f.DbcZolpa->currentText(), "ROSSI");
    EXPECT_EQ(f.CmbEsercizio->currentText(), "2004");
    EXPECT_EQ(f.DbcRegIva->currentText(), "V");
    EXPECT_EQ(f.CmbEsercizio->count(), 0);  // lists are built on entry only
    EXPECT_TRUE(f.OptNumeroAutomatico->isChecked());
    EXPECT_EQ(f.TxtDataFattura->text(), oggi());
    EXPECT_EQ(f.TxtNumeroFattura->text(), "15");
    EXPECT_TRUE(f.ChkBollo->isChecked());
    EXPECT_EQ(f.TxtImportoBollo->text(), "1,81");
    EXPECT_EQ(f.TxtSogliaBollo->text(), "77,47");
    EXPECT_TRUE(f.OptBolloSempreNoAnticipazioni->isChecked());
    EXPECT_TRUE(f.ChkRitenutaAcconto->isChecked());
    EXPECT_EQ(f.TxtRitAccPerc->text(), "4");
    EXPECT_EQ(f.TxtRAPercImponibile->text(), "50");
    EXPECT_TRUE(f.OptRATutti->isChecked());
    EXPECT_TRUE(f.chkAltreRitenute->isChecked());
    EXPECT_EQ(f.TxtAltreRitPerc->text(), "2");
    EXPECT_EQ(f.TxtAltreRitPercImponibile->text(), "60");
    EXPECT_TRUE(f.OptAltreRitCostiComp->isChecked());
    EXPECT_EQ(f.TxtAltreRitTesto->text(), "Enasarco");
    EXPECT_TRUE(f.ChkMemorizzaFattura->isChecked());
    EXPECT_TRUE(f.ChkAnteprimaStampa->isChecked());
    EXPECT_EQ(f.TxtRigaTestata1->text(), "Studio");
    EXPECT_EQ(f.TxtRigaTestata6->text(), "Sesta");
    for (const char* nome : {"ChkDettaglioFascola", "ChkAnteprimaStampa", "ChkMemorizzaFattura", "CmdContinua",
                             "FrameZolpa", "OptRegistraSi", "OptRegistraNo", "DbcZolpa", "CmbEsercizio", "DbcRegIva",
                             "TxtDataFattura", "TxtNumeroFattura", "OptNumeroAutomatico", "OptNumeroManuale",
                             "OptBolloNoIvaNoAnticipazioni", "ChkBollo", "TxtImportoBollo", "TxtSogliaBollo",
                             "OptBolloSempre", "OptBolloSempreNoAnticipazioni", "OptBolloNoIvaTutti",
                             "OptBolloNoIvaNoAnticip", "ChkRitenutaAcconto", "TxtRitAccPerc", "TxtRAPercImponibile",
                             "OptRATutti", "OptRACostiCompetenze", "OptRACompetenze", "chkAltreRitenute",
                             "TxtAltreRitPerc", "TxtAltreRitPercImponibile", "TxtAltreRitTesto", "OptAltreRitTutti",
                             "OptAltreRitCostiComp", "OptAltreRitComp", "TxtRigaTestata1", "TxtRigaTestata6"})
        EXPECT_NE(f.findChild<QWidget*>(nome), nullptr) << nome;
}

TEST_F(ParametersDialog, EveryFieldRoundTripsThroughTheRow) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    apri();
    FrmParametriFattura& f = *form;

    click(f.ChkDettaglioFascola);
    click(f.OptRegistraNo);
    scrivi(f.DbcZolpa, "BIANCHI");
    scrivi(f.CmbEsercizio, "2005");
    scrivi(f.DbcRegIva, "W");
    click(f.OptNumeroManuale);
    scrivi(f.TxtDataFattura, "31/12/2005");
    scrivi(f.TxtNumeroFattura, "77");
    click(f.ChkBollo);
    scrivi(f.TxtImportoBollo, "2,00");
    scrivi(f.TxtSogliaBollo, "100");
    click(f.OptBolloNoIvaTutti);
    click(f.ChkRitenutaAcconto);
    scrivi(f.TxtRitAccPerc, "20");
    scrivi(f.TxtRAPercImponibile, "80");
    click(f.OptRACompetenze);
    click(f.chkAltreRitenute);
    scrivi(f.TxtAltreRitPerc, "1,5");
    scrivi(f.TxtAltreRitPercImponibile, "70");
    click(f.OptAltreRitTutti);
    scrivi(f.TxtAltreRitTesto, "Cassa");
    click(f.ChkMemorizzaFattura);
    click(f.ChkAnteprimaStampa);
    const QLineEdit* righe[] = {f.TxtRigaTestata1, f.TxtRigaTestata2, f.TxtRigaTestata3,
                                f.TxtRigaTestata4, f.TxtRigaTestata5, f.TxtRigaTestata6};
    for (int i = 0; i < 6; ++i) scrivi(const_cast<QLineEdit*>(righe[i]), QString("Riga %1 ").arg(i + 1));
    click(f.CmdContinua);
    EXPECT_FALSE(f.isVisible());

    // The company and year now chosen are the ones resolved.
    EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, contab.pathArchivio("BIANCHI", "2005"));
    EXPECT_EQ(fileDellaSessione(),
              std::make_pair(canonico(pathArchivio()), canonico(contab.pathArchivio("BIANCHI", "2005"))))
        << "the session has the company's archive attached";
    EXPECT_EQ(principale.windowTitle(), "FASCOLE & FATTURAZIONE ditta: BIANCHI esercizio: 2005");
    EXPECT_EQ(colonna("count(*)").toInt(), 1);
    EXPECT_EQ(colonna("nota1").toText(), "Nota da tenere");
    EXPECT_EQ(ParametriFattura().DataFattura, "31/12/2005");
    EXPECT_EQ(ParametriFattura().NumeroDocumento, "77");

    // What the next start-up reads back from the row is what was typed.
    DefinizioneValoriDefault();
    const ParametriFatturaRec& p = ParametriFattura();
    EXPECT_TRUE(p.DettaglioFascola);
    EXPECT_FALSE(p.Registrazione);
    EXPECT_EQ(p.Ditta, "BIANCHI");
    EXPECT_EQ(p.Esercizio, "2005");
    EXPECT_EQ(p.RegistroIva, "W");
    EXPECT_FALSE(p.NumerazioneAutomatica);
    EXPECT_FALSE(p.Bollo);
    EXPECT_EQ(p.ImportoBollo, "2,00");
    EXPECT_EQ(p.SogliaBollo, "100");
    EXPECT_EQ(p.CriterioBollo, "3");
    EXPECT_FALSE(p.RitenutaAcconto);
    EXPECT_EQ(p.RitAccPerc, "20");
    EXPECT_EQ(p.RAPercImponibile, "80");
    EXPECT_EQ(p.CriterioRA, "3");
    EXPECT_FALSE(p.AltreRitenute);
    EXPECT_EQ(p.AltreRitPerc, "1,5");
    EXPECT_EQ(p.AltreRitPercImponibile, "70");
    EXPECT_EQ(p.AltreRitCriterio, "1");
    EXPECT_EQ(p.AltreRitTesto, "Cassa");
    EXPECT_FALSE(p.MemorizzaFattura);
    EXPECT_FALSE(p.AnteprimaStampa);
    EXPECT_EQ(p.RigaTestata1, "Riga 1 ");  // taken as typed, blanks included
    EXPECT_EQ(p.RigaTestata4, "Riga 4 ");
    EXPECT_EQ(p.RigaTestata6, "Riga 6 ");
    EXPECT_EQ(NoteFattura().Nota1, "Nota da tenere");
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, contab.pathArchivio("BIANCHI", "2005"));
}

TEST_F(ParametersDialog, WithoutTheLinkTheAccountingFrameIsClosedAndStoredEmpty) {
    ScriptedMessages box;
    avvia(false, RigaRossi);
    ASSERT_TRUE(ParametriFattura().DettaglioFascola);
    apri();
    EXPECT_FALSE(form->FrameZolpa->isEnabled());
    EXPECT_FALSE(form->ChkDettaglioFascola->isChecked());
    click(form->CmdContinua);
    EXPECT_EQ(colonna("registrazione").toInt(), 0);
    EXPECT_EQ(colonna("dettagliofascola").toInt(), 0);
    EXPECT_EQ(colonna("ditta").toText(), "");
    EXPECT_EQ(colonna("esercizio").toText(), "");
    EXPECT_EQ(colonna("registroiva").toText(), "");
    EXPECT_EQ(principale.windowTitle(), "FASCOLE & FATTURAZIONE");
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, "");
}

TEST_F(ParametersDialog, TheYearListHoldsEachYearOnceFromTheArchiveNames) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    const QString ditta = cartella.file("ROSSI/");
    for (const char* nome : {"00007_2003.mdb", "00007_2002.mdb", "00007_filc.mdb", "00008_2003.mdb", "a.mdb",
                             "00007_2001.txt"})
        QFile(ditta + nome).open(QIODevice::WriteOnly);
    apri();
    entra(form->CmbEsercizio);
    EXPECT_EQ(elenco(*form->CmbEsercizio), QStringList({"2002", "2003", "2004"}));
    entra(form->TxtNumeroFattura);
    EXPECT_EQ(form->CmbEsercizio->count(), 0);
    EXPECT_EQ(form->CmbEsercizio->currentText(), "2004");
    entra(form->CmbEsercizio);
    EXPECT_EQ(elenco(*form->CmbEsercizio), QStringList({"2002", "2003", "2004"}));
}

TEST_F(ParametersDialog, TheYearListNeedsAKnownCompany) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    apri();
    struct Caso {
        QString ditta;
        QString messaggio;
    };
    const Caso casi[] = {
        {"", "Si deve prima definire la ditta su cui lavorare"},
        {"VERDI", "L'acronimo dato non corrisponde a una ditta definita"},
    };
    for (const Caso& c : casi) {
        form->DbcZolpa->setEditText(c.ditta);
        entra(form->TxtNumeroFattura);
        box.expectMessage(Answer::Ok, c.messaggio, "Conferma definizione nuova ditta");
        entra(form->CmbEsercizio);
        EXPECT_EQ(QApplication::focusWidget(), form->DbcZolpa)
            << c.messaggio.toStdString() << " " << QApplication::focusWidget()->objectName().toStdString();
        EXPECT_EQ(form->CmbEsercizio->count(), 0);
    }
    EXPECT_EQ(box.pending(), 0);
}

TEST_F(ParametersDialog, TheCompanyAndRegisterListsComeFromTheArchives) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    apri();
    entra(form->DbcZolpa);
    EXPECT_EQ(elenco(*form->DbcZolpa), QStringList({"BIANCHI", "ROSSI"}));
    EXPECT_EQ(form->DbcZolpa->currentText(), "ROSSI");
    entra(form->DbcRegIva);
    EXPECT_EQ(elenco(*form->DbcRegIva), QStringList({"V", "W", "Z"}));
}

TEST_F(ParametersDialog, AMissingCompaniesListClosesTheAccountingFrame) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    apri();
    ASSERT_TRUE(QFile::remove(contab.pathDitte()));
    box.expectMessage(Answer::Ok, "il DB delle ditte della contabilità non è correttamente definito",
                      "INIZIALIZZAZIONE PARAMETRI FATTURA");
    entra(form->DbcZolpa);
    EXPECT_TRUE(form->OptRegistraNo->isChecked());
    EXPECT_EQ(form->CmbEsercizio->currentText(), " ");
    EXPECT_EQ(form->DbcRegIva->currentText(), " ");
    EXPECT_FALSE(form->FrameZolpa->isEnabled());
    EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
}

TEST_F(ParametersDialog, ACriterionOutsideItsGroupShowsNoOptionAndIsKept) {
    ScriptedMessages box;
    avvia(false, {{"criteriobollo", "9"}, {"criteriora", ""}, {"altreritcriterio", "3"}});
    apri();
    for (QRadioButton* o : {form->OptBolloSempre, form->OptBolloSempreNoAnticipazioni, form->OptBolloNoIvaTutti,
                            form->OptBolloNoIvaNoAnticip, form->OptRATutti, form->OptRACostiCompetenze,
                            form->OptRACompetenze})
        EXPECT_FALSE(o->isChecked()) << o->objectName().toStdString();
    EXPECT_TRUE(form->OptAltreRitComp->isChecked());
    click(form->CmdContinua);
    EXPECT_EQ(colonna("criteriobollo").toText(), "9");
    EXPECT_EQ(colonna("criteriora").toText(), "");
    EXPECT_EQ(colonna("altreritcriterio").toText(), "3");
}

TEST_F(ParametersDialog, AnEmptyTableGetsOneRowWithEmptyNotesAndALaterConfirmationKeepsThem) {
    ScriptedMessages box;
    fixtures::CaseFileArchive(pathArchivio()).close();
    AmbienteLavoro().PathArchivioFascole = pathArchivio();
    AmbienteLavoro().PathArchivioDitte = "NO";
    apri();
    click(form->CmdContinua);
    EXPECT_EQ(colonna("count(*)").toInt(), 1);
    EXPECT_EQ(colonna("nota2").toText(), "");
    db::Database::open(pathArchivio().toStdString())->execute("update AmbienteFascola set nota2 = ?", {"Scritta"});
    apri();
    scrivi(form->TxtRigaTestata2, "Seconda");
    click(form->CmdContinua);
    EXPECT_EQ(colonna("count(*)").toInt(), 1);
    EXPECT_EQ(colonna("nota2").toText(), "Scritta");
    EXPECT_EQ(colonna("rigatestata2").toText(), "Seconda");
}

TEST_F(ParametersDialog, EachBoxTakesNoMoreThanItsColumnHolds) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    apri();
    const QString lungo(60, QChar('x'));
    const QString cifre(60, QChar('9'));  // the numbers of the options ticked must be figures
    struct Caso {
        QLineEdit* box;
        int larghezza;
        const QString& testo;
    };
    const Caso casi[] = {
        {form->TxtImportoBollo, 10, cifre},         {form->TxtSogliaBollo, 10, cifre},
        {form->TxtRitAccPerc, 10, cifre},           {form->TxtRAPercImponibile, 10, cifre},
        {form->TxtAltreRitPerc, 10, cifre},         {form->TxtAltreRitPercImponibile, 10, cifre},
        {form->TxtAltreRitTesto, 25, lungo},        {form->TxtRigaTestata1, 25, lungo},
        {form->TxtRigaTestata2, 40, lungo},         {form->TxtRigaTestata6, 40, lungo},
        {form->CmbEsercizio->lineEdit(), 4, lungo}, {form->DbcRegIva->lineEdit(), 1, lungo},
        {form->DbcZolpa->lineEdit(), 30, lungo},
    };
    for (const Caso& c : casi) {
        scrivi(c.box, c.testo);
        EXPECT_EQ(c.box->text().size(), c.larghezza) << c.box->objectName().toStdString();
    }
    // So CONTINUA stores what the boxes show, without an error.
    click(form->CmdContinua);
    EXPECT_EQ(colonna("rigatestata2").toText(), lungo.left(40).toStdString());
}

TEST_F(ParametersDialog, AnEmptyInvoiceDateBecomesTodayAsSoonAsTheDialogOpens) {
    ScriptedMessages box;
    avvia(false, RigaRossi);
    ParametriFattura().DataFattura.clear();
    apri();
    EXPECT_EQ(ParametriFattura().DataFattura, oggi());
    EXPECT_EQ(form->TxtDataFattura->text(), oggi());
}

namespace {

// Every member of the invoicing parameters as text, to tell whether any changed.
QStringList Membri(const ParametriFatturaRec& p) {
    auto si = [](bool b) { return QString(b ? "1" : "0"); };
    return {si(p.DettaglioFascola), si(p.Registrazione), p.Ditta, p.Esercizio, p.RegistroIva,
            si(p.NumerazioneAutomatica), p.DataFattura, p.NumeroDocumento, si(p.Bollo), p.ImportoBollo,
            p.SogliaBollo, p.CriterioBollo, si(p.RitenutaAcconto), p.RitAccPerc, p.RAPercImponibile, p.CriterioRA,
            si(p.AltreRitenute), p.AltreRitPerc, p.AltreRitPercImponibile, p.AltreRitCriterio, p.AltreRitTesto,
            si(p.MemorizzaFattura), si(p.AnteprimaStampa), p.RigaTestata1, p.RigaTestata2, p.RigaTestata3,
            p.RigaTestata4, p.RigaTestata5, p.RigaTestata6, p.LetteraDocumento};
}

// The six boxes of a number of the stamp duty and the withholdings, each with the option
// that puts it to use and the column that stores it.
struct CasellaNumero {
    QLineEdit* FrmParametriFattura::*casella;
    QCheckBox* FrmParametriFattura::*opzione;
    const char* colonna;
    NumeroParametro ParametriFatturaRec::*membro;
};
using F = FrmParametriFattura;
using P = ParametriFatturaRec;
const CasellaNumero CaselleNumero[] = {
    {&F::TxtImportoBollo, &F::ChkBollo, "importobollo", &P::ImportoBollo},
    {&F::TxtSogliaBollo, &F::ChkBollo, "sogliabollo", &P::SogliaBollo},
    {&F::TxtRitAccPerc, &F::ChkRitenutaAcconto, "ritaccperc", &P::RitAccPerc},
    {&F::TxtRAPercImponibile, &F::ChkRitenutaAcconto, "rapercimponibile", &P::RAPercImponibile},
    {&F::TxtAltreRitPerc, &F::chkAltreRitenute, "altreritperc", &P::AltreRitPerc},
    {&F::TxtAltreRitPercImponibile, &F::chkAltreRitenute, "altreritpercimponibile", &P::AltreRitPercImponibile},
};

// The rows `sql` reads from the archive at `path`, each column as text.
QStringList Righe(const QString& path, const std::string& sql) {
    auto archivio = db::Database::open(path.toStdString());
    QStringList righe;
    db::Statement st(*archivio, sql);
    while (st.step()) {
        QString riga;
        for (int i = 0; i < st.columnCount(); ++i) riga += "|" + QString::fromStdString(st.column(i).textOr("<Null>"));
        righe << riga;
    }
    return righe;
}

// `testo` typed over what the box holds, a euro sign included; nothing typed empties it.
void digita(QLineEdit* box, const QString& testo) {
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    if (testo.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
    for (QChar c : testo) {
        if (c.unicode() < 128) QTest::keyClick(box, c.toLatin1());
        else QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

}  // namespace

// With its option ticked, a box of the stamp duty or of a withholding holding no number in
// figures is refused by CONTINUA with a message naming it, the focus in it: nothing is kept,
// neither the parameters, nor the row, nor the company and year typed meanwhile. With the
// option not ticked, the same texts are kept as typed.
TEST_F(ParametersDialog, ANumberInUseThatIsNoNumberInFiguresIsRefusedAndNothingIsKept) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    const QString altra = "Bisogna definire in cifre la percentuale ";
    const QString messaggi[] = {
        "Bisogna definire in cifre l'importo del bollo",
        "Bisogna definire in cifre la soglia di applicabilità del bollo",
        "Bisogna definire in cifre la percentuale della ritenuta di acconto",
        "Bisogna definire in cifre la percentuale dell'imponibile soggetta alla ritenuta di acconto",
        altra + "della ritenuta «Enasarco»",
        altra + "dell'imponibile soggetta alla ritenuta «Enasarco»",
    };
    const QStringList membri = Membri(ParametriFattura());
    const QStringList riga = Righe(pathArchivio(), "select * from AmbienteFascola");
    const QString percorso = AmbienteLavoro().PathArchivioContabile;
    const char* const testi[] = {"abc", "xyz", "venti", "1.2OO,00", "   ", ""};
    for (size_t i = 0; i < std::size(CaselleNumero); ++i) {
        for (const char* testo : testi) {
            SCOPED_TRACE(std::string(CaselleNumero[i].colonna) + " «" + testo + "»");
            apri();
            FrmParametriFattura& f = *form;
            ASSERT_TRUE((f.*CaselleNumero[i].opzione)->isChecked());
            scrivi(f.DbcZolpa, "BIANCHI");
            scrivi(f.CmbEsercizio, "2005");
            QLineEdit* casella = f.*CaselleNumero[i].casella;
            digita(casella, testo);
            box.expectMessage(Answer::Ok, messaggi[i], "PARAMETRI FATTURAZIONE");
            click(f.CmdContinua);
            EXPECT_EQ(box.pending(), 0);
            EXPECT_TRUE(f.isVisible());
            EXPECT_EQ(QApplication::focusWidget(), casella);
            EXPECT_EQ(Membri(ParametriFattura()), membri);
            EXPECT_EQ(Righe(pathArchivio(), "select * from AmbienteFascola"), riga);
            EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, percorso);
            EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
            EXPECT_EQ(principale.windowTitle(), "");
        }
    }

    // The other withholding without a description is named as its frame names it.
    apri();
    digita(form->TxtAltreRitTesto, "");
    digita(form->TxtAltreRitPerc, "abc");
    box.expectMessage(Answer::Ok, altra + "delle altre ritenute", "PARAMETRI FATTURAZIONE");
    click(form->CmdContinua);
    digita(form->TxtAltreRitPerc, "2");
    digita(form->TxtAltreRitPercImponibile, "abc");
    box.expectMessage(Answer::Ok, altra + "dell'imponibile soggetta alle altre ritenute", "PARAMETRI FATTURAZIONE");
    click(form->CmdContinua);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(Membri(ParametriFattura()), membri);

    // With their options not ticked, the same texts are kept as typed.
    for (QCheckBox* opzione : {form->ChkBollo, form->ChkRitenutaAcconto, form->chkAltreRitenute}) click(opzione);
    for (size_t i = 0; i < std::size(CaselleNumero); ++i) digita((*form).*CaselleNumero[i].casella, testi[i]);
    const size_t chieste = box.asked().size();
    click(form->CmdContinua);
    EXPECT_EQ(box.asked().size(), chieste);
    EXPECT_FALSE(form->isVisible());
    for (size_t i = 0; i < std::size(CaselleNumero); ++i) {
        EXPECT_EQ(colonna(CaselleNumero[i].colonna).toText(), testi[i]) << CaselleNumero[i].colonna;
        EXPECT_EQ(ParametriFattura().*CaselleNumero[i].membro, testi[i]) << CaselleNumero[i].colonna;
    }
}

// A number in figures, an option ticked, is kept as typed and applied as the dialog accepted it:
// thousands points and a euro sign included.
TEST_F(ParametersDialog, ANumberInFiguresIsKeptAsTypedAndReadAsAccepted) {
    ScriptedMessages box;
    avvia(false, RigaRossi);
    const struct {
        const char* testo;
        Currency valore;
    } casi[] = {
        {"2,00", Currency::fromUnits(2)},     {"77,47", Currency::fromRaw(774700)},
        {"€ 2", Currency::fromUnits(2)},      {"1.000,00", Currency::fromUnits(1000)},
        {"20", Currency::fromUnits(20)},      {"12,5", Currency::fromRaw(125000)},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.testo);
        apri();
        FrmParametriFattura& f = *form;
        for (const CasellaNumero& n : CaselleNumero) {
            ASSERT_TRUE((f.*n.opzione)->isChecked());
            digita(f.*n.casella, c.testo);
        }
        click(form->CmdContinua);
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(box.asked().empty());
        DefinizioneValoriDefault();  // what the next start-up reads back
        for (const CasellaNumero& n : CaselleNumero) {
            EXPECT_EQ(colonna(n.colonna).toText(), c.testo) << n.colonna;
            EXPECT_EQ(ParametriFattura().*n.membro, c.testo) << n.colonna;
            EXPECT_EQ((ParametriFattura().*n.membro).valore(), c.valore) << n.colonna;
        }
    }
}

// A row that cannot be stored changes nothing in force, whatever the answer to the error: the
// parameters, the accounting archive and the caption stay as the archive holds them, and the
// dialog stays open with what was typed.
TEST_F(ParametersDialog, ARowThatCannotBeStoredChangesNothingInForce) {
    ScriptedMessages box;
    avvia(true, RigaRossi);
    const QStringList membri = Membri(ParametriFattura());
    const QStringList riga = Righe(pathArchivio(), "select * from AmbienteFascola");
    const QString percorso = AmbienteLavoro().PathArchivioContabile;
    db::Database::open(pathArchivio().toStdString())
        ->execute("CREATE TRIGGER guasto BEFORE UPDATE ON ambientefascola BEGIN SELECT RAISE(ABORT, 'guasto'); END");
    for (const Answer risposta : {Answer::Abort, Answer::Ignore}) {
        apri();
        scrivi(form->DbcZolpa, "BIANCHI");
        scrivi(form->CmbEsercizio, "2005");
        digita(form->TxtImportoBollo, "2,00");
        box.expectMessage(risposta, std::nullopt, "GESTIONE DEGLI ERRORI");
        click(form->CmdContinua);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->TxtImportoBollo->text(), "2,00");
        EXPECT_EQ(Membri(ParametriFattura()), membri);
        EXPECT_EQ(Righe(pathArchivio(), "select * from AmbienteFascola"), riga);
        EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, percorso);
        EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
        EXPECT_EQ(principale.windowTitle(), "");
    }
}

