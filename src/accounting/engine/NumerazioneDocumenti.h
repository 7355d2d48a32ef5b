#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace db {
class Database;
}

// Numbers of the documents on the sales VAT registers of the accounting archive. A register
// (`ivaregistri`) keeps, per counter, the last number it issued; its numbering criterion
// chooses the counter of each document letter ("F" invoice, "E" debit note, "H" credit note):
// the invoice counter for every invoice, and for a note 1 the invoice counter, 2 one counter
// for both kinds of note, 3 a counter for each. The journal headers (`giornale`) carry each
// posted document's register, letter and number. The accounting archive holds one financial
// year, so its register is the year's register. Both routines run on `archivio` (the session,
// or a connection to the accounting archive itself), inside the caller's transaction when
// there is one.

// Whether a document of the year that no journal header carries (a document not posted)
// already bears the document number `numero` (as printed: the register's suffix included) in
// the series of the letters `lettere`. The journal knows only the documents posted; the caller
// knows the others. An empty function: none.
using NumeroGiaEmesso = std::function<bool(const QString& numero, const QStringList& lettere)>;

// The next number of a document kind on the sales VAT register ParametriFattura().RegistroIva.
//
// TipoDocumento is the document letter. The counter is advanced and written back at once,
// inside one write transaction with its reading, so that no other workstation and not the
// accounting package can be handed the same number. A number that a journal header of the
// register already carries on the same counter (typed on a document before the counter
// reached it), and one that `giaEmesso` says a document not posted bears, is passed over: the
// counter moves beyond it. The result is the number, then a blank and the register's suffix
// when it has one ("13 A"); the empty text when no number was issued (unknown register or
// letter, a note under a criterion without a counter for it, or a failure left through the
// error handler: then nothing is written).
QString NumeroFattura(db::Database& archivio, const QString& TipoDocumento, const NumeroGiaEmesso& giaEmesso = {});

// What a number typed for a document is to its register.
enum class NumeroDigitato {
    // No journal header of the register carries it on its counter, no document not posted
    // bears it, and it is not beyond the register's next number. When it is the next number, the counter now stands at it, so
    // that the register never hands it out again; a number the counter has passed fills a
    // number the journal does not hold.
    Ammesso,
    GiaUsato,             // a journal header of the register carries it on the same counter,
                          // or a document not posted bears it (giaEmesso)
    OltreIlSuccessivo,    // beyond the next number: the numbers between would stay unused
    NonProgressivo,       // no whole number from 1 at its start
    RegistroInesistente,  // the archive has no register of that code
};

struct EsitoNumeroDigitato {
    NumeroDigitato Esito = NumeroDigitato::RegistroInesistente;
    // The last number the register's counter had issued, as it was found (0 for a note the
    // criterion gives no counter).
    int64_t UltimoNumero = 0;
};

// Checks the number `numero` typed for a document of letter `lettera` on the register
// `registro`, posted or not, and, when it is the register's next number, advances the counter
// to it in the same write transaction. The number is the whole number at the start of the text
// ("13 A" is 13) for the journal and the counter, the text itself for `giaEmesso`. A note under
// a criterion without a counter for it is checked against the journal only. Throws
// db::DbError; nothing is written unless the result is Ammesso.
EsitoNumeroDigitato AccogliNumeroDigitato(db::Database& archivio, const QString& registro, const QString& lettera,
                                          const QString& numero, const NumeroGiaEmesso& giaEmesso = {});
