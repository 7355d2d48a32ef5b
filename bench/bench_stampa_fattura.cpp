// The issue and print of a 200-line invoice, as STAMPA does it with the PDF as destination:
// the issue in one transaction over both archives (numbered and posted when linked), the copy
// stored in the invoice folder, the report laid out over its pages and written as a PDF, the
// temporary print database removed. Also the report of the issued document alone to a PDF,
// beside the same pages drawn by a bare QPdfWriter, and the reprint of a stored copy one of whose lines has a
// description of a million characters without a blank.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ATurni.h"
#include "BenchMain.h"
#include "DocumentoDuecentoRighe.h"
#include "PdfNudo.h"
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
            ArchiviaCopiaDocumento(e->PathArchivioStampa, d.Ambiente.CartellaFatture, d.Parametri.MemorizzaFattura,
                                   e->NomeFileFattura);
        pagine = ReportDocumentoEmesso(e->PathArchivioStampa, report::Pdf, nullptr, pdf).pages.size();
        RimuoviArchivioStampa(e->PathArchivioStampa, copia);
    }
    state.counters["pagine"] = double(pagine);
}
BENCHMARK(BM_EmissioneEPdf200Righe)->ArgName("collegato")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The print database of the 200-line invoice, issued once and kept in a folder of its own.
struct ArchivioStampa200Righe {
    ArchivioStampa200Righe() {
        Installazione& inst = installazione();
        inst.riprendi();
        const EsitoEmissione e = EmissioneDocumento(inst.sessione->db(), inst.documento);
        if (!e.Emesso()) return;
        percorso = QDir(cartella.path()).filePath(e.NomeFileFattura);
        if (!QFile::copy(e.PathArchivioStampa, percorso)) percorso.clear();
        inst.riprendi();
    }
    QTemporaryDir cartella;
    QString percorso;
};

ArchivioStampa200Righe& archivioStampa() {
    static ArchivioStampa200Righe a;
    return a;
}

void BM_PdfFattura200Righe(benchmark::State& state) {
    ArchivioStampa200Righe& a = archivioStampa();
    if (a.percorso.isEmpty()) state.SkipWithError("the document was not issued");
    const QString pdf = QDir(a.cartella.path()).filePath("fattura.pdf");
    size_t pagine = 0;
    for (auto _ : state) pagine = ReportDocumentoEmesso(a.percorso, report::Pdf, nullptr, pdf).pages.size();
    state.counters["pagine"] = double(pagine);
}
BENCHMARK(BM_PdfFattura200Righe)->Unit(benchmark::kMillisecond);

// The report of the document to a PDF, and the pages it drew drawn again by a bare
// QPdfWriter, in turns.
void BM_PdfFattura200RigheAConfronto(benchmark::State& state) {
    ArchivioStampa200Righe& a = archivioStampa();
    if (a.percorso.isEmpty()) state.SkipWithError("the document was not issued");
    const QString pdf = QDir(a.cartella.path()).filePath("fattura.pdf");
    const QString pdfNudo = QDir(a.cartella.path()).filePath("nudo.pdf");
    const report::Document doc = ReportDocumentoEmesso(a.percorso, report::Pdf, nullptr, pdf);
    const bench::PdfNudo nudo(doc);
    bench::ATurni turni;
    for (auto _ : state)
        turni.giro([&] { nudo.scrivi(pdfNudo); }, [&] { ReportDocumentoEmesso(a.percorso, report::Pdf, nullptr, pdf); });
    turni.riporta(state);
    state.counters["pagine"] = double(doc.pages.size());
}
BENCHMARK(BM_PdfFattura200RigheAConfronto)->Unit(benchmark::kMillisecond)->MinTime(3);

// A stored copy of the 200-line invoice kept in a folder of its own, whose first line's
// description is a word of a million characters.
struct CopiaConDescrizioneEnorme {
    CopiaConDescrizioneEnorme() {
        Installazione& inst = installazione();
        inst.riprendi();
        const EsitoEmissione e = EmissioneDocumento(inst.sessione->db(), inst.documento);
        if (!e.Emesso()) return;
        const CopiaDocumento c =
            ArchiviaCopiaDocumento(e.PathArchivioStampa, inst.documento.Ambiente.CartellaFatture, true, e.NomeFileFattura);
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
