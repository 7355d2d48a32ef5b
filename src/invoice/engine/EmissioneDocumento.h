#pragma once
#include <QString>
#include <optional>

#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/ImportiDocumento.h"
#include "invoice/engine/RecuperoEmissioni.h"
#include "invoice/engine/StampaDocumento.h"

namespace db {
class Database;
}
class Procedura;

// The issue of a document: what STAMPA does with the invoice composed on the tab, up to the
// print database that the report then prints.
//
// Stages, in order: withholdings and stamp duty over the tab's totals and VAT summary, and,
// linked, the document date checked against the accounting year of the archive (nothing
// written); then,
// in one transaction of the session over the case-file archive and the accounting archive
// attached to it: when the document is posted (ContabilizzazioneAmmessa), the check of its
// lines' accounts and VAT codes against that archive; linked, its number (from the VAT register when it is posted
// under automatic numbering, else as typed, checked against the register, whose counter it
// advances when it is the next one; posted or not, a number no other document of the year
// bears, DocumentiNumerati); when posted, a registration number and the journal registration;
// not linked, the typed number checked again against the documents of the year, which the
// user was asked about before anything was written; its identifier `idfattura`, which no other
// document of the client bears, and the record of the document (DocumentiEmessi.h); the
// invoiced marks on the fee items of the lines that came from them; and the print database in
// the start folder. The
// transaction commits only when every stage is complete: a refusal, a failure, or Abort or
// Ignore at any error box leaves both archives as they were (no register number, registration
// number or journal row used up, no item marked) and no print database behind, and STAMPA may
// be pressed again.
//
// The print database is written under a temporary name of this computer and process
// (sys::TemporaryName), and after the commit, once its copy is in the invoice folder (when the
// parameters keep one), it is handed to the printing under that name: the printing settles it
// (ChiusuraArchivioStampa). It takes its own name in the start folder at once only where that
// name makes it the stored copy (the invoice folder is the start folder). So a file under a
// document's name always belongs to a document that exists, and no process is about to move
// one: a process stopped at any point (killed, switched off) leaves a temporary file, which
// the next issue or list on this computer completes when its document was committed (the issue
// recorded it, DocumentiEmessi.h: the copy is put in the invoice folder) and removes otherwise
// (RecuperoEmissioniInterrotte).

// Why a document was not issued. Every stop but Nessuno leaves the archives untouched and has
// been explained to the user with one message of the issue (titled TitoloEmissione), after the
// error boxes and the accounting link's own messages, if any; but NumeroNonConfermato, which
// is the user's own answer.
enum class ArrestoEmissione {
    Nessuno,                      // issued
    NessunaRiga,                  // the invoice has no line
    NumeroParametroNonInCifre,    // a number of a stamp duty or withholding ticked in the
                                  // parameters is no number in figures
    DataNonValida,                // the document date is no date
    DataFuoriEsercizio,           // linked: the date is outside the linked archive's accounting year,
                                  // or the archive names no valid year
    AliquotaNonAmmessa,           // not linked: a line's VAT code is a rate below 0, or of 100 or more
    CodiceClienteNonAmmesso,      // not linked: the client code cannot stand in a file name
    NumeroMancante,               // no number typed for a document the register does not number
    NumeroNonAssegnato,           // the VAT register gave no number
    RegistroInesistente,          // posted with a typed number on a register the archive lacks
    NumeroGiaUsato,               // the typed number is already on the register, or a document
                                  // of the year not posted bears it
    NumeroGiaDato,                // not linked: a document of the year issued meanwhile bears it
    NumeroNonConfermato,          // not linked: the user chose not to repeat a number of the year
    NumeroOltreIlSuccessivo,      // the typed number would leave numbers of the register unused
    NumeroNonProgressivo,         // the typed number of a posted document holds no number
    RigaNonContabilizzabile,      // a line's revenue account or VAT code is not in the archive
    NumeroNonAmmesso,             // the number holds a character no file name may hold
    NumeroRegistrazioneMancante,  // the document date has no registration number left
    ContoIvaVenditeMancante,      // a VAT row is needed and the parameters name no sales VAT account
    RegistrazioneNonEseguita,     // the journal registration did not complete
    IdFatturaInUso,               // a document of the client bears this `idfattura` already
    CompetenzeGiaFatturate,       // another document billed some of the fee items meanwhile
    Errore,                       // a failure left (Abort or Ignore) through the error handler
};

inline const QString TitoloEmissione = QStringLiteral("EMISSIONE DOCUMENTO");

struct EsitoEmissione {
    ArrestoEmissione Arresto = ArrestoEmissione::Errore;
    // Committed: the document exists. The tab must forget its lines and disable STAMPA, whatever
    // happens to the printing afterwards; otherwise nothing was written and the lines stay.
    bool Emesso() const { return Arresto == ArrestoEmissione::Nessuno; }

    // The amounts, once worked out (also for a document that then stopped).
    std::optional<ImportiDocumento> Importi;
    QString LetteraDocumento;     // "F", "E", "H"
    bool Contabilizzato = false;  // numbered from the register (if automatic) and posted
    // The document number as issued; the caller keeps it in ParametriFattura().NumeroDocumento.
    QString NumeroDocumento;
    QString NumeroRegistrazione;  // five digits when posted, else ""
    QString RifContabile;         // "15/01/2004 - 00012" when posted, else ""
    QString IdFattura;            // once composed (also when a later step stopped the issue)
    int CompetenzeFatturate = 0;  // fee items marked invoiced
    // The print database's own name, which its stored copy bears too.
    QString NomeFileFattura;
    // The print database where it is now, the file the report runs on: in the start folder,
    // under this process's temporary name (sys::TemporaryName), to be settled once printed
    // (ChiusuraArchivioStampa).
    QString PathArchivioStampa;
    // Its own name in the start folder: the stored copy itself once printed, when the invoice
    // folder is the start folder (Copia.Esito GiaArchiviata); else where it waits after its
    // printing when its copy was wanted, or needed, and could not be stored (told by
    // MessaggioCopiaMancante).
    QString PathNomeProprio;
    // The copy kept in the invoice folder (made by the issue, right after the commit).
    CopiaDocumento Copia;
    // The user answered a failure of the copy by leaving the printing: the document is not to
    // be printed now.
    bool StampaAbbandonata = false;
};

// The composed document: the tab's totals and VAT summary of the lines, with the withholdings
// and the stamp duty of the parameters the document is issued under. Nothing when a parameter
// in use holds no number money can hold (the error handler was told under `procedura`).
std::optional<ImportiDocumento> ImportiEmissione(const DocumentoDaEmettere& documento, Procedura& procedura);

// Issues `documento` on the session `sessione` (ArchivioInUso(): the case-file archive with
// the accounting archive attached when linked). Must not be called inside a transaction of the
// caller's: the issue commits its own. std::invalid_argument when a grid row points at no line.
EsitoEmissione EmissioneDocumento(db::Database& sessione, const DocumentoDaEmettere& documento);
