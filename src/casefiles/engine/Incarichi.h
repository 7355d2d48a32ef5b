#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "foundation/engine/RigaLetta.h"

namespace db {
class Database;
}

// The tasks of a case file (table `task`), numbered "0001" upward within the case file.
struct Incarico {
    QString ntask;
    QDate data;  // the activation date; null for none
    QString titolo;
    QString camponote;
    bool stato = true;  // open
    // The stored values it was read with (empty for a task not stored yet).
    ValoriLetti letti;
};

enum class EsitoAggiunta { Aggiunta, NumerazioneEsaurita };
enum class EsitoCancellazioneIncarico { Cancellato, HaLavorazioni, HaCompetenze };

// Every call throws db::DbError; corrections and deletions 3167 or 3197 when the task is no
// longer as it was read.

// The case file's tasks in number order.
std::vector<Incarico> IncarichiDellaFascola(db::Database& archivio, const QString& cliente, const QString& npra);
// The task `ntask` of the case file; nothing when there is none.
std::optional<Incarico> LeggiIncarico(db::Database& archivio, const QString& cliente, const QString& npra,
                                      const QString& ntask);
// Stores `nuovo` under the next number of the case file (read and inserted in one write
// transaction); `nuovo` then holds its number and stored values.
EsitoAggiunta AggiungiIncarico(db::Database& archivio, const QString& cliente, const QString& npra, Incarico& nuovo);
// Rewrites date, title, notes and state of the task as read; the key never changes.
void CorreggiIncarico(db::Database& archivio, Incarico& letto, const Incarico& dati);
// Deletes the task as read, unless jobs or fee items belong to it (checked in the same write
// transaction).
EsitoCancellazioneIncarico CancellaIncarico(db::Database& archivio, const Incarico& letto);
