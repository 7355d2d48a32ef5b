#include "fees/forms/StampaElementiDaFatturare.h"

#include <QDir>

#include "fees/engine/StampaElefat.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "platform/system/MessageService.h"

bool StampaElementiDaFatturare(db::Database& archivio, int destinazione, const QString& filePdf, QWidget* finestra) {
    Procedura proc("Stampa Codici elementi da fatturare");
    const AmbienteLavoroRec& ambiente = AmbienteLavoro();
    const QString path = QDir(ambiente.CartellaAvvio).filePath(NomeArchivioStampaElefat);

    int elementi = 0;
    if (!proc.essenziale([&] {
            elementi = ScriviArchivioStampaElefat(archivio, {path, ambiente.CollegatoContabilita, TitoloProgramma});
        }))
        return false;
    if (elementi == 0) {
        ui::MessageService::show("Non c'è nessuna voce da stampare", "STAMPA ELEMENTI DA FATTURARE");
        return false;
    }

    report::Report stampa(ambiente.CartellaAvvio);
    stampa.setDataFile(path);
    stampa.setReportFileName(ReportElementiDaFatturare);
    stampa.setWindowTitle(TitoloFinestraElementiDaFatturare);
    stampa.setDestination(destinazione);
    stampa.setPdfFile(filePdf);
    stampa.setParentWindow(finestra);
    return proc.essenziale([&] { stampa.run(); });
}
