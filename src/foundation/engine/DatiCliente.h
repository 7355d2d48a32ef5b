#pragma once
#include <QString>

// The client data printed on the invoice being composed: filled from the client's registry
// when a case file is displayed, changed by the user for one invoice in the client-data
// dialog. One instance for the whole run, reached through DatiClienteFattura().

struct DatiClienteFatturaRec {
    QString Nome;
    QString Indirizzo;
    QString Cap;
    QString Localita;
    QString Provincia;
    QString PartitaIva;
    QString CodiceFiscale;
    bool SoggettoIva = true;
    QString MotivoEsenzione;
};

DatiClienteFatturaRec& DatiClienteFattura();

// The record back to its state before the first case file is displayed.
void RipristinaDatiClienteFattura();
