// STAMPA on the real main window, as a user presses it: the document composed by a selection,
// issued, shown in the preview (printed from it to a PDF), stored in the invoice folder, its
// fee items invoiced and the tab emptied; with the accounting link on and off.
#include <gtest/gtest.h>

#include <QDir>

#include "invoice/forms/StampaDiProva.h"
#include "invoice/forms/TabFatturaFixture.h"
#include "startup/forms/FrmParametriFattura.h"
#include "support/ModalHelper.h"
#include "support/PdfTestTools.h"

namespace {

using ui::Answer;

class StampaSchedaTest : public tab_fattura::TabFatturaFixture, public ::testing::WithParamInterface<bool> {
protected:
    // The program on case file 0001, copies kept in an invoice folder of the test's own and
    // shown in a preview; linked, numbered from the sales register, otherwise number 7.
    void prepara(bool collegato) {
        apri("0001", collegato);
        fatture = cartella.file("fatture");
        QDir().mkpath(fatture);
        AmbienteLavoro().CartellaFatture = fatture + "\\";
        ParametriFattura().MemorizzaFattura = true;
        ParametriFattura().AnteprimaStampa = true;
        ParametriFattura().RigaTestata1 = "Studio Bianchi";
        if (collegato) ParametriFattura().NumerazioneAutomatica = true;
        else ParametriFattura().NumeroDocumento = "7";
    }

    // STAMPA pressed; the preview printed to `pdf` and closed. Its title.
    QString stampa(const QString& pdf) {
        ModalHelper modali;
        QString titolo;
        modali.onNextModal([&](QWidget* w) { titolo = stampa_di_prova::AnteprimaSuPdf(w, pdf); });
        clic(t().F_CmdStampa);
        return titolo;
    }

    QStringList copie() { return QDir(fatture).entryList(QDir::Files); }
    QStringList temporanei() { return QDir(cartella.path()).entryList({"SDB*.mdb"}, QDir::Files); }

    QString fatture;
    ScriptedMessages box;
};

TEST_P(StampaSchedaTest, StampaIssuesPrintsStoresAndEmptiesTheTab) {
    const bool collegato = GetParam();
    prepara(collegato);
    applica(t().F_OptPerOgniVoce);
    const int righe = fattura().RigheFattura.NumeroRighe();
    ASSERT_GT(righe, 0);
    ASSERT_TRUE(t().F_CmdStampa->isEnabled());

    if (collegato) {
        // The line of the element that left the catalogue has no VAT code: the document is
        // refused before anything is written and stays on the tab; the element put back into the
        // catalogue gives the line its code.
        auto contatore = [] {
            return ArchivioInUso()->scalar("SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").toInt();
        };
        const int64_t prima = contatore();
        box.expectMessage(Answer::Ok,
                          "Non si può registrare in contabilità la riga E.ZZZ «Voce fuori catalogo» (manca il codice "
                          "IVA): il documento non è stato emesso",
                          "EMISSIONE DOCUMENTO");
        clic(t().F_CmdStampa);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(contatore(), prima);
        EXPECT_EQ(ArchivioInUso()->scalar("SELECT count(*) FROM giornale").toInt(), 0);
        EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura LIKE '0001040315%'").toInt(), 0);
        EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), righe);
        EXPECT_TRUE(t().F_CmdStampa->isEnabled());
        rimettiInCatalogo();
        clic(t().F_CmdVuota);
        applica(t().F_OptPerOgniVoce);
        ASSERT_EQ(fattura().RigheFattura.NumeroRighe(), righe);
    }

    const QString pdf = cartella.file("stampa.pdf");
    EXPECT_EQ(stampa(pdf), "STAMPA FATTURA");

    const QString numero = collegato ? "13" : "7";
    EXPECT_EQ(ParametriFattura().NumeroDocumento, numero);
    const QString testo = squeezedLines(pdfText(pdf)).join("\n");
    for (const QString& atteso : {QString("Studio Bianchi"), QString("FATTURA"), "N. " + numero + " del 15/03/2004",
                                  QString("Rossi Mario"), QString("Ore di consulenza"), QString("TOTALE DOCUMENTO")})
        EXPECT_TRUE(testo.contains(atteso)) << atteso.toStdString() << "\n" << testo.toStdString();

    // One stored copy, named for the client and the document; nothing left in the start folder.
    const QString idfattura = "0001040315" + QString("00000" + numero).right(5);
    const QString nome = collegato ? "SDB0101010001F00001" + idfattura + ".mdb" : "SDBR01F00000" + idfattura + ".mdb";
    EXPECT_EQ(copie(), QStringList{nome});
    EXPECT_TRUE(temporanei().isEmpty()) << temporanei().join(",").toStdString();
    EXPECT_EQ(AmbienteLavoro().CartellaFatture, fatture);

    // The lines' fee items are invoiced with the document's identifier.
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura = ? AND fatturato = 1", {idfattura}).toInt(),
              righe);
    if (collegato) {
        EXPECT_EQ(ArchivioInUso()->scalar("SELECT count(*) FROM giornale").toInt(), 1);
    }

    // The tab is empty and STAMPA disabled: the same lines cannot be issued twice.
    EXPECT_TRUE(righeGriglia().isEmpty()) << righeGriglia().join("\n").toStdString();
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);
    EXPECT_FALSE(t().F_CmdStampa->isEnabled());
    EXPECT_TRUE(t().F_LblTotale->text().isEmpty());

    // The items are not offered again.
    box.expectMessage(Answer::Ok);
    applica(t().F_OptPerOgniVoce);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);
}

