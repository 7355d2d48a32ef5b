#pragma once
#include <QString>
#include <array>
#include <vector>

#include "platform/system/Currency.h"

namespace db {
class Database;
}

// One registration to be written into the journal of an accounting archive.
//
// Testata holds the header items 1 to 26 (element 0 is not used):
//   1 originating module (giornale.madre)        14 VAT counterpart, the client's account
//   2 kind of registration, one letter           15 VAT protocol, the document number
//   3 "S": the registration carries VAT          16 document total, amount text
//   4 currency code                              17 "S": VAT accrual flag
//   5 exchange rate, amount text                 18 number of VAT lines V
//   6 registration date dd/mm/yyyy               19 number of detail lines L
//   7 registration number, five digits,          20 issuing program (not used here)
//     reserved for the date of item 6           21 full path of the accounting archive
//   8 document date dd/mm/yyyy                   22 VAT-register print marker, number text
//   9 protocol reference                         23 journal print marker, number text
//  10 "S": accrual flag                          24 "S": notes flag
//  11 description                                25 image reference
//  12 VAT document kind, the document letter     26 link to a suspended-VAT registration
//  13 VAT register code
// Items 12 to 17 and 26 count only when item 3 is "S". Every comparison with "S" or "A" is
// exact: "s" is no, "a" a debit side. Item 21 names the archive for the record: the rows go
// to the archive the registration is given.
//
// The line arrays hold line i at element i - 1: the VAT lines 1 to V in CodiciIva,
// Imponibili and Imposte, the detail lines 1 to L in Segni ("A" credit, anything else
// debit), Conti and Importi.
struct DatiRegistrazione {
    std::array<QString, 27> Testata;
    std::vector<QString> CodiciIva;
    std::vector<Currency> Imponibili;
    std::vector<Currency> Imposte;
    std::vector<QString> Segni;
    std::vector<QString> Conti;
    std::vector<Currency> Importi;
};

// A registration by name, as the program composes it: the header items by their meaning, a
// list of detail rows and a list of VAT rows. The writer turns it into the positional form
// above (DatiDellaRegistrazione); nothing else handles that form.
struct RigaRegistrazione {
    QString Segno;  // "D" debit, "A" credit
    QString Conto;  // account code of the chart of accounts
    Currency Importo;
};

struct RigaIvaRegistrazione {
    QString Codice;  // VAT code
    Currency Imponibile;
    Currency Imposta;
};

struct TestataRegistrazione {
    QString Madre;                // 1 originating module
    QString Tipo;                 // 2 kind of registration, one letter
    bool ConIva = false;          // 3 the registration carries VAT ("S")
    QString Valuta;               // 4 currency code
    Currency Cambio;              // 5 exchange rate
    QString DataRegistrazione;    // 6 dd/mm/yyyy
    QString NumeroRegistrazione;  // 7 five digits, reserved for the date; the number used once written
    QString DataDocumento;        // 8 dd/mm/yyyy
    QString Protocollo;           // 9 protocol reference
    bool Competenza = false;      // 10 accrual flag ("S")
    QString Descrizione;          // 11
    QString TipoDocumentoIva;     // 12 the document letter
    QString RegistroIva;          // 13 VAT register code
    QString ClienteFornitoreIva;  // 14 the client's account
    QString ProtocolloIva;        // 15 the document number
    Currency TotaleIva;           // 16 document total of the VAT rows
    bool CompetenzaIva = false;   // 17 VAT accrual flag ("S")
    QString Programma;            // 20 issuing program (not used by the posting)
    QString PathArchivio;         // 21 full path of the accounting archive
    int StampaIva = 0;            // 22 VAT-register print marker
    int StampaGiornale = 0;       // 23 journal print marker
    bool Appunti = false;         // 24 notes flag ("S")
    QString Immagine;             // 25 image reference
    int LinkIvaSospesa = 0;       // 26 link to a suspended-VAT registration
};

struct Registrazione {
    TestataRegistrazione Testata;
    std::vector<RigaRegistrazione> Righe;      // items 19 counts them
    std::vector<RigaIvaRegistrazione> RigheIva;  // item 18 counts them
};

// The positional form of a registration: the flags as "S" / "N", the exchange rate and the
// total as amount texts ("1,00", "1.370,00"), the counts and markers as plain numbers.
DatiRegistrazione DatiDellaRegistrazione(const Registrazione& registrazione);

// The results of RegistrazioneContabile. Only RegistrazioneEseguita leaves rows in the
// archive: every other result leaves it as it was (and, inside a caller's transaction, dooms
// that transaction: see db::Transaction).
enum EsitoRegistrazione {
    RegistrazioneEseguita = 0,
    // No registration number ("00000": the date had none left).
    RegistrazioneSenzaNumero = 11,
    // A failure was answered Abort or Ignore: a registration is written whole or not at all.
    RegistrazioneAbbandonata = 12,
    // Item 19 is no whole number from 1 to the detail lines given, or, with VAT, item 18 none
    // from 0 to the VAT lines given: refused before anything is reserved or written.
    RegistrazioneRigheNonValide = 13,
};

// Writes the registration into the accounting archive reached through `archivio` (the
// session, or a connection to the accounting archive itself): the `giornale` header, one
// `giornaledettaglio` row per detail line numbered within its side, one `ivadettaglio` row
// per VAT line linked to that header, and the confirmation of the number in
// `giornalenumero`, all in one transaction (the caller's, when there is one). First the
// number of item 7 is checked against the journal of its date and renewed until no header
// of that date carries it; on success item 7 holds the number used, as five-digit text.
// Items 5 and 16 may be rewritten by the amount conversion (a decimal point becomes a comma).
//
// The registration is an OperazioneIndivisibile: a failed statement is never skipped, not on
// Ignore either, so no header without its date and no journal entry without some of its lines
// is ever committed.
int RegistrazioneContabile(db::Database& archivio, DatiRegistrazione& Dati);

// The same for a registration by name; on success its NumeroRegistrazione is the number used.
int RegistrazioneContabile(db::Database& archivio, Registrazione& registrazione);
