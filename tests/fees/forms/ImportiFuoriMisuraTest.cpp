// The amount boxes of the fee-item tab refuse an amount that could not be invoiced with its
// VAT, with a message and the focus on the box, and store nothing; the largest amount they
// take is stored exactly.
#include <gtest/gtest.h>

#include "fees/engine/CalcoloCompetenza.h"
#include "fees/forms/CompetenzeFixture.h"

namespace {

using competenze_in_uso::CompetenzeFixture;

class ImportiFuoriMisura : public CompetenzeFixture {};

TEST_F(ImportiFuoriMisura, TheBoxesRefuseAnAmountWhoseTotalWithItsVatWouldLeaveTheRange) {
    apri();
    enum Box { Importo, Fattore, Impofatt };
    const struct {
        const char* elemento;
        std::vector<std::pair<Box, QString>> digitati;
        Box rifiutato;
    } casi[] = {
        // A fee typed: the amount to invoice just beyond half the range.
        {"RIC", {{Impofatt, "461.168.601.842.739"}}, Impofatt},
        // An advance: its amount, copied into the amount to invoice, is refused at its own box.
        {"ANT", {{Importo, "500.000.000.000.000"}}, Importo},
        // A cost far beyond the range itself is too large, not "no amount".
        {"SPE", {{Importo, "99999999999999999999"}, {Impofatt, "10"}}, Importo},
        // A unit price that fits, times 2: the product fits the range but not with its VAT.
        {"ORE", {{Importo, "400.000.000.000.000"}, {Fattore, "2"}}, Impofatt},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.elemento);
        scegli(c.elemento);
        QLineEdit* const box[] = {t().C_TxTImporto, t().C_TxtFattore, t().C_TxtImpoFatt};
        for (const auto& [quale, testo] : c.digitati) digita(box[quale], testo);
        ScriptedMessages messaggi;
        messaggi.expectMessage(ui::Answer::Ok, MessaggioImportoFuoriMisura);
        clic(t().C_CmdAggiungi);
        EXPECT_EQ(messaggi.pending(), 0);
        EXPECT_TRUE(box[c.rifiutato]->hasFocus());
        EXPECT_EQ(colonna("SELECT count(*) FROM competenze").toInt(), 0);
        clic(t().C_CmdVuota);
    }

    // The largest whole amount the box takes is stored as typed, to the unit.
    scegli("RIC");
    digita(t().C_TxtImpoFatt, "461.168.601.842.738");
    clic(t().C_CmdAggiungi);
    EXPECT_EQ(colonna("SELECT impofat FROM competenze WHERE elemento = 'RIC'").toText(), "461168601842738");
}

}  // namespace
