#pragma once
#include <QString>

// The bookkeeping side of the fee item being entered or shown on the fee-item tab: mirrored
// from the item's row or from the catalogue's defaults. The tab owns one and lends it to the
// fee-item detail dialog, which edits it in place; the tab's next addition or correction
// stores it.
struct DettaglioCompetenzaRec {
    bool PrimaNota = false;  // posted
    QString DarePn;          // debit account of the posting
    QString AverePn;         // credit account of the posting
    QString IdPn;            // posting reference
    bool Fatturato = false;  // invoiced
    QString Ricavi;          // revenue account
    QString IdFattura;       // the document that billed it
    bool Spuntato = false;   // ticked off
    QString CodiceElemento;  // the catalogue element the detail dialog shows
    QString DescrizioneElemento;
};
