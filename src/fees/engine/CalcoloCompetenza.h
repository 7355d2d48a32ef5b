#pragma once
// How an element of the catalogue is priced when it is charged: by its calculation mode
// (`calcolo`) and kind (`tipo`) the entry needs an amount box, a factor box, both or neither
// besides the amount to invoice; the boxes carry captions and first texts; the amount to
// invoice follows from them; a fee item stores some of them according to its kind. Plain
// functions with no archive behind them. The invoice lines price a catalogue element by the
// same rules and use these.
#include <QDate>
#include <QString>
#include <optional>

#include "fees/engine/Competenza.h"
#include "fees/engine/DettaglioCompetenza.h"
#include "fees/engine/ElementiDaFatturare.h"
#include "platform/db/Value.h"
#include "platform/system/Currency.h"

// The amount masks the start-up puts into AmbienteLavoro: fixed for the whole program. The
// short one for amounts shown from a row, the long one for amounts worked out.
inline const QString MascheraImporto = QStringLiteral("###,##0.00");
inline const QString MascheraImportoEsteso = QStringLiteral("#,###,##0.00");

// The largest amount a box takes, either way: 274.877.906.944,0001, half of the largest
// amount the archive gives back exactly (db::LargestExactAmount, 549.755.813.888,0002). The
// lines typed on the invoice tab, taken without their signs, add up to no more either, so a
// document's taxable amounts, its VAT at any rate up to 100 % and its total, up to twice as
// much, are all stored and read back exactly, in the fee items and in the journal alike.
// Amounts that still go beyond (many fee items billed together) cannot be stored: the
// overflow error.
inline constexpr Currency ImportoMassimo = Currency::fromRaw(db::LargestExactAmount.raw() / 2);

// The amount is one a box takes: within ImportoMassimo either way.
bool ImportoAmmesso(Currency importo);
inline const QString MessaggioImportoFuoriMisura =
    QStringLiteral("L'importo è troppo grande: con l'IVA il totale supererebbe il massimo ammesso");

// How the text of an amount box reads (ImportoDelBox): an amount the box takes, no
// number in figures, or a number beyond ImportoAmmesso. An empty box reads 0.
enum class LetturaImporto { Ammesso, NonNumerico, FuoriMisura };
LetturaImporto LetturaDiImporto(const QString& testo);
// The same for a box that must hold an amount: an empty one is no number in figures either.
LetturaImporto LetturaInCifre(const QString& testo);

// The seven layouts of the amount boxes, by calculation mode and kind.
enum class CasoCalcolo {
    Nessuno = 0,           // a pair no layout names: the boxes stay as they were
    CostoPercentuale = 1,  // "P", "C": cost and percentage
    CostoRichiesto = 2,    // "R", "C": cost typed
    Anticipazione = 3,     // any mode, "A": advance typed
    Listino = 4,           // "F", "X": the price is the amount to invoice
    ImportoRichiesto = 5,  // "R", "X": amount to invoice typed
    PrezzoUnitario = 6,    // "U", "X": unit price and quantity
    Percentuale = 7,       // "P", "X": taxable base and percentage
};
CasoCalcolo CasoDiCalcolo(const QString& calcolo, const QString& tipo);

// The amount boxes: the captions over the amount and factor boxes, their texts and whether
// each is on (enabled and shown), and the amount to invoice (always on).
struct CampiImporto {
    QString LblCheCao;
    QString LblFattore;
    QString Importo;
    bool ImportoAttivo = true;
    QString Fattore;
    bool FattoreAttivo = true;
    QString Impofatt;

    bool operator==(const CampiImporto&) const = default;
};

// The boxes laid out for an element: with the prices of a newly chosen element (the client's
// price when given, else the list price) when `memorizzata` is null, else with a stored fee
// item's amounts (importo, addebitounitario, fattore, impofat). Amounts from a row are shown
// with MascheraImporto, a stored factor as it was typed. The percentage modes put the price in
// the factor box; unit price puts it in the amount box with a quantity of 1; list price makes
// it the amount to invoice. Texts a layout does not set stay as in `campi`; a pair no layout
// names returns `campi` unchanged.
CampiImporto DefinizioneCalcolo(const ElementoDaFatturare& elemento, const std::optional<Currency>& prezzoCliente,
                                const Competenza* memorizzata, CampiImporto campi);

// The amount to invoice that the amount and the factor make in the modes that work it out of
// them: percentage modes, amount x percentage / 100 (a base of 200 at 5 gives 10,00); unit
// price, amount x quantity (12,50 x 2 gives 25,00). Both are read as amounts are typed
// (ImportoDelBox: "12,50", or "12.50"), and the exact product is brought to the cent once,
// halves away from zero (0,5 % of 100,99 is 0,50). Nothing for the other modes, or when a text
// is no number in figures (an empty one, "1O" with a letter O, "3 ore"); db::DbError 6 when the
// product is beyond the range of money.
std::optional<Currency> ProdottoDaFattore(CasoCalcolo caso, const QString& importo, const QString& fattore);

// The amount to invoice worked out when the amount or the factor box is left: the
// ProdottoDaFattore shown with MascheraImportoEsteso; for an advance, the amount as typed.
// Nothing for the other modes, when a text the product needs is no number in figures, or when
// the product is beyond range: no amount to invoice is worked out of figures picked from a
// mistyped text.
std::optional<QString> ImportoDaFattore(CasoCalcolo caso, const QString& importo, const QString& fattore);

// Which boxes an entry of the element must fill besides the amount to invoice: both, except
// no factor for a cost typed or an advance, and neither for a fee at list price or typed.
struct ImportiRichiesti {
    bool Importo = true;
    bool Fattore = true;
};
ImportiRichiesti ImportiRichiestiPer(const QString& calcolo, const QString& tipo);

// Where the payment term of a newly chosen element comes from: the client's price list when
// it has the element; else, for an element paid on the client's own terms while the
// accounting archive is linked, the client's account there; else the catalogue.
enum class OrigineCodicePagamento { Listino, Anagrafe, Catalogo };
OrigineCodicePagamento OrigineDelPagamento(bool inListino, bool pagamentoDelCliente, bool collegato);

// The bookkeeping side of a new fee item of the element: its posting and revenue accounts,
// neither posted, invoiced nor ticked.
DettaglioCompetenzaRec DettaglioDiDefault(const ElementoDaFatturare& elemento);

// The entry fields of a fee item, as typed.
struct CampiCompetenza {
    QString Elemento;  // the code combo's text
    QString Descrizione;
    QString Importo;
    QString Fattore;
    QString Impofatt;
    QString Pagamento;
    QString Data;
};

// The columns besides the key that an entry stores (the key is left empty), by the kind and
// mode of its element: a cost or an advance keeps its amount, any other kind 0; unit price
// keeps the amount as the unit price; unit price and percentage keep the factor as typed, the
// others nothing; the amount to invoice always. The bookkeeping columns come from `dettaglio`.
// db::DbError 13 when an amount that is kept, the amount to invoice or the date cannot be read
// (the entry's check refuses them first).
Competenza ValoriDaScrivere(const ElementoDaFatturare& elemento, const CampiCompetenza& campi,
                            const DettaglioCompetenzaRec& dettaglio);
