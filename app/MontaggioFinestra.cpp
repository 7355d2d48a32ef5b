#include "app/MontaggioFinestra.h"


#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "clients/forms/FrmAnagrafe.h"
#include "clients/forms/FrmEsposizione.h"
#include "clients/forms/FrmParCli.h"
#include "fees/forms/FrmElefat.h"
#include "fees/forms/TabCompetenze.h"
#include "invoice/forms/FrmRistampa.h"
#include "invoice/forms/StampaFattura.h"
#include "invoice/forms/TabFattura.h"
#include "platform/db/Database.h"
#include "startup/forms/FrmCollegamentoArchivi.h"

void MontaggioFinestra(FrmFascola& finestra) {
    new TabCompetenze(finestra);
    auto* fattura = new TabFattura(finestra);
    fattura->Stampa = [&finestra, fattura] { F_CmdStampa_Click(finestra, *fattura); };
    finestra.ImpostaDialogo(FrmFascola::Dialogo::CollegamentoArchivi, [](QWidget* sopra) {
        FrmCollegamentoArchivi dialogo(sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::Anagrafe, [](QWidget* sopra) {
        FrmAnagrafe dialogo(sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::ParCli, [](QWidget* sopra) {
        FrmParCli dialogo(sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::Esposizione, [](QWidget* sopra) {
        const FascolaCorrenteRec& fascola = FascolaCorrente();
        FrmEsposizione dialogo(fascola.CodiceClienteCorrente(), fascola.NomeClienteCorrente(), fascola.NpraCorrente(),
                               sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::Ristampa, [](QWidget* sopra) {
        FrmRistampa dialogo(sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::Elefat, [](QWidget* sopra) {
        FrmElefat dialogo(sopra);
        dialogo.exec();
    });
}
