#pragma once
#include <QString>

// Where the accounting archive of the configured company and year lies.

// Sets AmbienteLavoro().PathArchivioContabile from the companies list for
// ParametriFattura().Ditta and .Esercizio, then reads the archive's parameters. A company
// that is not in the list, or whose archive file for the year is missing, switches the
// link off without a word; when the link is off nothing is opened and the path is "".
void DefinizionePathNameZolpa();

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
