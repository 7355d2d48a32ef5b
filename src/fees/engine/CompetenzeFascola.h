#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "fees/engine/Competenza.h"
#include "foundation/engine/RigaLetta.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// A fee item of a case file as read, with every stored column as read, in FormaCompetenze()
// order: a correction or deletion writes back through AggiornaRigaLetta / CancellaRigaLetta
// with it, so that a fee item shown before another workstation changed or replaced it is
// never overwritten.
struct CompetenzaLetta : Competenza {
    ValoriLetti letti;
};

// Key (cliente, npra, ntask, njob, elemento) and every other column of `competenze`.
const FormaRiga& FormaCompetenze();

// The case file's fee items ordered by task, job and element. Throws db::DbError.
std::vector<CompetenzaLetta> CompetenzeDellaFascola(db::Database& archivio, const QString& cliente,
                                                    const QString& npra);

// The fee item of `chiave` as it is stored now; nothing when there is none. Throws
// db::DbError.
std::optional<CompetenzaLetta> LeggiCompetenza(db::Database& archivio, const ChiaveCompetenza& chiave);
