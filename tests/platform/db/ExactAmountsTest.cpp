// Amounts travel through the archive as integers when whole, else as the double nearest to
// them. Up to LargestExactAmount every amount of four decimals comes back exactly, through a
// real file read on a second connection; just beyond it neighbouring ten-thousandths share a
// double, and such an amount is refused as the overflow error rather than stored altered.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "platform/db/Database.h"
#include "platform/db/Value.h"
#include "support/ArchivioNuovo.h"
#include "support/DbErrors.h"

using namespace db;

namespace {

// The exact value of a double in ten-thousandths, rounded half to even, worked out on its
// bits: what a correct decimal conversion reads, apart from the program's own reading.
int64_t decimillesimiEsatti(double d) {
    int esponente = 0;
    const int64_t mantissa = int64_t(std::ldexp(std::frexp(d, &esponente), 53));
    esponente -= 53;
    const __int128 n = __int128(mantissa) * Currency::Scale;
    if (esponente >= 0) return int64_t(n << esponente);
    if (esponente < -100) return 0;
    const __int128 divisore = __int128(1) << -esponente;
    __int128 q = n / divisore, r = n % divisore;
    if (r < 0) {
        r += divisore;
        --q;
    }
    if (2 * r > divisore || (2 * r == divisore && q % 2 != 0)) ++q;
    return int64_t(q);
}

class ExactAmounts : public ArchivioNuovo {
protected:
    void SetUp() override {
        ArchivioNuovo::SetUp();
        if (HasFatalFailure()) return;
        db->execute("CREATE TABLE importi (id INTEGER PRIMARY KEY, importo CURRENCY)");
    }

    // The amounts written in one transaction, then read back on a connection of their own:
    // each one that does not come back as written, as "written -> read" (at most ten).
    std::vector<std::string> andataERitorno(const std::vector<Currency>& importi) {
        {
            Transaction t(*db);
            for (size_t i = 0; i < importi.size(); ++i)
                db->execute("INSERT INTO importi (id, importo) VALUES (?, ?)", {int64_t(i), importi[i]});
            t.commit();
        }
        std::vector<std::string> diversi;
        auto altra = Database::open(path);
        Statement st(*altra, "SELECT id, importo FROM importi ORDER BY id");
        while (st.step()) {
            const Currency scritto = importi[size_t(st.column(0).toInt())];
            const Value letto = st.column(1);
            std::string errore;
            if (letto.toCurrency() != scritto) errore = letto.toCurrency().toPlainString();
            // The stored double stands for the amount written, and the program reads it as a
            // correct decimal conversion does.
            if (const double* d = std::get_if<double>(&letto.raw()); d && decimillesimiEsatti(*d) != scritto.raw())
                errore += " (stored " + std::to_string(decimillesimiEsatti(*d)) + ")";
            if (!errore.empty() && diversi.size() < 10) diversi.push_back(scritto.toPlainString() + " -> " + errore);
        }
        db->execute("DELETE FROM importi");
        return diversi;
    }
};

TEST_F(ExactAmounts, EveryAmountUpToTheLargestExactOneComesBackAsWritten) {
    const int64_t limite = LargestExactAmount.raw();
    std::vector<Currency> importi;
    // Every ten-thousandth next to the limit, either way, and next to half of it.
    for (int64_t k = limite - 30000; k <= limite; ++k) {
        importi.push_back(Currency::fromRaw(k));
        importi.push_back(Currency::fromRaw(-k));
    }
    for (int64_t k = limite / 2 - 10000; k <= limite / 2 + 10000; ++k) importi.push_back(Currency::fromRaw(k));
    // Awkward decimals where a reading by fifteen significant digits already lost them.
    for (const char* testo : {"274877906943.9999", "-274877906943.9999", "274877906944.0001", "-274877906944.0001",
                              "274877906943.4567", "123456789012.3456", "-99999999999.9999", "100000000000.0001",
                              "549755813887.9999", "329853488332.8401", "0.0001", "-0.0001", "1234.5678"})
        importi.push_back(*Currency::parse(testo, '.'));
    // And anywhere in between.
    std::mt19937_64 caso(20040115);
    std::uniform_int_distribution<int64_t> ovunque(-limite, limite);
    for (int i = 0; i < 50000; ++i) importi.push_back(Currency::fromRaw(ovunque(caso)));

    EXPECT_EQ(andataERitorno(importi), std::vector<std::string>{});
}

TEST_F(ExactAmounts, BeyondTheLargestExactAmountOnlyWholeAmountsAreStored) {
    const Currency oltre = LargestExactAmount + Currency::fromRaw(1);
    // The double nearest to it is that of the limit: stored, it would come back altered.
    const double vicino = double(oltre.raw()) / Currency::Scale;
    EXPECT_EQ(vicino, LargestExactAmount.toDouble());
    EXPECT_EQ(Currency::fromDouble(vicino), LargestExactAmount);

    for (const Currency c : {oltre, -oltre, Currency::max(), Currency::min()})
        EXPECT_EQ(errorOf([&] { db->execute("INSERT INTO importi (importo) VALUES (?)", {c}); }), 6)
            << c.toPlainString();
    EXPECT_EQ(db->scalar("SELECT count(*) FROM importi").toInt(), 0);

    // Whole amounts are stored as integers, exact up to the end of the range.
    EXPECT_EQ(andataERitorno({Currency::fromUnits(922'337'203'685'477), Currency::fromUnits(-922'337'203'685'477),
                              LargestExactAmount + Currency::fromRaw(9998)}),
              std::vector<std::string>{});
}

}  // namespace
