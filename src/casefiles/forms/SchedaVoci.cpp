#include "casefiles/forms/SchedaVoci.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "casefiles/engine/FascolaCorrente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/FormUtil.h"

bool SuArchivio(const QString& descrizione, const std::function<void(db::Database&)>& operazione) {
    Procedura proc(descrizione);
    return proc.essenziale([&] { operazione(*ArchivioInUso()); });
}

void MostraFascolaInTestata(QLabel* nome, QLabel* codice, QLabel* npra) {
    const FascolaCorrenteRec& f = FascolaCorrente();
    const bool inVisione = f.InVisione();
    nome->setText(inVisione ? f.NomeClienteCorrente() : QString());
    codice->setText(inVisione ? f.CodiceClienteCorrente() : QString());
    npra->setText(inVisione ? f.NpraCorrente() : QString());
}

QString DataMostrata(const QDate& data) { return data.isValid() ? basic::Format(data, "dd/mm/yyyy") : QString(); }

QDate DataDigitata(const QString& testo) { return basic::ToDate(testo).value_or(QDate()); }

void OggiSeVuota(QLineEdit& data) {
    if (data.text().isEmpty()) data.setText(basic::Format(basic::Today(), "dd/mm/yyyy"));
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
