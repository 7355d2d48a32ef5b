#include "invoice/engine/Scadenzario.h"

#include <gtest/gtest.h>

#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/FatturaDiProva.h"
#include "support/ScriptedMessages.h"

namespace {

using fattura_di_prova::riga;
using fattura_di_prova::SessioneCollegata;

struct Caso {
    QString pagamento;
    QString codiceIva;
    const char* impofat;
    Scadenza attesa;
};

void verifica(LettoreAliquoteIva& aliquote, const Caso& c, const QString& data = "15/03/2004") {
    RigaFattura r = riga(c.codiceIva, c.impofat);
    r.pagamento = c.pagamento;
    const Scadenza s = CalcoloScadenzario(r, data, aliquote);
    const std::string caso = c.pagamento.toStdString() + " / " + c.codiceIva.toStdString() + " / " + c.impofat;
    EXPECT_EQ(s.ScadenzaDescrizione, c.attesa.ScadenzaDescrizione) << caso;
    EXPECT_EQ(s.ScadenzaData, c.attesa.ScadenzaData) << caso;
    EXPECT_EQ(s.ScadenzaImporto, c.attesa.ScadenzaImporto) << caso;
}

TEST(CalcoloScadenzarioNonCollegato, TheTermIsANumberOfDaysFromTheInvoiceDate) {
    const Caso casi[] = {
        {"0", "20", "100,00", {"Rimessa diretta", "15/03/2004", "120"}},
        {"30", "20", "100,00", {"30 gg. data fattura", "14/04/2004", "120"}},
        {"60", "20", "100,50", {"60 gg. data fattura", "14/05/2004", "121"}},
        {"60", "0", "100,50", {"60 gg. data fattura", "14/05/2004", "100"}},
        {"60", "ES", "100,50", {"60 gg. data fattura", "14/05/2004", "100"}},
        {"60", "", "100,50", {"60 gg. data fattura", "14/05/2004", "100"}},
        // The 0,9 lifts a remainder of a tenth or more to the next unit.
        {"30", "10", "90,90", {"30 gg. data fattura", "14/04/2004", "100"}},
        {"30", "10", "90,10", {"30 gg. data fattura", "14/04/2004", "100"}},
        {"30", "10", "90,08", {"30 gg. data fattura", "14/04/2004", "99"}},
        {"30", "10", "90", {"30 gg. data fattura", "14/04/2004", "99"}},
        // The VAT as the line prints it: 90,09 bears 9,01 (99,10 in all), 100,00 once raised;
        // 10,09 bears 1,01 (11,10), 12,00 once raised; a credit note's -10,09 bears -1,01
        // (-11,10), -10,20 once raised.
        {"30", "10", "90,09", {"30 gg. data fattura", "14/04/2004", "100"}},
        {"30", "10", "10,09", {"30 gg. data fattura", "14/04/2004", "12"}},
        {"30", "10", "-10,09", {"30 gg. data fattura", "14/04/2004", "-10"}},
        // The due amount takes the same rate as the line's VAT: 12,5 is 12,5 %.
        {"30", "12,5", "100", {"30 gg. data fattura", "14/04/2004", "113"}},
        {"30", "12.5", "100", {"30 gg. data fattura", "14/04/2004", "113"}},
        {"30", "20", "0", {"30 gg. data fattura", "14/04/2004", "0"}},
        {"30", "20", "1234567,89", {"30 gg. data fattura", "14/04/2004", "1481482"}},
        {"30", "20", "-100", {"30 gg. data fattura", "14/04/2004", "-119"}},
        {"15", "20", "100", {"15 gg. data fattura", "30/03/2004", "120"}},
        {"3O", "20", "100", {}},
        {"", "20", "100", {}},
        // Days are a whole number in digits: a term read as 305 or 600 days is no term.
        {"30.5", "20", "100", {}},
        {"60.0", "20", "100", {}},
        {"-30", "20", "100", {}},
        {"30,0", "20", "100", {}},
    };
    LettoreAliquoteIva aliquote;
    for (const Caso& c : casi) verifica(aliquote, c);
    // Across a leap year's February.
    verifica(aliquote, {"20", "20", "100", {"20 gg. data fattura", "19/03/2004", "120"}}, "28/02/2004");
    // An invoice dated with a two-digit year is of this century's years to come.
    verifica(aliquote, {"30", "20", "100", {"30 gg. data fattura", "04/02/2030", "120"}}, "05/01/30");
}

TEST_F(SessioneCollegata, TheTermIsAPaymentCodeOfTheAccountingArchive) {
    sessione().execute("INSERT INTO contabile.codicipagamento (codice, descrizione, periodo) VALUES (?, ?, ?)",
                       {"B60", "Bonifico bancario 60 giorni data fattura", 60});
    const Caso casi[] = {
        {"RD", "20", "100", {"RD - Rimessa diretta", "15/03/2004", "120"}},
        {"B60", "20", "100", {"B60 - Bonifico bancario 60", "14/05/2004", "120"}},
        {"R30", "125", "100", {"R30 - Ricevuta bancaria 30", "14/04/2004", "113"}},
        // 10,09 at 10 % prints its VAT as 1,01: 11,10 in all.
        {"R30", "10", "10,09", {"R30 - Ricevuta bancaria 30", "14/04/2004", "12"}},
        // A zero-rate or unknown VAT code adds nothing.
        {"R30", "E15", "100,50", {"R30 - Ricevuta bancaria 30", "14/04/2004", "100"}},
        {"R30", "XX", "100,50", {"R30 - Ricevuta bancaria 30", "14/04/2004", "100"}},
        {"R30", "20", "0", {"R30 - Ricevuta bancaria 30", "14/04/2004", "0"}},
        {"ZZ", "20", "100", {}},
        {"30", "20", "100", {}},
    };
    LettoreAliquoteIva aliquote(sessione(), true);
    for (const Caso& c : casi) verifica(aliquote, c);
}

TEST(CalcoloScadenzarioNonCollegato, AnInvoiceDateThatIsNoDateGoesToTheErrorHandler) {
    RipristinaAttesaBlocco();
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI")
        .expectMessage(ui::Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
    LettoreAliquoteIva aliquote;
    RigaFattura r = riga("20", "100");
    r.pagamento = "30";
    EXPECT_TRUE(CalcoloScadenzario(r, "31/02/2004", aliquote).vuota());
    // Going on past the date: the rest of the due date is still worked out.
    const Scadenza s = CalcoloScadenzario(r, "", aliquote);
    EXPECT_EQ(s.ScadenzaDescrizione, "30 gg. data fattura");
    EXPECT_EQ(s.ScadenzaData, "");
    EXPECT_EQ(s.ScadenzaImporto, "120");
    ASSERT_EQ(box.messageTexts().size(), 2);
    EXPECT_TRUE(box.messageTexts()[0].contains("Funzione: Funzione di calcolo dello scadenzario"));
}

}  // namespace
