#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "fees/engine/ElementiDaFatturare.h"
#include "invoice/engine/RigheFattura.h"
#include "platform/system/ComboRow.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// The rules of editing the invoice being composed line by line on the invoice tab: the
// element chosen and its defaults, the amount boxes of its calculation mode, the check of
// the fields, and the line they make. Look-ups run on the session given and throw
// db::DbError; the procedures that hand their errors to the error handler say so.

// The client's price-list row for an element (`elecli`).
struct PrezzoCliente {
    Currency Importo;
    QString Pagamento;
};
std::optional<PrezzoCliente> PrezzoDiListino(db::Database& sessione, const QString& cliente, const QString& elemento);

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

// The amount boxes of the line being edited: the captions over the amount and factor boxes,
// their texts and whether each is on (enabled and shown), and the amount to invoice (always
// on).
struct CampiImporto {
    QString LblCheCao;
    QString LblFattore;
    QString Importo;
    bool ImportoAttivo = true;
    QString Fattore;
    bool FattoreAttivo = true;
    QString Impofatt;
};

// The boxes laid out for an element: with the prices of a newly chosen element (the client's
// price when given, else the list price), or with the stored values of the line `riga`.
// Texts a layout does not set stay as in `campi`.
CampiImporto DefinizioneCalcolo(const ElementoDaFatturare& elemento, const std::optional<Currency>& prezzoCliente,
                                const RigaFattura* riga, CampiImporto campi);

// The amount to invoice worked out when the amount or the factor box is left, as the fee
// items work it out: percentage modes, amount x percentage / 100 (a base of 200 at 5 gives
// 10,00); unit price, amount x quantity (12,50 x 2 gives 25,00); an advance, the amount as
// typed. Amounts are read as amounts are typed (ImportoDaTesto: "12,50", or "12.50").
// Nothing for the other modes, when a text the rule needs is empty, or when one cannot be
// read or the product is beyond range.
std::optional<QString> ImportoDaFattore(CasoCalcolo caso, const QString& importo, const QString& fattore);

// Which boxes a line of the element must fill: both, except no factor for a cost typed or an
// advance, and neither for a fee at list price or typed.
struct ImportiRichiesti {
    bool Importo = true;
    bool Fattore = true;
};
ImportiRichiesti ImportiRichiestiPer(const QString& calcolo, const QString& tipo);

// The fields of the line being edited, as typed.
struct CampiRiga {
    QString Elemento;  // the code combo's value
    QString Descrizione;
    QString Importo;
    QString Fattore;
    QString Impofatt;
};

enum class CampoRiga { Elemento, Descrizione, Importo, Fattore };

inline const QString MessaggioMancaElemento = QStringLiteral("Bisogna definire un codice elemento da fatturare");
inline const QString MessaggioMancaDescrizione = QStringLiteral("Si deve definire una descrizione per l'elemento");
inline const QString MessaggioElementoInesistente =
    QStringLiteral("Il codice elemento non risulta definito in archivio");
inline const QString MessaggioMancaImporto = QStringLiteral("Bisogna definire l'importo nel campo");
inline const QString MessaggioMancaFattore = QStringLiteral("Definire il campo fattore");

struct EsitoVerificaRiga {
    // The fields make a line. False with no Messaggio: the procedure was left.
    bool Valida = false;
    QString Messaggio;  // the first check that failed
    CampoRiga Campo = CampoRiga::Elemento;  // where the user is to go
    QString Calcolo;    // the element's calculation mode, once found
};

// The checks of a line in order: an element, a description, an element of the catalogue,
// then the boxes its mode requires. Nothing checks numbers or signs. Errors: "Funzione di
// verifica dati form fattura".
EsitoVerificaRiga VerificaDatiFattura(db::Database& sessione, const CampiRiga& campi);

// The line a validated set of fields makes, inserted into the case file `cliente`, `npra`
// on `oggi`, with the task, job, accounts, payment and VAT of the line in hand. The unit
// charge is the amount of a unit-price element, the factor that of the percentage and
// unit-price modes ("U" when the element is unknown). db::DbError 13 when an amount cannot be
// read.
RigaFattura NuovaRigaFattura(const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso, const QString& cliente,
                             const QString& npra, const QString& calcolo, const QDate& oggi);

// A line corrected from the fields: its text, amounts, accounts, payment and VAT; its key
// and kind stay; it counts as neither posted, invoiced nor ticked. All or nothing:
// db::DbError 13 when an amount cannot be read, and the line is then unchanged.
void CorreggiRigaFattura(RigaFattura& riga, const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso,
                         const QString& calcolo);

// Where an insertion puts the new line among `numeroRighe` (the new line counted): "I" first,
// "P" above the selected line, "D" below it, "F" last; no selected line (0) is above the
// first.
int PosizioneInserimento(QChar modo, int rigaSelezionata, int numeroRighe);

inline const QString MessaggioElementoAnomalo =
    QStringLiteral("Attenzione: situazione anomala, il codice elemento inserito non esiste");

enum class SceltaElemento { PerCodice = 1, PerDescrizione = 2 };

// What a newly chosen element proposes for its line.
struct DefaultRigaFattura {
    ElementoDaFatturare Elemento;
    std::optional<PrezzoCliente> Listino;
    // The line's staging values: payment, accounts, task and job, VAT code (not fixed).
    QString Pagamento;
    QString DarePn;
    QString AverePn;
    QString Ricavi;
    QString Ntask;
    QString Njob;
    QString CodiceIva;
};

struct EsitoDefault {
    std::optional<DefaultRigaFattura> Default;
    bool ElementoInesistente = false;  // MessaggioElementoAnomalo
};

// The defaults of the element chosen by code or by description for a line of the case file
// of client `cliente`. Payment: the client's price-list term; else, linked and the element
// paid on the client's terms, the client's payment code in the accounting archive's
// `anagrafe` ("0,00" when the client is not there); else the element's own. Task and job are
// those of the line selected in `fattura`, "0000" when none is. The VAT code is the element's
// ordinary one. Errors: "Funzione di definizione default fattura"; nothing when the
// procedure was left.
EsitoDefault DefinizioneDefaultFattura(db::Database& sessione, SceltaElemento scelta, const QString& testo,
                                       const QString& cliente, bool collegato, const FatturaInComposizioneRec& fattura);
