#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/db/Schema.h"
#include "support/ArchivioNuovo.h"
#include "support/DbErrors.h"

using namespace db;

namespace {

Table sample() {
    return {"cliente",
            {text("codice", 5, false), text("nome", 10), yesNo("attivo"), money("fido"), date("dal"),
             column("conta", Kind::Long)},
            {"codice"}};
}

class DatabaseTest : public ArchivioNuovo {
protected:
    void SetUp() override {
        ArchivioNuovo::SetUp();
        if (HasFatalFailure()) return;
        db->execute(createTableSql(sample()));
    }
};

TEST_F(DatabaseTest, ColumnRulesMapToTheirErrorNumbers) {
    db->execute("INSERT INTO cliente (codice, nome) VALUES (?, ?)", {"A1", "Rossi"});
    eseguiTutti({
        {"duplicate key, other case", "INSERT INTO cliente (codice) VALUES (?)", {"a1"}, err::DuplicateKey},
        {"text too long", "INSERT INTO cliente (codice, nome) VALUES (?, ?)", {"B", "Bianchi & C. srl"}, err::TextTooLong},
        {"empty text refused", "INSERT INTO cliente (codice) VALUES (?)", {""}, err::EmptyTextRefused},
        {"empty text accepted", "INSERT INTO cliente (codice, nome) VALUES (?, ?)", {"C", ""}, 0},
        {"width counts characters", "INSERT INTO cliente (codice, nome) VALUES (?, ?)", {"D", "àèìòùàèìòù"}, 0},
        {"key is required", "INSERT INTO cliente (nome) VALUES (?)", {"x"}, err::NullRefused},
        {"yes/no only 0 or 1", "INSERT INTO cliente (codice, attivo) VALUES (?, ?)", {"E", 2}, err::TypeMismatch},
        {"dates are ISO text", "INSERT INTO cliente (codice, dal) VALUES (?, ?)", {"F", "05/03/2004"}, err::TypeMismatch},
        {"unknown table", "SELECT * FROM nessuna", {}, err::TableNotFound},
    });

    EXPECT_EQ(db->scalar("SELECT attivo FROM cliente WHERE codice = ?", {"C"}).toInt(), 0)
        << "yes/no is never Null";
    EXPECT_EQ(db->scalar("SELECT count(*) FROM cliente WHERE nome = ?", {"ROSSI"}).toInt(), 1)
        << "text compares without case";
}

TEST_F(DatabaseTest, ValuesTravelOnlyAsParameters) {
    const std::string hostile = "O'Brien\"; DROP TABLE cliente; --";
    db->execute("INSERT INTO cliente (codice, nome, fido, dal) VALUES (?, ?, ?, DateSerial(?, ?, ?))",
                {"Q", hostile.substr(0, 10), Currency::fromRaw(12345678), 2004, 14, 0});
    auto rs = db->openRecordset("SELECT * FROM cliente WHERE nome = ?", {hostile.substr(0, 10)});
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ((*rs)["fido"].toCurrency(), Currency::fromRaw(12345678));
    EXPECT_EQ((*rs)["dal"].toText(), "2005-01-31") << "month 14, day 0: last day of January next year";
    EXPECT_EQ(errorOf([&] { (*rs)["conta"].toText(); }), err::InvalidUseOfNull);
}

TEST(LikePattern, TranslatesJetWildcardsAndEscapesTheRest) {
    struct { const char* typed; const char* like; } cases[] = {
        {"Ros*", "Ros%"}, {"R?ssi", "R_ssi"}, {"100%", "100\\%"}, {"a_b\\c", "a\\_b\\\\c"}, {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(likePattern(c.typed), c.like) << c.typed;
}

TEST_F(DatabaseTest, LikePatternMatchesLiterally) {
    db->execute("INSERT INTO cliente (codice, nome) VALUES ('1', 'a_b'), ('2', 'axb'), ('3', '50%')");
    EXPECT_EQ(db->scalar("SELECT count(*) FROM cliente WHERE nome LIKE ? ESCAPE '\\'", {likePattern("a_b")}).toInt(), 1);
    EXPECT_EQ(db->scalar("SELECT count(*) FROM cliente WHERE nome LIKE ? ESCAPE '\\'", {likePattern("A?B")}).toInt(), 2);
    EXPECT_EQ(db->scalar("SELECT count(*) FROM cliente WHERE nome LIKE ? ESCAPE '\\'", {likePattern("*%")}).toInt(), 1);
}

TEST_F(DatabaseTest, RecordsetNavigatesAndWritesBack) {
    for (const char* c : {"A", "B", "C"}) db->execute("INSERT INTO cliente (codice, nome) VALUES (?, ?)", {c, c});
    auto rs = db->openRecordset("SELECT codice, nome AS ragione FROM cliente ORDER BY codice DESC");
    ASSERT_TRUE(rs->updatable());
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    EXPECT_EQ((*rs)["CODICE"].toText(), "C");
    rs->MoveLast();
    EXPECT_EQ((*rs)["codice"].toText(), "A");
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF_());
    rs->MoveFirst();
    rs->MoveNext();
    rs->Edit();
    rs->setField("ragione", "Bianchi");  // an aliased column writes its real column
    rs->Update();
    EXPECT_EQ(db->scalar("SELECT nome FROM cliente WHERE codice = 'B'").toText(), "Bianchi");

    rs->Delete();  // the deleted row stays current until the next move
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(errorOf([&] { (*rs)["codice"]; }), 3167);
    rs->MoveNext();
    EXPECT_EQ((*rs)["codice"].toText(), "A");
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->MovePrevious();
    EXPECT_EQ((*rs)["codice"].toText(), "C");

    rs->AddNew();
    rs->setField("codice", "Z");
    rs->Update();
    EXPECT_EQ((*rs)["codice"].toText(), "C") << "adding leaves the current row where it was";
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(db->scalar("SELECT count(*) FROM cliente").toInt(), 3);

    rs->AddNew();
    rs->setField("codice", "c");
    EXPECT_EQ(errorOf([&] { rs->Update(); }), err::DuplicateKey);
}

TEST_F(DatabaseTest, EmptyAndReadOnlyRecordsets) {
    auto empty = db->openRecordset("cliente");
    EXPECT_TRUE(empty->EOF_());
    EXPECT_TRUE(empty->BOF());
    EXPECT_EQ(empty->RecordCount(), 0);
    EXPECT_EQ(errorOf([&] { empty->MoveFirst(); }), err::NoCurrentRecord);
    empty->AddNew();
    empty->setField("codice", "N");
    empty->Update();
    EXPECT_EQ((*empty)["codice"].toText(), "N") << "the first row added to an empty set becomes current";

    auto append = db->openForAppend("cliente");
    EXPECT_EQ(append->RecordCount(), 0);
    append->AddNew();
    append->setField("codice", "P");
    append->Update();
    EXPECT_EQ(db->scalar("SELECT count(*) FROM cliente").toInt(), 2);

    auto totals = db->openRecordset("SELECT count(*) AS n FROM cliente");
    EXPECT_FALSE(totals->updatable());
    EXPECT_EQ((*totals)["n"].toInt(), 2);
    EXPECT_EQ(errorOf([&] { totals->Edit(); }), err::NotUpdatable);
    EXPECT_EQ(errorOf([&] { (*totals)["missing"]; }), err::UnknownColumn);
}

TEST_F(DatabaseTest, TransactionRollsBackUnlessCommitted) {
    {
        Transaction t(*db);
        db->execute("INSERT INTO cliente (codice) VALUES ('T1')");
    }
    EXPECT_EQ(db->scalar("SELECT count(*) FROM cliente").toInt(), 0);
    {
        Transaction outer(*db);
        {
            Transaction inner(*db);  // joins the outer one
            db->execute("INSERT INTO cliente (codice) VALUES ('T2')");
            inner.commit();
        }
        EXPECT_TRUE(db->inTransaction());
        outer.commit();
    }
    EXPECT_EQ(db->scalar("SELECT count(*) FROM cliente").toInt(), 1);
}

TEST_F(DatabaseTest, WriteLockOfAnotherConnectionIsALockConflict) {
    auto other = Database::open(path);
    Transaction holding(*other);
    other->execute("INSERT INTO cliente (codice) VALUES ('L')");
    const int number = errorOf([&] { db->execute("INSERT INTO cliente (codice) VALUES ('M')"); });
    EXPECT_TRUE(err::isLockConflict(number)) << number;
    holding.commit();
    EXPECT_EQ(errorOf([&] { db->execute("INSERT INTO cliente (codice) VALUES ('M')"); }), 0);
}

TEST_F(DatabaseTest, OpenAndCreateRefuseTheWrongFile) {
    EXPECT_EQ(errorOf([&] { Database::create(path); }), err::DatabaseExists);
    EXPECT_EQ(errorOf([&] { Database::open(dir.filePath("manca.mdb").toStdString()); }), err::FileNotFound);
    // Stored paths may use backslashes.
    std::string backslashes = path;
    std::replace(backslashes.begin(), backslashes.end(), '/', '\\');
    EXPECT_EQ(errorOf([&] { Database::open(backslashes); }), 0);
}

}  // namespace
