#pragma once
#include <functional>

#include "foundation/Procedura.h"

// Runs one statement of `proc` that the rest of the procedure cannot do without: true only
// when it was carried out. A statement the error handler let the user skip counts as not
// done, so that the procedure stops instead of going on from a state that does not exist
// (an archive not opened, a number never read, a counter never written).
inline bool Essenziale(Procedura& proc, const std::function<void()>& istruzione) {
    bool eseguita = false;
    proc.esegui([&] {
        istruzione();
        eseguita = true;
    });
    return eseguita;
}
