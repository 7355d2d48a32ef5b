#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "accounting/engine/RegistrazioneContabile.h"
#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/ImportiDocumento.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// What a document hands to the journal of the accounting archive: one registration with a
// header, a row for the client, one row per revenue account (the stamp duty on the account of
// the line that bears it) and a row for the VAT, and the VAT lines of its VAT summary. The
// lines are in whole cents (ImportoRigaDocumento), so the revenue rows add up to the taxable
// amounts of the VAT lines and the VAT row carries their VAT, to the cent.

// A document is numbered from the VAT register and posted only when the accounting archive is
// linked and neither withholding is switched on (whatever their amounts).
bool ContabilizzazioneAmmessa(const DocumentoDaEmettere& documento);

// The client's side: "D" for an invoice or a debit note, "A" for a credit note; the revenue
// and VAT rows take the other side.
QString SegnoCliente(TipoDocumento tipo);
QString SegnoRicavi(TipoDocumento tipo);

// The detail rows of a registration, in order.
struct RigheRegistrazione {
    std::vector<RigaRegistrazione> Righe;
    Currency Ricavi;  // the sum of the revenue rows, to four decimals
    int Numero() const { return int(Righe.size()); }
};

// The client's row (account `CodiceCliente`, the document total) and one revenue row per
// distinct revenue account of the lines, in the order each first occurs, summing the lines'
// amounts; lines of amount 0 give no row. An empty account is an account like any other.
RigheRegistrazione RigheClienteERicavi(const DocumentoDaEmettere& documento, Currency totaleDocumento);

// The stamp duty `bollo` credited to the revenue account `conto` (the account of the line that
// bears it): added to that account's revenue row, or a row of its own after the others.
void AccreditaBollo(RigheRegistrazione& righe, TipoDocumento tipo, const QString& conto, Currency bollo);

// The revenue rows leave part of the total unposted (its VAT): a VAT row must carry it.
bool ServeRigaIva(const RigheRegistrazione& righe, Currency totaleDocumento);

// The VAT row: on the sales VAT account, the total less the revenue rows, revenue side.
void AggiungiRigaIva(RigheRegistrazione& righe, TipoDocumento tipo, const QString& contoIvaVendite,
                     Currency totaleDocumento);

// The first line of a document that cannot be posted, and why, in the user's words ("manca il
// conto ricavi", "il codice IVA 22 non è nell'archivio contabile").
struct RigaNonContabilizzabile {
    int Riga = 0;  // 1 to NumeroRighe
    QStringList Motivi;
};

// Checks the lines against the accounting archive reached through the session, the one the
// posting goes to, before it is written: every line whose amount is posted, and the line bearing
// the stamp duty, needs a revenue account that is a sottoconto of `pianodeiconti` (not empty,
// not the empty code, not a heading ".0000"); every line needs a VAT code the archive holds, at
// the rate its group of the VAT summary `importi.Riepilogo` was worked out at (the tab composed
// it on the archive linked then). Nothing when every line can be posted. Throws db::DbError.
std::optional<RigaNonContabilizzabile> PrimaRigaNonContabilizzabile(db::Database& sessione,
                                                                   const DocumentoDaEmettere& documento,
                                                                   const ImportiDocumento& importi);

// "EMESSA FATTURA N. 13 A Rossi Mario" and the like, cut to the journal's 100 characters.
QString DescrizioneRegistrazione(TipoDocumento tipo, const QString& numeroDocumento, const QString& nomeCliente);

// The registration of the document: its header, a VAT row of every VAT group (its taxable
// amount and VAT; the group of the line that bears the stamp duty registers the stamp with its
// taxable amount, as the stamp is credited to that line's revenue account) and the detail rows.
// The header's VAT total is the document total, which the VAT rows add up to.
// `numeroRegistrazione` is the number just reserved for the document date.
Registrazione RegistrazioneDocumento(const DocumentoDaEmettere& documento, const ImportiDocumento& importi,
                                     const RigheRegistrazione& righe, const QString& numeroDocumento,
                                     const QString& numeroRegistrazione);

// The accounting reference printed on a posted document: "15/01/2004 - 00012".
QString RiferimentoContabile(const QString& dataFattura, const QString& numeroRegistrazione);

// The sales VAT account of the accounting parameters (`parametri`, first row), reached through
// the session; "" when the archive has no parameter row or the account is not set (empty, or
// the empty code "00.00.00.0000"). Throws db::DbError.
QString ContoIvaVendite(db::Database& sessione);
