// The issue and print of a 200-line invoice, as STAMPA does it with the PDF as destination:
// the issue in one transaction over both archives (numbered and posted when linked), the copy
// stored in the invoice folder, the report laid out over its pages and written as a PDF, the
// temporary print database removed.
#include <benchmark/benchmark.h>

#include <QDir>

#include "BenchMain.h"
#include "DocumentoDuecentoRighe.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/StampaDocumento.h"
#include "invoice/forms/StampaFattura.h"

namespace {

// The document stored in the invoice folder as well, under a letterhead of two lines.
struct Installazione : bench::DocumentoDuecentoRighe {
    Installazione() {
        documento.Ambiente.CartellaFatture = fatture;
        documento.Parametri.MemorizzaFattura = true;
        documento.Parametri.RigaTestata1 = "Studio Bianchi";
        documento.Parametri.RigaTestata2 = "Via Manzoni 1 - 20121 Milano";
        AmbienteLavoro().CartellaAvvio = avvio;
    }
};

Installazione& installazione() {
    static Installazione i;
    return i;
}

void BM_EmissioneEPdf200Righe(benchmark::State& state) {
    Installazione& inst = installazione();
    DocumentoDaEmettere d = inst.documento;
    d.Ambiente.CollegatoContabilita = state.range(0) != 0;
    const QString pdf = QDir(inst.cartella.path()).filePath("fattura.pdf");
    size_t pagine = 0;
    for (auto _ : state) {
        const std::optional<EsitoEmissione> e = inst.emetti(state, d);
        if (!e) break;
        const CopiaDocumento copia =
            ArchiviaCopiaDocumento(e->PathArchivioStampa, d.Ambiente.CartellaFatture, d.Parametri.MemorizzaFattura);
        pagine = ReportDocumentoEmesso(e->PathArchivioStampa, report::Pdf, nullptr, pdf).pages.size();
        RimuoviArchivioStampa(e->PathArchivioStampa, copia);
    }
    state.counters["pagine"] = double(pagine);
}
BENCHMARK(BM_EmissioneEPdf200Righe)->ArgName("collegato")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
