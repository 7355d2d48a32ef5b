#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "invoice/engine/RigheFattura.h"
#include "platform/system/Currency.h"

struct ParametriFatturaRec;
class LettoreAliquoteIva;

// The amounts of a document: the composed document that the invoice tab works out from its
// lines and shows, and that the issue prints and posts. Everything is Currency, from the
// lines to the document total; only the tab's labels, the print database writer and the
// accounting writer turn amounts into text. Three stages: totals and VAT summary (from the
// lines and what their VAT codes stand for), withholdings, stamp duty (from the invoicing
// parameters). Each takes the lines, the parameters it needs and the total left by the
// stage before it; nothing is read from or written to the program-wide records. Amounts keep
// the signs they have on the lines, whatever the document kind.

// The lines of one VAT code.
struct GruppoIva {
    QString Codice;       // the code, compared exactly (case included); "" is a code too
    Currency Imponibile;  // taxable amount: SommaImponibileGruppo over its lines, to the cent
    QString Aliquota;     // rate text of the group's first line (DefinizioneAliquotaIva)
    Currency Imposta;     // the sum of its lines' VAT (ImpostaRiga), whole cents
    // A code that carries no VAT amount: the summary prints TestoImposta in place of the VAT,
    // the exemption text of a zero-rate code of the archive or, not linked, the code itself.
    bool ImpostaNumerica = true;
    QString TestoImposta;
    Currency Percentuale;            // the rate in percent the code stands for
    bool CodiceSconosciuto = false;  // linked: the accounting archive holds no such code
};

// The taxable amount of a group once one more line of `importo` joins the `gruppo` amount so
// far: the sum to the cent (AlCentesimo). A group's amount is thus rounded line after line,
// as its two-decimal figure grows; the first line enters as SommaImponibileGruppo(0, amount).
Currency SommaImponibileGruppo(Currency gruppo, Currency importo);

struct RiepilogoIva {
    std::vector<Currency> ImpostaRighe;  // the VAT of line i at element i - 1 (ImpostaRiga)
    Currency TotaleImponibile;  // the lines' taxable amounts summed, to the cent
    Currency TotaleIva;         // the lines' VAT summed, to the cent
    Currency TotaleDocumento;   // the two added
    std::vector<GruppoIva> GruppiIva;  // in the order each code first occurs among the lines

    int NumeroGruppiIva() const { return int(GruppiIva.size()); }
    // Group `k`, 1 to NumeroGruppiIva().
    const GruppoIva& gruppo(int k) const { return GruppiIva.at(size_t(k - 1)); }
    // The group of `codice`, nullptr when no line carries it.
    const GruppoIva* gruppoDelCodice(const QString& codice) const;
};

// Totals and VAT summary of the lines, each code read through `aliquote`. The tab's totals
// are the lines summed and brought to the cent; a group's taxable amount is summed by
// SommaImponibileGruppo, its VAT from the lines' VAT. Nothing is returned when a VAT code
// could not be read (the error handler was told): no document can be composed.
std::optional<RiepilogoIva> CalcoloRiepilogoIva(const TabellaRigheFattura& righe, LettoreAliquoteIva& aliquote);

// One withholding; nothing is set when it is switched off.
struct Ritenuta {
    bool Applicata = false;
    QString Descrizione;  // "Ritenuta di acconto", or the label of the second one
    QString Perc;         // the rate as typed in the parameters
    Currency Imponibile;  // base: the criterion's lines times the share subject to it, to the cent
    Currency Importo;     // the base times the rate, to the cent: what the total loses
};

struct RitenuteDocumento {
    Ritenuta Ritenuta1;  // withholding tax on account
    Ritenuta Ritenuta2;  // the other withholding
    Currency TotaleDocumento;  // the total given, less both amounts
};

// The lines whose amounts enter a withholding base: "1" all, "2" costs and fees ("C", "X"),
// "3" fees only; any other criterion none.
Currency BaseRitenuta(const TabellaRigheFattura& righe, const QString& criterio);

// Withholdings. Each one switched on: base by its criterion, times the share of the base
// subject to it, times its rate (the parameters' values), each product brought to the cent
// once from its exact value, halves away from zero, as it is printed (1.047,47 at 8,5 % is
// 89,03495, so 89,03); its amount is taken off `totaleDocumento`, so the net to pay is the
// printed total less the printed withholdings.
RitenuteDocumento CalcoloRitenute(const TabellaRigheFattura& righe, const ParametriFatturaRec& parametri,
                                  Currency totaleDocumento);

struct ImpostaBollo {
    QString BolloDocumento = "0,00";  // the stamp amount as typed, or "0,00"
    QString SpeseDocumento = "0,00";  // the document never carries expenses
    Currency Base;                    // the stamp base of the criterion
    Currency Importo;                 // what the total gained: the stamp amount to the cent
    Currency TotaleDocumento;         // the total given, plus the stamp
    // The line that bears the stamp, 1 to NumeroRighe (RigaDelBollo); 0 when there is none.
    int Riga = 0;
};

// The stamp base of a criterion: "1" the taxable amounts of the zero-rate groups; "2" the
// lines other than advances whose code is zero-rate; "3" every line and "4" the lines other
// than advances, both only on a document without VAT; any other criterion nothing.
Currency BaseBollo(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo, const QString& criterio);

// The line that bears the stamp duty of a criterion, whose revenue account takes it when the
// document is posted: the first line of the first zero-rate VAT group that entered the stamp
// base; when no zero-rate group entered it (criteria "3" and "4" count the lines of a document
// whose VAT rounds to nothing), the first line that did. 0 when no line entered it.
int RigaDelBollo(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo, const QString& criterio);

// Stamp duty. Switched on, a document bears it when its base is above zero and reaches the
// threshold (a base equal to it bears it); the stamp amount is then printed as typed and
// its value, to the cent, added to the total, and RigaDelBollo names the line that bears it. Threshold and
// amount are the parameters' values.
ImpostaBollo CalcoloBollo(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo,
                          const ParametriFatturaRec& parametri, Currency totaleDocumento);

// The three stages in order.
struct ImportiDocumento {
    RiepilogoIva Riepilogo;
    RitenuteDocumento Ritenute;
    ImpostaBollo Bollo;
    Currency TotaleDocumento;  // what the client pays
};

// Withholdings and stamp duty of the lines `righe` whose summary is `riepilogo`, under the
// parameters `parametri`: the composed document. Throws db::DbError 6 (overflow) when a
// parameter in use holds a number beyond the range of money.
ImportiDocumento ComposizioneDocumento(const RiepilogoIva& riepilogo, const TabellaRigheFattura& righe,
                                       const ParametriFatturaRec& parametri);

// The three stages in order. Nothing when the VAT summary could not be built.
std::optional<ImportiDocumento> CalcoloImportiDocumento(const TabellaRigheFattura& righe,
                                                        const ParametriFatturaRec& parametri,
                                                        LettoreAliquoteIva& aliquote);
