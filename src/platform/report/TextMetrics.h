#pragma once
// How wide and tall texts are in a report's fonts, measured in points (a device of 72 dots per
// inch), each font's metrics made once.
#include <QFont>
#include <QFontMetricsF>
#include <QStringView>
#include <array>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/report/Layout.h"

namespace report {

// The measures of one font in points. Texts are drawn unshaped and without kerning, so a
// text's width is the sum of its characters' widths: each character is measured once and
// remembered. A text holding what the font lays out otherwise (tabs, line breaks, control
// characters, combining marks, characters in two halves) is measured whole.
class FontMeasure {
public:
    explicit FontMeasure(const QFont& font);

    double horizontalAdvance(QStringView text) const;
    // The width of `c` alone, or -1 when `c` is not measured on its own.
    double advance(QChar c) const;

    double lineSpacing() const { return fm_.lineSpacing(); }
    double ascent() const { return fm_.ascent(); }
    double averageCharWidth() const { return fm_.averageCharWidth(); }

private:
    QFontMetricsF fm_;
    mutable std::array<double, 0x100> latin1_;
    mutable std::unordered_map<char16_t, double> others_;
};

class TextMetrics {
public:
    const FontMeasure& of(const FontSpec& font);

private:
    std::vector<std::pair<FontSpec, std::unique_ptr<FontMeasure>>> cache_;
};

}  // namespace report
