#include "casefiles/engine/RicercaFascole.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "casefiles/forms/MascheraFascola.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/RefillCombo.h"

void MascheraFascola::Ricerca() {
    RecordInVisione = false;
    CriteriRicerca criteri;
    criteri.cliente = codiceMostrato_;
    criteri.data = TxtData->text();
    criteri.rifcli = TxtRifCli->text();
    if (OptAperte->isChecked()) criteri.stato = CriteriRicerca::Stato::Aperte;
    if (OptChiuse->isChecked()) criteri.stato = CriteriRicerca::Stato::Chiuse;
    criteri.documento = TxtRicercaDocumento->text();
    criteri.incarico = TxtRicercaIncarico->text();
    criteri.competenza = DbcRicercaCompetenza->currentText();
    criteri.importo = TxtRicercaImporto->text();
    // An amount in words would be searched for as the figures picked out of it, if any.
    if (!criteri.importo.isEmpty() && !NumeroInCifre(criteri.importo)) {
        ui::refuse(*TxtRicercaImporto, "Bisogna definire in cifre l'importo nel campo «con addebito»");
        return;
    }

    // A search that cannot run leaves the mask as it is, criteria included.
    Procedura proc("Funzione di ricerca fascole");
    std::optional<ElencoFascole> trovate;
    if (!proc.essenziale([&] { trovate = CercaFascole(*ArchivioInUso(), criteri); }) || !trovate) return;

    // The result replaces the previous one.
    Selezionate = std::make_shared<ElencoFascole>(std::move(*trovate));
    MostraTrovati(long(Selezionate->size()), "Non è stata trovata nessuna fascola con i parametri dati");
}
