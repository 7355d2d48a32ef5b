#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>

#include "platform/db/Database.h"
#include "support/PdfTestTools.h"
#include "platform/report/Report.h"
#include "platform/report/ReportError.h"
#include "support/Files.h"
#include "support/ModalHelper.h"
#include "support/TempDir.h"

namespace {

using namespace report;

const char* const Modello = R"(
page size=A4 margins=15,15,15,15
band title height=10
  field x=0 w=180 size=12 bold column=testa.titolo
band header height=8
  text x=0 w=30 bold value="Codice"
  text x=40 w=80 bold value="Descrizione"
  text x=130 w=50 bold align=right value="Importo"
band detail table=righe height=6
  field x=0 w=30 column=codice
  field x=40 w=80 column=descrizione
  field x=130 w=50 align=right column=importo
band footer height=6
  text x=0 w=180 align=right value="Pagina {#page} di {#pages}"
)";

class ReportRun : public ::testing::Test {
protected:
    // A data file "dati.mdb" in the start folder with `n` rows and the layout "prova.rpt".
    void prepara(int n = 3, const QByteArray& modello = Modello) {
        auto file = db::Database::create(cartella.file("dati.mdb").toStdString());
        file->execute("CREATE TABLE testa (titolo TEXT)");
        file->execute("INSERT INTO testa VALUES (?)", {"Elenco di prova"});
        file->execute("CREATE TABLE righe (id INTEGER PRIMARY KEY, codice TEXT, descrizione TEXT, importo TEXT)");
        db::Transaction t(*file);
        for (int i = 1; i <= n; ++i)
            file->execute("INSERT INTO righe (codice, descrizione, importo) VALUES (?, ?, ?)",
                          {QStringLiteral("%1").arg(i, 3, 10, QChar('0')), "Voce numero " + QString::number(i),
                           QString::number(i) + ".234,50"});
        t.commit();
        writeFile(cartella.file("prova.rpt"), modello);
    }

    Report stampa(int destinazione = Pdf, const QString& modello = "prova.rpt") {
        Report r(cartella.path());
        r.setDataFile("dati.mdb");
        r.setReportFileName(modello);
        r.setWindowTitle("STAMPA DI PROVA");
        r.setDestination(destinazione);
        r.setPdfFile("uscita.pdf");
        return r;
    }

    static int errore(Report& r) {
        try {
            r.run();
        } catch (const db::DbError& e) {
            return e.number;
        }
        return 0;
    }

    TempDir cartella;
};

TEST_F(ReportRun, WritesAPdfWhoseTextIsThePrintedRows) {
    prepara();
    Report r = stampa();
    r.run();
    const QString pdf = cartella.file("uscita.pdf");
    ASSERT_TRUE(QFileInfo(pdf).isFile());
    EXPECT_EQ(pdfPageCount(pdf), 1);
    EXPECT_EQ(squeezedLines(pdfText(pdf)),
              QStringList({"Elenco di prova", "Codice Descrizione Importo", "001 Voce numero 1 1.234,50",
                           "002 Voce numero 2 2.234,50", "003 Voce numero 3 3.234,50", "Pagina 1 di 1"}));
    // The fonts travel inside the file.
    const QString fonts = runPoppler("pdffonts", {pdf});
    EXPECT_TRUE(fonts.contains("DejaVuSans-Bold")) << fonts.toStdString();
    for (const QString& riga : fonts.split('\n').mid(2))
        if (!riga.trimmed().isEmpty()) {
            EXPECT_TRUE(riga.contains(" yes ")) << riga.toStdString();
        }
    ASSERT_EQ(r.document().pages.size(), 1u);
}

TEST_F(ReportRun, ManyRowsMakeNumberedPagesUnderRepeatedHeadings) {
    prepara(200);
    Report r = stampa();
    r.run();
    const QString pdf = cartella.file("uscita.pdf");
    const int pagine = pdfPageCount(pdf);
    ASSERT_GT(pagine, 3);
    EXPECT_EQ(size_t(pagine), r.document().pages.size());
    int righe = 0;
    for (int p = 1; p <= pagine; ++p) {
        const QStringList linee = squeezedLines(pdfText(pdf, p));
        ASSERT_GT(linee.size(), 2);
        EXPECT_EQ(linee[p == 1 ? 1 : 0], "Codice Descrizione Importo") << "page " << p;
        EXPECT_EQ(linee.last(), QStringLiteral("Pagina %1 di %2").arg(p).arg(pagine));
        righe += int(linee.filter("Voce numero").size());
    }
    EXPECT_EQ(righe, 200);
}

