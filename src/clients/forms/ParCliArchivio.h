#pragma once
#include <QString>
#include <functional>

#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"

namespace parcli {

// Runs `lavoro` on the session under the error handler with the description `descrizione`;
// true when it was carried out.
inline bool InArchivio(const QString& descrizione, const std::function<void(db::Database&)>& lavoro) {
    Procedura proc(descrizione);
    return proc.essenziale([&] { lavoro(*ArchivioInUso()); });
}

// The session for a command that handles its own errors; nullptr, after the error handler,
// when the archives cannot be opened.
inline Connessione ArchivioAperto(const QString& descrizione) {
    Connessione archivio;
    Procedura proc(descrizione);
    proc.essenziale([&] { archivio = ArchivioInUso(); });
    return archivio;
}

}  // namespace parcli
