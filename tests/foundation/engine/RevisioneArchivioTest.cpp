#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <map>

#include "fixtures/ArchivioFascoleInUso.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/ArchivioFascole.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "support/DbErrors.h"
#include "support/Files.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using fixtures::CaseFileArchive;
using ui::Answer;

namespace {

const QString Incongruenza = "Esiste una incongruenza nella tabella revisioni del db Fascola, VERIFICARE";
const QString TitoloIncongruenza = "CONTROLLO REVISIONE DB ESERCIZIO";

class RevisioneArchivioTest : public ArchivioFascoleInUso {
protected:
    // The column names of every table, sorted: an upgrade adds its columns at the end.
    static std::map<std::string, std::vector<std::string>> columnsIn(db::Database& db) {
        std::map<std::string, std::vector<std::string>> tables;
        for (auto t = db.openRecordset("SELECT name FROM sqlite_master WHERE type = 'table'"); !t->EOF_();
             t->MoveNext()) {
            auto& columns = tables[t->field("name").toText()];
            for (auto c = db.openRecordset("SELECT name FROM pragma_table_info(?)", {t->field("name")}); !c->EOF_();
                 c->MoveNext())
                columns.push_back(c->field("name").toText());
            std::sort(columns.begin(), columns.end());
        }
        return tables;
    }

    // The tables of the current revision and the table of the documents issued.
    static std::map<std::string, std::vector<std::string>> currentColumns() {
        std::map<std::string, std::vector<std::string>> tables;
        std::vector<db::Table> schema = SchemaArchivioFascole();
        schema.push_back(TabellaDocumentiEmessi());
        for (const db::Table& t : schema) {
            for (const db::Column& c : t.columns) tables[t.name].push_back(c.name);
            std::sort(tables[t.name].begin(), tables[t.name].end());
        }
        return tables;
    }

    static std::string lastColumnOfFascola(db::Database& db) {
        return db.scalar("SELECT name FROM pragma_table_info('Fascola') ORDER BY cid DESC LIMIT 1").toText();
    }

    static std::vector<QString> numbersOf(db::Database& db) {
        std::vector<QString> numbers;
        for (auto rs = db.openRecordset("SELECT numpranno FROM Fascola ORDER BY cliente, npra"); !rs->EOF_();
             rs->MoveNext())
            numbers.push_back(rs->field("numpranno").textOr(QString("<Null>")));
        return numbers;
    }

