#pragma once
#include <QString>
#include <optional>

class QComboBox;
class QWidget;
namespace ui {
class RefillCombo;
}

// What the set-up, linking and billing-parameters dialogs offer alike.

// The path choosers. Each opens in the folder of the path already given (`attuale`), else
// in the start folder; a cancelled chooser gives nothing.

// The folder a chooser opens in for the path `attuale`, as a local path.
QString CartellaIniziale(const QString& attuale);
// The case-file archive to work on.
std::optional<QString> ScegliArchivioFascole(const QString& attuale);
// The folder where invoices are kept, chosen by naming any file inside it: the folder part.
std::optional<QString> ScegliCartellaFatture(const QString& attuale);

// The invoice folder as written in a set-up box, as this computer reaches it: a relative
// folder lies in the working folder (the start folder).
QString CartellaFattureLocale(const QString& cartella);

// Whether the invoice folder typed in a set-up box can receive the copies: none ("" or "NO")
// and an existing folder can; a missing one is offered for creation and can once created (the
// question starts with `mancante`, by default `La cartella delle fatture "<cartella>" non
// esiste`). Otherwise the user has been told why (in a box titled `titolo`) and the box must
// be mended.
bool CartellaFattureAccettata(const QString& cartella, const QString& titolo, const QString& mancante = {});
// Tells the user that the invoice folder `cartella` could not be made.
void MessaggioCartellaFattureNonCreata(const QString& cartella, const QString& titolo);

// Whether the case-file archive typed in a set-up box can be opened, or created by the
// start-up, at `percorso`: an archive, or no file yet in a folder where one can be written. A
// missing folder is offered for creation and, made, is looked at again. Otherwise (a folder
// in place of the file, a file that is no archive, a folder that cannot be made or written)
// the user has been told why, in a box titled `titolo`, and the box must be mended.
bool ArchivioFascoleAccettato(const QString& percorso, const QString& titolo);

// The list of a company's years lives only while the user is in its combo: on leaving it
// the list goes and the text typed or chosen stays.
void LasciaEsercizi(QComboBox& esercizi);

// The companies of the companies list `pathDitte`, offered in `ditte` when the list could be
// read (failures go to the error handler as `descrizione`).
void OffriDitte(ui::RefillCombo& ditte, const QString& pathDitte, const QString& descrizione);

// The years of which the company `acronimo` of the companies list `pathDitte` has an
// accounting archive, offered in `esercizi` with the text typed kept. Without a company, or
// with one the list does not know, the user is told (in a box titled `titolo`) and the focus
// goes back to `ditta`.
void OffriEsercizi(QComboBox& esercizi, QWidget& ditta, const QString& pathDitte, const QString& acronimo,
                   const QString& titolo);
