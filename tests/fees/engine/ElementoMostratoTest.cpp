#include "fees/engine/ElementoMostrato.h"

#include <gtest/gtest.h>

#include "fees/engine/CatalogoCompetenze.h"
#include "fees/engine/ComandiCompetenza.h"
#include "fees/engine/DefaultCompetenza.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/db/Database.h"
#include "support/TempDir.h"

namespace {

// The catalogue of every kind, with two elements that differ by the case of a letter the
// archive does not fold (È1 and è1), and SPE read before another workstation removed it.
class ElementoMostratoTest : public ::testing::Test {
protected:
    ElementoMostratoTest() {
        RipristinaAmbiente();
        catalogo_competenze::riempi(fascole);
        fascole.addCatalogueItem("È1", {{"descrizione", "Grande"}, {"calcolo", "F"}, {"tipo", "X"}});
        fascole.addCatalogueItem("è1", {{"descrizione", "Piccolo"}, {"calcolo", "F"}, {"tipo", "X"}});
        for (const char* codice : {"ONO", "È1"}) mostrati[codice] = *ElementoPerCodice(s(), codice);
        mostrati["SPE"] = *ElementoPerCodice(s(), "SPE");
        s().execute("DELETE FROM elefat WHERE codice = 'SPE'");
    }
    ~ElementoMostratoTest() override { RipristinaAmbiente(); }

    db::Database& s() { return fascole.db(); }
    const ElementoDaFatturare* mostrato(const QString& codice) {
        return codice.isEmpty() ? nullptr : &mostrati.at(codice);
    }
    std::string competenze() {
        return s()
            .scalar("SELECT group_concat(x, ' ') FROM (SELECT elemento || ':' || descrizione || ':' || importo || ':' "
                    "|| impofat AS x FROM competenze ORDER BY elemento)")
            .textOr(std::string());
    }

