#include "clients/engine/ParametriCliente.h"

#include <gtest/gtest.h>

#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/db/Recordset.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

const QString TitoloErrori = "GESTIONE DEGLI ERRORI";

Currency euro(double v) { return Currency::fromDouble(v); }

class ParametriClienteTest : public ::testing::Test {
protected:
    ParametriClienteTest() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 100}, {"tipo", "X"}});
        fascole.addCatalogueItem("BOL", {{"descrizione", "Bolli"}, {"importo", 2.5}, {"tipo", "C"}});
        fascole.addCatalogueItem("SPE", {{"descrizione", "Spese generali"}, {"importo", 10}, {"tipo", "C"}});
        archivio = db::Database::open(fascole.path().toStdString());
    }
    ~ParametriClienteTest() override { RipristinaAmbiente(); }

    // R01's parameters as the form would build them.
    static ParametriCliente rossi() {
        return {"R01",
                "P",
                "Fatturare a fine pratica",
                {{"ONO", "1", "Onorario"}, {"BOL", "3", "Bolli"}, {"SPE", "1", "Spese generali"}},
                {{"ONO", euro(80), "30", "Onorario"}, {"BOL", euro(3.25), "0", "Bolli"}}};
    }

    // The stored rows of a client, as one text each, to compare whole tables at once.
    QStringList righe(const std::string& sql, const QString& cliente) {
        QStringList r;
        auto rs = fascole.db().openRecordset(sql, {cliente});
        for (; !rs->EOF_(); rs->MoveNext()) {
            QStringList campi;
            for (const char* c : {"elemento", "importo", "pagamento"}) campi << rs->field(c).textOr(QString("<null>"));
            r << campi.join('|');
        }
        return r;
    }
    QStringList listino(const QString& cliente) {
        return righe("SELECT * FROM elecli WHERE cliente = ? ORDER BY rowid", cliente);
    }
    int parametri(const QString& cliente) {
        return int(fascole.db().scalar("SELECT count(*) FROM parcli WHERE codice = ?", {cliente}).toInt());
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    std::unique_ptr<db::Database> archivio;
    ScriptedMessages box;
};

TEST_F(ParametriClienteTest, ReadingGivesTheFixedItemsWithoutGapsAndThePriceListInTheOrderWritten) {
    fascole.addClientParameters("R01", {{"criterio", "P"}, {"camponote", "nota"}, {"elemento2", "SPE"},
                                        {"applica2", "1"}, {"elemento5", "XXX"}, {"applica5", "3"},
                                        {"elemento7", "ONO"}, {"applica7", ""}, {"applica8", "1"}});
    fascole.addPriceListItem("R01", "SPE", {{"importo", 9.5}, {"pagamento", "60"}});
    fascole.addPriceListItem("R01", "BOL", {{"importo", 1}});
    fascole.addPriceListItem("B02", "ONO", {{"importo", 70}});

    const auto p = LeggiParametriCliente(*archivio, "R01");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->codice, "R01");
    EXPECT_EQ(p->criterio, "P");
    EXPECT_EQ(p->camponote, "nota");
    ASSERT_EQ(p->fissi.size(), 3u) << "the items of slots 2, 5 and 7; slot 8 holds no element";
    EXPECT_EQ(p->fissi[0].elemento, "SPE");
    EXPECT_EQ(p->fissi[0].descrizione, "Spese generali");
    EXPECT_EQ(p->fissi[1].elemento, "XXX");
    EXPECT_EQ(p->fissi[1].applica, "3");
    EXPECT_EQ(p->fissi[1].descrizione, "") << "not in the catalogue";
    EXPECT_EQ(p->fissi[2].elemento, "ONO");
    EXPECT_EQ(p->fissi[2].applica, "");
    ASSERT_EQ(p->listino.size(), 2u);
    EXPECT_EQ(p->listino[0].elemento, "SPE");
    EXPECT_EQ(p->listino[0].importo, euro(9.5));
    EXPECT_EQ(p->listino[0].pagamento, "60");
    EXPECT_EQ(p->listino[1].pagamento, "") << "a Null payment reads empty";
    EXPECT_EQ(p->listino[1].descrizione, "Bolli");

    EXPECT_FALSE(LeggiParametriCliente(*archivio, "B02")) << "a price list alone is no parameters";
}

