#include "platform/db/Schema.h"

#include <algorithm>

namespace db {

namespace {

std::string quoted(const std::string& id) { return "\"" + id + "\""; }

std::string check(const char* prefix, const std::string& name, const std::string& condition) {
    return " CONSTRAINT " + quoted(std::string(prefix) + name) + " CHECK(" + condition + ")";
}

}  // namespace

const Column* Table::column(const std::string& n) const {
    auto same = [&](const Column& c) {
        return std::equal(c.name.begin(), c.name.end(), n.begin(), n.end(),
                          [](char a, char b) { return std::tolower(a) == std::tolower(b); });
    };
    auto it = std::find_if(columns.begin(), columns.end(), same);
    return it == columns.end() ? nullptr : &*it;
}

std::string columnSql(const Column& c, bool inKey) {
    const std::string q = quoted(c.name);
    std::string sql = q;
    switch (c.kind) {
    case Kind::Text:
        sql += " TEXT COLLATE NOCASE";
        if (c.width > 0) sql += check("len_", c.name, "length(" + q + ") <= " + std::to_string(c.width));
        if (!c.allowEmpty) sql += check("nonempty_", c.name, q + " <> ''");
        break;
    case Kind::Memo: sql += " MEMO COLLATE NOCASE"; break;
    case Kind::YesNo:
        sql += " BIT NOT NULL DEFAULT 0" + check("bit_", c.name, q + " IN (0, 1)");
        return sql;
    case Kind::Currency: sql += " CURRENCY"; break;
    case Kind::Date:
        // Dates travel as ISO text; anything else is a type mismatch.
        sql += " DATETIME" + check("date_", c.name,
                                   q + " GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]*'");
        break;
    case Kind::Counter: return q + " INTEGER PRIMARY KEY AUTOINCREMENT";
    case Kind::Byte:
    case Kind::Integer:
    case Kind::Long: sql += " INTEGER"; break;
    case Kind::Single:
    case Kind::Double: sql += " REAL"; break;
    }
    if (c.required || inKey) sql += " NOT NULL";
    return sql;
}

std::string createTableSql(const Table& t, bool ifMissing) {
    std::string sql = std::string(ifMissing ? "CREATE TABLE IF NOT EXISTS " : "CREATE TABLE ") + quoted(t.name) + " (";
    for (size_t i = 0; i < t.columns.size(); ++i) {
        const Column& c = t.columns[i];
        const bool inKey = std::find(t.key.begin(), t.key.end(), c.name) != t.key.end();
        if (i) sql += ", ";
        // SQLite numbers only the row id: a counter beside a key of other columns is a
        // whole-number column that the code adding the rows numbers.
        sql += c.kind == Kind::Counter && !t.key.empty() && !inKey ? quoted(c.name) + " INTEGER"
                                                                   : columnSql(c, inKey);
    }
    if (!t.key.empty()) {
        sql += ", CONSTRAINT " + quoted(t.keyName) + " PRIMARY KEY (";
        for (size_t i = 0; i < t.key.size(); ++i) sql += (i ? ", " : "") + quoted(t.key[i]);
        sql += ")";
    }
    return sql + ")";
}

std::string addColumnSql(const std::string& table, const Column& c) {
    // SQLite cannot add a key column: an added counter is a whole-number column that the
    // caller numbers.
    const std::string definition = c.kind == Kind::Counter ? quoted(c.name) + " INTEGER" : columnSql(c);
    return "ALTER TABLE " + quoted(table) + " ADD COLUMN " + definition;
}

}  // namespace db
