#pragma once
// The exposure of a client: what the journal says the client owes, for the previous and the
// current financial year, and the value of the client's fee items, for the case file on
// display and for the client's other case files, by kind and invoiced or not. Nothing is
// written anywhere.
#include <QString>
#include <functional>
#include <optional>

#include "platform/system/Currency.h"

namespace db {
class Database;
}

// Debit and credit of one client in one journal.
struct SaldoGiornale {
    Currency dare;
    Currency avere;
    Currency saldo() const { return dare - avere; }
};

// The sum of the client's journal lines on the side `segno` ("D" debit, "A" credit), on the
// journal reached through `contabilita`; the entries of kind "K" are left out. Throws
// db::DbError.
Currency SommaGiornale(db::Database& contabilita, const QString& cliente, const QString& segno);

// The fee items of one group, by catalogue kind. An item whose element is not in the
// catalogue, or has another kind, counts nowhere.
struct CompetenzePerTipo {
    Currency anticipazioni;  // kind "A"
    Currency costi;          // kind "C"
    Currency competenze;     // kind "X"
    Currency totale() const { return anticipazioni + costi + competenze; }
};

// Which case files of the client a fee-item sum covers.
enum class Fascole { Altre, Corrente };

// The sum of the amounts to invoice of the client's fee items of kind `tipo` ("A", "C",
// "X") in the case file `npra` (Corrente) or in the client's other case files (Altre),
// invoiced or not. Throws db::DbError.
Currency SommaCompetenze(db::Database& archivio, const QString& cliente, const QString& npra, Fascole quali,
                         bool fatturate, const QString& tipo);

// The previous financial year's accounting archive: the same company in the same folder,
// the year in the name lowered by one ("..._2004.mdb" gives "..._2003.mdb"). Nothing when
// the path does not end in a four-digit year and ".mdb".
std::optional<QString> PathEsercizioPrecedente(const QString& pathContabile);

// What the enquiry needs: the case file on display and the accounting link.
struct RichiestaEsposizione {
    QString cliente;        // client code
    QString npra;           // case number on display
    bool collegato = false;  // the accounting link is on
    QString pathContabile;   // the current year's accounting archive, while linked
};

struct Esposizione {
    SaldoGiornale esercizioPrecedente;
    SaldoGiornale esercizioAttuale;
    CompetenzePerTipo altreFatturate;
    CompetenzePerTipo altreNonFatturate;
    CompetenzePerTipo correnteFatturate;
    CompetenzePerTipo correnteNonFatturate;
    // False when the user left the computation at a failure: the figures are those read
    // until then.
    bool completa = false;

    Currency saldoContabile() const { return esercizioPrecedente.saldo() + esercizioAttuale.saldo(); }
    // The invoiced items are shown, but what the client owes for them is in the journal.
    Currency totale() const {
        return esercizioPrecedente.saldo() + esercizioAttuale.saldo() + altreNonFatturate.totale() +
               correnteNonFatturate.totale();
    }
};

// Computes every figure, reporting the progress from 0 to 160 after each step. `sessione`
// is the case-file archive with, while linked, the current year's accounting archive
// attached; the previous year's archive is opened read-only when its file exists, and
// counts 0 when it does not. Failures go to the error handler ("Funzione di inizializzazione
// Form Esposizione"): a skipped step counts 0, leaving stops the computation.
Esposizione CalcolaEsposizione(db::Database& sessione, const RichiestaEsposizione& richiesta,
                               const std::function<void(int)>& avanzamento = {});
