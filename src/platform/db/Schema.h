#pragma once
#include <string>
#include <vector>

namespace db {

// Column kinds of the archives: each is stored in an SQLite type, with the checks columnSql adds.
enum class Kind { Text, Memo, YesNo, Currency, Date, Counter, Byte, Integer, Long, Single, Double };

struct Column {
    std::string name;
    Kind kind = Kind::Text;
    int width = 0;            // text columns only
    bool allowEmpty = true;   // text columns: the empty text is accepted
    bool required = false;    // Null refused
};

struct Table {
    std::string name;
    std::vector<Column> columns;
    std::vector<std::string> key;      // primary key columns, empty for none
    std::string keyName = "chiave";

    const Column* column(const std::string& name) const;
};

// Shorthands for writing schemas as tables of columns.
inline Column text(std::string name, int width, bool allowEmpty = true) {
    return {std::move(name), Kind::Text, width, allowEmpty, false};
}
inline Column yesNo(std::string name) { return {std::move(name), Kind::YesNo}; }
inline Column money(std::string name) { return {std::move(name), Kind::Currency}; }
inline Column date(std::string name) { return {std::move(name), Kind::Date}; }
inline Column counter(std::string name) { return {std::move(name), Kind::Counter}; }
inline Column column(std::string name, Kind kind) { return {std::move(name), kind}; }

// The column's definition for CREATE TABLE / ALTER TABLE ADD COLUMN. The checks it adds are
// named so that a refusal maps back to the program's error numbers (too long, empty, not
// yes/no, not a date).
std::string columnSql(const Column& column, bool inKey = false);
// `ifMissing`: the statement makes the table only when the file has none of that name.
std::string createTableSql(const Table& table, bool ifMissing = false);
std::string addColumnSql(const std::string& table, const Column& column);

}  // namespace db
