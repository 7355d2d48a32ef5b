#pragma once
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/DbError.h"
#include "platform/db/Value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace db {

using Params = std::vector<Value>;
class Recordset;

// One open archive file, shared read-write with other programs and workstations.
// Paths may be written with "\" and may be network paths; they are mapped to this
// machine's file system when the file is opened.
//
// A connection is used by one thread at a time (it takes no lock of its own), and keeps the
// statements it has prepared, by their SQL text, for the next time the same text runs.
class Database {
public:
    // Opens an existing file; DbError 3024 when it does not exist.
    static std::unique_ptr<Database> open(const std::string& path);
    // Creates a new empty file; DbError 3204 when one exists already.
    static std::unique_ptr<Database> create(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs one statement; returns the number of rows it changed.
    int execute(const std::string& sql, const Params& params = {});
    // Runs a statement typed by a person (the SQL console): exactly one statement, one that
    // changes data (a select is refused with 3065, text after the
    // statement with 3142, an empty text with 3129). Returns the rows changed.
    int executeAction(const std::string& sql);
    // Runs a query and returns its first column of its first row (Null when no row).
    Value scalar(const std::string& sql, const Params& params = {});
    // A table name alone opens the whole table.
    std::unique_ptr<Recordset> openRecordset(const std::string& sqlOrTable, const Params& params = {});

    // An updatable recordset of `table` holding no rows, for AddNew: adding a row does not
    // read the whole table first.
    std::unique_ptr<Recordset> openForAppend(const std::string& table);

    // Attaches the archive file `path` under the schema name `schema` (DbError 3024 when the
    // file does not exist); its tables are then reached by their names, or as
    // `schema.table`, and one transaction covers both files. Nothing while a transaction is
    // open: SQLite refuses it. Like open(), refuses a file that cannot be kept on the rollback
    // journal.
    void attach(const std::string& path, const std::string& schema);
    void detach(const std::string& schema);
    bool isAttached(const std::string& schema);

    // Connections this process has opened or created so far: tests see by it that an
    // operation ran on the connection it was given.
    static long long opened();

    int64_t lastInsertId() const;
    bool tableExists(const std::string& table);
    bool columnExists(const std::string& table, const std::string& column);

    bool inTransaction() const;
    // The journal mode of `schema` ("delete" on every archive this layer opened).
    std::string journalMode(const std::string& schema = "main");
    const std::string& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    // Throws the DbError matching SQLite's result code `rc` for this connection.
    [[noreturn]] void fail(int rc, const std::string& context = {}) const;

    // Prepared statements kept for reuse (not those in use), and how many statements were
    // prepared so far: tests see by them that a text runs again without a new preparation.
    size_t statementsKept() const { return cache_.size(); }
    long long statementsPrepared() const { return prepared_; }
    // At most this many statements are kept; the least recently used goes first.
    static constexpr size_t StatementsKept = 128;

private:
    friend class Transaction;
    friend class Statement;
    Database(sqlite3* handle, std::string path);
    void configure();
    void requireRollbackJournal(const std::string& schema);

    // A statement for `sql`: the kept one, taken out of the cache so that no one else gets it
    // while it runs, or a new one. `sql` receives the cache's copy of the text when there is one.
    sqlite3_stmt* acquire(std::string& sql);
    // Gives back a statement acquired: reset, its bindings cleared and kept, unless it failed or
    // another statement of the same text is kept already.
    void release(std::string&& sql, sqlite3_stmt* stmt, bool reusable);
    void forgetStatements();

    struct Kept {
        std::string sql;
        sqlite3_stmt* stmt;
    };
    sqlite3* db_ = nullptr;
    std::string path_;
    std::list<Kept> lru_;  // most recently used first
    std::unordered_map<std::string_view, std::list<Kept>::iterator> cache_;
    long long prepared_ = 0;
    bool guarded_ = false;  // a Transaction guard began the open transaction
    bool doomed_ = false;   // a joined guard ended without commit: the whole transaction goes
};

// A write transaction (BEGIN IMMEDIATE, which takes the write lock of every attached file
// too) that rolls back unless commit() was called.
//
// A guard made while a transaction is open joins it: its commit() only says that its part is
// done, and the outermost guard commits the whole. A joined guard that ends without commit()
// after rows were written under it (its operation failed half-way or was left) dooms the whole
// transaction: the outermost commit() then rolls everything back and raises DbError 3000, so
// that half an operation is never committed as part of a larger one. A joined guard that
// wrote nothing leaves the decision to its caller. Once rolled back, commit() raises that
// error again.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    // This guard began the transaction (false when it joined one).
    bool owner() const { return owner_; }

private:
    enum class State { Open, Committed, RolledBack };
    void end(const char* how);
    Database& db_;
    bool owner_ = false;
    long long changesAtStart_ = 0;  // rows the connection had changed when a joined guard began
    State state_ = State::Open;
};

// Prepared statement wrapper used by the layer itself and by callers that loop.
class Statement {
public:
    Statement(Database& db, const std::string& sql, const Params& params = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool step();  // true while a row is available
    // Runs the statement again from the start with `params` in place of the values bound
    // before, to its end; returns the number of rows it changed. For a statement that writes
    // many rows one at a time.
    int execute(const Params& params);
    int columnCount() const;
    std::string columnName(int i) const;
    Value column(int i) const;
    // Where a result column comes from: its table and real column name, empty for
    // expressions.
    std::string originTable(int i) const;
    std::string originColumn(int i) const;
    // The schema ("main", or an attached one's name) of the column's table.
    std::string originDatabase(int i) const;

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
    bool failed_ = false;  // a failed statement is not kept for reuse
};

// A pattern typed with wildcards ("*" any text, "?" one character) as a LIKE pattern with "\"
// escapes; use it as `col LIKE ? ESCAPE '\'`.
std::string likePattern(const std::string& wildcardPattern);

// `text` appended to `json` as a JSON string, for lists bound as one parameter and read in SQL
// with json_each.
void appendJsonString(std::string& json, const std::string& text);

}  // namespace db
