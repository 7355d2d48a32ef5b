#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <optional>

#include "accounting/engine/LetturaContabile.h"
#include "casefiles/engine/ClientiFascola.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/DatiCliente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/ui/RefillCombo.h"

namespace {

QString clienteSconosciuto() {
    return AmbienteLavoro().CollegatoContabilita ? QStringLiteral("??? Cliente non definito in contabilità ???")
                                                 : QStringLiteral("??? Cliente non definito in archivio ???");
}

}  // namespace

// The case file at PosSelezionata of the search result into the mask, and onto display: the
// tasks, jobs and fee-item tabs follow FascolaCorrente() and show it.
void MascheraFascola::Visualizza() {
    if (PosSelezionata < 1 || PosSelezionata > long(Selezionate->size())) return;
    const Fascola& riga = selezionata();
    const QString cliente = riga.cliente();
    mostraCodice(cliente);

    Procedura proc("Funzione di visualizza i dati di una fascola");
    std::optional<QString> nome;
    if (!proc.esegui([&] { nome = NomeDelCliente(*ArchivioInUso(), cliente); })) return;
    DbcNomeCliente->setEditText(nome.value_or(clienteSconosciuto()));
    const QString nomeMostrato = DbcNomeCliente->currentText();

    // A letter outside the five leaves no option on, rather than the previous case file's.
    spegniCriteri();
    mostraCriterio(riga.criterio());
    TxtData->setText(riga.data());
    TxtNote->setText(riga.camponote());
    TxtRifCli->setText(riga.rifcli());
    ChkStato->setChecked(riga.stato());
    LblNumeroAssoluto->setText(riga.numpranno());

    if (Connessione archivio = ArchivioContabileInUso(proc)) LetturaDatiCliente(*archivio, cliente);
    DatiClienteFattura().Nome = nomeMostrato;

    FascolaCorrente().MostraFascola(cliente, nomeMostrato, riga.npra());
    // The exposure enquiry works on the case file on display.
    finestra_.AbilitaEsposizione(true);
}
