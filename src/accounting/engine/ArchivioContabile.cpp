#include "accounting/engine/ArchivioContabile.h"

#include <QFileInfo>
#include <memory>

#include "accounting/engine/ParametriContabili.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Ambiente.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/Paths.h"

QString NomeArchivioContabile(const QString& Dove, const QString& Acronimo, const QString& IdDitta,
                              const QString& Esercizio) {
    return Dove + Acronimo + "\\" + basic::Right("00000" + IdDitta, 5) + "_" + Esercizio + ".mdb";
}

QString PercorsoDiRete(const QString& Percorso, const QString& MacchinaLocale,
                       const QString& MacchinaArchivioDitte) {
    if (MacchinaLocale == MacchinaArchivioDitte || Percorso.startsWith("\\\\")) return Percorso;
    return sys::NetworkPath(MacchinaArchivioDitte, Percorso);
}

void DefinizionePathNameZolpa() {
    AmbienteLavoroRec& ambiente = AmbienteLavoro();
    ambiente.PathArchivioContabile = "";
    if (!ambiente.CollegatoContabilita) return;

    Procedura proc("Funzione di definizione PathName di Zolpa");
    std::unique_ptr<db::Database> ditte;
    std::unique_ptr<db::Recordset> rs;
    if (!proc.essenziale([&] { ditte = db::Database::open(ambiente.PathArchivioDitte.toStdString()); }))
        return;
    if (!proc.essenziale([&] {
            rs = ditte->openRecordset("SELECT * FROM ditte WHERE acronimo = ?", {ParametriFattura().Ditta});
        }))
        return;

    if (rs->EOF_()) {
        ambiente.CollegatoContabilita = false;
    } else {
        QString percorso;
        if (!proc.essenziale([&] {
                percorso = NomeArchivioContabile(rs->field("Dove").textOr(QString()), ParametriFattura().Ditta,
                                                 basic::Trim(rs->field("id").toText<QString>()),
                                                 ParametriFattura().Esercizio);
            }))
            return;
        percorso = PercorsoDiRete(percorso, ambiente.MacchinaLocale, ambiente.MacchinaArchivioDitte);
        if (QFileInfo(sys::LocalPath(percorso)).isFile()) ambiente.PathArchivioContabile = percorso;
        else ambiente.CollegatoContabilita = false;
    }
    rs.reset();
    ditte.reset();

    if (!ambiente.PathArchivioContabile.isEmpty()) LetturaParametri();
}
