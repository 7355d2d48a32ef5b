#include "invoice/engine/FatturazioneCompetenze.h"

#include <gtest/gtest.h>

#include "invoice/engine/EmissioneDiProva.h"
#include "support/DbErrors.h"

namespace {

using emissione_di_prova::Righe;

TEST(IdFattura, CaseDateAndNumberByPosition) {
    const struct {
        QString npra, data, numero, atteso;
    } casi[] = {
        {"0007", "15/01/2004", "12", "000704011500012"},
        {"7", "15/01/2004", "12", "000704011500012"},       // the case number padded on the left
        {"", "15/01/2004", "12", "000004011500012"},        // no case number shown
        {"12345", "15/01/2004", "12", "234504011500012"},   // a longer one keeps its last four
        {"0007", "", "12", "0007NoData00012"},              // no date
        {"0007", "31/02/2004", "12", "0007NoData00012"},    // no date of the calendar
        {"0007", "15/01/2004", "12 A", "0007040115012 A"},  // the register's suffix kept
        {"0007", "15/01/2004", "2004/123", "00070401154/123"},
        {"0007", "15/01/2004", "", "000704011500000"},
        {"0007", "15/01/2004", " ", "000704011500000"},
        {"0007", "15/01/2004", "  42  ", "000704011500042"},
    };
    for (const auto& c : casi) {
        const QString id = IdFattura(c.npra, c.data, c.numero);
        EXPECT_EQ(id, c.atteso) << c.npra.toStdString() << " " << c.data.toStdString() << " " << c.numero.toStdString();
        EXPECT_EQ(id.size(), 15);
    }
}

class FatturazioneCompetenzeTest : public ::testing::Test {
protected:
    void SetUp() override {
        archivio.addFeeItem("01.01.01.0001", "0007", "0001", "0000", "ONO",
                            {{"impofat", 100}, {"descrizione", "Onorario"}, {"ricavi", "04.01.01.0001"}});
        archivio.addFeeItem("01.01.01.0001", "0007", "0002", "0000", "ONO", {{"impofat", 0}});
        archivio.addFeeItem("01.01.01.0001", "0007", "0002", "0000", "SPE", {{"impofat", 30}});
        archivio.addFeeItem("01.01.01.0002", "0007", "0001", "0000", "ONO", {{"impofat", 100}});
    }
    // The line of a fee item, as the selection takes it.
    static RigaFattura riga(const char* ntask, const char* elemento, const char* cliente = "01.01.01.0001") {
        RigaFattura r;
        r.DaCompetenza = true;
        r.cliente = cliente;
        r.npra = "0007";
        r.ntask = ntask;
        r.njob = "0000";
        r.elemento = elemento;
        return r;
    }
    std::vector<QStringList> competenze() {
        return Righe(archivio.db(),
                     "SELECT cliente, ntask, elemento, fatturato, idfattura, impofat, descrizione, ricavi "
                     "FROM competenze ORDER BY cliente, ntask, elemento");
    }

