// A write done whole or not at all: what is committed after a refusal, a success, a retried
// failure and a failure that leaves the procedure.
#include "foundation/engine/ScritturaInTransazione.h"

#include <gtest/gtest.h>

#include "foundation/engine/GestioneErrori.h"
#include "platform/db/DbError.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

enum class Esito { Fatta, Rifiutata, NonFatta };

class ScritturaInTransazioneTest : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAttesaBlocco();
        archivio = db::Database::create(cartella.file("prova.mdb").toStdString());
        archivio->execute("CREATE TABLE t (n INTEGER)");
    }
    void TearDown() override { RipristinaAttesaBlocco(); }

    Esito scrivi(const std::function<std::optional<Esito>()>& lavoro) {
        return ScritturaInTransazione(*archivio, "Funzione di prova", Esito::Fatta, Esito::NonFatta, lavoro);
    }
    int righe() { return archivio->scalar("SELECT count(*) FROM t").toInt(); }
    void inserisci(int n) { archivio->execute("INSERT INTO t (n) VALUES (?)", {n}); }

    TempDir cartella;
    std::unique_ptr<db::Database> archivio;
};

TEST_F(ScritturaInTransazioneTest, ARefusalCommitsNothingAndASuccessCommitsEverything) {
    EXPECT_EQ(scrivi([&]() -> std::optional<Esito> {
                  inserisci(1);
                  return Esito::Rifiutata;
              }),
              Esito::Rifiutata);
    EXPECT_EQ(righe(), 0);
    EXPECT_FALSE(archivio->inTransaction());

    EXPECT_EQ(scrivi([&]() -> std::optional<Esito> {
                  inserisci(1);
                  inserisci(2);
                  return std::nullopt;
              }),
              Esito::Fatta);
    EXPECT_EQ(righe(), 2);
    EXPECT_FALSE(archivio->inTransaction());
}

TEST_F(ScritturaInTransazioneTest, ARetriedFailureRunsTheWholeWriteAgainInANewTransaction) {
    ScriptedMessages box;
    box.expectMessage(Answer::Retry, std::nullopt, "GESTIONE DEGLI ERRORI");
    int volte = 0;
    EXPECT_EQ(scrivi([&]() -> std::optional<Esito> {
                  inserisci(++volte);
                  if (volte == 1) throw db::DbError(3163, "troppo lungo");
                  return std::nullopt;
              }),
              Esito::Fatta);
    EXPECT_EQ(volte, 2);
    // Only the second run's row: the first one's went with its transaction.
    EXPECT_EQ(righe(), 1);
    EXPECT_EQ(archivio->scalar("SELECT n FROM t").toInt(), 2);
}

TEST_F(ScritturaInTransazioneTest, AFailureLeftOrSkippedWritesNothing) {
    for (Answer risposta : {Answer::Abort, Answer::Ignore}) {
        ScriptedMessages box;
        box.expectMessage(risposta, std::nullopt, "GESTIONE DEGLI ERRORI");
        EXPECT_EQ(scrivi([&]() -> std::optional<Esito> {
                      inserisci(1);
                      throw db::DbError(3022, "doppio");
                  }),
                  Esito::NonFatta);
        EXPECT_EQ(righe(), 0);
        EXPECT_FALSE(archivio->inTransaction());
    }
}

}  // namespace
