#pragma once
#include <QString>

#include "fees/engine/Competenza.h"

// The fee item being entered or shown on the fee-item tab, whose bookkeeping columns are
// mirrored from the item's row or from the catalogue's defaults, with the description of its
// catalogue element for the detail dialog to show. The tab owns one and lends it to the
// fee-item detail dialog, which edits the bookkeeping columns in place; the tab's next
// addition or correction stores them.
struct DettaglioCompetenzaRec : Competenza {
    QString DescrizioneElemento;
};
