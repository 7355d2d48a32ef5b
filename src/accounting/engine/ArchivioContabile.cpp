#include "accounting/engine/ArchivioContabile.h"

#include <QFileInfo>
#include <memory>

#include "accounting/engine/ParametriContabili.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
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

std::unique_ptr<db::Database> ApriArchivioDitte(const QString& PathDitte) {
    return db::Database::open(PathDitte.toStdString());
}

QStringList AcronimiDitte(const QString& PathDitte) {
    const auto ditte = ApriArchivioDitte(PathDitte);
    QStringList acronimi;
    db::Statement elenco(*ditte, "SELECT acronimo FROM ditte ORDER BY acronimo");
    while (elenco.step()) acronimi << elenco.column(0).textOr(QString());
    return acronimi;
}

std::optional<DittaContabile> LeggiDitta(const QString& PathDitte, const QString& Acronimo) {
    const auto ditte = ApriArchivioDitte(PathDitte);
    db::Statement ditta(*ditte, "SELECT Dove, Acronimo, id FROM ditte WHERE acronimo = ?", {Acronimo});
    if (!ditta.step()) return std::nullopt;
    DittaContabile d;
    d.dove = ditta.column(0).textOr(QString());
    d.acronimo = ditta.column(1).textOr(QString());
    d.cartella = d.dove + d.acronimo;
    d.id = basic::Trim(ditta.column(2).toText<QString>());
    return d;
}

void DefinizionePathNameZolpa() {
    AmbienteLavoroRec& ambiente = AmbienteLavoro();
    ambiente.PathArchivioContabile = "";
    if (!ambiente.CollegatoContabilita) return;

    Procedura proc("Funzione di definizione PathName di Zolpa");
    std::optional<DittaContabile> ditta;
    if (!proc.essenziale([&] { ditta = LeggiDitta(ambiente.PathArchivioDitte, ParametriFattura().Ditta); })) return;

    if (!ditta) {
        ambiente.CollegatoContabilita = false;
    } else {
        const QString percorso = PercorsoDiRete(
            NomeArchivioContabile(ditta->dove, ParametriFattura().Ditta, ditta->id, ParametriFattura().Esercizio),
            ambiente.MacchinaLocale, ambiente.MacchinaArchivioDitte);
        if (QFileInfo(sys::LocalPath(percorso)).isFile()) ambiente.PathArchivioContabile = percorso;
        else ambiente.CollegatoContabilita = false;
    }

    if (ambiente.PathArchivioContabile.isEmpty()) return;
    if (Connessione sessione = ArchivioContabileInUso(proc)) LetturaParametri(*sessione);
}
