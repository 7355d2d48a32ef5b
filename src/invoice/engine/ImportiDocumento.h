#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "invoice/engine/RigheFattura.h"
#include "platform/system/Currency.h"

struct ParametriFatturaRec;
class LettoreAliquoteIva;

// The amounts of a document being issued, worked out from the invoice lines in three
// stages: totals and VAT summary, withholdings, stamp duty. Each stage takes the lines, the
// invoicing parameters it needs and the total left by the stage before it, and returns its
// own figures; nothing is read from or written to the program-wide records. Amounts keep
// the signs they have on the lines, whatever the document kind.

// The lines of one VAT code.
struct GruppoIva {
    QString Codice;      // the code, compared exactly (case included); "" is a code too
    QString Imponibile;  // taxable amount, "#,###,##0.00"
    QString Aliquota;    // rate text of the group's first line (DefinizioneAliquotaIva)
    // VAT: for one line the line's VAT text ("1234,50"), for more lines their sum as
    // "#,###,##0.00"; or the exemption text or the code when the code carries no amount.
    QString Imposta;
    Currency ImpostaValore;  // the sum of the lines' VAT amounts
    Currency Percentuale;    // the rate in percent the code stands for
    bool ImpostaNumerica = true;  // Imposta holds an amount
    bool CodiceSconosciuto = false;  // linked: the accounting archive holds no such code
};

struct RiepilogoIva {
    // The two totals as the invoice tab shows them ("#,###,##0.00"): the lines' taxable
    // amounts and the lines' VAT.
    QString TestoTotale;
    QString TestoIva;
    Currency TotaleIva;        // the VAT total read back from its text
    Currency TotaleDocumento;  // the two texts read back and added
    std::vector<GruppoIva> GruppiIva;  // in the order each code first occurs among the lines

    int NumeroGruppiIva() const { return int(GruppiIva.size()); }
    // Group `k`, 1 to NumeroGruppiIva().
    const GruppoIva& gruppo(int k) const { return GruppiIva.at(size_t(k - 1)); }
    // The group of `codice`, nullptr when no line carries it.
    const GruppoIva* gruppoDelCodice(const QString& codice) const;
};

// Totals and VAT summary. The totals are those the tab shows: the sum of the taxable amounts
// and the sum of the lines' VAT, each shown to the cent and read back. The taxable amount of
// a group is summed from its shown two-decimal text line after line. Nothing is returned
// when a VAT code could not be read (the error handler was told): the issue must stop.
std::optional<RiepilogoIva> CalcoloRiepilogoIva(const TabellaRigheFattura& righe, LettoreAliquoteIva& aliquote);

// One withholding; every text is "" when it is switched off.
struct Ritenuta {
    bool Applicata = false;
    QString Descrizione;     // "Ritenuta di acconto", or the label of the second one
    QString Imponibile;      // base, "#,###,##0.00"
    QString Perc;            // the rate as typed in the parameters
    QString Importo;         // amount, "#,###,##0.00"
    Currency ImponibileValore;
    Currency ImportoValore;  // four decimals: what the total loses
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
// subject to it, times its rate (percentages read by NumeroDaTesto, each product rounded to
// four decimals); its amount is taken off `totaleDocumento` unrounded.
RitenuteDocumento CalcoloRitenute(const TabellaRigheFattura& righe, const ParametriFatturaRec& parametri,
                                  Currency totaleDocumento);

struct ImpostaBollo {
    QString BolloDocumento = "0,00";  // the stamp amount as typed, or "0,00"
    QString SpeseDocumento = "0,00";  // the document never carries expenses
    Currency Base;                    // the stamp base of the criterion
    Currency Importo;                 // what the total gained
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
// its value added to the total, and RigaDelBollo names the line that bears it. Threshold and
// amount are read by NumeroDaTesto.
ImpostaBollo CalcoloBollo(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo,
                          const ParametriFatturaRec& parametri, Currency totaleDocumento);

// The three stages in order.
struct ImportiDocumento {
    RiepilogoIva Riepilogo;
    RitenuteDocumento Ritenute;
    ImpostaBollo Bollo;
    Currency TotaleDocumento;  // what the client pays
};

// Nothing when the VAT summary could not be built.
std::optional<ImportiDocumento> CalcoloImportiDocumento(const TabellaRigheFattura& righe,
                                                        const ParametriFatturaRec& parametri,
                                                        LettoreAliquoteIva& aliquote);
