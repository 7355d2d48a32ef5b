#pragma once
// A layout bound to the data of one run: each column that a text or a condition names is found
// once in the data's tables and each text template is cut into its pieces, so that printing a
// band reads its values without looking a name up. The report engine's own.
#include <QDate>
#include <QRegularExpression>
#include <QString>
#include <optional>
#include <vector>

#include "platform/report/DataSet.h"
#include "platform/report/Layout.h"

namespace report {

// Stands for the page count in texts until the last page is known.
constexpr char16_t PagesMark = u'\uE000';

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
    bool signTurned = false;  // {-C}: a figure printed with its sign turned
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

class CompiledLayout {
public:
    // db::DbError when the layout names a table or a column the data does not hold.
    CompiledLayout(const Layout& layout, const DataSet& data, const QDate& today);
    CompiledLayout(const CompiledLayout&) = delete;
    CompiledLayout& operator=(const CompiledLayout&) = delete;

    const Layout& layout() const { return layout_; }
    const std::vector<CompiledBand>& bands() const { return bands_; }
    // The table the group and detail bands print; nullptr when there is none.
    const DataTable* detail() const { return detail_; }

    const CompiledBand* find(BandKind kind) const;
    // The detail band that prints row `row` on page `pageNumber`: the first variant whose
    // condition holds, else the ordinary one (none when the layout has neither).
    const CompiledBand* variantFor(int row, int pageNumber) const;
    // Column `column` of detail row `row`.
    QString value(int column, int row) const;
    // `row` is -1 outside the detail rows.
    bool holds(const CompiledCondition& c, int row, int pageNumber) const;
    // A text template filled in for `row` on page `pageNumber`, the page count standing as
    // PagesMark.
    QString text(const std::vector<Segment>& segs, int row, int pageNumber) const;

private:
    [[noreturn]] void unknownColumn(const QString& name, int line) const;
    ColumnRef resolve(const QString& name, bool rowBand, int line) const;
    std::vector<Segment> segments(const QString& value, bool rowBand, int line) const;
    CompiledCondition condition(const Condition& c, bool rowBand, int line) const;
    CompiledBand compile(const Band& b) const;
    QString value(const ColumnRef& ref, int row) const;

    const Layout& layout_;
    const DataSet& data_;
    const QString today_;
    const DataTable* detail_ = nullptr;
    std::vector<CompiledBand> bands_;
};

}  // namespace report
