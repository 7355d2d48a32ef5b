#include "invoice/forms/StampaFattura.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>

#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/Ristampa.h"
#include "invoice/engine/StampaDocumento.h"
#include "invoice/engine/RecuperoEmissioni.h"
#include "invoice/forms/StampaDiProva.h"
#include "platform/report/Report.h"
#include "platform/system/FileSystem.h"
#include "support/ModalHelper.h"
#include "support/PdfTestTools.h"
#include "support/ProcessiLocali.h"

namespace {

using emissione_di_prova::Righe;
using stampa_di_prova::StampaDiProva;
using ui::Answer;

class StampaFatturaTest : public StampaDiProva {
public:
    // The two tables of a print database, every value as text.
    std::vector<QStringList> tabella(const QString& path, const std::string& nome) {
        auto file = db::Database::open(path.toStdString());
        return Righe(*file, "SELECT * FROM " + nome + " ORDER BY rowid");
    }
    QStringList fileIn(const QString& cartella) { return QDir(cartella).entryList(QDir::Files); }

    // Every printed text of the document's pages, one page after the other.
    static QStringList testi(const report::Document& d) {
        QStringList t;
        for (const report::Page& p : d.pages) t += p.textLines();
        return t;
    }

    // The text printed on the line of the one that begins with `inizio`, at its right.
    static QString accanto(const report::Page& p, const QString& inizio) {
        for (const report::TextItem& a : p.texts) {
            if (!a.text.startsWith(inizio)) continue;
            for (const report::TextItem& b : p.texts)
                if (b.rect.left() > a.rect.left() && qAbs(b.rect.top() - a.rect.top()) < 0.5) return b.text;
            return {};
        }
        return "<" + inizio + " not printed>";
    }
};

// The printed invoice holds every value its print database stores for printing, each as
// stored, the body in stored order: as a PDF reader extracts its text.
TEST_F(StampaFatturaTest, TheInvoicePrintsEveryStoredField) {
    const EsitoEmissione e = Emetti(ConBolloERitenuta());
    ASSERT_FALSE(e.PathArchivioStampa.isEmpty());
    const QString pdf = dir->file("fattura.pdf");
    const report::Document pagine = ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, pdf);
    ASSERT_EQ(pagine.pages.size(), 1u);
    ASSERT_EQ(pdfPageCount(pdf), 1);
    const QStringList righe = squeezedLines(pdfText(pdf));
    const QString testo = righe.join("\n");

    const std::vector<QStringList> dati = tabella(e.PathArchivioStampa, "Dati");
    ASSERT_EQ(dati.size(), 1u);
    int stampati = 0;
    // Kept for the office, not for the page: the sum of taxed and untaxed amounts together
    // (the page prints them apart).
    const QStringList nonStampati = {"TotIvaimponibile"};
    for (size_t i = 0; i < ColonneDati.size(); ++i) {
        const QString valore = dati[0][qsizetype(i)].simplified();
        // "Pagina" holds one blank for the report's own page numbers.
        if (valore.isEmpty() || nonStampati.contains(ColonneDati[i])) continue;
        EXPECT_TRUE(testo.contains(valore)) << ColonneDati[i] << " = " << valore.toStdString();
        ++stampati;
    }
    // Letterhead, document, client, case file, three VAT groups and their totals, stamp,
    // withholding, total, four notes.
    EXPECT_GE(stampati, 44);
    for (const char* atteso : {"FATTURA", "N. 27 del 15/01/2004", "Pagina 1 di 1", "Imposta di bollo", "2,00",
                               "Ritenuta di acconto", "20% su 130,00", "-26,00", "TOTALE DOCUMENTO 253,00",
                               "NETTO A PAGARE 227,00", "Totale imponibile 180,00", "Importi senza IVA 40,00",
                               "E15 40,00 Escluso art. 15",
                               "Partita IVA: 01234567890", "Codice fiscale: RSSMRA60A01F205X",
                               "Codice cliente: 01.01.01.0001"})
        EXPECT_TRUE(testo.contains(atteso)) << atteso << "\n" << testo.toStdString();

