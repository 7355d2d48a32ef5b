#include "fees/engine/ElementoMostrato.h"

namespace {

QChar minuscola(QChar c) { return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c; }

// One code for the archive, whose text columns ignore the case of the letters a-z only.
bool stessoCodice(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (minuscola(a[i]) != minuscola(b[i])) return false;
    return true;
}

}  // namespace

QString MessaggioElementoCambiato(const QString& digitato, const QString& mostrato, const QString& pulisci) {
    return QStringLiteral("Il codice elemento %1 non è quello dell'elemento %2 di cui sono mostrati descrizione e "
                          "importi: premere %3 per pulire i campi e scegliere di nuovo l'elemento")
        .arg(digitato, mostrato, pulisci);
}

EsitoElementoDellaVoce ElementoDellaVoce(db::Database& sessione, const QString& codice,
                                         const ElementoDaFatturare* mostrato, ScopoVoce scopo) {
    EsitoElementoDellaVoce esito;
    esito.Elemento = ElementoPerCodice(sessione, codice);
    if (!mostrato) return esito;
    if (esito.Elemento) {
        if (!stessoCodice(esito.Elemento->codice, mostrato->codice)) {
            esito.Elemento.reset();
            esito.AltroElemento = true;
        }
        return esito;
    }
    // The catalogue no longer holds the code.
    if (!stessoCodice(codice, mostrato->codice)) esito.AltroElemento = true;
    else if (scopo == ScopoVoce::Correzione) esito.Elemento = *mostrato;
    return esito;
}
