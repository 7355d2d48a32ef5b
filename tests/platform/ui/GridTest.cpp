#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "support/QtPrinters.h"

#include <QBrush>
#include <QCoreApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using ui::Grid;

TEST(Grid, FormatStringGivesHeadingsAlignmentsAndColumns) {
    Grid grid;
    grid.setRows(15);
    grid.setFormatString(QStringLiteral("^Incarico|<Lavoro|>Costo|Codice|^ Add.Unit. "));

    EXPECT_EQ(grid.cols(), 5);
    EXPECT_EQ(grid.rows(), 15);
    EXPECT_EQ(grid.model()->rowCount(), 14);
    struct Column {
        const char* heading;
        Qt::Alignment alignment;
    };
    const Column columns[] = {
        {"Incarico", Qt::AlignHCenter}, {"Lavoro", Qt::AlignLeft},     {"Costo", Qt::AlignRight},
        {"Codice", Qt::AlignLeft},      {" Add.Unit. ", Qt::AlignHCenter},
    };
    for (int col = 0; col < 5; ++col) {
        EXPECT_EQ(grid.text(0, col), QString::fromUtf8(columns[col].heading)) << col;
        EXPECT_EQ(grid.model()->headerData(col, Qt::Horizontal).toString(), QString::fromUtf8(columns[col].heading));
        EXPECT_EQ(grid.cellAlignment(0, col), columns[col].alignment) << col;
        // Data cells take their column's alignment.
        grid.setText(1, col, QStringLiteral("x"));
        EXPECT_EQ(grid.cellAlignment(1, col), columns[col].alignment) << col;
    }
    EXPECT_TRUE(grid.verticalHeader()->isHidden());
}

TEST(Grid, BlanksAroundAHeadingWidenItsColumn) {
    Grid grid;
    grid.setFormatString(QStringLiteral("^Numero|^      Numero      "));
    const int blanks = grid.horizontalHeader()->fontMetrics().horizontalAdvance(QString(12, u' '));
    EXPECT_GT(grid.colWidth(0), grid.horizontalHeader()->fontMetrics().horizontalAdvance("Numero"));
    EXPECT_NEAR(grid.colWidth(1) - grid.colWidth(0), blanks, 1);  // sub-pixel rounding of the text
}

TEST(Grid, ANewFormatStringKeepsTheRowsAndReplacesTheColumns) {
    Grid grid;
    grid.setFormatString(QStringLiteral("^A|^B|^C|^D"));
    grid.setRows(12);
    grid.setFormatString(QStringLiteral("^Uno|^Due"));
    EXPECT_EQ(grid.rows(), 12);
    EXPECT_EQ(grid.cols(), 2);
    EXPECT_EQ(grid.text(0, 1), QStringLiteral("Due"));
}

TEST(Grid, RowsCountTheHeadingAndCellsMapOneRowDown) {
    Grid grid;
    grid.setRows(4);
    grid.setCols(3);
    EXPECT_EQ(grid.text(0, 2), QString());  // no column number shown as heading
    grid.setText(3, 2, QStringLiteral("ultima"));
    grid.setText(1, 0, QStringLiteral("prima"));
    EXPECT_EQ(grid.model()->index(2, 2).data().toString(), QStringLiteral("ultima"));
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(), QStringLiteral("prima"));
    EXPECT_EQ(grid.text(3, 2), QStringLiteral("ultima"));
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable);

    // Outside the grid nothing is written and nothing is read.
    grid.setText(4, 0, QStringLiteral("fuori"));
    grid.setCellBackColor(1, 3, ui::bgr(ui::BgrYellow));
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->columnCount(), 3);
    EXPECT_EQ(grid.text(4, 0), QString());
    EXPECT_EQ(grid.text(-1, 0), QString());

    grid.setRows(1);
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.model()->rowCount(), 0);
}

TEST(Grid, CellColoursArePerCellAndWhiteByDefault) {
    Grid grid;
    grid.setRows(6);
    grid.setFormatString(QStringLiteral("^A|^B|^C"));
    for (int col = 0; col < 3; ++col)
        grid.setCellBackColor(3, col, ui::bgr(ui::BgrYellow));
    grid.setCellBackColor(3, 1, ui::bgr(ui::BgrWhite));
    EXPECT_EQ(grid.cellBackColor(3, 0), QColor(Qt::yellow));
    EXPECT_EQ(grid.cellBackColor(3, 1), QColor(Qt::white));
    EXPECT_EQ(grid.cellBackColor(3, 2), QColor(Qt::yellow));
    EXPECT_EQ(grid.cellBackColor(2, 0), QColor(Qt::white));
    EXPECT_EQ(grid.model()->index(2, 2).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::yellow));
}

TEST(Grid, AClickOnADataRowMakesItTheCurrentRowAndIsSignalled) {
    Grid grid;
    grid.setRows(6);
    grid.setFormatString(QStringLiteral("^A|^B"));
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy clicked(&grid, &Grid::clicked);

    const QRect cell = grid.visualRect(grid.model()->index(2, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());

    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 3);
    EXPECT_EQ(grid.row(), 3);
    EXPECT_EQ(grid.col(), 1);
    EXPECT_TRUE(grid.selectionModel()->selectedIndexes().isEmpty());
}