// The printer refuses the pages: the document stays issued and stored, the tab is emptied
// all the same.
TEST_P(StampaSchedaTest, APrintThatFailsLeavesTheDocumentIssuedAndStored) {
    prepara(GetParam());
    ParametriFattura().AnteprimaStampa = false;  // no printer here
    applica(t().F_OptAnticipazioni);
    ASSERT_GT(fattura().RigheFattura.NumeroRighe(), 0);
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    const QString numero = GetParam() ? "13" : "7";
    box.expectMessage(Answer::Ok,
                      "Il documento N. " + numero + " del 15/03/2004 è stato emesso" +
                          (GetParam() ? ", numerato e registrato in contabilità," : "") +
                          " ma non è stato stampato.\nSi può stampare da \"Ristampa / Annulla\".",
                      "STAMPA FATTURA");
    clic(t().F_CmdStampa);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_TRUE(box.asked().front().text.contains("Funzione: Funzione di stampa fattura"));
    EXPECT_EQ(copie().size(), 1);
    EXPECT_TRUE(temporanei().isEmpty());
    EXPECT_GT(colonna("SELECT count(*) FROM competenze WHERE fatturato = 1 AND idfattura LIKE '0001040315%'").toInt(),
              0);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);
    EXPECT_FALSE(t().F_CmdStampa->isEnabled());
}

// A document the register does not number (not linked, or linked with a withholding) takes
// the number typed in the parameters, "Funzionamento AUTOMATICO" or not: without one it is
// not issued, and the tab keeps its lines. Linked, the refusal tells why with automatic
// numbering chosen.
TEST_P(StampaSchedaTest, WithoutATypedNumberADocumentTheRegisterDoesNotNumberIsNotIssued) {
    prepara(GetParam());
    ParametriFattura().NumerazioneAutomatica = true;
    ParametriFattura().NumeroDocumento.clear();
    if (GetParam()) {
        ParametriFattura().RitenutaAcconto = true;
        ParametriFattura().CriterioRA = "1";
        ParametriFattura().RAPercImponibile = "100";
        ParametriFattura().RitAccPerc = "20";
    }
    applica(t().F_OptAnticipazioni);
    const int righe = fattura().RigheFattura.NumeroRighe();
    ASSERT_GT(righe, 0);
    box.expectMessage(Answer::Ok,
                      "Manca il numero del documento: il documento non è stato emesso" +
                          QString(GetParam() ? ".\nUn documento con ritenuta non è numerato dal registro IVA, anche "
                                               "con il funzionamento AUTOMATICO: prende il numero scritto nei "
                                               "PARAMETRI FATTURAZIONE."
                                             : ""),
                      "EMISSIONE DOCUMENTO");
    clic(t().F_CmdStampa);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_TRUE(copie().isEmpty());
    EXPECT_TRUE(temporanei().isEmpty());
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura LIKE '0001040315%'").toInt(), 0);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), righe);
    EXPECT_TRUE(t().F_CmdStampa->isEnabled());
}

