#include "invoice/engine/Importi.h"

#include "platform/db/DbError.h"

namespace {

[[noreturn]] void overflow() { throw db::DbError(6, "Overflow"); }

// Floor of n / d, d > 0.
__int128 divisioneIntera(__int128 n, __int128 d) {
    __int128 q = n / d;
    if (n % d != 0 && n < 0) --q;
    return q;
}

// n / d rounded half to even, d > 0.
__int128 divisioneArrotondata(__int128 n, __int128 d) {
    const __int128 q = divisioneIntera(n, d);
    const __int128 resto2 = 2 * (n - q * d);
    if (resto2 > d || (resto2 == d && q % 2 != 0)) return q + 1;
    return q;
}

Currency daRaw(__int128 raw) {
    if (raw > INT64_MAX || raw < INT64_MIN) overflow();
    return Currency::fromRaw(int64_t(raw));
}

}  // namespace

Currency PercentualeDi(Currency importo, Currency percentuale) {
    const __int128 prodotto = __int128(importo.raw()) * percentuale.raw();
    return daRaw(divisioneArrotondata(prodotto, __int128(Currency::Scale) * 100));
}

Currency ImpostaSuImponibile(Currency imponibile, Currency percentuale) {
    // imponibile x percentuale is the VAT in cents, here in units of 10^-8 cents.
    const __int128 scala = __int128(Currency::Scale) * Currency::Scale;
    const __int128 prodotto = __int128(imponibile.raw()) * percentuale.raw();
    const __int128 centesimi = divisioneIntera(prodotto + scala / 2, scala);
    return daRaw(centesimi * (Currency::Scale / 100));
}

Currency AlCentesimo(Currency importo) { return importo.roundedForDisplay(2); }
