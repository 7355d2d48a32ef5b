#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "casefiles/engine/Incarichi.h"

// The jobs and documents of a task (table `job`), numbered "0001" upward within the task.
struct Lavorazione {
    QString njob;
    QString tipo = "L";  // "D" document, anything else a job (work done)
    QString descrizione;
    QDate data;
    // The pointer to the document: a file name ("P") or an index number ("I", also when there
    // is no pointer). Stored and shown, nothing else.
    QString idpuntatore = "I";
    QString puntatore;
    // The stored values it was read with (empty for a job not stored yet).
    ValoriLetti letti;
};

enum class EsitoCancellazioneLavorazione { Cancellata, HaCompetenze };

// Every call throws db::DbError; corrections and deletions 3167 or 3197 when the job is no
// longer as it was read.

// The task's jobs in number order.
std::vector<Lavorazione> LavorazioniDellIncarico(db::Database& archivio, const QString& cliente, const QString& npra,
                                                 const QString& ntask);
// The job `njob` of the task; nothing when there is none.
std::optional<Lavorazione> LeggiLavorazione(db::Database& archivio, const QString& cliente, const QString& npra,
                                            const QString& ntask, const QString& njob);
// Stores `nuova` under the next number of the task (read and inserted in one write
// transaction); `nuova` then holds its number and stored values.
EsitoAggiunta AggiungiLavorazione(db::Database& archivio, const QString& cliente, const QString& npra,
                                  const QString& ntask, Lavorazione& nuova);
// Rewrites type, description, date and pointer of the job as read; the key never changes.
void CorreggiLavorazione(db::Database& archivio, Lavorazione& letta, const Lavorazione& dati);
// Deletes the job as read, unless fee items belong to it (checked in the same write
// transaction).
EsitoCancellazioneLavorazione CancellaLavorazione(db::Database& archivio, const Lavorazione& letta);
