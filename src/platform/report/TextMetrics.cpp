#include "platform/report/TextMetrics.h"

#include <QImage>

#include "platform/report/PageModel.h"

namespace report {

namespace {

const QPaintDevice* pointDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(2835);  // 72 dpi
        image.setDotsPerMeterY(2835);
        return image;
    }();
    return &device;
}

}  // namespace

const QFontMetricsF& TextMetrics::of(const FontSpec& font) {
    for (auto& [spec, metrics] : cache_)
        if (spec == font) return *metrics;
    cache_.emplace_back(font, std::make_unique<QFontMetricsF>(toQFont(font), pointDevice()));
    return *cache_.back().second;
}

}  // namespace report
