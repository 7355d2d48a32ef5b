#include "platform/report/Layout.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "platform/report/ReportError.h"

namespace report {

namespace {

struct Token {
    QString key;    // attribute name or flag word
    QString value;  // attribute value
    bool attribute = false;
};

class Parser {
public:
    Parser(const QString& name) : name_(name) {}

    Layout parse(const QString& text) {
        Layout layout;
        layout.name = name_;
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            line_ = i + 1;
            const QString statement = lines[i].trimmed();
            if (statement.isEmpty() || statement.startsWith(u'#')) continue;
            std::vector<Token> tokens = tokenize(statement);
            if (tokens.front().attribute) fail("manca la parola chiave");
            const QString keyword = tokens.front().key.toLower();
            tokens.erase(tokens.begin());
            if (keyword == "page") {
                if (!layout.bands.empty()) fail("'page' va prima delle sezioni");
                page(layout, tokens);
            }
            else if (keyword == "font") {
                if (!layout.bands.empty()) fail("'font' va prima delle sezioni");
                FontSpec f = layout.font;
                for (const Token& t : tokens)
                    if (!fontAttribute(f, t)) unknown(t);
                layout.font = f;
            } else if (keyword == "band") band(layout, tokens);
            else if (keyword == "text" || keyword == "field" || keyword == "line" || keyword == "box") {
                if (layout.bands.empty()) fail("'" + keyword + "' fuori da una sezione");
                Band& b = layout.bands.back();
                b.items.push_back(item(keyword, tokens, b));
            } else {
                fail("parola chiave sconosciuta '" + tokens.front().key + "'");
            }
        }
        check(layout);
        return layout;
    }

private:
    [[noreturn]] void fail(const QString& why) const {
        const QString where = line_ > 0 ? QStringLiteral("riga %1: %2").arg(line_).arg(why) : why;
        throw err::error(err::LayoutInvalid,
                         QStringLiteral("Il modello di stampa '%1' non è valido (%2).").arg(name_, where));
    }
    [[noreturn]] void unknown(const Token& t) const {
        fail((t.attribute ? "attributo sconosciuto '" : "parola sconosciuta '") + t.key + "'");
    }

