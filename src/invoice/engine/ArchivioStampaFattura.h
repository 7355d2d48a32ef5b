#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/ImportiDocumento.h"

// The print database of one document: a small database written for the report that prints it,
// and, copied into the invoice folder, the stored document that the reprint form reopens. Every
// value in it is text, never Null. Its two tables:
// - `Righecorpo` (Tipo, Descrizione, Indice, Importo, Iva, Pagamento): one row per printed row
//   of the invoice grid, in grid order;
// - `Dati`: the 83 columns of ColonneDati, in that order, and exactly one row. A copy stored
//   before the last nine columns were written holds the first ColonneDatiDiBase only.

// The name of the print database and of its stored copy: "SDB", the client part, the document
// letter, the registration part, `idfattura` and ".mdb". Linked, the client part is the account
// code without its dots (characters 1-2, 4-5, 7-8 and the last four: 01.02.03.0045 gives
// 0102030045) and the name has 38 characters; not linked it is the client's code whole. The
// registration part is the registration number zero-padded to five digits when the document
// was posted, "00000" when it was not (`numeroRegistrazione` empty).
QString NomeFileFattura(bool collegato, const QString& codiceCliente, TipoDocumento tipo,
                        const QString& numeroRegistrazione, const QString& idfattura);
// The registration part of the name.
QString ParteRegistrazione(const QString& numeroRegistrazione);

// The characters no file name may hold: \ / : * ? " < > |. Returns the first one `testo` holds,
// or a null character.
QChar CarattereNonAmmessoInNomeFile(const QString& testo);

// The 83 columns of `Dati`, as declared. The first 74 are every document's; the last nine
// give the printed page what it cannot work out itself:
// - TotaleDocumento: the document's total before the withholdings (taxable amounts, VAT and
//   stamp), where "Totale" is what the client pays;
// - NettoAPagare: "Totale" again when a withholding applies, "" otherwise;
// - TotImponibile: the taxable amounts of the printed VAT groups that bear VAT;
// - TotFuoriIva: those of the printed groups that bear none (exempt, non-taxable, outside
//   VAT), "" when there is none;
// - Ivadescrizione1..5: for a printed group that bears no VAT, its exemption text (the VAT
//   code's description in the accounting archive) or, without one, its code; "" for a group
//   that bears VAT.
constexpr size_t ColonneDatiDiBase = 74;
extern const std::array<const char*, 83> ColonneDati;

// "FATTURA", "NOTA DI DEBITO (var. in Aumento)", "NOTA DI CREDITO (var. in Diminuizione)".
QString TitoloDocumento(TipoDocumento tipo);

// The case file's note on the two printed lines of 50 characters: the break falls after the
// last blank among characters 40 to 50, else after character 50; the first line keeps its
// trailing blanks, the second is padded with blanks to 50; the rest is not printed.
std::pair<QString, QString> NoteFascolaSuDueRighe(const QString& note);

// The client name as the invoice tab shows it: padded with blanks or cut to 46 characters.
QString NomeClienteScheda(const QString& nome);

// What the issue has settled by the time the document is printed.
struct DocumentoEmesso {
    ImportiDocumento Importi;
    QString NumeroDocumento;  // as numbering left it (possibly empty when not posted)
    QString RifContabile;     // "" when not posted
};

// The rows of the two tables, every value as text.
struct ContenutoStampaFattura {
    std::vector<std::array<QString, 6>> Righecorpo;
    std::array<QString, 83> Dati;

    // The value of a `Dati` column by its name (case ignored); std::out_of_range for none.
    const QString& dato(const QString& colonna) const;
};

// The grid rows (heading rows only when the parameters ask for the case-file detail) and the
// header row of the document. The VAT summary prints its first five groups, each taxable
// amount re-formatted, each VAT amount re-formatted and summed only for a group whose rate is
// not zero (a zero-rate group prints its exemption text); the stamp is printed as its value
// ("###,##0.00") when there is one; the withholdings switched on print their four texts.
// std::out_of_range when a grid row points at no line.
ContenutoStampaFattura ContenutoArchivioStampa(const DocumentoDaEmettere& documento, const DocumentoEmesso& emesso);

// Writes the print database at `path`: a file of that name is replaced, the tables are created
// and filled in one transaction of the new file. Throws db::DbError (the file is then removed
// again).
void ScriviArchivioStampaFattura(const QString& path, const ContenutoStampaFattura& contenuto);

// The stored copy in the invoice folder `cartellaFatture` (with or without its final "\";
// "NO" or empty for none) of a document of this client whose `idfattura` is this one,
// whatever its letter and registration number: its file name, or "" when there is none.
QString CopiaArchiviataConIdFattura(const QString& cartellaFatture, bool collegato, const QString& codiceCliente,
                                    const QString& idfattura);
