#include "foundation/engine/NumeroParametro.h"

#include <string>

#include "foundation/engine/Generale.h"
#include "platform/db/DbError.h"

namespace {

[[noreturn]] void overflow() { throw db::DbError(6, "Overflow"); }

// NumeroDaTesto's reading; nothing beyond the range of Currency.
std::optional<Currency> letturaLibera(const QString& testo) {
    const bool virgolaDecimale = !testo.contains(u'.');
    std::string numero;
    bool negativo = false, iniziato = false, punto = false, cifre = false;
    for (QChar c : testo) {
        if (c == u' ' || c == u'\t' || c == u'\n') continue;
        if (!iniziato && (c == u'-' || c == u'+')) {
            negativo = c == u'-';
        } else if (c >= u'0' && c <= u'9') {
            numero += char(c.unicode());
            cifre = true;
        } else if (!punto && (c == u'.' || (virgolaDecimale && c == u','))) {
            numero += '.';
            punto = true;
        } else {
            break;
        }
        iniziato = true;
    }
    if (!cifre) return Currency();
    const auto valore = Currency::parse(numero, '.');
    if (!valore) return std::nullopt;
    return negativo ? -*valore : *valore;
}

// A parameter's value: the one the parameters dialog accepted it for when it is a number in
// figures, so that "1.000,00" is a thousand; otherwise NumeroDaTesto's. Nothing beyond the
// range of Currency.
std::optional<Currency> leggi(const QString& testo) {
    try {
        if (const auto valore = ValoreInCifre(testo)) return valore;
    } catch (const db::DbError& e) {
        if (e.number != 6) throw;
        return std::nullopt;
    }
    return letturaLibera(testo);
}

}  // namespace

Currency NumeroDaTesto(const QString& testo) {
    const auto valore = letturaLibera(testo);
    if (!valore) overflow();
    return *valore;
}

NumeroParametro::NumeroParametro(const QString& testo) : testo_(testo), valore_(leggi(testo)) {}

Currency NumeroParametro::valore() const {
    if (!valore_) overflow();
    return *valore_;
}
