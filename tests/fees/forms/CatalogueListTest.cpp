// The catalogue's printed list as the STAMPA button of the catalogue form runs it: the
// print database in the start folder, then the report "Stp_elefat.rpt" shipped with the
// program.
#include "fees/forms/StampaElementiDaFatturare.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <memory>

#include "fees/engine/StampaElefat.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "support/PdfTestTools.h"
#include "platform/system/Paths.h"
#include "support/Files.h"
#include "support/ModalHelper.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

Currency euro(const char* testo) { return *Currency::parse(testo, '.'); }

class CatalogueList : public ::testing::Test {
protected:
    CatalogueList() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        AmbienteLavoro().CartellaAvvio = cartella.path();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    ~CatalogueList() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
    }

    // Linked to the sample accounting archive, which the fixture keeps reachable for the test.
    void collega() {
        contab = std::make_unique<AccountingFixture>(cartella.path());
        const QString archivio = contab->creaCampione();
        contab->collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
        AmbienteLavoro().CartellaAvvio = cartella.path();
        fascole.db().execute("ATTACH DATABASE ? AS contabile", {sys::LocalPath(archivio)});
    }

    bool stampa() { return StampaElementiDaFatturare(fascole.db(), report::Pdf, pdf); }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    std::unique_ptr<AccountingFixture> contab;
    ScriptedMessages box;
    const QString pdf = cartella.file("elenco.pdf");
};

TEST_F(CatalogueList, EveryElementIsListedWithItsAmountInItalianFormat) {
    collega();
    struct Elemento {
        const char* codice;
        const char* descrizione;
        const char* tipo;
        const char* importo;
        const char* iva;
        const char* riga;  // the list's line, blanks squeezed
    };
    const Elemento elementi[] = {
        {"ONO", "Onorario per consulenza", "X", "1234567.5", "20",
         "ONO Onorario per consulenza X Competenza 1.234.567,50 20 - Aliquota ordinaria 20% N8 - Non imponibile art. 8 04.01.01.0001 - Onorari"},
        {"BOL", "Marca da bollo", "C", "2", "E15",
         "BOL Marca da bollo C Costo 2,00 E15 - Escluso art. 15 N8 - Non imponibile art. 8 04.01.01.0001 - Onorari"},
        {"VIS", "Visura camerale", "A", "0.1", "4",
         "VIS Visura camerale A Anticipazione 0,10 4 - Aliquota minima 4% N8 - Non imponibile art. 8 04.01.01.0001 - Onorari"},
        {"ZER", "Voce a zero", "X", "0", "10",
         "ZER Voce a zero X Competenza 0,00 10 - Aliquota ridotta 10% N8 - Non imponibile art. 8 04.01.01.0001 - Onorari"},
    };
    for (const Elemento& e : elementi)
        fascole.addCatalogueItem(e.codice, {{"descrizione", e.descrizione}, {"tipo", e.tipo}, {"importo", euro(e.importo)},
                                            {"iva", e.iva}, {"ivacee", "N8"}, {"contofat", "04.01.01.0001"}});

    ASSERT_TRUE(stampa());
    EXPECT_TRUE(box.asked().empty());
    ASSERT_EQ(pdfPageCount(pdf), 1);
    const QStringList linee = squeezedLines(pdfText(pdf));
    ASSERT_GE(linee.size(), 4);
    EXPECT_EQ(linee[0], "Elenco Elementi per fatturazione");
    EXPECT_TRUE(linee[1].startsWith("FASCOLE & FATTURAZIONE Stampato il ")) << linee[1].toStdString();
    EXPECT_EQ(linee[2], "Codice Descrizione Tipo Importo I.V.A. I.V.A. CEE Ricavi");
    // In code order.
    EXPECT_EQ(linee.mid(3, 4), QStringList({elementi[1].riga, elementi[0].riga, elementi[2].riga, elementi[3].riga}));
    EXPECT_TRUE(linee.contains("Elementi in elenco: 4"));
    EXPECT_EQ(linee.last(), "Elementi da fatturare Pagina 1 di 1");
    // The print database stays in the start folder until the next print.
    EXPECT_TRUE(QFileInfo(cartella.file(NomeArchivioStampaElefat)).isFile());
}

