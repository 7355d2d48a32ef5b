#pragma once
#include <QString>
#include <QStringList>

// Fascola.ini: one value per line, every line ended by CR LF, in the system's 8-bit code
// page; line 1 the case-file archive, 2 the companies list or "NO", 3 the invoice folder
// or "NO", 4 the version of the program that wrote it.
inline const QString NomeFileIni = QStringLiteral("Fascola.ini");

// The configuration file's path in the start folder.
QString PercorsoFileIni(const QString& CartellaAvvio);

// The values of the file, one whole line each (a comma belongs to the value). A missing
// file or one that cannot be read raises db::DbError (53, 75).
QStringList LeggiFileIni(const QString& PathFileIni);

// Replaces the file with the values given, each written unchanged and ended by CR LF: the
// old file stays whole until the new one takes its name, and that name lasts through a power
// cut once this returns. A file that cannot be written raises db::DbError 75.
void ScriviFileIni(const QString& PathFileIni, const QStringList& valori);
