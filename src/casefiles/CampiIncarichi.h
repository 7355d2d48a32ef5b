#pragma once
#include <QString>
#include <memory>

#include "platform/db/Value.h"

class QRadioButton;
class QLabel;
class QWidget;
namespace db {
class Database;
}

// What the tasks and jobs tabs share: the archive they open for each operation, the way
// their dates and texts go into the grid and the archive, and their small controls.

// The case-file archive, opened for one operation.
std::unique_ptr<db::Database> ApriArchivioFascole();

// A stored date as the grids and fields show it, "dd/mm/yyyy"; "" for none.
QString DataMostrata(const db::Value& data);
// A date typed as day/month/year as the archive stores it; Null when it is no date.
db::Value DataArchiviata(const QString& testo);
// The text in a column of `larghezza` characters: blanks after, cut to the width.
QString Colonna(const QString& testo, int larghezza);

// Both options of a pair left unselected, which exclusive options do not allow by a click.
void Deseleziona(QRadioButton* prima, QRadioButton* seconda);
// A label that shows a value: framed, as the tabs' heading and number labels are.
QLabel* Valore(const QString& nome, QWidget* parent);
