#pragma once
#include <QString>
#include <optional>
#include <unordered_map>

#include "invoice/engine/RigheFattura.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}
class Procedura;
struct RiepilogoIva;

// VAT of the invoice lines. What a line's VAT code means depends on the accounting link:
// linked, it is a code of the accounting archive's `ivacodici`, whose `aliquota` is the rate
// in percent times 100 (2000 is 20 %); not linked, it is the rate in percent itself, typed
// as a number. Every figure derived from a code (the VAT of a line on the tab, the rate
// and VAT texts of the printed summary, the VAT added to the due amounts, the zero-rate
// test of the stamp duty) goes through one reading of it, LettoreAliquoteIva, so the
// printed summary always agrees with the totals the tab showed.

// What a VAT code stands for.
struct AliquotaIva {
    // The rate in percent; 0 for a code that carries none.
    Currency Percentuale;
    // The rate as the VAT summary prints it: linked, the rate with two decimals ("20,00",
    // "0,00" for a code the archive does not hold); not linked, the code without the blanks
    // around it.
    QString TestoAliquota;
    // What the summary prints in place of the VAT: the amount, the exemption text of a
    // zero-rate code of the archive (`Descrizione`), or, not linked, the code itself when
    // it is no number.
    enum class Imposta { Importo, Descrizione, Codice };
    Imposta TestoImposta = Imposta::Importo;
    QString Descrizione;
    // Linked: the accounting archive holds no such code (the empty code included). It then
    // carries no rate, and a document with it cannot be posted.
    bool Sconosciuto = false;
};

// Linked: what `codice`, without the blanks around it, stands for in the `ivacodici` of the
// accounting archive that `sessione` reaches. Throws db::DbError.
AliquotaIva AliquotaDellArchivio(db::Database& sessione, const QString& codice);

// Not linked: what a typed code means. A code holding a digit carries the rate AliquotaDigitata
// reads (decimal comma, or a single full stop near the end); any other code, and one that
// cannot be read so, carries no rate and prints as itself.
AliquotaIva AliquotaDaCodiceDigitato(const QString& codice);

// Not linked, the first line (1 to NumeroRighe) whose VAT code stands, in the summary
// `riepilogo` of the lines, for a rate no document bears (AliquotaAmmessa: a catalogue element
// stored with "1.000" before its box refused it bills a thousand percent); 0 when every rate
// may be billed. The rates of the accounting archive's codes are the archive's own.
int PrimaRigaConAliquotaNonAmmessa(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo);

// Not linked, why a code typed for a line cannot be its VAT; nothing when it can: a rate that
// is a number in figures from 0 up to, not including, 100 ("22", "10,5"; AliquotaAmmessa), or
// a code without digits for a line without VAT ("ES"). A number in figures out of that range
// ("150", "100", "-22", "1.000" a thousand) would be billed at no rate a document bears:
// MessaggioAliquotaNonAmmessa, as the catalogue says it. A code mixing digits with other signs
// ("2O" with a letter O, "E10") would be billed at the figures picked out of it:
// MessaggioAliquotaNonInCifre.
std::optional<QString> RifiutoCodiceIvaDigitato(const QString& codice);
inline const QString MessaggioAliquotaNonInCifre =
    QStringLiteral("Bisogna definire in cifre l'aliquota iva (per esempio 22), oppure un codice senza cifre per "
                   "un elemento senza iva");

// The VAT columns of a catalogue element (`elefat`): its ordinary code, its code under the EU
// VAT regime and its kind.
struct ElementoCatalogoIva {
    QString Iva;
    QString IvaCee;
    QString Tipo;
};

// Hash of a code (a VAT code, a catalogue element, a task or job number) for the tables that
// remember what was read per code: codes are a few characters long and a table holds few of
// them, so a plain running hash of their characters is much cheaper than the keyed hash of
// general strings.
struct HashCodice {
    size_t operator()(const QString& s) const noexcept {
        size_t h = 1469598103934665603ULL;
        for (const QChar c : s) h = (h ^ c.unicode()) * 1099511628211ULL;
        return h;
    }
};

