#pragma once
// What a catalogue element proposes when it is chosen for a new fee item (its price from the
// client's price list or the catalogue, its payment term, its bookkeeping defaults), and the
// check of an entry's fields before it is stored. The look-ups run on the session given;
// they hand their errors to the error handler under their own description texts.
#include <QString>
#include <optional>

#include "fees/engine/CalcoloCompetenza.h"
#include "fees/engine/ElementiDaFatturare.h"
#include "fees/engine/ElementoMostrato.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// The client's price-list row for an element (`elecli`). Null columns read as 0 and "".
struct PrezzoCliente {
    Currency Importo;
    QString Pagamento;
};
// Throws db::DbError.
std::optional<PrezzoCliente> PrezzoDiListino(db::Database& sessione, const QString& cliente, const QString& elemento);

// The payment code of the client's account in the linked accounting archive (`anagrafe`);
// nothing when the client has no row there. Throws db::DbError.
std::optional<QString> PagamentoInAnagrafe(db::Database& sessione, const QString& cliente);

inline const QString MessaggioElementoAnomalo =
    QStringLiteral("Attenzione: situazione anomala, il codice elemento inserito non esiste");

enum class SceltaElemento { PerCodice = 1, PerDescrizione = 2 };

// An element chosen to be charged to a client, and what it proposes wherever it is charged
// (a fee item, an invoice line): the client's own price and the payment term.
struct ElementoProposto {
    ElementoDaFatturare Elemento;
    std::optional<PrezzoCliente> Listino;  // the client's own price, when the list has one
    QString Pagamento;
};

struct EsitoElementoProposto {
    std::optional<ElementoProposto> Proposta;
    bool ElementoInesistente = false;  // MessaggioElementoAnomalo
};

// The element chosen by code or by description (the first in code order of those so
// described) for client `cliente`, with the client's price-list row for it and its payment
// term: the client's price-list term; else, linked and the element paid on the client's own
// terms, the client's payment code in the accounting archive, `fuoriAnagrafe` when the client
// is not there; else the element's own. Errors go to the handler under `descrizioneErrori`;
// nothing when the procedure was left.
EsitoElementoProposto PropostaElemento(db::Database& sessione, SceltaElemento scelta, const QString& testo,
                                       const QString& cliente, bool collegato, const QString& descrizioneErrori,
                                       const QString& fuoriAnagrafe);

// What a newly chosen element proposes for its fee item.
struct DefaultCompetenza : ElementoProposto {
    DettaglioCompetenzaRec Dettaglio;
};

struct EsitoDefaultCompetenza {
    std::optional<DefaultCompetenza> Default;
    bool ElementoInesistente = false;  // MessaggioElementoAnomalo
};

// The defaults of the element chosen by code or by description for a fee item of client
// `cliente`: PropostaElemento, the payment "0" (immediate) for a client missing from the
// accounting registry, and the element's bookkeeping defaults. Errors: "Funzione di
// definizione dei default"; nothing when the procedure was left.
EsitoDefaultCompetenza DefinizioneDefault(db::Database& sessione, SceltaElemento scelta, const QString& testo,
                                          const QString& cliente, bool collegato);

// The fields the checks send the user to.
enum class CampoCompetenza { Elemento, Descrizione, Importo, Fattore, Impofatt, Pagamento, Data };

inline const QString MessaggioMancaElemento = QStringLiteral("Bisogna definire un codice elemento da fatturare");
inline const QString MessaggioMancaDescrizione = QStringLiteral("Si deve definire una descrizione per l'elemento");
inline const QString MessaggioElementoInesistente =
    QStringLiteral("Il codice elemento non risulta definito in archivio");
inline const QString MessaggioMancaImporto = QStringLiteral("Bisogna definire l'importo nel campo");
inline const QString MessaggioMancaFattore = QStringLiteral("Definire il campo fattore");
inline const QString MessaggioMancaImpofatt = QStringLiteral("definire l'importo da fatturare");
inline const QString MessaggioImpofattNonImporto = QStringLiteral("definire in cifre l'importo da fatturare");
// The amount box holds a text that is no amount: the box named by the caption the element's
// calculation mode gives it ("Costo", "dir. unitario"...), none when the mode gives none.
QString MessaggioImportoNonImporto(const QString& didascalia);
// The factor box holds a text that is no number in figures ("3 ore", "due"): the box named by
// the caption the element's mode gives it ("quantità", "Percent").
QString MessaggioFattoreNonNumero(const QString& didascalia);
inline const QString MessaggioMancaPagamento = QStringLiteral("Bisogna definire il campo pagamento");
inline const QString MessaggioMancaData = QStringLiteral("Si deve inserire la data di inserimento in fascola");

struct EsitoVerifica {
    // The fields may be stored. False with no Messaggio: the procedure was left.
    bool Valida = false;
    QString Messaggio;  // the first check that failed
    CampoCompetenza Campo = CampoCompetenza::Elemento;  // where the user is to go
    std::optional<ElementoDaFatturare> Elemento;        // the element, once found
};

// The checks an element priced from the catalogue passes, wherever it is charged (a fee item, an
// invoice line) as `scopo`, in order: an element, a description, the element the fields show
// (`mostrato`, nothing when they show none: ElementoDellaVoce; MessaggioElementoCambiato otherwise,
// naming `pulisci`, the button that clears the fields), an element of the catalogue, then the
// amount and the factor boxes its mode requires. A required amount must hold a number in figures
// (MessaggioImportoNonImporto otherwise, naming the box) that ImportoAmmesso takes
// (MessaggioImportoFuoriMisura otherwise); a required factor a number in figures too
// (MessaggioFattoreNonNumero otherwise, naming the box) whose ProdottoDaFattore with the amount
// stays within the range of money (MessaggioImportoFuoriMisura at the factor otherwise), so that no
// entry keeps an amount to invoice worked out of a factor it no longer holds.
// `descrizioneErrori` names the procedure to the error handler.
EsitoVerifica VerificaElementoEImporti(db::Database& sessione, const CampiCompetenza& campi,
                                       const ElementoDaFatturare* mostrato, ScopoVoce scopo,
                                       const QString& pulisci, const QString& descrizioneErrori);

// The checks of a fee item's fields before it is added or corrected: those above, then an
// amount to invoice that holds a number in figures (NumeroInCifre; MessaggioImpofattNonImporto
// otherwise) that ImportoAmmesso takes, a payment, and a date. A box's value is what
// ImportoDelBox reads. A code typed over the element shown is told to clear the fields with
// VUOTA. Errors: "Funzione di verifica coerenza dati inseriti".
EsitoVerifica VerificaCoerenzaDati(db::Database& sessione, const CampiCompetenza& campi,
                                   const ElementoDaFatturare* mostrato, ScopoVoce scopo);