    // The body: each row's description, amount, VAT code and payment, in stored order.
    const std::vector<QStringList> corpo = tabella(e.PathArchivioStampa, "Righecorpo");
    ASSERT_EQ(corpo.size(), 8u);
    qsizetype dove = 0;
    for (const QStringList& r : corpo) {
        QString attesa = r[1];
        for (int c = 3; c <= 5; ++c)
            if (!r[c].isEmpty()) attesa += " " + r[c];
        const qsizetype trovata = righe.indexOf(attesa, dove);
        EXPECT_GE(trovata, dove) << attesa.toStdString() << "\n" << testo.toStdString();
        if (trovata >= 0) dove = trovata + 1;
    }

    // Task and job headings stand out; amounts stand right-aligned in their column.
    const report::Page& p = pagine.pages[0];
    auto testoPagina = [&](const QString& t) -> const report::TextItem* {
        for (const report::TextItem& i : p.texts)
            if (i.text == t) return &i;
        ADD_FAILURE() << "not printed: " << t.toStdString();
        return nullptr;
    };
    for (const QString& titolo : {QString("Incarico uno"), QString("Incarico due"), QString("Lavorazione uno")}) {
        const report::TextItem* t = testoPagina(titolo);
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(t->font.bold) << titolo.toStdString();
    }
    EXPECT_TRUE(testoPagina("Lavorazione uno")->font.italic);
    EXPECT_FALSE(testoPagina("Descrizione ONO 0001")->font.bold);
    const report::TextItem* importo = testoPagina("100,00");
    ASSERT_NE(importo, nullptr);
    EXPECT_EQ(importo->align, Qt::AlignRight);
}

// What the client reads at the foot of the page, document by document: the document's total,
// and with a withholding the net amount to pay apart; the taxable total over the taxed groups
// only, the amounts without VAT on a line of their own, each exempt group by its exemption
// text; the office's accounting reference never; the client's reference whole.
TEST_F(StampaFatturaTest, TheTotalsAsTheClientReadsThem) {
    struct Caso {
        const char* nome;
        DocumentoDaEmettere documento;
        QStringList presenti;
        QStringList assenti;
    };
    DocumentoDaEmettere riferimentoLungo = documento;
    riferimentoLungo.Fascola.RifCliente = "WWWWWWWWWWWWWWWWWWWW";
    const Caso casi[] = {
        {"with stamp and withholding", ConBolloERitenuta(),
         {"TOTALE DOCUMENTO 253,00", "NETTO A PAGARE 227,00", "Totale imponibile 180,00", "Importi senza IVA 40,00",
          "E15 40,00 Escluso art. 15", "Imposta di bollo 2,00"},
         {"Rif. contabile"}},
        {"posted, no withholding", documento,
         {"TOTALE DOCUMENTO 251,00", "Totale imponibile 180,00", "Importi senza IVA 40,00"},
         {"NETTO A PAGARE", "Rif. contabile", "15/01/2004 - "}},
        {"a client's reference of twenty wide letters", riferimentoLungo, {"WWWWWWWWWWWWWWWWWWWW"}, {}},
    };
    for (const Caso& c : casi) {
        // The same fee items, billable again for each document.
        db().execute("UPDATE competenze SET fatturato = 0, idfattura = ''");
        const EsitoEmissione e = Emetti(c.documento);
        const QString pdf = dir->file("totali.pdf");
        ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, pdf);
        const QString testo = squeezedLines(pdfText(pdf)).join("\n");
        for (const QString& atteso : c.presenti) EXPECT_TRUE(testo.contains(atteso)) << c.nome << ": " << atteso.toStdString() << "\n" << testo.toStdString();
        for (const QString& escluso : c.assenti) EXPECT_FALSE(testo.contains(escluso)) << c.nome << ": " << escluso.toStdString();
        // The sample of the office's own layout reads the same.
        const QString proprio = QDir(avvio).filePath(ReportFatturaPersonalizzato);
        ASSERT_TRUE(QFile::copy(report::Report(avvio).findLayout(ReportFatturaPersonalizzato), proprio));
        ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, pdf);
        const QString personale = squeezedLines(pdfText(pdf)).join("\n");
        QFile::remove(proprio);
        for (const QString& atteso : c.presenti) {
            const QString voce = QString(atteso).replace("Totale imponibile", "Imponibile")
                                     .replace("Importi senza IVA", "Senza IVA").replace("Imposta di bollo", "Bollo");
            EXPECT_TRUE(personale.contains(voce)) << c.nome << ": " << voce.toStdString() << "\n" << personale.toStdString();
        }
        for (const QString& escluso : c.assenti) EXPECT_FALSE(personale.contains(escluso)) << c.nome << ": " << escluso.toStdString();
        // The accounting reference stays stored for the office.
        if (QString(c.nome) == "posted, no withholding") {
            auto file = db::Database::open(e.PathArchivioStampa.toStdString());
            EXPECT_TRUE(file->scalar("SELECT RifContabile FROM Dati").toText<QString>().startsWith("15/01/2004 - "));
        }
    }
}

