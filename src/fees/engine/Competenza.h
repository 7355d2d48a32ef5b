#pragma once
#include <QDate>
#include <QString>

#include "platform/system/Currency.h"

// The key of a fee item: a catalogue element stands at most once under each task and job of
// a case file; task and job "0000" mean none.
struct ChiaveCompetenza {
    QString cliente, npra, ntask, njob, elemento;

    bool operator==(const ChiaveCompetenza&) const = default;
};

// One fee item as table `competenze` stores it: its key and every other column, each under
// the column's name. Texts not stored read as empty texts, amounts and flags as 0, a date not
// stored as a null date. The fee rules write one, the case file's list reads them, an invoice
// line bills one and the detail dialog edits its bookkeeping columns.
struct Competenza {
    QString cliente, npra;
    QString ntask;  // "0000": no task
    QString njob;   // "0000": no job
    QString elemento;
    QString descrizione;
    QDate data;
    Currency importo;        // a cost or an advance, or a percentage's base
    Currency impofat;        // the amount to invoice
    bool primanota = false;  // posted
    QString darepn;          // debit account of the posting
    QString averepn;         // credit account of the posting
    QString idpn;            // posting reference
    bool fatturato = false;  // invoiced
    QString ricavi;          // revenue account
    QString idfattura;       // the document that billed it
    bool spuntato = false;   // ticked off
    // Payment code of the accounting archive, or a number of days when it is not linked.
    QString pagamento;
    Currency addebitounitario;  // the unit price
    QString fattore;            // the percentage or the quantity, as typed

    ChiaveCompetenza chiave() const { return {cliente, npra, ntask, njob, elemento}; }
    // The bookkeeping of an item not yet posted, invoiced or ticked off, to be posted with
    // the accounts given.
    void apriDaFatturare(const QString& dare, const QString& avere, const QString& contoRicavi) {
        primanota = false;
        darepn = dare;
        averepn = avere;
        idpn.clear();
        fatturato = false;
        ricavi = contoRicavi;
        idfattura.clear();
        spuntato = false;
    }
    bool operator==(const Competenza&) const = default;
};
