#include "platform/system/Currency.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "platform/db/DbError.h"

// Readable failures: amounts print as their plain text.
inline void PrintTo(const Currency& c, std::ostream* os) { *os << c.toPlainString(); }

namespace {

Currency cur(const char* text) { return *Currency::parse(text, '.'); }

}  // namespace

TEST(Currency, ParseRoundsHalfToEvenBeyondFourDecimals) {
    struct Case { const char* text; char sep; int64_t raw; };
    const Case cases[] = {
        {"12,5", ',', 125000},        {" -0,25 ", ',', -2500},       {"+3", ',', 30000},
        {",5", ',', 5000},            {"7,", ',', 70000},            {"1.5", '.', 15000},
        {"0,00005", ',', 0},          {"0,00015", ',', 2},           {"0,000250", ',', 2},
        {"0,000250001", ',', 3},      {"-0,00015", ',', -2},         {"-0,00005", ',', 0},
        {"9,99995", ',', 100000},     {"0,123449999999999999999999999999999", ',', 1234},
        {"922337203685477,5807", ',', INT64_MAX},
        {"-922337203685477,5808", ',', INT64_MIN},
    };
    for (const auto& c : cases) {
        auto parsed = Currency::parse(c.text, c.sep);
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(parsed->raw(), c.raw) << c.text;
    }
    for (const char* bad : {"", " ", "-", ",", "1,2,3", "1.5", "1 000", "12a", "--1", "1-",
                            "922337203685477,5808", "-922337203685477,5809", "99999999999999999999"})
        EXPECT_FALSE(Currency::parse(bad, ',')) << bad;
}

TEST(Currency, FromDoubleSeesTheDecimalTheDoubleStandsFor) {
    struct Case { double value; const char* want; };
    const Case cases[] = {
        {0.1 + 0.2, "0.3"},     {12.5, "12.5"},          {-1234.5678, "-1234.5678"},
        {0.00005, "0"},         {0.00015, "0.0002"},     {-0.00025, "-0.0002"},
        {1.00005, "1"},         {1e-7, "0"},             {123456789.12345, "123456789.1234"},
        {-0.0, "0"},            {0.3, "0.3"},            {999999999.9999, "999999999.9999"},
        {1e9 + 0.5, "1000000000.5"}, {-0.7 * 3, "-2.1"}, {4.35 * 100, "435"},
        // Amounts of sixteen digits and more keep their four decimals.
        {123456789012.3456, "123456789012.3456"}, {-274877906943.9999, "-274877906943.9999"},
        {549755813888.0002, "549755813888.0002"}, {100000000000.0001, "100000000000.0001"},
    };
    for (const auto& c : cases) EXPECT_EQ(Currency::fromDouble(c.value), cur(c.want)) << c.value;
}

TEST(Currency, PlainTextKeepsOnlyTheDecimalsNeeded) {
    struct Case { const char* in; const char* want; };
    const Case cases[] = {
        {"12.5", "12.5"}, {"-3", "-3"}, {"0.0001", "0.0001"}, {"0", "0"},
        {"-0.1", "-0.1"}, {"-922337203685477.5808", "-922337203685477.5808"},
    };
    for (const auto& c : cases) EXPECT_EQ(cur(c.in).toPlainString(), c.want) << c.in;
}

TEST(Currency, DisplayRoundsHalfAwayWhileArithmeticRoundsHalfEven) {
    struct Case { const char* in; int decimals; const char* away; const char* even; };
    const Case cases[] = {
        {"0.125", 2, "0.13", "0.12"},    {"0.135", 2, "0.14", "0.14"},
        {"-0.125", 2, "-0.13", "-0.12"}, {"2.5", 0, "3", "2"},
        {"-2.5", 0, "-3", "-2"},         {"1.0049", 2, "1", "1"},
        {"0.0005", 3, "0.001", "0"},     {"1.2345", 4, "1.2345", "1.2345"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cur(c.in).roundedForDisplay(c.decimals), cur(c.away)) << c.in;
        EXPECT_EQ(cur(c.in).roundedHalfEven(c.decimals), cur(c.even)) << c.in;
    }
}