TEST_F(ParametriClienteTest, SearchFindsOneClientOrEveryClientByCode) {
    for (const char* c : {"R01", "A07", "B02"}) fascole.addClientParameters(c, {{"criterio", "M"}});
    EXPECT_EQ(RicercaParametriClienti(*archivio, ""), std::vector<QString>({"A07", "B02", "R01"}));
    EXPECT_EQ(RicercaParametriClienti(*archivio, "B02"), std::vector<QString>({"B02"}));
    EXPECT_TRUE(RicercaParametriClienti(*archivio, "Z99").empty());
    EXPECT_TRUE(RicercaParametriClienti(*archivio, ClienteNonDefinito).empty());
}

TEST_F(ParametriClienteTest, InsertionWritesEverySlotAndThePriceListAndReadsBackTheSame) {
    ASSERT_EQ(RegistraParametriCliente(*archivio, rossi()), EsitoParametri::Eseguito);

    auto rs = fascole.db().openRecordset("SELECT * FROM parcli WHERE codice = 'R01'");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->field("criterio").toText(), "P");
    EXPECT_EQ(rs->field("elemento3").toText(), "SPE");
    for (int k = 4; k <= 8; ++k) {
        EXPECT_EQ(rs->field("elemento" + std::to_string(k)).textOr("<null>"), "") << k;
        EXPECT_EQ(rs->field("applica" + std::to_string(k)).textOr("<null>"), "") << k;
    }
    EXPECT_EQ(listino("R01"), QStringList({"ONO|80|30", "BOL|3.25|0"}));

    const auto letti = LeggiParametriCliente(*archivio, "R01");
    ASSERT_TRUE(letti);
    const ParametriCliente attesi = rossi();
    ASSERT_EQ(letti->fissi.size(), attesi.fissi.size());
    for (size_t i = 0; i < attesi.fissi.size(); ++i) {
        EXPECT_EQ(letti->fissi[i].elemento, attesi.fissi[i].elemento);
        EXPECT_EQ(letti->fissi[i].applica, attesi.fissi[i].applica);
    }
    EXPECT_EQ(letti->camponote, attesi.camponote);
}

TEST_F(ParametriClienteTest, InsertionIsRefusedBeforeAnyWrite) {
    fascole.addClientParameters("B02", {{"criterio", "M"}, {"elemento1", "ONO"}, {"applica1", "1"}});
    fascole.addPriceListItem("B02", "ONO", {{"importo", 70}, {"pagamento", "30"}});
    const struct {
        QString codice, criterio;
        EsitoParametri atteso;
    } casi[] = {
        {"", "P", EsitoParametri::ClienteNonValido},
        {"   ", "P", EsitoParametri::ClienteNonValido},
        {ClienteNonDefinito, "P", EsitoParametri::ClienteNonValido},
        {"R01", "", EsitoParametri::CriterioNonValido},
        {"R01", "X", EsitoParametri::CriterioNonValido},
        {"B02", "P", EsitoParametri::GiaDefiniti},
        {"b02", "P", EsitoParametri::GiaDefiniti},
    };
    for (const auto& c : casi) {
        ParametriCliente p = rossi();
        p.codice = c.codice;
        p.criterio = c.criterio;
        EXPECT_EQ(RegistraParametriCliente(*archivio, p), c.atteso) << c.codice.toStdString();
    }
    EXPECT_EQ(fascole.db().scalar("SELECT count(*) FROM parcli").toInt(), 1);
    EXPECT_EQ(fascole.db().scalar("SELECT criterio FROM parcli").toText(), "M");
    EXPECT_EQ(listino("B02"), QStringList({"ONO|70|30"})) << "the stored client's price list is untouched";
    EXPECT_EQ(fascole.db().scalar("SELECT count(*) FROM elecli").toInt(), 1);
}

