#pragma once
#include <QString>
#include <optional>

#include "platform/system/Currency.h"

// A number read from a text that may hold anything after it (a parameter stored by an older
// program, "20%"). Blanks are ignored, a sign may lead, reading stops at the first
// character that cannot continue the number, nothing readable is 0. The full stop is the
// decimal point; a text without any full stop takes its comma as the decimal point, so
// "12,5", "1,50" and "77,47" read as typed, while a text with a full stop reads it as the
// decimal point ("12.5"; "1.000,50" reads 1). Beyond four decimals the value is rounded
// half to even; a number beyond the range of Currency raises the overflow error
// (db::DbError 6).
Currency NumeroDaTesto(const QString& testo);

// A number of the invoicing parameters: the text as the user typed it, which the parameters
// dialog shows and the archive stores, and its value, read once, when the text is set. A text
// that is a number in figures (NumeroInCifre, the one kind the parameters dialog accepts)
// has the value the dialog accepted: ValoreInCifre, so "1.000,50" is 1000,50 and "€ 2" is 2;
// any other text (a row stored by an older program: "20%", "12,5,3", ".5") keeps
// NumeroDaTesto's reading. Converts to the text wherever a text is wanted.
class NumeroParametro {
public:
    NumeroParametro() = default;
    NumeroParametro(const QString& testo);  // NOLINT: set from a text as a text field is
    NumeroParametro(const char* testo) : NumeroParametro(QString::fromUtf8(testo)) {}

    const QString& testo() const { return testo_; }
    operator const QString&() const { return testo_; }  // NOLINT
    bool isEmpty() const { return testo_.isEmpty(); }

    // The value; the overflow error (db::DbError 6) for a text holding a number beyond the
    // range of Currency, raised where the value is used, as reading it there would.
    Currency valore() const;

    friend bool operator==(const NumeroParametro& a, const NumeroParametro& b) { return a.testo_ == b.testo_; }
    friend bool operator==(const NumeroParametro& a, const QString& b) { return a.testo_ == b; }
    friend bool operator==(const QString& a, const NumeroParametro& b) { return a == b.testo_; }
    friend bool operator==(const NumeroParametro& a, const char* b) { return a.testo_ == QString::fromUtf8(b); }

private:
    QString testo_;
    std::optional<Currency> valore_ = Currency();  // empty: beyond the range
};
