#include "foundation/engine/Ambiente.h"

#include "foundation/engine/Sessione.h"

namespace {
AmbienteLavoroRec gAmbiente;
ParametriFatturaRec gParametri;
NoteFatturaRec gNote;
}  // namespace

AmbienteLavoroRec& AmbienteLavoro() { return gAmbiente; }
ParametriFatturaRec& ParametriFattura() { return gParametri; }
NoteFatturaRec& NoteFattura() { return gNote; }

void RipristinaAmbiente() {
    ChiudiSessione();
    gAmbiente = {};
    gParametri = {};
    gNote = {};
}
