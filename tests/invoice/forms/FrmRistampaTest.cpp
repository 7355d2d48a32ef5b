#include "invoice/forms/FrmRistampa.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTableWidget>

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/RecuperoEmissioni.h"
#include "invoice/forms/StampaDiProva.h"
#include "invoice/forms/TabFatturaFixture.h"
#include "support/ModalHelper.h"
#include "platform/system/Paths.h"
#include "support/PdfTestTools.h"
#include "support/ProcessiLocali.h"

namespace {

using ui::Answer;

const QString TitoloEsegui = "RISTAMPA o ANNULLAMENTO FATTURE";
const QString NessunaScelta = "selezionare una documento tra quelli elencati";

class FrmRistampaTest : public tab_fattura::TabFatturaFixture {
protected:
    // The program on case file 0001, copies kept in an invoice folder of the test's own.
    void prepara(bool collegato) {
        apri("0001", collegato);
        fatture = cartella.file("fatture");
        QDir().mkpath(fatture);
        AmbienteLavoro().CartellaFatture = fatture;
        ParametriFattura().MemorizzaFattura = true;
        ParametriFattura().AnteprimaStampa = true;
        ParametriFattura().NumerazioneAutomatica = true;
    }

    // The document of a selection issued with STAMPA; the preview closed.
    void emetti(QRadioButton* criterio) {
        applica(criterio);
        ASSERT_GT(fattura().RigheFattura.NumeroRighe(), 0);
        ModalHelper modali;
        modali.onNextModal([](QWidget* w) { w->close(); });
        clic(t().F_CmdStampa);
    }

    // The document named `nome` exists: a fee item of its client carries its `idfattura`.
    void fatturata(const QString& nome) {
        const auto d = LetturaNomeQualsiasi(nome, AmbienteLavoro().CollegatoContabilita);
        ASSERT_TRUE(d.has_value()) << nome.toStdString();
        fascole.db().execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, fatturato, idfattura) "
                             "VALUES (?, ?, ?, '9999', 'DOC', 1, ?)",
                             {CodiceClienteDocumento(*d, AmbienteLavoro().CollegatoContabilita), d->Fascola(),
                              d->IdFattura.right(4), d->IdFattura});
    }

    // A stored copy of an issued document in the folder (the client part of its name says whose).
    void copia(const QString& nome) {
        fatturata(nome);
        ContenutoStampaFattura c;
        c.Dati[1] = nome.mid(29, 5);
        c.Righecorpo.push_back({"EONO", "Onorario", "1", "100,00", "20", "R30"});
        ScriviArchivioStampaFattura(QDir(fatture).filePath(nome), c);
    }

    // The form shown as the menu shows it, its window active.
    FrmRistampa& form() {
        if (!form_) {
            form_ = std::make_unique<FrmRistampa>(&finestra);
            form_->show();
            QApplication::setActiveWindow(form_.get());
        }
        return *form_;
    }

    // Types the client code and leaves the box, as a tab key would.
    void cliente(FrmRistampa& f, const QString& codice) {
        scrivi(f.DbcCliente, codice);
        entra(f.FlxFatture);
    }

    // A click on row `r` of the list.
    static void clicRiga(FrmRistampa& f, int r) {
        ui::Grid& g = *f.FlxFatture;
        const QModelIndex cella = g.model()->index(r - 1, 0);
        g.scrollTo(cella);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(cella).center());
    }

    // The list's rows as "c0|c1|c2|c3|c4", every row below the heading.
    static QStringList righe(FrmRistampa& f) {
        QStringList out;
        const ui::Grid& g = *f.FlxFatture;
        for (int r = 1; r < g.rows(); ++r) {
            QStringList c;
            for (int col = 0; col < g.cols(); ++col) c << g.text(r, col);
            out << c.join("|");
        }
        return out;
    }

    static QStringList evidenziate(FrmRistampa& f) {
        QStringList out;
        for (int r = 1; r < f.FlxFatture->rows(); ++r)
            if (f.FlxFatture->cellBackColor(r, 0) == ui::bgr(ui::BgrYellow)) out << QString::number(r);
        return out;
    }

    QStringList copie() { return QDir(fatture).entryList(QDir::Files); }

    QString fatture;
    std::unique_ptr<FrmRistampa> form_;
    ScriptedMessages box;
};