TEST_F(ParametriClienteTest, InsertionReplacesAPriceListLeftWithoutParameters) {
    fascole.addPriceListItem("R01", "ONO", {{"importo", 55}});
    fascole.addPriceListItem("R01", "SPE", {{"importo", 5}});
    ASSERT_EQ(RegistraParametriCliente(*archivio, rossi()), EsitoParametri::Eseguito);
    EXPECT_EQ(listino("R01"), QStringList({"ONO|80|30", "BOL|3.25|0"}));
}

// A row the archive refuses half-way leaves nothing behind, whatever the error handler is told.
TEST_F(ParametriClienteTest, InsertionIsAllOrNothing) {
    for (Answer risposta : {Answer::Abort, Answer::Ignore}) {
        ParametriCliente p = rossi();
        p.listino[1].pagamento = "1234";  // wider than the column
        box.expectMessage(risposta, {}, TitoloErrori);
        EXPECT_EQ(RegistraParametriCliente(*archivio, p), EsitoParametri::NonEseguito);
        EXPECT_EQ(parametri("R01"), 0);
        EXPECT_TRUE(listino("R01").isEmpty());
    }
    ASSERT_EQ(box.asked().size(), 2u);
    EXPECT_TRUE(box.asked()[0].text.contains("Funzione: Funzione di registrazione elementi a listino dedicato"));
}

TEST_F(ParametriClienteTest, CorrectionRewritesTheClientReadAndNoOther) {
    ASSERT_EQ(RegistraParametriCliente(*archivio, rossi()), EsitoParametri::Eseguito);
    fascole.addClientParameters("B02", {{"criterio", "M"}});
    fascole.addPriceListItem("B02", "ONO", {{"importo", 70}});
    const auto letti = LeggiParametriCliente(*archivio, "R01");
    ASSERT_TRUE(letti);

    ParametriCliente nuovi = *letti;
    nuovi.codice = "B02";  // whatever the labels say, the client read is the one corrected
    nuovi.criterio = "V";
    nuovi.camponote = "";
    nuovi.fissi = {{"BOL", "1", "Bolli"}};
    nuovi.listino = {{"SPE", euro(12), "60", "Spese generali"}};
    ASSERT_EQ(CorreggiParametriCliente(*archivio, *letti, nuovi), EsitoParametri::Eseguito);

    const auto ora = LeggiParametriCliente(*archivio, "R01");
    ASSERT_TRUE(ora);
    EXPECT_EQ(ora->criterio, "V");
    EXPECT_EQ(ora->camponote, "");
    ASSERT_EQ(ora->fissi.size(), 1u);
    EXPECT_EQ(ora->fissi[0].elemento, "BOL");
    EXPECT_EQ(fascole.db().scalar("SELECT elemento2 FROM parcli WHERE codice = 'R01'").textOr("<null>"), "");
    EXPECT_EQ(listino("R01"), QStringList({"SPE|12|60"}));
    EXPECT_EQ(listino("B02"), QStringList({"ONO|70|<null>"}));
    EXPECT_EQ(fascole.db().scalar("SELECT criterio FROM parcli WHERE codice = 'B02'").toText(), "M");

    // Emptied, the price list goes entirely.
    nuovi = *ora;
    nuovi.listino.clear();
    ASSERT_EQ(CorreggiParametriCliente(*archivio, *ora, nuovi), EsitoParametri::Eseguito);
    EXPECT_TRUE(listino("R01").isEmpty());
}

TEST_F(ParametriClienteTest, ACorrectionThatFailsLeavesThePriceListAsItWas) {
    ASSERT_EQ(RegistraParametriCliente(*archivio, rossi()), EsitoParametri::Eseguito);
    const auto letti = LeggiParametriCliente(*archivio, "R01");
    ParametriCliente nuovi = *letti;
    nuovi.criterio = "M";
    nuovi.listino.push_back({"SPE", euro(1), "ABCD", "Spese generali"});
    box.expectMessage(Answer::Abort, {}, TitoloErrori);
    EXPECT_EQ(CorreggiParametriCliente(*archivio, *letti, nuovi), EsitoParametri::NonEseguito);
    EXPECT_EQ(listino("R01"), QStringList({"ONO|80|30", "BOL|3.25|0"}));
    EXPECT_EQ(fascole.db().scalar("SELECT criterio FROM parcli WHERE codice = 'R01'").toText(), "P");
}

