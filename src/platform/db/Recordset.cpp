#include "platform/db/Recordset.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace db {

namespace {

bool sameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower((unsigned char)x) == std::tolower((unsigned char)y); });
}

DbError noCurrent() { return DbError(err::NoCurrentRecord, "Nessun record corrente."); }

// "SELECT ..." with the source row id as an extra first column, or "" when the query's
// shape does not allow it (DISTINCT, compound or not a plain SELECT).
std::string withRowid(const std::string& sql) {
    static const std::regex head(R"(^\s*select\s+)", std::regex::icase);
    static const std::regex distinct(R"(^\s*select\s+(distinct|all)\b)", std::regex::icase);
    std::smatch m;
    if (!std::regex_search(sql, m, head) || std::regex_search(sql, distinct)) return {};
    return sql.substr(0, size_t(m.length(0))) + "rowid AS __rowid__, " + sql.substr(size_t(m.length(0)));
}

}  // namespace

Recordset::Recordset(Database& db, const std::string& sql, const Params& params) : db_(db) {
    // Is every column a real column of one table? Then the rows can be written back.
    {
        Statement probe(db_, sql, params);
        std::string table, schema;
        bool single = probe.columnCount() > 0;
        for (int i = 0; i < probe.columnCount(); ++i) {
            names_.push_back(probe.columnName(i));
            origins_.push_back(probe.originColumn(i));
            const std::string t = probe.originTable(i);
            const std::string d = probe.originDatabase(i);
            if (t.empty() || (!table.empty() && (!sameName(t, table) || d != schema))) single = false;
            if (table.empty()) {
                table = t;
                schema = d;
            }
        }
        if (single) {
            table_ = table;
            schema_ = schema;
        }
    }
    std::string keyed = table_.empty() ? std::string() : withRowid(sql);
    if (!keyed.empty()) {
        try {
            Statement st(db_, keyed, params);
            for (bool first = true; first ? describe(st, 1, st.step()) : st.step(); first = false) {
                rowids_.push_back(st.column(0).toInt());
                std::vector<Value> row;
                for (int i = 1; i < st.columnCount(); ++i) row.push_back(st.column(i));
                rows_.push_back(std::move(row));
            }
        } catch (const DbError&) {
            keyed.clear();  // e.g. an ambiguous row id in a join: read-only after all
            rowids_.clear();
            rows_.clear();
        }
    }
    if (keyed.empty()) {
        table_.clear();
        Statement st(db_, sql, params);
        for (bool first = true; first ? describe(st, 0, st.step()) : st.step(); first = false) {
            std::vector<Value> row;
            for (int i = 0; i < st.columnCount(); ++i) row.push_back(st.column(i));
            rows_.push_back(std::move(row));
        }
    }
    deleted_.assign(rows_.size(), false);
    live_ = int(rows_.size());
    pos_ = 0;
}

// The columns as the statement that read the rows gives them once it has run: a statement
// prepared before the table changed describes them anew only then. Passes `stepped` on.
bool Recordset::describe(const Statement& st, int from, bool stepped) {
    names_.clear();
    origins_.clear();
    for (int i = from; i < st.columnCount(); ++i) {
        names_.push_back(st.columnName(i));
        origins_.push_back(st.originColumn(i));
    }
    return stepped;
}

int Recordset::firstLive(int from, int step) const {
    int i = from;
    while (i >= 0 && i < int(rows_.size()) && deleted_[size_t(i)]) i += step;
    return i;
}

bool Recordset::EOF_() const { return RecordCount() == 0 || pos_ >= int(rows_.size()); }
bool Recordset::BOF() const { return RecordCount() == 0 || pos_ < 0; }

int Recordset::RecordCount() const { return live_; }

int Recordset::AbsolutePosition() const {
    if (BOF() || EOF_() || deleted_[size_t(pos_)]) return -1;
    return int(std::count(deleted_.begin(), deleted_.begin() + pos_, false));
}

