#pragma once
#include <QString>
#include <vector>

#include "accounting/engine/RegistrazioneContabile.h"
#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/ImportiDocumento.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// What a document hands to the journal of the accounting archive: one registration with a
// header, a row for the client, one row per revenue account and a row for the VAT (with the
// stamp duty and what the two-decimal totals hold beyond the lines), and the VAT lines of its
// VAT summary.

// A document is numbered from the VAT register and posted only when the accounting archive is
// linked and neither withholding is switched on (whatever their amounts).
bool ContabilizzazioneAmmessa(const DocumentoDaEmettere& documento);

// The client's side: "D" for an invoice or a debit note, "A" for a credit note; the revenue
// and VAT rows take the other side.
QString SegnoCliente(TipoDocumento tipo);
QString SegnoRicavi(TipoDocumento tipo);

// The detail rows of a registration, row j at element j - 1.
struct RigheRegistrazione {
    std::vector<QString> Segni;
    std::vector<QString> Conti;
    std::vector<Currency> Importi;
    Currency Ricavi;  // the sum of the revenue rows, to four decimals
    int Numero() const { return int(Conti.size()); }
};

// The client's row (account `CodiceCliente`, the document total) and one revenue row per
// distinct revenue account of the lines, in the order each first occurs, summing the lines'
// amounts; lines of amount 0 give no row. An empty account is an account like any other.
RigheRegistrazione RigheClienteERicavi(const DocumentoDaEmettere& documento, Currency totaleDocumento);

// The revenue rows leave part of the total unposted (VAT, stamp duty, rounding of the totals
// to the cent): a VAT row must carry it.
bool ServeRigaIva(const RigheRegistrazione& righe, Currency totaleDocumento);

// The VAT row: on the sales VAT account, the total less the revenue rows, revenue side.
void AggiungiRigaIva(RigheRegistrazione& righe, TipoDocumento tipo, const QString& contoIvaVendite,
                     Currency totaleDocumento);

// "EMESSA FATTURA N. 13 A Rossi Mario" and the like, cut to the journal's 100 characters.
QString DescrizioneRegistrazione(TipoDocumento tipo, const QString& numeroDocumento, const QString& nomeCliente);

// The registration of the document: header items 1 to 26, the VAT lines of every VAT group and
// the detail rows. `numeroRegistrazione` is the number just reserved for the document date.
DatiRegistrazione RegistrazioneDocumento(const DocumentoDaEmettere& documento, const RiepilogoIva& riepilogo,
                                         const RigheRegistrazione& righe, const QString& numeroDocumento,
                                         const QString& numeroRegistrazione);

// The accounting reference printed on a posted document: "15/01/2004 - 00012".
QString RiferimentoContabile(const QString& dataFattura, const QString& numeroRegistrazione);

// The sales VAT account of the accounting parameters (`parametri`, first row), reached through
// the session; "" when the archive has no parameter row or the account is not set (empty, or
// the empty code "00.00.00.0000"). Throws db::DbError.
QString ContoIvaVendite(db::Database& sessione);
