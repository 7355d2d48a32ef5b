#include "foundation/engine/DatiCliente.h"

namespace {
DatiClienteFatturaRec gDatiCliente;
}  // namespace

DatiClienteFatturaRec& DatiClienteFattura() { return gDatiCliente; }

void RipristinaDatiClienteFattura() { gDatiCliente = {}; }
