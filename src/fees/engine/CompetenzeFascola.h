#pragma once
#include <QString>
#include <vector>

#include "foundation/engine/RigaLetta.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// The fee items of a case file (table `competenze`), keyed by client, case number, task, job
// and catalogue element.
struct Competenza {
    QString ntask, njob, elemento;
    Currency importo, addebitounitario, impofat;
    QString fattore;
    bool fatturato = false;
    bool primanota = false;
    // Every stored column as read, in FormaCompetenze() order: a correction or deletion
    // writes back through AggiornaRigaLetta / CancellaRigaLetta with it, so that a fee item
    // shown before another workstation changed or replaced it is never overwritten.
    ValoriLetti letti;
};

// Key (cliente, npra, ntask, njob, elemento) and every other column of `competenze`.
const FormaRiga& FormaCompetenze();

// The case file's fee items ordered by task, job and element. Throws db::DbError.
std::vector<Competenza> CompetenzeDellaFascola(db::Database& archivio, const QString& cliente, const QString& npra);
