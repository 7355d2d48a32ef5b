#include "foundation/engine/NumeroParametro.h"

#include <gtest/gtest.h>

#include "foundation/engine/Ambiente.h"
#include "platform/db/DbError.h"

namespace {

// The value a parameter carries is the one its text reads as, whichever way the text was set.
TEST(NumeroParametro, CarriesTheValueOfItsTextSetOnce) {
    const char* testi[] = {"20", "12,5", "12.5", "77,47", "1.000,50", "", "bollo", " 2.00 ", "-3,5", "20%"};
    for (const char* testo : testi) {
        const NumeroParametro p = QString(testo);
        EXPECT_EQ(p.testo(), testo);
        EXPECT_EQ(p.valore(), NumeroDaTesto(testo)) << testo;
        ParametriFatturaRec r;
        r.SogliaBollo = QString(testo);
        EXPECT_EQ(r.SogliaBollo.valore(), NumeroDaTesto(testo)) << testo;
        EXPECT_EQ(r.SogliaBollo, QString(testo));
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
