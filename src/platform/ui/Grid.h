#pragma once
#include <QColor>
#include <QFont>
#include <QStyle>
#include <QTableView>
#include <vector>

namespace ui {

// The program's grids count their fixed heading as row 0 and the data rows from 1, and take
// their headings from one format string: "^Numero|<Descrizione|>  Importo  " — '^' centres
// the column, '<' aligns it left, '>' right; the text after the mark, blanks included, is the
// heading and sets the column's width. Row 0 is the table's horizontal header, so row r of
// the grid is row r - 1 of the table. Cells are read-only; the program paints the highlight
// of the chosen row itself, so the table selects nothing.
//
// The cells live in a light model of the grid's own: a cell is its text, its colour and its
// alignment, with no object of its own. Writing a cell tells the view nothing at once; the
// view learns of all the cells written since the last time in one go when control returns
// to the event loop, so that filling thousands of cells costs no more than storing them.
class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // Sets the columns, their headings, alignments and widths; leaves the rows as they are.
    void setFormatString(const QString& format);

    // Counts include the heading row.
    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);
    // Sets the count of rows (heading included) and empties every data cell: no text, no
    // colour, no alignment of its own. The view is told once, as of a new table, however
    // many rows there were or are now.
    void resetRows(int rows);

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
    int row() const { return row_; }
    void setRow(int row) { row_ = row; }
    int col() const { return col_; }
    void setCol(int col) { col_ = col; }

signals:
    // A data row was clicked; row() already holds it.
    void clicked(int row);

private:
    class Cells;
    Cells* cells_;
    // The last format string laid out, in the header's font and the style of then, and what
    // it gave each column.
    struct Layout {
        QString format;
        QFont font;
        const QStyle* style = nullptr;
        struct Column {
            QString heading;
            Qt::Alignment alignment;
            int width = 0;
        };
        std::vector<Column> columns;
    } layout_;
    int row_ = 0;
    int col_ = 0;
};

}  // namespace ui