    TempDir dir;
    fixtures::CaseFileArchive fascole{dir.file("fascole.mdb")};
    std::map<QString, ElementoDaFatturare> mostrati;
};

constexpr ScopoVoce Aggiunta = ScopoVoce::Aggiunta;
constexpr ScopoVoce Correzione = ScopoVoce::Correzione;

// The code in the box against the element whose description and defaults the fields show.
TEST_F(ElementoMostratoTest, TheCodeMustStillNameTheElementShown) {
    const struct {
        QString codice, mostrato;  // no element shown: ""
        ScopoVoce scopo;
        QString elemento;  // the element the entry stands for, "" none
        bool altro;
    } casi[] = {
        // No element shown: the catalogue alone answers.
        {"ONO", "", Aggiunta, "ONO", false},
        {"XYZ", "", Aggiunta, "", false},
        {"SPE", "", Correzione, "", false},
        // The element shown, its code typed again in any case of a-z.
        {"ONO", "ONO", Aggiunta, "ONO", false},
        {"ono", "ONO", Correzione, "ONO", false},
        // ONO chosen, then RIC (or a code of no element) typed over it.
        {"RIC", "ONO", Aggiunta, "", true},
        {"RIC", "ONO", Correzione, "", true},
        {"XYZ", "ONO", Aggiunta, "", true},
        {"", "ONO", Aggiunta, "", true},
        // A letter the archive does not fold names another element.
        {"è1", "È1", Aggiunta, "", true},
        {"È1", "È1", Aggiunta, "È1", false},
        // The element shown has left the catalogue: a correction stands for it as shown, an
        // addition for nothing.
        {"SPE", "SPE", Correzione, "SPE", false},
        {"spe", "SPE", Correzione, "SPE", false},
        {"SPE", "SPE", Aggiunta, "", false},
        {"RIC", "SPE", Correzione, "", true},
        {"XYZ", "SPE", Correzione, "", true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE((c.codice + " over " + c.mostrato).toStdString());
        const EsitoElementoDellaVoce e = ElementoDellaVoce(s(), c.codice, mostrato(c.mostrato), c.scopo);
        EXPECT_EQ(e.Elemento ? e.Elemento->codice : QString(), c.elemento);
        EXPECT_EQ(e.AltroElemento, c.altro);
    }
    // The element left the catalogue is the one shown, with its text and mode.
    const EsitoElementoDellaVoce uscito = ElementoDellaVoce(s(), "SPE", mostrato("SPE"), Correzione);
    ASSERT_TRUE(uscito.Elemento);
    EXPECT_EQ(*uscito.Elemento, mostrati.at("SPE"));
}

TEST_F(ElementoMostratoTest, TheChecksRefuseAnotherElementsCodeNamingBoth) {
    EXPECT_EQ(MessaggioElementoCambiato("RIC", "ONO", "VUOTA"),
              "Il codice elemento RIC non è quello dell'elemento ONO di cui sono mostrati descrizione e importi: "
              "premere VUOTA per pulire i campi e scegliere di nuovo l'elemento");
    const CampiCompetenza ricSuOno{"RIC", "Onorario", "", "", "100,00", "30", "05/03/2004"};
    const CampiCompetenza spese{"SPE", "Spese", "10", "", "10", "30", "05/03/2004"};
    const struct {
        CampiCompetenza campi;
        QString mostrato;
        ScopoVoce scopo;
        QString messaggio;  // "" when the fields pass
        CampoCompetenza campo;
    } casi[] = {
        {ricSuOno, "ONO", Aggiunta, MessaggioElementoCambiato("RIC", "ONO", "VUOTA"), CampoCompetenza::Elemento},
        {ricSuOno, "ONO", Correzione, MessaggioElementoCambiato("RIC", "ONO", "VUOTA"), CampoCompetenza::Elemento},
        // Chosen by code, the same fields are RIC's own entry with a text of the user's.
        {ricSuOno, "", Aggiunta, "", CampoCompetenza::Elemento},
        // The emptiness checks come first.
        {{"", "Onorario", "", "", "100,00", "30", "05/03/2004"}, "ONO", Aggiunta,
         "Bisogna definire un codice elemento da fatturare", CampoCompetenza::Elemento},
        {{"RIC", "", "", "", "100,00", "30", "05/03/2004"}, "ONO", Aggiunta,
         "Si deve definire una descrizione per l'elemento", CampoCompetenza::Descrizione},
        // A stored cost whose element left the catalogue is checked by its mode as shown.
        {spese, "SPE", Correzione, "", CampoCompetenza::Elemento},
        {{"SPE", "Spese", "", "", "10", "30", "05/03/2004"}, "SPE", Correzione,
         "Bisogna definire l'importo nel campo", CampoCompetenza::Importo},
        {spese, "SPE", Aggiunta, "Il codice elemento non risulta definito in archivio", CampoCompetenza::Elemento},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE((c.campi.Elemento + " over " + c.mostrato).toStdString());
        const EsitoVerifica e = VerificaCoerenzaDati(s(), c.campi, mostrato(c.mostrato), c.scopo);
        EXPECT_EQ(e.Valida, c.messaggio.isEmpty());
        EXPECT_EQ(e.Messaggio, c.messaggio);
        if (!e.Valida) {
            EXPECT_EQ(e.Campo, c.campo);
        }
    }
}

// The writes themselves never store a code with another element's fields, and a stored item
// whose element left the catalogue is corrected by the element it was shown with.
TEST_F(ElementoMostratoTest, AnItemIsStoredOnlyUnderTheElementShown) {
    const ChiaveCompetenza ric{"R01", "0001", "0000", "0000", "RIC"};
    const CampiCompetenza ricSuOno{"RIC", "Onorario", "", "", "100,00", "30", "05/03/2004"};
    const DettaglioCompetenzaRec dettaglioOno = DettaglioDiDefault(mostrati.at("ONO"));
    EXPECT_EQ(AggiungiCompetenza(s(), ric, ricSuOno, dettaglioOno, mostrato("ONO")), EsitoCompetenza::ElementoAssente);
    EXPECT_EQ(competenze(), "");

    fascole.addFeeItem("R01", "0001", "0000", "0000", "RIC",
                       {{"descrizione", "Richiesta"}, {"importo", 0}, {"impofat", 250}});
    fascole.addFeeItem("R01", "0001", "0000", "0000", "SPE",
                       {{"descrizione", "Spese"}, {"importo", 10}, {"impofat", 10}});
    const std::string prima = competenze();
    EXPECT_EQ(CorreggiCompetenza(s(), ric, ricSuOno, dettaglioOno, nullptr, mostrato("ONO")),
              EsitoCompetenza::ElementoAssente);
    EXPECT_EQ(competenze(), prima);

    const ChiaveCompetenza spe{"R01", "0001", "0000", "0000", "SPE"};
    const CampiCompetenza speseCorrette{"SPE", "Spese corrette", "12", "", "15", "30", "05/03/2004"};
    const DettaglioCompetenzaRec dettaglioSpe = DettaglioDiDefault(mostrati.at("SPE"));
    EXPECT_EQ(CorreggiCompetenza(s(), spe, speseCorrette, dettaglioSpe, nullptr, nullptr),
              EsitoCompetenza::ElementoAssente);
    EXPECT_EQ(AggiungiCompetenza(s(), {"R01", "0001", "0001", "0000", "SPE"}, speseCorrette, dettaglioSpe,
                                 mostrato("SPE")),
              EsitoCompetenza::ElementoAssente);
    EXPECT_EQ(competenze(), prima);
    // Priced as the cost it was shown as: the cost kept beside the amount to invoice.
    EXPECT_EQ(CorreggiCompetenza(s(), spe, speseCorrette, dettaglioSpe, nullptr, mostrato("SPE")),
              EsitoCompetenza::Registrata);
    EXPECT_EQ(competenze(), "RIC:Richiesta:0:250 SPE:Spese corrette:12:15");
}

}  // namespace
