#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "platform/system/ComboRow.h"

namespace db {
class Database;
}

// The documents kept in the invoice folder, as the reprint form lists, reprints and cancels
// them. A stored copy is found by its name alone (NomeFileFattura): "SDB", the client part,
// the document letter, the five-digit registration number, `idfattura` and ".mdb". Linked to
// the accounting archive, the client part is the account code without its dots (ten digits);
// otherwise the code of the program's own registry, whole. The parts are read from the end of
// the name, so both kinds are read alike.

struct DocumentoArchiviato {
    QString NomeFile;       // the file name, without folder
    QString ParteCliente;   // the client part of the name
    QString Lettera;        // "F" invoice, "E" debit note, "H" credit note
    QString Registrazione;  // five characters, "00000" when not posted
    QString IdFattura;      // fifteen characters: case number, yymmdd, document number

    // The five columns of the list.
    QString Fascola() const;   // the case number, characters 1-4 of `idfattura`
    QString Data() const;      // the date part yymmdd shown as dd/mm/yy
    QString TipoDoc() const;   // "Fattura", "N.Debit", "N.Cred."
    QString Numero() const;    // the document number without its leading zeros
    QString RegCont() const;   // the registration number without its leading zeros
};

// The text from its first character other than "0"; "00000" stays as it is.
QString SenzaZeriIniziali(const QString& testo);

// The name `nome` read as a stored copy of the client whose client part is `parteCliente`
// (letter case ignored): nothing when it is not one (another client, another kind of file, a
// letter other than F, E, H).
std::optional<DocumentoArchiviato> LetturaNomeDocumento(const QString& nome, const QString& parteCliente);

// The name `nome` read as a stored copy of any client: the client part is what the fixed parts
// leave (linked, it must have ten characters). Nothing when it is not one.
std::optional<DocumentoArchiviato> LetturaNomeQualsiasi(const QString& nome, bool collegato);

// The client part of the names of `codiceCliente`'s copies: linked, the account code
// "GG.MM.CC.SSSS" without its dots (characters 1-2, 4-5, 7-8 and the last four); otherwise the
// code, without surrounding blanks.
QString ParteClienteDocumenti(const QString& codiceCliente, bool collegato);

// The client code a stored copy belongs to: linked, its ten digits with the dots put back;
// otherwise the client part whole.
QString CodiceClienteDocumento(const DocumentoArchiviato& documento, bool collegato);

// The client's stored copies in the invoice folder `cartellaFatture` (with or without its final
// separator), in ascending order of their names by character code: so debit notes (E) come
// before invoices (F) and these before credit notes (H). Empty when the folder is not given
// ("NO") or does not exist.
std::vector<DocumentoArchiviato> ElencoDocumentiArchiviati(const QString& cartellaFatture, const QString& codiceCliente,
                                                           bool collegato);

// The codes the client box offers: linked, the client accounts of the chart (natura "C",
// headings ending ".0000" left out); otherwise the program's own registry. In code order.
// Throws db::DbError.
std::vector<ui::ComboRow> ElencoClientiDocumenti(db::Database& sessione, bool collegato);

// The client's name: linked, the description of the client account in the chart; otherwise
// the registry's `ragione`. Nothing when there is no such client. Throws db::DbError.
std::optional<QString> NomeClienteDocumenti(db::Database& sessione, const QString& codiceCliente, bool collegato);

// Whether the stored copy at `path` can be printed: a database holding the tables `Righecorpo`
// and `Dati` with every column the layouts read.
enum class StatoCopiaArchiviata {
    Leggibile,
    Mancante,     // no file of that name (cancelled meanwhile from another workstation)
    Illeggibile,  // damaged, or a file of another kind or format
};
StatoCopiaArchiviata VerificaCopiaArchiviata(const QString& path);

// A readable copy stored before the last columns of `Dati` were written gets them, empty, so
// the layouts print it as they did then (each such column blank). Returns how many were added;
// a copy that holds them all is not touched. Throws db::DbError.
int CompletaCopiaArchiviata(const QString& path);

// The client's stored copies (CopiaDiUnDocumento: documents of typed lines, which bill no fee
// item, included; not a copy named after another document's identifier), in the order of ElencoDocumentiArchiviati, once what stopped
// processes of this computer left is settled: the issues, as the next issue settles them
// (RecuperoEmissioniInterrotte on the start folder `cartellaAvvio`, `memorizza` the parameters'
// keeping of copies; the user told through AvvisoRecupero), so that a document committed just
// before its process stopped is listed; then the cancels interrupted in the invoice folder
// (RecuperoAnnullamentiInterrotti). Throws db::DbError.
std::vector<DocumentoArchiviato> ElencoDocumentiEmessi(db::Database& archivio, const QString& cartellaAvvio,
                                                       const QString& cartellaFatture, const QString& codiceCliente,
                                                       bool collegato, bool memorizza);

// The name a stored copy takes while this process cancels its document: the temporary name
// (sys::TemporaryName) of `path` with the ending ".annullamento", which tells the computer and
// the process that cancels. No list reads it as a copy, and no sweep of temporary files
// touches it.
QString NomeInAnnullamento(const QString& path);

// Cancels the stored document `documento` of the invoice folder `cartellaFatture`, in three steps,
// each of which leaves a state that a later list completes: the copy takes its cancelling name
// (NomeInAnnullamento); the document is forgotten and the fee items it billed become billable
// again, in one transaction (AnnullamentoNellArchivio); the copy goes. When the transaction
// fails, the copy takes its name back before the error goes on (the document is listed as
// before). The process stopped after the first step, the next list of this computer gives the
// copy its name back (its document still exists); stopped after the second, that list removes
// it. Returns false, changing nothing, when the copy is in the folder under neither name
// (another workstation cancelled it, or is cancelling it). Throws db::DbError (75 when a file
// cannot be renamed or removed, saying what was done).
bool AnnullamentoDocumento(db::Database& archivio, const QString& cartellaFatture, const DocumentoArchiviato& documento,
                           bool collegato);

// Settles the cancels of the invoice folder `cartellaFatture` that no longer go on (a copy under
// a cancelling name: of this process, whose cancel stopped on an error; of a process of this
// computer that no longer runs; or `….mdb.annullamento`, of an earlier release), each taken
// first (sys::TakeFile) so that of two processes settling it one does: a copy whose document
// still exists (DocumentoDelFile) takes its name again, any other is removed. A cancel that
// another process of this computer is still running, or one of another computer, is never
// touched. Throws db::DbError (75 when a file can be neither renamed nor removed).
void RecuperoAnnullamentiInterrotti(db::Database& archivio, const QString& cartellaFatture, bool collegato);

// The cancel's last step, once the fee items are billable again: the copy under its cancelling
// name at `path` goes. A copy already gone is no error. Throws db::DbError 75, saying that the
// fee items are billable again and which file is left, when it cannot be removed: the
// document is no longer listed, and the next list of this computer removes the file.
void RimozioneCopiaArchiviata(const QString& path);
