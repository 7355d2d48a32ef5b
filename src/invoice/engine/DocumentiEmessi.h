#pragma once
#include <QString>
#include <optional>
#include <string>

#include "invoice/engine/DocumentiNumerati.h"
#include "invoice/engine/Ristampa.h"

namespace db {
class Database;
}

// The documents the case-file archive knows as issued: the one place that says whether a
// document exists. Every issue records its document in the table `DocumentiEmessi`
// (TabellaDocumentiEmessi) in the transaction that commits it, whatever its lines bill: a
// credit note of lines typed on the tab bills no fee item, and is a document all the same. A
// cancel forgets the record in the transaction that makes the fee items billable again
// (AnnullamentoNellArchivio). A document issued before documents were recorded is known by
// the fee items that carry its `idfattura`.
//
// An earlier release that knows nothing of the records cancels a document its own way: the fee
// items are billable again and the stored copy goes, the record stays. So a record says whether
// its document billed fee items (`competenzefatturate`, written by the issue once they are
// marked): one that did, none of which carries its identifier any more, stands for a document
// cancelled elsewhere (DocumentoAnnotatoInVigore), unless its stored copy is still there, which
// counts by itself. It no longer counts, and the next issue of its identifier replaces it. A
// record of typed lines billed none, and stands whether or not a copy was kept.

// The condition, on a row of `DocumentiEmessi` named by the table's name, that the record still
// stands for its document: it billed no fee item, or a fee item still carries its identifier
// (CompetenzeDelDocumentoEmesso).
const std::string& DocumentoAnnotatoInVigore();

// A document the archive knows.
struct DocumentoEsistente {
    DocumentoNumerato Documento;  // its letter "" when only its fee items tell of it
    QString Registrazione;        // the registration part of its file name, "00000" when not posted
    bool Annotato = false;        // recorded by its issue; else known by its fee items only
};

// Records the document of client `cliente` with identifier `idfattura`, letter `lettera` and
// registration part `registrazione`, as billing no fee item yet, in the caller's transaction; a
// record of that identifier that no longer stands (a document cancelled elsewhere) is replaced.
// False, writing nothing, when the client has a document recorded under that identifier that
// stands (another workstation's issue of the same case file, date and number committed first).
// Throws db::DbError.
bool AnnotazioneDocumentoEmesso(db::Database& archivio, const QString& cliente, const QString& idfattura,
                                const QString& lettera, const QString& registrazione);

// The recorded document of client `cliente` with identifier `idfattura` billed fee items: the
// issue says so, in its transaction, once it has marked them. Throws db::DbError.
void AnnotazioneCompetenzeFatturate(db::Database& archivio, const QString& cliente, const QString& idfattura);

// The document of client `cliente` that bears `idfattura`: its record while it stands, or else
// the fee items that carry the identifier. Nothing when there is none. Throws db::DbError.
std::optional<DocumentoEsistente> DocumentoConIdFattura(db::Database& archivio, const QString& cliente,
                                                        const QString& idfattura);

// Whether the file named after `documento` (a stored copy or a print database, its name read as
// a document of client `codiceCliente`) is of a document that exists: one recorded with that
// letter and registration number (a record that stands: the file of a document cancelled
// elsewhere is of none), or one known by its fee items. Throws db::DbError.
bool DocumentoDelFile(db::Database& archivio, const DocumentoArchiviato& documento, const QString& codiceCliente);

// Whether the stored copy named after `documento` is listed as a document of client
// `codiceCliente`: every stored copy stands for the document it was made of (one of typed
// lines issued by an earlier release has neither record nor fee items, yet counts for its
// number and can be reprinted and cancelled), but one named after an identifier that the
// archive records for another document (another letter or registration). Throws db::DbError.
bool CopiaDiUnDocumento(db::Database& archivio, const DocumentoArchiviato& documento, const QString& codiceCliente);

// The cancel's middle step: the document of client `codiceCliente` with identifier `idfattura`
// is forgotten and its fee items are billable again (not invoiced, no `idfattura`), all in one
// transaction. Returns how many fee items. Done again on a document already cancelled, it
// changes nothing. Throws db::DbError.
int AnnullamentoNellArchivio(db::Database& archivio, const QString& codiceCliente, const QString& idfattura);
