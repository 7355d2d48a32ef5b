#pragma once
// The two lists of a client's billing parameters as the form builds them before storing:
// the fixed billing items and the price list. The look-ups of the catalogue and of the
// payment codes, the checks made before a row joins a list, and what the grids show.
//
// Look-ups and checks run on the session (ArchivioInUso()): the catalogue `elefat` is in the
// case-file archive, the payment codes `codicipagamento` in the accounting archive attached
// to it while the link is on. They throw db::DbError; the form runs them under its own
// error-handler texts.
#include <QString>
#include <optional>
#include <vector>

#include "clients/engine/ParametriCliente.h"
#include "fees/engine/ElementiDaFatturare.h"
#include "accounting/engine/ElenchiContabili.h"
#include "platform/system/ComboRow.h"

namespace db {
class Database;
}

// The two element combos list the catalogue's descriptions alphabetically:
// ElencoDescrizioniElementi, with the catalogue.


// The catalogue element a description chosen in an element combo stands for: the first one
// of that description.

// Why a row may not join its list: the message for the user and the field to correct.
struct RifiutoRiga {
    enum Campo { Elemento, Applicazione, Prezzo, Pagamento };
    QString messaggio;
    Campo campo = Elemento;
};

// The checks before `elemento` joins the fixed items with the application code `applica`
// (empty when no occasion was chosen), in order: room left, not in the list yet, in the
// catalogue, not an advance, an occasion chosen. Nothing when it may join.
std::optional<RifiutoRiga> VerificaElementiFissi(db::Database& archivio, const std::vector<ElementoFisso>& fissi,
                                                 const QString& elemento, const QString& applica);

// The checks before `elemento` joins the price list at the price typed `prezzo` with the
// payment typed `pagamento`, in order: an element chosen, not in the list yet, in the
// catalogue, not an advance, a price that a box takes (ImportoAmmesso), a payment that exists (linked: a payment code of the
// accounting archive; not linked: a number of days) and that the archive can hold. Nothing
// when it may join.
std::optional<RifiutoRiga> VerificaElementiListino(db::Database& archivio, const std::vector<RigaListino>& listino,
                                                   const QString& elemento, const QString& prezzo,
                                                   const QString& pagamento, bool collegato);

// The price typed for a price-list row as money, as every amount box reads it: nothing when
// the text is no number in figures (NumeroInCifre: empty, "abc", "1,2,3") or no amount.
std::optional<Currency> PrezzoListino(const QString& prezzo);

// The payment a row is stored with: the text typed, "0" when nothing was typed.
QString PagamentoListino(const QString& pagamento);

// Takes out of the list the first item of `elemento`, the later ones moving up one place.
// False when the list has none.
bool TogliElementoFisso(std::vector<ElementoFisso>& fissi, const QString& elemento);
bool TogliRigaListino(std::vector<RigaListino>& listino, const QString& elemento);

// The occasion column of the fixed-item grid: "fascola", "Lavoraz.", "Fattura", one blank for
// no code, empty for a code the program does not know.
QString TestoApplicazione(const QString& applica);

// A description as the grids show it: padded with blanks or cut to `larghezza` characters.
QString DescrizioneInGriglia(const QString& descrizione, int larghezza);
