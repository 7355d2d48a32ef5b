#include "invoice/engine/Importi.h"

Currency ImpostaSuImponibile(Currency imponibile, Currency percentuale) {
    return Currency::productInCents(imponibile, percentuale, 100);
}

int64_t UnitaInScadenza(Currency importo, std::optional<Currency> imposta) {
    Currency totale = importo;
    if (imposta) totale = totale + *imposta + Currency::fromRaw(9000);
    // The sum shown to the cent, its decimals then cut off (toward zero).
    return AlCentesimo(totale).raw() / Currency::Scale;
}

Currency AlCentesimo(Currency importo) { return importo.roundedForDisplay(2); }
