// The issue and print of a 200-line invoice, as STAMPA does it with the PDF as destination:
// the issue in one transaction over both archives (numbered and posted when linked), the copy
// stored in the invoice folder, the report laid out over its pages and written as a PDF, the
// temporary print database removed. Also the reprint of a stored copy one of whose lines has a
// description of a million characters without a blank.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "BenchMain.h"
#include "DocumentoDuecentoRighe.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/StampaDocumento.h"
#include "invoice/forms/StampaFattura.h"
#include "platform/db/Database.h"

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

// A stored copy of the 200-line invoice kept in a folder of its own, whose first line's
// description is a word of a million characters.
struct CopiaConDescrizioneEnorme {
    CopiaConDescrizioneEnorme() {
        Installazione& inst = installazione();
        inst.riprendi();
        const EsitoEmissione e = EmissioneDocumento(inst.sessione->db(), inst.documento);
        if (!e.Emesso()) return;
        const CopiaDocumento c =
            ArchiviaCopiaDocumento(e.PathArchivioStampa, inst.documento.Ambiente.CartellaFatture, true);
        percorso = QDir(cartella.path()).filePath(QFileInfo(c.Percorso).fileName());
        QFile::copy(c.Percorso, percorso);
        RimuoviArchivioStampa(e.PathArchivioStampa, c);
        QString parola;
        const QString sillabe[] = {"ma", "W", "i", "lll", "ò", "MM", "x.", "€"};
        for (int i = 0; parola.size() < (1 << 20); ++i) parola += sillabe[(i * 7 + i / 3) % 8];
        cambiate = db::Database::open(percorso.toStdString())
            ->execute("UPDATE Righecorpo SET Descrizione = ? WHERE rowid = (SELECT min(rowid) FROM Righecorpo "
                      "WHERE Descrizione LIKE 'Competenza%')",
                      {parola});
    }
    QTemporaryDir cartella;
    QString percorso;
    int cambiate = 0;
};

void BM_RistampaCopiaConDescrizioneDiUnMega(benchmark::State& state) {
    static CopiaConDescrizioneEnorme copia;
    if (copia.cambiate != 1) state.SkipWithError("no stored copy with the long description");
    const QString pdf = QDir(copia.cartella.path()).filePath("ristampa.pdf");
    size_t pagine = 0;
    for (auto _ : state) pagine = ReportDocumentoEmesso(copia.percorso, report::Pdf, nullptr, pdf).pages.size();
    state.counters["pagine"] = double(pagine);
}
BENCHMARK(BM_RistampaCopiaConDescrizioneDiUnMega)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
