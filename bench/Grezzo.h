#pragma once
// An archive opened straight on SQLite's C interface, and queries run on it as the program's
// layer runs them: prepared, the texts bound, every row stepped and every column fetched.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QString>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

class Grezzo {
public:
    explicit Grezzo(const QString& path, int apertura = SQLITE_OPEN_READONLY) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, apertura, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
    }
    ~Grezzo() { sqlite3_close_v2(db_); }
    Grezzo(const Grezzo&) = delete;
    Grezzo& operator=(const Grezzo&) = delete;

    // Runs `sql` with the texts bound, every column of every row fetched; calls `riga` on each
    // row with the statement. Returns the rows.
    template <typename F>
    int select(const std::string& sql, const std::vector<std::string>& testi, F riga) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        for (size_t i = 0; i < testi.size(); ++i)
            sqlite3_bind_text(st, int(i) + 1, testi[i].data(), int(testi[i].size()), SQLITE_TRANSIENT);
        int righe = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++righe;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(st, c)); break;
                case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(st, c)); break;
                default:
                    benchmark::DoNotOptimize(sqlite3_column_text(st, c));
                    benchmark::DoNotOptimize(sqlite3_column_bytes(st, c));
                }
            }
            riga(st);
        }
        sqlite3_finalize(st);
        return righe;
    }

    // The same, nothing done with the rows but fetching them.
    int esegui(const std::string& sql, const std::vector<std::string>& testi = {}) {
        return select(sql, testi, [](sqlite3_stmt*) {});
    }

protected:
    sqlite3* db_ = nullptr;
};

}  // namespace bench
