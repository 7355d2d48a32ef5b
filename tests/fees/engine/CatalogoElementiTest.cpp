#include <gtest/gtest.h>

#include <memory>

#include "fees/engine/CatalogoContabile.h"
#include "fees/engine/ElementiDaFatturare.h"
#include "fees/engine/VerificaElemento.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

// A case-file archive in use, through the program's session, with the accounting link off
// until collega() turns it on to the sample company.
class Catalogo : public ::testing::Test {
protected:
    Catalogo() : fascole(dir.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    ~Catalogo() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
    }

    // The sample accounting archive, plus a VAT rate of 10.5 %.
    void collega() {
        contab = std::make_unique<AccountingFixture>(dir.path());
        contab->creaCampione();
        contab->collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
        auto archivio = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
        AccountingFixture::inserisci(*archivio, "ivacodici",
                                     {{"codice", "10R"}, {"descrizione", "Aliquota 10,5%"}, {"aliquota", 1050}});
    }

    Connessione sessione() { return ArchivioInUso(); }

    static ElementoDaFatturare elemento(const QString& codice, const QString& descrizione) {
        ElementoDaFatturare e;
        e.codice = codice;
        e.descrizione = descrizione;
        e.calcolo = calcolo::Listino;
        e.importo = Currency::fromRaw(1505000);
        e.arrotonda = Currency::fromUnits(1);
        e.iva = "20";
        e.ivacee = "0";
        e.tipo = tipo::Competenza;
        e.codicepagamento = PagamentoDelCliente;
        return e;
    }

    // Another workstation's own connection to the same archive.
    std::unique_ptr<db::Database> altraPostazione() { return db::Database::open(fascole.path().toStdString()); }

    TempDir dir;
    fixtures::CaseFileArchive fascole;
    std::unique_ptr<AccountingFixture> contab;
    ScriptedMessages box;
};

// Fields that pass every check, linked or not.
CampiElemento campiValidi() {
    CampiElemento c;
    c.codice = "ONO";
    c.descrizione = "Onorario";
    c.calcolo = calcolo::Listino;
    c.importo = "150,00";
    c.arrotonda = "1";
    c.iva = "20";
    c.ivacee = "0";
    c.tipo = tipo::Competenza;
    c.contofat = "Onorari";
    c.dare = "Cassa";
    c.avere = "Onorari";
    c.lblContofat = "04.01.01.0001";
    c.lblDare = "01.02.01.0001";
    c.lblAvere = "04.01.01.0001";
    return c;
}

