#pragma once
#include <QString>

#include "invoice/engine/RigheFattura.h"

class LettoreAliquoteIva;

// One line's due date as the payment schedule prints it. All three empty: the line has no
// due date.
struct Scadenza {
    QString ScadenzaDescrizione;  // "Rimessa diretta", "30 gg. data fattura", "R30 - <text>"
    QString ScadenzaData;         // dd/mm/yyyy
    QString ScadenzaImporto;      // whole units of the amount falling due
    bool vuota() const { return ScadenzaDescrizione.isEmpty() && ScadenzaData.isEmpty() && ScadenzaImporto.isEmpty(); }
};

// Not linked, a payment term (of an invoice line, of a client's price list) is a whole number
// of days written in digits alone ("30"): "30.5", "60.0", "-30" or "3O" are none, and are
// refused with MessaggioScadenzaNonInGiorni where they are typed.
bool GiorniInCifre(const QString& pagamento);
inline const QString MessaggioScadenzaNonInGiorni =
    QStringLiteral("La scadenza deve essere indicata in numero di giorni");

// The due date of a line, counted from the invoice date `DataFattura` (dd/mm/yyyy).
//
// The line's payment term: linked (as `aliquote` is), a code of `codicipagamento`, due after
// its `periodo` days and described by the code, " - " and the first 20 characters of its
// description; not linked, a number of days (GiorniInCifre), described as "Rimessa diretta"
// for 0 and as the term followed by " gg. data fattura" otherwise. A code the archive does not
// hold, or a term that is no whole number of days, gives no due date.
//
// The amount is the line's taxable amount plus its VAT to the cent as the line prints it
// (ImpostaRiga, at the rate `aliquote` reads for the line's code, when above 0) plus 0,9,
// shown as whole units (UnitaInScadenza): 100,00 at 20 % falls due as 120, 100,50 at 20 % as
// 121, 10,09 at 10 % (VAT 1,01) as 12. Without a rate nothing is added: 100,50 falls due as
// 100. A line of amount 0 falls due as "0".
//
// Failures (an archive read, an invoice date that is no date) go to the error handler with
// "Funzione di calcolo dello scadenzario"; the result is then as far as it was set.
Scadenza CalcoloScadenzario(const RigaFattura& riga, const QString& DataFattura, LettoreAliquoteIva& aliquote);
