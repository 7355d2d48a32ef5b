#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "accounting/engine/ArchivioContabile.h"
#include "accounting/engine/ParametriContabili.h"
#include "accounting/engine/SchemaContabile.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/system/Paths.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

TEST(NomeArchivioContabile, JoinsFolderAcronymFiveDigitIdAndYear) {
    struct Caso {
        const char* dove;
        const char* acronimo;
        const char* id;
        const char* esercizio;
        const char* atteso;
    };
    const Caso casi[] = {
        {"C:\\CONTAB\\", "ROSSI", "7", "2003", "C:\\CONTAB\\ROSSI\\00007_2003.mdb"},
        {"C:\\CONTAB\\", "ROSSI", "12345", "2003", "C:\\CONTAB\\ROSSI\\12345_2003.mdb"},
        {"C:\\CONTAB\\", "ROSSI", "123456", "2003", "C:\\CONTAB\\ROSSI\\23456_2003.mdb"},
        {"D:\\DATI\\", "D'ANGELO \"SRL\"", "40", "2010", "D:\\DATI\\D'ANGELO \"SRL\"\\00040_2010.mdb"},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(NomeArchivioContabile(c.dove, c.acronimo, c.id, c.esercizio), c.atteso) << c.id;
}

TEST(PercorsoDiRete, DriveOfTheCompaniesListMachineBecomesItsShare) {
    struct Caso {
        const char* locale;
        const char* archivio;
        const char* percorso;
        const char* atteso;
    };
    const Caso casi[] = {
        {"PC1", "SERVER", "C:\\CONTAB\\ROSSI\\00007_2003.mdb", "\\\\SERVER\\C\\CONTAB\\ROSSI\\00007_2003.mdb"},
        {"SERVER", "SERVER", "C:\\CONTAB\\ROSSI\\00007_2003.mdb", "C:\\CONTAB\\ROSSI\\00007_2003.mdb"},
        // Names are compared with their case.
        {"server", "SERVER", "C:\\CONTAB\\ROSSI\\00007_2003.mdb", "\\\\SERVER\\C\\CONTAB\\ROSSI\\00007_2003.mdb"},
        // A folder already given as a network path is reached as it is.
        {"PC1", "SERVER", "\\\\NAS\\CONTAB\\ROSSI\\00007_2003.mdb", "\\\\NAS\\CONTAB\\ROSSI\\00007_2003.mdb"},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(PercorsoDiRete(c.percorso, c.locale, c.archivio), c.atteso) << c.locale << " " << c.archivio;
}

class DefinizionePath : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        ParametriContabili() = {};
    }
    void TearDown() override {
        RipristinaAmbiente();
        sys::OverrideHostName(std::nullopt);
        qunsetenv("FASCOLE_MOUNT_ROOT");
    }

    TempDir dir;
    ScriptedMessages box;  // no message is expected unless a test says so
};

TEST_F(DefinizionePath, FindsTheArchiveAndReadsItsParameters) {
    AccountingFixture contab(dir.path());
    const QString archivio = contab.creaCampione();
    contab.collega("ROSSI", "2004");
    AmbienteLavoro().PathArchivioContabile = "left over";

    DefinizionePathNameZolpa();

    EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, contab.dove() + "ROSSI\\00007_2004.mdb");
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, archivio);
    EXPECT_EQ(ParametriContabili().ContoIvaVendite, "02.02.01.0001");
}

// The companies list holds the folder of the company folders in 50 characters, while a
// test's folder lies wherever the temporary folder is: however deep, the path composed from
// the list reaches the archive.
TEST_F(DefinizionePath, FindsTheArchiveHoweverDeepTheFixturesFolderLies) {
    for (const int profondita : {1, 100}) {
        SCOPED_TRACE(profondita);
        ParametriContabili() = {};
        const QString cartella = dir.file(QString(profondita, 'x'));
        ASSERT_TRUE(QDir().mkpath(cartella));
        AccountingFixture contab(cartella);
        const QString archivio = contab.creaCampione();
        contab.collega("ROSSI", "2004");

        DefinizionePathNameZolpa();

        EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
        EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, archivio);
        EXPECT_EQ(QFileInfo(sys::LocalPath(archivio)).canonicalFilePath(),
                  QFileInfo(cartella + "/ROSSI/00007_2004.mdb").canonicalFilePath());
        EXPECT_EQ(ParametriContabili().ContoIvaVendite, "02.02.01.0001");
        RipristinaAmbiente();  // the session lets the archive go before its fixture does
    }
}

