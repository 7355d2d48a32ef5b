#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/Database.h"

namespace db {

// A keyset recordset: the rows a query found, in its order, navigated one at a time.
// When every column comes from one table the recordset is updatable: Edit/AddNew stage
// changes that Update writes back to that table. A deleted row stays current (unreadable)
// until the next move, as callers that delete and then MoveNext expect.
//
// Update after Edit, and Delete, find their row by its key (by its row id when the recordset
// does not hold every key column) and by every value as it was read: a row that another
// workstation has changed or deleted since is never written over, nor is a row that reuses the
// id of a deleted one. Then nothing is written and DbError 3197 (changed: the row now shows
// what is stored) or 3167 (deleted: the row is gone from the set) is raised; the edit is over,
// and a new Edit starts from what is stored now.
class Recordset {
public:
    Recordset(Database& db, const std::string& sql, const Params& params);

    bool EOF_() const;
    bool BOF() const;
    int RecordCount() const;
    // Zero-based position of the current row among the live rows, -1 when there is none.
    int AbsolutePosition() const;
    void setAbsolutePosition(int position);

    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    bool updatable() const { return !table_.empty(); }

    // The current row's value (the staged one while editing). DbError 3265 for an unknown
    // column, 3021 when there is no current row.
    Value operator[](const std::string& column) const { return field(column); }
    Value field(const std::string& column) const;
    void setField(const std::string& column, const Value& value);

    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    void Close();

private:
    bool describe(const Statement& st, int from, bool stepped);
    int indexOf(const std::string& column) const;
    void requireCurrent() const;
    void requireUpdatable() const;
    void reload(size_t index);
    int firstLive(int from, int step) const;
    std::string target() const;
    const std::vector<size_t>& keyColumns();
    std::string identity(size_t index, Params& params);
    std::string asRead(size_t index, Params& params);
    [[noreturn]] void conflict(size_t index);

    enum class Mode { None, Edit, AddNew };
    Database& db_;
    std::string schema_;                    // the source table's schema ("main" or attached)
    std::string table_;                     // the one source table, empty when read-only
    bool keyKnown_ = false;
    std::vector<size_t> key_;               // result columns holding the table's whole key
    std::vector<std::string> names_;        // result column names
    std::vector<std::string> origins_;      // real column per result column ("" for expressions)
    std::vector<int64_t> rowids_;
    std::vector<std::vector<Value>> rows_;
    std::vector<bool> deleted_;
    int live_ = 0;                          // rows not deleted: every move asks for it
    int pos_ = -1;                          // -1 before the first row, size() after the last
    Mode mode_ = Mode::None;
    std::vector<Value> staged_;
    std::vector<bool> touched_;
};

}  // namespace db
