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

FontMeasure::FontMeasure(const QFont& font) : fm_(font, pointDevice()) { latin1_.fill(-1); }

double FontMeasure::horizontalAdvance(QStringView text) const {
    double sum = 0;
    for (QChar c : text) {
        const double w = advance(c);
        if (w < 0) return fm_.horizontalAdvance(text.toString());
        sum += w;
    }
    return sum;
}

double FontMeasure::advance(QChar c) const {
    const char16_t u = c.unicode();
    if (u < latin1_.size()) {
        double& w = latin1_[u];
        if (w < 0 && u >= 0x20 && (u < 0x7f || u > 0x9f) && u != 0xad) w = fm_.horizontalAdvance(QString(c));
        return w;
    }
    const QChar::Category kind = c.category();
    if (!c.isPrint() || c.isMark() || kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph) return -1;
    const auto known = others_.find(u);
    if (known != others_.end()) return known->second;
    return others_[u] = fm_.horizontalAdvance(QString(c));
}

const FontMeasure& TextMetrics::of(const FontSpec& font) {
    for (auto& [spec, measure] : cache_)
        if (spec == font) return *measure;
    cache_.emplace_back(font, std::make_unique<FontMeasure>(toQFont(font)));
    return *cache_.back().second;
}

}  // namespace report
