#pragma once
// Report layouts: readable text files of our own, one per report file name the program asks
// for ("Stp_elefat.rpt", "stp_fattura.rpt", ...).
//
// FORMAT. One statement per line; "#" starts a comment line; blank lines are ignored.
// A statement is a keyword followed by attributes `name=value` and flags (bare words).
// A value holding blanks is written between double quotes; "" inside them is one quote.
// Lengths are millimetres with "." as the decimal point; x is measured from the left
// margin, y from the top of the band the item belongs to.
//
//   page size=A4 orientation=landscape margins=10,10,10,10    (left,top,right,bottom)
//   font family="DejaVu Sans" size=9                           (the report's default font)
// (both before the first band; sizes A3, A4, A5, Letter or WIDTHxHEIGHT in millimetres)
//
//   band <kind> [table=T] [column=C] [when="C=pattern"] [height=H] [at=bottom] [font...]
//     kinds:  title    once, at the top of the first page (above its header)
//             header   at the top of every page (repeated headings, letterhead); several
//                      header bands print one under the other in their order, and one
//                      with `when` only on the pages where it holds (when="#page=1": the
//                      first page only)
//             group    before the first detail row and whenever `column` changes value
//             detail   once per row of `table`, flowing over as many pages as needed;
//                      several detail bands of the same table may each carry a `when`:
//                      the first whose condition holds prints the row (the one without
//                      `when` is the ordinary row), so a column value decides the style
//             summary  once, after the last detail row (at=bottom: at the foot of the
//                      last page, above the page footer)
//             footer   at the foot of every page
//     A band is as high as `height` or as its items need, whichever is more. A row that
//     does not fit above the page footer starts a new page; a group heading moves with
//     the row under it. A layout with nothing to print is refused.
//
//   text  x= y= w= [h=] [align=left|center|right] [wrap] [when=...] [font...] value="..."
//   field x= y= w= [h=] [align=...] [wrap] [when=...] [font...] column=C
//   line  x1= y1= x2= y2= [width=0.2] [when=...]
//   box   x= y= w= h= [width=0.2] [fill=#RRGGBB] [when=...]
//
// Font attributes, on `font`, on a band (for its items) or on an item: family="...",
// size=points, and the flags bold, italic, regular (not bold, not italic).
// In a text value, {C} is a column's value, {#page} the page number, {#pages} the number of
// pages, {#date} today's date (dd/mm/yyyy), {#rows} the number of detail rows, {{ and }}
// are braces. {-C} is column C's figure with its sign turned, as what it takes off a total:
// "406,10" prints "-406,10" and "-26,05" prints "26,05"; blanks, a figure of zero and a text
// that is no figure print as they are. A column C is written `table.column` (the first row
// of that table, such as a one-row header table) or, inside group and detail bands, just
// `column` (the row being printed). Names ignore case.
// A text is cut to its width w unless it wraps (without w it takes the room it needs); a
// wrapped text takes as many lines as it needs and makes its band taller. A condition "C=pattern" holds when the column's value
// matches the pattern (* any text, ? one character, case ignored); "C!=pattern" when it
// does not; "C=" when the value is empty or only blanks, "C!=" when it holds something else.
// In a condition, #page stands for the page number: when="#page=1", when="#page!=1".
#include <QColor>
#include <QString>
#include <optional>
#include <vector>

namespace report {

struct FontSpec {
    QString family = QStringLiteral("DejaVu Sans");
    double size = 9;  // points
    bool bold = false;
    bool italic = false;

    bool operator==(const FontSpec&) const = default;
};

struct Condition {
    QString column;
    QString pattern;
    bool negate = false;
};

enum class ItemKind { Text, Line, Box };

struct LayoutItem {
    ItemKind kind = ItemKind::Text;
    int sourceLine = 0;
    // Text and box: position and size (h 0: one line of the font). Line: x,y to x2,y2.
    double x = 0, y = 0, w = 0, h = 0;
    double x2 = 0, y2 = 0;
    double lineWidth = 0.2;
    QColor fill;  // box fill; invalid for none
    QString value;  // text template
    Qt::Alignment align = Qt::AlignLeft;
    bool wrap = false;
    FontSpec font;
    std::optional<Condition> when;
};

enum class BandKind { Title, Header, Group, Detail, Summary, Footer };

struct Band {
    BandKind kind = BandKind::Detail;
    int sourceLine = 0;
    QString table;   // group and detail
    QString column;  // group
    std::optional<Condition> when;  // detail variants
    double height = 0;
    bool atBottom = false;  // summary
    std::vector<LayoutItem> items;
};

struct Layout {
    QString name;  // file name, for messages
    double pageWidth = 210, pageHeight = 297;  // portrait size of the sheet, millimetres
    bool landscape = false;
    double marginLeft = 15, marginTop = 15, marginRight = 15, marginBottom = 15;
    FontSpec font;
    std::vector<Band> bands;

    const Band* band(BandKind kind) const;
    std::vector<const Band*> bandsOf(BandKind kind) const;
    // The table the group and detail bands print, empty when there is none.
    QString detailTable() const;
};

// Reads a layout from its text; `name` names it in messages. A statement it does not
// understand raises db::DbError (invalid layout) naming the line.
Layout parseLayout(const QString& text, const QString& name);

// Reads the layout file at `path` (UTF-8). db::DbError when it cannot be read or is invalid.
Layout loadLayout(const QString& path);

}  // namespace report
