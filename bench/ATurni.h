#pragma once
// The program's operation and its raw counterpart timed in turns, one of each a loop, so that
// both meet the same load of the machine: "grezzo_ms" and "nostro_ms" a loop, and "rapporto",
// the program's time over the raw time.
#include <benchmark/benchmark.h>

#include <chrono>

namespace bench {

class ATurni {
public:
    template <class Grezza, class Nostra>
    void giro(Grezza grezza, Nostra nostra) {
        const auto t0 = Orologio::now();
        grezza();
        const auto t1 = Orologio::now();
        nostra();
        const auto t2 = Orologio::now();
        grezzo_ += t1 - t0;
        nostro_ += t2 - t1;
    }

    void riporta(benchmark::State& state) const {
        const double n = double(state.iterations());
        state.counters["grezzo_ms"] = std::chrono::duration<double, std::milli>(grezzo_).count() / n;
        state.counters["nostro_ms"] = std::chrono::duration<double, std::milli>(nostro_).count() / n;
        state.counters["rapporto"] = double(nostro_.count()) / double(grezzo_.count());
    }

private:
    using Orologio = std::chrono::steady_clock;
    Orologio::duration grezzo_{}, nostro_{};
};

}  // namespace bench
