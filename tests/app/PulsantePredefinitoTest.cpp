// Every dialog of the program, shown on a started program: Enter typed in any of its fields
// presses its confirming button or none; no SFOGLIA or other button is the default, not even
// after the focus has passed over it.
#include <QDialog>
#include <QPushButton>
#include <functional>
#include <memory>

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "casefiles/forms/MascheraFixture.h"
#include "clients/forms/FrmAnagrafe.h"
#include "clients/forms/FrmEsposizione.h"
#include "clients/forms/FrmParCli.h"
#include "fees/engine/DettaglioCompetenza.h"
#include "fees/forms/FrmDettaglioElemento.h"
#include "fees/forms/FrmElefat.h"
#include "foundation/forms/FrmComandoSql.h"
#include "foundation/forms/FrmInformazioni.h"
#include "invoice/forms/FrmDatiClienteFattura.h"
#include "invoice/forms/FrmDettElemFattura.h"
#include "invoice/forms/FrmNoteFattura.h"
#include "invoice/forms/FrmRistampa.h"
#include "startup/forms/FrmCollegamentoArchivi.h"
#include "startup/forms/FrmFascolaINI.h"
#include "startup/forms/FrmParametriFattura.h"

namespace {

using maschera::MascheraFixture;

// The buttons of `dialogo` that Enter would press now.
QStringList predefiniti(QDialog& dialogo) {
    QStringList nomi;
    for (QPushButton* b : dialogo.findChildren<QPushButton*>())
        if (b->isDefault()) nomi << b->objectName();
    return nomi;
}

TEST_F(MascheraFixture, EnterInAnyDialogPressesItsConfirmingButtonOrNone) {
    avvia();
    DettaglioCompetenzaRec dettaglio;
    struct Caso {
        std::function<QDialog*()> crea;
        QStringList conferma;  // the button Enter presses, or none
    };
    const Caso casi[] = {
        {[] { return new FrmFascolaINI; }, {}},
        {[] { return new FrmCollegamentoArchivi; }, {}},
        {[] { return new FrmParametriFattura; }, {}},
        {[] { return new FrmRistampa; }, {}},
        {[] { return new FrmHelpPianoDeiConti; }, {}},
        {[] { return new FrmElefat; }, {}},
        {[] { return new FrmParCli; }, {}},
        {[] { return new FrmAnagrafe; }, {}},
        {[] { return new FrmDettElemFattura("R01", "0001"); }, {"CmdContinua"}},
        {[] { return new FrmDatiClienteFattura; }, {"CmdContinua"}},
        {[] { return new FrmNoteFattura; }, {"CmdContinua"}},
        {[&dettaglio] { return new FrmDettaglioElemento(dettaglio); }, {"DC_CmdNascondi"}},
        {[] { return new FrmEsposizione("R01", "Rossi Mario", "0001"); }, {"CmdContinua"}},
        {[] { return new FrmComandoSql; }, {"CmdEsegui"}},
        {[] { return new FrmInformazioni; }, {"CmdOK"}},
    };
    ScriptedMessages box;
    for (const Caso& c : casi) {
        std::unique_ptr<QDialog> dialogo(c.crea());
        SCOPED_TRACE(dialogo->objectName().toStdString());
        dialogo->show();
        QApplication::setActiveWindow(dialogo.get());
        EXPECT_EQ(predefiniti(*dialogo), c.conferma);
        // The focus passed over every button and gone on elsewhere.
        for (QPushButton* b : dialogo->findChildren<QPushButton*>())
            if (b->isEnabled() && b->isVisibleTo(dialogo.get())) b->setFocus(Qt::TabFocusReason);
        if (QWidget* ultimo = dialogo->focusWidget()) ultimo->clearFocus();
        EXPECT_EQ(predefiniti(*dialogo), c.conferma);
        dialogo->hide();
    }
}

}  // namespace
