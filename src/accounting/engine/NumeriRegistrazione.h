#pragma once
#include <QString>

namespace db {
class Database;
}

// Registration numbers of the journal of the accounting archive: whole numbers from 1 to
// 32767 counted per date, carried as five-digit text ("00012"). A number is reserved (a
// `giornalenumero` row not confirmed), then used by a journal header and confirmed by the
// posting. Both routines run on `archivio` (the session, or a connection to the accounting
// archive itself), inside the caller's transaction when there is one.

// "No number": what a request gives when the date has no number left or a failure was left
// through the error handler. A posting refuses it.
inline const QString NessunNumeroRegistrazione = QStringLiteral("00000");

// The highest number recorded for DataRegistrazione (a date dd/mm/yyyy) plus one, reserved
// in `giornalenumero` in the same write transaction that read the highest one, so that two
// workstations never reserve the same number. Numbers below the highest are not handed out
// again. A date whose highest number is 32767 gets a message and NessunNumeroRegistrazione.
QString AssegnaNumeroRegistrazione(db::Database& archivio, const QString& DataRegistrazione);

// NumeroRegistrazione (leading zeros optional) as five-digit text when no journal header of
// DataRegistrazione carries it; otherwise a number newly reserved for that date.
QString ControlloNumeroRegistrazione(db::Database& archivio, const QString& DataRegistrazione,
                                     const QString& NumeroRegistrazione);
