#include "platform/report/PageModel.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QStringTokenizer>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include "platform/report/ReportError.h"
#include "platform/report/TextMetrics.h"

namespace report {

namespace {

// Stands for the page count in texts until the last page is known.
constexpr char16_t PagesMark = u'\uE000';

// "*" any text, "?" one character, everything else itself; case ignored.
QRegularExpression patternOf(const QString& pattern) {
    QString re;
    for (QChar c : pattern) {
        if (c == u'*') re += ".*";
        else if (c == u'?') re += ".";
        else re += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression("\\A(?:" + re + ")\\z",
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

// A column a text or a condition reads: of the row being printed, or of the first row of
// a table.
struct ColumnRef {
    const DataTable* table = nullptr;
    int column = -1;
    bool ofRow = false;
};

struct Segment {
    enum Kind { Literal, Column, PageNumber, PageCount, Date, RowCount } kind = Literal;
    QString text;
    ColumnRef ref;
};

struct CompiledCondition {
    ColumnRef ref;
    bool page = false;   // tests the page number instead of a column
    bool blank = false;  // the empty pattern: holds for a value of blanks only, or none
    QRegularExpression pattern;
    bool negate = false;
};

struct CompiledItem {
    const LayoutItem* item = nullptr;
    std::vector<Segment> segments;
    std::optional<CompiledCondition> when;
};

struct CompiledBand {
    const Band* band = nullptr;
    std::vector<CompiledItem> items;
    std::optional<CompiledCondition> when;
    int groupColumn = -1;
};

// One band as printed once: its items relative to the band's top-left corner.
struct Chunk {
    std::vector<TextItem> texts;
    std::vector<bool> cut;  // per text: cut to its width once the page count is known
    std::vector<LineItem> lines;
    std::vector<BoxItem> boxes;
    double height = 0;
};

// How many characters of `text` from `from` on fit in `width`: the longest such run, none
// when not even one character fits. Characters with widths of their own are added up one by
// one until the run is full. Past one that is measured only within its text, the run is
// found by doubling a guess until it no longer fits, then halving the gap (widths grow with
// the run): a few measurements of at most twice what fits, however long the text.
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

class Builder {
public:
    Builder(const Layout& layout, const DataSet& data, const QDate& today)
        : layout_(layout), data_(data), today_(today.toString("dd/MM/yyyy")) {
        const QString detail = layout.detailTable();
        if (!detail.isEmpty()) {
            detail_ = data.table(detail);
            if (!detail_)
                throw err::error(err::TableNotFound,
                                 QStringLiteral("Il modello di stampa '%1' legge la tabella '%2', che il file dati non contiene.")
                                     .arg(layout.name, detail));
        }
        for (const Band& b : layout.bands) bands_.push_back(compile(b));
    }

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

        const CompiledBand* footer = find(BandKind::Footer);
        const double footerHeight = footer ? render(*footer, -1, 1).height : 0;
        limit_ = bottom_ - footerHeight;

        newPage();

        const CompiledBand* group = find(BandKind::Group);
        if (detail_) {
            for (int r = 0; r < int(detail_->rows.size()); ++r) {
                const CompiledBand* row = variantFor(r, page());
                Chunk rowChunk = row ? render(*row, r, page()) : Chunk();
                if (group && (r == 0 || value(group->groupColumn, r) != value(group->groupColumn, r - 1))) {
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

        if (const CompiledBand* summary = find(BandKind::Summary)) {
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
    [[noreturn]] void unknownColumn(const QString& name, int line) const {
        throw err::error(err::ColumnNotFound,
                         QStringLiteral("Il modello di stampa '%1' (riga %2) legge '%3', che il file dati non contiene.")
                             .arg(layout_.name)
                             .arg(line)
                             .arg(name));
    }

    ColumnRef resolve(const QString& name, bool rowBand, int line) const {
        ColumnRef ref;
        const qsizetype dot = name.indexOf(u'.');
        if (dot < 0) {
            if (!rowBand || !detail_) unknownColumn(name, line);
            ref.table = detail_;
            ref.ofRow = true;
            ref.column = detail_->column(name);
        } else {
            ref.table = data_.table(name.left(dot));
            if (!ref.table)
                throw err::error(err::TableNotFound,
                                 QStringLiteral("Il modello di stampa '%1' (riga %2) legge la tabella '%3', che il file dati non contiene.")
                                     .arg(layout_.name)
                                     .arg(line)
                                     .arg(name.left(dot)));
            ref.column = ref.table->column(name.mid(dot + 1));
            // The row being printed, when the band prints the rows of that very table.
            ref.ofRow = rowBand && ref.table == detail_;
        }
        if (ref.column < 0) unknownColumn(name, line);
        return ref;
    }

    std::vector<Segment> segments(const QString& value, bool rowBand, int line) const {
        std::vector<Segment> out;
        QString literal;
        for (qsizetype i = 0; i < value.size(); ++i) {
            const QChar c = value[i];
            if ((c == u'{' || c == u'}') && i + 1 < value.size() && value[i + 1] == c) {
                literal += c;
                ++i;
                continue;
            }
            if (c != u'{') {
                literal += c;
                continue;
            }
            const qsizetype close = value.indexOf(u'}', i + 1);
            if (close < 0)
                throw err::error(err::LayoutInvalid, QStringLiteral("Il modello di stampa '%1' non è valido (riga %2: manca '}').")
                                                         .arg(layout_.name)
                                                         .arg(line));
            if (!literal.isEmpty()) out.push_back({Segment::Literal, literal, {}});
            literal.clear();
            const QString name = value.mid(i + 1, close - i - 1).trimmed();
            i = close;
            const QString lower = name.toLower();
            if (lower == "#page") out.push_back({Segment::PageNumber, {}, {}});
            else if (lower == "#pages") out.push_back({Segment::PageCount, {}, {}});
            else if (lower == "#date") out.push_back({Segment::Date, {}, {}});
            else if (lower == "#rows") out.push_back({Segment::RowCount, {}, {}});
            else if (name.startsWith(u'#'))
                throw err::error(err::LayoutInvalid, QStringLiteral("Il modello di stampa '%1' non è valido (riga %2: %3 sconosciuto).")
                                                         .arg(layout_.name)
                                                         .arg(line)
                                                         .arg(name));
            else out.push_back({Segment::Column, {}, resolve(name, rowBand, line)});
        }
        if (!literal.isEmpty()) out.push_back({Segment::Literal, literal, {}});
        return out;
    }

    CompiledCondition condition(const Condition& c, bool rowBand, int line) const {
        CompiledCondition out;
        out.page = c.column.compare(QLatin1String("#page"), Qt::CaseInsensitive) == 0;
        if (!out.page) out.ref = resolve(c.column, rowBand, line);
        out.blank = c.pattern.isEmpty();
        out.pattern = patternOf(c.pattern);
        out.negate = c.negate;
        return out;
    }

    CompiledBand compile(const Band& b) const {
        CompiledBand out;
        out.band = &b;
        const bool rowBand = b.kind == BandKind::Detail || b.kind == BandKind::Group;
        if (b.when) out.when = condition(*b.when, rowBand, b.sourceLine);
        if (b.kind == BandKind::Group) out.groupColumn = resolve(b.column, true, b.sourceLine).column;
        for (const LayoutItem& it : b.items) {
            CompiledItem ci;
            ci.item = &it;
            if (it.kind == ItemKind::Text) ci.segments = segments(it.value, rowBand, it.sourceLine);
            if (it.when) ci.when = condition(*it.when, rowBand, it.sourceLine);
            out.items.push_back(std::move(ci));
        }
        return out;
    }

    const CompiledBand* find(BandKind kind) const {
        for (const CompiledBand& b : bands_)
            if (b.band->kind == kind) return &b;
        return nullptr;
    }

    const CompiledBand* variantFor(int row, int pageNumber) const {
        const CompiledBand* fallback = nullptr;
        for (const CompiledBand& b : bands_) {
            if (b.band->kind != BandKind::Detail) continue;
            if (!b.when) {
                if (!fallback) fallback = &b;
            } else if (holds(*b.when, row, pageNumber)) {
                return &b;
            }
        }
        return fallback;
    }

    QString value(int column, int row) const { return detail_->rows[row][column]; }

    QString value(const ColumnRef& ref, int row) const {
        if (ref.ofRow) return row >= 0 ? ref.table->rows[row][ref.column] : QString();
        return ref.table->rows.empty() ? QString() : ref.table->rows.front()[ref.column];
    }

    bool holds(const CompiledCondition& c, int row, int pageNumber) const {
        const QString v = c.page ? QString::number(pageNumber) : value(c.ref, row);
        const bool match = c.blank ? v.trimmed().isEmpty() : c.pattern.match(v).hasMatch();
        return match != c.negate;
    }

    QString text(const std::vector<Segment>& segs, int row, int pageNumber) const {
        QString out;
        for (const Segment& s : segs) {
            switch (s.kind) {
            case Segment::Literal: out += s.text; break;
            case Segment::Column: out += value(s.ref, row); break;
            case Segment::PageNumber: out += QString::number(pageNumber); break;
            case Segment::PageCount: out += QChar(PagesMark); break;
            case Segment::Date: out += today_; break;
            case Segment::RowCount: out += QString::number(detail_ ? detail_->rows.size() : 0); break;
            }
        }
        return out;
    }

    // The lines of `text` in a column `width` wide, at most `maxLines` of them: words go on a
    // line while they fit, a word wider than the column is broken where it has to be, and
    // once `maxLines` lines are full the rest of the text is not looked at.
    QStringList wrapped(const QString& text, const FontMeasure& fm, double width, qsizetype maxLines) const {
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

    Chunk render(const CompiledBand& b, int row, int pageNumber) {
        Chunk c;
        double extent = b.band->height * PointsPerMm;
        for (const CompiledItem& ci : b.items) {
            if (ci.when && !holds(*ci.when, row, pageNumber)) continue;
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
                const QString t = text(ci.segments, row, pageNumber);
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
            if (const CompiledBand* title = find(BandKind::Title)) place(render(*title, -1, page()));
        for (const CompiledBand& b : bands_)
            if (b.band->kind == BandKind::Header && (!b.when || holds(*b.when, -1, page())))
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
    const DataSet& data_;
    const QString today_;
    const DataTable* detail_ = nullptr;
    std::vector<CompiledBand> bands_;
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
