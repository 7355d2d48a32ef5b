#pragma once
// How wide and tall texts are in a report's fonts, measured in points (a device of 72 dots per
// inch), each font's metrics made once.
#include <QFontMetricsF>
#include <memory>
#include <utility>
#include <vector>

#include "platform/report/Layout.h"

namespace report {

class TextMetrics {
public:
    const QFontMetricsF& of(const FontSpec& font);

private:
    std::vector<std::pair<FontSpec, std::unique_ptr<QFontMetricsF>>> cache_;
};

}  // namespace report
