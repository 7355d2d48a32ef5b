#include "fees/engine/StampaElefat.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "platform/db/Database.h"
#include "platform/system/Paths.h"
#include "support/TempDir.h"

namespace {

Currency euro(const char* testo) { return *Currency::parse(testo, '.'); }

// One row of `Dati` as the report reads it.
struct Riga {
    QString codice, descrizione, tipo, importo, iva, ivacee, ricavi;
    bool operator==(const Riga&) const = default;
};

void PrintTo(const Riga& r, std::ostream* os) {
    *os << "{" << r.codice.toStdString() << ", " << r.descrizione.toStdString() << ", " << r.tipo.toStdString()
        << ", " << r.importo.toStdString() << ", " << r.iva.toStdString() << ", " << r.ivacee.toStdString() << ", "
        << r.ricavi.toStdString() << "}";
}

class StampaElefatTest : public ::testing::Test {
protected:
    StampaElefatTest() : fascole(cartella.file("fascole.mdb")) {}

    int stampa(bool collegato = false) {
        return ScriviArchivioStampaElefat(fascole.db(), {percorso, collegato, "FASCOLE & FATTURAZIONE"});
    }

    // The accounting archive reached on the case-file archive's connection, as a linked
    // session has it.
    void collega(const QString& archivio) {
        fascole.db().execute("ATTACH DATABASE ? AS contabile", {sys::LocalPath(archivio)});
    }

    std::vector<Riga> dati() {
        auto file = db::Database::open(percorso.toStdString());
        db::Statement s(*file, "SELECT codice, descrizione, tipo, importo, iva, ivacee, ricavi FROM Dati ORDER BY id");
        std::vector<Riga> out;
        while (s.step()) {
            auto t = [&](int i) { return s.column(i).toText<QString>(); };
            out.push_back({t(0), t(1), t(2), t(3), t(4), t(5), t(6)});
        }
        return out;
    }

    QList<int64_t> id() {
        auto file = db::Database::open(percorso.toStdString());
        db::Statement s(*file, "SELECT id FROM Dati ORDER BY id");
        QList<int64_t> out;
        while (s.step()) out << s.column(0).toInt();
        return out;
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    const QString percorso = cartella.file("SDBEleFat.mdb");
};

TEST_F(StampaElefatTest, NotLinkedTheElementsComeInCodeOrderWithItalianAmountsAndBareCodes) {
    fascole.addCatalogueItem("B02", {{"descrizione", "Visura camerale"}, {"tipo", "A"}, {"importo", euro("-12.3")},
                                     {"iva", "20"}, {"ivacee", "N8"}, {"contofat", "04.01.02.0001"}});
    fascole.addCatalogueItem("a01", {{"descrizione", "Onorario"}, {"tipo", "X"}, {"importo", euro("1234567.5")},
                                     {"iva", "20"}, {"ivacee", "N8"}, {"contofat", "04.01.01.0001"}});
    fascole.addCatalogueItem("003", {{"descrizione", "Bolli"}, {"tipo", "C"}, {"iva", "E15"}});

    EXPECT_EQ(stampa(), 3);
    EXPECT_EQ(dati(), (std::vector<Riga>{
                          {"003", "Bolli", "C", "0,00", "E15 - ", " - ", " - "},
                          {"a01", "Onorario", "X", "1.234.567,50", "20 - ", "N8 - ", "04.01.01.0001 - "},
                          {"B02", "Visura camerale", "A", "-12,30", "20 - ", "N8 - ", "04.01.02.0001 - "},
                      }));
    EXPECT_EQ(id(), (QList<int64_t>{1, 2, 3}));

    auto file = db::Database::open(percorso.toStdString());
    db::Statement titolo(*file, "SELECT titolo, Nome, ditta, esercizio FROM titolo");
    ASSERT_TRUE(titolo.step());
    EXPECT_EQ(titolo.column(0).toText(), "Elenco Elementi per fatturazione ");
    EXPECT_EQ(titolo.column(1).toText(), "FASCOLE & FATTURAZIONE");
    EXPECT_EQ(titolo.column(2).toText(), "");
    EXPECT_EQ(titolo.column(3).toText(), " ");
    EXPECT_FALSE(titolo.step());
}

TEST_F(StampaElefatTest, LinkedTheCodesCarryTheirDescriptionsFromTheAccountingArchive) {
    AccountingFixture contab(cartella.path());
    collega(contab.creaCampione());
    fascole.addCatalogueItem("001", {{"descrizione", "Onorario"}, {"tipo", "X"}, {"importo", 150},
                                     {"iva", "20"}, {"ivacee", "N8"}, {"contofat", "04.01.01.0001"}});
    fascole.addCatalogueItem("002", {{"descrizione", "Spese"}, {"tipo", "A"}, {"importo", euro("7.5")},
                                     {"iva", "e15"}, {"ivacee", "99"}, {"contofat", "04.01.02.0001"}});
    fascole.addCatalogueItem("003", {{"descrizione", "Ignoto"}, {"tipo", "C"}, {"contofat", "09.09.09.0009"}});

    EXPECT_EQ(stampa(true), 3);
    EXPECT_EQ(dati(), (std::vector<Riga>{
                          {"001", "Onorario", "X", "150,00", "20 - Aliquota ordinaria 20%",
                           "N8 - Non imponibile art. 8", "04.01.01.0001 - Onorari"},
                          // Codes match whatever their case; an account description is cut to 30.
                          {"002", "Spese", "A", "7,50", "e15 - Escluso art. 15", "99 - ",
                           "04.01.02.0001 - Spese anticipate per conto cli"},
                          {"003", "Ignoto", "C", "0,00", " - ", " - ", "09.09.09.0009 - "},
                      }));
}

// The companion package's descriptions may be longer than the list's columns, and its codes
// may hold any character.
TEST_F(StampaElefatTest, ALongDescriptionIsCutToItsColumnAndAnyCodeIsLookedUp) {
    const QString archivio = cartella.file("contabile.mdb");
    {
        auto c = db::Database::create(archivio.toStdString());
        c->execute("CREATE TABLE ivacodici (codice TEXT COLLATE NOCASE, descrizione TEXT, aliquota INTEGER)");
        c->execute("CREATE TABLE pianodeiconti (codice TEXT COLLATE NOCASE, descrizione TEXT)");
        c->execute("INSERT INTO ivacodici VALUES ('22', 'Aliquota ordinaria ventidue per cento art. 16', 22)");
        c->execute("INSERT INTO ivacodici VALUES ('2\"0', 'Codice con virgolette', 20)");
    }
    collega(archivio);
    fascole.addCatalogueItem("001", {{"iva", "22"}, {"ivacee", "2\"0"}});

    EXPECT_EQ(stampa(true), 1);
    const std::vector<Riga> righe = dati();
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0].iva, "22 - Aliquota ordinaria ventidue per cen");
    EXPECT_EQ(righe[0].iva.size(), 40);
    EXPECT_EQ(righe[0].ivacee, "2\"0 - Codice con virgolette");
}

