#pragma once
#include <QString>
#include <memory>

#include "platform/db/Database.h"

class Procedura;

// The schema name under which the accounting archive is attached to the session.
inline constexpr const char* SchemaContabile = "contabile";

// The program's one connection to its archives while they are in use: the case-file archive,
// and, while the accounting link is on, the company's accounting archive attached to it. Every
// engine operation runs on the connection it is given and inside the caller's transaction
// when there is one, so that numbering a document, posting it and marking its fee items
// commit or fail together over both files. The two archives' table names never coincide, so
// a table is reached by its name alone whichever file holds it. Both files are kept on the
// rollback journal (db::Database refuses them otherwise): only there is a transaction over
// two files atomic.
class Sessione {
public:
    // Opens the case-file archive; attaches the accounting archive when its path is given.
    // db::DbError when a file cannot be opened.
    explicit Sessione(const QString& pathFascole, const QString& pathContabile = {});

    db::Database& db() { return *db_; }
    // A hold on the connection: it stays open while the hold lives, past the session.
    std::shared_ptr<db::Database> connessione() const { return db_; }
    const QString& pathFascole() const { return pathFascole_; }
    // The accounting archive attached, empty when none.
    const QString& pathContabile() const { return pathContabile_; }

    // Attaches `pathContabile` in place of the one attached (empty: none). db::DbError when
    // the file cannot be attached; the session then has none.
    void collega(const QString& pathContabile);

private:
    std::shared_ptr<db::Database> db_;
    QString pathFascole_;
    QString pathContabile_;
};

// A hold on the session's connection. The connection stays open while any hold on it lives,
// even after the session has moved to other archives (the paths changed, or ChiudiSessione()):
// whoever holds it goes on working on the archive it took, never on a closed connection. The
// accounting archive attached to it is the one the session attached last, and the session may
// change it (never inside a transaction).
using Connessione = std::shared_ptr<db::Database>;

// The program's session on the archives AmbienteLavoro() names: opened at first use and kept,
// so that showing a case file opens no connection; opened again, or the accounting archive
// attached again, when the paths or the link have changed since (the linking and parameters
// dialogs change them). db::DbError when the case-file archive cannot be opened: callers run
// it under their Procedura like any other statement. An accounting archive that cannot be
// attached does not stop the work on case files: the session goes on without it, the attach
// is tried again at the next call, and ArchivioContabileInUso() tells why it is missing.
// Changing the paths while a transaction is open on the session is a fault of the program
// (std::logic_error): the transaction would be lost. Take the session at the start of each
// operation: a hold kept across the start-up (DefinizioneValoriDefault), the linking or
// parameters dialogs or an archive's creation would go on reading the archive it took.
Connessione ArchivioInUso();

// The same, as an essential statement of `proc`: empty when the archives could not be opened
// and the user did not retry until they were (the handler has said why).
Connessione ArchivioInUso(Procedura& proc);

// The session, for work that reads or writes the accounting archive: while the link is on,
// db::DbError (why the attach failed) when that archive is not attached.
Connessione ArchivioContabileInUso();
Connessione ArchivioContabileInUso(Procedura& proc);

// Lets the archives go: before a file is replaced, and at the end of a test.
void ChiudiSessione();
