// The program's grid on its own, on screen, as the fee-item tab fills it for a case file of
// 2,000 fee items (18,000 cells under a nine-column heading): the grid emptied back to its
// fifteen blank white lines, then grown to the 2,000 rows and every cell written. Also the
// fill alone on a grid already that size, and the emptying alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <array>

#include "BenchMain.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"

namespace {

constexpr int Voci = 2000;
constexpr int Colonne = 9;
constexpr int RigheVuote = 15;
const QString Formato =
    QStringLiteral("^Incarico|^Lavoro|^Codice|^Costo/Antic|^ Add.Unit. |^ % o Qta |^Fatturare |^F.to|^PN");

// The texts of fee item `i`, shaped as the tab shows them.
std::array<QString, Colonne> celle(int i) {
    const auto numero = [](int n) { return QStringLiteral("%1").arg(n, 4, 10, QChar('0')); };
    return {numero(i / 100),
            numero(i / 10 % 10),
            QStringLiteral("Z%1").arg(i % 10),
            i % 3 ? QString() : QStringLiteral("%1,00").arg(50 + i % 7),
            i % 3 == 1 ? QStringLiteral("12,50") : QString(),
            i % 3 == 1 ? QStringLiteral("3") : QString(),
            QStringLiteral("%1,00").arg(10 + i % 97),
            i % 11 ? QString() : QStringLiteral("S"),
            i % 13 ? QString() : QStringLiteral("S")};
}

// The tab's emptying: fifteen lines, the heading, every line blank and white.
void svuota(ui::Grid& g) {
    g.setRows(RigheVuote);
    g.setCols(Colonne);
    g.setRow(0);
    g.setCol(0);
    g.setFormatString(Formato);
    for (int riga = 1; riga < RigheVuote; ++riga) {
        for (int colonna = 0; colonna < Colonne; ++colonna) {
            g.setCellBackColor(riga, colonna, ui::bgr(ui::BgrWhite));
            g.setText(riga, colonna, {});
        }
    }
}

// The tab's fill: one line a fee item under the heading.
void riempi(ui::Grid& g, const std::vector<std::array<QString, Colonne>>& voci) {
    const int n = int(voci.size());
    g.setRows(n + 1);
    g.setCols(Colonne);
    g.setRow(0);
    g.setCol(0);
    g.setFormatString(Formato);
    for (int i = 1; i <= n; ++i)
        for (int colonna = 0; colonna < Colonne; ++colonna) g.setText(i, colonna, voci[size_t(i - 1)][colonna]);
}

struct Griglia {
    Griglia() {
        for (int i = 0; i < Voci; ++i) voci.push_back(celle(i));
        griglia.resize(900, 400);
        griglia.show();
        QApplication::processEvents();
    }
    // Paints what the changes left to paint, as the event loop would.
    void dipingi() { QApplication::processEvents(); }

    std::vector<std::array<QString, Colonne>> voci;
    ui::Grid griglia;
};

void BM_GrigliaSvuotaERiempi2000(benchmark::State& state) {
    Griglia g;
    for (auto _ : state) {
        svuota(g.griglia);
        riempi(g.griglia, g.voci);
        g.dipingi();
    }
    state.counters["celle"] = double((g.griglia.rows() - 1) * g.griglia.cols());
}
BENCHMARK(BM_GrigliaSvuotaERiempi2000)->Unit(benchmark::kMillisecond);

void BM_GrigliaRiscrivi2000(benchmark::State& state) {
    Griglia g;
    riempi(g.griglia, g.voci);
    for (auto _ : state) {
        riempi(g.griglia, g.voci);
        g.dipingi();
    }
}
BENCHMARK(BM_GrigliaRiscrivi2000)->Unit(benchmark::kMillisecond);

void BM_GrigliaSvuota2000(benchmark::State& state) {
    Griglia g;
    for (auto _ : state) {
        state.PauseTiming();
        riempi(g.griglia, g.voci);
        g.dipingi();
        state.ResumeTiming();
        svuota(g.griglia);
        g.dipingi();
    }
}
BENCHMARK(BM_GrigliaSvuota2000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
