#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace db {
class Database;
}

// Where the accounting archive of the configured company and year lies.

// Sets AmbienteLavoro().PathArchivioContabile from the companies list for
// ParametriFattura().Ditta and .Esercizio, then reads the archive's parameters on the
// program's session, which from then on has it attached (ArchivioInUso). A company that is
// not in the list, or whose archive file for the year is missing, switches the link off
// without a word; when the link is off nothing is opened and the path is "".
void DefinizionePathNameZolpa();

// The companies list of the accounting package, `ditte.mdb`: a file of its own, read only to
// find a company's folder. It is no part of the session; every reading of it goes through
// here, on a connection that lasts as long as the reading.

// A connection to the companies list at `PathDitte`. db::DbError when it cannot be opened.
std::unique_ptr<db::Database> ApriArchivioDitte(const QString& PathDitte);

// The acronyms of the companies in the list, in order. db::DbError when it cannot be read.
QStringList AcronimiDitte(const QString& PathDitte);

// The company `Acronimo` of the list (compared without regard to case): its folder, "Dove"
// followed by "Acronimo" as the list writes them, and its number; nothing when the list has
// no such company. db::DbError when the list cannot be read.
struct DittaContabile {
    QString cartella;
    QString dove;
    QString acronimo;
    QString id;
};
std::optional<DittaContabile> LeggiDitta(const QString& PathDitte, const QString& Acronimo);

// The archive file of a company for a year: Dove (a folder ending in "\") & Acronimo & "\"
// & the last five digits of the zero-padded company number & "_" & Esercizio & ".mdb".
QString NomeArchivioContabile(const QString& Dove, const QString& Acronimo, const QString& IdDitta,
                              const QString& Esercizio);

// A path read from a companies list kept on another computer names one of that computer's
// drives; this computer reaches it through the share named after the drive letter:
// C:\CONTAB\x.mdb on SERVER becomes \\SERVER\C\CONTAB\x.mdb. The machine names are compared
// exactly, case included. A path already in network form stays as it is.
QString PercorsoDiRete(const QString& Percorso, const QString& MacchinaLocale,
                       const QString& MacchinaArchivioDitte);
