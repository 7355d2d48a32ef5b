#pragma once
#include <QString>
#include <cstdint>
#include <optional>

#include "fees/engine/CalcoloCompetenza.h"  // the amount masks
#include "foundation/engine/NumeroParametro.h"  // NumeroDaTesto
#include "platform/system/Currency.h"

// Amount arithmetic and number reading shared by the invoice rules.

// The VAT of a taxable amount at a rate in percent, brought to the cent once from the exact
// product, halves away from zero as every figure of a document: 123,45 at 20 gives 24,69;
// 10,25 at 10 gives 1,03, and the -10,25 of a credit note that reverses it gives -1,03.
Currency ImpostaSuImponibile(Currency imponibile, Currency percentuale);

// The whole units of a line's amount falling due: the amount with its VAT `imposta` to the cent,
// as the line prints it (none: the amount alone), raised by 0,9, so that a remainder of a
// tenth or more carries to the next unit, then shown to the cent and the decimals cut off.
// 10,09 with its VAT of 1,01 at 10 % is 11,10, raised 12,00, so 12; 90,09 with 9,01 falls due
// as 100.
int64_t UnitaInScadenza(Currency importo, std::optional<Currency> imposta);

// The amount as the amount masks show it: to the cent, halves away from zero (10,005 gives
// 10,01 and -10,005 gives -10,01). The totals of a document are brought to the cent so.
Currency AlCentesimo(Currency importo);
