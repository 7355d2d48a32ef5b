#include "startup/engine/FileIni.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/db/DbError.h"
#include "platform/system/FileSystem.h"
#include "support/Files.h"
#include "support/TempDir.h"

namespace {


}  // namespace

TEST(FileIni, EveryValueIsWrittenUnchangedAndEndedByCrLf) {
    TempDir dir;
    const QString path = dir.file("Fascola.ini");
    ScriviFileIni(path, {"C:\\dati, 2004\\fascole.mdb", "NO", " spazi ", "3.1.4"});
    EXPECT_EQ(contentOf(path), QByteArray("C:\\dati, 2004\\fascole.mdb\r\nNO\r\n spazi \r\n3.1.4\r\n"));
}

TEST(FileIni, WritingReplacesTheWholeFile) {
    TempDir dir;
    const QString path = dir.file("Fascola.ini");
    writeFile(path, "uno\r\ndue\r\ntre\r\nquattro\r\ncinque\r\nsei\r\n");
    ScriviFileIni(path, {"a", "b", "c", "d"});
    EXPECT_EQ(contentOf(path), QByteArray("a\r\nb\r\nc\r\nd\r\n"));
}

// The file's new name lasts through a power cut: its folder is flushed to the disk once the
// file has it.
TEST(FileIni, TheWrittenFileIsSyncedIntoItsFolder) {
    static QStringList passi;
    passi.clear();
    sys::SetCheckpointHook([](const char* cosa) { passi << cosa; });
    TempDir dir;
    ScriviFileIni(dir.file("Fascola.ini"), {"a", "b", "c", "d"});
    sys::SetCheckpointHook(nullptr);
    EXPECT_EQ(passi, QStringList{"folder synced"});
}

TEST(FileIni, EachLineIsOneValueCommasAndQuotesIncluded) {
    struct Caso {
        QByteArray file;
        QStringList valori;
    };
    const Caso casi[] = {
        {"C:\\a,b\\f.mdb\r\nNO\r\nNO\r\n1.0.0\r\n", {"C:\\a,b\\f.mdb", "NO", "NO", "1.0.0"}},
        {"\"quoted\"\r\nx\r\n", {"\"quoted\"", "x"}},
        {"a\r\nb\r\nc\r\n", {"a", "b", "c"}},
        {"a\nb\n", {"a", "b"}},            // line feeds alone
        {"a\r\nb", {"a", "b"}},            // last line without its end
        {"a\r\n\r\nc\r\n", {"a", "", "c"}},  // an empty line is an empty value
        {"", {}},
    };
    TempDir dir;
    const QString path = dir.file("Fascola.ini");
    for (const Caso& c : casi) {
        writeFile(path, c.file);
        EXPECT_EQ(LeggiFileIni(path), c.valori) << c.file.toStdString();
    }
}

TEST(FileIni, AMissingFileIsAnErrorForTheHandler) {
    TempDir dir;
    try {
        LeggiFileIni(dir.file("Fascola.ini"));
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, 53);
    }
}

TEST(FileIni, AFolderThatCannotBeWrittenIsAnErrorForTheHandler) {
    TempDir dir;
    const QString path = dir.file("manca/Fascola.ini");
    EXPECT_THROW(ScriviFileIni(path, {"a"}), db::DbError);
}

// The handler's message names the file between double quotes.
TEST(FileIni, TheErrorNamesTheFileBetweenDoubleQuotes) {
    TempDir dir;
    struct Caso {
        const char* nome;
        std::function<void(const QString&)> operazione;
        QString path;
        QString descrizione;
    };
    const Caso casi[] = {
        {"read", [](const QString& p) { LeggiFileIni(p); }, dir.file("Fascola.ini"), "File non trovato"},
        {"written", [](const QString& p) { ScriviFileIni(p, {"a"}); }, dir.file("manca/Fascola.ini"),
         "Errore di accesso al percorso/file"},
    };
    for (const Caso& c : casi) {
        try {
            c.operazione(c.path);
            ADD_FAILURE() << c.nome << ": no error";
        } catch (const db::DbError& e) {
            EXPECT_EQ(QString::fromStdString(e.description), c.descrizione + " \"" + c.path + "\"") << c.nome;
        }
    }
}

TEST(FileIni, TheFileLivesInTheStartFolder) {
    EXPECT_EQ(PercorsoFileIni("/home/u/Fascole"), "/home/u/Fascole/Fascola.ini");
    EXPECT_EQ(PercorsoFileIni("/home/u/Fascole/"), "/home/u/Fascole/Fascola.ini");
    EXPECT_EQ(PercorsoFileIni("C:\\Fascole"), "C:\\Fascole\\Fascola.ini");
}
