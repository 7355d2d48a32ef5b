#pragma once
#include <QString>

#include "platform/report/Report.h"

class FrmFascola;
class QWidget;
class TabFattura;
struct DocumentoDaEmettere;
struct EsitoEmissione;

// The report of a document, run on its print database (the one just written in the start
// folder, or a stored copy): the five settings of the report engine in their order: the data
// file, the layout (ReportDocumento: the office's "stp_fattura_per.rpt" when it lies in the start
// folder, else "stp_fattura.rpt"), the title "STAMPA FATTURA", the destination (0 a modal
// preview, 1 the default printer; report::Pdf writes `filePdf`), and the run. Returns once the
// preview is closed or the pages are printed, with the pages as drawn. Throws db::DbError.
report::Document ReportDocumentoEmesso(const QString& pathArchivio, int destinazione, QWidget* finestra = nullptr,
                           const QString& filePdf = {});

// The printing stage of a document just issued, on its print database `e.PathArchivioStampa`
// (its copy in the invoice folder is made by the issue, when the parameters keep copies, so that
// a print that fails leaves a document that can still be reprinted or cancelled): the report
// runs on it where the issue handed it over (under this process's temporary name, or the stored
// copy itself), to the preview or the printer as the parameters say, and then it is settled
// (ChiusuraArchivioStampa): removed once printed and stored, stored all the same when it was not
// printed. A failure of the report goes to the error handler as the printing's ("Funzione di
// stampa fattura") and never undoes the issue; a document left unprinted is then told to the
// user (MessaggioDocumentoNonStampato: issued, and whether it can be printed from "Ristampa /
// Annulla"). A copy that was wanted, or needed, and could not be stored is told to the user, and
// the print database then stays in the start folder under its own name `e.PathNomeProprio`,
// where the message says, until the next issue or list stores it.
void StampaDocumentoEmesso(const EsitoEmissione& e, const DocumentoDaEmettere& documento, QWidget* finestra);

// STAMPA of the invoice tab: the document composed on `tab` for the case file on display in
// `finestra`'s mask is issued (numbered, posted, its fee items marked, its print database
// written: all or nothing), printed and stored; then the tab is emptied and STAMPA disabled,
// whatever became of the printing. A document that was not issued leaves the tab as it was.
void F_CmdStampa_Click(FrmFascola& finestra, TabFattura& tab);
