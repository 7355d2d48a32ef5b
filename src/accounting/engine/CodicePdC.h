#pragma once
#include <QString>

namespace db {
class Database;
}

// Codes of the chart of accounts: "GG.MM.CC.SSSS", group, mastro and conto of two digits
// and sottoconto of four; a level not used is zeros, and codes ending in ".0000" are
// headings.

// The empty account code; also the answer for "no code".
inline const QString CodicePdCVuoto = QStringLiteral("00.00.00.0000");

// The code of a new account under `CodicePadre` in the chart of the accounting archive
// reached through `archivio` (the session, or the accounting archive itself): one above
// the highest code of the level below the parent's first zero level (gaps are not reused);
// the first of the level when only the parent's heading is there. When the level is full
// (99 codes, 9999 sottoconti) it says so, titled "CONTROLLO CODICE PdC", and answers
// CodicePdCVuoto, as it does when the look-up fails or is left through the error handler.
QString NuovoCodicePdC(db::Database& archivio, const QString& CodicePadre);
