#include "casefiles/forms/CampiIncarichi.h"

#include <QLabel>
#include <QRadioButton>

#include "casefiles/engine/ProssimoNumero.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "platform/system/MessageService.h"
#include "foundation/engine/Richiesto.h"

std::unique_ptr<db::Database> ApriArchivioFascole() {
    return db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString());
}

bool ApriRighe(Procedura& proc, std::unique_ptr<db::Database>& archivio, std::unique_ptr<db::Recordset>& righe,
               const char* sql, const db::Params& parametri) {
    if (!proc.esegui([&] { archivio = ApriArchivioFascole(); })) return false;
    return proc.esegui([&] { righe = Richiesto(archivio).openRecordset(sql, parametri); });
}

bool CercaRighe(Procedura& proc, const std::unique_ptr<db::Database>& archivio,
                std::unique_ptr<db::Recordset>& righe, const char* sql, const db::Params& parametri,
                bool& trovate) {
    if (!proc.esegui([&] { righe = Richiesto(archivio).openRecordset(sql, parametri); })) return false;
    return proc.esegui([&] { trovate = !Richiesto(righe).EOF_(); });
}

std::optional<QString> NumeroSuccessivo(Procedura& proc, std::unique_ptr<db::Recordset>& righe,
                                        const char* colonna, const QString& pieno) {
    std::optional<QString> ultimo;
    if (!proc.esegui([&] {
            if (Richiesto(righe).EOF_()) return;
            righe->MoveLast();
            ultimo = righe->field(colonna).textOr(QString());
        }))
        return std::nullopt;
    righe.reset();
    const std::optional<QString> numero = ProssimoNumero(ultimo);
    if (!numero) ui::MessageService::show(pieno);
    return numero;
}

bool AggiungiRiga(Procedura& proc, const std::unique_ptr<db::Database>& archivio,
                  std::unique_ptr<db::Recordset>& righe, const char* tabella,
                  const std::function<void(db::Recordset&)>& campi) {
    if (!proc.esegui([&] { righe = Richiesto(archivio).openForAppend(tabella); })) return false;
    if (!proc.esegui([&] { Richiesto(righe).AddNew(); })) return false;
    if (!proc.esegui([&] { campi(Richiesto(righe)); })) return false;
    return proc.esegui([&] { Richiesto(righe).Update(); });
}

bool CorreggiRiga(Procedura& proc, std::unique_ptr<db::Database>& archivio, std::unique_ptr<db::Recordset>& riga,
                  const char* sql, const db::Params& chiave, const std::function<void(db::Recordset&)>& campi) {
    if (!proc.esegui([&] { archivio = ApriArchivioFascole(); })) return false;
    bool trovata = false;
    if (!CercaRighe(proc, archivio, riga, sql, chiave, trovata)) return false;
    if (!trovata) return true;
    if (!proc.esegui([&] { Richiesto(riga).Edit(); })) return false;
    if (!proc.esegui([&] { campi(Richiesto(riga)); })) return false;
    return proc.esegui([&] { Richiesto(riga).Update(); });
}

bool CancellaRiga(Procedura& proc, const std::unique_ptr<db::Database>& archivio,
                  std::unique_ptr<db::Recordset>& riga, const char* sql, const db::Params& chiave, bool& cancellata) {
    bool trovata = false;
    if (!CercaRighe(proc, archivio, riga, sql, chiave, trovata)) return false;
    if (!trovata) return true;
    return proc.esegui([&] {
        Richiesto(riga).Delete();
        cancellata = true;
    });
}

bool RiempiGriglia(Procedura& proc, const std::unique_ptr<db::Recordset>& righe, ui::Grid& griglia,
                   int righeMinime, const QString& formato,
                   const std::function<void(const db::Recordset&, int riga)>& scrivi) {
    int n = 0;
    if (!proc.esegui([&] {
            Richiesto(righe).MoveLast();
            n = righe->RecordCount();
        }))
        return false;
    griglia.setRows(n < righeMinime - 1 ? righeMinime : n + 1);
    griglia.setCols(4);
    griglia.setRow(0);
    griglia.setCol(0);
    griglia.setFormatString(formato);
    for (int i = 1; i <= n; ++i) {
        if (!proc.esegui([&] { i == 1 ? Richiesto(righe).MoveFirst() : Richiesto(righe).MoveNext(); })) return false;
        if (!proc.esegui([&] { scrivi(Richiesto(righe), i); })) return false;
    }
    return true;
}

void SvuotaGriglia(ui::Grid& griglia, const QString& formato) {
    griglia.setRow(0);
    griglia.setCol(0);
    griglia.setFormatString(formato);
    for (int riga = 1; riga < griglia.rows(); ++riga) {
        for (int colonna = 0; colonna < griglia.cols(); ++colonna) {
            griglia.setCellBackColor(riga, colonna, ui::bgr(ui::BgrWhite));
            griglia.setText(riga, colonna, QString());
        }
    }
}

QString DataMostrata(const db::Value& data) {
    if (data.isNull()) return {};
    const auto giorno = basic::ToDate(data.toText<QString>());
    return giorno ? basic::Format(*giorno, "dd/mm/yyyy") : QString();
}

db::Value DataArchiviata(const QString& testo) {
    const auto giorno = basic::ToDate(testo);
    if (!giorno) return nullptr;
    return giorno->toString(Qt::ISODate);
}

QString Colonna(const QString& testo, int larghezza) {
    return basic::Left(testo + basic::Space(larghezza), larghezza);
}

void Deseleziona(QRadioButton* prima, QRadioButton* seconda) {
    for (QRadioButton* opzione : {prima, seconda}) {
        opzione->setAutoExclusive(false);
        opzione->setChecked(false);
        opzione->setAutoExclusive(true);
    }
}

QLabel* Valore(const char* nome, QWidget* parent) {
    QLabel* etichetta = ui::valueLabel(nome, 60, parent);
    etichetta->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return etichetta;
}
