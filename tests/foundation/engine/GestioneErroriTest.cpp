#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <thread>

#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"

using ui::Answer;

namespace {

// A clock the test moves by hand: milliseconds since some day's midnight.
struct FakeClock {
    int64_t now = 0;
    FakeClock() { ImpostaOrologioAttese([this] { return now; }); }
    ~FakeClock() { ImpostaOrologioAttese(nullptr); }
    void at(int h, int m, int s) { now = ((h * 60 + m) * 60 + s) * 1000LL; }
    void advance(double seconds) { now += int64_t(seconds * 1000); }
};

class GestioneErroriTest : public ::testing::Test {
protected:
    void SetUp() override { RipristinaAttesaBlocco(); }
    void TearDown() override { RipristinaAttesaBlocco(); }
    FakeClock clock;
};

TEST_F(GestioneErroriTest, OrdinaryErrorAsksAtOnceAndMapsTheButtons) {
    const struct { Answer button; int result; } cases[] = {
        {Answer::Abort, 2}, {Answer::Retry, 0}, {Answer::Ignore, 1}, {Answer::Cancel, 2}};
    for (const auto& c : cases) {
        ScriptedMessages box;
        box.expectMessage(c.button,
                          "Si è verificato l'errore  3022\nChiave duplicata\nFunzione: Funzione di prova\n"
                          "Nessun suggerimento",
                          "GESTIONE DEGLI ERRORI");
        EXPECT_EQ(GestioneErrori(3022, db::ProgramSource, "Chiave duplicata", "Funzione di prova"), c.result);
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::AbortRetryIgnore);
        EXPECT_EQ(box.asked()[0].defaultButton, 0) << "Abort is the default";
        EXPECT_EQ(box.asked()[0].icon, ui::Icon::None);
    }
}

TEST_F(GestioneErroriTest, NegativeNumberHasNoExtraBlank) {
    ScriptedMessages box;
    box.expectMessage(Answer::Abort);
    GestioneErrori(-5, "", "x", "f");
    EXPECT_TRUE(box.messageTexts().value(0).startsWith("Si è verificato l'errore -5\n"));
}

TEST_F(GestioneErroriTest, LockConflictIsRetriedSilentlyForFifteenSeconds) {
    ScriptedMessages box;  // no question may be asked while waiting
    clock.at(10, 0, 0);
    for (double elapsed : {0.0, 5.0, 14.9}) {
        clock.at(10, 0, 0);
        clock.advance(elapsed);
        EXPECT_EQ(GestioneErrori(3260, "", "Bloccato", "Sub A"), Riprova) << elapsed;
    }
    clock.at(10, 0, 15);
    box.expectMessage(Answer::Retry,
                      "Si è verificato l'errore  3260\nBloccato\n"
                      "(è stato eseguito un ciclo di attesa di 15 secondi)\nFunzione: Sub A\nNessun suggerimento");
    EXPECT_EQ(GestioneErrori(3260, "", "Bloccato", "Sub A"), Riprova);
    // After the message a persisting lock starts a new silent cycle.
    clock.advance(1);
    EXPECT_EQ(GestioneErrori(3260, "", "Bloccato", "Sub A"), Riprova);
    EXPECT_EQ(box.asked().size(), 1u);
}

