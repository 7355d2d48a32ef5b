#include "platform/report/PageModel.h"

#include <algorithm>
#include <cmath>

#include "platform/report/CompiledLayout.h"
#include "platform/report/TextMetrics.h"
#include "platform/report/TextWrap.h"

namespace report {

namespace {

// A layout's bands laid out on pages: the title and headings opening each page, the detail
// rows flowing over as many pages as they need, the summary and the footers; then the page
// count put in and each text cut and placed on its baseline.

// One band as printed once: its items relative to the band's top-left corner.
struct Chunk {
    std::vector<TextItem> texts;
    std::vector<bool> cut;  // per text: cut to its width once the page count is known
    std::vector<LineItem> lines;
    std::vector<BoxItem> boxes;
    double height = 0;
};

class Builder {
public:
    Builder(const Layout& layout, const DataSet& data, const QDate& today)
        : layout_(layout), compiled_(layout, data, today) {}

    Document build() {
        Document doc;
        doc.paperMm = QSizeF(layout_.pageWidth, layout_.pageHeight);
        doc.landscape = layout_.landscape;
        doc.size = layout_.landscape ? QSizeF(layout_.pageHeight, layout_.pageWidth) * PointsPerMm
                                     : QSizeF(layout_.pageWidth, layout_.pageHeight) * PointsPerMm;
        size_ = doc.size;
        left_ = layout_.marginLeft * PointsPerMm;
        top_ = layout_.marginTop * PointsPerMm;
        bottom_ = size_.height() - layout_.marginBottom * PointsPerMm;

        const CompiledBand* footer = compiled_.find(BandKind::Footer);
        const double footerHeight = footer ? render(*footer, -1, 1).height : 0;
        limit_ = bottom_ - footerHeight;

        newPage();

        const CompiledBand* group = compiled_.find(BandKind::Group);
        if (const DataTable* detail = compiled_.detail()) {
            for (int r = 0; r < int(detail->rows.size()); ++r) {
                const CompiledBand* row = compiled_.variantFor(r, page());
                Chunk rowChunk = row ? render(*row, r, page()) : Chunk();
                if (group && (r == 0 || compiled_.value(group->groupColumn, r) != compiled_.value(group->groupColumn, r - 1))) {
                    Chunk head = render(*group, r, page());
                    // A group heading never stands alone at the foot of a page.
                    if (y_ + head.height + rowChunk.height > limit_ && y_ > bodyTop_) {
                        newPage();
                        head = render(*group, r, page());
                    }
                    place(std::move(head));
                }
                if (!row) continue;
                if (y_ + rowChunk.height > limit_ && y_ > bodyTop_) {
                    newPage();
                    rowChunk = render(*row, r, page());
                }
                place(std::move(rowChunk));
            }
        }

        if (const CompiledBand* summary = compiled_.find(BandKind::Summary)) {
            Chunk chunk = render(*summary, -1, page());
            if (y_ + chunk.height > limit_ && y_ > bodyTop_) {
                newPage();
                chunk = render(*summary, -1, page());
            }
            if (summary->band->atBottom) y_ = std::max(y_, limit_ - chunk.height);
            place(std::move(chunk));
        }

        if (footer)
            for (int p = 0; p < int(pages_.size()); ++p) {
                Chunk chunk = render(*footer, -1, p + 1);
                put(pages_[p], std::move(chunk), bottom_ - footerHeight);
            }

        finish();
        doc.pages = std::move(pages_);
        return doc;
    }

private:
    Chunk render(const CompiledBand& b, int row, int pageNumber) {
        Chunk c;
        double extent = b.band->height * PointsPerMm;
        for (const CompiledItem& ci : b.items) {
            if (ci.when && !compiled_.holds(*ci.when, row, pageNumber)) continue;
            const LayoutItem& it = *ci.item;
            const double x = it.x * PointsPerMm, y = it.y * PointsPerMm;
            const double w = it.w * PointsPerMm, h = it.h * PointsPerMm;
            switch (it.kind) {
            case ItemKind::Line:
                c.lines.push_back({QPointF(x, y), QPointF(it.x2 * PointsPerMm, it.y2 * PointsPerMm), it.lineWidth * PointsPerMm});
                extent = std::max({extent, y, it.y2 * PointsPerMm});
                break;
            case ItemKind::Box:
                c.boxes.push_back({QRectF(x, y, w, h), it.lineWidth * PointsPerMm, it.fill});
                extent = std::max(extent, y + h);
                break;
            case ItemKind::Text: {
                const FontMeasure& fm = metrics_.of(it.font);
                const double lineHeight = std::max(h, fm.lineSpacing());
                const QString t = compiled_.text(ci.segments, row, pageNumber);
                if (it.wrap) {
                    // Lines past the foot of the sheet could never be seen.
                    const qsizetype most = qsizetype(size_.height() / fm.lineSpacing()) + 1;
                    const QStringList lines = wrapped(t, fm, w, most);
                    for (int i = 0; i < lines.size(); ++i) {
                        c.texts.push_back({QRectF(x, y + i * fm.lineSpacing(), w, fm.lineSpacing()), lines[i], it.font, it.align, {}});
                        c.cut.push_back(false);
                    }
                    extent = std::max(extent, y + std::max(h, lines.size() * fm.lineSpacing()));
                } else {
                    c.texts.push_back({QRectF(x, y, w, lineHeight), t, it.font, it.align, {}});
                    c.cut.push_back(true);
                    extent = std::max(extent, y + lineHeight);
                }
                break;
            }
            }
        }
        c.height = extent;
        return c;
    }

