#include <gtest/gtest.h>

#include <optional>

#include "casefiles/engine/NumerazioneFascole.h"
#include "casefiles/engine/ProssimoNumero.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Recordset.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

class Numerazione : public ::testing::Test {
protected:
    Numerazione() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    ~Numerazione() override { RipristinaAmbiente(); }

    NuovaFascola nuova(const QString& cliente, const QString& npra, const QString& data = "05/03/2004") {
        return {cliente, "M", data, " ", npra, "RIF", true, {}};
    }

    int contaFascole() { return int(fascole.db().scalar("SELECT count(*) FROM fascola").toInt()); }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(Numerazione, ProposalFollowsTheClientsHighestNumber) {
    fascole.addCaseFile("R01", "0002", "2004-01-01");
    fascole.addCaseFile("R01", "0007", "2004-01-02");
    fascole.addCaseFile("R01", "0003", "2004-01-03");
    fascole.addCaseFile("B02", "0009", "2004-01-03");
    const struct {
        QString cliente;
        std::optional<QString> proposta;
    } casi[] = {{"R01", "0008"}, {"r01", "0008"}, {"B02", "0010"}, {"X99", "0001"}, {"NON DEFINITO", "0001"}};
    for (const auto& c : casi)
        EXPECT_EQ(ProssimoNumero(UltimoNpra(fascole.db(), c.cliente)), c.proposta) << c.cliente.toStdString();
}

TEST_F(Numerazione, AbsoluteNumberRestartsEveryYearAndFollowsTheHighest) {
    fascole.addCaseFile("R01", "0001", "2003-05-01", {{"numpranno", "2003.00041"}});
    fascole.addCaseFile("R01", "0002", "2004-05-01", {{"numpranno", "2004.00009"}});
    fascole.addCaseFile("R01", "0003", "2004-06-01", {{"numpranno", "2004.00017"}});
    const struct {
        QString anno, numero;
        bool primo;
    } casi[] = {{"2004", "2004.00018", false}, {"2003", "2003.00042", false}, {"2005", "2005.00001", true}};
    for (const auto& c : casi) {
        const NumeroAssoluto n = NumeroAssolutoSuccessivo(fascole.db(), c.anno);
        EXPECT_EQ(n.numero, c.numero);
        EXPECT_EQ(n.primoDellAnno, c.primo);
    }
}

TEST_F(Numerazione, ConfirmationStoresTheRowWithBothNumbers) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00003"}});
    NuovaFascola f{"R01", "L", "05/03/2004", "nota", "0002", " ", false, {}};
    ASSERT_EQ(ConfermaNuovaFascola(*ArchivioInUso(), f), EsitoConferma::Registrata);
    EXPECT_EQ(f.npra, "0002");
    EXPECT_EQ(f.numeroAssoluto.numero, "2004.00004");
    EXPECT_FALSE(f.numeroAssoluto.primoDellAnno);
    auto rs = fascole.db().openRecordset("SELECT * FROM fascola WHERE cliente = 'R01' AND npra = '0002'");
    ASSERT_FALSE(rs->EOF_());
    EXPECT_EQ(rs->field("criterio").toText(), "L");
    EXPECT_EQ(rs->field("data").toText(), "2004-03-05");
    EXPECT_EQ(rs->field("camponote").toText(), "nota");
    EXPECT_EQ(rs->field("rifcli").toText(), " ");
    EXPECT_FALSE(rs->field("stato").toBool());
    EXPECT_EQ(rs->field("numpranno").toText(), "2004.00004");
}

TEST_F(Numerazione, ANumberTakenSinceTheProposalGivesTheNextFreeOne) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("R01", "0002", "2004-01-11", {{"numpranno", "2004.00002"}});
    NuovaFascola f = nuova("R01", "0001");
    ASSERT_EQ(ConfermaNuovaFascola(*ArchivioInUso(), f), EsitoConferma::Registrata);
    EXPECT_EQ(f.npra, "0003");
    EXPECT_EQ(f.numeroAssoluto.numero, "2004.00003");
    EXPECT_EQ(contaFascole(), 3);
}

TEST_F(Numerazione, AClientWithoutANumberGetsOneAtConfirmation) {
    NuovaFascola f = nuova("R01", "");
    ASSERT_EQ(ConfermaNuovaFascola(*ArchivioInUso(), f), EsitoConferma::Registrata);
    EXPECT_EQ(f.npra, "0001");
    EXPECT_TRUE(f.numeroAssoluto.primoDellAnno);
    EXPECT_EQ(f.numeroAssoluto.numero, "2004.00001");
}

TEST_F(Numerazione, UsedUpNumbersStoreNothing) {
    fascole.addCaseFile("R01", "9999", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("B02", "0001", "2005-01-10", {{"numpranno", "2005.99999"}});
    NuovaFascola esaurito = nuova("R01", "9999");
    EXPECT_EQ(ConfermaNuovaFascola(*ArchivioInUso(), esaurito), EsitoConferma::NumerazioneEsaurita);
    NuovaFascola annoPieno = nuova("B02", "0002", "01/02/2005");
    EXPECT_EQ(ConfermaNuovaFascola(*ArchivioInUso(), annoPieno), EsitoConferma::NumerazioneEsaurita);
    EXPECT_EQ(contaFascole(), 2);
}

TEST_F(Numerazione, NothingIsStoredWhileAnotherWorkstationHoldsTheArchive) {
    // Another workstation in the middle of its own confirmation: ours waits for it, and
    // when the user gives up nothing of ours is written.
    auto altra = db::Database::open(fascole.path().toStdString());
    db::Transaction suaScrittura(*altra);
    altra->execute("INSERT INTO fascola (cliente, npra, data, numpranno) VALUES ('R01', '0001', '2004-01-01', "
                   "'2004.00001')");
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Abort, {}, "GESTIONE DEGLI ERRORI");
    int64_t orologio = 0;
    ImpostaOrologioAttese([&] { return orologio += 20000; });
    NuovaFascola f = nuova("R01", "0001");
    EXPECT_EQ(ConfermaNuovaFascola(*ArchivioInUso(), f), EsitoConferma::NonRegistrata);
    ImpostaOrologioAttese({});
    RipristinaAttesaBlocco();
    suaScrittura.commit();
    EXPECT_EQ(contaFascole(), 1);
    ASSERT_EQ(box.messageTexts().size(), 1);
    EXPECT_TRUE(box.messageTexts()[0].contains("Funzione di conferma di una fascola"));
}

TEST_F(Numerazione, DeletionIsRefusedWhileTasksOrFeeItemsBelongToTheCaseFile) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("R01", "0002", "2004-01-10", {{"numpranno", "2004.00002"}});
    fascole.addCaseFile("R01", "0003", "2004-01-10", {{"numpranno", "2004.00003"}});
    fascole.addCaseFile("R01", "0004", "2004-01-10", {{"numpranno", "2004.00004"}});
    fascole.addTask("R01", "0001", "0001");
    fascole.addFeeItem("R01", "0001", "0001", "0000", "ONO");
    fascole.addFeeItem("R01", "0002", "0000", "0000", "ONO");
    fascole.addTask("R01", "0003", "0001");
    const struct {
        QString npra;
        Cancellazione atteso;
    } casi[] = {{"0001", Cancellazione::HaIncarichi},
                {"0002", Cancellazione::HaCompetenze},
                {"0003", Cancellazione::HaIncarichi},
                {"0004", Cancellazione::Ammessa}};
    for (const auto& c : casi)
        EXPECT_EQ(CancellazioneAmmessa(fascole.db(), "R01", c.npra), c.atteso) << c.npra.toStdString();
}

}  // namespace
