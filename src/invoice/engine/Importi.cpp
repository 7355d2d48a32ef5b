#include "invoice/engine/Importi.h"

#include "platform/db/DbError.h"

namespace {

[[noreturn]] void overflow() { throw db::DbError(6, "Overflow"); }

}  // namespace

Currency ImpostaSuImponibile(Currency imponibile, Currency percentuale) {
    return Currency::productInCents(imponibile, percentuale, 100);
}

int64_t UnitaInScadenza(Currency importo, std::optional<Currency> percentuale) {
    // Ten-thousandths of a euro times 100 x Scale: the exact value, nothing rounded before the cut.
    const __int128 cento = __int128(100) * Currency::Scale;
    __int128 esatto = __int128(importo.raw()) * cento;
    if (percentuale) esatto = __int128(importo.raw()) * (cento + percentuale->raw()) + __int128(9000) * cento;
    const __int128 unita = esatto / (cento * Currency::Scale);  // toward zero: the decimals cut off
    if (unita > INT64_MAX || unita < INT64_MIN) overflow();
    return int64_t(unita);
}

Currency AlCentesimo(Currency importo) { return importo.roundedForDisplay(2); }
