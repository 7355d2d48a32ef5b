#pragma once
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "platform/db/Schema.h"

namespace db {
class Database;
}

// The case-file archive: its schema, stated once here, its creation and the upgrade of
// archives written by earlier releases.

// The revision that SchemaArchivioFascole() describes: what a new archive records and what
// the upgrade brings an older one to.
inline const QString RevisioneArchivioCorrente = QStringLiteral("030104");

// The archive's ten tables at the current revision, in the order they are created.
const std::vector<db::Table>& SchemaArchivioFascole();

// The archive's indexes besides the tables' keys, as statements that make each one unless it
// is there: the fee items of a document by its identifier (a reprint, a cancel, the check that
// an identifier is free) and by the number and year it holds (the check that no document of
// the year bears a number). Indexes change nothing of what the archive holds: every release
// reads an archive with or without them.
const std::vector<std::string>& IndiciArchivioFascole();

// The table of the documents issued, which an archive holds besides the ten tables of its
// revision: one row for each document an issue committed, whatever its lines bill, keyed by the
// client code and the document's `idfattura`, so that a client has one document of each
// identifier; with the document letter and the registration part of its file name ("00000"
// when it was not posted). It is made, with its index on the number and year the identifier
// holds, unless it is there (IstruzioniDocumentiEmessi): by the creation of an archive and by
// the upgrade at every start, so that an archive written by an earlier release gets it. Like the
// indexes it changes nothing of the tables of the revision: every release reads an archive
// with or without it.
const db::Table& TabellaDocumentiEmessi();
const std::vector<std::string>& IstruzioniDocumentiEmessi();

// The column of the table of the documents issued that says whether the document billed fee
// items (yes/no, no by default): the table made by an earlier release lacks it.
db::Column ColonnaCompetenzeFatturate();
// The condition, on a row of `DocumentiEmessi` named by the table's name, that a fee item still
// carries the record's identifier.
extern const char* const CompetenzeDelDocumentoEmesso;
// Adds the column to the table of the documents issued that lacks it, with the column's
// default for the rows an earlier release writes, in one write transaction: a record whose
// fee items carry its identifier is of a document that billed them; any other is taken for a
// document of typed lines. Nothing is written when the column is there. Throws db::DbError.
void CompletaDocumentiEmessi(db::Database& archivio);

// One column of one table, as an upgrade step adds or drops it.
struct ColonnaArchivio {
    std::string tabella;
    db::Column colonna;
};

// One step of the revision chain: the changes that bring an archive from revision `da` to
// revision `a`. Its columns are added at the end of their tables in this order, then its
// data are converted, then the columns it drops (each one an earlier step added) go.
struct PassoRevisione {
    QString da;
    QString a;
    std::vector<ColonnaArchivio> aggiunte;
    std::vector<ColonnaArchivio> tolte;
    std::function<void(db::Database&)> conversione;  // empty when the data stay as they are
};

// The chain from the oldest known revision to RevisioneArchivioCorrente, in order.
const std::vector<PassoRevisione>& PassiRevisioneArchivio();

// Creates a new, empty archive at AmbienteLavoro().PathArchivioFascole, all or nothing: it is
// built under another name (NomeArchivioInCostruzione) and given its own name only when
// complete, so that a failure, or the program stopped half-way, leaves no archive rather
// than half of one that would stop every later start. When a statement fails the file being
// built is removed. An archive that appeared under the name meanwhile (another workstation
// made it) is kept, and this one is given up with the error 3204. The program's session is
// closed first: it must not stay on a file that the new one replaces. Failures go to the
// error handler.
void DefinizioneDataBase();

// The name under which the archive `Percorso` is built: beside it, named after this computer
// and this process (sys::TemporaryName), so that no two workstations ever build on the same
// file. A creation removes the files of such names (and their journals) that a process of this
// computer no longer running left beside `Percorso`.
QString NomeArchivioInCostruzione(const QString& Percorso);

// Brings the case-file archive reached through `archivio` (the session) to
// RevisioneArchivioCorrente one step at a time, each step with its revision write in one
// transaction, then adds the table of the documents issued (IstruzioniDocumentiEmessi, then
// CompletaDocumentiEmessi) and the indexes (IndiciArchivioFascole) it lacks. An empty revision
// table or a revision outside the chain is reported and nothing is changed. A revision table
// that cannot be read (one dropped) goes to the error handler: left, nothing is changed;
// skipped, the archive keeps its revision and only the table of the documents issued and the
// indexes are made.
void VerificaRevisioneDb(db::Database& archivio);
