#pragma once
#include <QString>

#include "fees/engine/CalcoloCompetenza.h"  // the amount masks
#include "foundation/engine/NumeroParametro.h"  // NumeroDaTesto
#include "platform/system/Currency.h"

// Amount arithmetic and number reading shared by the invoice rules.

// `importo` x `percentuale` / 100, rounded once to four decimals, half to even.
Currency PercentualeDi(Currency importo, Currency percentuale);

// The VAT of a taxable amount at a rate in percent, to the cent: taxable amount times rate
// (which is the VAT in cents) plus one half, then the whole part; so halves go up.
// 123,45 at 20 gives 24,69; 10,25 at 10 gives 1,03.
Currency ImpostaSuImponibile(Currency imponibile, Currency percentuale);

// The amount as the amount masks show it: to the cent, halves away from zero (10,005 gives
// 10,01 and -10,005 gives -10,01). The totals of a document are brought to the cent so.
Currency AlCentesimo(Currency importo);
