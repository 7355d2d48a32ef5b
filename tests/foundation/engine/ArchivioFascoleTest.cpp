#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "fixtures/ArchivioFascoleInUso.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/ArchivioFascole.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/FileSystem.h"
#include "support/DbErrors.h"
#include "support/Files.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

bool inKey(const db::Table& t, const std::string& column) {
    return std::find(t.key.begin(), t.key.end(), column) != t.key.end();
}

// A row of `t` whose key columns hold "1", with `column` set to `value`.
void insertWith(db::Database& db, const db::Table& t, const std::string& column, const QString& value) {
    std::string names = "\"" + column + "\"", marks = "?";
    db::Params params{value};
    for (const std::string& k : t.key) {
        if (k == column) continue;
        names += ", \"" + k + "\"";
        marks += ", ?";
        params.emplace_back("1");
    }
    db.execute("INSERT INTO \"" + t.name + "\" (" + names + ") VALUES (" + marks + ")", params);
}

class ArchivioFascoleTest : public ArchivioFascoleInUso {
protected:
    std::unique_ptr<db::Database> created() {
        DefinizioneDataBase();
        return db::Database::open(path.toStdString());
    }
};

// The ten tables of the revision, then the table of the documents issued.
TEST_F(ArchivioFascoleTest, NewArchiveHoldsTheTenTablesInCreationOrderThenTheDocumentsIssued) {
    auto db = created();
    QStringList names;
    for (auto rs = db->openRecordset("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
         !rs->EOF_(); rs->MoveNext())
        names << rs->field("name").toText<QString>();
    EXPECT_EQ(names, QStringList({"AmbienteFascola", "Competenze", "Elecli", "Elefat", "Job", "Mpxanagrafe",
                                  "Parcli", "Fascola", "Task", "Revisione", "DocumentiEmessi"}));
}

TEST_F(ArchivioFascoleTest, SchemaHasTheColumnCountsAndKeysOfTheArchive) {
    const struct {
        std::string table;
        size_t columns;
        std::vector<std::string> key;
    } expected[] = {
        {"AmbienteFascola", 32, {}},
        {"Competenze", 20, {"cliente", "npra", "ntask", "njob", "elemento"}},
        {"Elecli", 4, {"cliente", "elemento"}},
        {"Elefat", 14, {"codice"}},
        {"Job", 9, {"cliente", "npra", "ntask", "njob"}},
        {"Mpxanagrafe", 10, {"codice"}},
        {"Parcli", 19, {"codice"}},
        {"Fascola", 8, {"cliente", "npra"}},
        {"Task", 7, {"npra", "cliente", "ntask"}},
        {"Revisione", 1, {}},
    };
    const auto& schema = SchemaArchivioFascole();
    ASSERT_EQ(schema.size(), std::size(expected));
    for (size_t i = 0; i < schema.size(); ++i) {
        SCOPED_TRACE(expected[i].table);
        EXPECT_EQ(schema[i].name, expected[i].table);
        EXPECT_EQ(schema[i].columns.size(), expected[i].columns);
        EXPECT_EQ(schema[i].key, expected[i].key);
        EXPECT_EQ(schema[i].keyName, "chiave");
    }
    // Every text column but the key, the absolute case number and the revision takes the
    // empty text.
    for (const db::Table& t : schema) {
        for (const db::Column& c : t.columns) {
            if (c.kind == db::Kind::Text) {
                EXPECT_EQ(c.allowEmpty, !inKey(t, c.name) && c.name != "numpranno" && c.name != "revisione")
                    << t.name << "." << c.name;
            }
        }
    }
    const db::Table& fascola = schema[7];
    EXPECT_EQ(fascola.columns.back().name, "numpranno");
    EXPECT_EQ(fascola.columns.back().width, 10);
    EXPECT_EQ(fascola.column("contatore"), nullptr);
}

TEST_F(ArchivioFascoleTest, NewArchiveColumnsMatchTheSchema) {
    auto db = created();
    auto declared = [](db::Kind kind) -> std::string {
        switch (kind) {
        case db::Kind::Text: return "TEXT";
        case db::Kind::YesNo: return "BIT";
        case db::Kind::Currency: return "CURRENCY";
        case db::Kind::Date: return "DATETIME";
        default: return "?";
        }
    };
    for (const db::Table& t : SchemaArchivioFascole()) {
        SCOPED_TRACE(t.name);
        auto info = db->openRecordset("SELECT name, type, \"notnull\", pk FROM pragma_table_info(?) ORDER BY cid",
                                      {t.name});
        ASSERT_EQ(info->RecordCount(), int(t.columns.size()));
        for (const db::Column& c : t.columns) {
            SCOPED_TRACE(c.name);
            const auto position = std::find(t.key.begin(), t.key.end(), c.name);
            EXPECT_EQ(info->field("name").toText(), c.name);
            EXPECT_EQ(info->field("type").toText(), declared(c.kind));
            EXPECT_EQ(info->field("notnull").toBool(), c.kind == db::Kind::YesNo || position != t.key.end());
            EXPECT_EQ(info->field("pk").toInt(), position == t.key.end() ? 0 : position - t.key.begin() + 1);
            info->MoveNext();
        }
    }
}

TEST_F(ArchivioFascoleTest, NewArchiveHoldsOnlyTheRevisionRow) {
    auto db = created();
    for (const db::Table& t : SchemaArchivioFascole())
        EXPECT_EQ(db->scalar("SELECT count(*) FROM \"" + t.name + "\"").toInt(), t.name == "Revisione" ? 1 : 0)
            << t.name;
    EXPECT_EQ(db->scalar("SELECT revisione FROM Revisione").toText(), "030104");
}

TEST_F(ArchivioFascoleTest, TextColumnsEnforceTheirWidthAndTheEmptyTextRule) {
    auto db = created();
    db::Transaction quick(*db);  // never committed: the rows only probe the rules
    for (const db::Table& t : SchemaArchivioFascole()) {
        for (const db::Column& c : t.columns) {
            if (c.kind != db::Kind::Text) continue;
            SCOPED_TRACE(t.name + "." + c.name);
            EXPECT_EQ(errorOf([&] { insertWith(*db, t, c.name, QString(c.width, 'x')); }), 0);
            db->execute("DELETE FROM \"" + t.name + "\"");
            EXPECT_EQ(errorOf([&] { insertWith(*db, t, c.name, QString(c.width + 1, 'x')); }),
                      db::err::TextTooLong);
            EXPECT_EQ(errorOf([&] { insertWith(*db, t, c.name, ""); }),
                      c.allowEmpty ? 0 : db::err::EmptyTextRefused);
            db->execute("DELETE FROM \"" + t.name + "\"");
        }
    }
}

TEST_F(ArchivioFascoleTest, NamedColumnsTakeOrRefuseTheEmptyText) {
    auto db = created();
    const struct {
        const char* sql;
        int error;
    } cases[] = {
        {"INSERT INTO AmbienteFascola (ditta) VALUES ('')", 0},
        {"INSERT INTO Fascola (cliente, npra, numpranno) VALUES ('C', '0001', '')", db::err::EmptyTextRefused},
        {"INSERT INTO Revisione (revisione) VALUES ('')", db::err::EmptyTextRefused},
        {"INSERT INTO Elefat (codice) VALUES ('')", db::err::EmptyTextRefused},
        {"INSERT INTO Task (npra, cliente, ntask) VALUES ('0001', '', '0001')", db::err::EmptyTextRefused},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf([&] { db->execute(c.sql); }), c.error) << c.sql;
    // A yes/no column left out of a row is No, never Null.
    EXPECT_EQ(db->scalar("SELECT bollo FROM AmbienteFascola").toInt(), 0);
}

TEST_F(ArchivioFascoleTest, KeysRefuseADuplicateWhateverTheCase) {
    auto db = created();
    for (const db::Table& t : SchemaArchivioFascole()) {
        if (t.key.empty()) continue;
        SCOPED_TRACE(t.name);
        insertWith(*db, t, t.key.front(), "ab");
        EXPECT_EQ(errorOf([&] { insertWith(*db, t, t.key.front(), "AB"); }), db::err::DuplicateKey);
        EXPECT_EQ(errorOf([&] { insertWith(*db, t, t.key.front(), "ac"); }), 0);
    }
}

TEST_F(ArchivioFascoleTest, ArchiveThatCannotBeMadeGoesToTheHandlerAndLeavesNothingBehind) {
    const struct {
        const char* what;
        std::vector<Answer> answers;
    } answers[] = {{"abort", {Answer::Abort}}, {"ignore", {Answer::Ignore}}, {"retry", {Answer::Retry, Answer::Abort}}};
    for (const auto& a : answers) {
        SCOPED_TRACE(a.what);
        // An existing file is left as it is.
        TempDir here;
        const QString existing = here.file("Fascole.mdb");
        { fixtures::CaseFileArchive archive(existing, "011019"); }
        const QByteArray before = contentOf(existing);
        AmbienteLavoro().PathArchivioFascole = existing;
        {
            ScriptedMessages box;
            for (Answer answer : a.answers)
                box.expectMessage(answer,
                                  "Si è verificato l'errore  3204\nIl database esiste già.\n"
                                  "Funzione: Sub di definizione Data Base gestione fascole\nNessun suggerimento",
                                  "GESTIONE DEGLI ERRORI");
            DefinizioneDataBase();
        }
        EXPECT_EQ(contentOf(existing), before);

        // A folder that does not exist gets no file.
        AmbienteLavoro().PathArchivioFascole = here.file("manca/Fascole.mdb");
        {
            ScriptedMessages box;
            for (Answer answer : a.answers) box.expectMessage(answer, std::nullopt, "GESTIONE DEGLI ERRORI");
            DefinizioneDataBase();
            for (const QString& text : box.messageTexts())
                EXPECT_TRUE(text.contains("Funzione: Sub di definizione Data Base gestione fascole\n")) << text.toStdString();
        }
        EXPECT_FALSE(QFile::exists(here.file("manca/Fascole.mdb")));
    }
}

// Answers the error handler and notes which of two files existed when it asked.
class FileWatchingHandler final : public ui::MessageService {
public:
    FileWatchingHandler(QString path, QString other, Answer answer)
        : path_(std::move(path)), other_(std::move(other)), answer_(answer) {
        install(this);
    }
    ~FileWatchingHandler() override { install(nullptr); }
    ui::Answer message(const ui::MessageRequest& request) override {
        texts << request.text;
        fileExisted << QFile::exists(path_);
        otherExisted << QFile::exists(other_);
        return answer_;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseFile(const ui::FileRequest&) override { return {}; }
    std::optional<QString> chooseFolder(const QString&, const QString&) override { return {}; }

    QStringList texts;
    QList<bool> fileExisted, otherExisted;

private:
    QString path_, other_;
    Answer answer_;
};

TEST_F(ArchivioFascoleTest, TheArchiveIsBuiltAsideAndNamedOnlyWhenWhole) {
    // A journal that cannot be written makes the first write of the archive being built fail.
    const QString costruzione = NomeArchivioInCostruzione(path);
    EXPECT_NE(costruzione, path);
    EXPECT_EQ(QFileInfo(costruzione).dir(), QFileInfo(path).dir()) << "built beside it, to be renamed";
    ASSERT_TRUE(QDir().mkdir(costruzione + "-journal"));
    for (Answer answer : {Answer::Abort, Answer::Ignore}) {
        FileWatchingHandler handler(path, costruzione, answer);
        DefinizioneDataBase();
        ASSERT_EQ(handler.texts.size(), 1);
        EXPECT_TRUE(handler.texts[0].contains("\nFunzione: Sub di definizione Data Base gestione fascole\n"))
            << handler.texts[0].toStdString();
        EXPECT_TRUE(handler.otherExisted[0]) << "the file was being built when it failed";
        EXPECT_FALSE(handler.fileExisted[0]) << "the archive's own name never names half an archive";
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_FALSE(QFile::exists(costruzione)) << "what was built is removed";
    }
    QDir().rmdir(costruzione + "-journal");
    DefinizioneDataBase();
    EXPECT_EQ(db::Database::open(path.toStdString())->scalar("SELECT revisione FROM Revisione").toText(), "030104");
    EXPECT_FALSE(QFile::exists(costruzione));
}

// The program killed while it built the archive left the half-built file under the building
// name: the next start builds the archive as if nothing had happened.
TEST_F(ArchivioFascoleTest, WhatAnInterruptedCreationLeftDoesNotBlockTheNext) {
    writeFile(NomeArchivioInCostruzione(path), "half an archive");
    writeFile(NomeArchivioInCostruzione(path) + "-journal", "its journal");
    ScriptedMessages box;  // not a word
    DefinizioneDataBase();
    auto db = db::Database::open(path.toStdString());
    EXPECT_EQ(db->scalar("SELECT revisione FROM Revisione").toText(), "030104");
    EXPECT_EQ(db->scalar("SELECT count(*) FROM sqlite_master WHERE type = 'table'").toInt(), 11);
    EXPECT_FALSE(QFile::exists(NomeArchivioInCostruzione(path)));
}

// What creations of this computer's ended processes left under the archive's name goes at the
// next creation; another computer's, or a running process's, stays.
TEST_F(ArchivioFascoleTest, LeftoversOfEndedProcessesGoAtTheNextCreation) {
    QProcess finito;
    finito.start("true", {});
    ASSERT_TRUE(finito.waitForStarted());
    const QString pid = QString::number(finito.processId());
    ASSERT_TRUE(finito.waitForFinished());
    const QString costruzione = NomeArchivioInCostruzione(path);
    const QString macchina = sys::ReadTemporaryName(QFileInfo(costruzione).fileName())->host;
    const QString lasciato = path + "." + macchina + "-" + pid + ".tmp";
    const QString altrui = path + ".ALTRO-" + pid + ".tmp";
    const QString inCorso = path + "." + macchina + "-1.tmp";  // a process that runs
    for (const QString& f : {lasciato, lasciato + "-journal", altrui, inCorso}) writeFile(f, "half an archive");
    ScriptedMessages box;
    DefinizioneDataBase();
    EXPECT_EQ(db::Database::open(path.toStdString())->scalar("SELECT revisione FROM Revisione").toText(), "030104");
    EXPECT_FALSE(QFile::exists(lasciato));
    EXPECT_FALSE(QFile::exists(lasciato + "-journal"));
    EXPECT_TRUE(QFile::exists(altrui));
    EXPECT_TRUE(QFile::exists(inCorso));
}

// A new archive replaces nothing the session holds: the session is let go before it is made,
// and the next use opens the new file.
TEST_F(ArchivioFascoleTest, CreationLetsTheSessionGo) {
    DefinizioneDataBase();
    ArchivioInUso()->execute("INSERT INTO Elefat (codice) VALUES ('OLD')");
    QFile::remove(path);
    DefinizioneDataBase();
    EXPECT_EQ(ArchivioInUso()->scalar("SELECT count(*) FROM Elefat").toInt(), 0);
}

TEST_F(ArchivioFascoleTest, ArchivePathMayBeWrittenWithBackslashes) {
    AmbienteLavoro().PathArchivioFascole = QString(path).replace('/', '\\');
    DefinizioneDataBase();
    EXPECT_EQ(db::Database::open(path.toStdString())->scalar("SELECT revisione FROM Revisione").toText(), "030104");
}

}  // namespace
