#pragma once
#include <QString>

// The case file on display as the invoice tab and its dialogs read it: the client and the
// case number the lines belong to, the client's name, and the VAT regime chosen. Read
// afresh at each use, only through FascolaSulTab(), so that the source of the case file
// on display changes in this one place.
struct FascolaInFattura {
    QString Cliente;  // client code
    QString Nome;     // client name, "" when no client is chosen
    QString Npra;     // case number
    bool IvaCee = false;  // the lines take the catalogue's EU VAT codes
};

FascolaInFattura FascolaSulTab();
