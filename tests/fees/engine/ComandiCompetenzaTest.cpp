#include "fees/engine/ComandiCompetenza.h"

#include <gtest/gtest.h>

#include "fees/engine/CatalogoCompetenze.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

ChiaveCompetenza chiave(const QString& elemento, const QString& ntask = "0000", const QString& njob = "0000") {
    return {"R01", "0001", ntask, njob, elemento};
}

DettaglioCompetenzaRec dettaglio() {
    DettaglioCompetenzaRec d;
    d.darepn = "01.01.01.0001";
    d.averepn = "04.01.01.0001";
    d.ricavi = "04.01.01.0002";
    return d;
}

class ComandiCompetenzaTest : public ::testing::Test {
protected:
    ComandiCompetenzaTest() {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        catalogo_competenze::riempi(fascole);
    }
    ~ComandiCompetenzaTest() override {
        RipristinaAttesaBlocco();
        RipristinaAmbiente();
    }

    db::Database& s() { return fascole.db(); }

    // The stored columns of one fee item, "|"-separated, from descrizione to fattore.
    std::string riga(const ChiaveCompetenza& k) {
        return s()
            .scalar("SELECT descrizione || '|' || data || '|' || importo || '|' || impofat || '|' || primanota || "
                    "'|' || darepn || '|' || averepn || '|' || idpn || '|' || fatturato || '|' || ricavi || '|' || "
                    "idfattura || '|' || spuntato || '|' || pagamento || '|' || addebitounitario || '|' || fattore "
                    "FROM competenze WHERE cliente = ? AND npra = ? AND ntask = ? AND njob = ? AND elemento = ?",
                    {k.cliente, k.npra, k.ntask, k.njob, k.elemento})
            .textOr(std::string("(none)"));
    }
    std::string tutte() {
        return s()
            .scalar("SELECT group_concat(x, ' ') FROM (SELECT ntask || njob || elemento || ':' || impofat || ':' || "
                    "descrizione AS x FROM competenze ORDER BY ntask, njob, elemento)")
            .textOr(std::string());
    }

    TempDir dir;
    fixtures::CaseFileArchive fascole{dir.file("fascole.mdb")};
};

TEST_F(ComandiCompetenzaTest, AnAdditionStoresTheColumnsOfItsKind) {
    const struct {
        const char* elemento;
        CampiCompetenza campi;
        std::string riga;
    } casi[] = {
        {"ONO", {"ONO", "Onorario", "0,00", "0,00", "100,00", "30", "05/03/2004"},
         "Onorario|2004-03-05|0|100|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|"},
        {"ORE", {"ORE", "Ore", "12,50", "3", "37,50", "30", "05/03/2004"},
         "Ore|2004-03-05|0|37.5|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|12.5|3"},
        {"PER", {"PER", "Perc", "200", "5,00", "10,00", "30", "05/03/2004"},
         "Perc|2004-03-05|0|10|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|5,00"},
        {"RIC", {"RIC", "A richiesta", "0,00", "0,00", "250", "60", "05/03/2004"},
         "A richiesta|2004-03-05|0|250|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|60|0|"},
        {"SPE", {"SPE", "Spese", "10", "0,00", "10", "30", "05/03/2004"},
         "Spese|2004-03-05|10|10|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|"},
        {"BAS", {"BAS", "Costo", "1.234,50", "10", "123,45", "30", "05/03/2004"},
         "Costo|2004-03-05|1234.5|123.45|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|10"},
        {"ANT", {"ANT", "Anticipo", "12.50", "0,00", "12.50", "30", "05/03/2004"},
         "Anticipo|2004-03-05|12.5|12.5|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|"},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(AggiungiCompetenza(s(), chiave(c.elemento), c.campi, dettaglio(), nullptr),
                  EsitoCompetenza::Registrata);
        EXPECT_EQ(riga(chiave(c.elemento)), c.riga) << c.elemento;
    }
}

