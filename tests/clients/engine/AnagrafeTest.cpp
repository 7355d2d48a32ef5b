#include "clients/engine/Anagrafe.h"

#include <gtest/gtest.h>

#include <array>

#include "clients/engine/ParametriCliente.h"
#include "fixtures/CaseFileArchive.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "support/DbErrors.h"
#include "support/TempDir.h"

namespace {

// The rows stored under one client code: registry, parameters, price list.
using Righe = std::array<int64_t, 3>;

class Anagrafe : public ::testing::Test {
protected:
    Anagrafe() : fascole(cartella.file("fascole.mdb")) {
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}, {"indirizzo", "Via Roma 1"}, {"indirizzo2", "Scala B"},
                                  {"cap", "20100"}, {"localita", "Milano"}, {"provincia", "MI"}, {"stato", nullptr},
                                  {"picf", "01234567890"}, {"trasportatore", "VETTORE1"}});
        fascole.addClient("B02", {{"ragione", "Bianchi \"Srl\""}});
        fascole.addClient("A03", {{"ragione", "Rossi Mario"}});
        // The workstation under test has a connection of its own, as the session is.
        archivio = db::Database::open(fascole.path().toStdString());
    }

    QStringList codici(const std::vector<RigaAnagrafe>& righe) {
        QStringList c;
        for (const RigaAnagrafe& r : righe) c << r.testo("codice");
        return c;
    }
    RigaAnagrafe leggi(const QString& codice) { return CercaAnagrafiche(*archivio, codice, {}).at(0); }
    // A client of the registry with billing parameters: a fixed item charged on each new case
    // file, and a price list of two elements, the second stored under the code in lower case
    // (the archive compares codes ignoring case).
    void conParametri(const QString& codice) {
        fascole.addClientParameters(codice, {{"criterio", "M"}, {"elemento1", "FIS"}, {"applica1", "1"}});
        fascole.addPriceListItem(codice, "FIS", {{"importo", 999.0}, {"pagamento", "90"}});
        fascole.addPriceListItem(codice.toLower(), "ONO", {{"importo", 10.0}});
    }
    // What is stored under `codice`: its registry rows, parameter rows and price-list rows.
    Righe righe(const QString& codice) {
        const auto conta = [&](const std::string& dove) {
            return fascole.db().scalar("SELECT count(*) FROM " + dove, {codice}).toInt();
        };
        return {conta("mpxanagrafe WHERE codice = ?"), conta("parcli WHERE codice = ?"),
                conta("elecli WHERE cliente = ?")};
    }
    QString colonna(const QString& codice, const std::string& nome) {
        return fascole.db().scalar("SELECT " + nome + " FROM mpxanagrafe WHERE codice = ?", {codice}).textOr(QString());
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    std::unique_ptr<db::Database> archivio;
};

const DatiAnagrafica Verdi{"V04", "Verdi Anna", "Corso Italia 3", "10100", "Torino", "TO", "IT", "VRDNNA80A41L219X"};

TEST_F(Anagrafe, SearchMatchesCodeAndNameWholeIgnoringCaseInCodeOrder) {
    const struct {
        QString codice, ragione;
        QStringList attesi;
    } casi[] = {
        {"", "", {"A03", "B02", "R01"}},
        {"r01", "", {"R01"}},
        {"", "ROSSI MARIO", {"A03", "R01"}},
        {"A03", "Rossi Mario", {"A03"}},
        {"B02", "Rossi Mario", {}},
        {"", "Bianchi \"Srl\"", {"B02"}},
        // No wildcards: the text is compared whole.
        {"R*", "", {}},
        {"", "Rossi", {}},
    };
    for (const auto& c : casi)
        EXPECT_EQ(codici(CercaAnagrafiche(*archivio, c.codice, c.ragione)), c.attesi)
            << c.codice.toStdString() << " / " << c.ragione.toStdString();

    const RigaAnagrafe r = leggi("R01");
    EXPECT_TRUE(r.valore("stato").isNull());
    EXPECT_EQ(r.dati().picf, "01234567890");
    EXPECT_EQ(r.dati().stato, "");
    std::vector<QString> lista;
    for (const ui::ComboRow& riga : ElencoCodiciAnagrafe(*archivio)) lista.push_back(riga.text);
    EXPECT_EQ(lista, (std::vector<QString>{"A03", "B02", "R01"}));
}

