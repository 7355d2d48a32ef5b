#include "casefiles/engine/FatturazioneFissa.h"

#include <gtest/gtest.h>

#include <QDate>

#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/db/Recordset.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

class FatturazioneFissa : public ::testing::Test {
protected:
    FatturazioneFissa() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 100}, {"dare", "01.01.01.0001"},
                                         {"avere", "04.01.01.0001"}, {"contofat", "04.01.01.0002"},
                                         {"codicepagamento", "R30"}});
        fascole.addCatalogueItem("BOL", {{"descrizione", "Bolli"}, {"importo", 2.5}, {"codicepagamento", "RD"}});
        fascole.addCatalogueItem("SPE", {{"descrizione", "Spese"}, {"importo", 10}});
        fascole.addPriceListItem("R01", "ONO", {{"importo", 80}, {"pagamento", "R60"}});
    }
    ~FatturazioneFissa() override { RipristinaAmbiente(); }

    bool applica(const QString& modo, const QString& cliente = "R01", const QString& npra = "0005") {
        QString m = modo;
        return LetturaElementiFatturazioneFissa(fascole.db(), m, cliente, npra);
    }

    QStringList elementi() {
        QStringList e;
        auto rs = fascole.db().openRecordset("SELECT elemento FROM competenze ORDER BY rowid");
        for (; !rs->EOF_(); rs->MoveNext()) e << rs->field("elemento").toText<QString>();
        return e;
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(FatturazioneFissa, EachModeChargesTheSlotsOfItsCodeInSlotOrder) {
    fascole.addClientParameters("R01", {{"elemento2", "SPE"}, {"applica2", "1"}, {"elemento3", "BOL"},
                                        {"applica3", "3"}, {"elemento5", "ONO"}, {"applica5", "1"},
                                        {"elemento6", "BOL"}, {"applica6", "2"}, {"elemento7", ""},
                                        {"applica7", "1"}, {"applica8", "1"}});
    const struct {
        QString modo;
        QStringList attesi;
    } casi[] = {{"P", {"SPE", "ONO"}}, {"I", {"BOL"}}, {"F", {"BOL"}}, {"X", {}}};
    for (const auto& c : casi) {
        fascole.db().execute("DELETE FROM competenze");
        applica(c.modo);
        EXPECT_EQ(elementi(), c.attesi) << c.modo.toStdString();
    }
}

TEST_F(FatturazioneFissa, TheItemIsPricedFromThePriceListOrElseTheCatalogue) {
    fascole.addClientParameters("R01", {{"elemento1", "ONO"}, {"applica1", "1"}, {"elemento2", "BOL"},
                                        {"applica2", "1"}});
    applica("P");
    auto rs = fascole.db().openRecordset("SELECT * FROM competenze ORDER BY rowid");
    ASSERT_EQ(rs->RecordCount(), 2);
    const QString oggi = QDate::currentDate().toString("yyyy-MM-dd");

    EXPECT_EQ(rs->field("cliente").toText(), "R01");
    EXPECT_EQ(rs->field("npra").toText(), "0005");
    EXPECT_EQ(rs->field("ntask").toText(), "0000");
    EXPECT_EQ(rs->field("njob").toText(), "0000");
    EXPECT_EQ(rs->field("descrizione").toText(), "Onorario");
    EXPECT_EQ(rs->field("data").toText<QString>(), oggi);
    EXPECT_EQ(rs->field("importo").toCurrency(), Currency());
    EXPECT_EQ(rs->field("impofat").toCurrency(), Currency::fromDouble(80));
    EXPECT_EQ(rs->field("pagamento").toText(), "R60");
    EXPECT_EQ(rs->field("darepn").toText(), "01.01.01.0001");
    EXPECT_EQ(rs->field("averepn").toText(), "04.01.01.0001");
    EXPECT_EQ(rs->field("ricavi").toText(), "04.01.01.0002");
    EXPECT_FALSE(rs->field("primanota").toBool());
    EXPECT_FALSE(rs->field("fatturato").toBool());
    EXPECT_FALSE(rs->field("spuntato").toBool());
    EXPECT_EQ(rs->field("idpn").toText(), "");
    EXPECT_EQ(rs->field("idfattura").toText(), "");
    EXPECT_EQ(rs->field("addebitounitario").toCurrency(), Currency());
    EXPECT_EQ(rs->field("fattore").toText(), "");

    rs->MoveNext();
    EXPECT_EQ(rs->field("impofat").toCurrency(), Currency::fromDouble(2.5));
    EXPECT_EQ(rs->field("pagamento").toText(), "RD");
}

TEST_F(FatturazioneFissa, NoParametersOrAnElementMissingFromTheCatalogueChargeNothing) {
    applica("P");
    EXPECT_TRUE(elementi().isEmpty());
    fascole.addClientParameters("R01", {{"elemento1", "ZZZ"}, {"applica1", "1"}, {"elemento2", "BOL"},
                                        {"applica2", "1"}});
    applica("P");
    EXPECT_EQ(elementi(), QStringList({"BOL"}));
}

TEST_F(FatturazioneFissa, AnItemAlreadyThereIsReportedAndTheOthersStillCharged) {
    fascole.addClientParameters("R01", {{"elemento1", "BOL"}, {"applica1", "1"}, {"elemento2", "ONO"},
                                        {"applica2", "1"}});
    fascole.addFeeItem("R01", "0005", "0000", "0000", "BOL");
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ignore, {}, "GESTIONE DEGLI ERRORI");
    applica("P");
    EXPECT_EQ(elementi(), QStringList({"BOL", "ONO"}));
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_TRUE(box.asked()[0].text.contains("Funzione di lettura elementi a fatturazione fissa"));
}

TEST_F(FatturazioneFissa, LeavingKeepsNoneOfTheItems) {
    fascole.addClientParameters("R01", {{"elemento1", "ONO"}, {"applica1", "1"}, {"elemento2", "BOL"},
                                        {"applica2", "1"}});
    fascole.addFeeItem("R01", "0005", "0000", "0000", "BOL");
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Abort, {}, "GESTIONE DEGLI ERRORI");
    EXPECT_FALSE(applica("P"));
    EXPECT_EQ(elementi(), QStringList({"BOL"})) << "ONO, written before the failure, is gone with it";
}

}  // namespace