    static QString revisionOf(db::Database& db) { return db.scalar("SELECT revisione FROM Revisione").toText<QString>(); }
};

TEST_F(RevisioneArchivioTest, CurrentArchiveIsOnlyRead) {
    for (bool created : {true, false}) {
        TempDir here;
        AmbienteLavoro().PathArchivioFascole = here.file("Fascole.mdb");
        if (created) {
            DefinizioneDataBase();
        } else {
            CaseFileArchive archive(here.file("Fascole.mdb"));
            archive.addCaseFile("C1", "0001", "2004-01-02", {{"numpranno", "2004.00001"}});
        }
        const QByteArray before = contentOf(here.file("Fascole.mdb"));
        ScriptedMessages box;
        VerificaRevisioneDb(*ArchivioInUso());
        EXPECT_EQ(contentOf(here.file("Fascole.mdb")), before);
    }
}

TEST_F(RevisioneArchivioTest, CaseFilesAt020120AreNumberedFromTheirCounter) {
    CaseFileArchive archive(path, "020120");
    archive.addCaseFile("C1", "0001", "2001-05-10", {{"contatore", 1}});
    archive.addCaseFile("C1", "0002", "2002-01-15", {{"contatore", 2}});
    archive.addCaseFile("C2", "0001", "2002-12-31", {{"contatore", 5}});
    archive.close();

    ScriptedMessages box;
    VerificaRevisioneDb(*ArchivioInUso());

    auto db = db::Database::open(path.toStdString());
    EXPECT_EQ(numbersOf(*db), (std::vector<QString>{"2001.00002", "2002.00003", "2002.00006"}));
    EXPECT_FALSE(db->columnExists("Fascola", "contatore"));
    EXPECT_EQ(revisionOf(*db), "030104");
    EXPECT_EQ(columnsIn(*db), currentColumns());
    EXPECT_EQ(lastColumnOfFascola(*db), "numpranno");
}

TEST_F(RevisioneArchivioTest, NumberingEdgeCases) {
    const struct {
        const char* what;
        db::Value data;
        int counter;
        QString expected;
    } cases[] = {
        {"year with a counter gap", "2003-07-01", 41, "2003.00042"},
        {"successor of six digits keeps the last five", "2004-02-29", 123456, "2004.23457"},
        {"no date, no year to number with", nullptr, 7, "<Null>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir here;
        AmbienteLavoro().PathArchivioFascole = here.file("Fascole.mdb");
        CaseFileArchive archive(here.file("Fascole.mdb"), "020120");
        archive.addCaseFile("C1", "0001", c.data, {{"contatore", c.counter}});
        archive.close();
        ScriptedMessages box;
        VerificaRevisioneDb(*ArchivioInUso());
        auto db = db::Database::open(here.file("Fascole.mdb").toStdString());
        EXPECT_EQ(numbersOf(*db), std::vector<QString>{c.expected});
        EXPECT_EQ(revisionOf(*db), "030104");
    }
}

// The look-ups of a document's fee items by identifier, and of the documents of a year by
// number (a stretch of dates of one calendar year), read an index: a new archive has them, and the upgrade gives them to an archive that
// lacks them, an older one after its steps.
TEST_F(RevisioneArchivioTest, TheFeeItemLookUpsOfTheIssueGetTheirIndexes) {
    const std::string perIdFattura = "SELECT 1 FROM competenze WHERE cliente = ? AND idfattura = ?";
    const std::string perNumero =
        "SELECT DISTINCT cliente, idfattura FROM competenze WHERE substr(idfattura, 11, 5) = ?1 AND "
        "substr(idfattura, 5, 2) = ?2 AND substr(idfattura, 7, 4) BETWEEN ?3 AND ?4";
    auto piano = [](db::Database& db, const std::string& sql) {
        QString testo;
        db::Statement st(db, "EXPLAIN QUERY PLAN " + sql);
        while (st.step()) testo += st.column(3).textOr(QString()) + "\n";
        return testo;
    };
    for (const char* revisione : {"", "030104", "020120"}) {
        SCOPED_TRACE(revisione);
        TempDir here;
        AmbienteLavoro().PathArchivioFascole = here.file("Fascole.mdb");
        ScriptedMessages box;
        if (*revisione == 0) {
            DefinizioneDataBase();
        } else {
            CaseFileArchive archive(here.file("Fascole.mdb"), revisione);
            archive.db().execute("DROP INDEX IF EXISTS competenze_idfattura");
            archive.db().execute("DROP INDEX IF EXISTS competenze_numero_documento");
            archive.close();
            VerificaRevisioneDb(*ArchivioInUso());
        }
        auto db = db::Database::open(here.file("Fascole.mdb").toStdString());
        EXPECT_TRUE(piano(*db, perIdFattura).contains("competenze_idfattura")) << piano(*db, perIdFattura).toStdString();
        EXPECT_TRUE(piano(*db, perNumero).contains("competenze_numero_documento")) << piano(*db, perNumero).toStdString();
        EXPECT_EQ(revisionOf(*db), "030104");
    }
}

// The table of the documents issued: an archive of an earlier release, at the current
// revision or an older one, gets it at the start, keyed by client (letter case ignored) and
// identifier; one that has it keeps its rows.
TEST_F(RevisioneArchivioTest, TheTableOfTheDocumentsIssuedIsMadeWhenMissing) {
    for (const char* revisione : {"030104", "020120"}) {
        SCOPED_TRACE(revisione);
        TempDir here;
        AmbienteLavoro().PathArchivioFascole = here.file("Fascole.mdb");
        {
            CaseFileArchive archive(here.file("Fascole.mdb"), revisione);
            archive.db().execute("DROP TABLE IF EXISTS DocumentiEmessi");
        }
        ScriptedMessages box;
        VerificaRevisioneDb(*ArchivioInUso());
        auto db = db::Database::open(here.file("Fascole.mdb").toStdString());
        EXPECT_EQ(columnsIn(*db), currentColumns());
        const std::string riga = "INSERT INTO DocumentiEmessi (cliente, idfattura, lettera, registrazione) VALUES ";
        db->execute(riga + "('cli01', '000704011500003', 'H', '00000')");
        EXPECT_EQ(errorOf([&] { db->execute(riga + "('CLI01', '000704011500003', 'F', '00000')"); }),
                  db::err::DuplicateKey);
        db.reset();
        VerificaRevisioneDb(*ArchivioInUso());
        EXPECT_EQ(db::Database::open(here.file("Fascole.mdb").toStdString())
                      ->scalar("SELECT lettera FROM DocumentiEmessi")
                      .toText<QString>(),
                  "H");
        EXPECT_TRUE(box.asked().empty());
    }
}

// The table of the documents issued as an earlier release made it lacks the column that says
// whether a document billed fee items: the start adds it. A record whose fee items carry its
// identifier billed them; any other is taken for a document of typed lines, and so is a record
// the earlier release writes afterwards. An archive that has the column is only read.
TEST_F(RevisioneArchivioTest, TheRecordsOfAnEarlierReleaseAreToldWhetherTheyBilledFeeItems) {
    const std::string riga = "INSERT INTO DocumentiEmessi (cliente, idfattura, lettera, registrazione) VALUES ";
    {
        CaseFileArchive archive(path);
        db::Table precedente = TabellaDocumentiEmessi();
        precedente.columns.pop_back();
        archive.db().execute("DROP TABLE DocumentiEmessi");
        archive.db().execute(db::createTableSql(precedente));
        archive.db().execute(riga + "('C1', '000104011500001', 'F', '00000'), ('C1', '000104011500002', 'H', "
                                    "'00000'), ('C2', '000104011500001', 'F', '00000')");
        const fixtures::Fields fatturata{{"fatturato", true}, {"idfattura", "000104011500001"}};
        archive.addFeeItem("c1", "0001", "0001", "0000", "ONO", fatturata);  // the code in other letters
        archive.addFeeItem("C1", "0001", "0002", "0000", "ONO", fatturata);
    }
    ScriptedMessages box;
    VerificaRevisioneDb(*ArchivioInUso());
    auto db = db::Database::open(path.toStdString());
    EXPECT_EQ(columnsIn(*db), currentColumns());
    db->execute(riga + "('C3', '000104011500001', 'F', '00000')");
    const QByteArray prima = contentOf(path);
    db.reset();
    VerificaRevisioneDb(*ArchivioInUso());
    EXPECT_EQ(contentOf(path), prima);
    QStringList righe;
    db = db::Database::open(path.toStdString());
    for (auto rs = db->openRecordset("SELECT cliente, idfattura, competenzefatturate FROM DocumentiEmessi ORDER BY "
                                     "cliente, idfattura");
         !rs->EOF_(); rs->MoveNext())
        righe << rs->field("cliente").toText<QString>() + " " + rs->field("idfattura").toText<QString>() + " " +
                     rs->field("competenzefatturate").toText<QString>();
    EXPECT_EQ(righe, (QStringList{"C1 000104011500001 1", "C1 000104011500002 0", "C2 000104011500001 0",
                                  "C3 000104011500001 0"}));
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(RevisioneArchivioTest, EmptyArchiveAt020120GetsTheColumnAndTheRevision) {
    { CaseFileArchive archive(path, "020120"); }
    ScriptedMessages box;
    VerificaRevisioneDb(*ArchivioInUso());
    auto db = db::Database::open(path.toStdString());
    EXPECT_EQ(db->scalar("SELECT count(*) FROM Fascola").toInt(), 0);
    EXPECT_EQ(revisionOf(*db), "030104");
    EXPECT_EQ(columnsIn(*db), currentColumns());
    EXPECT_EQ(lastColumnOfFascola(*db), "numpranno");
}

TEST_F(RevisioneArchivioTest, ArchiveAt011019PassesBothSteps) {
    CaseFileArchive archive(path, "011019");
    ASSERT_FALSE(archive.db().columnExists("AmbienteFascola", "dettagliofascola"));
    ASSERT_FALSE(archive.db().columnExists("Fascola", "contatore"));
    archive.setParameters({{"ditta", "ACME"}, {"bollo", true}});
    archive.addCaseFile("C2", "0001", "2003-03-03");
    archive.addCaseFile("C1", "0001", "2003-04-04");
    archive.addCaseFile("C1", "0002", "2004-01-01");
    archive.close();

    ScriptedMessages box;
    VerificaRevisioneDb(*ArchivioInUso());

    auto db = db::Database::open(path.toStdString());
    EXPECT_TRUE(db->scalar("SELECT dettagliofascola FROM AmbienteFascola").toBool());
    EXPECT_EQ(db->scalar("SELECT ditta FROM AmbienteFascola").toText(), "ACME");
    // The counter numbered the case files in the order they were written.
    EXPECT_EQ(numbersOf(*db), (std::vector<QString>{"2003.00003", "2004.00004", "2003.00002"}));
    EXPECT_EQ(revisionOf(*db), "030104");
    EXPECT_EQ(columnsIn(*db), currentColumns());
    EXPECT_EQ(lastColumnOfFascola(*db), "numpranno");
}

TEST_F(RevisioneArchivioTest, ArchiveAt011019WithoutParametersGetsNoRow) {
    { CaseFileArchive archive(path, "011019"); }
    ScriptedMessages box;
    VerificaRevisioneDb(*ArchivioInUso());
    auto db = db::Database::open(path.toStdString());
    EXPECT_EQ(db->scalar("SELECT count(*) FROM AmbienteFascola").toInt(), 0);
    EXPECT_EQ(revisionOf(*db), "030104");
}

TEST_F(RevisioneArchivioTest, OnlyTheFirstRevisionRowCountsAndIsRewritten) {
    CaseFileArchive archive(path, "020120");
    archive.addRow("Revisione", {{"revisione", "011019"}});
    archive.addCaseFile("C1", "0001", "2005-06-07", {{"contatore", 9}});
    archive.close();

    ScriptedMessages box;
    VerificaRevisioneDb(*ArchivioInUso());

    auto db = db::Database::open(path.toStdString());
    std::vector<QString> rows;
    for (auto rs = db->openRecordset("SELECT revisione FROM Revisione ORDER BY rowid"); !rs->EOF_(); rs->MoveNext())
        rows.push_back(rs->field("revisione").toText<QString>());
    EXPECT_EQ(rows, (std::vector<QString>{"030104", "011019"}));
    EXPECT_EQ(numbersOf(*db), std::vector<QString>{"2005.00010"});
}

TEST_F(RevisioneArchivioTest, RevisionTableWithoutAKnownRevisionIsReportedAndLeftAlone) {
    const struct {
        const char* what;
        std::function<void(CaseFileArchive&)> damage;
    } cases[] = {
        {"no row", [](CaseFileArchive& a) { a.db().execute("DELETE FROM Revisione"); }},
        {"unknown revision", [](CaseFileArchive& a) { a.db().execute("UPDATE Revisione SET revisione = '040101'"); }},
        {"Null revision", [](CaseFileArchive& a) { a.db().execute("UPDATE Revisione SET revisione = NULL"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir here;
        AmbienteLavoro().PathArchivioFascole = here.file("Fascole.mdb");
        {
            CaseFileArchive archive(here.file("Fascole.mdb"), "011019");
            archive.addCaseFile("C1", "0001", "2001-01-01");
            c.damage(archive);
        }
        const QByteArray before = contentOf(here.file("Fascole.mdb"));
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, Incongruenza, TitoloIncongruenza);
        VerificaRevisioneDb(*ArchivioInUso());
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::Ok);
        EXPECT_EQ(box.asked()[0].icon, ui::Icon::None);
        EXPECT_EQ(contentOf(here.file("Fascole.mdb")), before);
    }
}

// An archive that has lost its revision table fails the check through the handler. Leaving
// changes nothing; going on has no revision to bring forward and goes on with the rest of the
// check, which makes an index the archive lacks. The table is not made again.
TEST_F(RevisioneArchivioTest, MissingRevisionTableGoesToTheHandler) {
    const struct {
        Answer answer;
        bool indexMade;
    } cases[] = {{Answer::Abort, false}, {Answer::Ignore, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.answer));
        ChiudiSessione();
        QFile::remove(path);
        {
            CaseFileArchive archive(path);
            archive.db().execute("DROP TABLE Revisione");
            archive.db().execute("DROP INDEX competenze_idfattura");
        }
        ScriptedMessages box;
        box.expectMessage(c.answer, std::nullopt, "GESTIONE DEGLI ERRORI");
        VerificaRevisioneDb(*ArchivioInUso());
        ASSERT_EQ(box.messageTexts().size(), 1);
        EXPECT_TRUE(box.messageTexts()[0].startsWith("Si è verificato l'errore  3078\n"));
        EXPECT_TRUE(box.messageTexts()[0].contains("\nFunzione: Sub di di verifica revisione db Fascola\n"));

        auto db = db::Database::open(path.toStdString());
        EXPECT_FALSE(db->tableExists("Revisione"));
        EXPECT_EQ(!db->scalar("SELECT name FROM sqlite_master WHERE name = 'competenze_idfattura'").isNull(),
                  c.indexMade);
    }
}

// A statement that fails late in a step: leaving at the handler's answer undoes the whole
// step, the column already added and the numbers already written included.
TEST_F(RevisioneArchivioTest, LeavingAFailingStepRollsItBack) {
    {
        CaseFileArchive archive(path, "020120");
        archive.addCaseFile("C1", "0001", "2002-02-02", {{"contatore", 3}});
        archive.db().execute("CREATE INDEX contatore ON Fascola (contatore)");  // the counter cannot be dropped
    }
    ScriptedMessages box;
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    VerificaRevisioneDb(*ArchivioInUso());
    ASSERT_EQ(box.messageTexts().size(), 1);
    EXPECT_TRUE(box.messageTexts()[0].contains("\nFunzione: Aggiornamento db Fascola dalla versione 020120\n"))
        << box.messageTexts()[0].toStdString();

    auto db = db::Database::open(path.toStdString());
    EXPECT_EQ(revisionOf(*db), "020120");
    EXPECT_FALSE(db->columnExists("Fascola", "numpranno"));
    EXPECT_EQ(db->scalar("SELECT contatore FROM Fascola").toInt(), 3);
}

// An interrupted run of an earlier release added numpranno and stopped before recording
// "030104". Leaving keeps the step before done and this one undone; going on gets past the
// column that is already there and finishes the step.
TEST_F(RevisioneArchivioTest, HalfUpgradedArchiveIsLeftOrCompletedAsAnswered) {
    const struct {
        Answer answer;
        QString revision;
        bool counter;
        std::vector<QString> numbers;
    } cases[] = {
        {Answer::Abort, "020120", true, {"<Null>"}},
        {Answer::Ignore, "030104", false, {"2002.00002"}},
    };
    for (const auto& c : cases) {
        TempDir here;
        AmbienteLavoro().PathArchivioFascole = here.file("Fascole.mdb");
        {
            CaseFileArchive archive(here.file("Fascole.mdb"), "011019");
            archive.addCaseFile("C1", "0001", "2002-02-02");
            archive.db().execute("ALTER TABLE Fascola ADD COLUMN numpranno TEXT");
        }
        ScriptedMessages box;
        box.expectMessage(c.answer, std::nullopt, "GESTIONE DEGLI ERRORI");
        VerificaRevisioneDb(*ArchivioInUso());
        ASSERT_EQ(box.messageTexts().size(), 1);
        EXPECT_TRUE(box.messageTexts()[0].contains("\nFunzione: Aggiornamento db Fascola dalla versione 020120\n"))
            << box.messageTexts()[0].toStdString();

        auto db = db::Database::open(here.file("Fascole.mdb").toStdString());
        EXPECT_EQ(revisionOf(*db), c.revision);
        EXPECT_TRUE(db->columnExists("AmbienteFascola", "dettagliofascola"));
        EXPECT_EQ(db->columnExists("Fascola", "contatore"), c.counter);
        EXPECT_EQ(numbersOf(*db), c.numbers);
    }
}

}  // namespace
