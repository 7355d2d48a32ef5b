#include "platform/db/Database.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <atomic>
#include <cctype>
#include <cstring>

#include "platform/db/Recordset.h"
#include "platform/db/SqlFunctions.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

namespace db {

namespace {

constexpr int BusyTimeoutMs = 200;

std::string mapped(const std::string& path) {
    return sys::LocalPath(QString::fromStdString(path)).toStdString();
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// The error number callers act on and an Italian description for an SQLite failure; the source
// names the step that failed (open, prepare, execute...).
DbError translate(int rc, const std::string& message, const std::string& context) {
    const int primary = rc & 0xff;
    auto make = [&](int number, const std::string& text) {
        std::string d = text;
        if (!message.empty()) d += " (" + message + ")";
        return DbError(number, d, context.empty() ? std::string(ProgramSource) : context);
    };
    switch (primary) {
    case SQLITE_BUSY:
        return make(err::Locked, "Impossibile aggiornare. Attualmente bloccato.");
    case SQLITE_LOCKED:
        return make(err::TableLocked, "Impossibile bloccare la tabella: attualmente in uso.");
    case SQLITE_CONSTRAINT: {
        if (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE)
            return make(err::DuplicateKey,
                        "Le modifiche richieste non sono state apportate: si creerebbero valori "
                        "duplicati nell'indice, nella chiave primaria o nella relazione.");
        if (rc == SQLITE_CONSTRAINT_NOTNULL)
            return make(err::NullRefused, "Il campo non può contenere un valore Null.");
        const auto pos = message.find(": ");
        const std::string name = pos == std::string::npos ? "" : message.substr(pos + 2);
        if (startsWith(name, "len_"))
            return make(err::TextTooLong, "Campo troppo piccolo per la quantità di dati da aggiungere.");
        if (startsWith(name, "nonempty_"))
            return make(err::EmptyTextRefused, "Il campo non può essere una stringa di lunghezza zero.");
        if (startsWith(name, "bit_") || startsWith(name, "date_"))
            return make(err::TypeMismatch, "Tipo non corrispondente.");
        return make(err::Generic, "Violazione di un vincolo dell'archivio.");
    }
    case SQLITE_CANTOPEN:
        return make(err::FileNotFound, "Impossibile trovare il file.");
    case SQLITE_READONLY:
        return make(err::NotUpdatable, "Impossibile aggiornare. Database o oggetto di sola lettura.");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return make(3343, "Formato di database non riconosciuto.");
    case SQLITE_FULL:
        return make(3026, "Spazio su disco insufficiente.");
    case SQLITE_MISMATCH:
        return make(err::TypeMismatch, "Tipo non corrispondente.");
    case SQLITE_ERROR:
        if (message.find("no such table") != std::string::npos)
            return make(err::TableNotFound, "Impossibile trovare la tabella o la query di input.");
        if (message.find("no such column") != std::string::npos)
            return make(3061, "Parametri insufficienti: nome di campo sconosciuto.");
        if (message.find("already exists") != std::string::npos)
            return make(3010, "La tabella o il campo esiste già.");
        if (message.find("syntax error") != std::string::npos || message.find("incomplete input") != std::string::npos)
            return make(err::SyntaxError, "Errore di sintassi nell'espressione.");
        return make(err::Generic, "Errore dell'archivio.");
    default:
        return make(err::Generic, "Errore dell'archivio.");
    }
}

void bindAll(sqlite3_stmt* stmt, const Params& params, const Database& db) {
    for (size_t i = 0; i < params.size(); ++i) {
        const int idx = int(i) + 1;
        const auto& raw = params[i].raw();
        int rc = SQLITE_OK;
        if (std::holds_alternative<std::monostate>(raw)) rc = sqlite3_bind_null(stmt, idx);
        else if (auto v = std::get_if<int64_t>(&raw)) rc = sqlite3_bind_int64(stmt, idx, *v);
        else if (auto d = std::get_if<double>(&raw)) rc = sqlite3_bind_double(stmt, idx, *d);
        else {
            const auto& s = std::get<std::string>(raw);
            rc = sqlite3_bind_text(stmt, idx, s.data(), int(s.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) db.fail(rc, "bind");
    }
}

}  // namespace

namespace {
std::atomic<long long> gOpened{0};
}

Database::Database(sqlite3* handle, std::string path) : db_(handle), path_(std::move(path)) { ++gOpened; }

long long Database::opened() { return gOpened; }

Database::~Database() {
    forgetStatements();
    sqlite3_close_v2(db_);
}

std::unique_ptr<Database> Database::open(const std::string& path) {
    const std::string local = mapped(path);
    if (local.empty() || !QFileInfo(QString::fromStdString(local)).isFile())
        throw DbError(err::FileNotFound, "Impossibile trovare il file '" + path + "'.");
    sqlite3* h = nullptr;
    int rc = sqlite3_open_v2(local.c_str(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<Database> db(new Database(h, path));
    if (rc != SQLITE_OK) db->fail(rc, "open");
    db->configure();
    return db;
}

std::unique_ptr<Database> Database::create(const std::string& path) {
    const std::string local = mapped(path);
    if (QFileInfo::exists(QString::fromStdString(local)))
        throw DbError(err::DatabaseExists, "Il database esiste già.");
    sqlite3* h = nullptr;
    int rc = sqlite3_open_v2(local.c_str(), &h,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<Database> db(new Database(h, path));
    if (rc != SQLITE_OK) db->fail(rc, "create");
    db->configure();
    return db;
}

void Database::configure() {
    sqlite3_busy_timeout(db_, BusyTimeoutMs);
    sqlite3_extended_result_codes(db_, 1);
    // A first read checks that the file is an archive at all.
    requireRollbackJournal("main");
    registerSqlFunctions(db_);
}

// Rollback journal, not WAL: a transaction is atomic across attached files only there, and
// WAL's shared memory does not work on a shared folder. A file that another program holds in
// WAL mode cannot be switched back and is refused rather than used without that guarantee.
void Database::requireRollbackJournal(const std::string& schema) {
    const std::string mode = scalar("PRAGMA \"" + schema + "\".journal_mode=DELETE").textOr();
    if (mode != "delete")
        throw DbError(err::FileInUse, "Impossibile usare l'archivio '" + schema +
                                          "': un altro programma lo tiene aperto in un modo che non "
                                          "consente la condivisione (giornale " + mode + ").");
}

std::string Database::journalMode(const std::string& schema) {
    return scalar("PRAGMA \"" + schema + "\".journal_mode").textOr();
}

void Database::fail(int rc, const std::string& context) const {
    const char* msg = db_ ? sqlite3_errmsg(db_) : "";
    throw translate(sqlite3_extended_errcode(db_) ? sqlite3_extended_errcode(db_) : rc,
                    msg ? msg : "", context);
}

sqlite3_stmt* Database::acquire(std::string& sql) {
    if (const auto at = cache_.find(sql); at != cache_.end()) {
        const auto node = at->second;
        cache_.erase(at);
        sql = std::move(node->sql);
        sqlite3_stmt* stmt = node->stmt;
        lru_.erase(node);
        return stmt;
    }
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        fail(rc, "prepare");
    }
    ++prepared_;
    return stmt;
}

void Database::release(std::string&& sql, sqlite3_stmt* stmt, bool reusable) {
    if (!stmt) return;
    sqlite3_reset(stmt);
    if (!reusable || cache_.count(sql)) {
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_clear_bindings(stmt);
    lru_.push_front({std::move(sql), stmt});
    cache_.emplace(lru_.front().sql, lru_.begin());
    if (lru_.size() > StatementsKept) {
        cache_.erase(lru_.back().sql);
        sqlite3_finalize(lru_.back().stmt);
        lru_.pop_back();
    }
}

void Database::forgetStatements() {
    cache_.clear();
    for (const Kept& k : lru_) sqlite3_finalize(k.stmt);
    lru_.clear();
}

int Database::execute(const std::string& sql, const Params& params) {
    Statement st(*this, sql, params);
    while (st.step()) {
    }
    return sqlite3_changes(db_);
}

int Database::executeAction(const std::string& sql) {
    sys::Checkpoint("statement");
    sqlite3_stmt* raw = nullptr;
    const char* rest = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &raw, &rest);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
    if (rc != SQLITE_OK) fail(rc, "prepare");
    if (!stmt)
        throw DbError(3129, "Istruzione SQL non valida. Prevista 'DELETE', 'INSERT', 'PROCEDURE', "
                            "'SELECT' o 'UPDATE'.");
    if (sqlite3_column_count(stmt.get()) > 0)
        throw DbError(3065, "Impossibile eseguire una query di selezione.");
    sqlite3_stmt* next = nullptr;
    rc = sqlite3_prepare_v2(db_, rest, -1, &next, nullptr);
    sqlite3_finalize(next);
    if (rc != SQLITE_OK || next) throw DbError(3142, "Caratteri trovati dopo la fine dell'istruzione SQL.");
    rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_DONE) fail(rc, "execute");
    return sqlite3_changes(db_);
}

Value Database::scalar(const std::string& sql, const Params& params) {
    Statement st(*this, sql, params);
    return st.step() ? st.column(0) : Value();
}

std::unique_ptr<Recordset> Database::openRecordset(const std::string& sqlOrTable, const Params& params) {
    std::string sql = sqlOrTable;
    if (sql.find(' ') == std::string::npos) sql = "SELECT * FROM \"" + sql + "\"";
    return std::make_unique<Recordset>(*this, sql, params);
}

std::unique_ptr<Recordset> Database::openForAppend(const std::string& table) {
    return std::make_unique<Recordset>(*this, "SELECT * FROM \"" + table + "\" WHERE 0", Params{});
}

void Database::attach(const std::string& path, const std::string& schema) {
    const std::string local = mapped(path);
    if (local.empty() || !QFileInfo(QString::fromStdString(local)).isFile())
        throw DbError(err::FileNotFound, "Impossibile trovare il file '" + path + "'.");
    execute("ATTACH DATABASE ? AS \"" + schema + "\"", {local});
    try {
        requireRollbackJournal(schema);
    } catch (...) {
        execute("DETACH DATABASE \"" + schema + "\"");
        throw;
    }
}

void Database::detach(const std::string& schema) { execute("DETACH DATABASE \"" + schema + "\""); }

bool Database::isAttached(const std::string& schema) {
    return !scalar("SELECT name FROM pragma_database_list WHERE name = ?", {schema}).isNull();
}

int64_t Database::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

bool Database::tableExists(const std::string& table) {
    return !scalar("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE",
                   {table}).isNull();
}

bool Database::columnExists(const std::string& table, const std::string& column) {
    return !scalar("SELECT name FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE",
                   {table, column}).isNull();
}

bool Database::inTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

// ---------------------------------------------------------------------------------------

Transaction::Transaction(Database& db) : db_(db) {
    if (!db_.inTransaction()) {
        db_.execute("BEGIN IMMEDIATE");
        owner_ = true;
        db_.guarded_ = true;
        db_.doomed_ = false;
    } else {
        changesAtStart_ = sqlite3_total_changes64(db_.handle());
    }
}

Transaction::~Transaction() {
    if (state_ != State::Open) return;
    if (!owner_) {
        if (sqlite3_total_changes64(db_.handle()) != changesAtStart_) db_.doomed_ = true;
        return;
    }
    end("ROLLBACK");
}

void Transaction::end(const char* how) {
    db_.guarded_ = false;
    db_.doomed_ = false;
    if (db_.inTransaction()) {
        try {
            db_.execute(how);
        } catch (...) {
        }
    }
}

void Transaction::commit() {
    auto rolledBack = [] {
        return DbError(err::Generic,
                       "Le modifiche non sono state registrate: una delle operazioni che ne facevano parte "
                       "non è stata completata.");
    };
    if (state_ == State::RolledBack) throw rolledBack();
    if (state_ == State::Committed) return;
    if (!owner_) {
        state_ = State::Committed;
        return;
    }
    if (db_.doomed_ || !db_.inTransaction()) {
        // Some part is missing, or the engine gave the transaction up after an I/O failure.
        end("ROLLBACK");
        state_ = State::RolledBack;
        throw rolledBack();
    }
    db_.execute("COMMIT");  // a lock conflict leaves the transaction open: commit() may be retried
    db_.guarded_ = false;
    state_ = State::Committed;
}

// ---------------------------------------------------------------------------------------

Statement::Statement(Database& db, const std::string& sql, const Params& params) : db_(db), sql_(sql) {
    sys::Checkpoint("statement");
    // After an I/O failure SQLite may have rolled the transaction back on its own: what follows
    // must not be written outside it, one statement at a time.
    if (db_.guarded_ && sqlite3_get_autocommit(db_.handle()))
        throw DbError(err::Generic, "La transazione in corso è stata annullata dall'archivio.");
    stmt_ = db_.acquire(sql_);
    try {
        bindAll(stmt_, params, db_);
    } catch (...) {
        db_.release(std::move(sql_), stmt_, false);
        throw;
    }
}

Statement::~Statement() { db_.release(std::move(sql_), stmt_, !failed_); }

namespace {

// A statement that changes what the connection's statements were prepared against.
bool changesSchema(const std::string& sql) {
    size_t i = 0;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
    for (const char* word : {"CREATE", "DROP", "ALTER", "ATTACH", "DETACH"})
        if (sqlite3_strnicmp(sql.c_str() + i, word, int(std::strlen(word))) == 0) return true;
    return false;
}

}  // namespace

bool Statement::step() {
    if (!stmt_) return false;
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) {
        // The kept statements would describe their columns as they were until they run again.
        if (changesSchema(sql_)) db_.forgetStatements();
        return false;
    }
    failed_ = true;
    sqlite3_reset(stmt_);
    db_.fail(rc, "execute");
}

int Statement::execute(const Params& params) {
    if (!stmt_) return 0;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    bindAll(stmt_, params, db_);
    while (step()) {
    }
    return sqlite3_changes(db_.handle());
}

int Statement::columnCount() const { return stmt_ ? sqlite3_column_count(stmt_) : 0; }

std::string Statement::columnName(int i) const { return sqlite3_column_name(stmt_, i); }

Value Statement::column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return Value(static_cast<long long>(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT: return Value(sqlite3_column_double(stmt_, i));
    default: {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return Value(std::string(t ? t : "", size_t(sqlite3_column_bytes(stmt_, i))));
    }
    }
}

std::string Statement::originTable(int i) const {
    const char* t = sqlite3_column_table_name(stmt_, i);
    return t ? t : "";
}

std::string Statement::originDatabase(int i) const {
    const char* d = sqlite3_column_database_name(stmt_, i);
    return d ? d : "";
}

std::string Statement::originColumn(int i) const {
    const char* c = sqlite3_column_origin_name(stmt_, i);
    return c ? c : "";
}

std::string likePattern(const std::string& typed) {
    std::string out;
    for (char ch : typed) {
        switch (ch) {
        case '*': out += '%'; break;
        case '?': out += '_'; break;
        case '%':
        case '_':
        case '\\': out += '\\'; out += ch; break;
        default: out += ch;
        }
    }
    return out;
}

void appendJsonString(std::string& json, const std::string& text) {
    json += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char hex[] = "0123456789abcdef";
            json += "\\u00";
            json += hex[(c >> 4) & 0xf];
            json += hex[c & 0xf];
        } else {
            json += c;
        }
    }
    json += '"';
}

}  // namespace db
