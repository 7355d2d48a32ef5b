#include "platform/system/Currency.h"

#include <gtest/gtest.h>

#include <stdexcept>

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
    EXPECT_THROW(cur("1") / Currency(), std::domain_error);
    EXPECT_THROW(cur("1") / int64_t(0), std::domain_error);
}
