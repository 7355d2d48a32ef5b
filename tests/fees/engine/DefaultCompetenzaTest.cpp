#include "fees/engine/DefaultCompetenza.h"

#include <gtest/gtest.h>

#include "fees/engine/CatalogoCompetenze.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/Paths.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

Currency euro(const char* testo) { return basic::CCur(testo); }

class DefaultCompetenzaTest : public ::testing::Test {
protected:
    DefaultCompetenzaTest() {
        RipristinaAmbiente();
        catalogo_competenze::riempi(fascole);
    }
    ~DefaultCompetenzaTest() override { RipristinaAmbiente(); }

    db::Database& s() { return fascole.db(); }
    EsitoDefaultCompetenza perCodice(const QString& codice, const QString& cliente = "R01", bool collegato = false) {
        return DefinizioneDefault(s(), SceltaElemento::PerCodice, codice, cliente, collegato);
    }

    TempDir dir;
    fixtures::CaseFileArchive fascole{dir.file("fascole.mdb")};
};

TEST_F(DefaultCompetenzaTest, AnElementChosenByCodeOrByDescriptionProposesItsDefaults) {
    EsitoDefaultCompetenza e = perCodice("ORE");
    ASSERT_TRUE(e.Default);
    EXPECT_EQ(e.Default->Elemento.descrizione, "Ore di lavoro");
    EXPECT_FALSE(e.Default->Listino);
    EXPECT_EQ(e.Default->Pagamento, "30");
    EXPECT_EQ(e.Default->Dettaglio.darepn, "01.01.01.0001");
    EXPECT_EQ(e.Default->Dettaglio.averepn, "04.01.01.0001");
    EXPECT_EQ(e.Default->Dettaglio.ricavi, "04.01.01.0002");
    EXPECT_EQ(e.Default->Dettaglio.elemento, "ORE");

    e = DefinizioneDefault(s(), SceltaElemento::PerDescrizione, "spese", "R01", false);
    ASSERT_TRUE(e.Default);
    EXPECT_EQ(e.Default->Elemento.codice, "SPE");

    // Of two elements with one description, the first in code order.
    fascole.addCatalogueItem("AAA", {{"descrizione", "Spese"}, {"calcolo", "R"}, {"tipo", "C"}});
    e = DefinizioneDefault(s(), SceltaElemento::PerDescrizione, "Spese", "R01", false);
    EXPECT_EQ(e.Default->Elemento.codice, "AAA");

    for (const auto& [scelta, testo] : {std::pair{SceltaElemento::PerCodice, QString("XYZ")},
                                        std::pair{SceltaElemento::PerDescrizione, QString("Nessuna")},
                                        std::pair{SceltaElemento::PerCodice, QString("\"ON")}}) {
        e = DefinizioneDefault(s(), scelta, testo, "R01", false);
        EXPECT_TRUE(e.ElementoInesistente) << testo.toStdString();
        EXPECT_FALSE(e.Default);
    }
}

// The client's price list gives the price and the payment, even of an element paid on the
// client's own terms; its empty columns read as 0 and "".
TEST_F(DefaultCompetenzaTest, TheClientsPriceListComesFirst) {
    s().execute("UPDATE elefat SET pagamento = 1");
    fascole.addPriceListItem("R01", "ORE", {{"importo", 10}, {"pagamento", "60"}});
    fascole.addPriceListItem("R01", "ONO", {{"importo", nullptr}, {"pagamento", nullptr}});
    EsitoDefaultCompetenza e = perCodice("ORE");
    ASSERT_TRUE(e.Default && e.Default->Listino);
    EXPECT_EQ(e.Default->Listino->Importo, euro("10"));
    EXPECT_EQ(e.Default->Pagamento, "60");
    e = perCodice("ORE", "R01", true);
    EXPECT_EQ(e.Default->Pagamento, "60");

    e = perCodice("ONO");
    ASSERT_TRUE(e.Default && e.Default->Listino);
    EXPECT_EQ(e.Default->Listino->Importo, Currency());
    EXPECT_EQ(e.Default->Pagamento, "");

    // Another client has no price for it; not linked, the catalogue's payment stands.
    e = perCodice("ORE", "B02");
    EXPECT_FALSE(e.Default->Listino);
    EXPECT_EQ(e.Default->Pagamento, "30");
}