    int page() const { return int(pages_.size()); }

    // The title opens the first page, above its headings; the headings open every page, one
    // header band under the other, each on the pages its condition names.
    void newPage() {
        pages_.emplace_back();
        y_ = top_;
        if (pages_.size() == 1)
            if (const CompiledBand* title = compiled_.find(BandKind::Title)) place(render(*title, -1, page()));
        for (const CompiledBand& b : compiled_.bands())
            if (b.band->kind == BandKind::Header && (!b.when || compiled_.holds(*b.when, -1, page())))
                place(render(b, -1, page()));
        bodyTop_ = y_;
    }

    void put(Page& p, Chunk chunk, double y) {
        for (size_t i = 0; i < chunk.texts.size(); ++i) {
            TextItem t = std::move(chunk.texts[i]);
            t.rect.translate(left_, y);
            if (chunk.cut[i]) cut_.push_back({&p - pages_.data(), p.texts.size()});
            p.texts.push_back(std::move(t));
        }
        for (LineItem& l : chunk.lines) {
            l.from += QPointF(left_, y);
            l.to += QPointF(left_, y);
            p.lines.push_back(l);
        }
        for (BoxItem& b : chunk.boxes) {
            b.rect.translate(left_, y);
            p.boxes.push_back(b);
        }
    }

    void place(Chunk chunk) {
        const double h = chunk.height;
        put(pages_.back(), std::move(chunk), y_);
        y_ += h;
    }

    // The page count goes into the texts that show it; then each text that does not wrap
    // is cut to its width (one without a width takes the room it needs), and every text is
    // placed on its baseline as its alignment wants.
    void finish() {
        const QString count = QString::number(pages_.size());
        for (Page& p : pages_)
            for (TextItem& t : p.texts) t.text.replace(QChar(PagesMark), count);
        for (auto [page, index] : cut_) {
            TextItem& t = pages_[page].texts[index];
            const FontMeasure& fm = metrics_.of(t.font);
            if (t.rect.width() <= 0) t.rect.setWidth(fm.horizontalAdvance(shownText(t.text)));
            else t.text.truncate(fitting(t.text, 0, fm, t.rect.width()));
        }
        for (Page& p : pages_)
            for (TextItem& t : p.texts) {
                const FontMeasure& fm = metrics_.of(t.font);
                double dx = 0;
                if (t.align & (Qt::AlignRight | Qt::AlignHCenter)) {
                    // Blanks at the end hang past the edge the text is aligned on.
                    QString shown = shownText(t.text);
                    qsizetype end = shown.size();
                    while (end > 0 && shown[end - 1].isSpace()) --end;
                    shown.truncate(end);
                    const double room = t.rect.width() - fm.horizontalAdvance(shown);
                    dx = t.align & Qt::AlignRight ? room : room / 2;
                }
                t.origin = QPointF(t.rect.left() + dx, t.rect.top() + fm.ascent());
            }
    }

    const Layout& layout_;
    const CompiledLayout compiled_;
    TextMetrics metrics_;

    QSizeF size_;
    double left_ = 0, top_ = 0, bottom_ = 0, limit_ = 0;
    double y_ = 0, bodyTop_ = 0;
    std::vector<Page> pages_;
    std::vector<std::pair<std::ptrdiff_t, size_t>> cut_;
};

}  // namespace

QFont toQFont(const FontSpec& spec) {
    QFont f(spec.family);
    f.setPointSizeF(spec.size);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferNoShaping | QFont::PreferOutline));
    return f;
}

QString shownText(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c == u'\n' || c == u'\r' || c == u'\t') c = u' ';
    return out;
}

QStringList Page::textLines() const {
    std::vector<const TextItem*> order;
    for (const TextItem& t : texts)
        if (!t.text.isEmpty()) order.push_back(&t);
    std::stable_sort(order.begin(), order.end(), [](const TextItem* a, const TextItem* b) {
        if (a->rect.top() != b->rect.top()) return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    QStringList out;
    double lineTop = -1;
    for (const TextItem* t : order) {
        if (out.isEmpty() || std::abs(t->rect.top() - lineTop) > 0.5) {
            out << t->text;
            lineTop = t->rect.top();
        } else {
            out.last() += " | " + t->text;
        }
    }
    return out;
}

Document buildDocument(const Layout& layout, const DataSet& data, const QDate& today) {
    return Builder(layout, data, today).build();
}

}  // namespace report