// As a new user would: two documents issued from the invoice tab; the menu's form lists them;
// the first reprinted to a PDF from its preview; the second cancelled, after which its fee
// items are offered on the invoice tab again and billed by a new document.
TEST_F(FrmRistampaTest, IssueTwoReprintOneCancelTheOtherAndBillItsItemsAgain) {
    prepara(true);
    rimettiInCatalogo();
    emetti(t().F_OptAnticipazioni);
    const int anticipi = colonna("SELECT count(*) FROM competenze WHERE idfattura = '000104031500013'").toInt();
    emetti(t().F_OptPerOgniVoce);
    const int altre = colonna("SELECT count(*) FROM competenze WHERE idfattura = '000104031500014'").toInt();
    ASSERT_GT(anticipi, 0);
    ASSERT_GT(altre, 0);
    ASSERT_EQ(copie(), QStringList({"SDB0101010001F00001000104031500013.mdb", "SDB0101010001F00002000104031500014.mdb"}));

    QAction* voce = finestra.findChild<QAction*>("mnuFatturazioneRistampa");
    ASSERT_NE(voce, nullptr);
    ASSERT_TRUE(voce->isEnabled());
    const QString pdf = cartella.file("ristampa.pdf");
    QString titolo, titoloAnteprima;
    ModalHelper modali(5000);
    modali.onNextModal([&](QWidget* w) {
        auto* f = qobject_cast<FrmRistampa*>(w);
        ASSERT_NE(f, nullptr);
        QApplication::setActiveWindow(f);
        titolo = f->windowTitle();
        cliente(*f, "1.1.1.1");  // normalised to the account code
        EXPECT_EQ(f->DbcCliente->currentText(), "01.01.01.0001");
        EXPECT_FALSE(f->LblNome->text().isEmpty());
        EXPECT_NE(f->LblNome->text(), FrmRistampa::NonDefinito);
        const QStringList elenco = righe(*f);
        ASSERT_EQ(elenco.size(), 9);
        EXPECT_EQ(elenco.mid(0, 3), QStringList({"0001|15/03/04|Fattura|13|1", "0001|15/03/04|Fattura|14|2",
                                                 " | | | | "}));

        // Reprint the first, to a PDF from its preview.
        clicRiga(*f, 1);
        clic(f->OptRistampa);
        EXPECT_TRUE(f->CmdEsegui->isEnabled());
        modali.onNextModal([&](QWidget* anteprima) { titoloAnteprima = stampa_di_prova::AnteprimaSuPdf(anteprima, pdf); });
        clic(f->CmdEsegui);
        QApplication::setActiveWindow(f);  // back from the preview
        // Back to the client box: the form starts over.
        EXPECT_TRUE(f->DbcCliente->hasFocus());
        EXPECT_EQ(f->NumeroFatture(), 0);
        EXPECT_EQ(righe(*f).join(""), QString("|").repeated(4 * 9));
        EXPECT_FALSE(f->OptRistampa->isChecked());
        EXPECT_FALSE(f->CmdEsegui->isEnabled());

        // Cancel the second.
        entra(f->FlxFatture);
        ASSERT_EQ(f->NumeroFatture(), 2);
        clicRiga(*f, 2);
        clic(f->OptAnnulla);
        clic(f->CmdEsegui);
        entra(f->FlxFatture);
        EXPECT_EQ(righe(*f).first(), "0001|15/03/04|Fattura|13|1");
        EXPECT_EQ(f->NumeroFatture(), 1);
        clic(f->CmdFine);
    });
    voce->trigger();
    EXPECT_EQ(titolo, "GESTIONE FATTURE EMESSE");
    EXPECT_EQ(titoloAnteprima, "STAMPA FATTURA");
    const QString testo = squeezedLines(pdfText(pdf)).join("\n");
    EXPECT_TRUE(testo.contains("N. 13 del 15/03/2004")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Anticipazione diritti")) << testo.toStdString();

    // The cancelled document: its copy gone, its items billable again; the journal untouched.
    EXPECT_EQ(copie(), QStringList{"SDB0101010001F00001000104031500013.mdb"});
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura = '000104031500014'").toInt(), 0);
    EXPECT_EQ(ArchivioInUso()->scalar("SELECT count(*) FROM giornale").toInt(), 2);

    applica(t().F_OptPerOgniVoce);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), altre);
    ModalHelper chiusura;
    chiusura.onNextModal([](QWidget* w) { w->close(); });
    clic(t().F_CmdStampa);
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura = '000104031500015'").toInt(), altre);
    EXPECT_EQ(copie().size(), 2);
}