TEST(Grid, CellsWrittenTogetherAreToldToTheViewOnceWhenTheEventLoopTurns) {
    Grid grid;
    grid.setFormatString(QStringLiteral("^A|^B|>C"));
    grid.setRows(501);
    QCoreApplication::processEvents();
    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);

    for (int row = 1; row <= 500; ++row)
        for (int col = 0; col < 3; ++col) grid.setText(row, col, QString::number(row * 10 + col));
    grid.setCellBackColor(7, 1, ui::bgr(ui::BgrYellow));
    // Read back at once, before the view has been told.
    EXPECT_EQ(grid.text(500, 2), QStringLiteral("5002"));
    EXPECT_EQ(changed.count(), 0);

    QCoreApplication::processEvents();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex(), grid.model()->index(0, 0));
    EXPECT_EQ(changed.at(0).at(1).toModelIndex(), grid.model()->index(499, 2));
    // The alignment as an int, the form the item views read it in.
    const QVariant alignment = grid.model()->index(0, 2).data(Qt::TextAlignmentRole);
    EXPECT_EQ(alignment.typeId(), QMetaType::Int);
    EXPECT_EQ(Qt::Alignment(alignment.toInt()), Qt::AlignRight | Qt::AlignVCenter);

    // Rows taken away before the turn leave only what is still there to tell.
    grid.setText(400, 0, QStringLiteral("x"));
    grid.setRows(101);
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);
    grid.setText(50, 0, QStringLiteral("y"));
    grid.setText(90, 1, QStringLiteral("z"));
    QCoreApplication::processEvents();
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(1).at(0).toModelIndex(), grid.model()->index(49, 0));
    EXPECT_EQ(changed.at(1).at(1).toModelIndex(), grid.model()->index(89, 1));
}

TEST(Grid, RowsAndColumnsTakenAwayComeBackEmpty) {
    Grid grid;
    grid.setRows(5);
    grid.setFormatString(QStringLiteral("^A|>B|<C"));
    grid.setText(4, 2, QStringLiteral("via"));
    grid.setText(2, 1, QStringLiteral("resta"));
    grid.setCellBackColor(4, 0, ui::bgr(ui::BgrYellow));
    grid.setCellAlignment(2, 1, Qt::AlignLeft);

    grid.setRows(3);
    grid.setCols(2);
    grid.setRows(5);
    grid.setCols(3);
    EXPECT_EQ(grid.text(4, 2), QString());
    EXPECT_EQ(grid.text(0, 2), QString());
    EXPECT_EQ(grid.cellBackColor(4, 0), QColor(Qt::white));
    EXPECT_EQ(grid.cellAlignment(4, 2), Qt::AlignLeft);
    // What stayed inside the grid is kept, its own alignment too, until the next format.
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("resta"));
    EXPECT_EQ(grid.cellAlignment(2, 1), Qt::AlignLeft);
    EXPECT_EQ(grid.cellAlignment(3, 1), Qt::AlignRight);
    grid.setFormatString(QStringLiteral("^A|>B|<C"));
    EXPECT_EQ(grid.cellAlignment(2, 1), Qt::AlignRight);
}

TEST(Grid, ResetRowsEmptiesEveryDataCellAndKeepsTheHeadings) {
    for (const int rows : {3, 5, 8}) {
        Grid grid;
        grid.setRows(5);
        grid.setFormatString(QStringLiteral("^A|>B"));
        for (int row = 1; row < 5; ++row) {
            grid.setText(row, 0, QStringLiteral("t"));
            grid.setCellBackColor(row, 1, ui::bgr(ui::BgrYellow));
            grid.setCellAlignment(row, 1, Qt::AlignLeft);
        }
        QSignalSpy reset(grid.model(), &QAbstractItemModel::modelReset);

        grid.resetRows(rows);

        EXPECT_EQ(reset.count(), 1) << rows;
        EXPECT_EQ(grid.rows(), rows);
        EXPECT_EQ(grid.model()->rowCount(), rows - 1);
        EXPECT_EQ(grid.cols(), 2);
        EXPECT_EQ(grid.text(0, 1), QStringLiteral("B")) << rows;
        for (int row = 1; row < rows; ++row) {
            EXPECT_EQ(grid.text(row, 0), QString()) << rows << " " << row;
            EXPECT_EQ(grid.cellBackColor(row, 1), QColor(Qt::white)) << rows << " " << row;
            EXPECT_EQ(grid.cellAlignment(row, 1), Qt::AlignRight) << rows << " " << row;
        }
    }
}

TEST(Grid, TheSameFormatStringInAnotherFontMeasuresItsHeadingsAgain) {
    Grid grid;
    const QString format = QStringLiteral("^Numero|<Descrizione");
    grid.setFormatString(format);
    const int prima = grid.colWidth(1);
    QFont grande = grid.horizontalHeader()->font();
    grande.setPointSize(grande.pointSize() * 3);
    grid.horizontalHeader()->setFont(grande);
    grid.setColWidth(0, 1);
    grid.setFormatString(format);
    EXPECT_GT(grid.colWidth(1), prima * 2);
    EXPECT_GT(grid.colWidth(0), grid.horizontalHeader()->fontMetrics().horizontalAdvance("Numero"));
}
