#pragma once
// The catalogue form's fields as the rules see them: the checks every save runs first, and
// the row the fields describe.
#include <QString>
#include <optional>

#include "fees/engine/ElementiDaFatturare.h"

// What the catalogue form shows: the texts of its fields and code labels and the options set.
struct CampiElemento {
    QString codice;
    QString descrizione;
    bool accoda = false;
    QString calcolo;  // the letter of the calculation option set, "" when none is
    QString importo;
    QString arrotonda;
    QString iva;       // linked: the VAT description; not linked: the typed rate
    QString ivacee;
    QString lblIva;    // linked: the VAT caption, "20 ( 20%)"
    QString lblIvacee;
    QString tipo;      // the letter of the type option set, "" when none is
    QString contofat;  // the account descriptions
    QString dare;
    QString avere;
    QString lblContofat;  // the account codes
    QString lblDare;
    QString lblAvere;
    bool pagaCli = true;  // "Pagamento definito nella scheda cliente"
    QString lblCodicePagamento;
};

// The field a check points the user to.
enum class CampoElemento {
    Codice,
    Descrizione,
    Calcolo,
    Importo,
    Arrotonda,
    Iva,
    IvaCee,
    Tipo,
    Contofat,
    Dare,
    Avere,
};

struct RifiutoElemento {
    CampoElemento campo;
    QString messaggio;
};

// The first check the fields fail, in the fixed order code, description, calculation,
// amount, rounding, the two VAT fields, type and, linked, the three accounts; nothing when
// every check passes. Linked, the VAT checks look at the descriptions and the account checks
// at the codes beside them (an account the form could not read from its box has none); not
// linked, each VAT field must hold a rate from 0 up to, not including, 100, read as the
// invoice lines bill it (AliquotaDigitata: "12,5" is 12,5, "1.000" a thousand), and the
// accounts are not checked. A number too large for an amount counts as no number; a price
// beyond ImportoAmmesso is refused with MessaggioImportoFuoriMisura.
std::optional<RifiutoElemento> VerificaElemento(const CampiElemento& campi, bool collegato);

// The row the fields describe, for fields that passed VerificaElemento: the amount and the
// rounding as ImportoDelBox reads them ("0.50" is fifty cents); linked, each VAT code is the
// code part of its caption (the text before " (") and the accounts are the labels' codes;
// not linked, the VAT fields hold the typed rates and no account is stored. On the client's
// own terms the payment code is "0", otherwise the label's code. db::DbError 13 or 6 when a
// number cannot be read.
ElementoDaFatturare ElementoDaiCampi(const CampiElemento& campi, bool collegato);

// An amount as the form shows a stored one: no mask, the decimal comma, only the decimals
// needed ("1234,5", "100").
QString TestoImportoElemento(const Currency& importo);
