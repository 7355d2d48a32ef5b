#include "accounting/forms/NormalizzaCampoPdC.h"

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/ui/RefillCombo.h"

QString NormalizzaCodicePdC(QString& CodiceDigitato, ui::RefillCombo& Campo) {
    // The accounting archive is attached only when a look-up needs it: an empty field or a
    // code without parent levels is answered without it. Once taken, it is held to the end.
    Connessione tenuta;
    const auto archivio = [&tenuta]() -> db::Database* {
        if (!tenuta) {
            Procedura proc("Sub di normalizzazione del codice del PdC");
            tenuta = ArchivioContabileInUso(proc);
        }
        return tenuta.get();
    };
    return NormalizzaCodicePdC(archivio, CodiceDigitato, [&Campo](const QString& parola) -> std::optional<QString> {
        if (!FrmHelpPianoDeiConti::Avvia(&Campo, parola, QString())) return std::nullopt;
        return Campo.currentText();
    });
}
