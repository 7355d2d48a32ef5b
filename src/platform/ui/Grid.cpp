#include "platform/ui/Grid.h"

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

}  // namespace

Grid::Grid(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    connect(this, &QTableWidget::cellClicked, this, [this](int tableRow, int column) {
        row_ = tableRow + 1;
        col_ = column;
        emit clicked(row_);
    });
}

void Grid::setFormatString(const QString& format) {
    const QStringList sections = format.split(u'|');
    setCols(int(sections.size()));
    const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 2;
    for (int col = 0; col < int(sections.size()); ++col) {
        QString heading = sections[col];
        Qt::Alignment alignment = Qt::AlignLeft;
        if (!heading.isEmpty() && QStringLiteral("<^>").contains(heading.front())) {
            alignment = alignmentOf(heading.front());
            heading.remove(0, 1);
        }
        columnAlignments_[col] = alignment;
        setText(0, col, heading);
        for (int row = 0; row < rows(); ++row) {
            if (cell(row, col))
                setCellAlignment(row, col, alignment);
        }
        setColumnWidth(col, horizontalHeader()->fontMetrics().horizontalAdvance(heading) + margin);
    }
}

void Grid::setRows(int rows) {
    setRowCount(std::max(rows, 1) - 1);
}

void Grid::setCols(int cols) {
    setColumnCount(std::max(cols, 0));
    columnAlignments_.resize(columnCount(), Qt::AlignLeft);
    // Without an item of its own a heading would show the column's number.
    for (int col = 0; col < columnCount(); ++col)
        ensureCell(0, col);
}

bool Grid::contains(int row, int col) const {
    return row >= 0 && row < rows() && col >= 0 && col < cols();
}

QTableWidgetItem* Grid::cell(int row, int col) const {
    if (!contains(row, col))
        return nullptr;
    return row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
}

QTableWidgetItem* Grid::ensureCell(int row, int col) {
    if (!contains(row, col))
        return nullptr;
    if (QTableWidgetItem* existing = cell(row, col))
        return existing;
    auto* created = new QTableWidgetItem;
    created->setFlags(Qt::ItemIsEnabled);
    created->setTextAlignment(columnAlignments_[col] | Qt::AlignVCenter);
    if (row == 0)
        setHorizontalHeaderItem(col, created);
    else
        setItem(row - 1, col, created);
    return created;
}

QString Grid::text(int row, int col) const {
    const QTableWidgetItem* item = cell(row, col);
    return item ? item->text() : QString();
}

void Grid::setText(int row, int col, const QString& text) {
    if (QTableWidgetItem* item = ensureCell(row, col))
        item->setText(text);
}

QColor Grid::cellBackColor(int row, int col) const {
    const QTableWidgetItem* item = cell(row, col);
    if (item && item->background().style() != Qt::NoBrush)
        return item->background().color();
    return palette().color(row == 0 ? QPalette::Button : QPalette::Base);
}

void Grid::setCellBackColor(int row, int col, const QColor& colour) {
    if (QTableWidgetItem* item = ensureCell(row, col))
        item->setBackground(colour);
}

Qt::Alignment Grid::cellAlignment(int row, int col) const {
    if (const QTableWidgetItem* item = cell(row, col))
        return Qt::Alignment(item->textAlignment()) & Qt::AlignHorizontal_Mask;
    return contains(row, col) ? columnAlignments_[col] : Qt::AlignLeft;
}

void Grid::setCellAlignment(int row, int col, Qt::Alignment alignment) {
    if (QTableWidgetItem* item = ensureCell(row, col))
        item->setTextAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

}  // namespace ui
