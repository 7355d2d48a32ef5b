#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "foundation/engine/RigaLetta.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// The key of a fee item: a catalogue element stands at most once under each task and job of
// a case file; task and job "0000" mean none.
struct ChiaveCompetenza {
    QString cliente, npra, ntask, njob, elemento;

    bool operator==(const ChiaveCompetenza&) const = default;
};

// The fee items of a case file (table `competenze`), keyed by client, case number, task, job
// and catalogue element. Null texts read as empty texts, Null amounts and flags as 0.
struct Competenza {
    QString cliente, npra, ntask, njob, elemento;
    QString descrizione;
    QDate data;  // null when none is stored
    Currency importo, addebitounitario, impofat;
    QString fattore;
    bool primanota = false;
    QString darepn, averepn, idpn;
    bool fatturato = false;
    QString ricavi, idfattura;
    bool spuntato = false;
    QString pagamento;
    // Every stored column as read, in FormaCompetenze() order: a correction or deletion
    // writes back through AggiornaRigaLetta / CancellaRigaLetta with it, so that a fee item
    // shown before another workstation changed or replaced it is never overwritten.
    ValoriLetti letti;

    ChiaveCompetenza chiave() const { return {cliente, npra, ntask, njob, elemento}; }
};

// Key (cliente, npra, ntask, njob, elemento) and every other column of `competenze`.
const FormaRiga& FormaCompetenze();

// The case file's fee items ordered by task, job and element. Throws db::DbError.
std::vector<Competenza> CompetenzeDellaFascola(db::Database& archivio, const QString& cliente, const QString& npra);

// The fee item of `chiave` as it is stored now; nothing when there is none. Throws
// db::DbError.
std::optional<Competenza> LeggiCompetenza(db::Database& archivio, const ChiaveCompetenza& chiave);
