#include "foundation/DatiCliente.h"

namespace {
DatiClienteFatturaRec gDatiCliente;
}  // namespace

DatiClienteFatturaRec& DatiClienteFattura() { return gDatiCliente; }

void RipristinaDatiClienteFattura() { gDatiCliente = {}; }
