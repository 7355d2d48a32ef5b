#include <gtest/gtest.h>

#include "fixtures/CaseFileArchive.h"
#include "platform/db/Database.h"
#include "support/TempDir.h"

using fixtures::CaseFileArchive;

namespace {

TEST(CaseFileArchiveTest, HelpersWriteTheRowsOfACaseFile) {
    TempDir dir;
    CaseFileArchive archive(dir.file("Fascole.mdb"));
    archive.addClient("0000000001", {{"ragione", "Rossi Srl"}});
    archive.addClientParameters("0000000001", {{"criterio", "M"}});
    archive.addCatalogueItem("ONO", {{"tipo", "X"}, {"importo", Currency::fromUnits(150)}});
    archive.addPriceListItem("0000000001", "ONO", {{"importo", Currency::fromUnits(120)}});
    archive.addCaseFile("0000000001", "0001", "2004-03-05", {{"numpranno", "2004.00001"}});
    archive.addTask("0000000001", "0001", "0001", {{"titolo", "Pratica"}});
    archive.addJob("0000000001", "0001", "0001", "0001");
    archive.addFeeItem("0000000001", "0001", "0001", "0001", "ONO", {{"impofat", Currency::fromUnits(120)}});
    archive.setParameters({{"ditta", "ACME"}});
    archive.setParameters({{"esercizio", "2004"}});

    auto& db = archive.db();
    for (const char* table : {"Mpxanagrafe", "Parcli", "Elefat", "Elecli", "Fascola", "Task", "Job", "Competenze",
                              "AmbienteFascola"})
        EXPECT_EQ(db.scalar(std::string("SELECT count(*) FROM ") + table).toInt(), 1) << table;
    EXPECT_EQ(db.scalar("SELECT ditta || esercizio FROM AmbienteFascola").toText(), "ACME2004");
    EXPECT_EQ(db.scalar("SELECT impofat FROM Competenze").toCurrency(), Currency::fromUnits(120));
    EXPECT_EQ(db.scalar("SELECT revisione FROM Revisione").toText(), "030104");
}

TEST(CaseFileArchiveTest, OlderRevisionsLackTheLaterColumns) {
    const struct {
        QString revision;
        bool detail, counter, number;
    } cases[] = {{"011019", false, false, false}, {"020120", true, true, false}, {"030104", true, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.revision.toStdString());
        TempDir dir;
        CaseFileArchive archive(dir.file("Fascole.mdb"), c.revision);
        auto& db = archive.db();
        EXPECT_EQ(db.columnExists("AmbienteFascola", "dettagliofascola"), c.detail);
        EXPECT_EQ(db.columnExists("Fascola", "contatore"), c.counter);
        EXPECT_EQ(db.columnExists("Fascola", "numpranno"), c.number);
        EXPECT_EQ(db.scalar("SELECT revisione FROM Revisione").toText<QString>(), c.revision);
    }
    EXPECT_THROW(fixtures::CaseFileSchemaAt("990101"), std::invalid_argument);
}

TEST(CaseFileArchiveTest, CaseFilesAt020120TakeTheNextCounter) {
    TempDir dir;
    CaseFileArchive archive(dir.file("Fascole.mdb"), "020120");
    archive.addCaseFile("C1", "0001", "2001-01-01");
    archive.addCaseFile("C1", "0002", "2001-01-02", {{"contatore", 10}});
    archive.addCaseFile("C1", "0003", "2001-01-03");
    std::string counters;
    for (const char* npra : {"0001", "0002", "0003"})
        counters += archive.db().scalar("SELECT contatore FROM Fascola WHERE npra = ?", {npra}).toText() + " ";
    EXPECT_EQ(counters, "1 10 11 ");
}

}  // namespace
