#include "casefiles/forms/SchedeFascola.h"

#include <QLabel>

#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/ServiziCompetenze.h"
#include "casefiles/forms/TabIncarichi.h"
#include "casefiles/forms/TabLavorazioni.h"

void SvuotaSchede(FrmFascola& finestra) {
    finestra.Incarichi->I_VuotaGriglia();
    finestra.Incarichi->I_PulisciCampi();
    finestra.Lavorazioni->L_VuotaGriglia();
    finestra.Lavorazioni->L_PulisciCampi();
    // Until the fee-item subsystem has put its tab in the window there is none to drive.
    if (ServiziCompetenze* c = finestra.Competenze) {
        c->C_PulisciCampi();
        c->C_AbilitaImporti(false);
        c->C_AbilitaDescrizione(false);
        c->C_AbilitaElemento(false);
        c->C_VuotaGriglia();
    }
}

void PassaFascolaAlleSchede(FrmFascola& finestra, const QString& nome, const QString& codice, const QString& npra) {
    TabIncarichi& incarichi = *finestra.Incarichi;
    incarichi.I_LblNomeCliente->setText(nome);
    incarichi.I_LblCodiceCliente->setText(codice);
    incarichi.I_LblNpra->setText(npra);
    incarichi.I_PulisciCampi();
    incarichi.I_MostraGriglia();

    TabLavorazioni& lavorazioni = *finestra.Lavorazioni;
    lavorazioni.L_LblNomeCliente->setText(nome);
    lavorazioni.L_LblCodiceCliente->setText(codice);
    lavorazioni.L_LblNpra->setText(npra);
    lavorazioni.L_LblTitolo->clear();
    lavorazioni.L_LblNtask->clear();
    lavorazioni.L_PulisciCampi();
    lavorazioni.L_VuotaGriglia();

    // Until the fee-item subsystem has put its tab in the window there is none to drive.
    if (ServiziCompetenze* c = finestra.Competenze) {
        c->C_LblNomeCliente->setText(nome);
        c->C_LblCodiceCliente->setText(codice);
        c->C_LblNpra->setText(npra);
        c->C_LblNtask->setText("0000");
        c->C_LblNjob->setText("0000");
        c->C_PulisciCampi();
        c->C_AbilitaImporti(false);
        c->C_AbilitaDescrizione(false);
        c->C_AbilitaElemento(true);
        c->C_VuotaGriglia();
        c->C_MostraGriglia();
    }
}