    TempDir dir;
    fixtures::CaseFileArchive archivio{dir.file("fascole.mdb")};
};

TEST_F(FatturazioneCompetenzeTest, EachLineMarksItsOwnItemAndNothingElse) {
    TabellaRigheFattura righe;
    righe.aggiungi(riga("0001", "ONO"));
    righe.aggiungi(riga("0002", "ONO"));  // an amount of 0 is billed like any other
    righe.aggiungi(riga("0009", "ONO"));  // no such item: passed over
    const auto esito = FatturazioneCompetenze(archivio.db(), righe, "000704011500013");
    EXPECT_EQ(esito.Fatturate, 2);
    EXPECT_EQ(esito.GiaFatturate, 0);
    const std::vector<QStringList> attese = {
        {"01.01.01.0001", "0001", "ONO", "1", "000704011500013", "100", "Onorario", "04.01.01.0001"},
        {"01.01.01.0001", "0002", "ONO", "1", "000704011500013", "0", "<Null>", "<Null>"},
        {"01.01.01.0001", "0002", "SPE", "0", "<Null>", "30", "<Null>", "<Null>"},
        {"01.01.01.0002", "0001", "ONO", "0", "<Null>", "100", "<Null>", "<Null>"},
    };
    EXPECT_EQ(competenze(), attese);
    EXPECT_TRUE(CompetenzeConIdFattura(archivio.db(), "01.01.01.0001", "000704011500013"));
    EXPECT_FALSE(CompetenzeConIdFattura(archivio.db(), "01.01.01.0002", "000704011500013"));
    EXPECT_FALSE(CompetenzeConIdFattura(archivio.db(), "01.01.01.0001", "000704011500014"));
}

TEST_F(FatturazioneCompetenzeTest, AnItemBilledMeanwhileStopsEveryMark) {
    archivio.db().execute("UPDATE competenze SET fatturato = 1, idfattura = 'ALTRO' WHERE elemento = 'SPE'");
    const auto prima = competenze();
    TabellaRigheFattura righe;
    righe.aggiungi(riga("0001", "ONO"));
    righe.aggiungi(riga("0002", "SPE"));
    const auto esito = FatturazioneCompetenze(archivio.db(), righe, "000704011500013");
    EXPECT_EQ(esito.GiaFatturate, 1);
    EXPECT_EQ(esito.Fatturate, 0);
    EXPECT_EQ(competenze(), prima);
}

// A line typed on the tab is no fee item: it marks none, not even the unbilled one of its
// task, job and element, and the one of its key that another document billed refuses nothing.
TEST_F(FatturazioneCompetenzeTest, ALineTypedOnTheTabMarksNothingAndIsNeverRefused) {
    archivio.db().execute("UPDATE competenze SET fatturato = 1, idfattura = 'ALTRO' WHERE elemento = 'SPE'");
    TabellaRigheFattura righe;
    righe.aggiungi(riga("0001", "ONO"));
    for (const char* elemento : {"SPE", "ONO"}) {
        RigaFattura digitata = riga("0002", elemento);
        digitata.DaCompetenza = false;
        righe.aggiungi(digitata);
    }
    const auto esito = FatturazioneCompetenze(archivio.db(), righe, "000704011500013");
    EXPECT_EQ(esito.Fatturate, 1);
    EXPECT_EQ(esito.GiaFatturate, 0);
    const std::vector<QStringList> attese = {
        {"01.01.01.0001", "0001", "ONO", "1", "000704011500013", "100", "Onorario", "04.01.01.0001"},
        {"01.01.01.0001", "0002", "ONO", "0", "<Null>", "0", "<Null>", "<Null>"},
        {"01.01.01.0001", "0002", "SPE", "1", "ALTRO", "30", "<Null>", "<Null>"},
        {"01.01.01.0002", "0001", "ONO", "0", "<Null>", "100", "<Null>", "<Null>"},
    };
    EXPECT_EQ(competenze(), attese);
}

TEST_F(FatturazioneCompetenzeTest, LinesFindTheirItemsAsTheKeyIsCompared) {
    archivio.addFeeItem("01.01.01.0001", "0007", "0003", "0000", "A\"\\", {{"impofat", 5}});
    struct Caso {
        const char* cosa;
        std::vector<RigaFattura> righe;
        int fatturate;
    } casi[] = {
        {"the key without case", {riga("0001", "ono")}, 1},
        {"quotes and backslashes in the key", {riga("0003", "A\"\\")}, 1},
        {"a line given twice counts twice", {riga("0001", "ONO"), riga("0001", "ONO")}, 2},
        {"only items of the line's client", {riga("0002", "SPE", "01.01.01.0002")}, 0},
        {"no lines", {}, 0},
    };
    for (const auto& c : casi) {
        archivio.db().execute("UPDATE competenze SET fatturato = 0, idfattura = NULL");
        TabellaRigheFattura righe;
        for (const RigaFattura& r : c.righe) righe.aggiungi(r);
        const auto esito = FatturazioneCompetenze(archivio.db(), righe, "ID");
        EXPECT_EQ(esito.Fatturate, c.fatturate) << c.cosa;
        EXPECT_EQ(esito.GiaFatturate, 0) << c.cosa;
        EXPECT_EQ(archivio.db().scalar("SELECT count(*) FROM competenze WHERE fatturato = 1 AND idfattura = 'ID'").toInt(),
                  c.righe.empty() ? 0 : std::min(c.fatturate, 1))
            << c.cosa;
    }
}

TEST_F(FatturazioneCompetenzeTest, AnotherWorkstationBillingTheSameItems) {
    TabellaRigheFattura righe;
    righe.aggiungi(riga("0001", "ONO"));
    righe.aggiungi(riga("0002", "SPE"));
    righe.aggiungi(riga("0002", "ONO"));
    auto altra = db::Database::open(archivio.path().toStdString());

    // Its issue is still open: ours finds the file locked and marks nothing.
    auto suaEmissione = std::make_unique<db::Transaction>(*altra);
    altra->execute("UPDATE competenze SET fatturato = 1, idfattura = 'SUO' WHERE ntask = '0002' AND elemento = 'SPE'");
    EXPECT_EQ(errorOf([&] { FatturazioneCompetenze(archivio.db(), righe, "NOSTRO"); }), db::err::Locked);
    EXPECT_FALSE(CompetenzeConIdFattura(archivio.db(), "01.01.01.0001", "NOSTRO"));

    // Committed: ours sees the item billed, marks nothing and says how many.
    suaEmissione->commit();
    const auto prima = competenze();
    db::Transaction nostra(archivio.db());
    const auto esito = FatturazioneCompetenze(archivio.db(), righe, "NOSTRO");
    nostra.commit();
    EXPECT_EQ(esito.GiaFatturate, 1);
    EXPECT_EQ(esito.Fatturate, 0);
    EXPECT_EQ(competenze(), prima);
    EXPECT_FALSE(CompetenzeConIdFattura(archivio.db(), "01.01.01.0001", "NOSTRO"));
}

}  // namespace
