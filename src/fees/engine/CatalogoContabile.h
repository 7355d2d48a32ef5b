#pragma once
// The catalogue's codes that belong to the linked accounting archive: VAT codes
// (`ivacodici`), chart-of-accounts codes (`pianodeiconti`) and payment codes
// (`codicipagamento`). The catalogue form shows each as a description the user picks and a
// code beside it; these look-ups turn one into the other. They run on the session, on which
// the accounting archive's tables are reached by their own names while the link is on, and
// throw db::DbError for the caller to run under its own error-handler text.
#include <QString>
#include <optional>
#include <vector>

#include "platform/system/ComboRow.h"

namespace db {
class Database;
}

struct CodiceIva {
    QString codice;
    QString descrizione;
    double aliquota = 0;  // the rate times 100: 2000 is 20 %
};

// The first VAT code described as `descrizione`; nothing when none is.
std::optional<CodiceIva> IvaDaDescrizione(db::Database& archivio, const QString& descrizione);
// The VAT code `codice`; nothing when there is none.
std::optional<CodiceIva> IvaDaCodice(db::Database& archivio, const QString& codice);

// What the VAT label beside the combo shows: the code, " (", the whole rate in percent with
// a blank for its sign, "%)": code 20 at 2000 is "20 ( 20%)", a rate of 10.5 % shows 10.
QString DidascaliaIva(const CodiceIva& iva);
// The code a VAT label shows: the text before " (", without blanks around it; a label
// holding no " (" is a code by itself.
QString CodiceDaDidascaliaIva(const QString& didascalia);

struct ContoPdC {
    QString codice;
    QString descrizione;
};
// The account `codice` of the chart of accounts; nothing when there is none.
std::optional<ContoPdC> ContoDaCodice(db::Database& archivio, const QString& codice);
// The account `codice` when it is a sottoconto, one a posting may use (no heading ending in
// ".0000"); nothing otherwise.
std::optional<ContoPdC> SottocontoDaCodice(db::Database& archivio, const QString& codice);

// The code of the first payment term described as `descrizione`; nothing when none is.
std::optional<QString> PagamentoDaDescrizione(db::Database& archivio, const QString& descrizione);
// The description of the payment term `codice`; nothing when there is none.
std::optional<QString> DescrizioneCodicePagamento(db::Database& archivio, const QString& codice);

// Not linked, a payment term is a number of days: the leading number of a numeric text
// (read with "." as the decimal point) rounded to a whole number, halves to the even one,
// when it lies from 0 to 365; "0" for any other text, however large its number.
QString GiorniPagamento(const QString& testo);

// The look-up lists of the combos, by description: every VAT code, every payment term, and
// the postable accounts of nature "P" (never the headings ending in ".0000").
std::vector<ui::ComboRow> ElencoIva(db::Database& archivio);
std::vector<ui::ComboRow> ElencoPagamenti(db::Database& archivio);
std::vector<ui::ComboRow> ElencoContiPatrimoniali(db::Database& archivio);
