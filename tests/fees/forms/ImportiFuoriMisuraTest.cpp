// The amount boxes of the fee-item tab refuse an amount that the archive could not hold
// exactly once invoiced with its VAT, with a message and the focus on the box, and store
// nothing; the largest amount they take is stored exactly.
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
        // A fee typed: the amount to invoice a ten-thousandth beyond the largest one taken.
        {"RIC", {{Impofatt, "274.877.906.944,0002"}}, Impofatt},
        // An advance: its amount, copied into the amount to invoice, is refused at its own box.
        {"ANT", {{Importo, "-274.877.906.944,0002"}}, Importo},
        // A cost far beyond the range itself is too large, not "no amount".
        {"SPE", {{Importo, "99999999999999999999"}, {Impofatt, "10"}}, Importo},
        // A unit price that is taken, times 2: the product is not.
        {"ORE", {{Importo, "200.000.000.000"}, {Fattore, "2"}}, Impofatt},
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

    // The largest amount the box takes is stored as typed, to the ten-thousandth.
    scegli("RIC");
    digita(t().C_TxtImpoFatt, "274.877.906.944,0001");
    clic(t().C_CmdAggiungi);
    EXPECT_EQ(colonna("SELECT impofat FROM competenze WHERE elemento = 'RIC'").toCurrency(),
              Currency::fromRaw(2'748'779'069'440'001));
}

}  // namespace