void Recordset::setAbsolutePosition(int position) {
    int live = -1;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (!deleted_[i] && ++live == position) {
            pos_ = int(i);
            mode_ = Mode::None;
            return;
        }
    }
    throw DbError(err::NoCurrentRecord, "Posizione non valida.");
}

void Recordset::MoveFirst() {
    if (RecordCount() == 0) throw noCurrent();
    pos_ = firstLive(0, 1);
    mode_ = Mode::None;
}

void Recordset::MoveLast() {
    if (RecordCount() == 0) throw noCurrent();
    pos_ = firstLive(int(rows_.size()) - 1, -1);
    mode_ = Mode::None;
}

void Recordset::MoveNext() {
    if (EOF_()) throw noCurrent();
    pos_ = firstLive(pos_ + 1, 1);
    mode_ = Mode::None;
}

void Recordset::MovePrevious() {
    if (BOF()) throw noCurrent();
    pos_ = firstLive(pos_ - 1, -1);
    mode_ = Mode::None;
}

int Recordset::indexOf(const std::string& column) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (sameName(names_[i], column)) return int(i);
    throw DbError(err::UnknownColumn, "Elemento non trovato in questa raccolta: '" + column + "'.");
}

void Recordset::requireCurrent() const {
    if (BOF() || EOF_()) throw noCurrent();
    if (deleted_[size_t(pos_)]) throw DbError(3167, "Il record è stato eliminato.");
}

void Recordset::requireUpdatable() const {
    if (table_.empty())
        throw DbError(err::NotUpdatable, "Impossibile aggiornare. Database o oggetto di sola lettura.");
}

Value Recordset::field(const std::string& column) const {
    const int i = indexOf(column);
    if (mode_ != Mode::None) return staged_[size_t(i)];
    requireCurrent();
    return rows_[size_t(pos_)][size_t(i)];
}

void Recordset::setField(const std::string& column, const Value& value) {
    const int i = indexOf(column);
    if (mode_ == Mode::None)
        throw DbError(err::NoEditInProgress, "Aggiornamento o annullamento senza AddNew o Edit.");
    if (origins_[size_t(i)].empty()) requireUpdatable();
    staged_[size_t(i)] = value;
    touched_[size_t(i)] = true;
}

void Recordset::AddNew() {
    requireUpdatable();
    staged_.assign(names_.size(), Value());
    touched_.assign(names_.size(), false);
    mode_ = Mode::AddNew;
}

void Recordset::Edit() {
    requireUpdatable();
    requireCurrent();
    staged_ = rows_[size_t(pos_)];
    touched_.assign(names_.size(), false);
    mode_ = Mode::Edit;
}

void Recordset::CancelUpdate() { mode_ = Mode::None; }

std::string Recordset::target() const { return "\"" + schema_ + "\".\"" + table_ + "\""; }

const std::vector<size_t>& Recordset::keyColumns() {
    if (keyKnown_) return key_;
    std::vector<size_t> key;
    Statement pk(db_, "SELECT name FROM pragma_table_info(?, ?) WHERE pk > 0 ORDER BY pk", {table_, schema_});
    bool whole = true, any = false;
    while (pk.step()) {
        any = true;
        const std::string name = pk.column(0).toText();
        const auto at = std::find_if(origins_.begin(), origins_.end(), [&](const std::string& o) { return sameName(o, name); });
        if (at == origins_.end()) whole = false;
        else key.push_back(size_t(at - origins_.begin()));
    }
    if (any && whole) key_ = std::move(key);
    keyKnown_ = true;
    return key_;
}