// The list: its heading, its order, its blank filler rows; a long list has none.
TEST_F(FrmRistampaTest, TheListFillsNineRowsAtLeastInNameOrder) {
    prepara(true);
    copia("SDB0101010001H00003000104031500003.mdb");
    copia("SDB0101010001F00000000104031500042.mdb");
    copia("SDB0101010001E00012000104031600002.mdb");
    copia("SDB0101010002F00001000104031500001.mdb");  // another client's
    FrmRistampa& f = form();
    cliente(f, "01.01.01.0001");
    EXPECT_EQ(f.FlxFatture->model()->headerData(0, Qt::Horizontal).toString(), "   Fascola    ");
    QStringList attese = {"0001|16/03/04|N.Debit|2|12", "0001|15/03/04|Fattura|42|00000", "0001|15/03/04|N.Cred.|3|3"};
    for (int i = 0; i < 6; ++i) attese << " | | | | ";
    EXPECT_EQ(righe(f), attese);

    for (int i = 10; i < 19; ++i)
        copia("SDB0101010001F000" + QString::number(i) + "000104031500" + QString::number(i + 100) + ".mdb");
    entra(f.DbcCliente);
    EXPECT_EQ(righe(f).join(""), QString("|").repeated(4 * 9));  // entering the box starts over
    entra(f.FlxFatture);
    EXPECT_EQ(f.NumeroFatture(), 12);
    EXPECT_EQ(f.FlxFatture->rows(), 13);
    EXPECT_FALSE(righe(f).contains(" | | | | "));

    // Clicking two rows in turn leaves only the second highlighted.
    clicRiga(f, 2);
    clicRiga(f, 5);
    EXPECT_EQ(evidenziate(f), QStringList{"5"});
    EXPECT_EQ(f.RigaSelezionata(), 5);
}

// ESEGUI without a document: no row clicked, or a blank row below the documents; the
// client box's refusals.
TEST_F(FrmRistampaTest, NoDocumentChosenAndCodesRefused) {
    prepara(true);
    copia("SDB0101010001F00001000104031500013.mdb");
    FrmRistampa& f = form();
    EXPECT_FALSE(f.CmdEsegui->isEnabled());
    cliente(f, "01.01.01.0001");
    clic(f.OptAnnulla);
    box.expectMessage(Answer::Ok, NessunaScelta, TitoloEsegui);
    clic(f.CmdEsegui);
    clicRiga(f, 1);
    clicRiga(f, 4);  // a blank row: no choice
    EXPECT_TRUE(evidenziate(f).isEmpty());
    EXPECT_EQ(f.RigaSelezionata(), 0);
    box.expectMessage(Answer::Ok, NessunaScelta, TitoloEsegui);
    clic(f.CmdEsegui);
    EXPECT_EQ(copie().size(), 1);  // nothing cancelled

    // "+" would create an account: refused, back in the box.
    box.expectMessage(Answer::Ok, "In questa sessione non si possono aggiungere nuovi conti (+)",
                      "RISTAMPA / ANNULLA FATTURA");
    cliente(f, "01.01.01+");
    EXPECT_TRUE(f.DbcCliente->hasFocus());
    EXPECT_EQ(f.NumeroFatture(), 0);

    // An empty box lists nothing and says nothing.
    scrivi(f.DbcCliente, "");
    entra(f.FlxFatture);
    EXPECT_EQ(f.NumeroFatture(), 0);

    // A code of no client: "NON DEFINITO"; its documents, if any, are listed all the same.
    copia("SDB0101010009F00001000104031500013.mdb");
    cliente(f, "01.01.01.0009");
    EXPECT_EQ(f.LblNome->text(), FrmRistampa::NonDefinito);
    EXPECT_EQ(f.NumeroFatture(), 1);

    box.expectMessage(Answer::Ok, "Non ci sono fatture da visualizzare", "Ristampa o Annulla Fatture");
    cliente(f, "01.01.01.0002");
    EXPECT_EQ(f.NumeroFatture(), 0);
}

