#pragma once
#include <QString>

// The printing of an issued document, after its print database has been written in the start
// folder: the layout it is printed with, where the report goes, the copy kept in the invoice
// folder and the removal of the temporary file. The report itself is run by the forms (the
// report engine draws), on the names and paths settled here; the reprint form runs the same
// report on a stored copy.
//
// The order is chosen so that a document is never lost for printing: the copy is stored
// before the report runs (a report that fails leaves a document that can still be reprinted
// or cancelled), and the print database is removed only once it has been printed or is
// stored: until then it is under the temporary name the issue wrote it under, a name of the
// process printing it, and what a process stopped meanwhile leaves is settled by the next
// issue or list of this computer.

// The standard layout, and the office's own, used in place of it for every document while a
// file of that name lies in the start folder.
inline const QString ReportFattura = QStringLiteral("stp_fattura.rpt");
inline const QString ReportFatturaPersonalizzato = QStringLiteral("stp_fattura_per.rpt");
// The title of the preview window.
inline const QString TitoloStampaFattura = QStringLiteral("STAMPA FATTURA");

// "stp_fattura_per.rpt" when a file of that name (letter case ignored, as the office's file
// server does) lies in the start folder itself, else "stp_fattura.rpt". Only the start folder
// counts: the layouts shipped with the program are not looked at here.
QString ReportDocumento(const QString& cartellaAvvio);

// 0 a preview window on the screen when the parameters ask for one, else 1 the printer.
int DestinazioneDocumento(bool anteprimaStampa);

// The invoice folder as given, without its final "\" or "/"; empty when there is none (empty
// or "NO").
QString CartellaFattureIndicata(const QString& cartellaFatture);

// The stored copy named `nomeFile` in the invoice folder `cartellaFatture` (with or without
// its final separator).
QString PercorsoCopiaArchiviata(const QString& cartellaFatture, const QString& nomeFile);

enum class EsitoCopia {
    NonRichiesta,      // the parameters keep no copies
    Archiviata,        // copied into the invoice folder (an earlier copy of the name replaced)
    GiaArchiviata,     // the invoice folder is the start folder: the print database is the copy
    NessunaCartella,   // copies wanted, but no invoice folder is given ("NO" or empty)
    CartellaMancante,  // copies wanted, but the invoice folder does not exist
    NonRiuscita,       // the copy was tried and failed (the error handler has told why)
};

struct CopiaDocumento {
    EsitoCopia Esito = EsitoCopia::NonRiuscita;
    QString Cartella;  // the invoice folder as given, without its final separator
    QString Percorso;  // the stored copy, once there is one

    // The document is kept in the invoice folder (or the print database is that copy).
    bool Conservata() const { return Esito == EsitoCopia::Archiviata || Esito == EsitoCopia::GiaArchiviata; }
    // A copy was wanted and is not there: the print database must stay where it is.
    bool Mancante() const {
        return Esito != EsitoCopia::NonRichiesta && !Conservata();
    }
};

// Keeps a copy of the print database `pathArchivio` in the invoice folder, when `memorizza`,
// under the name `nome` (empty: the print database's own name). The copy is written under a
// temporary name in the invoice folder (sys::CopyFile) and then renamed over any copy of that
// name, so that the folder never holds half a document and a second workstation's earlier
// copy is replaced whole. When the invoice folder is the print database's own folder, the
// print database is the copy (GiaArchiviata) and nothing is written. Throws db::DbError 75
// when the file cannot be copied (nothing is left behind in the invoice folder).
CopiaDocumento ArchiviaCopiaDocumento(const QString& pathArchivio, const QString& cartellaFatture, bool memorizza,
                                      const QString& nome = {});

// What the user is told when a copy was wanted and is not in the invoice folder: that the
// document stays in the start folder under its own name `pathNomeProprio`. Empty when there is
// nothing to tell.
QString MessaggioCopiaMancante(const CopiaDocumento& copia, const QString& pathNomeProprio);

// What the user is told when an issued document was not printed (the report failed, or was
// never run): that the document exists, with its number and date, posted when `contabilizzato`,
// and whether it can be printed again from "Ristampa / Annulla" (its copy is kept) or not (no
// copy is kept; a copy wanted and missing is told by MessaggioCopiaMancante).
QString MessaggioDocumentoNonStampato(const QString& numeroDocumento, const QString& dataFattura, bool contabilizzato,
                                      const CopiaDocumento& copia);

// Removes the print database once it has been printed, unless it must stay: it is the stored
// copy itself, or the copy wanted could not be made. Throws db::DbError 75 when a file that
// must go cannot be removed.
void RimuoviArchivioStampa(const QString& pathArchivio, const CopiaDocumento& copia);

// Settles the print database of a document just issued once its report has run (`stampato`:
// to its end; false when it failed or was never run), and returns what became of the copy. The
// print database is at `pathArchivio`, as the issue handed it over: under a temporary name of
// this process. When the invoice folder is the start folder (GiaArchiviata) it takes its own
// name `pathNomeProprio` there, which makes it the stored copy, printed or not. Otherwise:
// - printed, with its copy stored or copies not kept: removed;
// - not printed, copies not kept: stored in the invoice folder all the same (Archiviata), so
//   that the document can be printed from "Ristampa / Annulla", then removed;
// - a copy that was wanted, or needed, and could not be stored (Mancante()): it takes its own
//   name `pathNomeProprio` in the start folder and waits there for the invoice folder (the next
//   issue or list stores it; MessaggioCopiaMancante tells the user).
// A print database is never removed before it is a stored copy or has been printed. Throws
// db::DbError 75 when a file cannot be removed or renamed (it then stays where it is).
CopiaDocumento ChiusuraArchivioStampa(const QString& pathArchivio, const QString& pathNomeProprio,
                                      const CopiaDocumento& copia, bool stampato, const QString& cartellaFatture);
