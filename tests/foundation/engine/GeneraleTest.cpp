#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "platform/db/DbError.h"
#include "platform/system/Paths.h"
#include "support/CartellaSolaLettura.h"
#include "support/ScriptedMessages.h"

namespace {

TEST(ImportoDaTesto, ConvertsAndRewritesTheCallersText) {
    const struct { const char* typed; const char* amount; const char* after; } cases[] = {
        {"", "0", ""},
        {"abc", "0", "abc"},
        {"12.50", "12.5", "12,50"},
        {"1.5", "1.5", "1,5"},
        {"1.23", "1.23", "1,23"},
        {"1.234", "1234", "1.234"},
        {"1.234,56", "1234.56", "1.234,56"},
        {"1.2.3", "123", "1.2.3"},
        {"-5,5", "-5.5", "-5,5"},
        {"€ 1.000,00", "1000", "€ 1.000,00"},
        {"0,00005", "0", "0,00005"},  // beyond four decimals: half to even
        {"0,00015", "0.0002", "0,00015"},
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.typed);
        EXPECT_EQ(ImportoDaTesto(text).toPlainString(), c.amount) << c.typed;
        EXPECT_EQ(text, QString::fromUtf8(c.after)) << c.typed;
    }
}

TEST(ImportoDaTesto, TextThatIsStillNoNumberIsATypeMismatch) {
    for (const char* typed : {"1,2,3", "5-3", "--1", "-", ","}) {
        QString text = typed;
        try {
            ImportoDaTesto(text);
            ADD_FAILURE() << typed << " was accepted";
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.number, 13) << typed;
        }
    }
}

TEST(ImportoDaTesto, ANumberBeyondTheRangeIsTheOverflowError) {
    const struct { const char* typed; int error; const char* amount; } cases[] = {
        {"922.337.203.685.477,5807", 0, "922337203685477.5807"},
        {"-922.337.203.685.477,5808", 0, "-922337203685477.5808"},
        {"922.337.203.685.477,5808", 6, ""},
        {"-922.337.203.685.477,5809", 6, ""},
        {"99999999999999999999999999", 6, ""},
        {"99999999999999999999,1,2", 13, ""},
    };
    for (const auto& c : cases) {
        QString text = c.typed;
        try {
            EXPECT_EQ(ImportoDaTesto(text).toPlainString(), c.amount) << c.typed;
            EXPECT_EQ(c.error, 0) << c.typed;
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.number, c.error) << c.typed;
        }
    }
}

TEST(DateHelpers, CompletaDataAndDataPerSql) {
    const struct { const char* typed; const char* completed; } cases[] = {
        {"05/03/04", "05/03/2004"}, {"050304", "05/03/2004"}, {"050399", "05/03/2099"},
        {"05/03/2004", "05/03/2004"}, {"5/3/04", "NO_DATA"}, {"5/3/2004", "NO_DATA"},
        {"31/02/2004", "NO_DATA"}, {"", "NO_DATA"}, {"05-03-04", "NO_DATA"}, {"ab0304", "NO_DATA"},
    };
    for (const auto& c : cases) {
        const QString typed = c.typed;
        EXPECT_EQ(CompletaData(typed), c.completed) << c.typed;
        EXPECT_EQ(typed, QString(c.typed));
    }

    ScriptedMessages box;
    EXPECT_EQ(DataPerSql("05/03/2004"), "2004,03,05");
    box.expectMessage(ui::Answer::Ok, "ERRORE: si sta tentando di usare come data un oggetto che non è una data");
    EXPECT_EQ(DataPerSql("31/02/2004"), "");
}

