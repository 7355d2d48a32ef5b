// The amounts of a 200-line invoice as the issue works them out: totals and VAT summary,
// both withholdings and the stamp duty, with a reader of its own for each issue (so every
// VAT code is read from the archive again), linked to the accounting archive and not.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>

#include "BenchMain.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/ImportiDocumento.h"
#include "platform/system/Paths.h"

namespace {

constexpr int Righe = 200;

struct Fattura {
    Fattura() {
        contab = std::make_unique<AccountingFixture>(cartella.path());
        const QString pathContabile = contab->creaCampione();
        fascole = std::make_unique<fixtures::CaseFileArchive>(cartella.filePath("fascole.mdb"));
        db::Database& s = fascole->db();
        s.execute("ATTACH DATABASE ? AS contabile", {sys::LocalPath(pathContabile)});
        s.execute("DELETE FROM contabile.ivacodici");
        const struct {
            const char* codice;
            int aliquota;
        } codici[] = {{"22", 2200}, {"10", 1000}, {"4", 400}, {"E15", 0}, {"N8", 0}};
        for (const auto& c : codici)
            s.execute("INSERT INTO contabile.ivacodici (codice, descrizione, aliquota) VALUES (?, 'Aliquota', ?)",
                      {c.codice, c.aliquota});

        const char* codiciRiga[] = {"22", "10", "4", "E15", "N8", "XX", "22", "22"};
        const char* tipi[] = {"X", "C", "A", "X", "X"};
        for (int i = 0; i < Righe; ++i) {
            RigaFattura r;
            r.cliente = "01.01.01.0001";
            r.npra = "0001";
            r.ntask = QString("%1").arg(i / 20 + 1, 4, 10, QChar('0'));
            r.njob = "0000";
            r.elemento = "E" + QString::number(i % 30);
            r.Tipo = tipi[i % 5];
            r.CodiceIva = codiciRiga[i % 8];
            r.impofat = Currency::fromRaw(1234567 + 98765 * i);  // 123,4567 and up
            righe.aggiungi(r);
        }
        parametri.RitenutaAcconto = true;
        parametri.CriterioRA = "3";
        parametri.RAPercImponibile = "100";
        parametri.RitAccPerc = "20";
        parametri.AltreRitenute = true;
        parametri.AltreRitCriterio = "2";
        parametri.AltreRitPercImponibile = "50";
        parametri.AltreRitPerc = "4";
        parametri.AltreRitTesto = "Contributo";
        parametri.Bollo = true;
        parametri.CriterioBollo = "2";
        parametri.SogliaBollo = "77,47";
        parametri.ImportoBollo = "2,00";
    }

    QTemporaryDir cartella;
    std::unique_ptr<AccountingFixture> contab;
    std::unique_ptr<fixtures::CaseFileArchive> fascole;
    TabellaRigheFattura righe;
    ParametriFatturaRec parametri;
};

Fattura& fattura() {
    static Fattura f;
    return f;
}

void BM_ImportiFattura200Righe(benchmark::State& state) {
    Fattura& f = fattura();
    const bool collegato = state.range(0) != 0;
    Currency totale;
    int gruppi = 0;
    for (auto _ : state) {
        LettoreAliquoteIva aliquote(f.fascole->db(), collegato);
        const auto importi = CalcoloImportiDocumento(f.righe, f.parametri, aliquote);
        if (!importi) state.SkipWithError("VAT summary failed");
        totale = importi->TotaleDocumento;
        gruppi = importi->Riepilogo.NumeroGruppiIva();
        benchmark::DoNotOptimize(totale);
    }
    state.counters["gruppi"] = gruppi;
    state.counters["totale"] = totale.toDouble();
}
BENCHMARK(BM_ImportiFattura200Righe)->ArgName("collegato")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
