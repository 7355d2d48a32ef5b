#include "platform/ui/Grid.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace ui {
namespace {

Qt::Alignment alignmentOf(QChar mark) {
    switch (mark.unicode()) {
    case '^': return Qt::AlignHCenter;
    case '>': return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

struct Cell {
    QString text;
    QColor back;
    Qt::Alignment alignment;
    bool hasBack = false;
    // Without an alignment of its own a cell takes its column's.
    bool hasAlignment = false;
};

}  // namespace

// The grid's cells: the headings (row 0) one a column, the data rows row after row. The view
// is told of written cells once per turn of the event loop, over the rectangle that holds
// them all; rows and columns added or taken away are told at once, as a model must.
class Grid::Cells final : public QAbstractTableModel {
public:
    explicit Cells(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : dataRows_; }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(columnAlignments_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        return roleOf(cellAt(index.row() + 1, index.column()), index.column(), role);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
            return QAbstractTableModel::headerData(section, orientation, role);
        return roleOf(headings_[size_t(section)], section, role);
    }

    Qt::ItemFlags flags(const QModelIndex&) const override { return Qt::ItemIsEnabled; }

    bool contains(int row, int col) const { return row >= 0 && row <= dataRows_ && col >= 0 && col < columnCount(); }

    // The cell at grid row `row` (0 the heading); the caller has checked it is in the grid.
    const Cell& cellAt(int row, int col) const {
        return row == 0 ? headings_[size_t(col)] : cells_[size_t((row - 1) * columnCount() + col)];
    }
    Cell& cellAt(int row, int col) { return const_cast<Cell&>(std::as_const(*this).cellAt(row, col)); }

    Qt::Alignment columnAlignment(int col) const { return columnAlignments_[size_t(col)]; }

    Qt::Alignment alignmentOf(int row, int col) const {
        const Cell& cell = cellAt(row, col);
        return cell.hasAlignment ? cell.alignment : columnAlignment(col);
    }

    void setDataRows(int rows) {
        rows = std::max(rows, 0);
        if (rows == dataRows_) return;
        const size_t size = size_t(rows) * size_t(columnCount());
        if (rows > dataRows_) {
            beginInsertRows({}, dataRows_, rows - 1);
            cells_.resize(size);
            dataRows_ = rows;
            endInsertRows();
        } else {
            beginRemoveRows({}, rows, dataRows_ - 1);
            cells_.resize(size);
            dataRows_ = rows;
            endRemoveRows();
        }
    }

    void resetDataRows(int rows) {
        beginResetModel();
        dataRows_ = std::max(rows, 0);
        cells_.clear();
        cells_.resize(size_t(dataRows_) * size_t(columnCount()));
        endResetModel();
    }

    void setColumns(int cols) {
        cols = std::max(cols, 0);
        const int old = columnCount();
        if (cols == old) return;
        // The cells kept stay in their columns: the rows are laid out again at the new width.
        std::vector<Cell> laidOut(size_t(dataRows_) * size_t(cols));
        const int kept = std::min(cols, old);
        for (int r = 0; r < dataRows_; ++r)
            for (int c = 0; c < kept; ++c)
                laidOut[size_t(r * cols + c)] = std::move(cells_[size_t(r * old + c)]);
        if (cols > old) beginInsertColumns({}, old, cols - 1);
        else beginRemoveColumns({}, cols, old - 1);
        cells_ = std::move(laidOut);
        headings_.resize(size_t(cols));
        columnAlignments_.resize(size_t(cols), Qt::AlignLeft);
        if (cols > old) endInsertColumns();
        else endRemoveColumns();
    }

    // Every cell of `col`, heading included, back to the column's alignment, now `alignment`.
    void setColumnAlignment(int col, Qt::Alignment alignment) {
        columnAlignments_[size_t(col)] = alignment;
        headings_[size_t(col)].hasAlignment = false;
        for (int r = 1; r <= dataRows_; ++r) cellAt(r, col).hasAlignment = false;
        changed(0, col);
        if (dataRows_ > 0) {
            changed(1, col);
            changed(dataRows_, col);
        }
    }

    // Cell (`row`, `col`) was written: the heading is told to its header at once, a data cell
    // joins the rectangle the view is told of later.
    void changed(int row, int col) {
        if (row == 0) {
            emit headerDataChanged(Qt::Horizontal, col, col);
            return;
        }
        const int r = row - 1;
        if (!pending_) {
            pending_ = true;
            top_ = bottom_ = r;
            left_ = right_ = col;
            QMetaObject::invokeMethod(this, [this] { tell(); }, Qt::QueuedConnection);
            return;
        }
        top_ = std::min(top_, r);
        bottom_ = std::max(bottom_, r);
        left_ = std::min(left_, col);
        right_ = std::max(right_, col);
    }

private:
    QVariant roleOf(const Cell& cell, int col, int role) const {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return cell.text;
        case Qt::TextAlignmentRole:
            // As an int, the form the views read it in.
            return int(((cell.hasAlignment ? cell.alignment : columnAlignment(col)) & Qt::AlignHorizontal_Mask) |
                       Qt::AlignVCenter);
        case Qt::BackgroundRole: return cell.hasBack ? QVariant(QBrush(cell.back)) : QVariant();
        default: return {};
        }
    }

    void tell() {
        pending_ = false;
        // Rows or columns taken away since leave less to tell.
        const int bottom = std::min(bottom_, dataRows_ - 1);
        const int right = std::min(right_, columnCount() - 1);
        if (top_ <= bottom && left_ <= right) emit dataChanged(index(top_, left_), index(bottom, right));
    }

    std::vector<Cell> cells_;
    std::vector<Cell> headings_;
    std::vector<Qt::Alignment> columnAlignments_;
    int dataRows_ = 0;
    bool pending_ = false;
    int top_ = 0, bottom_ = 0, left_ = 0, right_ = 0;
};

Grid::Grid(QWidget* parent) : QTableView(parent), cells_(new Cells(this)) {
    setModel(cells_);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        row_ = index.row() + 1;
        col_ = index.column();
        emit clicked(row_);
    });
}