TEST_F(StampaElefatTest, EachPrintEmptiesTheSameFileAndWritesItAgain) {
    fascole.addCatalogueItem("001", {{"descrizione", "Uno"}});
    fascole.addCatalogueItem("002", {{"descrizione", "Due"}});
    EXPECT_EQ(stampa(), 2);

    fascole.db().execute("DELETE FROM elefat WHERE codice = '001'");
    fascole.addCatalogueItem("003", {{"descrizione", "Tre"}});
    EXPECT_EQ(stampa(), 2);
    const std::vector<Riga> righe = dati();
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(righe[0].descrizione, "Due");
    EXPECT_EQ(righe[1].descrizione, "Tre");
    // The table was emptied, not made again: its counter goes on.
    EXPECT_EQ(id(), (QList<int64_t>{3, 4}));
    auto file = db::Database::open(percorso.toStdString());
    EXPECT_EQ(file->scalar("SELECT count(*) FROM titolo").toInt(), 1);
}

TEST_F(StampaElefatTest, AnEmptyCatalogueLeavesTheTitleRowAndNoElements) {
    fascole.addCatalogueItem("001");
    EXPECT_EQ(stampa(), 1);
    fascole.db().execute("DELETE FROM elefat");
    EXPECT_EQ(stampa(), 0);
    EXPECT_TRUE(dati().empty());
    auto file = db::Database::open(percorso.toStdString());
    EXPECT_EQ(file->scalar("SELECT titolo FROM titolo").toText(), "Elenco Elementi per fatturazione ");
}

TEST_F(StampaElefatTest, AFileLeftWithoutItsTablesGetsThem) {
    db::Database::create(percorso.toStdString());
    fascole.addCatalogueItem("001");
    EXPECT_EQ(stampa(), 1);
    EXPECT_EQ(dati().size(), 1u);
}

// A print that fails half way leaves the last complete one in place, never half a list.
TEST_F(StampaElefatTest, AFailedPrintLeavesThePreviousOneWhole) {
    fascole.addCatalogueItem("001", {{"descrizione", "Uno"}});
    fascole.addCatalogueItem("002", {{"descrizione", "Due"}});
    ASSERT_EQ(stampa(), 2);

    fascole.addCatalogueItem("000", {{"descrizione", "Primo"}});
    // An amount too wide for its column ("1.000.000.000,00") is refused rather than cut.
    fascole.addCatalogueItem("009", {{"importo", euro("1000000000")}});
    try {
        stampa();
        FAIL() << "written";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, db::err::TextTooLong);
    }
    const std::vector<Riga> righe = dati();
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(righe[0].descrizione, "Uno");
    EXPECT_EQ(righe[1].descrizione, "Due");
}

}  // namespace
