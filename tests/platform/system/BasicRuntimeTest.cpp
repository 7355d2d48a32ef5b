#include "platform/system/BasicRuntime.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <string>

#include "platform/db/DbError.h"
#include "support/DbErrors.h"

// Readable failures: amounts print as their plain text.
inline void PrintTo(const Currency& c, std::ostream* os) { *os << c.toPlainString(); }

using namespace basic;

namespace {

// One row of a table whose `got` was computed by the call written in `call`.
struct TextCase {
    const char* call;
    QString got;
    QString want;
};

void expectAll(std::initializer_list<TextCase> cases) {
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.call;
}

#define ROW(call, want) TextCase{#call, call, want}

Currency cur(const char* text) { return *Currency::parse(text, '.'); }

}  // namespace

TEST(BasicRuntime, SubstringsClampInsteadOfFailing) {
    expectAll({
        ROW(Left("abc", 2), "ab"),
        ROW(Left("abc", 10), "abc"),
        ROW(Left("abc", 0), ""),
        ROW(Left("abc", -1), ""),
        ROW(Right("abc", 2), "bc"),
        ROW(Right("abc", 10), "abc"),
        ROW(Mid("abcdef", 3), "cdef"),
        ROW(Mid("abcdef", 3, 2), "cd"),
        ROW(Mid("abcdef", 5, 10), "ef"),
        ROW(Mid("abcdef", 6, 1), "f"),
        ROW(Mid("abcdef", 7), ""),
        ROW(Mid("abcdef", 99, 2), ""),
        ROW(Mid("abcdef", 0, 2), "ab"),
        ROW(Mid("abcdef", 2, 0), ""),
        ROW(Mid("", 1, 1), ""),
        ROW(Trim("  a b  "), "a b"),
        ROW(LTrim("  a "), "a "),
        ROW(RTrim(" a  "), " a"),
        ROW(Trim("\ta\t"), "\ta\t"),
        ROW(Space(3), "   "),
        ROW(Space(-1), ""),
        ROW(UCase("àbc"), "ÀBC"),
    });
}

TEST(BasicRuntime, InStrIsOneBasedAndZeroWhenAbsent) {
    struct Case { qsizetype start; const char* s; const char* find; qsizetype want; };
    const Case cases[] = {
        {1, "abcabc", "b", 2}, {3, "abcabc", "b", 5}, {6, "abcabc", "b", 0},
        {1, "abc", "x", 0},    {1, "abc", "B", 0},    {0, "abc", "a", 1},
        {9, "abc", "a", 0},    {2, "abc", "", 2},     {1, "", "a", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InStr(c.start, c.s, c.find), c.want) << c.start << " " << c.s << " " << c.find;
    EXPECT_EQ(InStr("\\\\srv\\share", "\\"), 1);
}

TEST(BasicRuntime, StrReservesTheSignPosition) {
    expectAll({
        ROW(Str(0), " 0"),
        ROW(Str(12), " 12"),
        ROW(Str(-12), "-12"),
        ROW(Str(int64_t(9000000000)), " 9000000000"),
        ROW(Str(12.5), " 12.5"),
        ROW(Str(-12.5), "-12.5"),
        ROW(Str(0.5), " .5"),
        ROW(Str(-0.25), "-.25"),
        ROW(Str(0.0), " 0"),
        ROW(Str(-0.0), " 0"),
        ROW(Str(0.1 + 0.2), " .3"),
        ROW(Str(1.0 / 3), " .333333333333333"),
        ROW(Str(1e15), " 1E+15"),
        ROW(Str(123456789012345.0), " 123456789012345"),
        ROW(Str(0.00001), " 1E-05"),
        ROW(Str(cur("12.5")), " 12.5"),
        ROW(Str(cur("-0.0001")), "-.0001"),
        ROW(Str(Currency()), " 0"),
    });
}

TEST(BasicRuntime, ValReadsTheLeadingNumberWithPointDecimals) {
    struct Case { const char* s; double want; };
    const Case cases[] = {
        {"12.50", 12.5},   {"12,50", 12},      {"  1 2 3", 123}, {"-5.5", -5.5},
        {"+7", 7},         {"- 3", -3},        {"1.2.3", 1.2},   {"abc", 0},
        {"", 0},           {"-", 0},           {".5", 0.5},      {"5.", 5},
        {"12abc", 12},     {"\t4\n2", 42},     {"--5", 0},       {"3-4", 3},       {"007", 7},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.s), c.want) << c.s;
    // Beyond the range of a double: too small reads as 0, too large overflows.
    EXPECT_EQ(Val("0." + QString(400, u'0') + "1"), 0);
    EXPECT_EQ(errorOf([] { Val(QString(400, u'9')); }), 6);
}

