#include "foundation/engine/Ambiente.h"

namespace {
AmbienteLavoroRec gAmbiente;
ParametriFatturaRec gParametri;
NoteFatturaRec gNote;
}  // namespace

AmbienteLavoroRec& AmbienteLavoro() { return gAmbiente; }
ParametriFatturaRec& ParametriFattura() { return gParametri; }
NoteFatturaRec& NoteFattura() { return gNote; }

void RipristinaAmbiente() {
    gAmbiente = {};
    gParametri = {};
    gNote = {};
}
