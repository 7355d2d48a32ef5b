#include "app/MontaggioFinestra.h"

#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "fees/forms/TabCompetenze.h"
#include "invoice/engine/FatturazioneFissa.h"
#include "startup/forms/FrmCollegamentoArchivi.h"

void MontaggioFinestra(FrmFascola& finestra) {
    new TabCompetenze(finestra);
    finestra.ImpostaDialogo(FrmFascola::Dialogo::CollegamentoArchivi, [](QWidget* sopra) {
        FrmCollegamentoArchivi dialogo(sopra);
        dialogo.exec();
    });
    finestra.Maschera->ElementiFatturazioneFissa = [](const QString& cliente, const QString& npra) {
        QString modo = "P";
        LetturaElementiFatturazioneFissa(modo, cliente, npra);
    };
}
