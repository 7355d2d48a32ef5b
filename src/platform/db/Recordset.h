#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/Database.h"

namespace db {

// A keyset recordset: the rows a query found, in its order, navigated one at a time.
// When every column comes from one table the recordset is updatable: Edit/AddNew stage
// changes that Update writes back to that table by row id. A deleted row stays current
// (unreadable) until the next move, as callers that delete and then MoveNext expect.
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
    int indexOf(const std::string& column) const;
    void requireCurrent() const;
    void requireUpdatable() const;
    void reload(size_t index);
    int firstLive(int from, int step) const;

    enum class Mode { None, Edit, AddNew };
    Database& db_;
    std::string table_;                     // the one source table, empty when read-only
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
