#include "platform/system/Currency.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/db/DbError.h"

namespace {

// A result worked out on 128 bits, back in the range or the overflow error.
int64_t inRange(__int128 value) {
    if (value > INT64_MAX || value < INT64_MIN) Currency::overflow();
    return int64_t(value);
}

// n / d rounded half to even, d > 0. Callers keep |n| well below 2^126.
__int128 divideHalfEven(__int128 n, __int128 d) {
    __int128 q = n / d;
    __int128 r = n % d;
    if (r < 0) { r += d; q -= 1; }  // floor division
    __int128 twice = 2 * r;
    if (twice > d || (twice == d && (q % 2 != 0))) q += 1;
    return q;
}

// n / d rounded half away from zero, d > 0.
__int128 divideHalfAway(__int128 n, __int128 d) {
    bool neg = n < 0;
    __int128 a = neg ? -n : n;
    __int128 q = (a + d / 2) / d;
    return neg ? -q : q;
}

// The decimal reading shared by parse() and isPlainNumber(): false when the text has not the
// shape of a number; otherwise `tooLarge` tells a number beyond the range.
bool read(std::string_view text, char sep, int64_t& raw, bool& tooLarge);

[[noreturn]] void divisionByZero() { throw db::DbError(11, "Divisione per zero", "Fascole"); }

int64_t pow10(int n) {
    int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

}  // namespace

void Currency::overflow() { throw db::DbError(6, "Overflow", "Fascole"); }

Currency Currency::fromDouble(double value) {
    // A value that is a whole number of ten-thousandths, below a thousand million, reads the
    // same through its decimal text: taken at once.
    if (std::fabs(value) < 1e9) {
        const double scaled = value * Scale;
        if (scaled == std::nearbyint(scaled)) return fromRaw(int64_t(scaled));
    }
    // Far beyond the range: no text is needed to know.
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) overflow();
    // Through the shortest decimal text that reads back as this very double: the double
    // nearest an amount of four decimals gives that amount's text as long as doubles there
    // are closer than a ten-thousandth, and 0.1 + 0.2 style noise stays in digits beyond
    // the fourth decimal, where it is rounded away. A fixed count of significant digits
    // would cut the decimals of large amounts (15 digits keep only three decimals from
    // 100.000.000.000 on). to_chars, unlike printf, writes "." whatever the C locale (which
    // QCoreApplication takes from the environment).
    char buf[400];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed).ptr;
    auto c = parse(std::string_view(buf, size_t(end - buf)), '.');
    if (!c) overflow();
    return *c;
}

std::optional<Currency> Currency::parse(std::string_view text, char sep) {
    int64_t raw = 0;
    bool tooLarge = false;
    if (!read(text, sep, raw, tooLarge) || tooLarge) return std::nullopt;
    return fromRaw(raw);
}

bool Currency::isPlainNumber(std::string_view text, char sep) {
    int64_t raw = 0;
    bool tooLarge = false;
    return read(text, sep, raw, tooLarge);
}

namespace {

bool read(std::string_view text, char sep, int64_t& raw, bool& tooLarge) {
    tooLarge = false;
    size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    while (n > i && text[n - 1] == ' ') --n;
    bool neg = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) { neg = text[i] == '-'; ++i; }
    __int128 intPart = 0, frac = 0;
    int fracDigits = 0;
    bool digits = false, seenSep = false;
    for (; i < n; ++i) {
        char ch = text[i];
        if (ch >= '0' && ch <= '9') {
            digits = true;
            if (!seenSep) {
                // Once beyond the range the digits still have to be read: the text may
                // turn out to be no number at all.
                if (!tooLarge) {
                    intPart = intPart * 10 + (ch - '0');
                    if (intPart > __int128(INT64_MAX) / Currency::Scale + 1) tooLarge = true;
                }
            } else if (fracDigits < 30) {
                frac = frac * 10 + (ch - '0');
                ++fracDigits;
            }
        } else if (ch == sep && !seenSep) {
            seenSep = true;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    if (tooLarge) return true;
    __int128 total = intPart * Currency::Scale;
    if (fracDigits <= 4) {
        total += frac * pow10(4 - fracDigits);
    } else {
        __int128 d = 1;
        for (int k = 0; k < fracDigits - 4; ++k) d *= 10;
        total += divideHalfEven(frac, d);
    }
    // The range is asymmetric, as that of int64.
    if (total > (neg ? -__int128(INT64_MIN) : __int128(INT64_MAX))) {
        tooLarge = true;
        return true;
    }
    raw = int64_t(neg ? -total : total);
    return true;
}

}  // namespace

std::string Currency::toPlainString() const {
    uint64_t a = v_ < 0 ? 0 - uint64_t(v_) : uint64_t(v_);
    std::string s = std::to_string(a / Scale);
    uint64_t f = a % Scale;
    if (f) {
        std::string d = std::to_string(f + Scale).substr(1);
        while (!d.empty() && d.back() == '0') d.pop_back();
        s += "." + d;
    }
    return v_ < 0 ? "-" + s : s;
}

Currency Currency::roundedForDisplay(int decimals) const {
    int64_t step = pow10(4 - decimals);
    return fromRaw(inRange(divideHalfAway(v_, step) * step));
}

Currency Currency::productInCents(Currency a, Currency b, int64_t divisor) {
    // The exact product is in hundred-millionths; a cent is a million of them.
    constexpr int64_t cent = Scale / 100;
    const __int128 cents = divideHalfAway(__int128(a.v_) * b.v_, __int128(Scale) * cent * divisor);
    return fromRaw(inRange(cents * cent));
}

Currency Currency::roundedHalfEven(int decimals) const {
    int64_t step = pow10(4 - decimals);
    return fromRaw(inRange(divideHalfEven(v_, step) * step));
}

Currency Currency::operator*(Currency o) const {
    return fromRaw(inRange(divideHalfEven(__int128(v_) * o.v_, Scale)));
}

Currency Currency::operator/(Currency o) const {
    if (o.v_ == 0) divisionByZero();
    __int128 n = __int128(v_) * Scale;
    __int128 d = o.v_;
    if (d < 0) { n = -n; d = -d; }
    return fromRaw(inRange(divideHalfEven(n, d)));
}

Currency Currency::operator/(int64_t k) const {
    if (k == 0) divisionByZero();
    __int128 n = v_, d = k;
    if (d < 0) { n = -n; d = -d; }
    return fromRaw(inRange(divideHalfEven(n, d)));
}
