#pragma once
#include <QString>

#include "accounting/engine/CodicePdC.h"

#include <functional>
#include <optional>

namespace db {
class Database;
}

// The answer for an empty code field.
inline const QString CodicePdCNonDigitato = QStringLiteral("00.00.00.0001");

// What the user typed into a chart-of-accounts code field, as a code of the accounting
// archive reached through `archivio` (the session, or the accounting archive itself),
// "GG.MM.CC.SSSS"; CodicePdCVuoto when the text was refused (after a message titled
// "CONTROLLO CODICE PdC") or nothing was chosen, CodicePdCNonDigitato when it was empty.
//
// Accepted: a code with any separators, each level's digits ending at a separator or when
// the level is full ("1.2.3.4", "0102030004"); the compact "GMCCSSS" ("1230004" is
// 01.02.30.0004); a mnemonic word (a letter first, up to 10 letters and digits, a final "*"
// for every word that begins so), one match taken at once, several offered in the picker;
// "?", which opens the picker over the whole chart; a final "+", which asks for a new code
// under the typed one (a lone "+" for a new group). A numeric code must find its parent
// levels (conto, mastro, gruppo) in the chart; the code itself is not looked up.
//
// CodiceDigitato is rewritten as the caller's text of the field: upper case; after "?" the
// code chosen; a mnemonic cut to 10 characters; without its final "+" (a lone "+" becomes
// the new group's code); the compact form written with its points; a numeric code padded
// with blanks to 13 characters.
//
// Where the user must choose, `Scelta` shows the chart-of-accounts picker over the accounts of
// a mnemonic word (all accounts for an empty word) and gives the text of the field after it,
// or nothing when the picker was left without a choice.
using ScegliConto = std::function<std::optional<QString>(const QString& Parola)>;
QString NormalizzaCodicePdC(db::Database& archivio, QString& CodiceDigitato, const ScegliConto& Scelta);

// The same with the archive reached only when a look-up needs it (a word, a parent level, a
// new code): `Archivio` gives it, or nullptr when it cannot be had (the caller has said why),
// and the answer is then CodicePdCVuoto. A code without parent levels ("01") needs none.
using ArchivioPerCodice = std::function<db::Database*()>;
QString NormalizzaCodicePdC(const ArchivioPerCodice& Archivio, QString& CodiceDigitato, const ScegliConto& Scelta);
