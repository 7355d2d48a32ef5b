#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A money amount: signed 64-bit count of ten-thousandths.
// Texts and doubles enter only through the conversions below, which round half to even;
// display rounding (half away from zero) belongs to the formatting functions.
//
// Every operation whose exact result lies outside the range (-922337203685477,5808 to
// 922337203685477,5807) raises the program's overflow error, db::DbError 6 "Overflow"
// (so it reaches the error handler as any other runtime error); a division by zero raises
// db::DbError 11. Nothing ever wraps around.
class Currency {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(int64_t tenThousandths) { Currency c; c.v_ = tenThousandths; return c; }
    static constexpr Currency fromUnits(int64_t units) {
        int64_t raw = 0;
        if (__builtin_mul_overflow(units, Scale, &raw)) overflow();
        return fromRaw(raw);
    }
    static constexpr Currency max() { return fromRaw(INT64_MAX); }
    static constexpr Currency min() { return fromRaw(INT64_MIN); }
    // The shortest decimal text that reads back as the double, rounded half to even to four
    // decimals; NaN, infinities and values beyond the range are the overflow error.
    static Currency fromDouble(double value);
    // Plain decimal text with the given decimal separator ("1234,5" / "-0.25"); blanks
    // around it are allowed, nothing else. Empty result when the text is no number or a
    // number beyond the range (callers tell the two apart with isPlainNumber()).
    static std::optional<Currency> parse(std::string_view text, char decimalSeparator = ',');
    // The text has the shape parse() accepts, whatever its size.
    static bool isPlainNumber(std::string_view text, char decimalSeparator = ',');

    // Raises the overflow error (db::DbError 6).
    [[noreturn]] static void overflow();

    constexpr int64_t raw() const { return v_; }
    double toDouble() const { return double(v_) / Scale; }
    // Plain text with "." and only the decimals needed ("12.5", "-3", "0.0001").
    std::string toPlainString() const;

    // Rounded to `decimals` places (0..4), half away from zero as displayed amounts are.
    Currency roundedForDisplay(int decimals) const;
    // a x b / divisor (divisor > 0) brought to the cent once, from the exact value, half away
    // from zero as displayed amounts are: the one rounding of a figure worked out of others.
    // Never through a product kept to four decimals first: 0,5 % of 100,99 is 0,504950, so
    // 0,50, where the four-decimal 0,5050 would make 0,51.
    static Currency productInCents(Currency a, Currency b, int64_t divisor = 1);
    // Rounded to `decimals` places half to even, as amounts are stored and added.
    Currency roundedHalfEven(int decimals) const;

    constexpr Currency operator-() const {
        if (v_ == INT64_MIN) overflow();
        return fromRaw(-v_);
    }
    constexpr Currency operator+(Currency o) const {
        int64_t r = 0;
        if (__builtin_add_overflow(v_, o.v_, &r)) overflow();
        return fromRaw(r);
    }
    constexpr Currency operator-(Currency o) const {
        int64_t r = 0;
        if (__builtin_sub_overflow(v_, o.v_, &r)) overflow();
        return fromRaw(r);
    }
    // On overflow the left side keeps its value.
    constexpr Currency& operator+=(Currency o) { return *this = *this + o; }
    constexpr Currency& operator-=(Currency o) { return *this = *this - o; }
    // Products and quotients keep four decimals, rounded half to even; the exact product is
    // worked out on 128 bits and only its rounded result has to fit.
    Currency operator*(Currency o) const;
    constexpr Currency operator*(int64_t n) const {
        int64_t r = 0;
        if (__builtin_mul_overflow(v_, n, &r)) overflow();
        return fromRaw(r);
    }
    Currency operator/(Currency o) const;
    Currency operator/(int64_t n) const;

    constexpr auto operator<=>(const Currency&) const = default;
    constexpr bool isZero() const { return v_ == 0; }

private:
    int64_t v_ = 0;
};
