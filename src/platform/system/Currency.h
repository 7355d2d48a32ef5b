#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A money amount: signed 64-bit count of ten-thousandths, as the old currency type.
// Texts and doubles enter only through the conversions below, which round half to even;
// display rounding (half away from zero) belongs to the formatting functions.
class Currency {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(int64_t tenThousandths) { Currency c; c.v_ = tenThousandths; return c; }
    static constexpr Currency fromUnits(int64_t units) { return fromRaw(units * Scale); }
    static Currency fromDouble(double value);
    // Plain decimal text with the given decimal separator ("1234,5" / "-0.25"); blanks
    // around it are allowed, nothing else. Empty result when the text is no number.
    static std::optional<Currency> parse(std::string_view text, char decimalSeparator = ',');

    constexpr int64_t raw() const { return v_; }
    double toDouble() const { return double(v_) / Scale; }
    // Plain text with "." and only the decimals needed ("12.5", "-3", "0.0001").
    std::string toPlainString() const;

    // Rounded to `decimals` places (0..4), half away from zero as displayed amounts are.
    Currency roundedForDisplay(int decimals) const;
    // Rounded to `decimals` places half to even, as the old currency arithmetic did.
    Currency roundedHalfEven(int decimals) const;

    constexpr Currency operator-() const { return fromRaw(-v_); }
    constexpr Currency operator+(Currency o) const { return fromRaw(v_ + o.v_); }
    constexpr Currency operator-(Currency o) const { return fromRaw(v_ - o.v_); }
    Currency& operator+=(Currency o) { v_ += o.v_; return *this; }
    Currency& operator-=(Currency o) { v_ -= o.v_; return *this; }
    // Products and quotients keep four decimals, rounded half to even.
    Currency operator*(Currency o) const;
    Currency operator*(int64_t n) const { return fromRaw(v_ * n); }
    Currency operator/(Currency o) const;
    Currency operator/(int64_t n) const;

    constexpr auto operator<=>(const Currency&) const = default;
    constexpr bool isZero() const { return v_ == 0; }

private:
    int64_t v_ = 0;
};
