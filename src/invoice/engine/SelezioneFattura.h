#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "invoice/engine/ImportiDocumento.h"
#include "invoice/engine/RigheFattura.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}
class LettoreAliquoteIva;

// What the invoice tab shows of the invoice being composed: the fee items taken from the
// case file by a selection criterion, the rows of the grid with their task and job headings,
// and the two totals.

// The selection criteria of the invoice tab, by the code the options carry.
enum class CriterioEstrazione {
    FineMese = 1,          // dated up to the end of the month typed
    Anticipazioni = 2,     // advances (catalogue kind "A")
    PerOgniVoce = 3,       // every unbilled item
    IncaricoFinito = 4,    // items of tasks no longer open
    FascolaFinita = 5,     // every unbilled item of a case file no longer open
    NessunaSelezione = 6,  // none: the invoice is composed by hand
};

inline const QString MessaggioNessunElemento = QStringLiteral("nessun elemento estratto con il criterio dato");
inline const QString MessaggioFascolaNonFinita = QStringLiteral("La fascola puntata non è stata dichiarata finita");

// The month box as it stands once the user leaves it: a month from 1 to 12 typed in digits
// keeps the form typed ("3" stays "3"); anything else (empty, no number, out of range, a
// fraction) becomes the month of `oggi` in two digits.
QString MeseDigitato(const QString& testo, const QDate& oggi);

// The last day taken by the end-of-month selection for the month typed: the real last day
// of that month (29 February in a leap year) of the invoice date's year, or of the year
// before when the month comes later in the year than the invoice date's month. A month that
// is not 1 to 12 counts as the invoice date's month.
QDate LimiteFineMese(const QString& mese, const QDate& dataFattura);

struct RichiestaEstrazione {
    CriterioEstrazione Criterio = CriterioEstrazione::NessunaSelezione;
    // The case file on display.
    QString Cliente;
    QString Npra;
    // The month box (end of month only) and the invoice date the limit is counted from.
    QString Mese;
    QDate DataFattura;
};

enum class EsitoEstrazione {
    Estratte,          // the table holds the items taken
    NessunaSelezione,  // criterion 6: nothing was to be taken
    FascolaNonFinita,  // criterion 5 on a case file still open (MessaggioFascolaNonFinita)
    NessunElemento,    // the criterion took nothing (MessaggioNessunElemento)
    Interrotta,        // a failing statement: the error handler was told, the table is empty
};

// Fills `righe` (emptied first) with the case file's fee items not yet invoiced that the criterion
// admits, in task and job order (and element order within them): a copy of each fee item, kind and
// VAT code empty and VAT not fixed, marked as a line from a stored fee item. A case file still open
// is one whose stored `stato` is set. A selection beyond the table's limit raises the overflow
// error through the error handler and takes nothing. Errors: "Funzione di estrazione elementi da
// fatturare".
EsitoEstrazione EstrazioneElementiDaFatturare(db::Database& sessione, const RichiestaEstrazione& richiesta,
                                              TabellaRigheFattura& righe);

// Rebuilds the grid rows from the lines: a task heading and a job heading wherever the task
// changes from one line to the next, a job heading alone wherever only the job changes, then
// the line. A task heading reads "FASCOLA " and the case number for lines of no task, else
// the task's title; a job heading the job's description; " " when there is none. Each title
// is read once per call. False when the procedure was left ("Funzione di definizione riga
// fattura"); the rows are then as far as they were built.
bool DefinizioneRigaFattura(db::Database& sessione, const TabellaRigheFattura& righe,
                            TabellaRigheVisualizzate& visualizzate);

// The three cells of one grid row.
struct CelleRigaFattura {
    QString Codice;       // "I.0001", "L.0002", "E.ONO"
    // Heading text, or five blanks and the line's text; then, for a line whose VAT code the
    // accounting archive does not hold, AvvisoCodiceIva.
    QString Descrizione;
    QString Importo;      // the line's amount to invoice, "#,###,##0.00"; empty for headings
};

struct GrigliaFattura {
    std::vector<CelleRigaFattura> Righe;  // one per display row, in order
    // The totals and VAT summary of the lines (CalcoloRiepilogoIva through the same reader):
    // what the tab shows and the issue prints and posts. Nothing when a VAT code could not be
    // read.
    std::optional<RiepilogoIva> Riepilogo;
    // The totals of the lines shown: those of the summary; without one, the lines' amounts and
    // the VAT of the lines whose code could be read.
    Currency Totale;
    Currency Iva;
    // The totals as the tab's labels show them, "#,###,##0.00".
    QString TestoTotale;
    QString TestoIva;
};

// What the grid adds to a line whose VAT code the accounting archive does not hold:
// "  [codice IVA 22 non presente in contabilità]", or "  [manca il codice IVA]" for none.
QString AvvisoCodiceIva(const QString& codiceIva);

// The grid of the display rows. Every line's VAT is worked out again (CalcoloIva, which
// also settles the line's code and kind under the regime `ivaCee`), each catalogue element
// and VAT code read once through `aliquote`; then the summary of the lines.
GrigliaFattura VisualizzazioneElementiDaFatturare(db::Database& sessione, TabellaRigheFattura& righe,
                                                  const TabellaRigheVisualizzate& visualizzate, bool ivaCee,
                                                  LettoreAliquoteIva& aliquote);
