#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "support/ArchivioNuovo.h"
#include "support/DbErrors.h"

using namespace db;

namespace {

class StatementReuse : public ArchivioNuovo {
protected:
    void SetUp() override {
        ArchivioNuovo::SetUp();
        if (HasFatalFailure()) return;
        db->execute("CREATE TABLE t (k TEXT PRIMARY KEY, n INTEGER)");
        for (int i = 1; i <= 5; ++i) db->execute("INSERT INTO t VALUES (?, ?)", {"k" + std::to_string(i), i});
    }

    std::vector<std::string> keys(const std::string& sql, const Params& params = {}) {
        std::vector<std::string> out;
        Statement st(*db, sql, params);
        while (st.step()) out.push_back(st.column(0).textOr("<Null>"));
        return out;
    }
};

TEST_F(StatementReuse, TheSameTextRunsAgainWithItsNewValuesOnly) {
    const std::string sql = "SELECT k FROM t WHERE n >= ? AND (? IS NULL OR n <= ?2) ORDER BY n";
    EXPECT_EQ(keys(sql, {2, 3}), (std::vector<std::string>{"k2", "k3"}));
    const long long prepared = db->statementsPrepared();
    // Fewer values than marks: the marks left over are Null, not the values of the last run.
    EXPECT_EQ(keys(sql, {4}), (std::vector<std::string>{"k4", "k5"}));
    EXPECT_EQ(keys(sql, {1, 1}), (std::vector<std::string>{"k1"}));
    EXPECT_EQ(db->execute("UPDATE t SET n = n WHERE k = ?", {"k1"}), 1);
    EXPECT_EQ(db->execute("UPDATE t SET n = n WHERE k = ?", {"nessuna"}), 0);
    EXPECT_EQ(db->statementsPrepared(), prepared + 1) << "only the update was new";
}

TEST_F(StatementReuse, AStatementInUseIsNotHandedOutAgain) {
    // Each row of the outer run starts the same text again, read to its end.
    const std::string sql = "SELECT k FROM t WHERE n >= ? ORDER BY n";
    std::vector<std::string> outer, inner;
    Statement st(*db, sql, {4});
    while (st.step()) {
        outer.push_back(st.column(0).toText());
        const auto all = keys(sql, {1});
        inner.insert(inner.end(), all.begin(), all.end());
    }
    EXPECT_EQ(outer, (std::vector<std::string>{"k4", "k5"}));
    EXPECT_EQ(inner.size(), 10u);
    EXPECT_EQ(keys(sql, {5}), (std::vector<std::string>{"k5"}));
}

TEST_F(StatementReuse, StatementWritingManyRowsOneAtATime) {
    Statement insert(*db, "INSERT INTO t (k, n) VALUES (?, ?)");
    EXPECT_EQ(insert.execute({"a", 10}), 1);
    EXPECT_EQ(insert.execute({"b"}), 1);  // n left Null, not 10 again
    EXPECT_EQ(errorOf([&] { insert.execute({"a", 11}); }), err::DuplicateKey);
    EXPECT_EQ(insert.execute({"c", 12}), 1) << "usable again after a refusal";
    EXPECT_EQ(keys("SELECT k || '=' || coalesce(n, 'Null') FROM t WHERE k IN ('a', 'b', 'c') ORDER BY k"),
              (std::vector<std::string>{"a=10", "b=Null", "c=12"}));
}

TEST_F(StatementReuse, KeptStatementsAreBoundedLeastRecentlyUsedFirst) {
    const auto text = [](size_t i) { return "SELECT " + std::to_string(i) + " FROM t LIMIT 1"; };
    for (size_t i = 0; i < Database::StatementsKept + 10; ++i) db->scalar(text(i));
    EXPECT_EQ(db->statementsKept(), Database::StatementsKept);
    const long long prepared = db->statementsPrepared();
    EXPECT_EQ(db->scalar(text(Database::StatementsKept + 9)).toInt(), int64_t(Database::StatementsKept + 9));
    EXPECT_EQ(db->statementsPrepared(), prepared) << "the latest is kept";
    EXPECT_EQ(db->scalar(text(0)).toInt(), 0);
    EXPECT_EQ(db->statementsPrepared(), prepared + 1) << "the oldest went";
}

TEST_F(StatementReuse, FailuresLeaveNoBrokenStatementBehind) {
    const std::string insert = "INSERT INTO t (k, n) VALUES (?, ?)";
    eseguiTutti({
        {"duplicate key", insert, {"k1", 1}, err::DuplicateKey},
        {"the same text, then accepted", insert, {"k9", 9}, 0},
        {"syntax", "SELEC k FROM t", {}, err::SyntaxError},
        {"unknown table", "SELECT * FROM nessuna", {}, err::TableNotFound},
        {"the same text once the table exists", "CREATE TABLE nessuna (x)", {}, 0},
        {"and now found", "SELECT * FROM nessuna", {}, 0},
    });
    EXPECT_EQ(db->scalar("SELECT n FROM t WHERE k = 'k9'").toInt(), 9);
}

TEST_F(StatementReuse, AStatementKeptHoldsNoLockOnTheFile) {
    // A read stopped after its first row must not keep the other workstation from writing.
    EXPECT_EQ(db->scalar("SELECT k FROM t ORDER BY n").toText(), "k1");
    Statement left(*db, "SELECT k FROM t ORDER BY k");
    ASSERT_TRUE(left.step());
    { Statement gone(*db, "SELECT n FROM t ORDER BY n"); gone.step(); }
    auto other = Database::open(path);
    EXPECT_EQ(errorOf([&] { other->execute("INSERT INTO t VALUES ('x', 0)"); }), err::Locked)
        << "the statement still in use holds its read";
    while (left.step()) {
    }
    EXPECT_EQ(errorOf([&] { other->execute("INSERT INTO t VALUES ('x', 0)"); }), 0);
    EXPECT_EQ(db->scalar("SELECT count(*) FROM t").toInt(), 6);
}

TEST_F(StatementReuse, ColumnsFollowTheTableWhenItChanges) {
    const std::string all = "SELECT * FROM t ORDER BY k";
    EXPECT_EQ(db->openRecordset(all)->field("n").toInt(), 1);
    {
        Statement st(*db, all);
        ASSERT_TRUE(st.step());
        EXPECT_EQ(st.columnCount(), 2);
    }
    struct Change {
        const char* what;
        bool here;  // on this connection, or by another workstation
        std::string sql;
    } changes[] = {
        {"column added here", true, "ALTER TABLE t ADD COLUMN nota TEXT DEFAULT 'x'"},
        {"column added by another", false, "ALTER TABLE t ADD COLUMN altra TEXT DEFAULT 'y'"},
    };
    int columns = 2;
    for (const auto& c : changes) {
        if (c.here) db->execute(c.sql);
        else Database::open(path)->execute(c.sql);
        ++columns;
        auto rs = db->openRecordset(all);
        EXPECT_EQ(rs->field(columns == 3 ? "nota" : "altra").toText(), columns == 3 ? "x" : "y") << c.what;
        rs->Edit();
        rs->setField("n", 100);
        rs->Update();
        Statement st(*db, all);
        ASSERT_TRUE(st.step());
        EXPECT_EQ(st.columnCount(), columns) << c.what;
        EXPECT_EQ(st.column(1).toInt(), 100) << c.what;
    }
    // Dropped and made again with other columns.
    db->execute("DROP TABLE t");
    EXPECT_EQ(errorOf([&] { db->execute(all); }), err::TableNotFound);
    db->execute("CREATE TABLE t (k TEXT, diverso TEXT)");
    db->execute("INSERT INTO t VALUES ('z', 'nuovo')");
    EXPECT_EQ(db->openRecordset(all)->field("diverso").toText(), "nuovo");
}

}  // namespace
