#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

#include <concepts>
#include <optional>
#include <string>

#include "platform/system/Currency.h"

// The string, number and date functions the program's rules are written with: 1-based
// positions, clamping instead of failing, the sign blank of Str,
// and Italian separators ("." thousands, "," decimals, day/month/year) whatever the
// machine's locale. Conversion failures raise db::DbError 13 (type mismatch) or 6
// (overflow), the one error type of the program.
namespace basic {

// Positions and lengths clamp: a count beyond the text gives the whole text, a start
// beyond the end gives "", a negative count gives "", a start below 1 counts as 1.
QString Left(const QString& s, qsizetype n);
QString Right(const QString& s, qsizetype n);
QString Mid(const QString& s, qsizetype start);
QString Mid(const QString& s, qsizetype start, qsizetype length);
inline qsizetype Len(const QString& s) { return s.size(); }
// Blanks only; tabs and line ends stay.
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);
// 1-based position of `find` at or after `start` (case-sensitive), 0 when absent.
qsizetype InStr(qsizetype start, const QString& s, const QString& find);
inline qsizetype InStr(const QString& s, const QString& find) { return InStr(1, s, find); }
inline QString UCase(const QString& s) { return s.toUpper(); }
inline QString LCase(const QString& s) { return s.toLower(); }
inline QString Space(qsizetype n) { return QString(n > 0 ? n : 0, u' '); }

// A blank in the sign position for zero or more, "-" otherwise; no leading zero before
// the point (" .5") and at most 15 significant digits.
QString Str(long long value);
QString Str(double value);
QString Str(const Currency& value);
template <std::integral T>
QString Str(T value) { return Str(static_cast<long long>(value)); }

// The leading number of the text: blanks, tabs and line feeds are skipped anywhere, a sign
// may open it, "." is the only decimal point, reading stops at the first other character.
// 0 when there is no number.
double Val(const QString& s);

// Texts an Italian-settings conversion accepts: blanks around, one leading sign, digits
// with "." as thousands mark after a digit, at most one "," decimal comma.
bool IsNumeric(const QString& s);
// Such a text as money, rounded half to even beyond four decimals; error 13 when it is no
// number, 6 when it is beyond the range of Currency.
Currency CCur(const QString& s);

// Day/month/year with "/", "-" or "." (one or two digits for day and month, two or four
// for the year), or the ISO form year-month-day the database stores. Dates that do not exist
// in the calendar are none. A two-digit year is the year ending in those digits among the
// hundred years from 80 before `thisYear` to 19 after it (in 2026: 00-45 are 2000-2045,
// 46-99 are 1946-1999), so that a date typed in the next years never falls a century back.
// `thisYear` 0 is today's year, read from the clock only when a two-digit year needs it.
std::optional<QDate> ToDate(const QString& s, int thisYear = 0);
inline bool IsDate(const QString& s) { return ToDate(s).has_value(); }
// The day written "yyyy-mm-dd" at the start of a stored UTF-8 text, read without building a
// QString: the readers of long lists take it before the general reading. Nothing when the
// first ten characters are not of that shape; the day may be one the calendar lacks.
std::optional<QDate> IsoDayAtStart(const std::string& text);

// Number masks of digit placeholders: "0" always shows a digit, "#" only a significant one;
// a "," among the integer placeholders groups thousands with "."; "." places the decimal
// comma. Rounding is half away from zero; a minus sign leads negatives that do not round
// to zero.
QString Format(double value, const QString& mask);
QString Format(const Currency& value, const QString& mask);
QString Format(long long value, const QString& mask);
template <std::integral T>
QString Format(T value, const QString& mask) { return Format(static_cast<long long>(value), mask); }
// Date masks: d dd m mm yy yyyy h hh n nn s ss; an m right after an hour (separators
// between allowed) means minutes. Other characters are copied. A null date gives "".
QString Format(const QDateTime& value, const QString& mask);
QString Format(const QDate& value, const QString& mask);

inline QDate Today() { return QDate::currentDate(); }
inline QDateTime Now() { return QDateTime::currentDateTime(); }

}  // namespace basic
