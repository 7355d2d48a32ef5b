// The program's session: one connection to the case-file archive, the accounting archive
// attached to it while the link is on, following the paths the dialogs change.
#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <memory>
#include <stdexcept>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "platform/system/Paths.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

class SessioneTest : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        fascoleA.addCatalogueItem("AAA");
        fascoleB.addCatalogueItem("BBB");
        fascoleA.close();
        fascoleB.close();
        contab.aggiungiDitta("ROSSI", 7);
        contab.aggiungiDitta("BIANCHI", 12);
        contabileX = contab.creaArchivio("ROSSI", "2004");
        contabileY = contab.creaArchivio("BIANCHI", "2005");
        AccountingFixture::apri(contabileY)->execute("UPDATE ivaregistri SET numerofattura = 500 WHERE codice = 'V'");
        AmbienteLavoro().PathArchivioFascole = fascoleA.path();
    }
    void TearDown() override { RipristinaAmbiente(); }

    void collegaA(const QString& contabile) {
        AmbienteLavoro().CollegatoContabilita = true;
        AmbienteLavoro().PathArchivioContabile = contabile;
    }
    // What the session reads in each file: the catalogue of the case-file archive, the
    // invoice counter of the accounting archive (Null when none is attached).
    std::pair<std::string, db::Value> letto() {
        const Connessione s = ArchivioInUso();
        const std::string catalogo = s->scalar("SELECT codice FROM elefat").toText();
        db::Value contatore;
        if (s->isAttached(SchemaContabile))
            contatore = s->scalar("SELECT numerofattura FROM ivaregistri WHERE codice = 'V'");
        return {catalogo, contatore};
    }

    TempDir dir;
    fixtures::CaseFileArchive fascoleA{dir.file("A.mdb")}, fascoleB{dir.file("B.mdb")};
    AccountingFixture contab{dir.path()};
    QString contabileX, contabileY;
    ScriptedMessages box;
};

TEST_F(SessioneTest, OneConnectionForAsLongAsTheArchivesStayTheSame) {
    const long long prima = db::Database::opened();
    const Connessione s = ArchivioInUso();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ArchivioInUso(), s);
    EXPECT_EQ(db::Database::opened() - prima, 1);
    EXPECT_EQ(s->journalMode(), "delete");
}

// A connection taken from the session stays open and on its archive while it is held, however
// the session moves on; the last hold let go closes it.
TEST_F(SessioneTest, AConnectionHeldOutlivesTheSessionThatGaveIt) {
    const struct {
        const char* come;
        std::function<void()> sposta;
    } casi[] = {
        {"another case-file archive", [&] { AmbienteLavoro().PathArchivioFascole = fascoleB.path(); }},
        {"the session closed", [] { ChiudiSessione(); }},
    };
    for (const auto& c : casi) {
        AmbienteLavoro().PathArchivioFascole = fascoleA.path();
        Connessione presa = ArchivioInUso();
        const std::weak_ptr<db::Database> vecchia = presa;
        c.sposta();
        EXPECT_NE(ArchivioInUso(), presa) << c.come;
        EXPECT_EQ(presa->scalar("SELECT codice FROM elefat").toText(), "AAA") << c.come;
        presa.reset();
        EXPECT_TRUE(vecchia.expired()) << c.come;
    }
}

TEST_F(SessioneTest, FollowsThePathsAndTheLink) {
    const long long prima = db::Database::opened();
    EXPECT_EQ(letto(), std::make_pair(std::string("AAA"), db::Value()));

    collegaA(contabileX);
    EXPECT_EQ(letto(), std::make_pair(std::string("AAA"), db::Value(12)));
    EXPECT_EQ(ArchivioInUso()->journalMode(SchemaContabile), "delete") << "both files on the rollback journal";

    // Another company: the same connection, the other archive attached.
    collegaA(contabileY);
    EXPECT_EQ(letto(), std::make_pair(std::string("AAA"), db::Value(500)));
    EXPECT_EQ(db::Database::opened() - prima, 1);

    AmbienteLavoro().CollegatoContabilita = false;
    EXPECT_EQ(letto(), std::make_pair(std::string("AAA"), db::Value()));

    // Another case-file archive: a new connection, the link as it stands attached again.
    AmbienteLavoro().PathArchivioFascole = fascoleB.path();
    collegaA(contabileX);
    EXPECT_EQ(letto(), std::make_pair(std::string("BBB"), db::Value(12)));
    EXPECT_EQ(db::Database::opened() - prima, 2);
}

