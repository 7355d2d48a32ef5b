#include "fees/engine/CompetenzeFascola.h"

#include <gtest/gtest.h>

#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/DbError.h"
#include "support/TempDir.h"

namespace {

class CompetenzeFascolaTest : public ::testing::Test {
protected:
    CompetenzeFascolaTest() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    ~CompetenzeFascolaTest() override { RipristinaAmbiente(); }

    std::string righe() {
        return fascole.db()
            .scalar("SELECT group_concat(cliente || npra || ntask || elemento || impofat, ' ') FROM "
                    "(SELECT * FROM competenze ORDER BY cliente, npra, ntask, elemento)")
            .textOr();
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(CompetenzeFascolaTest, TheCaseFilesItemsInKeyOrderWithTheirValues) {
    fascole.addFeeItem("R01", "0001", "0002", "0000", "ONO",
                       {{"importo", 1234.5}, {"fattore", "3"}, {"impofat", 3703.5}, {"fatturato", true}});
    fascole.addFeeItem("R01", "0001", "0000", "0001", "BOL", {{"addebitounitario", 12.25}, {"primanota", true}});
    fascole.addFeeItem("R01", "0002", "0000", "0000", "ALT");
    const std::vector<CompetenzaLetta> c = CompetenzeDellaFascola(*ArchivioInUso(), "R01", "0001");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].ntask + c[0].njob + c[0].elemento, "00000001BOL");
    EXPECT_EQ(c[0].addebitounitario, Currency::fromDouble(12.25));
    EXPECT_TRUE(c[0].primanota);
    EXPECT_EQ(c[1].elemento, "ONO");
    EXPECT_EQ(c[1].importo, Currency::fromDouble(1234.5));
    EXPECT_EQ(c[1].impofat, Currency::fromDouble(3703.5));
    EXPECT_EQ(c[1].fattore, "3");
    EXPECT_TRUE(c[1].fatturato);
    EXPECT_EQ(c[1].letti.size(), FormaCompetenze().chiave.size() + FormaCompetenze().altre.size());
}

TEST_F(CompetenzeFascolaTest, TheDayOfEachItemAsStored) {
    const struct {
        const char* elemento;
        db::Value stored;
        QDate day;
    } casi[] = {
        {"A", "2004-02-01", QDate(2004, 2, 1)},
        {"B", "2004-12-31 10:30:00", QDate(2004, 12, 31)},  // a time after the day
        {"C", "2004-03-05T08:00", QDate(2004, 3, 5)},
        {"D", db::Value(), QDate()},
    };
    for (const auto& c : casi) fascole.addFeeItem("R01", "0001", "0000", "0000", c.elemento, {{"data", c.stored}});
    const std::vector<CompetenzaLetta> lette = CompetenzeDellaFascola(*ArchivioInUso(), "R01", "0001");
    ASSERT_EQ(lette.size(), std::size(casi));
    for (size_t i = 0; i < lette.size(); ++i) {
        EXPECT_EQ(lette[i].data, casi[i].day) << casi[i].elemento;
        EXPECT_EQ(lette[i].letti[6], casi[i].stored) << "kept as read for writing back";
    }
}

// Rows next to each other that store a text the same, differently or not at all each read
// their own.
TEST_F(CompetenzeFascolaTest, EachItemReadsItsOwnTextsBesideItsNeighbours) {
    const struct {
        const char* elemento;
        db::Value descrizione, data, pagamento;
        const char* descrizioneLetta;
        QDate giorno;
        const char* pagamentoLetto;
    } casi[] = {
        {"A", "Voce", "2004-02-01", "30", "Voce", QDate(2004, 2, 1), "30"},
        {"B", "Voce", "2004-02-01", db::Value(), "Voce", QDate(2004, 2, 1), ""},
        {"C", db::Value(), "2004-02-02", "", "", QDate(2004, 2, 2), ""},
        {"D", "Voce ", db::Value(), "60", "Voce ", QDate(), "60"},
        {"E", "7", "2004-02-02", "60", "7", QDate(2004, 2, 2), "60"},
        {"F", "Una voce più lunga di sedici lettere", "2004-02-02", "60", "Una voce più lunga di sedici lettere",
         QDate(2004, 2, 2), "60"},
        {"G", "Voce", "2004-02-02", "30", "Voce", QDate(2004, 2, 2), "30"},
    };
    for (const auto& c : casi)
        fascole.addFeeItem("R01", "0001", "0000", "0000", c.elemento,
                           {{"descrizione", c.descrizione}, {"data", c.data}, {"pagamento", c.pagamento}});
    const std::vector<CompetenzaLetta> lette = CompetenzeDellaFascola(*ArchivioInUso(), "R01", "0001");
    ASSERT_EQ(lette.size(), std::size(casi));
    for (size_t i = 0; i < lette.size(); ++i) {
        const auto& c = casi[i];
        EXPECT_EQ(lette[i].elemento, c.elemento);
        EXPECT_EQ(lette[i].descrizione, QString::fromUtf8(c.descrizioneLetta)) << c.elemento;
        EXPECT_EQ(lette[i].data, c.giorno) << c.elemento;
        EXPECT_EQ(lette[i].pagamento, QString::fromUtf8(c.pagamentoLetto)) << c.elemento;
        EXPECT_EQ(lette[i].letti[5], c.descrizione) << c.elemento;
        EXPECT_EQ(lette[i].letti[17], c.pagamento) << c.elemento;
    }
}

// A fee item shown before another workstation changed it, or deleted it and charged the same
// element to another client, is not written back over their work.
TEST_F(CompetenzeFascolaTest, AStaleFeeItemIsNeverWrittenOverAnotherOne) {
    const struct {
        const char* altra;
        int errore;
    } casi[] = {
        {"UPDATE competenze SET impofat = 99 WHERE cliente = 'R01'", 3197},
        {"DELETE FROM competenze WHERE cliente = 'R01'", 3167},
        {"DELETE FROM competenze WHERE cliente = 'R01'; INSERT INTO competenze (cliente, npra, ntask, njob, "
         "elemento, impofat) VALUES ('B02', '0001', '0000', '0000', 'ONO', 50)",
         3167},
    };
    for (const auto& c : casi) {
        for (bool cancella : {false, true}) {
            fascole.db().execute("DELETE FROM competenze");
            fascole.addFeeItem("R01", "0001", "0000", "0000", "ONO", {{"impofat", 10}});
            std::vector<CompetenzaLetta> lette = CompetenzeDellaFascola(*ArchivioInUso(), "R01", "0001");
            for (const QString& sql : QString(c.altra).split("; ")) fascole.db().execute(sql.toStdString());
            const std::string prima = righe();
            try {
                if (cancella) CancellaRigaLetta(*ArchivioInUso(), FormaCompetenze(), lette[0].letti);
                else AggiornaRigaLetta(*ArchivioInUso(), FormaCompetenze(), lette[0].letti, {{"impofat", 20}});
                ADD_FAILURE() << c.altra;
            } catch (const db::DbError& e) {
                EXPECT_EQ(e.number, c.errore) << c.altra;
            }
            EXPECT_EQ(righe(), prima) << c.altra;
        }
    }
    // Unchanged since it was read, it is written.
    fascole.db().execute("DELETE FROM competenze");
    fascole.addFeeItem("R01", "0001", "0000", "0000", "ONO", {{"impofat", 10}});
    std::vector<CompetenzaLetta> lette = CompetenzeDellaFascola(*ArchivioInUso(), "R01", "0001");
    AggiornaRigaLetta(*ArchivioInUso(), FormaCompetenze(), lette[0].letti, {{"impofat", Currency::fromDouble(20.5)}});
    AggiornaRigaLetta(*ArchivioInUso(), FormaCompetenze(), lette[0].letti, {{"fattore", "2"}});
    EXPECT_EQ(righe(), "R0100010000ONO20.5");
    CancellaRigaLetta(*ArchivioInUso(), FormaCompetenze(), lette[0].letti);
    EXPECT_EQ(righe(), "");
}

}  // namespace