// A withholding prints, with one sign, what it takes off the document's total: off an
// invoice's ("-26,00"), back onto a credit note's, whose amounts are negative ("26,00"); both
// withholdings, in the standard layout and in the sample of the office's own.
TEST_F(StampaFatturaTest, AWithholdingPrintsWhatItTakesOffTheTotalWithOneSign) {
    const struct {
        const char* nome;
        TipoDocumento tipo;
        QString ritenute[2];
    } casi[] = {
        {"invoice", TipoDocumento::Fattura, {"-26,00", "-5,20"}},
        {"credit note", TipoDocumento::NotaCredito, {"26,00", "5,20"}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        Ambiente();
        DocumentoDaEmettere d = ConBolloERitenuta();
        d.Tipo = c.tipo;
        d.Parametri.Bollo = false;
        d.Parametri.AltreRitenute = true;
        d.Parametri.AltreRitCriterio = "3";
        d.Parametri.AltreRitPercImponibile = "100";
        d.Parametri.AltreRitPerc = "4";
        d.Parametri.AltreRitTesto = "Contributo";
        if (c.tipo == TipoDocumento::NotaCredito) {
            for (int i = 1; i <= d.RigheFattura.NumeroRighe(); ++i)
                d.RigheFattura.riga(i).impofat = -d.RigheFattura.riga(i).impofat;
            Didascalie(d);
        }
        const EsitoEmissione e = Emetti(d);
        for (const bool proprio : {false, true}) {
            SCOPED_TRACE(proprio ? "office's own layout" : "standard layout");
            const QString modello = QDir(avvio).filePath(ReportFatturaPersonalizzato);
            if (proprio) {
                ASSERT_TRUE(QFile::copy(report::Report(avvio).findLayout(ReportFatturaPersonalizzato), modello));
            }
            const report::Document pagine = ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr,
                                                                  dir->file("ritenute.pdf"));
            if (proprio) QFile::remove(modello);
            ASSERT_EQ(pagine.pages.size(), 1u);
            EXPECT_EQ(accanto(pagine.pages[0], "Ritenuta di acconto"), c.ritenute[0]);
            EXPECT_EQ(accanto(pagine.pages[0], "Contributo"), c.ritenute[1]);
        }
    }
}

// A copy stored before the print file had its columns for the printed totals still prints,
// once completed, with the totals it holds: the total it stored as the document's.
TEST_F(StampaFatturaTest, ACopyStoredWithoutThePrintedTotalsPrintsWithItsOwn) {
    const EsitoEmissione e = Emetti(documento);
    {
        auto copia = db::Database::open(e.PathArchivioStampa.toStdString());
        for (size_t i = ColonneDatiDiBase; i < ColonneDati.size(); ++i)
            copia->execute(std::string("ALTER TABLE Dati DROP COLUMN ") + ColonneDati[i]);
    }
    ASSERT_EQ(CompletaCopiaArchiviata(e.PathArchivioStampa), int(ColonneDati.size() - ColonneDatiDiBase));
    const QString pdf = dir->file("vecchia.pdf");
    ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, pdf);
    const QString testo = squeezedLines(pdfText(pdf)).join("\n");
    for (const char* atteso : {"TOTALE DOCUMENTO 251,00", "Totale imponibile 220,00", "E15 40,00"})
        EXPECT_TRUE(testo.contains(atteso)) << atteso << "\n" << testo.toStdString();
    EXPECT_FALSE(testo.contains("NETTO A PAGARE"));
}

