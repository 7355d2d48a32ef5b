#pragma once
// Texts broken to the width of a report's column, measured with a font's FontMeasure.
#include <QString>
#include <QStringList>
#include <QStringView>

#include "platform/report/TextMetrics.h"

namespace report {

// How many characters of `text` from `from` on fit in `width`: the longest such run, none
// when not even one character fits.
qsizetype fitting(QStringView text, qsizetype from, const FontMeasure& fm, double width);

// The lines of `text` in a column `width` wide, at most `maxLines` of them: words go on a
// line while they fit, a word wider than the column is broken where it has to be, and
// once `maxLines` lines are full the rest of the text is not looked at.
QStringList wrapped(const QString& text, const FontMeasure& fm, double width, qsizetype maxLines);

}  // namespace report
