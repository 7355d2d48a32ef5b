#include "accounting/forms/NormalizzaCampoPdC.h"

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "platform/ui/RefillCombo.h"

QString NormalizzaCodicePdC(QString& CodiceDigitato, ui::RefillCombo& Campo) {
    return NormalizzaCodicePdC(CodiceDigitato, [&Campo](const QString& parola) -> std::optional<QString> {
        if (!FrmHelpPianoDeiConti::Avvia(&Campo, parola, QString())) return std::nullopt;
        return Campo.currentText();
    });
}