TEST(DefaultCompetenzaCollegata, AnElementPaidOnTheClientsTermsTakesTheClientsAccountCode) {
    RipristinaAmbiente();
    TempDir dir;
    fixtures::CaseFileArchive fascole(dir.file("fascole.mdb"));
    catalogo_competenze::riempi(fascole, "01.01.01.0001");
    AccountingFixture contab(dir.path());
    fascole.db().execute("ATTACH DATABASE ? AS contabile", {sys::LocalPath(contab.creaCampione())});
    fascole.db().execute("UPDATE elefat SET pagamento = 1 WHERE codice = 'ONO'");
    const struct {
        QString cliente, elemento, pagamento;
    } casi[] = {
        {"01.01.01.0001", "ONO", "R30"},
        {"01.01.01.0002", "ONO", "RD"},
        {"01.01.01.0099", "ONO", "0"},  // not in the accounting registry
        {"01.01.01.0001", "ORE", "30"},  // an element with its own terms
    };
    for (const auto& c : casi) {
        const EsitoDefaultCompetenza e =
            DefinizioneDefault(fascole.db(), SceltaElemento::PerCodice, c.elemento, c.cliente, true);
        ASSERT_TRUE(e.Default);
        EXPECT_EQ(e.Default->Pagamento, c.pagamento) << c.cliente.toStdString() << c.elemento.toStdString();
    }
    RipristinaAmbiente();
}

