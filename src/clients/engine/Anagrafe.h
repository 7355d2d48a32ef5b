#pragma once
// The program's own client registry, table `mpxanagrafe` of the case-file archive: the
// clients of an office that keeps no accounting archive. Every function works on the
// connection it is given (the session), inside the caller's transaction when there is one,
// and throws db::DbError; the registry form runs them under the error handler.
#include <QString>
#include <array>
#include <vector>

#include "platform/db/Value.h"
#include "platform/system/ComboRow.h"

namespace db {
class Database;
}

// The columns of `mpxanagrafe` in their stored order.
inline constexpr std::array<const char*, 10> ColonneAnagrafe = {
    "codice", "ragione", "indirizzo", "indirizzo2", "cap", "localita", "provincia", "stato", "picf", "trasportatore"};

// What the registry form edits of a client.
struct DatiAnagrafica {
    QString codice;
    QString ragione;
    QString indirizzo;
    QString cap;
    QString localita;
    QString provincia;
    QString stato;
    QString picf;
};

// One stored row exactly as it was read, Null included: a correction or deletion finds its
// row again by these values, so that a row changed meanwhile by another workstation is not
// overwritten.
struct RigaAnagrafe {
    std::array<db::Value, ColonneAnagrafe.size()> valori;

    const db::Value& valore(const char* colonna) const;
    // The column as text, "" when Null.
    QString testo(const char* colonna) const;
    // The fields the form shows.
    DatiAnagrafica dati() const;
};

// The clients whose code and name are the ones given, compared whole and ignoring case as
// the archive compares text; an empty criterion selects every value. In code order.
std::vector<RigaAnagrafe> CercaAnagrafiche(db::Database& archivio, const QString& codice, const QString& ragione);

// Every client code, in order, for the code box's list.
std::vector<ui::ComboRow> ElencoCodiciAnagrafe(db::Database& archivio);

bool CodiceAnagraficaEsistente(db::Database& archivio, const QString& codice);

// Whether a case file is kept for the client `codice`.
bool AnagraficaInUso(db::Database& archivio, const QString& codice);

// Adds a client. The two columns the form does not edit, `indirizzo2` and `trasportatore`,
// get one blank. DbError 3022 when the code exists (a second workstation may have added it
// since the check), 3163 when a text is longer than its column.
void InserisciAnagrafica(db::Database& archivio, const DatiAnagrafica& dati);

// Writes the edited fields over the row `letta`; its code, `indirizzo2` and `trasportatore`
// stay as they are. Returns the row as now stored. DbError 3197 when another workstation
// has changed the row since it was read, 3167 when it has deleted it; nothing is written.
RigaAnagrafe CorreggiAnagrafica(db::Database& archivio, const RigaAnagrafe& letta, const DatiAnagrafica& dati);

enum class EsitoCancellazione { Cancellata, InUso };

// Deletes the row `letta` and the client's billing parameters (its `parcli` row and all its
// `elecli` rows, which would otherwise pass to a later client given the same code) unless a
// case file uses the client. The check and the deletions are one write transaction, so a case
// file opened by another workstation in between cannot be left without its client, and a
// failure leaves the client whole. DbError 3197 / 3167 as for a correction.
EsitoCancellazione CancellaAnagrafica(db::Database& archivio, const RigaAnagrafe& letta);