TEST(PathHelpers, FolderFileAndMachine) {
    const struct { const char* path; const char* folder; const char* file; } cases[] = {
        {"C:\\dati\\archivio.mdb", "C:\\dati\\", "archivio.mdb"},
        {"C:\\dati\\", "C:\\dati\\", ""},
        {"archivio.mdb", "", "archivio.mdb"},
        {"/home/studio/dati/archivio.mdb", "/home/studio/dati/", "archivio.mdb"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CartellaDaPercorso(c.path), c.folder) << c.path;
        EXPECT_EQ(NomeFileDaPercorso(c.path), c.file) << c.path;
    }

    AmbienteLavoro().MacchinaLocale = "QUI";
    EXPECT_EQ(MacchinaDelPercorso("\\\\SERVER\\C\\dati\\ditte.mdb"), "SERVER");
    EXPECT_EQ(MacchinaDelPercorso("\\\\SERVER"), "SERVER");
    EXPECT_EQ(MacchinaDelPercorso("C:\\dati\\ditte.mdb"), "QUI");
    RipristinaAmbiente();
}

// A folder with or without its final separators: one rule for "\\" and "/" alike.
TEST(PathHelpers, FolderWithoutItsFinalSeparators) {
    const struct { const char* folder; const char* without; } cases[] = {
        {"C:\\fatture\\", "C:\\fatture"}, {"/srv/fatture/", "/srv/fatture"}, {"/srv/fatture/\\//", "/srv/fatture"},
        {"\\\\SRV\\fatture", "\\\\SRV\\fatture"},     {"fatture", "fatture"},           {"/", "/"},
        {"\\", "\\"},                                  {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CartellaSenzaSeparatoreFinale(c.folder), c.without) << c.folder;
}

class NomeMacchinaTest : public ::testing::Test {
protected:
    void SetUp() override { AmbienteLavoro().CartellaAvvio = dir.path(); }
    void TearDown() override {
        sys::OverrideHostName(std::nullopt);
        RipristinaAmbiente();
    }
    QTemporaryDir dir;
};

TEST_F(NomeMacchinaTest, SystemNameIsCleanedOfUnprintableCharacters) {
    sys::OverrideHostName(QString::fromUtf8("  studio-è01\t "));
    EXPECT_EQ(NomeMacchina(), "studio-01");
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("nome_macchina")));
}

TEST_F(NomeMacchinaTest, WithoutSystemNameTheFileIsCreatedThenRead) {
    sys::OverrideHostName(QString());
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, std::nullopt, "DEFINIRE IL NOME MACCHINA");
        EXPECT_EQ(NomeMacchina(), "DEFINIRE");
        EXPECT_TRUE(box.messageTexts().value(0).startsWith(
            "ATTENZIONE: nome macchina non leggibile dai parametri di sistema, è stato definito"));
    }
    {
        ScriptedMessages box;  // second start: read quietly
        EXPECT_EQ(NomeMacchina(), "DEFINIRE");
    }
    QFile f(QDir(dir.path()).filePath("nome_macchina"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("UFFICIO2,altro\r\n");
    f.close();
    EXPECT_EQ(NomeMacchina(), "UFFICIO2");
}

// A start folder that cannot be written: the program says that the file was not written, where
// and why, and what to do instead; it never says that the file was defined.
TEST_F(NomeMacchinaTest, AFileThatCannotBeWrittenIsToldSo) {
    sys::OverrideHostName(QString());
    CartellaSolaLettura solaLettura(dir.path());
    ASSERT_FALSE(solaLettura.scrivibile());
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok,
                      "ATTENZIONE: nome macchina non leggibile dai parametri di sistema, e non è stato possibile "
                      "scrivere il file nome_macchina nella cartella del programma \"" + dir.path() +
                          "\": mancano i permessi per scrivervi. Uscire dal programma e creare in quella cartella il "
                          "file nome_macchina contenente il giusto nome della macchina (una sola parola, senza "
                          "spazi), oppure consentire la scrittura nella cartella e avviare di nuovo il programma, "
                          "che definirà il file con la parola DEFINIRE da sostituire. Finché il file manca, il nome "
                          "macchina è DEFINIRE e il programma non può funzionare correttamente in rete.",
                      "DEFINIRE IL NOME MACCHINA");
    EXPECT_EQ(NomeMacchina(), "DEFINIRE");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

}  // namespace