TEST_F(DefaultCompetenzaTest, TheChecksRunInOrderAndStopAtTheFirstFailure) {
    const CampiCompetenza buona{"ORE", "Ore", "12,00", "2", "24,00", "30", "05/03/2004"};
    const auto con = [&](QString CampiCompetenza::*campo, const QString& testo, const QString& elemento = "ORE") {
        CampiCompetenza c = buona;
        c.Elemento = elemento;
        c.*campo = testo;
        return c;
    };
    const struct {
        CampiCompetenza campi;
        QString messaggio;
        CampoCompetenza campo;
    } casi[] = {
        {CampiCompetenza{}, "Bisogna definire un codice elemento da fatturare", CampoCompetenza::Elemento},
        {con(&CampiCompetenza::Descrizione, ""), "Si deve definire una descrizione per l'elemento",
         CampoCompetenza::Descrizione},
        {con(&CampiCompetenza::Descrizione, "", "XYZ"), "Si deve definire una descrizione per l'elemento",
         CampoCompetenza::Descrizione},
        {con(&CampiCompetenza::Importo, "12", "XYZ"), "Il codice elemento non risulta definito in archivio",
         CampoCompetenza::Elemento},
        {con(&CampiCompetenza::Importo, ""), "Bisogna definire l'importo nel campo", CampoCompetenza::Importo},
        // A text that is no amount, where ImportoDaTesto would have picked figures out of it
        // (or 0 out of none), is refused at its box, named by the caption of the element's mode.
        {con(&CampiCompetenza::Importo, "1-2"), "Bisogna definire in cifre l'importo nel campo dir. unitario",
         CampoCompetenza::Importo},
        {con(&CampiCompetenza::Importo, "abc"), "Bisogna definire in cifre l'importo nel campo dir. unitario",
         CampoCompetenza::Importo},
        {con(&CampiCompetenza::Importo, " "), "Bisogna definire in cifre l'importo nel campo dir. unitario",
         CampoCompetenza::Importo},
        {con(&CampiCompetenza::Importo, "12 euro"), "Bisogna definire in cifre l'importo nel campo dir. unitario",
         CampoCompetenza::Importo},
        {CampiCompetenza{"SPE", "S", "abc", "", "10", "30", "05/03/2004"},
         "Bisogna definire in cifre l'importo nel campo Costo", CampoCompetenza::Importo},
        {CampiCompetenza{"ANT", "A", "abc", "", "abc", "30", "05/03/2004"},
         "Bisogna definire in cifre l'importo nel campo Anticipazione", CampoCompetenza::Importo},
        {CampiCompetenza{"BAS", "B", "abc", "10,00", "0,00", "30", "05/03/2004"},
         "Bisogna definire in cifre l'importo nel campo Costo", CampoCompetenza::Importo},
        {CampiCompetenza{"PER", "P", "abc", "5,00", "0,00", "30", "05/03/2004"},
         "Bisogna definire in cifre l'importo nel campo Base imponibile", CampoCompetenza::Importo},
        // A pair no layout names gives the box no caption.
        {CampiCompetenza{"MIS", "M", "abc", "1", "3", "30", "05/03/2004"},
         "Bisogna definire in cifre l'importo nel campo", CampoCompetenza::Importo},
        {con(&CampiCompetenza::Fattore, ""), "Definire il campo fattore", CampoCompetenza::Fattore},
        // The factor too is a number in figures, named by its caption.
        {con(&CampiCompetenza::Fattore, "3 ore"), "Bisogna definire in cifre il fattore nel campo quantità",
         CampoCompetenza::Fattore},
        {CampiCompetenza{"PER", "P", "200", "x", "0,05", "30", "05/03/2004"},
         "Bisogna definire in cifre il fattore nel campo Percent", CampoCompetenza::Fattore},
        {CampiCompetenza{"MIS", "M", "1", "due", "3", "30", "05/03/2004"},
         "Bisogna definire in cifre il fattore nel campo", CampoCompetenza::Fattore},
        // A product beyond the range of money, which no amount to invoice could come from.
        {CampiCompetenza{"ORE", "Ore", "274.877.906.944", "9999999999", "24,00", "30", "05/03/2004"},
         MessaggioImportoFuoriMisura, CampoCompetenza::Fattore},
        {con(&CampiCompetenza::Impofatt, ""), "definire l'importo da fatturare", CampoCompetenza::Impofatt},
        {con(&CampiCompetenza::Impofatt, "1,2,3"), "definire in cifre l'importo da fatturare",
         CampoCompetenza::Impofatt},
        {con(&CampiCompetenza::Impofatt, "abc"), "definire in cifre l'importo da fatturare", CampoCompetenza::Impofatt},
        {con(&CampiCompetenza::Impofatt, "24 EUR"), "definire in cifre l'importo da fatturare",
         CampoCompetenza::Impofatt},
        {CampiCompetenza{"RIC", "R", "", "", "abc", "30", "05/03/2004"}, "definire in cifre l'importo da fatturare",
         CampoCompetenza::Impofatt},
        {con(&CampiCompetenza::Pagamento, ""), "Bisogna definire il campo pagamento", CampoCompetenza::Pagamento},
        {con(&CampiCompetenza::Data, ""), "Si deve inserire la data di inserimento in fascola",
         CampoCompetenza::Data},
        {con(&CampiCompetenza::Data, "31/02/2004"), "Si deve inserire la data di inserimento in fascola",
         CampoCompetenza::Data},
        // The amount before the factor, and the amount to invoice after both.
        {CampiCompetenza{"PER", "P", "", "", "", "", ""}, "Bisogna definire l'importo nel campo",
         CampoCompetenza::Importo},
        {CampiCompetenza{"BAS", "B", "10", "", "", "", ""}, "Definire il campo fattore", CampoCompetenza::Fattore},
        {CampiCompetenza{"ANT", "A", "", "", "", "", ""}, "Bisogna definire l'importo nel campo",
         CampoCompetenza::Importo},
        {CampiCompetenza{"RIC", "R", "", "", "", "", ""}, "definire l'importo da fatturare",
         CampoCompetenza::Impofatt},
        {CampiCompetenza{"MIS", "M", "", "", "", "", ""}, "Bisogna definire l'importo nel campo",
         CampoCompetenza::Importo},
    };
    for (const auto& c : casi) {
        const EsitoVerifica e = VerificaCoerenzaDati(s(), c.campi, nullptr, ScopoVoce::Aggiunta);
        EXPECT_FALSE(e.Valida) << c.messaggio.toStdString();
        EXPECT_EQ(e.Messaggio, c.messaggio);
        EXPECT_EQ(e.Campo, c.campo) << c.messaggio.toStdString();
    }

    // Only what must be there is asked for; amounts and factors as the boxes show them or as
    // they are typed pass, 0 included.
    const CampiCompetenza buone[] = {
        buona,
        {"ONO", "Onorario", "", "", "100,00", "30", "05/03/2004"},
        {"RIC", "Onorario", "0,00", "0,00", "0", "30", "5/3/04"},
        {"RIC", "Onorario", "abc", "", "-1.234,50", "30", "05/03/2004"},  // a hidden box is not looked at
        {"SPE", "Spese", "0,00", "", "0,00", "0", "05/03/2004"},
        {"ANT", "Anticipo", "12.50", "", "12.50", "R30", "05/03/2004"},
        {"ANT", "Anticipo", " 1.234,5 ", "", "1234,5678", "R30", "05/03/2004"},
        {"SPE", "Spese", "€ 10", "", "12,50 €", "30", "05/03/2004"},
        {"PER", "Perc", "200", "12.50", "25", "30", "05/03/2004"},
        {"ORE", "Ore", "€ 12", " 1,5 ", "18", "30", "05/03/2004"},
    };
    for (const CampiCompetenza& c : buone) {
        const EsitoVerifica e = VerificaCoerenzaDati(s(), c, nullptr, ScopoVoce::Aggiunta);
        EXPECT_TRUE(e.Valida) << c.Elemento.toStdString() << " " << e.Messaggio.toStdString();
        ASSERT_TRUE(e.Elemento);
        EXPECT_EQ(e.Elemento->codice, c.Elemento);
    }
}

}  // namespace