// Another workstation's change between the reading and the command wins: nothing is written.
TEST_F(ParametriClienteTest, CorrectionAndDeletionRefuseParametersChangedOrDeletedElsewhere) {
    const struct {
        const char* cosa;
        std::string sql;
        EsitoParametri atteso;
    } casi[] = {
        {"criterion", "UPDATE parcli SET criterio = 'L' WHERE codice = 'R01'", EsitoParametri::ModificatiAltrove},
        {"slot", "UPDATE parcli SET applica1 = '3' WHERE codice = 'R01'", EsitoParametri::ModificatiAltrove},
        {"price", "UPDATE elecli SET importo = 81 WHERE cliente = 'R01' AND elemento = 'ONO'",
         EsitoParametri::ModificatiAltrove},
        {"row added", "INSERT INTO elecli (cliente, elemento, importo, pagamento) VALUES ('R01', 'SPE', 1, '0')",
         EsitoParametri::ModificatiAltrove},
        {"deleted", "DELETE FROM parcli WHERE codice = 'R01'", EsitoParametri::EliminatiAltrove},
    };
    for (bool cancella : {false, true}) {
        for (const auto& c : casi) {
            fascole.db().execute("DELETE FROM parcli");
            fascole.db().execute("DELETE FROM elecli");
            ASSERT_EQ(RegistraParametriCliente(*archivio, rossi()), EsitoParametri::Eseguito);
            const auto letti = LeggiParametriCliente(*archivio, "R01");
            fascole.db().execute(c.sql);
            const QStringList prima = listino("R01");
            ParametriCliente nuovi = *letti;
            nuovi.criterio = "D";
            nuovi.listino.clear();
            const EsitoParametri esito = cancella ? CancellaParametriCliente(*archivio, *letti)
                                                  : CorreggiParametriCliente(*archivio, *letti, nuovi);
            EXPECT_EQ(esito, c.atteso) << c.cosa << (cancella ? " (deletion)" : " (correction)");
            EXPECT_EQ(listino("R01"), prima) << c.cosa;
            EXPECT_EQ(fascole.db().scalar("SELECT count(*) FROM parcli WHERE criterio = 'D'").toInt(), 0);
        }
    }
}

TEST_F(ParametriClienteTest, DeletionTakesTheParametersAndTheWholePriceListOfTheClientOnly) {
    ASSERT_EQ(RegistraParametriCliente(*archivio, rossi()), EsitoParametri::Eseguito);
    fascole.addClientParameters("B02", {{"criterio", "M"}});
    fascole.addPriceListItem("B02", "ONO", {{"importo", 70}});
    const auto letti = LeggiParametriCliente(*archivio, "R01");
    ASSERT_EQ(CancellaParametriCliente(*archivio, *letti), EsitoParametri::Eseguito);
    EXPECT_EQ(parametri("R01"), 0);
    EXPECT_TRUE(listino("R01").isEmpty());
    EXPECT_EQ(parametri("B02"), 1);
    EXPECT_EQ(listino("B02").size(), 1);
    // Deleted already: said so, nothing else happens.
    EXPECT_EQ(CancellaParametriCliente(*archivio, *letti), EsitoParametri::EliminatiAltrove);
}