// A parameters row stored with the stamp duty and the withholding ticked on numbers that are no
// numbers in figures (written before the parameters dialog checked them, or by an older program):
// STAMPA names the first and where to correct it, and stops before anything is written; the tab
// keeps its lines.
TEST_P(StampaSchedaTest, AStoredNumberThatIsNoNumberInFiguresStopsTheIssueBeforeAnythingIsWritten) {
    fascole.setParameters({{"bollo", true}, {"importobollo", "abc"}, {"sogliabollo", "xyz"}, {"criteriobollo", "1"},
                           {"ritenutaacconto", true}, {"ritaccperc", "venti"}, {"rapercimponibile", "100"},
                           {"criteriora", "1"}});
    prepara(GetParam());
    ASSERT_EQ(ParametriFattura().ImportoBollo, "abc");
    applica(t().F_OptAnticipazioni);
    const int righe = fattura().RigheFattura.NumeroRighe();
    ASSERT_GT(righe, 0);
    auto archivi = [] {
        QStringList s = emissione_di_prova::Contenuto(*ArchivioInUso());
        if (AmbienteLavoro().CollegatoContabilita)
            s += emissione_di_prova::Contenuto(*AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile));
        return s;
    };
    const QStringList prima = archivi();
    box.expectMessage(Answer::Ok,
                      "Bisogna definire in cifre l'importo del bollo (ora «abc») nei PARAMETRI FATTURAZIONE: il "
                      "documento non è stato emesso",
                      "EMISSIONE DOCUMENTO");
    clic(t().F_CmdStampa);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(archivi(), prima);
    EXPECT_TRUE(copie().isEmpty());
    EXPECT_TRUE(temporanei().isEmpty());
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), righe);
    EXPECT_TRUE(t().F_CmdStampa->isEnabled());
}

// Linked, the invoicing parameters change the company's year while the tab holds lines.
class CambioEsercizioTest : public StampaSchedaTest {
protected:
    // "Parametri" pressed: year `esercizio` and date `data` chosen, CONTINUA.
    void parametri(const QString& esercizio, const QString& data) {
        ModalHelper modali;
        modali.onNextModal([&](QWidget* w) {
            auto* f = qobject_cast<FrmParametriFattura*>(w);
            ASSERT_NE(f, nullptr);
            scrivi(f->CmbEsercizio, esercizio);
            scrivi(f->TxtDataFattura, data);
            clic(f->CmdContinua);
        });
        clic(t().F_CmdParametriFattura);
        ASSERT_EQ(ParametriFattura().Esercizio, esercizio);
    }

    // Both archives of the company, the case-file archive and the two folders, every row and file.
    QStringList tutto(const QStringList& contabili) {
        QStringList s = emissione_di_prova::Contenuto(*ArchivioInUso());
        for (const QString& archivio : contabili) s += emissione_di_prova::Contenuto(*AccountingFixture::apri(archivio));
        return s + copie() + QDir(cartella.path()).entryList(QDir::Files);
    }
};

// Linked to 2026, the lines composed there at today's rate of 22 %; the parameters then link
// 2004, whose archive holds no code 22: STAMPA checks the lines against the archive it would post
// into and refuses the line before anything is written anywhere; the lines stay on the tab.
TEST_F(CambioEsercizioTest, LinesComposedOnAnotherYearsArchiveAreCheckedAgainstTheOnePostedInto) {
    prepara(true);
    ParametriFattura().AnteprimaStampa = false;  // an issue would go to the printer, not wait on a preview
    const QString archivio2004 = AmbienteLavoro().PathArchivioContabile;
    const QString archivio2026 = contabilita->creaArchivio(AccountingFixture::AcronimoCampione, "2026");
    rimettiInCatalogo();
    fascole.db().execute("UPDATE elefat SET iva = '22', ivacee = '22' WHERE iva = '20'");
    fascole.db().execute("UPDATE elefat SET iva = 'E15', ivacee = 'E15' WHERE codice = 'ANT'");
    applica(t().F_OptNessunaSelezione);
    parametri("2026", "15/03/2026");
    clic(t().F_CmdVuota);
    applica(t().F_OptPerOgniVoce);
    const int righe = fattura().RigheFattura.NumeroRighe();
    ASSERT_GT(righe, 0);
    EXPECT_FALSE(righeGriglia().join("\n").contains("non presente in contabilità"));

    parametri("2004", "15/03/2004");
    ASSERT_EQ(AmbienteLavoro().PathArchivioContabile, archivio2004);
    const QStringList prima = tutto({archivio2004, archivio2026});
    box.expectMessage(Answer::Ok,
                      "Non si può registrare in contabilità la riga E.ONO «Onorario pratica» (il codice IVA 22 non è "
                      "nell'archivio contabile): il documento non è stato emesso",
                      "EMISSIONE DOCUMENTO");
    clic(t().F_CmdStampa);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(tutto({archivio2004, archivio2026}), prima);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), righe);
    EXPECT_TRUE(t().F_CmdStampa->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Collegamento, StampaSchedaTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Collegato" : "NonCollegato"; });

}  // namespace
