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

// Creates a new, empty archive at AmbienteLavoro().PathArchivioFascole, all or nothing:
// when any statement fails the file just made is removed again. Failures go to the error
// handler.
void DefinizioneDataBase();

// Brings the archive at AmbienteLavoro().PathArchivioFascole to RevisioneArchivioCorrente
// one step at a time, each step with its revision write in one transaction. An empty
// revision table or a revision outside the chain is reported and nothing is changed.
void VerificaRevisioneDb();