TEST_F(GestioneErroriTest, AnotherProcedureRestartsTheWait) {
    ScriptedMessages box;
    clock.at(9, 0, 0);
    GestioneErrori(3218, "", "x", "A");
    clock.advance(10);
    EXPECT_EQ(GestioneErrori(3218, "", "x", "B"), Riprova);
    clock.advance(10);  // 20 s after A began, 10 s after B
    EXPECT_EQ(GestioneErrori(3218, "", "x", "B"), Riprova);
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(GestioneErroriTest, WaitAcrossMidnightLastsFifteenSeconds) {
    ScriptedMessages box;
    clock.at(23, 59, 55);
    GestioneErrori(3261, "", "x", "A");
    clock.advance(14);  // 00:00:09 of the next day
    EXPECT_EQ(GestioneErrori(3261, "", "x", "A"), Riprova);
    EXPECT_TRUE(box.asked().empty());
    clock.advance(1);
    box.expectMessage(Answer::Ignore);
    EXPECT_EQ(GestioneErrori(3261, "", "x", "A"), Prosegui);
}

TEST_F(GestioneErroriTest, OrdinaryErrorLeavesAWaitAlone) {
    ScriptedMessages box;
    clock.at(8, 0, 0);
    GestioneErrori(3262, "", "x", "A");
    box.expectMessage(Answer::Ignore);
    GestioneErrori(3022, "", "dup", "A");
    clock.advance(5);
    EXPECT_EQ(GestioneErrori(3262, "", "x", "A"), Riprova);
}

TEST_F(GestioneErroriTest, ProcedureRetriesSkipsOrLeavesAsAnswered) {
    int calls = 0;
    auto failingTwice = [&] {
        if (++calls <= 2) throw db::DbError(3022, "dup");
    };
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Retry).expectMessage(Answer::Retry);
        Procedura p("Funzione di prova");
        EXPECT_TRUE(p.esegui(failingTwice));
        EXPECT_EQ(calls, 3);
        EXPECT_FALSE(p.fallita());
    }
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ignore).expectMessage(Answer::Abort);
        Procedura p("Funzione di prova");
        bool after = false;
        EXPECT_TRUE(p.esegui([] { throw db::DbError(3022, "dup"); }));
        EXPECT_FALSE(p.esegui([] { throw db::DbError(3022, "dup"); }));
        EXPECT_FALSE(p.esegui([&] { after = true; }));
        EXPECT_FALSE(after) << "nothing runs once the procedure is left";
        EXPECT_TRUE(p.abbandonata());
    }
}

TEST_F(GestioneErroriTest, LockClearedByRetryIsForgotten) {
    ScriptedMessages box;
    clock.at(12, 0, 0);
    int calls = 0;
    Procedura p("Sub di scrittura");
    EXPECT_TRUE(p.esegui([&] {
        if (++calls < 3) throw db::DbError(3218, "bloccato");
    }));
    // Much later a new conflict of the same procedure gets its own full wait.
    clock.advance(60);
    EXPECT_EQ(GestioneErrori(3218, "", "bloccato", "Sub di scrittura"), Riprova);
    EXPECT_TRUE(box.asked().empty());
}

// Two real connections: one holds the write lock, the other's insert is retried silently
// through the error handler until the lock is released.
TEST(LockConflict, RealLockIsWaitedOutSilently) {
    ImpostaOrologioAttese(nullptr);
    RipristinaAttesaBlocco();
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.mdb").toStdString();
    auto first = db::Database::create(path);
    first->execute("CREATE TABLE t (x INTEGER)");
    auto second = db::Database::open(path);

    auto holding = std::make_unique<db::Transaction>(*first);
    first->execute("INSERT INTO t VALUES (1)");
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        holding->commit();
    });

    ScriptedMessages box;  // the user must see nothing
    int attempts = 0;
    int lockNumber = 0;
    Procedura p("Sub di inserimento");
    const bool ok = p.esegui([&] {
        ++attempts;
        try {
            second->execute("INSERT INTO t VALUES (2)");
        } catch (const db::DbError& e) {
            lockNumber = e.number;
            throw;
        }
    });
    release.join();
    EXPECT_TRUE(ok);
    EXPECT_GT(attempts, 1);
    EXPECT_TRUE(db::err::isLockConflict(lockNumber)) << lockNumber;
    EXPECT_EQ(second->scalar("SELECT count(*) FROM t").toInt(), 2);
    EXPECT_TRUE(box.asked().empty());
}

}  // namespace