// A long invoice flows over pages: the letterhead and the document's title on each, the
// client and the case file on the first, the totals only at the foot of the last.
TEST_F(StampaFatturaTest, ALongInvoiceFlowsOverPagesWithTheTotalsOnlyOnTheLast) {
    const EsitoEmissione e = Emetti(DuecentoRighe());
    const QString pdf = dir->file("lunga.pdf");
    const report::Document pagine = ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, pdf);
    const int n = int(pagine.pages.size());
    ASSERT_GE(n, 4);
    EXPECT_EQ(pdfPageCount(pdf), n);
    QStringList corpo;
    for (int i = 1; i <= n; ++i) {
        const QString testo = squeezedLines(pdfText(pdf, i)).join("\n");
        EXPECT_TRUE(testo.startsWith("Studio Bianchi")) << i;
        EXPECT_TRUE(testo.contains("N. 13 del 15/01/2004")) << i;
        EXPECT_TRUE(testo.contains(QStringLiteral("Pagina %1 di %2").arg(i).arg(n))) << i;
        EXPECT_TRUE(testo.contains("Descrizione Importo IVA Pag.")) << i;
        EXPECT_EQ(testo.contains("Spett.le"), i == 1) << i;
        EXPECT_EQ(testo.contains("Cliente: Rossi Mario"), i > 1) << i;
        EXPECT_EQ(testo.contains("TOTALE DOCUMENTO"), i == n) << i;
        EXPECT_EQ(testo.contains("Riepilogo IVA"), i == n) << i;
        for (const QString& riga : testo.split('\n'))
            if (riga.startsWith("Prestazione numero ")) corpo << riga.section(' ', 0, 2);
    }
    // Every line once, in order, none lost at a page break.
    ASSERT_EQ(corpo.size(), 200);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(corpo[i], "Prestazione numero " + QString::number(i + 1));
    // The totals stand at the foot of the last page, above its bottom margin.
    const report::Page& ultima = pagine.pages.back();
    for (const report::TextItem& t : ultima.texts)
        if (t.text == "TOTALE DOCUMENTO") {
            EXPECT_GT(t.rect.top(), pagine.size.height() / 2);
        }
}

// The office's own layout, while it lies in the start folder, prints every document; taken
// away, the standard one is back. The one shipped with the program is not enough.
TEST_F(StampaFatturaTest, TheOfficesOwnLayoutInTheStartFolderPrintsEveryDocument) {
    const EsitoEmissione e = Emetti(documento);
    EXPECT_EQ(ReportDocumento(avvio), "stp_fattura.rpt");
    EXPECT_FALSE(testi(ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, "a.pdf")).join("\n")
                     .contains("Modello dello studio"));

    const QString proprio = QDir(avvio).filePath("STP_FATTURA_PER.RPT");
    {
        QFile f(proprio);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("band title\n  text x=0 w=100 value=\"Modello dello studio {Dati.Numero}\"\n"
                "band detail table=Righecorpo\n  field x=0 w=100 column=Descrizione\n");
    }
    EXPECT_EQ(ReportDocumento(avvio), "stp_fattura_per.rpt");
    EXPECT_EQ(testi(ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, "b.pdf")).first(),
              "Modello dello studio 13");

    QFile::remove(proprio);
    EXPECT_EQ(ReportDocumento(avvio), "stp_fattura.rpt");
    EXPECT_TRUE(testi(ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, "c.pdf")).join("\n")
                    .contains("TOTALE DOCUMENTO"));
    // The sample of the office's layout shipped with the program prints too.
    report::Report campione(avvio);
    EXPECT_FALSE(campione.findLayout("stp_fattura_per.rpt").isEmpty());
}