TEST_F(Anagrafe, InsertingStoresTheFieldsWithOneBlankInTheColumnsTheFormDoesNotEdit) {
    InserisciAnagrafica(*archivio, Verdi);
    const RigaAnagrafe r = leggi("V04");
    EXPECT_EQ(r.dati().ragione, "Verdi Anna");
    EXPECT_EQ(r.dati().picf, "VRDNNA80A41L219X");
    EXPECT_EQ(r.testo("indirizzo2"), " ");
    EXPECT_EQ(r.testo("trasportatore"), " ");
    EXPECT_TRUE(CodiceAnagraficaEsistente(*archivio, "v04"));
    EXPECT_FALSE(CodiceAnagraficaEsistente(*archivio, "V05"));
}

TEST_F(Anagrafe, TheArchiveRefusesDuplicateCodesAndTextsBeyondTheirWidths) {
    DatiAnagrafica doppio = Verdi;
    doppio.codice = "r01";
    EXPECT_EQ(errorOf([&] { InserisciAnagrafica(*archivio, doppio); }), db::err::DuplicateKey);

    const struct {
        QString codice, cap, provincia;
    } troppoLunghi[] = {{"ABCDEFGHIJK", "10100", "TO"}, {"V05", "101000", "TO"}, {"V06", "10100", "TOR"}};
    for (const auto& t : troppoLunghi) {
        DatiAnagrafica d = Verdi;
        d.codice = t.codice;
        d.cap = t.cap;
        d.provincia = t.provincia;
        EXPECT_EQ(errorOf([&] { InserisciAnagrafica(*archivio, d); }), db::err::TextTooLong) << t.codice.toStdString();
    }
    DatiAnagrafica dieci = Verdi;
    dieci.codice = "ABCDEFGHIJ";
    InserisciAnagrafica(*archivio, dieci);
    EXPECT_EQ(fascole.db().scalar("SELECT count(*) FROM mpxanagrafe").toInt(), 4);

    // The price list's payment code is three characters wide.
    EXPECT_EQ(errorOf([&] {
                  archivio->execute("INSERT INTO elecli (cliente, elemento, pagamento) VALUES ('R01', 'ONO', 'R120')");
              }),
              db::err::TextTooLong);
    archivio->execute("INSERT INTO elecli (cliente, elemento, pagamento) VALUES ('R01', 'ONO', 'R90')");
}

TEST_F(Anagrafe, ACorrectionWritesTheFieldsAndKeepsCodeSecondAddressAndCarrier) {
    DatiAnagrafica nuovi = leggi("R01").dati();
    nuovi.codice = "ALTRO";  // the code box changed: the key stays
    nuovi.ragione = "Rossi Mario & C.";
    nuovi.stato = "SM";
    const RigaAnagrafe ora = CorreggiAnagrafica(*archivio, leggi("R01"), nuovi);
    EXPECT_EQ(ora.testo("codice"), "R01");
    EXPECT_EQ(ora.testo("ragione"), "Rossi Mario & C.");
    EXPECT_EQ(colonna("R01", "stato"), "SM");
    EXPECT_EQ(colonna("R01", "indirizzo2"), "Scala B");
    EXPECT_EQ(colonna("R01", "trasportatore"), "VETTORE1");
    EXPECT_FALSE(CodiceAnagraficaEsistente(*archivio, "ALTRO"));
}

TEST_F(Anagrafe, ARowChangedOrDeletedByAnotherWorkstationIsNeitherCorrectedNorDeleted) {
    const RigaAnagrafe letta = leggi("R01");
    DatiAnagrafica nuovi = letta.dati();
    nuovi.ragione = "Scritta qui";

    fascole.db().execute("UPDATE mpxanagrafe SET localita = 'Monza' WHERE codice = 'R01'");
    EXPECT_EQ(errorOf([&] { CorreggiAnagrafica(*archivio, letta, nuovi); }), 3197);
    EXPECT_EQ(errorOf([&] { CancellaAnagrafica(*archivio, letta); }), 3197);
    EXPECT_EQ(colonna("R01", "ragione"), "Rossi Mario");

    fascole.db().execute("DELETE FROM mpxanagrafe WHERE codice = 'R01'");
    EXPECT_EQ(errorOf([&] { CorreggiAnagrafica(*archivio, letta, nuovi); }), 3167);
    EXPECT_EQ(errorOf([&] { CancellaAnagrafica(*archivio, letta); }), 3167);
    EXPECT_EQ(fascole.db().scalar("SELECT count(*) FROM mpxanagrafe").toInt(), 2);
}

