#include "platform/report/DataSet.h"

#include <memory>

#include "platform/db/Database.h"
#include "platform/report/ReportError.h"

namespace report {

int DataTable::column(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const DataTable* DataSet::table(const QString& name) const {
    for (const DataTable& t : tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

DataSet loadDataSet(const QString& path) {
    std::unique_ptr<db::Database> file;
    try {
        file = db::Database::open(path.toStdString());
    } catch (const db::DbError& e) {
        if (e.number != db::err::FileNotFound) throw;
        throw err::error(err::DataFileNotFound, QStringLiteral("Impossibile trovare il file dati '%1'.").arg(path));
    }
    DataSet data;
    QStringList names;
    {
        db::Statement list(*file,
                           "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                           "ESCAPE '\\' ORDER BY name");
        while (list.step()) names << list.column(0).toText<QString>();
    }
    for (const QString& name : names) {
        DataTable table;
        table.name = name;
        // Rows come in the order they were written, which is the order the report prints.
        QString quoted = name;
        quoted.replace(u'"', QStringLiteral("\"\""));
        db::Statement rows(*file, "SELECT * FROM \"" + quoted.toStdString() + "\" ORDER BY rowid");
        const int n = rows.columnCount();
        for (int i = 0; i < n; ++i) table.columns << QString::fromStdString(rows.columnName(i));
        while (rows.step()) {
            QStringList row;
            row.reserve(n);
            for (int i = 0; i < n; ++i) row << rows.column(i).textOr(QString());
            table.rows.push_back(std::move(row));
        }
        data.tables.push_back(std::move(table));
    }
    return data;
}

}  // namespace report
