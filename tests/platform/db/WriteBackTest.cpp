// Two workstations on one archive: each has its own connection to the same file. What one of
// them read and then corrects or deletes must be the row it read, or nothing at all.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QTemporaryDir>
#include <functional>

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/db/Schema.h"
#include "support/DbErrors.h"

using namespace db;

namespace {

class WriteBackTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("archivio.mdb").toStdString();
        a = Database::create(path);
        a->execute(createTableSql({"cliente",
                                   {text("codice", 5, false), text("nome", 20), yesNo("attivo"), money("fido"),
                                    date("dal")},
                                   {"codice"}}));
        // No key at all: rows are told apart by their row id alone.
        a->execute(createTableSql({"nota", {text("testo", 20)}, {}}));
        a->execute("INSERT INTO cliente (codice, nome, fido, dal) VALUES ('A', 'Rossi', 12.3456, NULL), "
                   "('B', 'Bianchi', 7, '2004-01-18'), ('C', 'Verdi', NULL, NULL)");
        b = Database::open(path);
    }

    // Every row of `table` as text, in row id order.
    std::vector<std::string> rows(Database& db, const std::string& table) {
        std::vector<std::string> all;
        Statement st(db, "SELECT rowid, * FROM " + table + " ORDER BY rowid");
        while (st.step()) {
            std::string row;
            for (int i = 0; i < st.columnCount(); ++i) row += st.column(i).textOr("<Null>") + "|";
            all.push_back(row);
        }
        return all;
    }

    QTemporaryDir dir;
    std::string path;
    std::unique_ptr<Database> a, b;  // workstation A and workstation B
};

TEST_F(WriteBackTest, ARowReadUnchangedIsWrittenBackWhateverItHolds) {
    // Nulls, fractions of money and dates are compared as read: no conflict of their own.
    auto rs = a->openRecordset("SELECT * FROM cliente ORDER BY codice");
    for (; !rs->EOF_(); rs->MoveNext()) {
        rs->Edit();
        rs->setField("attivo", true);
        EXPECT_EQ(errorOf([&] { rs->Update(); }), 0) << rs->field("codice").toText();
        EXPECT_TRUE(rs->field("attivo").toBool());
    }
    // A second correction of the same row starts from what the first one wrote.
    rs->MoveFirst();
    rs->Edit();
    rs->setField("nome", "Rossi Mario");
    rs->Update();
    EXPECT_EQ(b->scalar("SELECT nome FROM cliente WHERE codice = 'A'").toText(), "Rossi Mario");
    rs->Delete();
    EXPECT_EQ(b->scalar("SELECT count(*) FROM cliente").toInt(), 2);
}

