#pragma once
#include <QColor>
#include <QTableWidget>
#include <vector>

namespace ui {

// The program's grids count their fixed heading as row 0 and the data rows from 1, and take
// their headings from one format string: "^Numero|<Descrizione|>  Importo  " — '^' centres
// the column, '<' aligns it left, '>' right; the text after the mark, blanks included, is the
// heading and sets the column's width. Row 0 is the table's horizontal header, so row r of
// the grid is row r - 1 of the table. Cells are read-only; the program paints the highlight
// of the chosen row itself, so the table selects nothing.
class Grid : public QTableWidget {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);

    // Sets the columns, their headings, alignments and widths; leaves the rows as they are.
    void setFormatString(const QString& format);

    // Counts include the heading row.
    int rows() const { return rowCount() + 1; }
    void setRows(int rows);
    int cols() const { return columnCount(); }
    void setCols(int cols);

    // A cell outside the grid reads as empty, and writing to it changes nothing.
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    QColor cellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor& colour);
    Qt::Alignment cellAlignment(int row, int col) const;
    void setCellAlignment(int row, int col, Qt::Alignment alignment);

    void setColWidth(int col, int width) { setColumnWidth(col, width); }
    int colWidth(int col) const { return columnWidth(col); }

    // The current cell: set by a click on a data row, or by the program.
    using QTableWidget::row;
    int row() const { return row_; }
    void setRow(int row) { row_ = row; }
    int col() const { return col_; }
    void setCol(int col) { col_ = col; }

signals:
    // A data row was clicked; row() already holds it.
    void clicked(int row);

private:
    bool contains(int row, int col) const;
    QTableWidgetItem* cell(int row, int col) const;
    QTableWidgetItem* ensureCell(int row, int col);

    std::vector<Qt::Alignment> columnAlignments_;
    int row_ = 0;
    int col_ = 0;
};

}  // namespace ui
