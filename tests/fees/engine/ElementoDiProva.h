#pragma once
// An element of the catalogue priced one way or another, and the amount boxes laid out for
// it as one line of text, shared by the fee items' tests and the invoice lines' tests, which
// price an element by the same rules.
#include <QString>

#include "fees/engine/CalcoloCompetenza.h"
#include "platform/system/BasicRuntime.h"

namespace elemento_di_prova {

// Element "ELE" of calculation mode `calcolo` and kind `tipo`, at list price `importo`.
inline ElementoDaFatturare elemento(const QString& calcolo, const QString& tipo, const char* importo = "5") {
    ElementoDaFatturare e;
    e.codice = "ELE";
    e.descrizione = "Elemento";
    e.calcolo = calcolo;
    e.tipo = tipo;
    e.importo = basic::CCur(importo);
    return e;
}

// What the boxes show: captions, then "+text" for a box on and "-text" for one off.
inline QString mostra(const CampiImporto& c) {
    return c.LblCheCao + "|" + c.LblFattore + "|" + (c.ImportoAttivo ? "+" : "-") + c.Importo + "|" +
           (c.FattoreAttivo ? "+" : "-") + c.Fattore + "|" + c.Impofatt;
}

}  // namespace elemento_di_prova
