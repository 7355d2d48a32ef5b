#include "accounting/forms/NormalizzaCampoPdC.h"

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/ui/RefillCombo.h"

QString NormalizzaCodicePdC(QString& CodiceDigitato, ui::RefillCombo& Campo) {
    // An empty field needs no archive.
    if (CodiceDigitato.isEmpty()) return CodicePdCNonDigitato;
    Procedura proc("Sub di normalizzazione del codice del PdC");
    Connessione archivio = ArchivioContabileInUso(proc);
    if (!archivio) return CodicePdCVuoto;
    return NormalizzaCodicePdC(*archivio, CodiceDigitato, [&Campo](const QString& parola) -> std::optional<QString> {
        if (!FrmHelpPianoDeiConti::Avvia(&Campo, parola, QString())) return std::nullopt;
        return Campo.currentText();
    });
}
