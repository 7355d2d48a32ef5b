// A code typed over the element chosen on the fee-item tab looks nothing up, since the
// description is shown: AGGIUNGI and CORREGGI then refuse to store the code with the other
// element's text, amount and mode. A stored item whose element has left the catalogue is
// still corrected.
#include <gtest/gtest.h>

#include "fees/engine/ElementoMostrato.h"
#include "fees/forms/CompetenzeFixture.h"

namespace {

using competenze_in_uso::CompetenzeFixture;

class ElementoCambiato : public CompetenzeFixture {
protected:
    // ONO chosen by its code, then RIC typed over the code and the box left.
    void ricSuOno() {
        scegli("ONO");
        ASSERT_EQ(t().C_TxtDescrizione->text(), "Onorario");
        ASSERT_EQ(t().C_TxtImpoFatt->text(), "100,00");
        scegli("RIC");
        ASSERT_EQ(t().C_DbcDescrizEle->currentText(), "Onorario");
        ASSERT_EQ(t().C_TxtImpoFatt->text(), "100,00");
    }
    // `comando` clicked: the one message naming both elements, the focus on the code.
    void rifiuta(QPushButton* comando) {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, MessaggioElementoCambiato("RIC", "ONO", "VUOTA"), QString());
        clic(comando);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(t().C_DbcElemento->hasFocus());
        EXPECT_EQ(t().C_DbcElemento->currentText(), "RIC");  // the fields stay as they were
        EXPECT_EQ(t().C_TxtDescrizione->text(), "Onorario");
    }
    int voci() { return colonna("SELECT count(*) FROM competenze").toInt(); }
};

TEST_F(ElementoCambiato, AggiungiAndCorreggiRefuseACodeTypedOverTheElementShown) {
    apri();
    ricSuOno();
    rifiuta(t().C_CmdAggiungi);
    EXPECT_EQ(voci(), 0);

    // RIC stored as chosen; ONO's fields are not written into it either.
    clic(t().C_CmdVuota);
    scegli("RIC");
    digita(t().C_TxtImpoFatt, "250");
    clic(t().C_CmdAggiungi);
    const std::string ric = riga("0000", "0000", "RIC");
    ASSERT_EQ(ric, "Onorario a richiesta|" + oggiIso() +
                       "|0|250|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|");
    ricSuOno();
    rifiuta(t().C_CmdCorreggi);
    EXPECT_EQ(riga("0000", "0000", "RIC"), ric);
    EXPECT_EQ(voci(), 1);

    // Cleared and chosen again, RIC is looked up and corrected with its own values.
    clic(t().C_CmdVuota);
    scegli("RIC");
    EXPECT_EQ(t().C_TxtDescrizione->text(), "Onorario a richiesta");
    digita(t().C_TxtImpoFatt, "300");
    clic(t().C_CmdCorreggi);
    EXPECT_EQ(riga("0000", "0000", "RIC"), "Onorario a richiesta|" + oggiIso() +
                                               "|0|300|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|");
}

// Another workstation removed the element of the item on display from the catalogue: the
// correction is priced by the element as it was shown, a cost keeping its amount.
TEST_F(ElementoCambiato, AStoredItemWhoseElementLeftTheCatalogueIsStillCorrected) {
    apri();
    scegli("SPE");
    digita(t().C_TxTImporto, "10");
    digita(t().C_TxtImpoFatt, "10");
    clic(t().C_CmdAggiungi);
    clicRiga(1);
    ASSERT_EQ(t().C_DbcElemento->currentText(), "SPE");
    fascole.db().execute("DELETE FROM elefat WHERE codice = 'SPE'");

    scrivi(t().C_TxtDescrizione, "Spese corrette");
    digita(t().C_TxTImporto, "12");
    digita(t().C_TxtImpoFatt, "15");
    ScriptedMessages box;  // nothing is asked
    clic(t().C_CmdCorreggi);
    EXPECT_EQ(riga("0000", "0000", "SPE"),
              "Spese corrette|" + oggiIso() + "|12|15|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|");
    EXPECT_EQ(aperti(), "11000000");  // back to entry
}

}  // namespace