// Linked, the blanks typed around the client's code or its word are no part of it.
TEST_F(FrmRistampaTest, AClientCodeTypedWithBlanksAroundItIsReadWithoutThem) {
    prepara(true);
    copia("SDB0101010001F00001000104031500013.mdb");
    FrmRistampa& f = form();
    // The box takes 13 characters.
    for (const char* scritto : {" 1.1.1.1", "  1.1.1.1  ", " 0101010001 "}) {
        SCOPED_TRACE(scritto);
        cliente(f, scritto);
        EXPECT_EQ(f.DbcCliente->currentText(), "01.01.01.0001");
        EXPECT_EQ(f.NumeroFatture(), 1);
    }
    EXPECT_TRUE(box.messageTexts().isEmpty());
}

// F3 opens the chart of accounts on the client accounts; the code chosen is listed.
TEST_F(FrmRistampaTest, F3PicksTheClientFromTheChartOfAccounts) {
    prepara(true);
    copia("SDB0101010001F00001000104031500013.mdb");
    FrmRistampa& f = form();
    ModalHelper modali;
    QString natura;
    modali.onNextModal([&](QWidget* w) {
        auto* picker = qobject_cast<FrmHelpPianoDeiConti*>(w);
        ASSERT_NE(picker, nullptr);
        natura = picker->OptClienti->isChecked() ? "C" : "?";
        for (int r = 0; r < picker->DbgPianoDeiConti->rowCount(); ++r)
            if (picker->DbgPianoDeiConti->item(r, 0)->text() == "01.01.01.0001")
                picker->DbgPianoDeiConti->setCurrentCell(r, 0);
        clic(picker->CmdOK);
    });
    entra(f.DbcCliente);
    QTest::keyClick(f.DbcCliente, Qt::Key_F3);
    QApplication::setActiveWindow(&f);  // back from the picker
    EXPECT_EQ(natura, "C");
    EXPECT_EQ(f.DbcCliente->currentText(), "01.01.01.0001");
    entra(f.FlxFatture);
    EXPECT_EQ(f.NumeroFatture(), 1);
}

// A stored copy that cannot be read is reported, and nothing is printed; one that another
// workstation removed meanwhile is reported too.
TEST_F(FrmRistampaTest, ACopyThatCannotBeReadIsReportedNotPrinted) {
    prepara(true);
    {
        QFile rotta(QDir(fatture).filePath("SDB0101010001F00001000104031500013.mdb"));
        ASSERT_TRUE(rotta.open(QIODevice::WriteOnly));
        rotta.write("Un file di testo, non un archivio");
    }
    fatturata("SDB0101010001F00001000104031500013.mdb");
    copia("SDB0101010001F00002000104031500014.mdb");
    FrmRistampa& f = form();
    cliente(f, "01.01.01.0001");
    ASSERT_EQ(f.NumeroFatture(), 2);
    clicRiga(f, 1);
    clic(f.OptRistampa);
    box.expectMessage(Answer::Ok, std::nullopt, TitoloEsegui);
    clic(f.CmdEsegui);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_TRUE(box.asked()[0].text.contains("\"SDB0101010001F00001000104031500013.mdb\" non si può leggere"))
        << box.asked()[0].text.toStdString();

    entra(f.FlxFatture);
    clicRiga(f, 2);
    clic(f.OptRistampa);
    QFile::remove(QDir(fatture).filePath("SDB0101010001F00002000104031500014.mdb"));
    box.expectMessage(Answer::Ok, std::nullopt, TitoloEsegui);
    clic(f.CmdEsegui);
    EXPECT_TRUE(box.asked().back().text.contains(
        "Il documento \"SDB0101010001F00002000104031500014.mdb\" non è più nella cartella delle fatture"))
        << box.asked().back().text.toStdString();
}

