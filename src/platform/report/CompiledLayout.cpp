#include "platform/report/CompiledLayout.h"

#include <algorithm>

#include "platform/report/ReportError.h"

namespace report {

namespace {

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

// A figure with its sign turned: "406,10" gives "-406,10", "-26,05" gives "26,05". Blanks,
// a figure of zero and a text that is no figure stay as they are.
QString withSignTurned(const QString& value) {
    static const QRegularExpression figure(QStringLiteral("\\A\\s*([+-]?)\\s*([0-9][0-9.,]*)\\s*\\z"));
    const QRegularExpressionMatch m = figure.match(value);
    if (!m.hasMatch()) return value;
    const QString digits = m.captured(2);
    if (std::none_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'1' && c <= u'9'; })) return value;
    return m.captured(1) == u"-" ? digits : u'-' + digits;
}

}  // namespace

CompiledLayout::CompiledLayout(const Layout& layout, const DataSet& data, const QDate& today)
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

void CompiledLayout::unknownColumn(const QString& name, int line) const {
    throw err::error(err::ColumnNotFound,
                     QStringLiteral("Il modello di stampa '%1' (riga %2) legge '%3', che il file dati non contiene.")
                         .arg(layout_.name)
                         .arg(line)
                         .arg(name));
}

ColumnRef CompiledLayout::resolve(const QString& name, bool rowBand, int line) const {
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

std::vector<Segment> CompiledLayout::segments(const QString& value, bool rowBand, int line) const {
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
        else if (name.startsWith(u'-'))
            out.push_back({Segment::Column, {}, resolve(name.mid(1).trimmed(), rowBand, line), true});
        else out.push_back({Segment::Column, {}, resolve(name, rowBand, line)});
    }
    if (!literal.isEmpty()) out.push_back({Segment::Literal, literal, {}});
    return out;
}

CompiledCondition CompiledLayout::condition(const Condition& c, bool rowBand, int line) const {
    CompiledCondition out;
    out.page = c.column.compare(QLatin1String("#page"), Qt::CaseInsensitive) == 0;
    if (!out.page) out.ref = resolve(c.column, rowBand, line);
    out.blank = c.pattern.isEmpty();
    out.pattern = patternOf(c.pattern);
    out.negate = c.negate;
    return out;
}

CompiledBand CompiledLayout::compile(const Band& b) const {
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

const CompiledBand* CompiledLayout::find(BandKind kind) const {
    for (const CompiledBand& b : bands_)
        if (b.band->kind == kind) return &b;
    return nullptr;
}

const CompiledBand* CompiledLayout::variantFor(int row, int pageNumber) const {
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

QString CompiledLayout::value(int column, int row) const { return detail_->rows[row][column]; }

QString CompiledLayout::value(const ColumnRef& ref, int row) const {
    if (ref.ofRow) return row >= 0 ? ref.table->rows[row][ref.column] : QString();
    return ref.table->rows.empty() ? QString() : ref.table->rows.front()[ref.column];
}

bool CompiledLayout::holds(const CompiledCondition& c, int row, int pageNumber) const {
    const QString v = c.page ? QString::number(pageNumber) : value(c.ref, row);
    const bool match = c.blank ? v.trimmed().isEmpty() : c.pattern.match(v).hasMatch();
    return match != c.negate;
}

QString CompiledLayout::text(const std::vector<Segment>& segs, int row, int pageNumber) const {
    QString out;
    for (const Segment& s : segs) {
        switch (s.kind) {
        case Segment::Literal: out += s.text; break;
        case Segment::Column: out += s.signTurned ? withSignTurned(value(s.ref, row)) : value(s.ref, row); break;
        case Segment::PageNumber: out += QString::number(pageNumber); break;
        case Segment::PageCount: out += QChar(PagesMark); break;
        case Segment::Date: out += today_; break;
        case Segment::RowCount: out += QString::number(detail_ ? detail_->rows.size() : 0); break;
        }
    }
    return out;
}

}  // namespace report
