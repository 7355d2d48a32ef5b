#pragma once
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for Qt values (GoogleTest would dump their bytes). Include this
// before comparing such values; the support headers already do.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(texts[i], os);
    }
    *os << '}';
}

// Engine tests build without Qt Gui: colours only exist for the forms' tests.
#if __has_include(<QColor>)
#include <QColor>
inline void PrintTo(const QColor& colour, std::ostream* os) {
    *os << colour.name().toStdString();
}
#endif
