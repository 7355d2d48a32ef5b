#pragma once
#include <QString>
#include <optional>

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

// A document the archive knows.
struct DocumentoEsistente {
    DocumentoNumerato Documento;  // its letter "" when only its fee items tell of it
    QString Registrazione;        // the registration part of its file name, "00000" when not posted
    bool Annotato = false;        // recorded by its issue; else known by its fee items only
};

// Records the document of client `cliente` with identifier `idfattura`, letter `lettera` and
// registration part `registrazione`, in the caller's transaction. False, writing nothing, when
// the client has a document recorded under that identifier already (another workstation's
// issue of the same case file, date and number committed first). Throws db::DbError.
bool AnnotazioneDocumentoEmesso(db::Database& archivio, const QString& cliente, const QString& idfattura,
                                const QString& lettera, const QString& registrazione);

// The document of client `cliente` that bears `idfattura`: its record, or else the fee items
// that carry the identifier. Nothing when there is none. Throws db::DbError.
std::optional<DocumentoEsistente> DocumentoConIdFattura(db::Database& archivio, const QString& cliente,
                                                        const QString& idfattura);

// Whether the file named after `documento` (a stored copy or a print database, its name read as
// a document of client `codiceCliente`) is of a document that exists: one recorded with that
// letter and registration number, or one known by its fee items. Throws db::DbError.
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
