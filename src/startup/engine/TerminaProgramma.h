#pragma once
#include <functional>

// The start-up ends the whole program at once in two cases (no configuration written, a
// newer program recorded in it). Both go through here, so that tests can watch the end
// instead of losing their process: a test installs a function that throws.
[[noreturn]] void TerminaProgramma();

// Replaces what TerminaProgramma does; an empty function restores the real end of the
// process. An installed function that returns still ends the process.
void ImpostaTerminazione(std::function<void()> terminazione);
