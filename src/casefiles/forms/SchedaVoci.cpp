#include "casefiles/forms/SchedaVoci.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

#include "casefiles/engine/FascolaCorrente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/FocusEvents.h"
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

namespace {

// Keeps the date just proposed selected through the click that entered its box, whose press
// would otherwise put the caret where it fell, inside the date. Which of the two comes first
// on entering, the proposal or the focus event this filter sees, does not matter.
class DataProposta final : public QObject {
public:
    explicit DataProposta(QLineEdit& data) : QObject(&data) { data.installEventFilter(this); }
    void proposta() { proposta_ = true; }

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        switch (evento->type()) {
        case QEvent::FocusIn:
            clic_ = static_cast<QFocusEvent*>(evento)->reason() == Qt::MouseFocusReason;
            return false;
        case QEvent::FocusOut: clic_ = proposta_ = false; return false;
        case QEvent::MouseButtonPress: {
            const bool tieni = clic_ && proposta_ && static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton;
            clic_ = proposta_ = false;
            return tieni;
        }
        default: return false;
        }
    }

private:
    bool clic_ = false;      // the box was entered by a click, whose press is still to come
    bool proposta_ = false;  // today's date was put in as the box was entered
};

}  // namespace

void OggiQuandoSiEntraVuota(QLineEdit& data) {
    auto* proposta = new DataProposta(data);
    ui::onFocusChange(data, [&data, proposta] {
        if (!data.text().isEmpty()) return;
        data.setText(basic::Format(basic::Today(), "dd/mm/yyyy"));
        data.selectAll();
        proposta->proposta();
    }, {});
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