TEST(VerificaElemento, ChecksInTheirOrderStoppingAtTheFirstFailure) {
    using enum CampoElemento;
    const QString enorme = "1" + QString(400, '0');
    const struct Caso {
        const char* descrizione;
        bool collegato;
        std::function<void(CampiElemento&)> cambia;
        std::optional<CampoElemento> campo;
        QString messaggio;
    } casi[] = {
        {"an empty form fails at the code", false, [](CampiElemento& c) { c = {}; }, Codice,
         "Definire il codice elemento"},
        {"no description", false, [](CampiElemento& c) { c.descrizione.clear(); c.importo.clear(); }, Descrizione,
         "Inserire una descrizione per l'elemento"},
        {"no calculation option", false, [](CampiElemento& c) { c.calcolo.clear(); c.tipo.clear(); }, Calcolo,
         "Indicare la modalità di calcolo da usare"},
        {"no amount", false, [](CampiElemento& c) { c.importo.clear(); }, Importo,
         "Inserire un valore di calcolo per l'elemento"},
        {"letters for the amount", false, [](CampiElemento& c) { c.importo = "dieci"; }, Importo,
         "Il campo importo può contenere solo valori numerici"},
        {"an amount no money can hold", false, [&](CampiElemento& c) { c.importo = enorme; }, Importo,
         "Il campo importo può contenere solo valori numerici"},
        {"no rounding", false, [](CampiElemento& c) { c.arrotonda.clear(); }, Arrotonda,
         "Inserire un valore di arrotondamento per l'elemento"},
        {"letters for the rounding", false, [](CampiElemento& c) { c.arrotonda = "x"; }, Arrotonda,
         "Il campo arrotondamento può contenere solo valori numerici"},
        {"not linked, no rate", false, [](CampiElemento& c) { c.iva.clear(); }, Iva,
         "Inserire l'aliquota iva da applicare all'elemento"},
        {"not linked, letters for the rate", false, [](CampiElemento& c) { c.iva = "venti"; }, Iva,
         "Il campo iva può contenere solo valori numerici"},
        {"not linked, rate 100", false, [](CampiElemento& c) { c.iva = "100"; }, Iva,
         "l'aliquota iva va espressa in valore percentuale positivo <100"},
        {"not linked, rate -1", false, [](CampiElemento& c) { c.iva = "-1"; }, Iva,
         "l'aliquota iva va espressa in valore percentuale positivo <100"},
        {"not linked, a rate too large to read", false, [&](CampiElemento& c) { c.iva = enorme; }, Iva,
         "l'aliquota iva va espressa in valore percentuale positivo <100"},
        // The rate as the invoice lines bill it: "1.000" is a thousand percent, not one.
        {"not linked, rate 1.000", false, [](CampiElemento& c) { c.iva = "1.000"; }, Iva,
         "l'aliquota iva va espressa in valore percentuale positivo <100"},
        {"not linked, EU rate 22.000", false, [](CampiElemento& c) { c.ivacee = "22.000"; }, IvaCee,
         "l'aliquota iva Cee va espressa in valore percentuale positivo <100"},
        {"not linked, no EU rate", false, [](CampiElemento& c) { c.ivacee.clear(); }, IvaCee,
         "Inserire l'aliquota iva Cee da applicare all'elemento"},
        {"not linked, letters for the EU rate", false, [](CampiElemento& c) { c.ivacee = "abc"; }, IvaCee,
         "Il campo iva Cee può contenere solo valori numerici"},
        {"not linked, EU rate 100", false, [](CampiElemento& c) { c.ivacee = "100"; }, IvaCee,
         "l'aliquota iva Cee va espressa in valore percentuale positivo <100"},
        {"no type option", false, [](CampiElemento& c) { c.tipo.clear(); }, Tipo, "Definire il tipo di elemento"},
        {"linked, no VAT description", true, [](CampiElemento& c) { c.iva.clear(); c.ivacee.clear(); }, Iva,
         "Inserire il codice iva da applicare all'elemento"},
        {"linked, no EU VAT description", true, [](CampiElemento& c) { c.ivacee.clear(); }, IvaCee,
         "Inserire il codice iva da applicare all'elemento per operazioni Cee"},
        {"linked, a VAT description is no rate", true,
         [](CampiElemento& c) { c.iva = "Aliquota ordinaria 20%"; c.contofat.clear(); }, Contofat,
         "definire un codice per la contabilizzazione delle fatture"},
        {"linked, no debit account", true, [](CampiElemento& c) { c.dare.clear(); c.avere.clear(); }, Dare,
         "definire il codice in dare per la generazione della prima nota"},
        {"linked, no credit account", true, [](CampiElemento& c) { c.avere.clear(); }, Avere,
         "definire il codice in avere per la generazione della prima nota"},
        // The row stores the codes: a text that named no account leaves none to store.
        {"linked, a revenue account text with no code", true, [](CampiElemento& c) { c.lblContofat.clear(); },
         Contofat, "definire un codice per la contabilizzazione delle fatture"},
        {"linked, every account with its code", true, [](CampiElemento& c) { c.iva = "Aliquota ordinaria 20%"; },
         std::nullopt, {}},
        {"not linked, rate 0 and EU rate 99,9 pass", false, [](CampiElemento& c) { c.iva = "0"; c.ivacee = "99,9"; },
         std::nullopt, {}},
        {"not linked, rate 12.5 and EU rate 99,99 pass", false,
         [](CampiElemento& c) { c.iva = "12.5"; c.ivacee = "99,99"; }, std::nullopt, {}},
        {"not linked, the accounts take part in no check", false,
         [](CampiElemento& c) { c.contofat.clear(); c.dare.clear(); c.avere.clear(); }, std::nullopt, {}},
    };
    for (const Caso& caso : casi) {
        CampiElemento campi = campiValidi();
        caso.cambia(campi);
        const auto rifiuto = VerificaElemento(campi, caso.collegato);
        ASSERT_EQ(rifiuto.has_value(), caso.campo.has_value()) << caso.descrizione;
        if (!rifiuto) continue;
        EXPECT_EQ(rifiuto->campo, *caso.campo) << caso.descrizione;
        EXPECT_EQ(rifiuto->messaggio, caso.messaggio) << caso.descrizione;
    }
}

