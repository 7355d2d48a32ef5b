#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/db/Database.h"
#include "platform/db/Value.h"

class Procedura;
class QRadioButton;
class QLabel;
class QWidget;
namespace db {
class Recordset;
}
namespace ui {
class Grid;
}

// What the tasks and jobs tabs share: the archive they open for each operation, the steps
// their operations take in it, the way their dates and texts go into the grid and the
// archive, and their small controls.

// The case-file archive, opened for one operation.
std::unique_ptr<db::Database> ApriArchivioFascole();

// The steps below run each statement under `proc` and return false when the user chose
// to leave the procedure. `righe` is the record set the step works on.

// Opens the case-file archive and, in it, the rows of `sql`.
bool ApriRighe(Procedura& proc, std::unique_ptr<db::Database>& archivio, std::unique_ptr<db::Recordset>& righe,
               const char* sql, const db::Params& parametri);
// Opens in the archive the rows of `sql` and tells in `trovate` whether there are any.
bool CercaRighe(Procedura& proc, const std::unique_ptr<db::Database>& archivio,
                std::unique_ptr<db::Recordset>& righe, const char* sql, const db::Params& parametri,
                bool& trovate);
// The number after the one in `colonna` of the last of `righe` (ordered by it), "0001" when
// there are none; `righe` is closed. Nothing when the procedure was left, or when the last
// number is 9999, after `pieno` has been shown.
std::optional<QString> NumeroSuccessivo(Procedura& proc, std::unique_ptr<db::Recordset>& righe,
                                        const char* colonna, const QString& pieno);
// A new row of `tabella`, its columns written by `campi`.
bool AggiungiRiga(Procedura& proc, const std::unique_ptr<db::Database>& archivio,
                  std::unique_ptr<db::Recordset>& righe, const char* tabella,
                  const std::function<void(db::Recordset&)>& campi);
// Opens the archive and rewrites through `campi` the row of `sql`, if it is still there.
bool CorreggiRiga(Procedura& proc, std::unique_ptr<db::Database>& archivio, std::unique_ptr<db::Recordset>& riga,
                  const char* sql, const db::Params& chiave, const std::function<void(db::Recordset&)>& campi);
// Deletes the row of `sql`, if it is still there; `cancellata` tells whether it was.
bool CancellaRiga(Procedura& proc, const std::unique_ptr<db::Database>& archivio,
                  std::unique_ptr<db::Recordset>& riga, const char* sql, const db::Params& chiave, bool& cancellata);
// Writes the rows of `righe` (there are some) into the grid from line 1, one a line through
// `scrivi`, the grid keeping at least `righeMinime` lines under the heading `formato`.
bool RiempiGriglia(Procedura& proc, const std::unique_ptr<db::Recordset>& righe, ui::Grid& griglia,
                   int righeMinime, const QString& formato,
                   const std::function<void(const db::Recordset&, int riga)>& scrivi);
// The grid's lines under the heading `formato` emptied and made white again.
void SvuotaGriglia(ui::Grid& griglia, const QString& formato);

// A stored date as the grids and fields show it, "dd/mm/yyyy"; "" for none.
QString DataMostrata(const db::Value& data);
// A date typed as day/month/year as the archive stores it; Null when it is no date.
db::Value DataArchiviata(const QString& testo);
// The text in a column of `larghezza` characters: blanks after, cut to the width.
QString Colonna(const QString& testo, int larghezza);

// Both options of a pair left unselected, which exclusive options do not allow by a click.
void Deseleziona(QRadioButton* prima, QRadioButton* seconda);
// A label that shows a value: framed, as the tabs' heading and number labels are.
QLabel* Valore(const char* nome, QWidget* parent);