TEST(BasicRuntime, IsNumericFollowsItalianSettings) {
    struct Case { const char* s; bool want; };
    const Case cases[] = {
        {"12", true},        {"12,50", true},   {" -3,5 ", true},  {"+4", true},
        {"1.234,56", true},  {"1.234", true},   {"1.2.3", true},   {",5", true},
        {"5,", true},        {"0", true},       {"", false},       {"   ", false},
        {"abc", false},      {"12a", false},    {"1,2,3", false},  {"--5", false},
        {"-", false},        {",", false},      {".5", false},     {"1..2", false},
        {"1,234.5", false},  {"- 5", false},    {"5-", false},     {"1E3", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsNumeric(c.s), c.want) << c.s;
}

TEST(BasicRuntime, CCurReadsItalianTextOrRaisesTypeMismatch) {
    struct Case { const char* s; const char* want; };
    const Case cases[] = {
        {"12,50", "12.5"},     {"-5,5", "-5.5"},          {"1.234,56", "1234.56"}, {"0", "0"},
        {",5", "0.5"},         {" 7 ", "7"},              {"1,00005", "1"},        {"1,00015", "1.0002"},
        {"-1,00025", "-1.0002"}, {"922337203685477,5807", "922337203685477.5807"},
    };
    for (const auto& c : cases) EXPECT_EQ(CCur(c.s), cur(c.want)) << c.s;
    for (const char* bad : {"", "abc", "1,2,3", "12-3", "-", "1,5€"})
        EXPECT_EQ(errorOf([&] { CCur(bad); }), db::err::TypeMismatch) << bad;
    EXPECT_EQ(errorOf([] { CCur("922337203685478"); }), 6);
    EXPECT_EQ(errorOf([] { CCur("922337203685477,5808"); }), 6);
}

TEST(BasicRuntime, DatesAreDayMonthYear) {
    struct Case { const char* s; QDate want; };
    const Case cases[] = {
        {"05/03/2004", {2004, 3, 5}},  {"5/3/2004", {2004, 3, 5}},   {"05-03-04", {2004, 3, 5}},
        {"05.03.04", {2004, 3, 5}},    {"29/02/2004", {2004, 2, 29}},
        {"2004-03-05", {2004, 3, 5}},  {" 05/03/2004 ", {2004, 3, 5}},
        {"31/02/2004", {}},            {"29/02/2003", {}},           {"32/01/2004", {}},
        {"01/13/2004", {}},            {"0/1/2004", {}},             {"05/03", {}},
        {"05/03/2004/1", {}},          {"05/03-2004", {}},           {"05/03/204", {}},
        {"05/03/4", {}},               {"050304", {}},               {"", {}},
        {"aa/bb/cccc", {}},            {"005/03/2004", {}},          {"05/03/0099", {}},
        {"2004-02-30", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToDate(c.s, 2026).value_or(QDate()), c.want) << c.s;
        EXPECT_EQ(IsDate(c.s), c.want.isValid()) << c.s;
    }
}

// A two-digit year is read among the hundred years from 80 before this year to 19 after it.
TEST(BasicRuntime, ATwoDigitYearIsReadNearThisYear) {
    const struct { int thisYear; const char* s; int want; } cases[] = {
        {2026, "1/1/00", 2000}, {2026, "05/01/30", 2030}, {2026, "31/12/45", 2045},
        {2026, "1/1/46", 1946}, {2026, "1/1/99", 1999},   {2026, "1/1/26", 2026},
        {2031, "1/1/50", 2050}, {2031, "1/1/51", 1951},   {2031, "1/1/30", 2030},
        {2099, "1/1/18", 2118}, {2099, "1/1/19", 2019},   {2099, "1/1/99", 2099},
    };
    for (const auto& c : cases) EXPECT_EQ(ToDate(c.s, c.thisYear).value_or(QDate()).year(), c.want) << c.s;
    // Without a year given, this year is today's.
    const int oggi = QDate::currentDate().year();
    for (const int anno : {oggi - 80, oggi, oggi + 19}) {
        const QString testo = QString("1/1/%1").arg(anno % 100, 2, 10, QChar(u'0'));
        EXPECT_EQ(ToDate(testo).value_or(QDate()), QDate(anno, 1, 1)) << testo.toStdString();
    }
}

TEST(BasicRuntime, NumberMasksUseItalianSeparatorsAndRoundHalfAway) {
    expectAll({
        ROW(Format(0.005, "###,##0.00"), "0,01"),
        ROW(Format(0.0, "###,##0.00"), "0,00"),
        ROW(Format(1234567.895, "#,###,##0.00"), "1.234.567,90"),
        ROW(Format(1234567.894, "#,###,##0.00"), "1.234.567,89"),
        ROW(Format(2.675, "###,##0.00"), "2,68"),
        ROW(Format(-1234.5, "###,##0.00"), "-1.234,50"),
        ROW(Format(-0.005, "###,##0.00"), "-0,01"),
        ROW(Format(-0.004, "###,##0.00"), "0,00"),
        ROW(Format(999.995, "###,##0.00"), "1.000,00"),
        ROW(Format(123456789.0, "###,##0.00"), "123.456.789,00"),
        ROW(Format(1234567.5, "#########0.00"), "1234567,50"),
        ROW(Format(0.5, "######.00"), ",50"),
        ROW(Format(20.0, "#0.00"), "20,00"),
        ROW(Format(1234.5, "##########0.#0"), "1234,50"),
        ROW(Format(1.5, "0.##"), "1,5"),
        ROW(Format(1.0, "0.##"), "1,"),
        ROW(Format(1e20, "#,##0"), "100.000.000.000.000.000.000"),
        ROW(Format(cur("0.005"), "###,##0.00"), "0,01"),
        ROW(Format(cur("1234567.895"), "#,###,##0.00"), "1.234.567,90"),
        ROW(Format(cur("-0.125"), "#########0.00"), "-0,13"),
        ROW(Format(Currency(), "#,###,##0.00"), "0,00"),
        ROW(Format(cur("-922337203685477.5808"), "#,##0.00"), "-922.337.203.685.477,58"),
        ROW(Format(1, "0000"), "0001"),
        ROW(Format(12345, "0000"), "12345"),
        ROW(Format(42, "00000"), "00042"),
        ROW(Format(-7, "0000"), "-0007"),
        ROW(Format(0, "#"), ""),
        ROW(Format(int64_t(1234567), "#,##0"), "1.234.567"),
    });
    EXPECT_THROW(Format(1.0, "0.00 EUR"), std::invalid_argument);
}

TEST(BasicRuntime, DateMasks) {
    const QDateTime at(QDate(2004, 3, 5), QTime(7, 8, 9));
    expectAll({
        ROW(Format(QDate(2004, 3, 5), "dd/mm/yyyy"), "05/03/2004"),
        ROW(Format(QDate(2004, 3, 5), "yymmdd"), "040305"),
        ROW(Format(QDate(1999, 12, 31), "yymmdd"), "991231"),
        ROW(Format(QDate(2004, 3, 5), "d/m/yy"), "5/3/04"),
        ROW(Format(QDate(2004, 3, 5), "DD/MM/YYYY"), "05/03/2004"),
        ROW(Format(QDate(), "dd/mm/yyyy"), ""),
        ROW(Format(at, "mmdd"), "0305"),
        ROW(Format(at, "hhmmss"), "070809"),
        ROW(Format(at, "hh:mm dd/mm"), "07:08 05/03"),
        ROW(Format(at, "hh:nn:ss"), "07:08:09"),
    });
    EXPECT_THROW(Format(QDate(2004, 3, 5), "dddd"), std::invalid_argument);
    EXPECT_THROW(Format(QDate(2004, 3, 5), "yyy"), std::invalid_argument);
}

// The machine's locale must not leak in: neither Qt's default locale nor the C locale
// (which QCoreApplication sets from the environment) may change separators.
TEST(BasicRuntime, SeparatorsIgnoreTheMachineLocale) {
    const QLocale saved;
    const std::string savedC = std::setlocale(LC_NUMERIC, nullptr);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::setlocale(LC_NUMERIC, "it_IT.UTF-8");
    const QString amount = Format(1234.5, "###,##0.00");
    const QString str = Str(12.5);
    const double val = Val("12.5");
    const bool numeric = IsNumeric("12,5");
    const Currency fromDouble = Currency::fromDouble(0.00005);
    std::setlocale(LC_NUMERIC, savedC.c_str());
    QLocale::setDefault(saved);

    EXPECT_EQ(amount, "1.234,50");
    EXPECT_EQ(str, " 12.5");
    EXPECT_DOUBLE_EQ(val, 12.5);
    EXPECT_TRUE(numeric);
    EXPECT_EQ(fromDouble, Currency());  // a tie, to the even 0.0000
}