// The invoice folder written with a final separator of either kind, or several: the copy lands
// in the folder, and the program holds the folder without them from then on.
TEST_F(StampaFatturaTest, TheInvoiceFolderLosesAnyFinalSeparator) {
    int giorno = 15;
    for (const QString fine : {"\\", "/", "/\\/"}) {
        SCOPED_TRACE(fine.toStdString());
        DocumentoDaEmettere d = documento;
        d.Parametri.MemorizzaFattura = true;
        d.Parametri.AnteprimaStampa = true;
        d.Parametri.DataFattura = QString::number(giorno++) + "/01/2004";
        d.Ambiente.CartellaFatture = AmbienteLavoro().CartellaFatture = fatture + fine;
        db().execute("UPDATE competenze SET fatturato = 0, idfattura = ''");
        const EsitoEmissione e = Emetti(d);
        ASSERT_TRUE(e.Emesso());
        ModalHelper modali;
        modali.onNextModal([](QWidget* w) { w->close(); });
        StampaDocumentoEmesso(e, d, nullptr);
        EXPECT_TRUE(QFileInfo::exists(QDir(fatture).filePath(e.NomeFileFattura)));
        EXPECT_EQ(AmbienteLavoro().CartellaFatture, fatture);
    }
    EXPECT_TRUE(box.asked().empty());
}

// The printing stage: the copy is stored first, so a print that fails leaves a document that
// can still be reprinted or cancelled; the temporary file goes; the preview is titled.
TEST_F(StampaFatturaTest, TheCopyIsStoredBeforeThePrintAndSurvivesItsFailure) {
    DocumentoDaEmettere d = documento;
    d.Parametri.MemorizzaFattura = true;
    d.Parametri.AnteprimaStampa = true;
    const EsitoEmissione e = Emetti(d);
    ASSERT_TRUE(QFileInfo::exists(e.PathArchivioStampa));

    ModalHelper modali;
    QString titolo;
    bool copiaGiaArchiviata = false;
    QStringList nellAvvio;
    modali.onNextModal([&](QWidget* w) {
        titolo = w->windowTitle();
        EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(w), nullptr);
        copiaGiaArchiviata = QFileInfo::exists(QDir(fatture).filePath(e.NomeFileFattura));
        nellAvvio = fileIn(avvio).filter("SDB");
        // Another issue or list of this computer meanwhile, a while later: the file is no leftover.
        processi::ScrittiPrimaDelRiavvio(avvio);
        EXPECT_TRUE(RecuperoEmissioniInterrotte(db(), avvio, fatture, true, true).Documenti.empty());
        EXPECT_EQ(fileIn(avvio).filter("SDB"), nellAvvio);
        w->close();
    });
    StampaDocumentoEmesso(e, d, nullptr);
    EXPECT_EQ(titolo, "STAMPA FATTURA");
    EXPECT_TRUE(copiaGiaArchiviata);
    // While the preview is open the print database carries this process's name: stopped then,
    // the process leaves a file that the next issue or list knows for a leftover.
    EXPECT_EQ(nellAvvio, QStringList{QFileInfo(sys::TemporaryName(e.PathNomeProprio)).fileName()});
    EXPECT_EQ(fileIn(avvio).filter("SDB"), QStringList());
    EXPECT_EQ(fileIn(fatture), QStringList{e.NomeFileFattura});
    EXPECT_FALSE(QFileInfo::exists(e.PathArchivioStampa));
    // From now on the program holds the invoice folder without its final "\".
    EXPECT_EQ(AmbienteLavoro().CartellaFatture, fatture);
    EXPECT_TRUE(box.asked().empty());

    // A second document sent to a printer that is not there: the error is reported as the
    // printing's, and the user is told that the document exists and where to print it from;
    // the copy is there all the same, the temporary file gone.
    d.Parametri.AnteprimaStampa = false;
    d.Parametri.DataFattura = "16/01/2004";
    db().execute("UPDATE competenze SET fatturato = 0, idfattura = ''");
    const EsitoEmissione e2 = Emetti(d);
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    box.expectMessage(Answer::Ok,
                      "Il documento N. 14 del 16/01/2004 è stato emesso, numerato e registrato in contabilità, ma non "
                      "è stato stampato.\nSi può stampare da \"Ristampa / Annulla\".",
                      "STAMPA FATTURA");
    StampaDocumentoEmesso(e2, d, nullptr);
    ASSERT_EQ(box.asked().size(), 2u);
    EXPECT_TRUE(box.asked()[0].text.contains("Funzione: Funzione di stampa fattura")) << box.asked()[0].text.toStdString();
    EXPECT_FALSE(box.asked()[0].text.contains("contabilizzazione"));
    EXPECT_TRUE(box.asked()[0].text.contains("stampante"));
    EXPECT_EQ(box.pending(), 0);
    EXPECT_TRUE(QFileInfo::exists(QDir(fatture).filePath(e2.NomeFileFattura)));
    EXPECT_FALSE(QFileInfo::exists(e2.PathArchivioStampa));
}