TEST_F(SessioneTest, OneTransactionCoversBothFiles) {
    collegaA(contabileX);
    {
        db::Transaction t(*ArchivioInUso());
        ArchivioInUso()->execute("UPDATE ivaregistri SET numerofattura = 13");
        ArchivioInUso()->execute("INSERT INTO elefat (codice) VALUES ('NEW')");
    }  // rolled back
    EXPECT_EQ(AccountingFixture::apri(contabileX)->scalar("SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").toInt(), 12);
    EXPECT_EQ(db::Database::open(fascoleA.path().toStdString())->scalar("SELECT count(*) FROM elefat").toInt(), 1);
    {
        db::Transaction t(*ArchivioInUso());
        ArchivioInUso()->execute("UPDATE ivaregistri SET numerofattura = 13");
        ArchivioInUso()->execute("INSERT INTO elefat (codice) VALUES ('NEW')");
        t.commit();
    }
    EXPECT_EQ(AccountingFixture::apri(contabileX)->scalar("SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").toInt(), 13);
    EXPECT_EQ(db::Database::open(fascoleA.path().toStdString())->scalar("SELECT count(*) FROM elefat").toInt(), 2);
}

TEST_F(SessioneTest, ThePathsCannotChangeUnderAnOpenTransaction) {
    collegaA(contabileX);
    db::Transaction t(*ArchivioInUso());
    collegaA(contabileY);
    EXPECT_THROW(ArchivioInUso(), std::logic_error);
    collegaA(contabileX);
    AmbienteLavoro().PathArchivioFascole = fascoleB.path();
    EXPECT_THROW(ArchivioInUso(), std::logic_error);
    AmbienteLavoro().PathArchivioFascole = fascoleA.path();
    EXPECT_TRUE(ArchivioInUso()->inTransaction()) << "the transaction is still there to finish";
}

TEST_F(SessioneTest, AnAccountingArchiveThatCannotBeAttachedLeavesTheCaseFilesAtHand) {
    const QString manca = dir.file("00007_2006.mdb");
    collegaA(manca);
    EXPECT_EQ(letto(), std::make_pair(std::string("AAA"), db::Value()));
    try {
        *ArchivioContabileInUso();
        ADD_FAILURE() << "no accounting archive to work on";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, db::err::FileNotFound);
    }
    // Once the file is there, the next use attaches it.
    ASSERT_TRUE(QFile::copy(sys::LocalPath(contabileX), manca));
    EXPECT_EQ(letto(), std::make_pair(std::string("AAA"), db::Value(12)));
    EXPECT_EQ(ArchivioContabileInUso(), ArchivioInUso());
}

TEST_F(SessioneTest, ASessionThatCannotBeOpenedGoesToTheCallersHandler) {
    AmbienteLavoro().PathArchivioFascole = dir.file("manca.mdb");
    box.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    Procedura proc("Funzione di prova");
    EXPECT_EQ(ArchivioInUso(proc), nullptr);
    ASSERT_EQ(box.messageTexts().size(), 1);
    EXPECT_TRUE(box.messageTexts()[0].startsWith("Si è verificato l'errore  3024\n"));
    EXPECT_TRUE(box.messageTexts()[0].contains("Funzione: Funzione di prova"));
    EXPECT_TRUE(proc.abbandonata());
}

}  // namespace
