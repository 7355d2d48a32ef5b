#pragma once
#include <QString>
#include <array>
#include <vector>

#include "platform/system/Currency.h"

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
// exact: "s" is no, "a" a debit side.
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

// The results of RegistrazioneContabile. Only RegistrazioneEseguita leaves rows in the
// archive: every other result leaves it as it was.
enum EsitoRegistrazione {
    RegistrazioneEseguita = 0,
    // The header row could not be written (the user went on past its failure), so the lines
    // had nothing to belong to.
    RegistrazioneSenzaTestata = 10,
    // No registration number ("00000": the date had none left).
    RegistrazioneSenzaNumero = 11,
    // A failure was left through the error handler.
    RegistrazioneAbbandonata = 12,
};

// Writes the registration: the `giornale` header, one `giornaledettaglio` row per detail line
// numbered within its side, one `ivadettaglio` row per VAT line linked to that header, and
// the confirmation of the number in `giornalenumero`, all in one transaction. First the
// number of item 7 is checked against the journal of its date and renewed while a header
// already carries it; item 7 leaves holding the number used, as five-digit text. Items 5 and
// 16 may be rewritten by the amount conversion (a decimal point becomes a comma).
int RegistrazioneContabile(DatiRegistrazione& Dati);
