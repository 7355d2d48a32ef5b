#pragma once
#include <QString>
#include <optional>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/DatiCliente.h"
#include "invoice/engine/ImportiDocumento.h"
#include "invoice/engine/RigheFattura.h"

// What the issue of a document reads, taken from the invoice tab and the program-wide records
// at the moment STAMPA is pressed. The issue works on this copy alone: nothing it does depends
// on the window, and nothing the window does meanwhile changes what is issued.

// The document kind chosen with the tab's options; the value is the document letter.
enum class TipoDocumento : char {
    Fattura = 'F',      // invoice
    NotaDebito = 'E',   // debit note (variation upwards)
    NotaCredito = 'H',  // credit note (variation downwards)
};

// "F", "E" or "H".
QString LetteraDocumento(TipoDocumento tipo);
// The kind of a document letter; nothing for any other text.
std::optional<TipoDocumento> TipoDaLettera(const QString& lettera);

// The case file on display: its client and the fields of the mask printed on the document.
struct FascolaEmessa {
    // The client: an account code "GG.MM.CC.SSSS" when the accounting archive is linked, a
    // code of the program's own registry otherwise.
    QString CodiceCliente;
    QString NomeCliente;
    QString Npra;            // the case number, four digits
    QString NumeroAssoluto;  // `numpranno`, "2004.00017"
    QString Data;            // the case file's date as the mask shows it
    QString RifCliente;      // the client's reference
    QString Note;            // the case file's note
};

struct DocumentoDaEmettere {
    TipoDocumento Tipo = TipoDocumento::Fattura;
    TabellaRigheFattura RigheFattura;
    TabellaRigheVisualizzate RigheVisualizzate;
    // The totals and VAT summary of the lines as the tab composed and showed them.
    RiepilogoIva Riepilogo;
    FascolaEmessa Fascola;
    ParametriFatturaRec Parametri;
    NoteFatturaRec Note;
    DatiClienteFatturaRec DatiCliente;
    // The start folder (where the print database is written), the invoice folder (where the
    // stored copies lie), the accounting link and its archive's path.
    AmbienteLavoroRec Ambiente;
};

// The document composed on the invoice tab: its lines and grid rows, the invoicing parameters,
// notes, client data and working environment as they are now, with what only the tab knows:
// the totals and VAT summary it composed from those lines.
DocumentoDaEmettere DocumentoInComposizione(TipoDocumento tipo, const RiepilogoIva& riepilogo,
                                            const FascolaEmessa& fascola);