TEST_F(DefinizionePath, LinkOffOpensNothing) {
    AmbienteLavoro().CollegatoContabilita = false;
    AmbienteLavoro().PathArchivioDitte = dir.file("missing/ditte.mdb");
    AmbienteLavoro().PathArchivioContabile = "left over";

    DefinizionePathNameZolpa();

    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, "");
    EXPECT_FALSE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(DefinizionePath, UnknownCompanyOrMissingYearSwitchesTheLinkOffSilently) {
    AccountingFixture contab(dir.path());
    contab.creaCampione();
    ParametriContabili().ContoIvaVendite = "untouched";
    for (auto [ditta, esercizio] : {std::pair{"BIANCHI", "2004"}, std::pair{"ROSSI", "2005"}}) {
        contab.collega("ROSSI", "2004");
        ParametriFattura().Ditta = ditta;
        ParametriFattura().Esercizio = esercizio;

        DefinizionePathNameZolpa();

        EXPECT_FALSE(AmbienteLavoro().CollegatoContabilita) << ditta << esercizio;
        EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, "") << ditta << esercizio;
    }
    EXPECT_EQ(ParametriContabili().ContoIvaVendite, "untouched");
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(DefinizionePath, AcronymMatchesWhateverTheCaseAndThePathKeepsTheConfiguredOne) {
    AccountingFixture contab(dir.path());
    contab.aggiungiDitta("rossi", 12345);
    contab.creaArchivio("rossi", "2004");
    AccountingFixture::apri(contab.pathDitte())->execute("UPDATE ditte SET Acronimo = 'ROSSI'");
    contab.collega("rossi", "2004");

    DefinizionePathNameZolpa();

    EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, contab.dove() + "rossi\\12345_2004.mdb");
}

TEST_F(DefinizionePath, QuotesInTheAcronymAreMatchedLikeAnyOtherCharacter) {
    AccountingFixture contab(dir.path());
    const QString acronimo = "D'ANGELO \"SRL\"";
    contab.aggiungiDitta("ALTRA", 1);
    contab.aggiungiDitta(acronimo, 123456);
    const QString archivio = contab.creaArchivio(acronimo, "2004");
    contab.collega(acronimo, "2004");

    DefinizionePathNameZolpa();

    EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, archivio);
    EXPECT_TRUE(archivio.endsWith("\\23456_2004.mdb"));
}

// The companies list on SERVER, this computer PC1: the drive path stored in the list is
// reached through SERVER's share of that drive (mounted here under FASCOLE_MOUNT_ROOT).
TEST_F(DefinizionePath, CompaniesListOnAnotherMachineReachesTheArchiveThroughItsShare) {
    qputenv("FASCOLE_MOUNT_ROOT", dir.path().toUtf8());
    sys::OverrideHostName("PC1");
    const QString condivisa = dir.path() + "/SERVER/C/CONTAB";
    QDir().mkpath(condivisa + "/ROSSI");
    AccountingFixture contab(condivisa);
    contab.aggiungiDitta("ROSSI", 7, "C:\\CONTAB\\");
    {
        auto db = db::Database::create((condivisa + "/ROSSI/00007_2003.mdb").toStdString());
        AccountingFixture::creaTabelle(*db, SchemaArchivioContabile());
        AccountingFixture::riempiCampione(*db, "2003");
    }
    fixtures::CaseFileArchive fascole(dir.file("Fascole.mdb"));
    AmbienteLavoro().PathArchivioFascole = fascole.path();
    AmbienteLavoro().CollegatoContabilita = true;
    AmbienteLavoro().PathArchivioDitte = "\\\\SERVER\\C\\CONTAB\\ditte.mdb";
    AmbienteLavoro().MacchinaLocale = "PC1";
    AmbienteLavoro().MacchinaArchivioDitte = "SERVER";
    ParametriFattura().Ditta = "ROSSI";
    ParametriFattura().Esercizio = "2003";

    DefinizionePathNameZolpa();

    EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, "\\\\SERVER\\C\\CONTAB\\ROSSI\\00007_2003.mdb");
    EXPECT_EQ(ParametriContabili().Esercizio, "2003");
}

TEST_F(DefinizionePath, UnreadableCompaniesListGoesToTheErrorHandler) {
    AmbienteLavoro().CollegatoContabilita = true;
    AmbienteLavoro().PathArchivioDitte = dir.file("ditte.mdb");
    ParametriFattura().Ditta = "ROSSI";
    ParametriFattura().Esercizio = "2004";
    box.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");

    DefinizionePathNameZolpa();

    ASSERT_EQ(box.messageTexts().size(), 1);
    EXPECT_TRUE(box.messageTexts()[0].contains("Funzione: Funzione di definizione PathName di Zolpa"));
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, "");
}

}  // namespace