TEST_F(ComandiCompetenzaTest, AnElementStandsOnceUnderATaskAndJob) {
    const CampiCompetenza campi{"ONO", "Onorario", "0,00", "0,00", "100,00", "30", "05/03/2004"};
    ASSERT_EQ(AggiungiCompetenza(s(), chiave("ONO"), campi, dettaglio(), nullptr), EsitoCompetenza::Registrata);
    CampiCompetenza altro = campi;
    altro.Descrizione = "Secondo";
    EXPECT_EQ(AggiungiCompetenza(s(), chiave("ONO"), altro, dettaglio(), nullptr), EsitoCompetenza::Duplicata);
    EXPECT_EQ(AggiungiCompetenza(s(), chiave("ONO", "0001"), altro, dettaglio(), nullptr),
              EsitoCompetenza::Registrata);
    EXPECT_EQ(AggiungiCompetenza(s(), chiave("ONO", "0001", "0001"), altro, dettaglio(), nullptr),
              EsitoCompetenza::Registrata);
    EXPECT_EQ(tutte(), "00000000ONO:100:Onorario 00010000ONO:100:Secondo 00010001ONO:100:Secondo");
    EXPECT_EQ(MessaggioDuplicata("ONO"),
              "l'elemento ONO è già stato inserito nella fascola per questo Incarico - lavorazione");

    // An element gone from the catalogue is not charged, and nothing is said.
    CampiCompetenza sparito = campi;
    sparito.Elemento = "XYZ";
    EXPECT_EQ(AggiungiCompetenza(s(), chiave("XYZ"), sparito, dettaglio(), nullptr),
              EsitoCompetenza::ElementoAssente);
    EXPECT_EQ(s().scalar("SELECT count(*) FROM competenze").toInt(), 3);
}

// A correction or a deletion is refused for an item no longer there, invoiced (the invoiced
// mark counts first) or posted; the row stays as it is.
TEST_F(ComandiCompetenzaTest, InvoicedOrPostedItemsStayAsTheyAre) {
    const CampiCompetenza campi{"SPE", "Nuovo", "20", "", "20", "30", "06/03/2004"};
    const struct {
        bool fatturato, primanota;
        EsitoCompetenza esito;
    } casi[] = {
        {true, true, EsitoCompetenza::Fatturata},
        {true, false, EsitoCompetenza::Fatturata},
        {false, true, EsitoCompetenza::Contabilizzata},
    };
    for (const auto& c : casi) {
        s().execute("DELETE FROM competenze");
        fascole.addFeeItem("R01", "0001", "0000", "0000", "SPE",
                           {{"descrizione", "Vecchio"}, {"impofat", 10}, {"fatturato", c.fatturato},
                            {"primanota", c.primanota}});
        const std::string prima = riga(chiave("SPE"));
        EXPECT_EQ(CorreggiCompetenza(s(), chiave("SPE"), campi, dettaglio(), nullptr, nullptr), c.esito);
        EXPECT_EQ(CancellaCompetenza(s(), chiave("SPE"), nullptr), c.esito);
        EXPECT_EQ(riga(chiave("SPE")), prima);
    }
    s().execute("DELETE FROM competenze");
    EXPECT_EQ(CorreggiCompetenza(s(), chiave("SPE"), campi, dettaglio(), nullptr, nullptr),
              EsitoCompetenza::NonDefinita);
    EXPECT_EQ(CancellaCompetenza(s(), chiave("SPE"), nullptr), EsitoCompetenza::NonDefinita);
}

