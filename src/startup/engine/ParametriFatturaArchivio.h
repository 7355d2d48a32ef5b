#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class Procedura;
struct ParametriFatturaRec;
namespace db {
class Database;
}

// The financial years a company's folder offers: characters 7 to 10 of the name of each
// accounting archive ("00007_2003.mdb" gives 2003), in name order, each year once; the
// package's "filc" archive is no year.
QStringList EserciziDaArchivi(const QString& cartellaDitta);

// The folder of the company `acronimo` in the companies list `pathDitte`, its "Dove"
// followed by its "Acronimo"; `cartella` stays empty when the list has no such company.
// Statements run under `proc`; false when the procedure was left.
bool CartellaDitta(Procedura& proc, const QString& pathDitte, const QString& acronimo,
                   std::optional<QString>& cartella);

// Writes the parameters `p` into the single AmbienteFascola row of the case-file archive
// reached through `archivio`; a new row gets empty notes, an existing one keeps its notes.
// Statements run under `proc`; false when the procedure was left.
bool MemorizzaParametriFattura(db::Database& archivio, Procedura& proc, const ParametriFatturaRec& p);

// The main window's caption after the parameters have been confirmed: the company and the
// year follow while the accounting link is on.
QString TitoloParametriConfermati();
