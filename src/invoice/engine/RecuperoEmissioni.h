#pragma once
#include <QString>
#include <vector>

#include "invoice/engine/Ristampa.h"

namespace db {
class Database;
}

// What an issue stopped by the end of its process (killed, switched off) left on this computer,
// settled before the next issue and before the list of "Ristampa / Annulla" (both call
// RecuperoEmissioniInterrotte, then AvvisoRecupero).
//
// A print database whose document was committed (DocumentoDelFile: the issue recorded it, or,
// for a document issued before documents were recorded, its fee items carry its `idfattura`;
// a document of typed lines, which bills no fee item, is one like any other) is removed only
// once its document is a stored copy in the invoice folder: when the copy is
// missing it is put there first, whether or not the parameters keep copies (a document that
// may never have been printed must stay printable from "Ristampa / Annulla"). When that cannot
// be done now (the invoice folder is not reachable or cannot be written) the file stays as it
// is and is tried again the next time; when no invoice folder is given at all it stays in the
// start folder under its own name. Any other print database left under a temporary name is
// removed.
//
// Whoever left it stopped before it was settled, so no one can say whether the document came
// out of the printer: each committed document whose print database is settled against its
// stored copy (found there already, or put there now) is told as possibly not printed, once:
// the print database is taken before it is settled, so that of two processes settling it only
// the one that holds it tells. A document that waits is told why at every issue and list, until
// it is stored.
//
// The print databases looked at, in the start folder:
// - those under a temporary name of a process of this computer that no longer runs
//   (sys::IsLeftover); those of another computer, or of a process still running, are left alone;
// - those under their own name `SDB….mdb`, when the invoice folder is not the start folder: no
//   process works on a print database under its own name there (an issue hands it to its
//   printing under its temporary name, and the printing gives it its own name only to leave it
//   waiting), so one under its own name is waiting for the invoice folder. When the invoice
//   folder is the start folder these files are the stored copies and are never touched.
// Each is taken (sys::TakeFile) before it is copied, so that two processes settling the same
// file at once settle it once, and the one that finds it gone has nothing to do.

// What became of a print database that the user must hear about.
enum class SorteDocumentoInterrotto {
    ForseNonStampato,    // its stored copy is in the invoice folder (found there, or put there now)
    CartellaMancante,    // waits: the invoice folder does not exist or cannot be reached
    CartellaNonScrivibile,  // waits: the copy could not be written in the invoice folder
    NellaCartellaDiAvvio,   // no invoice folder is given: it stays in the start folder
};

struct DocumentoInterrotto {
    DocumentoArchiviato Documento;  // the document, as its file name tells it
    QString CodiceCliente;          // the client code, as the user writes it
    SorteDocumentoInterrotto Sorte = SorteDocumentoInterrotto::CartellaMancante;
    QString File;                   // the file where it is now (start folder or invoice folder)
};

struct EsitoRecupero {
    QString CartellaFatture;  // the invoice folder as given, without its final separator
    QString CartellaAvvio;
    bool CopieMemorizzate = true;  // the parameters keep copies of the documents issued
    std::vector<DocumentoInterrotto> Documenti;  // what the user is told, once each, in the order settled
};

// Settles what issues stopped on this computer left in the start folder `cartellaAvvio` and the
// invoice folder `cartellaFatture` (as given: with or without its final separator, "NO" or empty
// for none). `memorizza`: the parameters keep copies (else the user is told why a copy is there
// all the same). Throws db::DbError when the archive cannot be read; a file that
// cannot be copied or moved is no error: it waits, and the result says so.
EsitoRecupero RecuperoEmissioniInterrotte(db::Database& sessione, const QString& cartellaAvvio,
                                          const QString& cartellaFatture, bool collegato, bool memorizza);

inline const QString TitoloRecupero = QStringLiteral("DOCUMENTI EMESSI DA SISTEMARE");

// The one message that tells the user the documents of `esito`: which document, that it may not
// have been printed and where its stored copy is, or why it waits and where it is. Empty when
// there is nothing to tell.
QString MessaggioRecupero(const EsitoRecupero& esito);

// Shows MessaggioRecupero through the message service, when there is something to tell.
void AvvisoRecupero(const EsitoRecupero& esito);