// A cancel whose copy cannot be removed: the fee items are billable again and the user is
// told; the document is no longer listed, and the next list removes what is left of it.
TEST_F(FrmRistampaTest, ACopyThatCannotBeRemovedIsReportedAndRemovedByTheNextList) {
    prepara(true);
    const QString id = "000104031500013";
    fascole.db().execute("UPDATE competenze SET fatturato = 1, idfattura = ? WHERE npra = '0001' AND fatturato = 0",
                         {id});
    const QString nome = "SDB0101010001F00001" + id + ".mdb";
    const QString path = QDir(fatture).filePath(nome);
    copia(nome);
    FrmRistampa& f = form();
    cliente(f, "01.01.01.0001");
    ASSERT_EQ(f.NumeroFatture(), 1);
    clicRiga(f, 1);
    clic(f.OptAnnulla);
    // Meanwhile something that is no file stands where the copy was.
    QFile::remove(path);
    QDir().mkpath(path + "/dentro");
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    clic(f.CmdEsegui);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_TRUE(box.asked()[0].text.contains("di nuovo da fatturare"));
    EXPECT_TRUE(box.asked()[0].text.contains("Annullamento di una fattura"));
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura = ?", {id}).toInt(), 0);
    // What was left under the cancelling name is a file again by the next list.
    QDir(NomeInAnnullamento(path)).removeRecursively();
    {
        QFile resto(NomeInAnnullamento(path));
        ASSERT_TRUE(resto.open(QIODevice::WriteOnly));
    }
    box.expectMessage(Answer::Ok, "Non ci sono fatture da visualizzare", "Ristampa o Annulla Fatture");
    cliente(f, "01.01.01.0001");
    EXPECT_EQ(f.NumeroFatture(), 0);
    EXPECT_TRUE(copie().isEmpty());
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura = ?", {id}).toInt(), 0);
}

// A document whose process stopped right after it was committed, before its report: the list
// shows it at once, stored in the invoice folder although the office keeps no copies, and the
// user is told that it may not have been printed, and where its copy is.
TEST_F(FrmRistampaTest, ADocumentStoppedBeforeItsReportIsListedAtOnce) {
    prepara(true);
    ParametriFattura().MemorizzaFattura = false;
    const QString nome = "SDB0101010001F00001000104031500013.mdb";
    fatturata(nome);
    const QString avvio = sys::LocalPath(AmbienteLavoro().CartellaAvvio);
    ContenutoStampaFattura c;
    c.Dati[1] = "13";
    c.Righecorpo.push_back({"EONO", "Onorario", "1", "100,00", "20", "R30"});
    ScriviArchivioStampaFattura(processi::DiUnProcessoFinito(QDir(avvio).filePath(nome)), c);

    FrmRistampa& f = form();
    box.expectMessage(Answer::Ok, std::nullopt, TitoloRecupero);
    cliente(f, "01.01.01.0001");
    EXPECT_EQ(box.pending(), 0);
    ASSERT_EQ(box.asked().size(), 1u);
    const QString testo = box.asked()[0].text;
    EXPECT_TRUE(testo.contains("La fattura N. 13 del 15/03/04 (cliente 01.01.01.0001, fascola 0001) potrebbe non "
                               "essere stata stampata: la sua copia è nella cartella delle fatture \"" +
                               fatture + "\""))
        << testo.toStdString();
    EXPECT_TRUE(testo.contains("anche se le fatture emesse non vengono memorizzate")) << testo.toStdString();
    EXPECT_EQ(righe(f).first(), "0001|15/03/04|Fattura|13|1");
    EXPECT_EQ(copie(), QStringList{nome});
    EXPECT_EQ(QDir(avvio).entryList({"SDB*"}, QDir::Files), QStringList());
}

