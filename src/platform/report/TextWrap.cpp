#include "platform/report/TextWrap.h"

#include <QStringTokenizer>
#include <algorithm>

namespace report {

// Characters with widths of their own are added up one by one until the run is full. Past
// one that is measured only within its text, the run is found by doubling a guess until it
// no longer fits, then halving the gap (widths grow with the run): a few measurements of at
// most twice what fits, however long the text.
qsizetype fitting(QStringView text, qsizetype from, const FontMeasure& fm, double width) {
    const qsizetype rest = text.size() - from;
    // Character by character while each has a width of its own.
    double sum = 0;
    for (qsizetype n = 0;; ++n) {
        if (n == rest) return rest;
        const double w = fm.advance(text[from + n]);
        if (w < 0) break;
        if (sum + w > width) return n;
        sum += w;
    }
    auto fits = [&](qsizetype n) { return fm.horizontalAdvance(text.mid(from, n)) <= width; };
    const double average = fm.averageCharWidth();
    qsizetype probe = average > 0 && width > 0 ? qsizetype(std::min(width / average, 1e9)) + 1 : 1;
    qsizetype lo = 0, hi = 0;  // lo fits, hi does not
    for (;;) {
        if (probe >= rest) {
            if (fits(rest)) return rest;
            hi = rest;
            break;
        }
        if (!fits(probe)) {
            hi = probe;
            break;
        }
        lo = probe;
        probe *= 2;
    }
    while (hi - lo > 1) {
        const qsizetype mid = lo + (hi - lo) / 2;
        (fits(mid) ? lo : hi) = mid;
    }
    // A character in two halves stays whole.
    if (lo > 0 && lo < rest && text[from + lo - 1].isHighSurrogate() && text[from + lo].isLowSurrogate()) --lo;
    return lo;
}

QStringList wrapped(const QString& text, const FontMeasure& fm, double width, qsizetype maxLines) {
    QStringList lines;
    for (QStringView paragraph : QStringTokenizer(text, u'\n')) {
        QString line;
        for (QStringView word : QStringTokenizer(paragraph, u' ')) {
            const QString candidate = line.isEmpty() ? word.toString() : QString(line).append(u' ').append(word);
            if ((line.isEmpty() && word.isEmpty()) || fm.horizontalAdvance(candidate) <= width) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty()) {
                lines << line;
                if (lines.size() >= maxLines) return lines;
            }
            qsizetype from = 0;
            for (;;) {
                qsizetype fit = fitting(word, from, fm, width);
                if (fit == 0) fit = word[from].isHighSurrogate() && from + 1 < word.size() ? 2 : 1;
                if (from + fit >= word.size()) break;
                lines << word.mid(from, fit).toString();
                if (lines.size() >= maxLines) return lines;
                from += fit;
            }
            line = word.mid(from).toString();
        }
        lines << line;
        if (lines.size() >= maxLines) return lines;
    }
    return lines;
}

}  // namespace report