TEST(Currency, ProductsAndQuotientsKeepFourDecimalsHalfToEven) {
    struct Case { const char* a; char op; const char* b; const char* want; };
    const Case cases[] = {
        {"0.0001", '*', "0.5", "0"},              {"0.0003", '*', "0.5", "0.0002"},
        {"-0.0003", '*', "0.5", "-0.0002"},       {"100", '*', "0.22", "22"},
        {"1234.56", '*', "0.2", "246.912"},       {"900000000", '*', "900000", "810000000000000"},
        {"1", '/', "3", "0.3333"},                {"2", '/', "3", "0.6667"},
        {"0.0001", '/', "2", "0"},                {"0.0003", '/', "2", "0.0002"},
        {"1", '/', "-3", "-0.3333"},              {"-0.0005", '/', "-2", "0.0002"},
        {"1000000", '/', "0.0001", "10000000000"},
    };
    for (const auto& c : cases) {
        Currency got = c.op == '*' ? cur(c.a) * cur(c.b) : cur(c.a) / cur(c.b);
        EXPECT_EQ(got, cur(c.want)) << c.a << c.op << c.b;
    }
    EXPECT_EQ(cur("0.0005") / int64_t(2), cur("0.0002"));
    EXPECT_EQ(cur("0.0007") / int64_t(-2), cur("-0.0004"));
    EXPECT_EQ(cur("1.25") * int64_t(3), cur("3.75"));
    EXPECT_EQ(cur("1.25") + cur("-2") - cur("0.25"), cur("-1"));
}

// The oracle in whole numbers: a x b / divisor in cents, halves away from zero, for a and b
// in ten-thousandths (their product in hundred-millionths, a million to the cent).
int64_t exactCents(int64_t a, int64_t b, int64_t divisor) {
    const __int128 p = __int128(a) * b, d = __int128(1'000'000) * divisor;
    const __int128 q = (2 * (p < 0 ? -p : p) + d) / (2 * d);
    return int64_t(p < 0 ? -q : q);
}

