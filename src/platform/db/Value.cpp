#include "platform/db/Value.h"

#include <cmath>
#include <cstdio>

#include "platform/db/DbError.h"

namespace db {

namespace {

DbError nullUse() { return DbError(err::InvalidUseOfNull, "Utilizzo non valido di Null."); }

std::string realText(double d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

}  // namespace

Value::Value(Currency c) {
    if (c.raw() % Currency::Scale == 0) {
        v_ = int64_t(c.raw() / Currency::Scale);
        return;
    }
    if (c > LargestExactAmount || c < -LargestExactAmount) Currency::overflow();
    v_ = c.toDouble();
}

std::string Value::toText() const {
    if (isNull()) throw nullUse();
    if (auto i = std::get_if<int64_t>(&v_)) return std::to_string(*i);
    if (auto d = std::get_if<double>(&v_)) return realText(*d);
    return std::get<std::string>(v_);
}

int64_t Value::toInt() const {
    if (isNull()) throw nullUse();
    if (auto i = std::get_if<int64_t>(&v_)) return *i;
    if (auto d = std::get_if<double>(&v_)) return std::llrint(*d);  // half to even, as CLng
    const auto c = Currency::parse(std::get<std::string>(v_), '.');
    if (!c) throw err::typeMismatch();
    return std::llrint(c->toDouble());
}

double Value::toDouble() const {
    if (isNull()) throw nullUse();
    if (auto i = std::get_if<int64_t>(&v_)) return double(*i);
    if (auto d = std::get_if<double>(&v_)) return *d;
    const auto c = Currency::parse(std::get<std::string>(v_), '.');
    if (!c) throw err::typeMismatch();
    return c->toDouble();
}

Currency Value::toCurrency() const {
    if (isNull()) throw nullUse();
    if (auto i = std::get_if<int64_t>(&v_)) return Currency::fromUnits(*i);
    if (auto d = std::get_if<double>(&v_)) return Currency::fromDouble(*d);
    const std::string& text = std::get<std::string>(v_);
    const auto c = Currency::parse(text, '.');
    if (c) return *c;
    if (Currency::isPlainNumber(text, '.')) Currency::overflow();
    throw err::typeMismatch();
}

bool Value::toBool() const {
    if (isNull()) throw nullUse();
    if (auto i = std::get_if<int64_t>(&v_)) return *i != 0;
    if (auto d = std::get_if<double>(&v_)) return *d != 0;
    return toInt() != 0;
}

}  // namespace db
