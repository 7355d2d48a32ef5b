#include "foundation/engine/NumeroParametro.h"

#include <gtest/gtest.h>

#include "foundation/engine/Ambiente.h"
#include "platform/db/DbError.h"

namespace {

Currency euro(const char* testo) { return *Currency::parse(testo, ','); }

// The value a parameter carries is the one the parameters dialog accepted its text for when it
// is a number in figures (thousands points, a euro sign), else the free reading of a text stored
// by an older program; whichever way the text was set.
TEST(NumeroParametro, CarriesTheValueOfItsTextSetOnce) {
    const struct {
        const char* testo;
        const char* valore;
    } casi[] = {
        // Numbers in figures: read as the dialog accepted them.
        {"20", "20"}, {"12,5", "12,5"}, {"12.5", "12,5"}, {"77,47", "77,47"}, {"77.47", "77,47"}, {"2,00", "2"},
        {" 2.00 ", "2"}, {"2.00 €", "2"}, {"-3,5", "-3,5"}, {"5.", "5"},
        {"1.000,50", "1000,5"}, {"1.000", "1000"}, {"€ 2", "2"}, {"€2,50", "2,5"}, {"1.5000", "15000"},
        // Other texts keep the free reading.
        {"", "0"}, {"bollo", "0"}, {"20%", "20"}, {"12,5,3", "12,5"}, {".5", "0,5"}, {"1,234.5", "1"},
    };
    for (const auto& c : casi) {
        const NumeroParametro p = QString(c.testo);
        EXPECT_EQ(p.testo(), c.testo);
        EXPECT_EQ(p.valore(), euro(c.valore)) << c.testo;
        ParametriFatturaRec r;
        r.SogliaBollo = QString(c.testo);
        EXPECT_EQ(r.SogliaBollo.valore(), euro(c.valore)) << c.testo;
        EXPECT_EQ(r.SogliaBollo, QString(c.testo));
    }
    // The record's defaults read as their texts.
    const ParametriFatturaRec r;
    EXPECT_EQ(r.RitAccPerc.valore(), Currency::fromUnits(20));
    EXPECT_EQ(r.RAPercImponibile.valore(), Currency::fromUnits(100));
    EXPECT_EQ(r.ImportoBollo.valore(), Currency());
}

// A number beyond money is kept as typed and raises the overflow error only where it is used.
TEST(NumeroParametro, ANumberBeyondMoneyOverflowsWhereItIsUsed) {
    const NumeroParametro p = QString("99999999999999999999");
    EXPECT_EQ(p.testo(), "99999999999999999999");
    try {
        (void)p.valore();
        FAIL();
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, 6);
    }
}

}  // namespace
