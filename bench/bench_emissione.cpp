// The issue of a 200-line invoice: totals and VAT summary, the register number, the journal
// registration, the invoiced marks of the fee items and the print database, in one transaction
// over both archives; linked to the accounting archive (numbered and posted) and not.
#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "DocumentoDuecentoRighe.h"
#include "invoice/engine/EmissioneDocumento.h"

namespace {

bench::DocumentoDuecentoRighe& installazione() {
    static bench::DocumentoDuecentoRighe i;
    return i;
}

void BM_Emissione200Righe(benchmark::State& state) {
    bench::DocumentoDuecentoRighe& inst = installazione();
    DocumentoDaEmettere d = inst.documento;
    d.Ambiente.CollegatoContabilita = state.range(0) != 0;
    int fatturate = 0;
    for (auto _ : state) {
        const std::optional<EsitoEmissione> e = inst.emetti(state, d);
        if (!e) break;
        fatturate = e->CompetenzeFatturate;
    }
    state.counters["competenze"] = fatturate;
}
BENCHMARK(BM_Emissione200Righe)->ArgName("collegato")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
