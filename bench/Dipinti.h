#pragma once
// The painted benchmarks: a window painted as the event loop paints it, and what it painted
// put among a benchmark's counters.
#include <benchmark/benchmark.h>

#include <QWidget>

#include "support/Dipinti.h"

namespace bench {

using dipinti::dipingi;
using dipinti::Registro;

// What `registro` counted over `iterazioni` runs into the benchmark's counters, each run's
// share: paint events ("dipinti"), pixels painted ("pixel_dipinti"), widgets asked to lay
// themselves out ("disposizioni"); and the pixels of `finestra` once ("pixel_finestra"), against which the
// pixels painted read as so many screenfuls.
inline void riporta(benchmark::State& state, const Registro& registro, double iterazioni, const QWidget& finestra) {
    state.counters["dipinti"] = double(registro.eventi) / iterazioni;
    state.counters["pixel_dipinti"] = double(registro.pixel) / iterazioni;
    state.counters["disposizioni"] = double(registro.disposti.size()) / iterazioni;
    state.counters["pixel_finestra"] = double(finestra.width()) * finestra.height();
}

}  // namespace bench