TEST(ElementoDaiCampi, LinkedTheVatCodeIsTheCaptionsCodePartAndTheAccountsTheLabels) {
    CampiElemento c = campiValidi();
    c.importo = "1.234,50";
    c.arrotonda = "0,5";
    c.lblIva = "E15 ( 0%)";
    c.lblIvacee = "4 ( 4%)";
    c.lblContofat = "04.01.01.0001";
    c.lblDare = "01.02.01.0001";
    c.lblAvere = "04.01.01.0002";
    c.pagaCli = false;
    c.lblCodicePagamento = "R30";
    const ElementoDaFatturare e = ElementoDaiCampi(c, true);
    EXPECT_EQ(e.iva, "E15");  // all three characters of the code, not the first two
    EXPECT_EQ(e.ivacee, "4");
    EXPECT_EQ(e.importo, Currency::fromRaw(12345000));
    EXPECT_EQ(e.arrotonda, Currency::fromRaw(5000));
    EXPECT_EQ(e.contofat, "04.01.01.0001");
    EXPECT_EQ(e.dare, "01.02.01.0001");
    EXPECT_EQ(e.avere, "04.01.01.0002");
    EXPECT_FALSE(e.pagamento);
    EXPECT_EQ(e.codicepagamento, "R30");
}

TEST(ElementoDaiCampi, NotLinkedTheRatesAreStoredAsTypedAndNoAccount) {
    CampiElemento c = campiValidi();
    c.iva = "12,5";
    c.ivacee = "0";
    c.lblContofat = c.lblDare = c.lblAvere = "Non collegato alla contabilità";
    c.contofat = c.dare = c.avere = "*";
    c.pagaCli = true;
    c.lblCodicePagamento = "30";  // left from an earlier term: the client's own terms win
    const ElementoDaFatturare e = ElementoDaiCampi(c, false);
    EXPECT_EQ(e.iva, "12,5");
    EXPECT_EQ(e.ivacee, "0");
    EXPECT_EQ(e.contofat, "");
    EXPECT_EQ(e.dare, "");
    EXPECT_EQ(e.avere, "");
    EXPECT_TRUE(e.pagamento);
    EXPECT_EQ(e.codicepagamento, "0");
}

TEST(DidascaliaIva, CodeAndWholeRateWithItsSignBlank) {
    EXPECT_EQ(DidascaliaIva({"20", "", 2000}), "20 ( 20%)");
    EXPECT_EQ(DidascaliaIva({"10R", "", 1050}), "10R ( 10%)");
    EXPECT_EQ(DidascaliaIva({"E15", "", 0}), "E15 ( 0%)");
    EXPECT_EQ(CodiceDaDidascaliaIva("20 ( 20%)"), "20");
    EXPECT_EQ(CodiceDaDidascaliaIva("E15 ( 0%)"), "E15");
    EXPECT_EQ(CodiceDaDidascaliaIva(" 4 ( 4%)"), "4");
    EXPECT_EQ(CodiceDaDidascaliaIva(""), "");
}

TEST(GiorniPagamento, ADayCountFromZeroTo365ElseZero) {
    const std::pair<QString, QString> casi[] = {
        {"30", "30"},   {"365", "365"}, {"0", "0"},     {"366", "0"},  {"-1", "0"},
        {"abc", "0"},   {"", "0"},      {"30,7", "30"}, {"99999999999999999999", "0"},
        {"1" + QString(400, '0'), "0"},
    };
    for (const auto& [testo, atteso] : casi) EXPECT_EQ(GiorniPagamento(testo), atteso) << testo.toStdString();
}

TEST_F(Catalogo, AnElementWithQuotesIsStoredFoundAndReadBack) {
    const ElementoDaFatturare virgolette = elemento("A\"'", "L'avvocato \"Rossi\"");
    ASSERT_EQ(InserisciElemento(*sessione(), virgolette), EsitoElemento::Registrato);
    ASSERT_EQ(InserisciElemento(*sessione(), elemento("ONO", "Onorario")), EsitoElemento::Registrato);
    ASSERT_EQ(InserisciElemento(*sessione(), elemento("BOL", "Marca da bollo")), EsitoElemento::Registrato);

    auto codici = [](const std::vector<ElementoLetto>& righe) {
        QStringList c;
        for (const auto& r : righe) c << r.elemento.codice;
        return c;
    };
    EXPECT_EQ(codici(RicercaElementi(*sessione(), "", "")), (QStringList{"A\"'", "BOL", "ONO"}));
    EXPECT_EQ(codici(RicercaElementi(*sessione(), "A\"'", "")), QStringList{"A\"'"});
    EXPECT_EQ(codici(RicercaElementi(*sessione(), "", "l'avvocato \"rossi\"")), QStringList{"A\"'"});
    EXPECT_EQ(codici(RicercaElementi(*sessione(), "ONO", "Marca da bollo")), QStringList{});
    EXPECT_EQ(codici(RicercaElementi(*sessione(), "bol", "Marca da bollo")), QStringList{"BOL"});

    const auto letto = LeggiElemento(*sessione(), "A\"'");
    ASSERT_TRUE(letto);
    EXPECT_EQ(letto->elemento, virgolette);
    EXPECT_FALSE(ElementoInUso(*sessione(), "A\"'"));
    fascole.addFeeItem("C001", "0001", "0000", "0000", "A\"'");
    EXPECT_TRUE(ElementoInUso(*sessione(), "A\"'"));
    EXPECT_EQ(box.asked().size(), 0u);
}

