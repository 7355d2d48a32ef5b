#include "platform/system/BasicRuntime.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

#include "platform/db/DbError.h"

namespace basic {

namespace {

constexpr int Overflow = 6;

[[noreturn]] void raise(int number, const char* description) {
    throw db::DbError(number, description);
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A number as decimal digits: integer digits, then fraction digits.
struct Digits {
    bool negative = false;
    std::string whole;
    std::string fraction;
};

// The digits of a double to 15 significant places, the precision numbers are shown with.
// to_chars, unlike printf, ignores the C locale.
Digits digitsOf(double value) {
    if (!std::isfinite(value)) raise(Overflow, "Overflow");
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14).ptr;
    std::string text(buf, end);  // d.dddddddddddddde+XX
    std::string mantissa = text.substr(0, 1) + text.substr(2, 14);
    int point = std::stoi(text.substr(17)) + 1;  // digits before the decimal point
    Digits d;
    d.negative = value < 0;
    if (point <= 0) {
        d.fraction = std::string(size_t(-point), '0') + mantissa;
    } else if (point >= int(mantissa.size())) {
        d.whole = mantissa + std::string(size_t(point) - mantissa.size(), '0');
    } else {
        d.whole = mantissa.substr(0, size_t(point));
        d.fraction = mantissa.substr(size_t(point));
    }
    d.whole.erase(0, d.whole.find_first_not_of('0'));
    return d;
}

Digits digitsOf(unsigned long long magnitude, bool negative) {
    Digits d;
    d.negative = negative;
    if (magnitude) d.whole = std::to_string(magnitude);
    return d;
}

Digits digitsOf(const Currency& value) {
    int64_t raw = value.raw();
    unsigned long long a = raw < 0 ? 0ULL - (unsigned long long)raw : (unsigned long long)raw;
    Digits d = digitsOf(a / Currency::Scale, raw < 0);
    d.fraction = std::to_string(a % Currency::Scale + Currency::Scale).substr(1);
    return d;
}

// Rounds to `places` fraction digits, half away from zero, padding with zeros.
void roundTo(Digits& d, size_t places) {
    bool up = d.fraction.size() > places && d.fraction[places] >= '5';
    d.fraction.resize(places, '0');
    if (!up) return;
    std::string all = d.whole + d.fraction;
    int i = int(all.size()) - 1;
    while (i >= 0 && all[size_t(i)] == '9') all[size_t(i--)] = '0';
    if (i >= 0) all[size_t(i)]++;
    else all.insert(0, "1");
    d.whole = all.substr(0, all.size() - places);
    d.fraction = all.substr(all.size() - places);
}

QString formatNumber(Digits d, const QString& mask) {
    qsizetype wholeSlots = 0, firstZero = -1, fractionSlots = 0, fractionZeros = 0;
    bool group = false, point = false;
    for (QChar c : mask) {
        if (c == u'.' && !point) {
            point = true;
        } else if (c == u'0' || c == u'#') {
            if (point) {
                ++fractionSlots;
                if (c == u'0') fractionZeros = fractionSlots;
            } else {
                if (c == u'0' && firstZero < 0) firstZero = wholeSlots;
                ++wholeSlots;
            }
        } else if (c == u',' && !point) {
            group = true;
        } else {
            throw std::invalid_argument("unsupported number mask: " + mask.toStdString());
        }
    }
    roundTo(d, size_t(fractionSlots));
    while (qsizetype(d.fraction.size()) > fractionZeros && d.fraction.back() == '0') d.fraction.pop_back();
    qsizetype minWhole = firstZero < 0 ? 0 : wholeSlots - firstZero;
    if (qsizetype(d.whole.size()) < minWhole) d.whole.insert(0, size_t(minWhole) - d.whole.size(), '0');

    // A value that rounds to nothing shows no sign.
    const bool zero = d.whole.find_first_not_of('0') == std::string::npos &&
                      d.fraction.find_first_not_of('0') == std::string::npos;
    std::string out;
    out.reserve(d.whole.size() * 4 / 3 + d.fraction.size() + 3);
    if (d.negative && !zero) out += '-';
    for (size_t i = 0; i < d.whole.size(); ++i) {
        if (group && i > 0 && (d.whole.size() - i) % 3 == 0) out += '.';
        out += d.whole[i];
    }
    if (point) {
        out += ',';
        out += d.fraction;
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

// The digits of a text read as an Italian-settings conversion reads it, or nothing.
std::optional<Digits> readItalian(const QString& s) {
    QString t = Trim(s);
    Digits d;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) d.negative = t[i++] == u'-';
    bool comma = false, any = false;
    for (; i < t.size(); ++i) {
        QChar c = t[i];
        if (isDigit(c)) {
            (comma ? d.fraction : d.whole) += char(c.unicode());
            any = true;
        } else if (c == u'.' && !comma && i > 0 && isDigit(t[i - 1])) {
            continue;  // a thousands mark
        } else if (c == u',' && !comma) {
            comma = true;
        } else {
            return std::nullopt;
        }
    }
    if (!any) return std::nullopt;
    return d;
}

}  // namespace

QString Left(const QString& s, qsizetype n) { return n <= 0 ? QString() : s.left(n); }

QString Right(const QString& s, qsizetype n) { return n <= 0 ? QString() : s.right(n); }

QString Mid(const QString& s, qsizetype start) { return Mid(s, start, s.size()); }

QString Mid(const QString& s, qsizetype start, qsizetype length) {
    qsizetype from = start < 1 ? 0 : start - 1;
    if (from >= s.size() || length <= 0) return QString();
    return s.mid(from, std::min(length, s.size() - from));
}

QString LTrim(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    return s.mid(i);
}

QString RTrim(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ') --n;
    return s.left(n);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

qsizetype InStr(qsizetype start, const QString& s, const QString& find) {
    qsizetype from = start < 1 ? 0 : start - 1;
    if (from > s.size()) return 0;
    qsizetype at = s.indexOf(find, from, Qt::CaseSensitive);
    return at < 0 ? 0 : at + 1;
}

QString Str(long long value) {
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value);
}

QString Str(double value) {
    if (value == 0) return QStringLiteral(" 0");
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15).ptr;
    QString text = QString::fromLatin1(buf, end - buf).toUpper();
    if (text.startsWith(u"0.")) text.remove(0, 1);
    else if (text.startsWith(u"-0.")) text.remove(1, 1);
    return text.startsWith(u'-') ? text : u' ' + text;
}

QString Str(const Currency& value) {
    QString text = QString::fromStdString(value.toPlainString());
    if (text.startsWith(u"0.")) text.remove(0, 1);
    else if (text.startsWith(u"-0.")) text.remove(1, 1);
    return text.startsWith(u'-') ? text : u' ' + text;
}

double Val(const QString& s) {
    std::string number;
    bool negative = false, started = false, point = false, significant = false;
    for (QChar c : s) {
        if (c == u' ' || c == u'\t' || c == u'\n') continue;
        if (!started && (c == u'-' || c == u'+')) {
            negative = c == u'-';
        } else if (isDigit(c)) {
            number += char(c.unicode());
            significant = significant || (!point && c != u'0');
        } else if (c == u'.' && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
        started = true;
    }
    double value = 0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (significant) raise(Overflow, "Overflow");
        return 0;
    }
    if (result.ec != std::errc()) return 0;
    return negative ? -value : value;
}

bool IsNumeric(const QString& s) { return readItalian(s).has_value(); }

Currency CCur(const QString& s) {
    auto d = readItalian(s);
    if (!d) throw db::err::typeMismatch();
    std::string plain = (d->negative ? "-" : "") + (d->whole.empty() ? "0" : d->whole) + "." + d->fraction;
    auto c = Currency::parse(plain, '.');
    if (!c) raise(Overflow, "Overflow");
    return *c;
}

std::optional<QDate> IsoDayAtStart(const std::string& text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int numeri[3] = {0, 0, 0};
    const int inizio[3] = {0, 5, 8}, cifre[3] = {4, 2, 2};
    for (int k = 0; k < 3; ++k)
        for (int i = inizio[k]; i < inizio[k] + cifre[k]; ++i) {
            const char ch = text[size_t(i)];
            if (ch < '0' || ch > '9') return std::nullopt;
            numeri[k] = numeri[k] * 10 + (ch - '0');
        }
    return QDate(numeri[0], numeri[1], numeri[2]);
}

std::optional<QDate> ToDate(const QString& s, int thisYear) {
    QString t = Trim(s);
    qsizetype at = 0;
    while (at < t.size() && isDigit(t[at])) ++at;
    if (at == t.size() || !QStringLiteral("/-.").contains(t[at])) return std::nullopt;
    QStringList parts = t.split(t[at]);
    if (parts.size() != 3) return std::nullopt;
    for (const QString& p : parts)
        if (p.isEmpty() || !std::all_of(p.begin(), p.end(), isDigit)) return std::nullopt;

    bool iso = parts[0].size() == 4;
    const QString& dayText = iso ? parts[2] : parts[0];
    const QString& yearText = iso ? parts[0] : parts[2];
    if (dayText.size() > 2 || parts[1].size() > 2 || (yearText.size() != 2 && yearText.size() != 4))
        return std::nullopt;
    int year = yearText.toInt();
    if (yearText.size() == 2) {
        const int first = (thisYear ? thisYear : QDate::currentDate().year()) - 80;
        year += first - first % 100;
        if (year < first) year += 100;
    }
    QDate date(year, parts[1].toInt(), dayText.toInt());
    if (!date.isValid() || year < 100) return std::nullopt;
    return date;
}

QString Format(double value, const QString& mask) { return formatNumber(digitsOf(value), mask); }

QString Format(const Currency& value, const QString& mask) { return formatNumber(digitsOf(value), mask); }

QString Format(long long value, const QString& mask) {
    unsigned long long a = value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
    return formatNumber(digitsOf(a, value < 0), mask);
}

QString Format(const QDateTime& value, const QString& mask) {
    if (!value.isValid()) return QString();
    QDate date = value.date();
    QTime time = value.time();
    auto unsupported = [&] { throw std::invalid_argument("unsupported date mask: " + mask.toStdString()); };
    auto digits = [&](int n, qsizetype run) {
        if (run > 2) unsupported();
        return run == 2 ? QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')) : QString::number(n);
    };
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < mask.size();) {
        QChar c = mask[i].toLower();
        if (!QStringLiteral("dmyhns").contains(c)) {
            out += mask[i++];
            continue;
        }
        qsizetype run = 1;
        while (i + run < mask.size() && mask[i + run].toLower() == c) ++run;
        i += run;
        if (c == u'm' && afterHour) c = u'n';
        afterHour = c == u'h';
        switch (c.unicode()) {
            case u'd': out += digits(date.day(), run); break;
            case u'm': out += digits(date.month(), run); break;
            case u'h': out += digits(time.hour(), run); break;
            case u'n': out += digits(time.minute(), run); break;
            case u's': out += digits(time.second(), run); break;
            default:
                if (run == 4) out += QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
                else if (run == 2) out += digits(date.year() % 100, 2);
                else unsupported();
        }
    }
    return out;
}

QString Format(const QDate& value, const QString& mask) {
    return value.isValid() ? Format(QDateTime(value, QTime(0, 0)), mask) : QString();
}

}  // namespace basic