TEST_F(WriteBackTest, ARowChangedOrDeletedByAnotherWorkstationIsNeverWrittenOver) {
    const struct {
        const char* what;
        const char* byB;  // what workstation B does meanwhile to row B
        bool deleting;    // A deletes (else corrects) its stale row
        int error;
    } cases[] = {
        {"correction of a changed row", "UPDATE cliente SET fido = 8 WHERE codice = 'B'", false, err::DataChanged},
        {"correction of a row changed in case only", "UPDATE cliente SET nome = 'BIANCHI' WHERE codice = 'B'", false,
         err::DataChanged},
        {"correction of a deleted row", "DELETE FROM cliente WHERE codice = 'B'", false, err::RecordDeleted},
        {"correction of a row whose key was changed", "UPDATE cliente SET codice = 'B2' WHERE codice = 'B'", false,
         err::RecordDeleted},
        {"deletion of a changed row", "UPDATE cliente SET dal = '2004-01-19' WHERE codice = 'B'", true,
         err::DataChanged},
        {"deletion of a deleted row", "DELETE FROM cliente WHERE codice = 'B'", true, err::RecordDeleted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        a->execute("DELETE FROM cliente");
        a->execute("INSERT INTO cliente (codice, nome, fido) VALUES ('A', 'Rossi', 1), ('B', 'Bianchi', 7), "
                   "('C', 'Verdi', 3)");
        auto rs = a->openRecordset("SELECT * FROM cliente ORDER BY codice");
        rs->MoveNext();
        ASSERT_EQ(rs->field("codice").toText(), "B");

        b->execute(c.byB);
        const auto afterB = rows(*b, "cliente");
        if (c.deleting) {
            EXPECT_EQ(errorOf([&] { rs->Delete(); }), c.error);
        } else {
            rs->Edit();
            rs->setField("nome", "Scritto da A");
            EXPECT_EQ(errorOf([&] { rs->Update(); }), c.error);
        }
        EXPECT_EQ(rows(*b, "cliente"), afterB) << "no row of anybody's is touched";

        if (c.error == err::DataChanged) {
            // The set now shows what B left, and a new correction starts from there.
            EXPECT_EQ(rs->field("nome").toText<std::string>(),
                      b->scalar("SELECT nome FROM cliente WHERE codice = 'B'").toText());
            rs->Edit();
            rs->setField("nome", "Scritto da A");
            EXPECT_EQ(errorOf([&] { rs->Update(); }), 0);
            EXPECT_EQ(b->scalar("SELECT nome FROM cliente WHERE codice = 'B'").toText(), "Scritto da A");
        } else {
            EXPECT_EQ(rs->RecordCount(), 2) << "the deleted row leaves the set";
            EXPECT_EQ(errorOf([&] { rs->field("codice"); }), err::RecordDeleted);
            rs->MoveNext();
            EXPECT_EQ(rs->field("codice").toText(), "C");
        }
    }
}

TEST_F(WriteBackTest, ARowIdReusedAfterADeletionIsNeverHit) {
    // B deletes the last row and adds another, which takes the same row id. Whether A's set
    // finds rows by key or, holding no key, by row id, A's stale row is not B's new one.
    const struct {
        const char* what;
        std::string table, select, remove, add;
    } cases[] = {
        {"by key", "cliente", "SELECT codice, nome FROM cliente ORDER BY rowid",
         "DELETE FROM cliente WHERE codice = 'C'", "INSERT INTO cliente (codice, nome) VALUES ('D', 'Neri')"},
        {"by row id, key not read", "cliente", "SELECT nome FROM cliente ORDER BY rowid",
         "DELETE FROM cliente WHERE codice = 'C'", "INSERT INTO cliente (codice, nome) VALUES ('D', 'Neri')"},
        {"by row id, no key", "nota", "SELECT * FROM nota ORDER BY rowid", "DELETE FROM nota WHERE testo = 'terza'",
         "INSERT INTO nota (testo) VALUES ('nuova')"},
    };
    a->execute("INSERT INTO nota (testo) VALUES ('prima'), ('seconda'), ('terza')");
    for (const auto& c : cases) {
        for (bool deleting : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (deleting ? ", deletion" : ", correction"));
            const std::string column = c.table == "nota" ? "testo" : "nome";
            auto rs = a->openRecordset(c.select);
            rs->MoveLast();
            const int64_t rowid = a->scalar("SELECT max(rowid) FROM " + c.table).toInt();

            b->execute(c.remove);
            b->execute(c.add);
            ASSERT_EQ(b->scalar("SELECT max(rowid) FROM " + c.table).toInt(), rowid) << "the id is reused";
            const auto afterB = rows(*b, c.table);

            int error = 0;
            if (deleting) {
                error = errorOf([&] { rs->Delete(); });
            } else {
                rs->Edit();
                rs->setField(column, "Scritto da A");
                error = errorOf([&] { rs->Update(); });
            }
            EXPECT_TRUE(error == err::RecordDeleted || error == err::DataChanged) << error;
            if (c.table == "cliente" && c.select.find("codice") != std::string::npos) {
                EXPECT_EQ(error, err::RecordDeleted) << "with the key read, a deletion is told as one";
            }
            EXPECT_EQ(rows(*b, c.table), afterB);

            // Back to the rows the next round starts from.
            if (c.table == "cliente") {
                b->execute("DELETE FROM cliente WHERE codice = 'D'");
                b->execute("INSERT INTO cliente (codice, nome) VALUES ('C', 'Verdi')");
            } else {
                b->execute("DELETE FROM nota WHERE testo = 'nuova'");
                b->execute("INSERT INTO nota (testo) VALUES ('terza')");
            }
        }
    }
}

