#pragma once
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>

#include "platform/system/Currency.h"

namespace db {

// The largest amount, either way, that the archive gives back exactly whatever its four
// decimals: 549.755.813.888,0002. An amount with decimals is stored as the double nearest to
// it. Below 2^39 (549.755.813.888) two neighbouring doubles are at most 2^-14 apart, closer
// than a ten-thousandth, so that double reads back as the amount; from 2^39 on they are 2^-13
// apart, coarser than a ten-thousandth, and 549.755.813.888,0003 already comes back as
// 549.755.813.888,0002. Whole amounts are stored as integers, exact at any size.
inline constexpr Currency LargestExactAmount = Currency::fromRaw(5'497'558'138'880'002);

// One cell or one bound parameter: Null, integer, real or UTF-8 text.
// Text types with toStdString()/fromStdString() (QString) convert without this layer
// depending on them.
class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(int v) : v_(int64_t(v)) {}
    Value(long v) : v_(int64_t(v)) {}
    Value(long long v) : v_(int64_t(v)) {}
    Value(unsigned v) : v_(int64_t(v)) {}
    Value(bool v) : v_(int64_t(v ? 1 : 0)) {}
    Value(double v) : v_(v) {}
    Value(const char* v) : v_(std::string(v)) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(std::string_view v) : v_(std::string(v)) {}
    // Money is stored as a number of at most four decimals: whole amounts as integers, so
    // that sums of whole amounts stay exact in SQL, others as doubles. An amount with decimals
    // beyond LargestExactAmount would come back altered: it is the overflow error (6).
    Value(Currency c);
    template <class S>
        requires requires(const S& s) { { s.toStdString() } -> std::convertible_to<std::string>; }
    Value(const S& s) : v_(s.toStdString()) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }

    // Conversions are strict: Null raises "invalid use of Null" (94), a text that is no
    // number raises "type mismatch" (13).
    std::string toText() const;
    template <class S>
    S toText() const {
        if constexpr (std::is_same_v<S, std::string>) return toText();
        else if (const auto* s = std::get_if<std::string>(&v_)) return S::fromStdString(*s);  // no copy on the way
        else return S::fromStdString(toText());
    }
    int64_t toInt() const;
    double toDouble() const;
    Currency toCurrency() const;
    bool toBool() const;

    // Null-tolerant reads for the common "Null counts as empty / zero" case.
    std::string textOr(std::string fallback = {}) const { return isNull() ? fallback : toText(); }
    template <class S>
    S textOr(const S& fallback) const { return isNull() ? fallback : toText<S>(); }
    int64_t intOr(int64_t fallback = 0) const { return isNull() ? fallback : toInt(); }
    Currency currencyOr(Currency fallback = {}) const { return isNull() ? fallback : toCurrency(); }
    bool boolOr(bool fallback = false) const { return isNull() ? fallback : toBool(); }

    bool operator==(const Value& o) const { return v_ == o.v_; }

    const std::variant<std::monostate, int64_t, double, std::string>& raw() const { return v_; }

private:
    std::variant<std::monostate, int64_t, double, std::string> v_;
};

}  // namespace db
