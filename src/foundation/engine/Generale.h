#pragma once
#include <QString>
#include <optional>

#include "platform/db/DbError.h"
#include "platform/system/Currency.h"

// An amount typed as text: decimal comma; a single "." among the last three characters
// counts as the comma and is rewritten so in the caller's text. Other characters than
// digits, "-" and "," are dropped. A text that still is no number raises the type-mismatch
// error (db::DbError 13), a number beyond the range of Currency the overflow error (6).
Currency ImportoDaTesto(QString& TestoImporto);

// The one rule of the program for a box that must hold an amount, a rate or a percentage: a
// number in figures, as the Italian settings write one (digits, "." between thousands, a
// decimal comma, a leading sign), with blanks around it and a euro sign before or after it;
// one decimal point reads as ImportoDaTesto reads it ("12.50"). "abc", "1.2OO,00" (a letter O
// for a zero), "12 euro" and blanks alone are no number in figures, though ImportoDaTesto
// would pick 0, 12 and 12 out of them.
bool NumeroInCifre(const QString& testo);
// The value of a number in figures: ImportoDaTesto of its figures, the blanks around them and
// the euro sign set aside (so " 2.00 " and "2.00 €" are 2, as "2.00" is); nothing for any
// other text. The overflow error (db::DbError 6) for a number beyond the range of Currency.
std::optional<Currency> ValoreInCifre(const QString& testo);
// The amount an amount box holds: 0 when it is empty, the ValoreInCifre of a number in
// figures; any other text is the type-mismatch error (db::DbError 13), never the figures
// ImportoDaTesto would pick out of it.
Currency ImportoDelBox(const QString& testo);

// Whether `testo` holds a digit.
bool ContieneCifre(const QString& testo);
// Whether `testo` is digits alone, at least one ("30"; not "", "30.5", "-30", " 30").
bool SoloCifre(const QString& testo);

// Not linked, the rate in percent that a VAT code typed as a rate stands for, as an invoice
// line bills it: the figures of a code holding a digit, read as ImportoDaTesto reads an amount
// ("22", "10,5", "12.5" is 12,5, "1.000" a thousand); nothing for a code without digits ("ES",
// a line without VAT) or whose figures cannot be read so ("1-2", or beyond any amount). The
// blanks around the code are no part of it.
std::optional<Currency> AliquotaDigitata(const QString& codice);
// Whether a document may bill a rate in percent: from 0 up to, not including, 100.
bool AliquotaAmmessa(const Currency& percentuale);
// Whether a rate typed as text may be billed: its AliquotaDigitata is AliquotaAmmessa ("22",
// "10,5"; not "150", "-22", "1.000" a thousand, a number too large to read, nor a text
// without figures).
bool AliquotaDigitataAmmessa(const QString& testo);
// The refusal of a rate typed outside those a document may bear.
inline const QString MessaggioAliquotaNonAmmessa =
    QStringLiteral("l'aliquota iva va espressa in valore percentuale positivo <100");

// A date as "yyyy,mm,dd" for DateSerial in SQL text; "" and a message when it is no date.
QString DataPerSql(const QString& TestoData);

// A typed date completed to "dd/mm/yyyy" (dd/mm/yy and ddmmyy take the century 20), or
// "NO_DATA".
QString CompletaData(const QString& TestoData);

// A folder or file named in one of the program's own messages, between double quotes, so that
// a name with blanks, or one that reads like a word of the sentence, stands apart from the
// words around it: La cartella delle fatture "fatture" non esiste.
QString NomeNelMessaggio(const QString& nome);

// Error 75, "path/file access error", naming the file `percorso` that could not be read,
// written, renamed or removed; `seguito` goes after the name (" (perché)").
db::DbError ErroreAccessoFile(const QString& percorso, const QString& seguito = {});

// The folder part of a path with its final separator ("\" or "/"), or "".
QString CartellaDaPercorso(const QString& Percorso);
// A folder without its final separators ("\" and "/" alike, any number of them): the one
// rule of the program for folders the user wrote with or without one. A folder that is only
// a separator (the root) stays as it is.
QString CartellaSenzaSeparatoreFinale(const QString& Cartella);
// The file-name part of a path.
QString NomeFileDaPercorso(const QString& Percorso);

// This computer's network name; when the system does not give one, the first field of the
// file "nome_macchina" in the start folder (created holding "DEFINIRE" when missing, and the
// user told so; when it cannot be written there, the user is told why and what to do instead,
// and the name is "DEFINIRE").
QString NomeMacchina();
// The computer named at the head of a network path, else this computer.
QString MacchinaDelPercorso(const QString& Percorso);
