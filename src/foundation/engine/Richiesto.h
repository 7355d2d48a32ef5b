#pragma once
#include <memory>

#include "platform/db/DbError.h"

// The archive or result a statement works on. When an earlier statement that should have
// opened it failed and the error handler chose to go on, it is missing: error 91, an object
// used before it was set, handed to the handler like any other.
template <class T>
T& Richiesto(T* oggetto) {
    if (!oggetto) throw db::DbError(91, "Variabile oggetto o variabile del blocco With non impostata");
    return *oggetto;
}
template <class T>
T& Richiesto(const std::unique_ptr<T>& oggetto) {
    return Richiesto(oggetto.get());
}
template <class T>
T& Richiesto(const std::shared_ptr<T>& oggetto) {
    return Richiesto(oggetto.get());
}
