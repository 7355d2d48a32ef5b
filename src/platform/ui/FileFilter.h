#pragma once
#include <QString>
#include <QStringList>

namespace ui {

// File-chooser filters are written "Archivi (*.mdb)|*.mdb|Tutti (*.*)|*.*":
// description and pattern alternate, patterns separated by ';'. Returns one Qt name filter
// per pair ("Archivi (*.mdb)"). A filter without '|' is taken as Qt's own ";;" list.
QStringList qtFileFilters(const QString& filter);

// The suffix a save dialog appends to a bare name: ".mdb" gives "mdb"; a wildcard gives none.
QString defaultSuffix(const QString& extension);

}  // namespace ui
