#include "casefiles/CampiIncarichi.h"

#include <QLabel>
#include <QRadioButton>

#include "foundation/Ambiente.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

std::unique_ptr<db::Database> ApriArchivioFascole() {
    return db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString());
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

QLabel* Valore(const QString& nome, QWidget* parent) {
    auto* etichetta = new QLabel(parent);
    etichetta->setObjectName(nome);
    etichetta->setFrameShape(QFrame::Panel);
    etichetta->setFrameShadow(QFrame::Sunken);
    etichetta->setMinimumWidth(60);
    etichetta->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return etichetta;
}
