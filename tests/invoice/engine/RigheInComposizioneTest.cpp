#include "invoice/engine/RigheInComposizione.h"

#include <gtest/gtest.h>

#include "fees/engine/ElementoDiProva.h"
#include "invoice/engine/FascolaDaFatturare.h"
#include "invoice/engine/FatturaDiProva.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"

namespace {

using fattura_di_prova::euro;
using fattura_di_prova::SessioneCollegata;

using elemento_di_prova::elemento;
using elemento_di_prova::mostra;

// The fee-item layout with the line's own display of the amount to invoice and of a
// percentage fee's factor.
TEST(DefinizioneCalcoloRiga, ALineFromTheGridShowsItsStoredValues) {
    RigaFattura r;
    r.importo = euro("200");
    r.impofat = euro("10,5");
    r.addebitounitario = euro("12,5");
    r.fattore = "5";
    const CampiImporto prima{"x", "y", "a", true, "f", true, "p"};
    const struct {
        QString calcolo, tipo, atteso;
    } casi[] = {
        {"P", "C", "Costo|Percent|+200,00|+5|10,5"},
        {"R", "C", "Costo||+200,00|-0,00|10,50"},
        {"F", "A", "Anticipazione||+200,00|-0,00|10,50"},
        {"F", "X", "||-0,00|-0,00|10,50"},
        {"R", "X", "||-0,00|-0,00|10,50"},
        {"U", "X", "dir. unitario|quantità|+12,50|+5|10,5"},
        {"P", "X", "Base imponibile|Percent|+200,00|+5,00|10,5"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(mostra(DefinizioneCalcoloRiga(elemento(c.calcolo, c.tipo, "99"), r, prima)), c.atteso)
            << c.calcolo.toStdString() << c.tipo.toStdString();

    // A percentage is read back as the box read it when it was typed.
    const std::pair<QString, QString> fattori[] = {
        {"12.50", "12,50"}, {"1.5", "1,50"}, {"1.250", "1.250,00"}, {" 2,5 ", "2,50"}, {"due", "due"}};
    for (const auto& [digitato, mostrato] : fattori) {
        r.fattore = digitato;
        EXPECT_EQ(DefinizioneCalcoloRiga(elemento("P", "X", "99"), r, prima).Fattore, mostrato)
            << digitato.toStdString();
    }
}

TEST(PosizioneInserimento, FirstAboveBelowOrLast) {
    const struct {
        char modo;
        int selezionata, righe, posizione;
    } casi[] = {
        {'I', 3, 5, 1}, {'P', 3, 5, 3}, {'D', 3, 5, 4}, {'F', 3, 5, 5}, {'P', 1, 5, 1}, {'D', 4, 5, 5},
        // No line selected: above and below both mean first.
        {'P', 0, 5, 1}, {'D', 0, 5, 1}, {'X', 3, 5, 1}, {'F', 0, 1, 1}, {'I', 0, 1, 1},
    };
    for (const auto& c : casi)
        EXPECT_EQ(PosizioneInserimento(QChar::fromLatin1(c.modo), c.selezionata, c.righe), c.posizione)
            << c.modo << c.selezionata;
}

class Composizione : public ::testing::Test {
protected:
    Composizione() { fascola_da_fatturare::riempi(fascole, "R01"); }
    db::Database& s() { return fascole.db(); }

    TempDir dir;
    fixtures::CaseFileArchive fascole{dir.file("fascole.mdb")};
};

TEST_F(Composizione, TheChecksRunInOrderAndStopAtTheFirstFailure) {
    const struct {
        CampiRiga campi;
        QString messaggio;
        CampoRiga campo;
    } casi[] = {
        {{"", "", "", "", ""}, "Bisogna definire un codice elemento da fatturare", CampoRiga::Elemento},
        {{"ORE", "", "", "", ""}, "Si deve definire una descrizione per l'elemento", CampoRiga::Descrizione},
        {{"XYZ", "Testo", "", "", ""}, "Il codice elemento non risulta definito in archivio", CampoRiga::Elemento},
        {{"ORE", "Ore", "", "2", ""}, "Bisogna definire l'importo nel campo", CampoRiga::Importo},
        {{"ORE", "Ore", "12,50", "", ""}, "Definire il campo fattore", CampoRiga::Fattore},
        {{"ANT", "Anticipo", "", "", ""}, "Bisogna definire l'importo nel campo", CampoRiga::Importo},
        // The boxes that are converted hold numbers in figures.
        {{"PER", "Perc", "abc", "-1", "x"}, "Bisogna definire in cifre l'importo nel campo Base imponibile",
         CampoRiga::Importo},
        {{"PER", "Perc", "200", "5", "1.2OO,00"}, "definire in cifre l'importo da fatturare", CampoRiga::Impofatt},
        {{"ONO", "Onorario", "", "", "   "}, "definire in cifre l'importo da fatturare", CampoRiga::Impofatt},
        {{"PER", "Perc", "-200", "x", "€ -10"}, "Bisogna definire in cifre il fattore nel campo Percent",
         CampoRiga::Fattore},
    };
    for (const auto& c : casi) {
        const EsitoVerificaRiga e = VerificaDatiFattura(s(), c.campi, nullptr, ScopoVoce::Aggiunta);
        EXPECT_FALSE(e.Valida);
        EXPECT_EQ(e.Messaggio, c.messaggio);
        EXPECT_EQ(e.Campo, c.campo) << c.messaggio.toStdString();
    }
    const struct {
        CampiRiga campi;
        QString calcolo;
    } buoni[] = {
        {{"ONO", "Onorario", "", "", ""}, "F"},        // a fee at list price needs no box
        {{"SPE", "Spese", "10", "", ""}, "R"},         // a cost typed needs no factor
        {{"ANT", "Anticipo", "5", "", ""}, "R"},
        {{"ORE", "Ore", "12,50", "2", ""}, "U"},       // an empty amount to invoice bills 0,00
        {{"PER", "Perc", "-200", "5", "€ -10"}, "P"},  // no check of signs
    };
    for (const auto& b : buoni) {
        const EsitoVerificaRiga e = VerificaDatiFattura(s(), b.campi, nullptr, ScopoVoce::Aggiunta);
        EXPECT_TRUE(e.Valida) << b.campi.Elemento.toStdString();
        EXPECT_EQ(e.Calcolo, b.calcolo);
    }
}

// The code must still name the element whose description and amounts the fields show; a line
// corrected after its element left the catalogue is checked by the element as shown.
TEST_F(Composizione, ALineStandsOnlyForTheElementItsFieldsShow) {
    const ElementoDaFatturare ono = *ElementoPerCodice(s(), "ONO");
    const ElementoDaFatturare spe = *ElementoPerCodice(s(), "SPE");
    s().execute("DELETE FROM elefat WHERE codice = 'SPE'");
    const struct {
        CampiRiga campi;
        const ElementoDaFatturare* mostrato;
        ScopoVoce scopo;
        QString messaggio;  // "" when the fields make a line, of mode `calcolo`
        QString calcolo;
    } casi[] = {
        {{"ORE", "Onorario", "", "", "100,00"}, &ono, ScopoVoce::Aggiunta,
         MessaggioElementoCambiato("ORE", "ONO", "ANNULLA"), ""},
        {{"ORE", "Onorario", "", "", "100,00"}, &ono, ScopoVoce::Correzione,
         MessaggioElementoCambiato("ORE", "ONO", "ANNULLA"), ""},
        {{"ORE", "Onorario", "12,50", "1", "100,00"}, nullptr, ScopoVoce::Aggiunta, "", "U"},
        {{"SPE", "Spese", "10", "", "15"}, &spe, ScopoVoce::Correzione, "", "R"},
        {{"SPE", "Spese", "10", "", "15"}, &spe, ScopoVoce::Aggiunta,
         "Il codice elemento non risulta definito in archivio", ""},
    };
    for (const auto& c : casi) {
        const EsitoVerificaRiga e = VerificaDatiFattura(s(), c.campi, c.mostrato, c.scopo);
        EXPECT_EQ(e.Valida, c.messaggio.isEmpty()) << c.campi.Elemento.toStdString();
        EXPECT_EQ(e.Messaggio, c.messaggio);
        EXPECT_EQ(e.Calcolo, c.calcolo);
        if (!e.Valida) {
            EXPECT_EQ(e.Campo, CampoRiga::Elemento);
        }
    }
}

TEST_F(Composizione, ANewLineTakesTheFieldsTheLineInHandAndTheCaseFile) {
    RigaFatturaInCorsoRec inCorso;
    inCorso.Ntask = "0001";
    inCorso.Njob = "0002";
    inCorso.DarePn = "D";
    inCorso.AverePn = "A";
    inCorso.Ricavi = "R";
    inCorso.Pagamento = "60";
    inCorso.CodiceIva = "10";
    inCorso.IvaBloccata = true;
    const QDate oggi(2004, 3, 15);
    RigaFattura r = NuovaRigaFattura({"ORE", "Ore in più", "12.50", "3", "37,50"}, inCorso, "R01", "0001", "U", oggi);
    EXPECT_EQ(r.cliente, "R01");
    EXPECT_EQ(r.npra, "0001");
    EXPECT_EQ(r.ntask, "0001");
    EXPECT_EQ(r.njob, "0002");
    EXPECT_EQ(r.elemento, "ORE");
    EXPECT_TRUE(r.Tipo.isEmpty());
    EXPECT_EQ(r.descrizione, "Ore in più");
    EXPECT_EQ(r.data, oggi);
    EXPECT_EQ(r.importo, euro("12,5"));
    EXPECT_EQ(r.impofat, euro("37,5"));
    EXPECT_EQ(r.addebitounitario, euro("12,5"));
    EXPECT_EQ(r.fattore, "3");
    EXPECT_EQ(r.darepn, "D");
    EXPECT_EQ(r.averepn, "A");
    EXPECT_EQ(r.ricavi, "R");
    EXPECT_EQ(r.pagamento, "60");
    EXPECT_EQ(r.CodiceIva, "10");
    EXPECT_TRUE(r.IvaBloccata);
    EXPECT_FALSE(r.primanota || r.fatturato || r.spuntato);

    // The unit charge belongs to the unit-price mode, the factor to it and the percentage.
    const struct {
        QString calcolo;
        const char* addebito;
        QString fattore;
    } modi[] = {{"P", "0", "3"}, {"R", "0", ""}, {"F", "0", ""}, {"", "12,5", "3"}};
    for (const auto& m : modi) {
        r = NuovaRigaFattura({"X", "x", "12,50", "3", ""}, inCorso, "R01", "0001", m.calcolo, oggi);
        EXPECT_EQ(r.addebitounitario, euro(m.addebito)) << m.calcolo.toStdString();
        EXPECT_EQ(r.fattore, m.fattore) << m.calcolo.toStdString();
        EXPECT_EQ(r.impofat, Currency());
    }
}

TEST_F(Composizione, ACorrectionKeepsTheKeyAndIsAllOrNothing) {
    RigaFattura r = fattura_di_prova::riga("20", "100", "X");
    r.elemento = "ORE";
    r.ntask = "0001";
    r.primanota = true;
    r.idpn = "PN1";
    r.idfattura = "F1";
    RigaFatturaInCorsoRec inCorso;
    inCorso.Ntask = "0009";  // the line's task changes only through the detail dialog
    inCorso.Pagamento = "30";
    inCorso.CodiceIva = "4";
    CorreggiRigaFattura(r, {"ORE", "Nuovo testo", "10", "4", "40"}, inCorso, "U");
    EXPECT_EQ(r.ntask, "0001");
    EXPECT_EQ(r.elemento, "ORE");
    EXPECT_EQ(r.Tipo, "X");
    EXPECT_EQ(r.descrizione, "Nuovo testo");
    EXPECT_EQ(r.impofat, euro("40"));
    EXPECT_EQ(r.addebitounitario, euro("10"));
    EXPECT_EQ(r.fattore, "4");
    EXPECT_EQ(r.CodiceIva, "4");
    EXPECT_FALSE(r.primanota);
    EXPECT_TRUE(r.idpn.isEmpty() && r.idfattura.isEmpty());

    const RigaFattura prima = r;
    EXPECT_THROW(CorreggiRigaFattura(r, {"ORE", "Altro", "1-2-3", "4", "40"}, inCorso, "U"), db::DbError);
    EXPECT_EQ(r.descrizione, prima.descrizione);
    EXPECT_EQ(r.importo, prima.importo);
}

TEST_F(Composizione, TheDefaultsOfAnElementChosenByCodeOrByDescription) {
    FatturaInComposizioneRec fattura;
    EsitoDefault e = DefinizioneDefaultFattura(s(), SceltaElemento::PerCodice, "ORE", "R01", false, fattura);
    ASSERT_TRUE(e.Default);
    EXPECT_EQ(e.Default->Elemento.descrizione, "Ore di lavoro");
    EXPECT_EQ(e.Default->Pagamento, "30");
    EXPECT_EQ(e.Default->DarePn, "01.01.01.0001");
    EXPECT_EQ(e.Default->AverePn, "04.01.01.0001");
    EXPECT_EQ(e.Default->Ricavi, "04.01.01.0001");
    EXPECT_EQ(e.Default->CodiceIva, "20");
    EXPECT_EQ(e.Default->Ntask, "0000");
    EXPECT_EQ(e.Default->Njob, "0000");
    EXPECT_FALSE(e.Default->Listino);

    e = DefinizioneDefaultFattura(s(), SceltaElemento::PerDescrizione, "spese", "R01", false, fattura);
    ASSERT_TRUE(e.Default);
    EXPECT_EQ(e.Default->Elemento.codice, "SPE");

    e = DefinizioneDefaultFattura(s(), SceltaElemento::PerCodice, "XYZ", "R01", false, fattura);
    EXPECT_TRUE(e.ElementoInesistente);
    EXPECT_FALSE(e.Default);

    // The client's price list gives the price and the payment, whatever the catalogue says.
    fascole.addPriceListItem("R01", "ORE", {{"importo", 15}, {"pagamento", "60"}});
    fascole.db().execute("UPDATE elefat SET pagamento = 1 WHERE codice = 'ORE'");
    e = DefinizioneDefaultFattura(s(), SceltaElemento::PerCodice, "ORE", "R01", false, fattura);
    ASSERT_TRUE(e.Default && e.Default->Listino);
    EXPECT_EQ(e.Default->Listino->Importo, euro("15"));
    EXPECT_EQ(e.Default->Pagamento, "60");
    // Not linked, an element paid on the client's terms takes its own payment code.
    e = DefinizioneDefaultFattura(s(), SceltaElemento::PerCodice, "ORE", "B02", false, fattura);
    EXPECT_EQ(e.Default->Pagamento, "30");

    // Task and job of the line selected; a selection past the table is none.
    RigaFattura r;
    r.ntask = "0002";
    r.njob = "0003";
    fattura.RigheFattura.aggiungi(r);
    fattura.RigaCorrente = 1;
    e = DefinizioneDefaultFattura(s(), SceltaElemento::PerCodice, "ONO", "R01", false, fattura);
    EXPECT_EQ(e.Default->Ntask, "0002");
    EXPECT_EQ(e.Default->Njob, "0003");
    fattura.RigaCorrente = 7;
    e = DefinizioneDefaultFattura(s(), SceltaElemento::PerCodice, "ONO", "R01", false, fattura);
    EXPECT_EQ(e.Default->Ntask, "0000");
    EXPECT_EQ(e.Default->Njob, "0000");
}

TEST_F(SessioneCollegata, LinkedAnElementPaidOnTheClientsTermsTakesTheClientsPaymentCode) {
    fascola_da_fatturare::riempi(fascole, "01.01.01.0001");
    sessione().execute("UPDATE elefat SET pagamento = 1 WHERE codice = 'ONO'");
    FatturaInComposizioneRec fattura;
    const struct {
        QString cliente, pagamento;
    } casi[] = {{"01.01.01.0001", "R30"}, {"01.01.01.0002", "RD"}, {"01.01.01.0099", "0,00"}};
    for (const auto& c : casi) {
        const EsitoDefault e =
            DefinizioneDefaultFattura(sessione(), SceltaElemento::PerCodice, "ONO", c.cliente, true, fattura);
        ASSERT_TRUE(e.Default);
        EXPECT_EQ(e.Default->Pagamento, c.pagamento) << c.cliente.toStdString();
    }
    const EsitoDefault propri =
        DefinizioneDefaultFattura(sessione(), SceltaElemento::PerCodice, "ORE", "01.01.01.0001", true, fattura);
    EXPECT_EQ(propri.Default->Pagamento, "30");
}

}  // namespace
