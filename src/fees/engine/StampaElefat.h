#pragma once
#include <QString>

namespace db {
class Database;
}

// The print database of the catalogue's printed list, "SDBEleFat.mdb" in the start folder,
// read by the report "Stp_elefat.rpt":
// - `titolo`: one row, `titolo` "Elenco Elementi per fatturazione ", `Nome` (the caller's
//   heading), `ditta` empty, `esercizio` one blank;
// - `Dati`: one row per catalogue element in code order, `id` numbered in that order,
//   `codice`, `descrizione`, `tipo`, `importo` formatted "###,###,##0.00" (Italian
//   separators), and `iva`, `ivacee`, `ricavi` as code, " - ", description: the VAT codes'
//   descriptions from `ivacodici`, the revenue account's (first 30 characters) from
//   `pianodeiconti`, only when the accounting archive is linked; a code it does not know,
//   or no link, leaves the text ending in " - ". A text longer than its column is cut to
//   the column's width.
// The file is kept between prints: each print empties both tables and writes them again.

inline const QString NomeArchivioStampaElefat = QStringLiteral("SDBEleFat.mdb");
inline const QString TitoloStampaElefat = QStringLiteral("Elenco Elementi per fatturazione ");

struct ArchivioStampaElefat {
    QString path;             // full path of the print database
    bool collegato = false;   // accounting archive linked: look the descriptions up
    QString nome;             // `titolo.Nome`
};

// Writes the print database from the catalogue of the case-file archive `archivio` (on
// which, when linked, the accounting archive's tables are reached by their own names).
// Creates the file and its tables when they are missing. The whole rewrite is one
// transaction of the print database: a failure leaves it as the last complete print left
// it. Returns the number of elements written; 0 for an empty catalogue, which still leaves
// the title row. Throws db::DbError.
int ScriviArchivioStampaElefat(db::Database& archivio, const ArchivioStampaElefat& stampa);
