// A code typed over the element chosen for a new invoice line looks nothing up, since the
// description is shown: AGGIUNGI and the insertion menu then refuse to make a line of the code
// with the other element's text and amount. A line whose element has left the catalogue since
// it was clicked is still corrected.
#include <gtest/gtest.h>

#include "fees/engine/ElementoMostrato.h"
#include "invoice/forms/TabFatturaFixture.h"

namespace {

using tab_fattura::TabFatturaFixture;

class ElementoCambiatoInFattura : public TabFatturaFixture {
protected:
    // ONO chosen by its code, then ORE typed over the code and the box left.
    void oreSuOno() {
        scegliElemento("ONO");
        ASSERT_EQ(t().F_TxtDescrizione->text(), "Onorario");
        ASSERT_EQ(t().F_TxtImpofatt->text(), "100,00");
        scegliElemento("ORE");
        ASSERT_EQ(t().F_DbcDescrizione->currentText(), "Onorario");
        ASSERT_EQ(t().F_TxtImpofatt->text(), "100,00");
    }
    // The one message naming both elements once `azione` has run, the focus on the code.
    template <class Azione>
    void rifiuta(Azione azione) {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, MessaggioElementoCambiato("ORE", "ONO", "ANNULLA"));
        azione();
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(t().F_DbcElemento->hasFocus());
        EXPECT_EQ(t().F_DbcElemento->currentText(), "ORE");  // the fields stay as they were
        EXPECT_EQ(pulsantiRiga(), "111100");
    }
};

TEST_F(ElementoCambiatoInFattura, AggiungiAndTheMenuRefuseACodeTypedOverTheElementShown) {
    apri();
    applica(t().F_OptNessunaSelezione);
    oreSuOno();
    rifiuta([&] { clic(t().F_CmdAggiungi); });
    EXPECT_TRUE(elementiLinee().isEmpty());

    clic(t().F_CmdAnnulla);
    scegliElemento("ONO");
    clic(t().F_CmdAggiungi);
    ASSERT_EQ(elementiLinee(), QStringList{"ONO"});
    // The way to a place in the menu: a line clicked, its fields cleared, an element chosen.
    clicRiga(rigaDellaLinea(1));
    clic(t().F_CmdAnnulla);
    oreSuOno();
    rifiuta([&] { inserisciDalMenu(rigaDellaLinea(1), t().F_mnuRigaSopra); });
    EXPECT_EQ(elementiLinee(), QStringList{"ONO"});

    // Cleared and chosen again, ORE is looked up and added with its own values.
    clic(t().F_CmdAnnulla);
    scegliElemento("ORE");
    EXPECT_EQ(t().F_TxtDescrizione->text(), "Ore di lavoro");
    clic(t().F_CmdAggiungi);
    EXPECT_EQ(elementiLinee(), (QStringList{"ONO", "ORE"}));
    EXPECT_EQ(fattura().RigheFattura.riga(2).descrizione, "Ore di lavoro");
}

// Another workstation removed the element of the line on display from the catalogue: the
// correction is priced by the element as it was shown, a cost keeping its amount.
TEST_F(ElementoCambiatoInFattura, ALineWhoseElementLeftTheCatalogueIsStillCorrected) {
    apri();
    applica(t().F_OptNessunaSelezione);
    scegliElemento("SPE");
    importo(t().F_TxtImporto, "10");
    importo(t().F_TxtImpofatt, "10");
    clic(t().F_CmdAggiungi);
    clicRiga(rigaDellaLinea(1));
    ASSERT_EQ(pulsantiRiga(), "111011");
    fascole.db().execute("DELETE FROM elefat WHERE codice = 'SPE'");

    importo(t().F_TxtImporto, "12");
    importo(t().F_TxtImpofatt, "15");
    ScriptedMessages box;  // nothing is asked
    clic(t().F_CmdCorreggi);
    const RigaFattura& spe = fattura().RigheFattura.riga(1);
    EXPECT_EQ(spe.importo, Currency::fromUnits(12));
    EXPECT_EQ(spe.impofat, Currency::fromUnits(15));
    EXPECT_EQ(spe.addebitounitario, Currency());  // a cost, not a unit price
    EXPECT_EQ(pulsantiRiga(), "010000");
}

}  // namespace