// Where the copy goes, by the parameters and the invoice folder; what stays in the start
// folder; what the user is told.
TEST_F(StampaFatturaTest, WhereTheCopyGoesAndWhatStaysInTheStartFolder) {
    struct Caso {
        const char* nome;
        bool memorizza;
        QString cartella;  // the invoice folder given
        bool copia;        // a copy in the invoice folder
        bool resta;        // the print database stays in the start folder
        QString messaggio;  // what the user is told of the copy, if anything
        const char* ristampa;  // what the unprinted document's message says of printing it again
    };
    const QString ristampabile = "\nSi può stampare da \"Ristampa / Annulla\".";
    const Caso casi[] = {
        // Not printed: stored all the same, to be printed from "Ristampa / Annulla".
        {"no copies kept", false, fatture, true, false, {}, "stored"},
        {"folder with final slash", true, fatture + "/", true, false, {}, "stored"},
        {"no folder given", true, "NO", false, true, "Non è indicata la cartella delle fatture", ""},
        {"missing folder", true, dir->file("manca"), false, true,
         "La cartella delle fatture \"" + dir->file("manca") + "\" non esiste", ""},
        {"the start folder itself", true, avvio + "\\", true, true, {}, "stored"},
    };
    int giorno = 10;
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        for (const QString& f : fileIn(fatture)) QFile::remove(QDir(fatture).filePath(f));
        DocumentoDaEmettere d = documento;
        d.Parametri.MemorizzaFattura = c.memorizza;
        d.Parametri.NumerazioneAutomatica = true;
        d.Parametri.DataFattura = QStringLiteral("%1/02/2004").arg(++giorno);
        d.Ambiente.CartellaFatture = c.cartella;
        db().execute("UPDATE competenze SET fatturato = 0, idfattura = ''");
        const EsitoEmissione e = Emetti(d);
        // No printer here: the report fails and is left; the rest is done all the same.
        box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
        const QString nonStampato = "Il documento N. " + e.NumeroDocumento + " del " + d.Parametri.DataFattura +
                                    " è stato emesso, numerato e registrato in contabilità, ma non è stato stampato.";
        const QString ristampa = QString(c.ristampa) == "stored" ? ristampabile : QString();
        box.expectMessage(Answer::Ok, nonStampato + ristampa, "STAMPA FATTURA");
        if (!c.messaggio.isEmpty()) box.expectMessage(Answer::Ok, std::nullopt, "STAMPA FATTURA");
        StampaDocumentoEmesso(e, d, nullptr);
        const QString cartella = c.cartella == "NO" ? fatture : CartellaFattureIndicata(c.cartella);
        const bool copia = QFileInfo::exists(QDir(cartella).filePath(e.NomeFileFattura));
        EXPECT_EQ(copia, c.copia);
        EXPECT_EQ(QFileInfo::exists(e.PathNomeProprio), c.resta);
        EXPECT_FALSE(QFileInfo::exists(sys::TemporaryName(e.PathNomeProprio)));
        if (!c.messaggio.isEmpty()) {
            ASSERT_FALSE(box.asked().empty());
            const QString testo = box.asked().back().text;
            EXPECT_TRUE(testo.contains(c.messaggio)) << testo.toStdString();
            EXPECT_TRUE(testo.contains("Il file \"" + e.NomeFileFattura + "\" resta nella cartella di avvio \""))
                << testo.toStdString();
        }
        EXPECT_EQ(box.pending(), 0);
        QFile::remove(e.PathNomeProprio);
    }
}

