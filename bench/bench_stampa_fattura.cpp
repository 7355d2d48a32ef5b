// The issue and print of a 200-line invoice, as STAMPA does it with the PDF as destination:
// the issue in one transaction over both archives (numbered and posted when linked), the copy
// stored in the invoice folder, the report laid out over its pages and written as a PDF, the
// temporary print database removed.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "BenchMain.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/StampaDocumento.h"
#include "invoice/forms/StampaFattura.h"

namespace {

constexpr int Righe = 200;
const QString Cliente = "01.01.01.0001";

struct Installazione {
    Installazione() {
        contab = std::make_unique<AccountingFixture>(cartella.path());
        pathContabile = contab->creaCampione();
        contab->collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
        fascole = std::make_unique<fixtures::CaseFileArchive>(cartella.filePath("fascole.mdb"));
        avvio = cartella.filePath("avvio");
        fatture = cartella.filePath("fatture");
        QDir().mkpath(avvio);
        QDir().mkpath(fatture);

        const char* codici[] = {"20", "10", "4", "E15", "N8", "20", "20", "10"};
        const char* tipi[] = {"X", "C", "A", "X", "X"};
        const char* ricavi[] = {"04.01.01.0001", "04.01.01.0002", "04.01.02.0001"};
        fascole->addCaseFile(Cliente, "0007", "2004-01-02", {{"numpranno", "2004.00017"}});
        db::Transaction t(fascole->db());
        QString taskPrecedente;
        for (int i = 0; i < Righe; ++i) {
            RigaFattura r;
            r.Cliente = Cliente;
            r.Npra = "0007";
            r.Ntask = QString("%1").arg(i / 20 + 1, 4, 10, QChar('0'));
            r.Njob = "0000";
            r.Elemento = QString("%1").arg(i % 20, 3, 10, QChar('0'));
            r.Tipo = tipi[i % 5];
            r.Descrizione = "Competenza numero " + QString::number(i + 1);
            r.CodiceIva = codici[i % 8];
            r.Ricavi = ricavi[i % 3];
            r.Pagamento = "R30";
            r.Impofat = Currency::fromRaw(1234567 + 98765 * i);
            fascole->addFeeItem(r.Cliente, r.Npra, r.Ntask, r.Njob, r.Elemento, {{"impofat", r.Impofat}});
            const int k = documento.RigheFattura.aggiungi(r);
            if (r.Ntask != taskPrecedente)
                documento.RigheVisualizzate.aggiungi({TipoRiga::Incarico, "Incarico " + r.Ntask, k});
            taskPrecedente = r.Ntask;
            documento.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, k});
        }
        t.commit();
        fascole->close();
        sessione = std::make_unique<Sessione>(fascole->path(), pathContabile);

        documento.Fascola = {Cliente, "Rossi Mario", "0007", "2004.00017", "02/01/2004", "RIF", "Nota della fascola"};
        documento.Parametri.DataFattura = "15/01/2004";
        documento.Parametri.RegistroIva = "V";
        documento.Parametri.NumerazioneAutomatica = true;
        documento.Parametri.NumeroDocumento = "1";
        documento.Ambiente = AmbienteLavoro();
        documento.Ambiente.CartellaAvvio = avvio;
        documento.Ambiente.CartellaFatture = fatture;
        documento.Parametri.MemorizzaFattura = true;
        documento.Parametri.RigaTestata1 = "Studio Bianchi";
        documento.Parametri.RigaTestata2 = "Via Manzoni 1 - 20121 Milano";
        AmbienteLavoro().CartellaAvvio = avvio;
        LettoreAliquoteIva aliquote(sessione->db(), true);
        const auto r = CalcoloRiepilogoIva(documento.RigheFattura, aliquote);
        documento.TestoTotale = r->TestoTotale;
        documento.TestoIva = r->TestoIva;
    }

    // The fee items billable again and the start folder empty, ready for the next issue.
    void riprendi() {
        sessione->db().execute("UPDATE competenze SET fatturato = 0, idfattura = NULL");
        for (const QString& c : {avvio, fatture})
            for (const QString& f : QDir(c).entryList(QDir::Files)) QFile::remove(QDir(c).filePath(f));
    }

    QTemporaryDir cartella;
    std::unique_ptr<AccountingFixture> contab;
    std::unique_ptr<fixtures::CaseFileArchive> fascole;
    std::unique_ptr<Sessione> sessione;
    QString pathContabile, avvio, fatture;
    DocumentoDaEmettere documento;
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
        state.PauseTiming();
        inst.riprendi();
        state.ResumeTiming();
        const EsitoEmissione e = EmissioneDocumento(inst.sessione->db(), d);
        if (!e.Emesso()) {
            state.SkipWithError("the document was not issued");
            break;
        }
        const CopiaDocumento copia =
            ArchiviaCopiaDocumento(e.PathArchivioStampa, d.Ambiente.CartellaFatture, d.Parametri.MemorizzaFattura);
        pagine = ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, pdf).pages.size();
        RimuoviArchivioStampa(e.PathArchivioStampa, copia);
    }
    state.counters["pagine"] = double(pagine);
}
BENCHMARK(BM_EmissioneEPdf200Righe)->ArgName("collegato")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
