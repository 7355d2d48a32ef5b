#pragma once
#include <QString>

#include "platform/report/Report.h"

class QWidget;

namespace db {
class Database;
}

inline const QString ReportElementiDaFatturare = QStringLiteral("Stp_elefat.rpt");
inline const QString TitoloFinestraElementiDaFatturare = QStringLiteral("STAMPA elementi da fatturara");

// The STAMPA button of the catalogue form: writes the print database "SDBEleFat.mdb" in the
// start folder from the catalogue of `archivio` (the case-file archive's session, with the
// accounting archive reachable on it when linked) and runs the report "Stp_elefat.rpt" on
// it, to a preview window titled "STAMPA elementi da fatturara" unless `destinazione` says
// otherwise (report::Pdf writes `filePdf`). An empty catalogue gives the message "Non c'è
// nessuna voce da stampare" and no report. Failures go to the error handler as "Stampa
// Codici elementi da fatturare"; the report runs only on a completely written print
// database. True when the report ran.
bool StampaElementiDaFatturare(db::Database& archivio, int destinazione = report::Screen,
                               const QString& filePdf = {}, QWidget* finestra = nullptr);