TEST_F(ComandiCompetenzaTest, ACorrectionWritesTheFieldsAndADeletionRemovesTheOneRow) {
    fascole.addFeeItem("R01", "0001", "0001", "0000", "ORE", {{"descrizione", "Ore"}, {"impofat", 12}});
    fascole.addFeeItem("R01", "0001", "0000", "0000", "ORE", {{"descrizione", "Altre ore"}, {"impofat", 24}});
    const std::optional<CompetenzaLetta> letta = LeggiCompetenza(s(), chiave("ORE", "0001"));
    ASSERT_TRUE(letta);
    DettaglioCompetenzaRec d = dettaglio();
    d.spuntato = true;
    d.idpn = "PN7";
    EXPECT_EQ(CorreggiCompetenza(s(), chiave("ORE", "0001"), {"ORE", "Ore corrette", "12", "4", "48,00", "60",
                                                              "07/03/2004"},
                                 d, &*letta, nullptr),
              EsitoCompetenza::Registrata);
    EXPECT_EQ(riga(chiave("ORE", "0001")),
              "Ore corrette|2004-03-07|0|48|0|01.01.01.0001|04.01.01.0001|PN7|0|04.01.01.0002||1|60|12|4");
    EXPECT_EQ(tutte(), "00000000ORE:24:Altre ore 00010000ORE:48:Ore corrette");

    // Without a row shown, the row the key names is corrected as it stands.
    EXPECT_EQ(CorreggiCompetenza(s(), chiave("ORE"), {"ORE", "Senza clic", "1", "1", "1", "30", "07/03/2004"},
                                 dettaglio(), &*letta, nullptr),
              EsitoCompetenza::Registrata);
    EXPECT_EQ(tutte(), "00000000ORE:1:Senza clic 00010000ORE:48:Ore corrette");

    EXPECT_EQ(CancellaCompetenza(s(), chiave("ORE"), nullptr), EsitoCompetenza::Registrata);
    EXPECT_EQ(tutte(), "00010000ORE:48:Ore corrette");
}

// Two workstations on one case file: A was shown a fee item, then B changed it, or deleted it
// and charged the element again with other values. A's correction or deletion gets the
// conflict through the error handler, and B's row is left as B wrote it.
TEST_F(ComandiCompetenzaTest, AStaleCorrectionOrDeletionNeverOverwritesAnotherWorkstationsRow) {
    const QString altraPostazione[] = {
        "UPDATE competenze SET impofat = 99, descrizione = 'di B'",
        "DELETE FROM competenze; INSERT INTO competenze (cliente, npra, ntask, njob, elemento, descrizione, impofat, "
        "primanota, fatturato, spuntato) VALUES ('R01', '0001', '0000', '0000', 'SPE', 'di B', 50, 0, 0, 0)",
    };
    for (const QString& sql : altraPostazione) {
        for (bool cancella : {false, true}) {
            s().execute("DELETE FROM competenze");
            fascole.addFeeItem("R01", "0001", "0000", "0000", "SPE", {{"descrizione", "di A"}, {"impofat", 10}});
            const std::optional<CompetenzaLetta> letta = LeggiCompetenza(s(), chiave("SPE"));
            ASSERT_TRUE(letta);

            std::unique_ptr<db::Database> b = db::Database::open(fascole.path().toStdString());
            for (const QString& istruzione : sql.split("; ")) b->execute(istruzione.toStdString());
            b.reset();
            const std::string diB = riga(chiave("SPE"));

            ScriptedMessages box;
            box.expectMessage(ui::Answer::Abort, {}, "GESTIONE DEGLI ERRORI");
            const EsitoCompetenza esito =
                cancella ? CancellaCompetenza(s(), chiave("SPE"), &*letta)
                         : CorreggiCompetenza(s(), chiave("SPE"), {"SPE", "di A", "20", "", "20", "30", "07/03/2004"},
                                              dettaglio(), &*letta, nullptr);
            EXPECT_EQ(esito, EsitoCompetenza::NonRegistrata) << sql.toStdString();
            ASSERT_EQ(box.asked().size(), 1u);
            EXPECT_TRUE(box.asked()[0].text.contains("3197")) << box.asked()[0].text.toStdString();
            EXPECT_EQ(riga(chiave("SPE")), diB) << sql.toStdString();
        }
    }

    // B deleted it: there is nothing left to correct or delete.
    s().execute("DELETE FROM competenze");
    fascole.addFeeItem("R01", "0001", "0000", "0000", "SPE", {{"descrizione", "di A"}, {"impofat", 10}});
    const std::optional<CompetenzaLetta> letta = LeggiCompetenza(s(), chiave("SPE"));
    db::Database::open(fascole.path().toStdString())->execute("DELETE FROM competenze");
    EXPECT_EQ(CancellaCompetenza(s(), chiave("SPE"), &*letta), EsitoCompetenza::NonDefinita);
}

}  // namespace
