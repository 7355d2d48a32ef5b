#pragma once
#include <QString>

#include "fees/engine/CalcoloCompetenza.h"  // the amount masks
#include "platform/system/Currency.h"

// Amount arithmetic and number reading shared by the invoice rules.

// A number typed in the invoicing parameters (percentages, stamp threshold, stamp amount) or
// shown as a VAT rate text. Blanks are ignored, a sign may lead, reading stops at the first
// character that cannot continue the number, nothing readable is 0. The full stop is the
// decimal point; a text without any full stop takes its comma as the decimal point, so
// "12,5", "1,50" and "77,47" read as typed and every text written with a full stop reads
// as it always did ("12.5", "1.000,50" reads 1). Beyond four decimals the value is rounded
// half to even; a number beyond the range of Currency raises the overflow error
// (db::DbError 6).
Currency NumeroDaTesto(const QString& testo);

// `importo` x `percentuale` / 100, rounded once to four decimals, half to even.
Currency PercentualeDi(Currency importo, Currency percentuale);

// The VAT of a taxable amount at a rate in percent, to the cent: taxable amount times rate
// (which is the VAT in cents) plus one half, then the whole part; so halves go up.
// 123,45 at 20 gives 24,69; 10,25 at 10 gives 1,03.
Currency ImpostaSuImponibile(Currency imponibile, Currency percentuale);

// An amount read back from a text that an amount mask produced: what the tab and the issue
// do when an amount travels as text.
Currency ImportoRiletto(const QString& testo);
