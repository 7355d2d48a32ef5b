#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QWidget>

#include "fees/engine/StampaElefat.h"
#include "fees/forms/StampaElementiDaFatturare.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/report/Rendering.h"
#include "platform/report/Report.h"
#include "platform/system/Paths.h"
#include "support/ModalHelper.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

// The printed list of a linked office's catalogue of sixty elements: its first two pages as
// the page model draws them, the first page of the PDF as a reader draws it, and the
// preview window the STAMPA button opens.
TEST(CatalogueListScreens, PrintedListOfTheCatalogue) {
    RipristinaAmbiente();
    TempDir cartella;
    AccountingFixture contab(cartella.path());
    const QString contabile = contab.creaCampione();
    contab.collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
    AmbienteLavoro().CartellaAvvio = cartella.path();
    fixtures::CaseFileArchive fascole(cartella.file("fascole.mdb"));
    fascole.db().execute("ATTACH DATABASE ? AS contabile", {sys::LocalPath(contabile)});

    const char* voci[] = {"Onorario per consulenza societaria", "Marca da bollo",
                          "Visura camerale storica con elenco soci e sindaci",
                          "Deposito bilancio", "Dichiarazione dei redditi"};
    const char* tipi[] = {"X", "C", "A", "A", "X"};
    const char* iva[] = {"20", "E15", "N8", "4", "10"};
    const char* conti[] = {"04.01.01.0001", "04.01.01.0002", "04.01.02.0001", "04.01.02.0001", "04.01.01.0001"};
    for (int i = 0; i < 60; ++i)
        fascole.addCatalogueItem(QStringLiteral("%1").arg(i + 1, 3, 10, QChar('0')),
                                 {{"descrizione", voci[i % 5]}, {"tipo", tipi[i % 5]},
                                  {"importo", Currency::fromRaw(int64_t(i) * 123456789 % 99999990000)},
                                  {"iva", iva[i % 5]}, {"ivacee", "N8"}, {"contofat", conti[i % 5]}});

    const QString dati = cartella.file(NomeArchivioStampaElefat);
    ASSERT_EQ(ScriviArchivioStampaElefat(fascole.db(), {dati, true, TitoloProgramma}), 60);
    report::Report stampa(cartella.path());
    stampa.setDataFile(dati);
    stampa.setReportFileName(ReportElementiDaFatturare);
    stampa.setWindowTitle(TitoloFinestraElementiDaFatturare);
    stampa.setDestination(report::Pdf);
    stampa.setPdfFile("elenco.pdf");
    stampa.run();
    const report::Document& doc = stampa.document();
    ASSERT_GE(doc.pages.size(), 2u);

    QDir().mkpath(SCREENS_DIR);
    for (int p = 0; p < 2; ++p) {
        const QString nome = QStringLiteral("Stp_elefat_pagina%1.png").arg(p + 1);
        ASSERT_TRUE(report::pageImage(doc, p, 110).save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
    }

    // The PDF itself, as a PDF reader draws its first page.
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-png", "-r", "110", "-f", "1", "-l", "1", "-singlefile", cartella.file("elenco.pdf"),
                                QDir(SCREENS_DIR).filePath("Stp_elefat_pdf_pagina1")});
    EXPECT_TRUE(pdftoppm.waitForFinished(30000) && pdftoppm.exitCode() == 0);

    ScriptedMessages box;
    ModalHelper modali;
    modali.onNextModal([](QWidget* w) {
        w->resize(1100, 800);
        EXPECT_TRUE(w->grab().save(QDir(SCREENS_DIR).filePath("Stp_elefat_anteprima.png")));
        w->close();
    });
    EXPECT_TRUE(StampaElementiDaFatturare(fascole.db()));
    RipristinaAmbiente();
}

}  // namespace