// The caller deletes the data file the moment the run returns; the run has let go of it
// before anything is shown.
TEST_F(ReportRun, ThePreviewIsTitledAndTheDataFileIsClosedWhileItShows) {
    prepara(120);
    const QString dati = QFileInfo(cartella.file("dati.mdb")).canonicalFilePath();
    auto aperti = [&] {
        int n = 0;
        for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::Files))
            if (fd.symLinkTarget() == dati) ++n;
        return n;
    };
    ModalHelper modali;
    QString titolo;
    int apertiDurante = -1;
    int pagine = -1;
    modali.onNextModal([&](QWidget* w) {
        titolo = w->windowTitle();
        apertiDurante = aperti();
        EXPECT_TRUE(QFile::remove(dati));
        if (auto* anteprima = w->findChild<QPrintPreviewWidget*>()) pagine = anteprima->pageCount();
        w->close();
    });
    Report r = stampa(Screen);
    r.run();
    EXPECT_EQ(titolo, "STAMPA DI PROVA");
    EXPECT_EQ(apertiDurante, 0);
    EXPECT_GT(pagine, 1);
    EXPECT_EQ(size_t(pagine), r.document().pages.size());
    EXPECT_FALSE(QFileInfo::exists(cartella.file("uscita.pdf")));  // the screen writes no file
}

TEST_F(ReportRun, LayoutsComeFromTheStartFolderElseFromThoseShippedWithTheProgram) {
    prepara();
    // Shipped beside the program: found from any start folder.
    Report vuota{cartella.file("altrove")};
    const QString spedito = vuota.findLayout("Stp_elefat.rpt");
    ASSERT_FALSE(spedito.isEmpty()) << "no layouts folder beside the test program";
    EXPECT_EQ(QFileInfo(spedito).absolutePath(), QFileInfo(shippedLayoutFolders().front()).absoluteFilePath());
    // Names ignore case.
    EXPECT_EQ(vuota.findLayout("STP_ELEFAT.RPT"), spedito);

    // An office's own copy in the start folder wins.
    writeFile(cartella.file("stp_elefat.rpt"), "band title\n  text x=0 w=100 value=\"Copia dell'ufficio\"\n");
    Report r = stampa(Pdf, "Stp_elefat.rpt");
    EXPECT_EQ(r.findLayout("Stp_elefat.rpt"), cartella.file("stp_elefat.rpt"));
    r.run();
    EXPECT_EQ(squeezedLines(pdfText(cartella.file("uscita.pdf"))), QStringList({"Copia dell'ufficio"}));
}

// Whatever goes wrong, nothing is printed and the caller gets the error to report.
TEST_F(ReportRun, FailuresRaiseTheirErrorAndPrintNothing) {
    prepara();
    writeFile(cartella.file("tabella_sbagliata.rpt"), "band detail table=mancante\n  field x=0 w=9 column=a\n");
    writeFile(cartella.file("rotto.rpt"), "band nessuna\n");
    writeFile(cartella.file("non_archivio.mdb"), "questo non è un archivio");
    struct Case {
        const char* what;
        QString layout;
        QString dati;
        int number;
    };
    const Case cases[] = {
        {"missing layout", "mancante.rpt", "dati.mdb", err::LayoutNotFound},
        {"no layout named", "", "dati.mdb", err::LayoutNotFound},
        {"invalid layout", "rotto.rpt", "dati.mdb", err::LayoutInvalid},
        {"missing data file", "prova.rpt", "mancante.mdb", err::DataFileNotFound},
        {"no data file named", "prova.rpt", "", err::DataFileNotFound},
        {"not a database", "prova.rpt", "non_archivio.mdb", 3343},
        {"table not in the data", "tabella_sbagliata.rpt", "dati.mdb", err::TableNotFound},
    };
    for (const Case& c : cases) {
        Report r = stampa(Pdf, c.layout);
        r.setDataFile(c.dati);
        EXPECT_EQ(errore(r), c.number) << c.what;
        EXPECT_FALSE(QFileInfo::exists(cartella.file("uscita.pdf"))) << c.what;
        EXPECT_TRUE(r.document().pages.empty()) << c.what;
    }

    Report bloccato = stampa(Pdf);
    bloccato.setPdfFile(cartella.file("cartella/che/non/esiste/uscita.pdf"));
    EXPECT_EQ(errore(bloccato), err::PrintFailed);
}

TEST_F(ReportRun, WithoutADefaultPrinterThePrinterDestinationIsAnError) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
    prepara();
    Report r = stampa(Printer);
    try {
        r.run();
        FAIL() << "printed";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, err::NoPrinter);
        EXPECT_EQ(e.description, "Nessuna stampante predefinita.");
    }
}

}  // namespace
