#include "fees/engine/DettaglioCompetenza.h"

namespace {
DettaglioCompetenzaRec gDettaglioCompetenza;
}  // namespace

DettaglioCompetenzaRec& DettaglioCompetenza() { return gDettaglioCompetenza; }

void RipristinaDettaglioCompetenza() { gDettaglioCompetenza = {}; }
