#pragma once
#include <QString>
#include <QStringList>
#include <vector>

namespace report {

// One table of a report's data file, held in memory: its column names and its rows in
// the order they were written, every value as text (Null as the empty text).
struct DataTable {
    QString name;
    QStringList columns;
    std::vector<QStringList> rows;

    // Index of `column` (case ignored), -1 when the table has none.
    int column(const QString& column) const;
};

struct DataSet {
    std::vector<DataTable> tables;

    // The table named `name` (case ignored), nullptr when there is none.
    const DataTable* table(const QString& name) const;
};

// Reads every table of the database file at `path` and closes the file before returning,
// so that the caller may delete it as soon as the report has run. db::DbError when the file
// is missing or is no database.
DataSet loadDataSet(const QString& path);

}  // namespace report
