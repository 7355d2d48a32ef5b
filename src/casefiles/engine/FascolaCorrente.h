#pragma once
#include <QString>

// The case file every part of the program works on: the one on display in the main window's
// mask or being typed there, with the VAT regime chosen for the invoice being composed. Not
// stored anywhere; one instance for the whole run, reached through FascolaCorrente().
struct FascolaCorrenteRec {
    QString CodiceClienteCorrente;
    QString NomeClienteCorrente;
    QString NpraCorrente;
    // The invoice lines take the catalogue's EU VAT code when IvaCee is set; IvaInter is its
    // complement. Both are off until the user chooses a regime.
    bool IvaCee = false;
    bool IvaInter = false;
};

FascolaCorrenteRec& FascolaCorrente();

// The record back to its state before the main window opened.
void RipristinaFascolaCorrente();
