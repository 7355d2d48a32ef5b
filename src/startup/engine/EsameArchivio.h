#pragma once
#include <QString>
#include <functional>
#include <memory>

namespace db {
class Database;
}

// What lies at the path of the case-file archive, looked at before the program opens or
// creates it there, so that a path that can serve neither is told in plain words instead of
// through the errors of the opening or of the creation.
struct EsameArchivio {
    enum class Esito {
        Archivio,          // a file the program can open as its archive
        DaCreare,          // no file yet, in a folder where it can be created
        CartellaMancante,  // no file, and its folder does not exist (yet)
        Inutilizzabile,    // neither: `motivo` says why
    };
    Esito esito = Esito::Inutilizzabile;
    // The folder the archive lies or would lie in, as the path writes it (without its final
    // separator); the folder as this computer reaches it when the path names none.
    QString cartella;
    // Why the path serves neither to open nor to create the archive, in the program's words,
    // as the end of a sentence ("è una cartella, non un file"); for CartellaMancante, that the
    // folder does not exist or is not reached.
    QString motivo;
};

// How an existing file is opened to be looked at: a connection of its own unless the caller
// gives one it goes on working with (the start-up, the session's), so that the file is not
// opened twice.
using AperturaArchivio = std::function<std::shared_ptr<db::Database>(const QString& percorso)>;

// Looks at `Percorso` (a path as the program stores it). An existing file counts as an
// archive when it can be read as one and holds the revision table every archive has, or all
// the archive's other tables when the revision table alone is missing; one
// held by another workstation at that moment counts as an archive (whoever opens it waits
// for it). A missing file can be created where a file can be written in its folder; a
// missing folder under a computer's share that is not reached, or under a file, is no folder
// that could be made.
EsameArchivio EsaminaArchivio(const QString& Percorso, const AperturaArchivio& apri = {});

// Makes the folder of an archive found CartellaMancante; false when it could not be made.
bool CreaCartellaArchivio(const QString& Percorso);