TEST_F(Catalogo, ADuplicateCodeIsRefusedBeforeTheInsert) {
    ASSERT_EQ(InserisciElemento(*sessione(), elemento("ONO", "Onorario")), EsitoElemento::Registrato);
    EXPECT_EQ(InserisciElemento(*sessione(), elemento("ono", "Altro onorario")), EsitoElemento::CodiceEsistente);
    EXPECT_EQ(sessione()->scalar("SELECT count(*) FROM elefat").toInt(), 1);
    EXPECT_EQ(sessione()->scalar("SELECT descrizione FROM elefat").toText(), "Onorario");
    EXPECT_EQ(box.asked().size(), 0u);  // no error handler: the form says why
}

TEST_F(Catalogo, ACorrectionWritesEveryColumnButTheCodeAndRereadsTheRow) {
    ASSERT_EQ(InserisciElemento(*sessione(), elemento("ONO", "Onorario")), EsitoElemento::Registrato);
    ElementoLetto letto = *LeggiElemento(*sessione(), "ONO");
    ElementoDaFatturare nuovo = elemento("ZZZ", "Onorario per perizia");
    nuovo.accoda = true;
    nuovo.calcolo = calcolo::ImportoUnitario;
    nuovo.importo = Currency::fromRaw(123);
    nuovo.arrotonda = Currency::fromRaw(5000);
    nuovo.iva = "10";
    nuovo.ivacee = "4";
    nuovo.tipo = tipo::Anticipazione;
    nuovo.contofat = "04.01.01.0001";
    nuovo.dare = "01.02.01.0001";
    nuovo.avere = "04.01.01.0002";
    nuovo.pagamento = false;
    nuovo.codicepagamento = "R30";
    ASSERT_EQ(CorreggiElemento(*sessione(), letto, nuovo), EsitoElemento::Registrato);
    nuovo.codice = "ONO";
    EXPECT_EQ(letto.elemento, nuovo);
    EXPECT_EQ(LeggiElemento(*sessione(), "ONO")->elemento, nuovo);
    EXPECT_FALSE(LeggiElemento(*sessione(), "ZZZ"));
    // What was read back is what a second correction compares with.
    nuovo.descrizione = "Onorario di perizia";
    EXPECT_EQ(CorreggiElemento(*sessione(), letto, nuovo), EsitoElemento::Registrato);
}

TEST_F(Catalogo, ARowChangedOrDeletedElsewhereIsNeitherCorrectedNorDeleted) {
    ASSERT_EQ(InserisciElemento(*sessione(), elemento("ONO", "Onorario")), EsitoElemento::Registrato);
    ASSERT_EQ(InserisciElemento(*sessione(), elemento("BOL", "Bollo")), EsitoElemento::Registrato);
    ElementoLetto ono = *LeggiElemento(*sessione(), "ONO");
    ElementoLetto bol = *LeggiElemento(*sessione(), "BOL");
    altraPostazione()->execute("UPDATE elefat SET importo = 99 WHERE codice = 'ONO'");
    altraPostazione()->execute("DELETE FROM elefat WHERE codice = 'BOL'");

    box.expectMessage(Answer::Abort).expectMessage(Answer::Ignore).expectMessage(Answer::Abort);
    EXPECT_EQ(CorreggiElemento(*sessione(), ono, elemento("ONO", "Mio")), EsitoElemento::NonRegistrato);
    EXPECT_EQ(CancellaElemento(*sessione(), ono), EsitoElemento::NonRegistrato);
    EXPECT_EQ(CorreggiElemento(*sessione(), bol, elemento("BOL", "Mio")), EsitoElemento::NonRegistrato);
    ASSERT_EQ(box.asked().size(), 3u);
    for (int i : {0, 1}) {
        EXPECT_TRUE(box.asked()[i].text.startsWith("Si è verificato l'errore  3197")) << box.asked()[i].text.toStdString();
        EXPECT_EQ(box.asked()[i].title, "GESTIONE DEGLI ERRORI");
    }
    EXPECT_TRUE(box.asked()[0].text.contains("Funzione: Funzione di correzione elemento"));
    EXPECT_TRUE(box.asked()[1].text.contains("Funzione: Funzione di cancellazione elemento"));
    EXPECT_TRUE(box.asked()[2].text.startsWith("Si è verificato l'errore  3167"));
    EXPECT_EQ(LeggiElemento(*sessione(), "ONO")->elemento.importo, Currency::fromUnits(99));
    EXPECT_EQ(LeggiElemento(*sessione(), "ONO")->elemento.descrizione, "Onorario");
}

