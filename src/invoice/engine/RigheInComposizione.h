#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "fees/engine/CalcoloCompetenza.h"
#include "fees/engine/DefaultCompetenza.h"
#include "fees/engine/ElementiDaFatturare.h"
#include "invoice/engine/RigheFattura.h"
#include "platform/system/ComboRow.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// The rules of editing the invoice being composed line by line on the invoice tab: the
// element chosen and its defaults, the amount boxes of its calculation mode, the check of
// the fields, and the line they make. An element is priced, and its boxes are laid out and
// required, by the fee items' rules (fees/engine/CalcoloCompetenza.h and
// DefaultCompetenza.h); what is the invoice line's own is here. Look-ups run on the session given and throw
// db::DbError; the procedures that hand their errors to the error handler say so.

// The boxes of a line clicked in the grid, laid out as DefinizioneCalcolo lays out a stored
// fee item but for the line's own display: the amount to invoice of the percentage and
// unit-price modes as plain text ("10,5") and the factor of a percentage fee formatted as an
// amount when it is a number in figures, read as the box read it when it was typed ("12.50"
// shows as 12,50).
CampiImporto DefinizioneCalcoloRiga(const ElementoDaFatturare& elemento, const RigaFattura& riga, CampiImporto campi);

// The fields of the line being edited, as typed.
struct CampiRiga {
    QString Elemento;  // the code combo's value
    QString Descrizione;
    QString Importo;
    QString Fattore;
    QString Impofatt;
};

enum class CampoRiga { Elemento, Descrizione, Importo, Fattore, Impofatt };

struct EsitoVerificaRiga {
    // The fields make a line. False with no Messaggio: the procedure was left.
    bool Valida = false;
    QString Messaggio;  // the first check that failed
    CampoRiga Campo = CampoRiga::Elemento;  // where the user is to go
    QString Calcolo;    // the element's calculation mode, once found
};

// The checks of a line in order: an element, a description, an element of the catalogue,
// then the boxes its mode requires, as the fee items check them: the amount and the factor
// box its mode shows must hold numbers in figures (MessaggioImportoNonImporto,
// MessaggioFattoreNonNumero, naming the box), and so must the amount to invoice when it is not
// empty (MessaggioImpofattNonImporto; an empty one bills 0,00). Signs are not checked: a
// credit line is negative. The element must be the one the fields show (`mostrato`, the line
// being `scopo`: ElementoDellaVoce; the fields are cleared by ANNULLA). Errors: "Funzione di verifica dati
// form fattura".
EsitoVerificaRiga VerificaDatiFattura(db::Database& sessione, const CampiRiga& campi,
                                      const ElementoDaFatturare* mostrato, ScopoVoce scopo);

inline const QString MessaggioTotaleFuoriMisura =
    QStringLiteral("Con questo importo il totale del documento supererebbe il massimo ammesso");

// The amount to invoice typed for a line, in place of line `sostituita` of `righe` (0 for a
// line added), keeps the document within what the archive holds exactly with its VAT
// (ImportoMassimo): the amount itself is one a box takes (ImportoAmmesso, else
// MessaggioImportoFuoriMisura), and the lines' amounts to invoice, without their signs, add up
// to no more (else MessaggioTotaleFuoriMisura). The message of the refusal; nothing when the
// line may enter the table, or when the text reads as no amount at all (the insertion reports
// that).
std::optional<QString> VerificaTotaleFattura(const TabellaRigheFattura& righe, const QString& impofatt,
                                             int sostituita);

// The line a validated set of fields makes, inserted into the case file `cliente`, `npra` on
// `oggi`, with the task, job, accounts, payment and VAT of the line in hand: a line typed on the
// tab, which bills no fee item. The unit charge is the amount of a unit-price element, the factor
// that of the percentage and unit-price modes ("U" when the element is unknown). db::DbError 13
// when an amount cannot be read.
RigaFattura NuovaRigaFattura(const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso, const QString& cliente,
                             const QString& npra, const QString& calcolo, const QDate& oggi);

// A line corrected from the fields: its text, amounts, accounts, payment and VAT; its key, its kind
// and the fee item it came from, if any, stay; it counts as neither posted, invoiced nor ticked.
// All or nothing: db::DbError 13 when an amount cannot be read, and the line is then unchanged.
void CorreggiRigaFattura(RigaFattura& riga, const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso,
                         const QString& calcolo);

// Where an insertion puts the new line among `numeroRighe` (the new line counted): "I" first,
// "P" above the selected line, "D" below it, "F" last; no selected line (0) is above the
// first.
int PosizioneInserimento(QChar modo, int rigaSelezionata, int numeroRighe);

// What a newly chosen element proposes for its line: the fee items' proposal (element, the
// client's price, payment), and the line's other staging values: accounts, task and job, VAT
// code (not fixed).
struct DefaultRigaFattura : ElementoProposto {
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
// of client `cliente`: PropostaElemento, the payment "0,00" for a client missing from the
// accounting archive's `anagrafe`. Task and job are
// those of the line selected in `fattura`, "0000" when none is. The VAT code is the element's
// ordinary one. Errors: "Funzione di definizione default fattura"; nothing when the
// procedure was left.
EsitoDefault DefinizioneDefaultFattura(db::Database& sessione, SceltaElemento scelta, const QString& testo,
                                       const QString& cliente, bool collegato, const FatturaInComposizioneRec& fattura);
