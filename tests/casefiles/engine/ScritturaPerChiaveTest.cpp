// Corrections and deletions of rows shown some time ago, with another workstation (a second
// connection on the same file) changing, deleting and replacing rows in between. The program
// works on its session, ArchivioInUso(); the other workstation on a connection of its own.
#include <gtest/gtest.h>

#include <functional>

#include "casefiles/engine/Fascole.h"
#include "casefiles/engine/Incarichi.h"
#include "casefiles/engine/Lavorazioni.h"
#include "casefiles/engine/RicercaFascole.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/DbError.h"
#include "support/DbErrors.h"
#include "support/TempDir.h"

namespace {

constexpr int Eliminato = 3167;
constexpr int Modificato = 3197;

class ScritturaPerChiave : public ::testing::Test {
protected:
    ScritturaPerChiave() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    ~ScritturaPerChiave() override { RipristinaAmbiente(); }

    // The other workstation.
    db::Database& altra() { return fascole.db(); }

    std::string testo(const std::string& sql, const db::Params& p = {}) { return altra().scalar(sql, p).textOr(); }
    int conta(const std::string& sql, const db::Params& p = {}) { return int(altra().scalar(sql, p).toInt()); }

    Fascola fascola(const QString& cliente, const QString& npra) {
        CriteriRicerca c;
        c.cliente = cliente;
        const std::optional<ElencoFascole> trovate = CercaFascole(*ArchivioInUso(), c);
        for (const Fascola& f : *trovate)
            if (f.npra() == npra) return f;
        throw std::runtime_error("no such case file");
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(ScritturaPerChiave, ACaseFileCorrectedTwiceKeepsItsKeyAndNumber) {
    fascole.addCaseFile("R01", "0001", "2004-01-10",
                        {{"criterio", "M"}, {"camponote", "prima"}, {"rifcli", "A"}, {"numpranno", "2004.00001"}});
    Fascola letta = fascola("R01", "0001");
    CorreggiFascola(*ArchivioInUso(), letta, {"L", "02/03/2004", "seconda", "B", false});
    // What was stored is what it now holds as read, so a second correction finds it.
    CorreggiFascola(*ArchivioInUso(), letta, {"P", "03/03/2004", "terza", "C", true});
    EXPECT_EQ(letta.camponote(), "terza");
    EXPECT_EQ(letta.data(), "03/03/2004");
    EXPECT_EQ(testo("SELECT criterio || data || camponote || rifcli || stato || numpranno FROM fascola"),
              "P2004-03-03terzaC12004.00001");
}

// The same story for each kind of row: shown, then changed, deleted or deleted and replaced by
// the other workstation; the stale correction or deletion is refused and the other
// workstation's rows stay as it left them.
TEST_F(ScritturaPerChiave, AStaleCorrectionOrDeletionIsRefusedAndTouchesNoOtherRow) {
    struct Caso {
        const char* nome;
        std::function<void()> prepara;                    // the rows both workstations see
        std::function<void()> mostra;                     // the program reads its row
        std::function<void()> correggi, cancella;         // the program writes it back
        std::vector<std::pair<std::string, int>> altro;   // what the other workstation does, and the error
        std::string righeAltra;                           // the other workstation's rows afterwards
    };
    std::optional<Fascola> f;
    std::optional<Incarico> t;
    std::optional<Lavorazione> j;
    const auto fascolaDiProva = [&] {
        fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
        fascole.addCaseFile("R01", "0002", "2004-01-11", {{"numpranno", "2004.00002"}});
    };
    const std::vector<Caso> casi = {
        {"case file",
         fascolaDiProva,
         [&] { f = fascola("R01", "0002"); },
         [&] { CorreggiFascola(*ArchivioInUso(), *f, {"M", "01/01/2005", "A", "A", true}); },
         [&] { CancellaFascola(*ArchivioInUso(), *f); },
         {{"UPDATE fascola SET camponote = 'di B' WHERE npra = '0002'", Modificato},
          {"DELETE FROM fascola WHERE npra = '0002'", Eliminato},
          // Deleted and another client's case file added: it may take the freed row id.
          {"DELETE FROM fascola WHERE npra = '0002'; INSERT INTO fascola (cliente, npra, data, numpranno) "
           "VALUES ('B02', '0002', '2004-02-01', '2004.00003')",
           Eliminato},
          // Deleted, and the number given again to a new case file of the same client.
          {"DELETE FROM fascola WHERE npra = '0002'; INSERT INTO fascola (cliente, npra, data, numpranno) "
           "VALUES ('R01', '0002', '2004-02-01', '2004.00003')",
           Modificato}},
         "SELECT group_concat(cliente || npra || ifnull(camponote, '-') || numpranno, ' ') FROM "
         "(SELECT * FROM fascola ORDER BY cliente, npra)"},
        {"task",
         [&] {
             fascolaDiProva();
             fascole.addTask("R01", "0001", "0001", {{"titolo", "Uno"}});
             fascole.addTask("R01", "0001", "0002", {{"titolo", "Due"}});
         },
         [&] { t = LeggiIncarico(*ArchivioInUso(), "R01", "0001", "0002"); },
         [&] {
             Incarico nuovo = *t;
             nuovo.titolo = "Mio";
             CorreggiIncarico(*ArchivioInUso(), *t, nuovo);
         },
         [&] { CancellaIncarico(*ArchivioInUso(), *t); },
         {{"UPDATE task SET titolo = 'di B' WHERE ntask = '0002'", Modificato},
          {"DELETE FROM task WHERE ntask = '0002'", Eliminato},
          // Deleted, and a task of the same number added to another case file.
          {"DELETE FROM task WHERE ntask = '0002'; INSERT INTO task (cliente, npra, ntask, titolo) "
           "VALUES ('R01', '0002', '0002', 'Altra fascola')",
           Eliminato},
          {"DELETE FROM task WHERE ntask = '0002'; INSERT INTO task (cliente, npra, ntask, titolo) "
           "VALUES ('R01', '0001', '0002', 'Nuovo di B')",
           Modificato}},
         "SELECT group_concat(cliente || npra || ntask || titolo, ' ') FROM "
         "(SELECT * FROM task ORDER BY cliente, npra, ntask)"},
        {"job",
         [&] {
             fascolaDiProva();
             fascole.addTask("R01", "0001", "0001", {{"titolo", "Uno"}});
             fascole.addJob("R01", "0001", "0001", "0001", {{"descrizione", "Uno"}});
             fascole.addJob("R01", "0001", "0001", "0002", {{"descrizione", "Due"}});
         },
         [&] { j = LeggiLavorazione(*ArchivioInUso(), "R01", "0001", "0001", "0002"); },
         [&] {
             Lavorazione nuova = *j;
             nuova.descrizione = "Mia";
             CorreggiLavorazione(*ArchivioInUso(), *j, nuova);
         },
         [&] { CancellaLavorazione(*ArchivioInUso(), *j); },
         {{"UPDATE job SET puntatore = 'x.doc' WHERE njob = '0002'", Modificato},
          {"DELETE FROM job WHERE njob = '0002'", Eliminato},
          // Deleted, and a job of the same numbers added for another client.
          {"DELETE FROM job WHERE njob = '0002'; INSERT INTO job (cliente, npra, ntask, njob, descrizione) "
           "VALUES ('B02', '0001', '0001', '0002', 'Altro cliente')",
           Eliminato},
          {"DELETE FROM job WHERE njob = '0002'; INSERT INTO job (cliente, npra, ntask, njob, descrizione) "
           "VALUES ('R01', '0001', '0001', '0002', 'Nuova di B')",
           Modificato}},
         "SELECT group_concat(cliente || njob || descrizione || ifnull(puntatore, '-'), ' ') FROM "
         "(SELECT * FROM job ORDER BY cliente, njob)"},
    };
    for (const Caso& caso : casi) {
        for (const auto& [sql, numero] : caso.altro) {
            for (bool cancellazione : {false, true}) {
                SCOPED_TRACE(std::string(caso.nome) + (cancellazione ? " deleted after: " : " corrected after: ") +
                             sql);
                for (const char* tabella : {"job", "task", "fascola"}) altra().execute(std::string("DELETE FROM ") + tabella);
                caso.prepara();
                caso.mostra();
                for (const QString& istruzione : QString::fromStdString(sql).split("; "))
                    altra().execute(istruzione.toStdString());
                const std::string primaDellaScrittura = testo(caso.righeAltra);
                EXPECT_EQ(errorOf(cancellazione ? caso.cancella : caso.correggi), numero);
                EXPECT_EQ(testo(caso.righeAltra), primaDellaScrittura);
            }
        }
    }
}

TEST_F(ScritturaPerChiave, TasksAndJobsAreNumberedWithinWhatTheyBelongTo) {
    fascole.addTask("R01", "0001", "0001");
    fascole.addTask("R01", "0001", "0004");
    fascole.addTask("R01", "0002", "0009");  // another case file's numbers do not count
    fascole.addTask("B02", "0001", "0007");
    Incarico nuovo;
    nuovo.titolo = "Perizia";
    nuovo.data = QDate(2004, 3, 5);
    ASSERT_EQ(AggiungiIncarico(*ArchivioInUso(), "R01", "0001", nuovo), EsitoAggiunta::Aggiunta);
    EXPECT_EQ(nuovo.ntask, "0005");
    EXPECT_EQ(testo("SELECT data || titolo || stato FROM task WHERE cliente = 'R01' AND npra = '0001' AND "
                    "ntask = '0005'"),
              "2004-03-05Perizia1");
    // What the add returns is the row as stored: it can be corrected at once.
    Incarico corretto = nuovo;
    corretto.camponote = "nota";
    CorreggiIncarico(*ArchivioInUso(), nuovo, corretto);
    EXPECT_EQ(nuovo.camponote, "nota");

    fascole.addJob("R01", "0001", "0005", "9999");
    Lavorazione lavoro;
    lavoro.descrizione = "Relazione";
    EXPECT_EQ(AggiungiLavorazione(*ArchivioInUso(), "R01", "0001", "0005", lavoro), EsitoAggiunta::NumerazioneEsaurita);
    EXPECT_EQ(AggiungiLavorazione(*ArchivioInUso(), "R01", "0001", "0001", lavoro), EsitoAggiunta::Aggiunta);
    EXPECT_EQ(lavoro.njob, "0001");
    EXPECT_EQ(conta("SELECT count(*) FROM job"), 2);
}

TEST_F(ScritturaPerChiave, WhatBelongsToATaskOrJobKeepsIt) {
    fascole.addTask("R01", "0001", "0001");
    fascole.addTask("R01", "0001", "0002");
    fascole.addTask("R01", "0001", "0003");
    fascole.addJob("R01", "0001", "0001", "0001");
    fascole.addFeeItem("R01", "0001", "0001", "0001", "ONO");
    fascole.addFeeItem("R01", "0001", "0002", "0000", "ONO");
    const struct {
        QString ntask;
        EsitoCancellazioneIncarico esito;
    } casi[] = {{"0001", EsitoCancellazioneIncarico::HaLavorazioni},
                {"0002", EsitoCancellazioneIncarico::HaCompetenze},
                {"0003", EsitoCancellazioneIncarico::Cancellato}};
    for (const auto& c : casi)
        EXPECT_EQ(CancellaIncarico(*ArchivioInUso(), *LeggiIncarico(*ArchivioInUso(), "R01", "0001", c.ntask)), c.esito)
            << c.ntask.toStdString();
    EXPECT_EQ(CancellaLavorazione(*ArchivioInUso(), *LeggiLavorazione(*ArchivioInUso(), "R01", "0001", "0001", "0001")),
              EsitoCancellazioneLavorazione::HaCompetenze);
    EXPECT_EQ(conta("SELECT count(*) FROM task"), 2);
    EXPECT_EQ(conta("SELECT count(*) FROM job"), 1);
}

}  // namespace
