// What Ignore means: go on past the failed statement, except inside an operation that must be
// done whole, which it leaves.
#include <gtest/gtest.h>

#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/DbError.h"
#include "support/ScriptedMessages.h"

using ui::Answer;

namespace {

void fallisce() { throw db::DbError(3022, "dup"); }

class ProceduraTest : public ::testing::Test {
protected:
    void SetUp() override { RipristinaAttesaBlocco(); }
    void TearDown() override { RipristinaAttesaBlocco(); }
};

TEST_F(ProceduraTest, IgnoreGoesOnOutsideAnOperationAndLeavesInsideOne) {
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
        Procedura p("Funzione di prova");
        bool dopo = false;
        EXPECT_FALSE(OperazioneIndivisibile::inCorso());
        EXPECT_TRUE(p.esegui(fallisce)) << "the statement is skipped";
        EXPECT_TRUE(p.esegui([&] { dopo = true; }));
        EXPECT_TRUE(dopo);
        EXPECT_TRUE(p.fallita());
        EXPECT_FALSE(p.abbandonata());
    }
    for (Answer risposta : {Answer::Ignore, Answer::Abort}) {
        ScriptedMessages box;
        box.expectMessage(risposta, std::nullopt, "GESTIONE DEGLI ERRORI");
        OperazioneIndivisibile operazione;
        EXPECT_TRUE(OperazioneIndivisibile::inCorso());
        Procedura p("Funzione di prova");
        bool dopo = false;
        EXPECT_FALSE(p.esegui(fallisce));
        EXPECT_FALSE(p.esegui([&] { dopo = true; }));
        EXPECT_FALSE(dopo) << "nothing runs once the procedure is left";
        EXPECT_TRUE(p.abbandonata());
        EXPECT_TRUE(operazione.interrotta());
    }
    EXPECT_FALSE(OperazioneIndivisibile::inCorso());
}

TEST_F(ProceduraTest, RetryStillRepeatsTheStatementInsideAnOperation) {
    ScriptedMessages box;
    box.expectMessage(Answer::Retry, std::nullopt, "GESTIONE DEGLI ERRORI");
    OperazioneIndivisibile operazione;
    Procedura p("Funzione di prova");
    int volte = 0;
    EXPECT_TRUE(p.esegui([&] {
        if (++volte == 1) fallisce();
    }));
    EXPECT_EQ(volte, 2);
    EXPECT_FALSE(operazione.interrotta());
}

TEST_F(ProceduraTest, APartLeftInterruptsEveryOperationAroundIt) {
    ScriptedMessages box;
    box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
    OperazioneIndivisibile esterna;
    {
        OperazioneIndivisibile interna;
        Procedura parte("Funzione interna");
        EXPECT_FALSE(parte.esegui(fallisce));
        EXPECT_TRUE(interna.interrotta());
    }
    EXPECT_TRUE(esterna.interrotta()) << "the whole is not done either";
    EXPECT_TRUE(OperazioneIndivisibile::inCorso());
    {
        // An operation that starts afterwards starts whole.
        OperazioneIndivisibile seguente;
        EXPECT_FALSE(seguente.interrotta());
    }
}

TEST_F(ProceduraTest, AnEssentialStatementSkippedOutsideAnOperationStopsOnlyItsProcedure) {
    ScriptedMessages box;
    box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
    Procedura p("Funzione di prova");
    EXPECT_FALSE(p.essenziale(fallisce));
    EXPECT_FALSE(p.abbandonata());
    EXPECT_TRUE(p.esegui([] {})) << "the caller decides what follows";
}

}  // namespace
