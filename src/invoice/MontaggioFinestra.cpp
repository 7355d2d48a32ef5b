#include "invoice/MontaggioFinestra.h"

#include "casefiles/FrmFascola.h"
#include "casefiles/MascheraFascola.h"
#include "fees/TabCompetenze.h"
#include "invoice/FatturazioneFissa.h"
#include "startup/FrmCollegamentoArchivi.h"

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