// Reads VAT codes: the code without the blanks around it; linked, its `ivacodici` row on
// the session, where the accounting archive is reachable by its table names; not linked,
// AliquotaDaCodiceDigitato. Also reads the VAT columns of catalogue elements. Each code and
// each element is read once for the reader's life: give one reader to one display of the
// grid or to one issue.
class LettoreAliquoteIva {
public:
    // Not linked: no archive is read.
    LettoreAliquoteIva() = default;
    // `sessione` must outlive the reader; it is read only when `collegato`.
    LettoreAliquoteIva(db::Database& sessione, bool collegato) : sessione_(&sessione), collegato_(collegato) {}

    bool collegato() const { return collegato_; }
    // The session given, nullptr for a reader built without one.
    db::Database* sessione() const { return sessione_; }

    // The meaning of `codice`. A failed read goes to the error handler under `procedura`'s
    // description; when it was not carried out (the user chose to go on or to leave) the
    // result is empty, and nothing is remembered for the code.
    std::optional<AliquotaIva> leggi(const QString& codice, Procedura& procedura);
    // The meaning of `codice` when this reader has already read it; nothing is read here.
    std::optional<AliquotaIva> letta(const QString& codice) const;
    // As leggi and letta, without a copy: the meaning kept by the reader, valid for the
    // reader's life; nullptr where those give nothing.
    const AliquotaIva* leggiSenzaCopia(const QString& codice, Procedura& procedura);
    const AliquotaIva* lettaSenzaCopia(const QString& codice) const;

    // The catalogue row of element `codice` on `sessione` (the case-file archive): nothing
    // inside when the catalogue has no such element. A failed read goes to the error handler
    // under `procedura`'s description; when it was not carried out the result is empty and
    // nothing is remembered for the element.
    std::optional<std::optional<ElementoCatalogoIva>> elemento(const QString& codice, db::Database& sessione,
                                                               Procedura& procedura);
    // As elemento, without a copy: the row kept by the reader, valid for the reader's life;
    // nullptr when the read was not carried out.
    const std::optional<ElementoCatalogoIva>* elementoSenzaCopia(const QString& codice, db::Database& sessione,
                                                            Procedura& procedura);

private:
    db::Database* sessione_ = nullptr;
    bool collegato_ = false;
    // Node-based, so that what they hold stays where it is while more is read.
    std::unordered_map<QString, AliquotaIva, HashCodice> letti_;
    std::unordered_map<QString, std::optional<ElementoCatalogoIva>, HashCodice> elementi_;
};

// The VAT of a line at the meaning of its code, to the cent (ImpostaSuImponibile).
Currency ImpostaRiga(const RigaFattura& riga, const AliquotaIva& aliquota);

// The VAT text of a line for the summary: its VAT with two decimals and no thousands mark
// ("1234,56"), or the exemption text, or the line's own code.
QString TestoImpostaRiga(const RigaFattura& riga, const AliquotaIva& aliquota);

// Settles the VAT code and kind of a line and returns its VAT. Unless the code was fixed by
// hand, the line takes its element's catalogue row (`elefat` on the session, read through
// `aliquote`, so once per element for the reader's life): the kind
// `tipo` and the code `ivacee` under the EU VAT regime, `iva` otherwise. A line whose
// element is no longer in the catalogue keeps its code and kind. The VAT is that of the
// code the line then holds. Failures go to the error handler ("Funzione di calcolo iva"):
// a catalogue read not carried out leaves the line's code and kind as they were; leaving the
// procedure, or a VAT code that could not be read, gives 0.
Currency CalcoloIva(RigaFattura& riga, bool ivaCee, db::Database& sessione, LettoreAliquoteIva& aliquote);

// The rate text of the line's code, "" when the code could not be read ("Funzione di
// definizione aliquota iva").
QString DefinizioneAliquotaIva(const RigaFattura& riga, LettoreAliquoteIva& aliquote);

// The VAT text of the line (TestoImpostaRiga), "" when the code could not be read
// ("Funzione di calcolo imposta iva").
QString CalcoloImpostaIva(const RigaFattura& riga, LettoreAliquoteIva& aliquote);