TEST_F(Catalogo, AnElementInUseIsNotDeletedEvenWhenTheUseCameAfterTheCheck) {
    ASSERT_EQ(InserisciElemento(*sessione(), elemento("ONO", "Onorario")), EsitoElemento::Registrato);
    ASSERT_EQ(InserisciElemento(*sessione(), elemento("BOL", "Bollo")), EsitoElemento::Registrato);
    const ElementoLetto ono = *LeggiElemento(*sessione(), "ONO");
    const ElementoLetto bol = *LeggiElemento(*sessione(), "BOL");
    fascole.addFeeItem("C002", "0003", "0001", "0000", "ONO");
    EXPECT_EQ(CancellaElemento(*sessione(), ono), EsitoElemento::InUso);
    EXPECT_EQ(CancellaElemento(*sessione(), bol), EsitoElemento::Registrato);
    EXPECT_TRUE(LeggiElemento(*sessione(), "ONO"));
    EXPECT_FALSE(LeggiElemento(*sessione(), "BOL"));
}

TEST_F(Catalogo, TheListsAreReadAfreshAtEachCall) {
    EXPECT_TRUE(ElencoCodiciElementi(*sessione()).empty());
    altraPostazione()->execute("INSERT INTO elefat (codice, descrizione) VALUES ('ONO', 'Onorario'), ('BOL', 'Bollo')");
    const auto codici = ElencoCodiciElementi(*sessione());
    const auto descrizioni = ElencoDescrizioniElementi(*sessione());
    ASSERT_EQ(codici.size(), 2u);
    EXPECT_EQ(codici[0].text, "BOL");
    EXPECT_EQ(codici[1].text, "ONO");
    ASSERT_EQ(descrizioni.size(), 2u);
    EXPECT_EQ(descrizioni[0].text, "Bollo");
}

TEST_F(Catalogo, LinkedTheCodesAreLookedUpInTheAccountingArchiveThroughTheSession) {
    collega();
    db::Database& s = *sessione();
    ASSERT_TRUE(s.isAttached(SchemaContabile));

    const auto ordinaria = IvaDaDescrizione(s, "Aliquota ordinaria 20%");
    ASSERT_TRUE(ordinaria);
    EXPECT_EQ(DidascaliaIva(*ordinaria), "20 ( 20%)");
    EXPECT_EQ(DidascaliaIva(*IvaDaCodice(s, "10R")), "10R ( 10%)");
    EXPECT_EQ(IvaDaCodice(s, "E15")->descrizione, "Escluso art. 15");
    EXPECT_FALSE(IvaDaDescrizione(s, "Aliquota \"inventata\""));
    EXPECT_FALSE(IvaDaCodice(s, ""));

    EXPECT_EQ(ContoDaCodice(s, "04.01.01.0001")->codice, "04.01.01.0001");
    EXPECT_FALSE(ContoDaCodice(s, "09.09.09.0009"));
    EXPECT_EQ(PagamentoDaDescrizione(s, "Rimessa diretta"), "RD");
    EXPECT_FALSE(PagamentoDaDescrizione(s, "Mai"));
    EXPECT_EQ(DescrizioneCodicePagamento(s, "R30"), "Ricevuta bancaria 30 gg d.f.");
    EXPECT_FALSE(DescrizioneCodicePagamento(s, "0"));

    // The account lists: postable "P" accounts only, by description.
    const auto conti = ElencoContiPatrimoniali(s);
    ASSERT_FALSE(conti.empty());
    auto archivio = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
    for (size_t i = 0; i < conti.size(); ++i) {
        if (i) {
            EXPECT_LE(conti[i - 1].text.compare(conti[i].text, Qt::CaseInsensitive), 0);
        }
        db::Statement st(*archivio, "SELECT codice, natura FROM pianodeiconti WHERE descrizione = ?", {conti[i].text});
        bool postabile = false;
        while (st.step())
            postabile = postabile || (st.column(1).toText() == "P" && !QString::fromStdString(st.column(0).toText()).endsWith(".0000"));
        EXPECT_TRUE(postabile) << conti[i].text.toStdString();
    }
    const auto iva = ElencoIva(s);
    EXPECT_EQ(iva.size(), 6u);
    EXPECT_EQ(ElencoPagamenti(s).size(), 4u);
}

}  // namespace
