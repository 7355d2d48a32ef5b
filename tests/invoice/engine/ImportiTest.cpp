#include "invoice/engine/Importi.h"

#include <gtest/gtest.h>

#include "invoice/engine/FatturaDiProva.h"
#include "invoice/engine/ImportiDocumento.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"

namespace {

using fattura_di_prova::euro;

TEST(NumeroDaTesto, ReadsTheDecimalCommaAndKeepsEveryTextWrittenWithAFullStop) {
    const struct {
        const char* testo;
        const char* atteso;
    } casi[] = {
        // Texts the full-stop reading always read right keep their value.
        {"20", "20"}, {"12.5", "12,5"}, {"77.47", "77,47"}, {"2.00", "2"}, {" 1 00 ", "100"},
        {"", "0"}, {"abc", "0"}, {"-3.5", "-3,5"}, {"1.000,50", "1"}, {"1,234.5", "1"}, {"20%", "20"},
        {".5", "0,5"}, {"5.", "5"}, {"0.00001", "0"}, {"0.00005", "0"}, {"0.00015", "0,0002"},
        // A comma typed as the decimal point.
        {"12,5", "12,5"}, {"1,50", "1,5"}, {"77,47", "77,47"}, {"0,00", "0"}, {"4,00", "4"}, {"0,50", "0,5"},
        {"12,5,3", "12,5"}, {"-0,5", "-0,5"},
    };
    for (const auto& c : casi) EXPECT_EQ(NumeroDaTesto(c.testo), euro(c.atteso)) << c.testo;
}

TEST(NumeroDaTesto, ANumberBeyondMoneyRaisesOverflow) {
    try {
        NumeroDaTesto("99999999999999999999");
        FAIL();
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, 6);
    }
}

TEST(ImpostaSuImponibile, RoundsToTheCentOnceWithHalvesAwayFromZero) {
    const struct {
        const char *imponibile, *aliquota, *attesa;
    } casi[] = {
        {"123,45", "20", "24,69"},   {"10,25", "10", "1,03"},     {"100", "20", "20"},
        {"1000", "20", "200"},       {"0,125", "20", "0,03"},     {"0,1249", "20", "0,02"},
        {"100,5", "12,5", "12,56"},  {"-10,25", "10", "-1,03"},   {"-10,24", "10", "-1,02"},
        {"-0,125", "20", "-0,03"},   {"100,99", "0,5", "0,5"},    {"0,99", "0,5", "0"},
        {"100", "0", "0"},           {"1234567,89", "22", "271604,94"},
        {"99999999,9999", "22", "22000000"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(ImpostaSuImponibile(euro(c.imponibile), euro(c.aliquota)), euro(c.attesa))
            << c.imponibile << " at " << c.aliquota;
}

// The cent the amount masks show, and a group's taxable amount growing by it line after line.
TEST(AlCentesimo, HalvesAwayFromZeroAsTheAmountMasksShow) {
    const struct {
        const char *importo, *atteso;
    } casi[] = {{"10,005", "10,01"}, {"10,0049", "10"}, {"-10,005", "-10,01"}, {"-10,0049", "-10"},
                {"0,0050", "0,01"},  {"0,0049", "0"},   {"1234,565", "1234,57"}, {"7", "7"}};
    for (const auto& c : casi) {
        EXPECT_EQ(AlCentesimo(euro(c.importo)), euro(c.atteso)) << c.importo;
        // What the mask shows reads back as the same cent.
        EXPECT_EQ(basic::Format(AlCentesimo(euro(c.importo)), "#,###,##0.00"),
                  basic::Format(euro(c.importo), "#,###,##0.00"))
            << c.importo;
    }
    // Two lines of 10,004: the group holds 10,00 then 20,00 (not the 20,01 of the exact sum).
    EXPECT_EQ(SommaImponibileGruppo(Currency(), euro("10,004")), euro("10"));
    EXPECT_EQ(SommaImponibileGruppo(euro("10"), euro("10,004")), euro("20"));
    EXPECT_EQ(SommaImponibileGruppo(euro("10"), euro("-10,006")), euro("-0,01"));
}

}  // namespace
