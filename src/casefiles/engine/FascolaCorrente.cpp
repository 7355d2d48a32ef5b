#include "casefiles/engine/FascolaCorrente.h"

namespace {
FascolaCorrenteRec gFascolaCorrente;
}  // namespace

FascolaCorrenteRec& FascolaCorrente() { return gFascolaCorrente; }

void RipristinaFascolaCorrente() { gFascolaCorrente = {}; }
