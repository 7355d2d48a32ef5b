#pragma once
#include <QString>

// The bookkeeping side of the fee item being entered or shown on the fee-item tab, shared
// with the fee-item detail dialog: mirrored from the item's row or from the catalogue's
// defaults. One instance for the whole run, reached through DettaglioCompetenza().
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

DettaglioCompetenzaRec& DettaglioCompetenza();

// The record back to its state before the first fee item.
void RipristinaDettaglioCompetenza();
