// The client registry and the exposure enquiry as the assembled main window offers them.
#include <QAction>
#include <QDialog>

#include "casefiles/forms/MascheraFixture.h"
#include "clients/forms/FrmAnagrafe.h"
#include "clients/forms/FrmEsposizione.h"
#include "support/ModalHelper.h"

using ui::Answer;

namespace maschera {
namespace {

class FinestraClienti : public MascheraFixture {
protected:
    QAction* voceClienti() {
        auto* voce = finestra.findChild<QAction*>("Definizione_clienti");
        EXPECT_NE(voce, nullptr);
        return voce;
    }
};

TEST_F(FinestraClienti, UnlinkedTheMenuOpensTheRegistryAndItsClosingGivesTheWindowBack) {
    avvia();
    ASSERT_TRUE(voceClienti()->isEnabled());
    for (const bool conEsci : {true, false}) {
        ModalHelper modali;
        bool aperta = false;
        modali.onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<FrmAnagrafe*>(w);
            ASSERT_NE(form, nullptr);
            aperta = true;
            if (conEsci) clic(form->cmdFine);
            else form->close();
        });
        finestra.ImpostaAttiva(false);
        voceClienti()->trigger();
        EXPECT_TRUE(aperta);
        EXPECT_TRUE(finestra.Attiva()) << (conEsci ? "ESCI" : "close box");
    }
}

TEST_F(FinestraClienti, LinkedTheClientsAreTheAccountingPackagesAndTheRegistryStaysShut) {
    avvia(true);
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Utilizzare l'anagrafica clienti della contabilità", "DEFINIZIONE CLIENTI");
    ModalHelper modali(500);
    voceClienti()->trigger();
    EXPECT_EQ(box.asked().size(), 1u);
}

TEST_F(FinestraClienti, TheExposureButtonServesTheCaseFileOnDisplay) {
    fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
    fascole.addClient("B02", {{"ragione", "Bianchi Srl"}});
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}, {"stato", true}});
    fascole.addCaseFile("R01", "0002", "2004-02-10", {{"numpranno", "2004.00002"}, {"stato", true}});
    fascole.addCatalogueItem("ONO", {{"tipo", "X"}});
    fascole.addFeeItem("R01", "0001", "0000", "0000", "ONO", {{"impofat", 150}});
    fascole.addFeeItem("R01", "0002", "0000", "0000", "ONO", {{"impofat", 40}});
    avvia();
    EXPECT_FALSE(finestra.E_CmdCalcola->isEnabled()) << "no case file on display";

    scegliCliente("Rossi Mario");
    cercaTutte();
    ASSERT_EQ(m().ModoOperativo, 2);
    ASSERT_TRUE(finestra.E_CmdCalcola->isEnabled());
    const QString npra = m().LblNpra->text();
    const QString altra = npra == "0001" ? "40,00" : "150,00";
    const QString questa = npra == "0001" ? "150,00" : "40,00";

    for (const bool conContinua : {true, false}) {
        ModalHelper modali;
        bool attivaDurante = true;
        modali.onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<FrmEsposizione*>(w);
            ASSERT_NE(form, nullptr);
            attivaDurante = finestra.Attiva();
            EXPECT_EQ(form->LblNomeCliente->text(), "Rossi Mario");
            EXPECT_EQ(form->LblAPTNF->text(), altra);
            EXPECT_EQ(form->LblPCTNF->text(), questa);
            EXPECT_EQ(form->LblT->text(), "190,00");
            if (conContinua) clic(form->CmdContinua);
            else form->close();
        });
        clic(finestra.E_CmdCalcola);
        EXPECT_FALSE(attivaDurante);
        EXPECT_TRUE(finestra.Attiva()) << (conContinua ? "CONTINUA" : "close box");
    }

    clic(m().CmdAnnullaFascola);
    EXPECT_FALSE(finestra.E_CmdCalcola->isEnabled());
}

}  // namespace
}  // namespace maschera