// Every base from 0,01 to 9.999,99 at 0,5 %, either sign, and at other rates, and unit prices
// of four decimals times quantities: the exact value to the cent, never through the product
// kept to four decimals (100,99 at 0,5 % is 0,504950: 0,50, not 0,51).
TEST(Currency, AProductInCentsIsRoundedOnceFromTheExactValue) {
    EXPECT_EQ(Currency::productInCents(cur("100.99"), cur("0.5"), 100), cur("0.5"));
    EXPECT_EQ(Currency::productInCents(cur("-100.99"), cur("0.5"), 100), cur("-0.5"));
    EXPECT_EQ(Currency::productInCents(cur("0.01"), cur("50"), 100), cur("0.01"));    // 0,005: away
    EXPECT_EQ(Currency::productInCents(cur("-0.01"), cur("50"), 100), cur("-0.01"));
    EXPECT_EQ(Currency::productInCents(cur("1.0099"), cur("0.5")), cur("0.5"));
    int wrong = 0;
    const auto check = [&](int64_t a, int64_t b, int64_t divisor) {
        const Currency got = Currency::productInCents(Currency::fromRaw(a), Currency::fromRaw(b), divisor);
        if (got != Currency::fromRaw(exactCents(a, b, divisor) * 100) && ++wrong <= 5)
            ADD_FAILURE() << a << " x " << b << " / " << divisor;
    };
    for (int64_t base = 100; base <= 99'999'900; base += 100) {
        check(base, 5'000, 100);
        check(-base, 5'000, 100);
    }
    for (const int64_t rate : {85'000, 125'000, 12'500, 220'000, 33'300, 4'900, 200'000})
        for (int64_t base = 100; base <= 9'999'900; base += 100) check(base, rate, 100);
    for (const int64_t quantity : {5'000, 15'000, 2'500, 1'234, -30'000})
        for (int64_t price = 1; price <= 200'000; ++price) check(price, quantity, 1);
    EXPECT_EQ(wrong, 0);
}

namespace {

// The runtime error an operation raises, 0 when it gives a value.
int errorOf(const std::function<Currency()>& operation, Currency* result = nullptr) {
    try {
        const Currency c = operation();
        if (result) *result = c;
        return 0;
    } catch (const db::DbError& e) {
        return e.number;
    }
}

constexpr Currency Max = Currency::max();
constexpr Currency Min = Currency::min();
const Currency Tick = Currency::fromRaw(1);
const Currency One = Currency::fromUnits(1);

}  // namespace

// Each operation just beyond either end of the range raises error 6; the same operation
// just inside gives the exact value.
TEST(Currency, EveryOperationAtTheEndsOfTheRangeIsTheOverflowError) {
    struct Case {
        const char* what;
        std::function<Currency()> beyond;
        std::function<Currency()> inside;
        Currency exact;
    };
    const Case cases[] = {
        {"+ top", [] { return Max + Tick; }, [] { return (Max - Tick) + Tick; }, Max},
        {"+ bottom", [] { return Min + -Tick; }, [] { return (Min + Tick) + -Tick; }, Min},
        {"- top", [] { return Max - -Tick; }, [] { return (Max - Tick) - -Tick; }, Max},
        {"- bottom", [] { return Min - Tick; }, [] { return (Min + Tick) - Tick; }, Min},
        {"- of big opposites", [] { return Max - Min; }, [] { return Currency() - Max; }, Currency::fromRaw(-INT64_MAX)},
        {"+= top", [] { Currency c = Max; c += Tick; return c; }, [] { Currency c = Max - One; c += One; return c; }, Max},
        {"+= bottom", [] { Currency c = Min; c += -Tick; return c; }, [] { Currency c = Min + One; c += -One; return c; }, Min},
        {"-= top", [] { Currency c = Max; c -= -Tick; return c; }, [] { Currency c = Max - One; c -= -One; return c; }, Max},
        {"-= bottom", [] { Currency c = Min; c -= Tick; return c; }, [] { Currency c = Min + One; c -= One; return c; }, Min},
        {"unary -", [] { return -Min; }, [] { return -(Min + Tick); }, Max},
        // 922337203685477,5807 x 1,0001 is beyond; x 1 and x -1 are not.
        {"* top", [] { return Max * Currency::fromRaw(10001); }, [] { return Max * One; }, Max},
        {"* bottom", [] { return Min * Currency::fromRaw(10001); }, [] { return Min * One; }, Min},
        {"* sign", [] { return Min * -One; }, [] { return Max * -One; }, Min + Tick},
        // The exact product of two large amounts is far beyond 64 bits: no cut, the error.
        {"* large", [] { return Currency::fromUnits(4'000'000'000) * Currency::fromUnits(4'000'000'000); },
         [] { return Currency::fromUnits(30'000'000) * Currency::fromUnits(30'000'000); },
         Currency::fromUnits(900'000'000'000'000)},
        {"* rounding to the top", [] { return Currency::fromRaw(INT64_MAX / 2 + 1) * Currency::fromRaw(20000); },
         [] { return Currency::fromRaw(INT64_MAX / 2) * Currency::fromRaw(20000); }, Max - Tick},
        {"* n top", [] { return Max * int64_t(2); }, [] { return Currency::fromRaw(INT64_MAX / 2) * int64_t(2); }, Max - Tick},
        {"* n bottom", [] { return Min * int64_t(-1); }, [] { return Currency::fromRaw(INT64_MIN / 2) * int64_t(2); }, Min},
        {"* n huge", [] { return One * INT64_MIN; }, [] { return Tick * INT64_MIN; }, Min},
        // The exact product is taken whole; only its cents have to fit.
        {"productInCents", [] { return Currency::productInCents(Max, Currency::fromUnits(2)); },
         [] { return Currency::productInCents(Currency::fromUnits(92'233'720'368'547), Currency::fromUnits(10), 1); },
         Currency::fromUnits(922'337'203'685'470)},
        {"/ top", [] { return Max / Currency::fromRaw(9999); }, [] { return Max / One; }, Max},
        {"/ bottom", [] { return Min / Currency::fromRaw(9999); }, [] { return Min / One; }, Min},
        {"/ sign", [] { return Min / -One; }, [] { return Max / -One; }, Min + Tick},
        {"/ small divisor", [] { return Currency::fromUnits(922'337'203'685'477) / Currency::fromRaw(9999); },
         [] { return Currency::fromUnits(92'233'720'368) / Tick; }, Currency::fromUnits(922'337'203'680'000)},
        {"/ n sign", [] { return Min / int64_t(-1); }, [] { return Max / int64_t(-1); }, Min + Tick},
        {"fromUnits top", [] { return Currency::fromUnits(922'337'203'685'478); },
         [] { return Currency::fromUnits(922'337'203'685'477); }, Max - Currency::fromRaw(5807)},
        {"fromUnits bottom", [] { return Currency::fromUnits(-922'337'203'685'478); },
         [] { return Currency::fromUnits(-922'337'203'685'477); }, Min + Currency::fromRaw(5808)},
        {"fromDouble top", [] { return Currency::fromDouble(922'337'203'685'478.0); },
         [] { return Currency::fromDouble(922'337'203'685'476.0); }, Currency::fromUnits(922'337'203'685'476)},
        {"fromDouble bottom", [] { return Currency::fromDouble(-1e18); },
         [] { return Currency::fromDouble(-922'337'203'685'476.0); }, Currency::fromUnits(-922'337'203'685'476)},
        {"fromDouble infinity", [] { return Currency::fromDouble(std::numeric_limits<double>::infinity()); },
         [] { return Currency::fromDouble(0.5); }, Currency::fromRaw(5000)},
        {"fromDouble NaN", [] { return Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()); },
         [] { return Currency::fromDouble(-0.5); }, Currency::fromRaw(-5000)},
        // Rounding to whole units carries ,5807 up and -,5808 down: beyond; ,4807 stays inside.
        {"display rounding top", [] { return Max.roundedForDisplay(0); },
         [] { return (Max - Currency::fromRaw(1000)).roundedForDisplay(0); }, Max - Currency::fromRaw(5807)},
        {"display rounding bottom", [] { return Min.roundedForDisplay(0); },
         [] { return (Min + Currency::fromRaw(1000)).roundedForDisplay(0); }, Min + Currency::fromRaw(5808)},
        {"half-even rounding top", [] { return Max.roundedHalfEven(0); },
         [] { return (Max - Currency::fromRaw(1000)).roundedHalfEven(0); }, Max - Currency::fromRaw(5807)},
        {"half-even rounding bottom", [] { return Min.roundedHalfEven(0); },
         [] { return (Min + Currency::fromRaw(1000)).roundedHalfEven(0); }, Min + Currency::fromRaw(5808)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.beyond), 6) << c.what;
        Currency got;
        EXPECT_EQ(errorOf(c.inside, &got), 0) << c.what;
        EXPECT_EQ(got, c.exact) << c.what;
    }
}

TEST(Currency, AFailedCompoundAssignmentKeepsItsValue) {
    Currency c = Max - Tick;
    EXPECT_EQ(errorOf([&] { return c += One; }), 6);
    EXPECT_EQ(c, Max - Tick);
    c = Min;
    EXPECT_EQ(errorOf([&] { return c -= One; }), 6);
    EXPECT_EQ(c, Min);
}

TEST(Currency, DivisionByZeroIsARuntimeErrorToo) {
    EXPECT_EQ(errorOf([] { return One / Currency(); }), 11);
    EXPECT_EQ(errorOf([] { return One / int64_t(0); }), 11);
}

TEST(Currency, TextBeyondTheRangeIsANumberAndNoValue) {
    for (const char* big : {"922337203685477,5808", "-922337203685477,5809", "99999999999999999999",
                            "123456789012345678901234567890,5"}) {
        EXPECT_FALSE(Currency::parse(big, ',')) << big;
        EXPECT_TRUE(Currency::isPlainNumber(big, ',')) << big;
    }
    for (const char* bad : {"", "-", "1,2,3", "99999999999999999999x", "9999999999999999999999,1,"})
        EXPECT_FALSE(Currency::isPlainNumber(bad, ',')) << bad;
    EXPECT_TRUE(Currency::isPlainNumber("922337203685477,5807", ','));
}