// A credit note of a line typed on the invoice tab bills no fee item: the form lists it with the
// client's other documents, reprints it and cancels it.
TEST_F(FrmRistampaTest, ACreditNoteOfTypedLinesIsListedReprintedAndCancelled) {
    prepara(false);
    ParametriFattura().NumeroDocumento = "3";
    applica(t().F_OptNessunaSelezione);
    clic(t().F_OptNotaCredito);
    scrivi(t().F_DbcElemento, "SPE");  // no fee item SPE of no task and job
    entra(t().F_FlxFattura);
    scrivi(t().F_TxtDescrizione, "Storno parziale fattura n. 1");
    scrivi(t().F_TxtImporto, "-50");
    scrivi(t().F_TxtImpofatt, "-50,00");
    entra(t().F_FlxFattura);
    clic(t().F_CmdAggiungi);
    {
        ModalHelper anteprima;
        anteprima.onNextModal([](QWidget* w) { w->close(); });
        clic(t().F_CmdStampa);
    }
    const QString nome = "SDBR01H00000000104031500003.mdb";
    ASSERT_EQ(copie(), QStringList{nome});

    FrmRistampa& f = form();
    cliente(f, "R01");
    ASSERT_EQ(f.NumeroFatture(), 1);
    EXPECT_EQ(righe(f).first(), "0001|15/03/04|N.Cred.|3|00000");
    clicRiga(f, 1);
    clic(f.OptRistampa);
    const QString pdf = cartella.file("nota.pdf");
    {
        ModalHelper anteprima;
        anteprima.onNextModal([&](QWidget* w) { stampa_di_prova::AnteprimaSuPdf(w, pdf); });
        clic(f.CmdEsegui);
    }
    QApplication::setActiveWindow(&f);
    const QString testo = squeezedLines(pdfText(pdf)).join("\n");
    EXPECT_TRUE(testo.contains("NOTA DI CREDITO")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Storno parziale fattura n. 1")) << testo.toStdString();

    entra(f.FlxFatture);
    clicRiga(f, 1);
    clic(f.OptAnnulla);
    clic(f.CmdEsegui);
    EXPECT_TRUE(copie().isEmpty());
    box.expectMessage(Answer::Ok, "Non ci sono fatture da visualizzare", "Ristampa o Annulla Fatture");
    entra(f.FlxFatture);
    EXPECT_EQ(f.NumeroFatture(), 0);
}

// Without the accounting link the form works on the program's own registry's codes.
TEST_F(FrmRistampaTest, WithoutTheLinkTheRegistrysCodesAreListedAndCancelled) {
    prepara(false);
    ParametriFattura().NumeroDocumento = "5";
    emetti(t().F_OptPerOgniVoce);
    const QString id = "000104031500005";
    ASSERT_GT(colonna("SELECT count(*) FROM competenze WHERE idfattura = ?", {id}).toInt(), 0);
    copia("SDBR010F00000000104031500006.mdb");  // client R010's, not R01's
    FrmRistampa& f = form();
    cliente(f, "R01");
    EXPECT_EQ(f.LblNome->text(), "Rossi Mario");
    ASSERT_EQ(righe(f).first(), "0001|15/03/04|Fattura|5|00000");
    EXPECT_EQ(f.NumeroFatture(), 1);
    clicRiga(f, 1);
    clic(f.OptAnnulla);
    clic(f.CmdEsegui);
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura = ?", {id}).toInt(), 0);
    EXPECT_EQ(copie(), QStringList{"SDBR010F00000000104031500006.mdb"});
}

}  // namespace
