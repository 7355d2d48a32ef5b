// The printed list of a 500-element catalogue, as the catalogue form's STAMPA button runs it
// to a PDF file: the print database written in the start folder, then the report
// "Stp_elefat.rpt" read, laid out on its pages and written. Also the two halves alone, and
// beside the report the same pages drawn by a bare QPdfWriter.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "ATurni.h"
#include "BenchMain.h"
#include "PdfNudo.h"
#include "fees/engine/StampaElefat.h"
#include "fees/forms/StampaElementiDaFatturare.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/report/Report.h"

namespace {

struct Catalogo {
    Catalogo() : fascole(cartella.filePath("fascole.mdb")) {
        const char* voci[] = {"Onorario per consulenza societaria", "Marca da bollo",
                              "Visura camerale storica con elenco soci e sindaci", "Deposito bilancio",
                              "Dichiarazione dei redditi"};
        const char* tipi[] = {"X", "C", "A", "A", "X"};
        db::Transaction t(fascole.db());
        for (int i = 0; i < 500; ++i)
            fascole.addCatalogueItem(QStringLiteral("%1").arg(i, 3, 10, QChar('0')),
                                     {{"descrizione", voci[i % 5]}, {"tipo", tipi[i % 5]},
                                      {"importo", Currency::fromRaw(int64_t(i) * 123456789 % 99999990000)},
                                      {"iva", "20"}, {"ivacee", "N8"}, {"contofat", "04.01.01.0001"}});
        t.commit();
        RipristinaAmbiente();
        AmbienteLavoro().CartellaAvvio = cartella.path();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }

    QString dati() const { return QDir(cartella.path()).filePath(NomeArchivioStampaElefat); }
    QString pdf() const { return QDir(cartella.path()).filePath("elenco.pdf"); }

    // The report of the list set to run on the print database to the PDF file.
    void suPdf(report::Report& stampa) const {
        stampa.setDataFile(dati());
        stampa.setReportFileName(ReportElementiDaFatturare);
        stampa.setWindowTitle(TitoloFinestraElementiDaFatturare);
        stampa.setDestination(report::Pdf);
        stampa.setPdfFile(pdf());
    }

    QTemporaryDir cartella;
    fixtures::CaseFileArchive fascole;
};

Catalogo& catalogo() {
    static Catalogo c;
    return c;
}

void BM_StampaCatalogo500SuPdf(benchmark::State& state) {
    Catalogo& c = catalogo();
    for (auto _ : state)
        if (!StampaElementiDaFatturare(c.fascole.db(), report::Pdf, c.pdf())) state.SkipWithError("not printed");
}
BENCHMARK(BM_StampaCatalogo500SuPdf)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_ArchivioStampaCatalogo500(benchmark::State& state) {
    Catalogo& c = catalogo();
    for (auto _ : state) ScriviArchivioStampaElefat(c.fascole.db(), {c.dati(), false, TitoloProgramma});
}
BENCHMARK(BM_ArchivioStampaCatalogo500)->Unit(benchmark::kMillisecond);

void BM_ReportCatalogo500SuPdf(benchmark::State& state) {
    Catalogo& c = catalogo();
    ScriviArchivioStampaElefat(c.fascole.db(), {c.dati(), false, TitoloProgramma});
    for (auto _ : state) {
        report::Report stampa(c.cartella.path());
        c.suPdf(stampa);
        stampa.run();
        state.counters["pagine"] = double(stampa.document().pages.size());
    }
}
BENCHMARK(BM_ReportCatalogo500SuPdf)->Unit(benchmark::kMillisecond);

// The report run on the print database to a PDF, and the pages it drew drawn again by a bare
// QPdfWriter, in turns.
void BM_ReportCatalogo500SuPdfAConfronto(benchmark::State& state) {
    Catalogo& c = catalogo();
    ScriviArchivioStampaElefat(c.fascole.db(), {c.dati(), false, TitoloProgramma});
    report::Report stampa(c.cartella.path());
    c.suPdf(stampa);
    stampa.run();
    const bench::PdfNudo nudo(stampa.document());
    const QString pdfNudo = QDir(c.cartella.path()).filePath("nudo.pdf");
    bench::ATurni turni;
    for (auto _ : state) turni.giro([&] { nudo.scrivi(pdfNudo); }, [&] { stampa.run(); });
    turni.riporta(state);
    state.counters["pagine"] = double(stampa.document().pages.size());
}
BENCHMARK(BM_ReportCatalogo500SuPdfAConfronto)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