TEST_F(WriteBackTest, AnAttachedArchiveIsWrittenInItsOwnFile) {
    const std::string other = dir.filePath("altro.mdb").toStdString();
    {
        auto o = Database::create(other);
        o->execute("CREATE TABLE registro (codice TEXT PRIMARY KEY COLLATE NOCASE, numero INTEGER)");
        o->execute("INSERT INTO registro VALUES ('V', 12)");
    }
    a->attach(other, "contabile");
    auto rs = a->openRecordset("SELECT * FROM registro WHERE codice = ?", {"V"});
    ASSERT_TRUE(rs->updatable());
    rs->Edit();
    rs->setField("numero", 13);
    rs->Update();
    EXPECT_EQ(Database::open(other)->scalar("SELECT numero FROM registro").toInt(), 13);

    // A's copy is now stale for another workstation that corrected it meanwhile.
    Database::open(other)->execute("UPDATE registro SET numero = 20");
    rs->Edit();
    rs->setField("numero", 14);
    EXPECT_EQ(errorOf([&] { rs->Update(); }), err::DataChanged);
    EXPECT_EQ(rs->field("numero").toInt(), 20);
}

TEST_F(WriteBackTest, AJoinedGuardThatEndsWithoutCommitLetsNothingBeCommitted) {
    {
        Transaction outer(*a);
        a->execute("INSERT INTO nota (testo) VALUES ('esterna')");
        {
            Transaction part(*a);
            ASSERT_FALSE(part.owner());
            a->execute("INSERT INTO nota (testo) VALUES ('parte')");
            // left without commit: the part failed
        }
        EXPECT_EQ(errorOf([&] { outer.commit(); }), err::Generic);
        EXPECT_FALSE(a->inTransaction());
        EXPECT_EQ(errorOf([&] { outer.commit(); }), err::Generic) << "a retry does not commit either";
    }
    EXPECT_EQ(b->scalar("SELECT count(*) FROM nota").toInt(), 0);

    // The next transaction starts clean; parts that commit let the whole commit, and so does a
    // part that ended before writing anything (its caller knows why and decides).
    {
        Transaction outer(*a);
        {
            Transaction part(*a);
            a->execute("INSERT INTO nota (testo) VALUES ('parte')");
            part.commit();
        }
        {
            Transaction nothingToDo(*a);
            EXPECT_EQ(a->scalar("SELECT count(*) FROM cliente WHERE codice = 'Z'").toInt(), 0);
        }
        outer.commit();
    }
    EXPECT_EQ(b->scalar("SELECT count(*) FROM nota").toInt(), 1);
}

TEST_F(WriteBackTest, AFileHeldInWalModeIsRefused) {
    const std::string walPath = dir.filePath("wal.mdb").toStdString();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(walPath.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "PRAGMA journal_mode=WAL; CREATE TABLE t (x); INSERT INTO t VALUES (1);", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    // Another program keeps it open in WAL mode: neither opened nor attached. The file cannot
    // be switched while that program holds it, which is a lock conflict like any other: the
    // error handler waits for it.
    EXPECT_TRUE(err::isLockConflict(errorOf([&] { Database::open(walPath); })));
    EXPECT_TRUE(err::isLockConflict(errorOf([&] { a->attach(walPath, "contabile"); })));
    EXPECT_FALSE(a->isAttached("contabile"));
    sqlite3_close(other);

    // Once it is free, opening it puts it back on the rollback journal.
    auto db = Database::open(walPath);
    EXPECT_EQ(db->journalMode(), "delete");
    EXPECT_EQ(a->journalMode(), "delete");
    a->attach(walPath, "contabile");
    EXPECT_EQ(a->journalMode("contabile"), "delete");
}

}  // namespace
