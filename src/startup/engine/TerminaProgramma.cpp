#include "startup/engine/TerminaProgramma.h"

#include <cstdlib>

namespace {
std::function<void()> gTerminazione;
}

void TerminaProgramma() {
    if (gTerminazione) gTerminazione();
    // The start-up runs inside the main window's construction, before any event loop: only
    // leaving the process stops every further step and leaves no window open.
    std::exit(EXIT_SUCCESS);
}

void ImpostaTerminazione(std::function<void()> terminazione) { gTerminazione = std::move(terminazione); }