TEST_F(CatalogueList, ALargeCatalogueRunsOverNumberedPagesUnderRepeatedHeadings) {
    for (int i = 0; i < 500; ++i)
        fascole.addCatalogueItem(QStringLiteral("%1").arg(i, 3, 10, QChar('0')),
                                 {{"descrizione", "Elemento del catalogo numero " + QString::number(i)},
                                  {"tipo", "X"}, {"importo", Currency::fromUnits(1000 + i)}, {"iva", "20"},
                                  {"ivacee", "N8"}});
    ASSERT_TRUE(stampa());
    const int pagine = pdfPageCount(pdf);
    ASSERT_GT(pagine, 5);
    QStringList codici;
    for (int p = 1; p <= pagine; ++p) {
        const QStringList linee = squeezedLines(pdfText(pdf, p));
        ASSERT_GT(linee.size(), 3) << "page " << p;
        EXPECT_EQ(linee[p == 1 ? 2 : 1], "Codice Descrizione Tipo Importo I.V.A. I.V.A. CEE Ricavi") << "page " << p;
        EXPECT_EQ(linee.last(), QStringLiteral("Elementi da fatturare Pagina %1 di %2").arg(p).arg(pagine));
        for (const QString& l : linee)
            if (l.contains("Elemento del catalogo")) codici << l.section(' ', 0, 0);
    }
    ASSERT_EQ(codici.size(), 500);
    for (int i = 0; i < 500; ++i) EXPECT_EQ(codici[i], QStringLiteral("%1").arg(i, 3, 10, QChar('0')));
    const QString ultima = pdfText(pdf, pagine);
    EXPECT_TRUE(ultima.contains("1.499,00"));
    EXPECT_TRUE(squeezedLines(ultima).contains("Elementi in elenco: 500"));
}

TEST_F(CatalogueList, AnEmptyCatalogueSaysSoAndPrintsNothing) {
    box.expectMessage(ui::Answer::Ok, "Non c'è nessuna voce da stampare", "STAMPA ELEMENTI DA FATTURARE");
    EXPECT_FALSE(stampa());
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(box.asked().at(0).buttons, ui::Buttons::Ok);
}

TEST_F(CatalogueList, TheListIsPreviewedOnTheScreenUnderItsTitle) {
    fascole.addCatalogueItem("001", {{"descrizione", "Uno"}});
    ModalHelper modali;
    QString titolo;
    int pagine = 0;
    modali.onNextModal([&](QWidget* w) {
        titolo = w->windowTitle();
        if (auto* anteprima = w->findChild<QPrintPreviewWidget*>()) pagine = anteprima->pageCount();
        w->close();
    });
    EXPECT_TRUE(StampaElementiDaFatturare(fascole.db()));
    EXPECT_EQ(titolo, "STAMPA elementi da fatturara");
    EXPECT_EQ(pagine, 1);
}

// A restyled copy in the start folder that cannot be read goes to the error handler with the
// print's own description, and nothing is printed.
TEST_F(CatalogueList, AReportFailureGoesToTheErrorHandler) {
    fascole.addCatalogueItem("001", {{"descrizione", "Uno"}});
    writeFile(cartella.file("Stp_elefat.rpt"), "band detail table=Dati\n  field x=0 w=10 column=manca\n");
    box.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    EXPECT_FALSE(stampa());
    ASSERT_EQ(box.asked().size(), 1u);
    const QString testo = box.asked()[0].text;
    EXPECT_TRUE(testo.contains("3265")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Funzione: Stampa Codici elementi da fatturare")) << testo.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

// The print database could not be written: the report does not run on what is there.
TEST_F(CatalogueList, NoReportRunsOnAPrintDatabaseThatWasNotWritten) {
    fascole.addCatalogueItem("001", {{"descrizione", "Uno"}});
    writeFile(cartella.file(NomeArchivioStampaElefat), "questo non è un archivio");
    box.expectMessage(ui::Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
    EXPECT_FALSE(stampa());
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

}  // namespace