// A statement the archive refuses at any step of a write (a lock that does not go away, a
// full disk) is told under the name of its step, and leaves both tables as they were.
TEST_F(ParametriClienteTest, AWriteRefusedAtAnyStepChangesNothingAndSaysWhichStep) {
    enum Comando { Registra, Correggi, Cancella };
    const struct {
        Comando comando;
        const char* rifiuto;
        const char* funzione;
    } casi[] = {
        {Registra, "BEFORE INSERT ON parcli", "Funzione di conferma parametri clienti"},
        {Registra, "BEFORE INSERT ON elecli", "Funzione di registrazione elementi a listino dedicato"},
        {Correggi, "BEFORE UPDATE ON parcli", "Funzione di correzione parametri clienti"},
        {Correggi, "BEFORE DELETE ON elecli", "Funzione di correzione elementi a fatturazione dedicata"},
        {Correggi, "BEFORE INSERT ON elecli", "Funzione di registrazione elementi a listino dedicato"},
        {Cancella, "BEFORE DELETE ON elecli", "Funzione di cancellazione elemento a fatturazione dedicata"},
        // The price list is already gone inside the transaction when the row is refused.
        {Cancella, "BEFORE DELETE ON parcli", "Funzione di cancellazione parametri clienti"},
    };
    for (const auto& c : casi) {
        fascole.db().execute("DELETE FROM parcli");
        fascole.db().execute("DELETE FROM elecli");
        if (c.comando != Registra) {
            ASSERT_EQ(RegistraParametriCliente(*archivio, rossi()), EsitoParametri::Eseguito);
        }
        const auto letti = LeggiParametriCliente(*archivio, "R01");
        const QStringList prima = listino("R01");
        fascole.db().execute(std::string("CREATE TRIGGER rifiuta ") + c.rifiuto + " BEGIN SELECT RAISE(ABORT, 'no'); END");
        ParametriCliente nuovi = rossi();
        nuovi.criterio = "D";
        nuovi.listino.push_back({"SPE", euro(1), "0", "Spese generali"});

        ScriptedMessages errori;
        errori.expectMessage(Answer::Abort, {}, TitoloErrori);
        const EsitoParametri esito = c.comando == Registra   ? RegistraParametriCliente(*archivio, nuovi)
                                     : c.comando == Correggi ? CorreggiParametriCliente(*archivio, *letti, nuovi)
                                                             : CancellaParametriCliente(*archivio, *letti);
        fascole.db().execute("DROP TRIGGER rifiuta");
        EXPECT_EQ(esito, EsitoParametri::NonEseguito) << c.rifiuto;
        ASSERT_EQ(errori.asked().size(), 1u) << c.rifiuto;
        EXPECT_TRUE(errori.asked()[0].text.contains(QString("Funzione: ") + c.funzione))
            << c.rifiuto << ": " << errori.asked()[0].text.toStdString();
        EXPECT_EQ(listino("R01"), prima) << c.rifiuto;
        EXPECT_EQ(parametri("R01"), c.comando == Registra ? 0 : 1) << c.rifiuto;
        EXPECT_EQ(fascole.db().scalar("SELECT count(*) FROM parcli WHERE criterio = 'D'").toInt(), 0) << c.rifiuto;
        EXPECT_FALSE(archivio->inTransaction()) << c.rifiuto;
    }
}

// A catalogue that cannot be read leaves the items without their descriptions, and says so.
TEST_F(ParametriClienteTest, ADescriptionThatCannotBeReadIsToldAndLeftEmpty) {
    fascole.addClientParameters("B02", {{"criterio", "M"}, {"elemento1", "ONO"}, {"applica1", "1"}});
    fascole.db().execute("ALTER TABLE elefat RENAME TO elefat_altrove");
    ScriptedMessages errori;
    errori.expectMessage(Answer::Ignore, {}, TitoloErrori);
    const auto letti = LeggiParametriCliente(*archivio, "B02");
    ASSERT_TRUE(letti);
    ASSERT_EQ(letti->fissi.size(), 1u);
    EXPECT_EQ(letti->fissi[0].elemento, "ONO");
    EXPECT_EQ(letti->fissi[0].descrizione, "");
    ASSERT_EQ(errori.asked().size(), 1u);
    EXPECT_TRUE(errori.asked()[0].text.contains("Funzione: Funzione di visualizzazione descrizione elemento"));
}

// Run inside a transaction of the caller's, the command commits or rolls back with it.
TEST_F(ParametriClienteTest, InsideTheCallersTransactionTheCallerDecides) {
    {
        db::Transaction esterna(*archivio);
        ASSERT_EQ(RegistraParametriCliente(*archivio, rossi()), EsitoParametri::Eseguito);
        EXPECT_TRUE(archivio->inTransaction());
    }
    EXPECT_EQ(parametri("R01"), 0);
    EXPECT_TRUE(listino("R01").isEmpty());
}

}  // namespace