// The copy cannot be written and the user leaves at its error box: the document, issued, is not
// printed now; its print database stays in the start folder under its own name, and the user
// is told where.
TEST_F(StampaFatturaTest, LeavingAtTheCopysErrorLeavesTheDocumentUnprintedUnderItsName) {
    DocumentoDaEmettere d = documento;
    d.Parametri.MemorizzaFattura = true;
    const QString nome = "SDB0101010001F00001000704011500013.mdb";
    ASSERT_TRUE(QDir().mkpath(QDir(fatture).filePath(nome + "/dentro")));
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    const EsitoEmissione e = Emetti(d);
    ASSERT_TRUE(e.Emesso());
    EXPECT_EQ(e.NomeFileFattura, nome);
    EXPECT_TRUE(e.StampaAbbandonata);
    EXPECT_EQ(e.PathNomeProprio, QDir(avvio).filePath(nome));
    EXPECT_EQ(e.PathArchivioStampa, sys::TemporaryName(e.PathNomeProprio));
    EXPECT_TRUE(QFileInfo(e.PathArchivioStampa).isFile());

    box.expectMessage(Answer::Ok,
                      "Il documento N. 13 del 15/01/2004 è stato emesso, numerato e registrato in contabilità, ma non "
                      "è stato stampato.",
                      "STAMPA FATTURA");
    box.expectMessage(Answer::Ok, std::nullopt, "STAMPA FATTURA");
    StampaDocumentoEmesso(e, d, nullptr);  // no report run: no printer error
    EXPECT_EQ(box.pending(), 0);
    ASSERT_EQ(box.asked().size(), 3u);
    EXPECT_TRUE(box.asked()[2].text.contains("Il file \"" + nome + "\" resta nella cartella di avvio \"" + avvio + "\""))
        << box.asked()[2].text.toStdString();
    EXPECT_TRUE(QFileInfo(e.PathNomeProprio).isFile());
    EXPECT_EQ(fileIn(avvio).filter("SDB"), QStringList{nome});
}

// A document issued twice under the same name leaves one stored copy, the later one.
TEST_F(StampaFatturaTest, ALaterCopyOfTheSameNameReplacesTheEarlierOne) {
    const QString copia = QDir(fatture).filePath("SDB0101010001F00001000704011500013.mdb");
    {
        QFile vecchia(copia);
        ASSERT_TRUE(vecchia.open(QIODevice::WriteOnly));
        vecchia.write("copia precedente");
    }
    const QString archivio = QDir(avvio).filePath("SDB0101010001F00001000704011500013.mdb");
    ScriviArchivioStampaFattura(archivio, ContenutoStampaFattura{});
    const CopiaDocumento c = ArchiviaCopiaDocumento(archivio, fatture + "\\", true);
    EXPECT_EQ(c.Esito, EsitoCopia::Archiviata);
    EXPECT_EQ(c.Percorso, fatture + "/SDB0101010001F00001000704011500013.mdb");  // the folder's own separator
    QFile a(archivio), b(copia);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    EXPECT_EQ(fileIn(fatture), QStringList{"SDB0101010001F00001000704011500013.mdb"});

    // A copy that cannot be written leaves nothing behind in the folder.
    QFile::remove(copia);
    QDir().mkpath(copia);  // a folder where the copy should go
    try {
        ArchiviaCopiaDocumento(archivio, fatture, true);
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, 75);
    }
    EXPECT_TRUE(fileIn(fatture).isEmpty()) << fileIn(fatture).join(",").toStdString();
}

}  // namespace