// The row read at `index`, found by its key as read, or by its row id when the key is not in
// the set.
std::string Recordset::identity(size_t index, Params& params) {
    const auto& key = keyColumns();
    if (key.empty()) {
        params.push_back(Value(static_cast<long long>(rowids_[index])));
        return "rowid = ?";
    }
    std::string where;
    for (size_t k : key) {
        where += (where.empty() ? "\"" : " AND \"") + origins_[k] + "\" = ?";
        params.push_back(rows_[index][k]);
    }
    return where;
}

// ...and still holding every value as it was read, case and all.
std::string Recordset::asRead(size_t index, Params& params) {
    std::string where = identity(index, params);
    for (size_t i = 0; i < origins_.size(); ++i) {
        if (origins_[i].empty()) continue;
        where += " AND \"" + origins_[i] + "\" IS ? COLLATE BINARY";
        params.push_back(rows_[index][i]);
    }
    return where;
}

// The row read at `index` is no longer as it was: tell deleted from changed, and show the
// set what is there now.
void Recordset::conflict(size_t index) {
    mode_ = Mode::None;
    Params params;
    const std::string where = identity(index, params);
    const Value now = db_.scalar("SELECT rowid FROM " + target() + " WHERE " + where, params);
    if (now.isNull()) {
        if (!deleted_[index]) {
            deleted_[index] = true;
            --live_;
        }
        throw err::recordDeleted();
    }
    rowids_[index] = now.toInt();
    reload(index);
    throw err::dataChanged();
}

void Recordset::Update() {
    if (mode_ == Mode::None)
        throw DbError(err::NoEditInProgress, "Aggiornamento o annullamento senza AddNew o Edit.");
    Params params;
    std::string cols, marks;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (!touched_[i]) continue;
        if (!cols.empty()) { cols += ", "; marks += ", "; }
        cols += mode_ == Mode::Edit ? "\"" + origins_[i] + "\" = ?" : "\"" + origins_[i] + "\"";
        marks += "?";
        params.push_back(staged_[i]);
    }
    if (mode_ == Mode::Edit) {
        const size_t index = size_t(pos_);
        if (!cols.empty()) {
            const std::string where = asRead(index, params);
            if (db_.execute("UPDATE " + target() + " SET " + cols + " WHERE " + where, params) == 0)
                conflict(index);
        }
        mode_ = Mode::None;
        reload(index);
        return;
    }
    const std::string sql = cols.empty() ? "INSERT INTO " + target() + " DEFAULT VALUES"
                                         : "INSERT INTO " + target() + " (" + cols + ") VALUES (" + marks + ")";
    db_.execute(sql, params);
    mode_ = Mode::None;
    rowids_.push_back(db_.lastInsertId());
    rows_.push_back(std::vector<Value>(names_.size()));
    deleted_.push_back(false);
    ++live_;
    reload(rows_.size() - 1);
    if (RecordCount() == 1) pos_ = int(rows_.size()) - 1;
}

void Recordset::reload(size_t index) {
    std::string cols;
    std::vector<size_t> which;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (origins_[i].empty()) continue;
        cols += (cols.empty() ? "\"" : ", \"") + origins_[i] + "\"";
        which.push_back(i);
    }
    if (cols.empty()) return;
    Statement st(db_, "SELECT " + cols + " FROM " + target() + " WHERE rowid = ?",
                 {Value(static_cast<long long>(rowids_[index]))});
    if (!st.step()) return;
    for (size_t k = 0; k < which.size(); ++k) rows_[index][which[k]] = st.column(int(k));
}

void Recordset::Delete() {
    requireUpdatable();
    requireCurrent();
    const size_t index = size_t(pos_);
    Params params;
    const std::string where = asRead(index, params);
    if (db_.execute("DELETE FROM " + target() + " WHERE " + where, params) == 0) conflict(index);
    deleted_[index] = true;
    --live_;
    mode_ = Mode::None;
}

void Recordset::Close() {
    rows_.clear();
    rowids_.clear();
    deleted_.clear();
    live_ = 0;
    pos_ = 0;
    mode_ = Mode::None;
}

}  // namespace db