TEST_F(Anagrafe, AClientWithACaseFileIsInUseAndCannotBeDeleted) {
    fascole.addCaseFile("r01", "0001", "2004-03-05", {{"numpranno", "2004.00001"}});
    EXPECT_TRUE(AnagraficaInUso(*archivio, "R01"));
    EXPECT_FALSE(AnagraficaInUso(*archivio, "B02"));
    EXPECT_EQ(CancellaAnagrafica(*archivio, leggi("R01")), EsitoCancellazione::InUso);
    EXPECT_EQ(CancellaAnagrafica(*archivio, leggi("B02")), EsitoCancellazione::Cancellata);
    EXPECT_EQ(codici(CercaAnagrafiche(*archivio, {}, {})), QStringList({"A03", "R01"}));
}

TEST_F(Anagrafe, DeletingAClientTakesItsParametersAndPriceListSoALaterClientOfItsCodeHasNone) {
    conParametri("B02");
    conParametri("A03");
    EXPECT_EQ(righe("B02"), (Righe{1, 1, 2}));

    EXPECT_EQ(CancellaAnagrafica(*archivio, leggi("B02")), EsitoCancellazione::Cancellata);
    EXPECT_EQ(righe("B02"), (Righe{0, 0, 0}));
    EXPECT_EQ(righe("A03"), (Righe{1, 1, 2}));

    DatiAnagrafica nuovo = Verdi;
    nuovo.codice = "B02";
    InserisciAnagrafica(*archivio, nuovo);
    EXPECT_FALSE(LeggiParametriCliente(*archivio, "B02").has_value());
    EXPECT_EQ(righe("B02"), (Righe{1, 0, 0}));
}

TEST_F(Anagrafe, AClientACaseFileUsesKeepsEverythingEvenWhenAnotherWorkstationOpenedItAfterTheRead) {
    const struct {
        const char* quando;
        bool primaDellaLettura;
    } casi[] = {{"case file before the read", true}, {"case file after the read", false}};
    for (const auto& c : casi) {
        conParametri("B02");
        if (c.primaDellaLettura) fascole.addCaseFile("b02", "0001", "2004-03-05", {{"numpranno", "2004.00001"}});
        const RigaAnagrafe letta = leggi("B02");
        // The fixture's connection is the other workstation.
        if (!c.primaDellaLettura) fascole.addCaseFile("b02", "0001", "2004-03-05", {{"numpranno", "2004.00001"}});

        EXPECT_EQ(CancellaAnagrafica(*archivio, letta), EsitoCancellazione::InUso) << c.quando;
        EXPECT_EQ(righe("B02"), (Righe{1, 1, 2})) << c.quando;
        for (const char* tabella : {"fascola", "parcli", "elecli"})
            fascole.db().execute(std::string("DELETE FROM ") + tabella);
    }
}

TEST_F(Anagrafe, ADeletionThatFailsPartWayLeavesTheClientWhole) {
    conParametri("B02");
    const RigaAnagrafe letta = leggi("B02");
    fascole.db().execute("UPDATE mpxanagrafe SET localita = 'Monza' WHERE codice = 'B02'");
    EXPECT_EQ(errorOf([&] { CancellaAnagrafica(*archivio, letta); }), 3197);
    EXPECT_EQ(righe("B02"), (Righe{1, 1, 2}));

    // The parameter row, the last to go, refused after the registry row and the price list.
    fascole.db().execute("CREATE TRIGGER guasto BEFORE DELETE ON parcli BEGIN SELECT RAISE(ABORT, 'guasto'); END");
    EXPECT_NE(errorOf([&] { CancellaAnagrafica(*archivio, leggi("B02")); }), 0);
    EXPECT_EQ(righe("B02"), (Righe{1, 1, 2}));
}

}  // namespace