    std::vector<Token> tokenize(const QString& s) const {
        std::vector<Token> out;
        qsizetype i = 0;
        const qsizetype n = s.size();
        auto quoted = [&](QString& into) {
            ++i;  // opening quote
            for (;;) {
                if (i >= n) fail("virgolette non chiuse");
                if (s[i] == u'"') {
                    if (i + 1 < n && s[i + 1] == u'"') {
                        into += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    return;
                }
                into += s[i++];
            }
        };
        while (i < n) {
            if (s[i].isSpace()) {
                ++i;
                continue;
            }
            Token t;
            while (i < n && !s[i].isSpace() && s[i] != u'=' && s[i] != u'"') t.key += s[i++];
            if (i < n && s[i] == u'"') fail("testo tra virgolette senza nome");
            if (i < n && s[i] == u'=') {
                ++i;
                t.attribute = true;
                if (t.key.isEmpty()) fail("attributo senza nome");
                if (i < n && s[i] == u'"') quoted(t.value);
                else
                    while (i < n && !s[i].isSpace()) t.value += s[i++];
                if (i < n && !s[i].isSpace()) fail("manca uno spazio dopo le virgolette");
            }
            t.key = t.key.toLower();
            out.push_back(std::move(t));
        }
        return out;
    }

    double number(const Token& t) const {
        bool ok = false;
        const double v = t.value.toDouble(&ok);
        if (!ok) fail("valore non numerico per '" + t.key + "': " + t.value);
        return v;
    }

    bool fontAttribute(FontSpec& f, const Token& t) const {
        if (t.attribute && t.key == "family") {
            if (t.value.isEmpty()) fail("carattere senza nome");
            f.family = t.value;
        } else if (t.attribute && t.key == "size") {
            f.size = number(t);
            if (f.size <= 0) fail("dimensione del carattere non positiva");
        } else if (!t.attribute && t.key == "bold") f.bold = true;
        else if (!t.attribute && t.key == "italic") f.italic = true;
        else if (!t.attribute && t.key == "regular") f.bold = f.italic = false;
        else return false;
        return true;
    }

    Condition condition(const Token& t) const {
        Condition c;
        qsizetype eq = t.value.indexOf(u'=');
        if (eq <= 0) fail("condizione senza '=': " + t.value);
        c.negate = t.value[eq - 1] == u'!';
        c.column = t.value.left(c.negate ? eq - 1 : eq).trimmed();
        c.pattern = t.value.mid(eq + 1);
        if (c.column.isEmpty()) fail("condizione senza colonna: " + t.value);
        if (c.column.startsWith(u'#') && c.column.compare(QLatin1String("#page"), Qt::CaseInsensitive) != 0)
            fail("una condizione legge una colonna o #page: " + t.value);
        return c;
    }

    void page(Layout& layout, const std::vector<Token>& tokens) const {
        for (const Token& t : tokens) {
            if (!t.attribute) unknown(t);
            if (t.key == "size") {
                const QString v = t.value.toUpper();
                if (v == "A4") layout.pageWidth = 210, layout.pageHeight = 297;
                else if (v == "A5") layout.pageWidth = 148, layout.pageHeight = 210;
                else if (v == "A3") layout.pageWidth = 297, layout.pageHeight = 420;
                else if (v == "LETTER") layout.pageWidth = 215.9, layout.pageHeight = 279.4;
                else {
                    const QStringList wh = v.split(u'X');
                    bool ok1 = false, ok2 = false;
                    if (wh.size() == 2) {
                        layout.pageWidth = wh[0].toDouble(&ok1);
                        layout.pageHeight = wh[1].toDouble(&ok2);
                    }
                    if (!ok1 || !ok2 || layout.pageWidth <= 0 || layout.pageHeight <= 0)
                        fail("formato di pagina sconosciuto: " + t.value);
                }
            } else if (t.key == "orientation") {
                const QString v = t.value.toLower();
                if (v == "portrait") layout.landscape = false;
                else if (v == "landscape") layout.landscape = true;
                else fail("orientamento sconosciuto: " + t.value);
            } else if (t.key == "margins") {
                const QStringList m = t.value.split(u',');
                if (m.size() != 4) fail("i margini sono quattro: sinistro,alto,destro,basso");
                double v[4];
                for (int k = 0; k < 4; ++k) {
                    bool ok = false;
                    v[k] = m[k].trimmed().toDouble(&ok);
                    if (!ok || v[k] < 0) fail("margine non valido: " + m[k]);
                }
                layout.marginLeft = v[0], layout.marginTop = v[1], layout.marginRight = v[2],
                layout.marginBottom = v[3];
            } else {
                unknown(t);
            }
        }
    }

    void band(Layout& layout, const std::vector<Token>& tokens) {
        if (tokens.empty() || tokens.front().attribute) fail("sezione senza tipo");
        Band b;
        b.sourceLine = line_;
        const QString kind = tokens.front().key;
        if (kind == "title") b.kind = BandKind::Title;
        else if (kind == "header") b.kind = BandKind::Header;
        else if (kind == "group") b.kind = BandKind::Group;
        else if (kind == "detail") b.kind = BandKind::Detail;
        else if (kind == "summary") b.kind = BandKind::Summary;
        else if (kind == "footer") b.kind = BandKind::Footer;
        else fail("tipo di sezione sconosciuto '" + kind + "'");
        FontSpec f = layout.font;
        for (size_t k = 1; k < tokens.size(); ++k) {
            const Token& t = tokens[k];
            if (fontAttribute(f, t)) continue;
            if (!t.attribute) unknown(t);
            if (t.key == "table") b.table = t.value;
            else if (t.key == "column") b.column = t.value;
            else if (t.key == "when") b.when = condition(t);
            else if (t.key == "height") b.height = number(t);
            else if (t.key == "at") {
                if (t.value.toLower() != "bottom") fail("posizione sconosciuta: " + t.value);
                b.atBottom = true;
            } else unknown(t);
        }
        const bool rows = b.kind == BandKind::Group || b.kind == BandKind::Detail;
        if (rows && b.table.isEmpty()) fail("la sezione '" + kind + "' richiede table=");
        if (!rows && !b.table.isEmpty()) fail("table= vale solo per le sezioni group e detail");
        if ((b.kind == BandKind::Group) != !b.column.isEmpty())
            fail("column= vale solo, ed è richiesta, per la sezione group");
        if (b.when && b.kind != BandKind::Detail && b.kind != BandKind::Header)
            fail("when= vale solo per le sezioni detail e header");
        if (b.atBottom && b.kind != BandKind::Summary) fail("at=bottom vale solo per la sezione summary");
        if (b.height < 0) fail("altezza negativa");
        bandFont_ = f;
        layout.bands.push_back(std::move(b));
    }

    LayoutItem item(const QString& keyword, const std::vector<Token>& tokens, const Band&) const {
        LayoutItem it;
        it.sourceLine = line_;
        it.font = bandFont_;
        it.kind = keyword == "line" ? ItemKind::Line : keyword == "box" ? ItemKind::Box : ItemKind::Text;
        const bool text = it.kind == ItemKind::Text;
        bool hasValue = false;
        for (const Token& t : tokens) {
            if (text && fontAttribute(it.font, t)) continue;
            if (!t.attribute) {
                if (text && t.key == "wrap") it.wrap = true;
                else unknown(t);
                continue;
            }
            const QString& k = t.key;
            if (k == "when") it.when = condition(t);
            else if (k == "x" && it.kind != ItemKind::Line) it.x = number(t);
            else if (k == "y" && it.kind != ItemKind::Line) it.y = number(t);
            else if (k == "w" && it.kind != ItemKind::Line) it.w = number(t);
            else if (k == "h" && it.kind != ItemKind::Line) it.h = number(t);
            else if (k == "x1" && it.kind == ItemKind::Line) it.x = number(t);
            else if (k == "y1" && it.kind == ItemKind::Line) it.y = number(t);
            else if (k == "x2" && it.kind == ItemKind::Line) it.x2 = number(t);
            else if (k == "y2" && it.kind == ItemKind::Line) it.y2 = number(t);
            else if (k == "width" && !text) it.lineWidth = number(t);
            else if (k == "fill" && it.kind == ItemKind::Box) {
                it.fill = QColor(t.value);
                if (!it.fill.isValid()) fail("colore non valido: " + t.value);
            } else if (k == "align" && text) {
                const QString v = t.value.toLower();
                if (v == "left") it.align = Qt::AlignLeft;
                else if (v == "center" || v == "centre") it.align = Qt::AlignHCenter;
                else if (v == "right") it.align = Qt::AlignRight;
                else fail("allineamento sconosciuto: " + t.value);
            } else if (k == "value" && keyword == "text") {
                it.value = t.value;
                hasValue = true;
            } else if (k == "column" && keyword == "field") {
                if (t.value.isEmpty() || t.value.contains(u'{') || t.value.contains(u'}'))
                    fail("nome di colonna non valido: " + t.value);
                it.value = "{" + t.value + "}";
                hasValue = true;
            } else unknown(t);
        }
        if (text && !hasValue) fail(keyword == "field" ? "campo senza column=" : "testo senza value=");
        if (it.w < 0 || it.h < 0 || it.lineWidth < 0) fail("misura negativa");
        if (it.wrap && it.w <= 0) fail("un testo a capo automatico richiede la larghezza w=");
        if (it.kind == ItemKind::Box && (it.w <= 0 || it.h <= 0)) fail("un riquadro richiede w= e h=");
        return it;
    }

    void check(const Layout& layout) {
        line_ = 0;
        for (BandKind single : {BandKind::Title, BandKind::Group, BandKind::Summary, BandKind::Footer})
            if (layout.bandsOf(single).size() > 1) {
                line_ = layout.bandsOf(single)[1]->sourceLine;
                fail("sezione ripetuta");
            }
        QString table;
        for (const Band& b : layout.bands) {
            if (b.kind != BandKind::Group && b.kind != BandKind::Detail) continue;
            if (table.isEmpty()) table = b.table;
            else if (table.compare(b.table, Qt::CaseInsensitive) != 0) {
                line_ = b.sourceLine;
                fail("le righe di dettaglio vengono da una sola tabella");
            }
        }
        if (layout.band(BandKind::Group) && layout.bandsOf(BandKind::Detail).empty()) {
            line_ = layout.band(BandKind::Group)->sourceLine;
            fail("sezione group senza sezione detail");
        }
        const double w = layout.landscape ? layout.pageHeight : layout.pageWidth;
        const double h = layout.landscape ? layout.pageWidth : layout.pageHeight;
        if (layout.marginLeft + layout.marginRight >= w || layout.marginTop + layout.marginBottom >= h)
            fail("i margini non lasciano spazio sulla pagina");
        // An empty or truncated file would print blank pages.
        if (std::none_of(layout.bands.begin(), layout.bands.end(), [](const Band& b) { return !b.items.empty(); }))
            fail("non c'è niente da stampare");
    }

    QString name_;
    int line_ = 0;
    FontSpec bandFont_;
};

}  // namespace

const Band* Layout::band(BandKind kind) const {
    for (const Band& b : bands)
        if (b.kind == kind) return &b;
    return nullptr;
}

std::vector<const Band*> Layout::bandsOf(BandKind kind) const {
    std::vector<const Band*> out;
    for (const Band& b : bands)
        if (b.kind == kind) out.push_back(&b);
    return out;
}

QString Layout::detailTable() const {
    for (const Band& b : bands)
        if (b.kind == BandKind::Detail || b.kind == BandKind::Group) return b.table;
    return {};
}

Layout parseLayout(const QString& text, const QString& name) { return Parser(name).parse(text); }

Layout loadLayout(const QString& path) {
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (!file.open(QIODevice::ReadOnly))
        throw err::error(err::LayoutInvalid,
                         QStringLiteral("Impossibile leggere il modello di stampa '%1' (%2).").arg(name, file.errorString()));
    QString text = QString::fromUtf8(file.readAll());
    text.remove(u'\r');
    return parseLayout(text, name);
}

}  // namespace report