Grid::~Grid() = default;

void Grid::setFormatString(const QString& format) {
    // The same format in the same font lays the columns out as last time: the headings are
    // split and measured once.
    const QFont font = horizontalHeader()->font();
    if (format != layout_.format || font != layout_.font || style() != layout_.style) {
        layout_.format = format;
        layout_.font = font;
        layout_.style = style();
        layout_.columns.clear();
        const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 2;
        const QFontMetrics metrics(font);
        for (QString heading : format.split(u'|')) {
            Qt::Alignment alignment = Qt::AlignLeft;
            if (!heading.isEmpty() && QStringLiteral("<^>").contains(heading.front())) {
                alignment = alignmentOf(heading.front());
                heading.remove(0, 1);
            }
            const int width = metrics.horizontalAdvance(heading) + margin;
            layout_.columns.push_back({std::move(heading), alignment, width});
        }
    }
    setCols(int(layout_.columns.size()));
    for (int col = 0; col < int(layout_.columns.size()); ++col) {
        const auto& column = layout_.columns[size_t(col)];
        cells_->setColumnAlignment(col, column.alignment);
        setText(0, col, column.heading);
        setColumnWidth(col, column.width);
    }
}

int Grid::rows() const { return cells_->rowCount() + 1; }

void Grid::setRows(int rows) { cells_->setDataRows(std::max(rows, 1) - 1); }

void Grid::resetRows(int rows) { cells_->resetDataRows(std::max(rows, 1) - 1); }

int Grid::cols() const { return cells_->columnCount(); }

void Grid::setCols(int cols) { cells_->setColumns(cols); }

QString Grid::text(int row, int col) const {
    return cells_->contains(row, col) ? cells_->cellAt(row, col).text : QString();
}

void Grid::setText(int row, int col, const QString& text) {
    if (!cells_->contains(row, col)) return;
    Cell& cell = cells_->cellAt(row, col);
    if (cell.text == text) return;
    cell.text = text;
    cells_->changed(row, col);
}

QColor Grid::cellBackColor(int row, int col) const {
    if (cells_->contains(row, col)) {
        const Cell& cell = cells_->cellAt(row, col);
        if (cell.hasBack) return cell.back;
    }
    return palette().color(row == 0 ? QPalette::Button : QPalette::Base);
}

void Grid::setCellBackColor(int row, int col, const QColor& colour) {
    if (!cells_->contains(row, col)) return;
    Cell& cell = cells_->cellAt(row, col);
    if (cell.hasBack && cell.back == colour) return;
    cell.back = colour;
    cell.hasBack = true;
    cells_->changed(row, col);
}

Qt::Alignment Grid::cellAlignment(int row, int col) const {
    return cells_->contains(row, col) ? cells_->alignmentOf(row, col) & Qt::AlignHorizontal_Mask : Qt::AlignLeft;
}

void Grid::setCellAlignment(int row, int col, Qt::Alignment alignment) {
    if (!cells_->contains(row, col)) return;
    Cell& cell = cells_->cellAt(row, col);
    cell.alignment = alignment & Qt::AlignHorizontal_Mask;
    cell.hasAlignment = true;
    cells_->changed(row, col);
}

}  // namespace ui
