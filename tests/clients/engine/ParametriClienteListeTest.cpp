#include "clients/engine/ParametriClienteListe.h"

#include <gtest/gtest.h>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

Currency euro(double v) { return Currency::fromDouble(v); }

const QString Pieni = "Si possono definire solo 8 elementi a fatturazione fissa";
const QString GiaInLista = "L'elemento inserito risulta già definito nella lista";
const QString NonInArchivi = "Il codice elemento inserito non risulta definito negli archivi";
const QString AnticipoFisso = "Non è possibile dichiarare come elemento fisso una anticipazione";
const QString SenzaAddebito = "definire il tipo di addebito che deve essere applicato per l'elemento";
const QString NessunElemento = "L'elemento indicato non risulta in archivio";
const QString AnticipoListino = "Non è possibile dichiarare un listino particolare per una anticipazione";
const QString PrezzoErrato = "Definire correttamente il prezzo di listino da applicare";
const QString PagamentoIgnoto = "Il codice pagamento inserito non è definito";
const QString Giorni = "La scadenza deve essere indicata in numero di giorni";
const QString TroppoLungo = "Il pagamento non può superare i 3 caratteri";

// The case-file archive with a small catalogue, and the sample accounting archive attached
// to the same session, as a linked installation has them.
class ParametriClienteListeTest : public ::testing::Test {
protected:
    ParametriClienteListeTest() : fascole(cartella.file("fascole.mdb")), contab(cartella.path()) {
        RipristinaAmbiente();
        fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 100}, {"tipo", "X"}});
        fascole.addCatalogueItem("BOL", {{"descrizione", "Bolli"}, {"importo", 2.5}, {"tipo", "C"}});
        fascole.addCatalogueItem("ANT", {{"descrizione", "Anticipazioni"}, {"importo", 0}, {"tipo", "A"}});
        fascole.addCatalogueItem("BO2", {{"descrizione", "Bolli"}, {"importo", 4}, {"tipo", "C"}});
        sessione = std::make_unique<Sessione>(fascole.path(), contab.creaCampione());
    }
    ~ParametriClienteListeTest() override { RipristinaAmbiente(); }

    db::Database& a() { return sessione->db(); }

    static QString messaggio(const std::optional<RifiutoRiga>& r) { return r ? r->messaggio : QString(); }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    AccountingFixture contab;
    std::unique_ptr<Sessione> sessione;
    ScriptedMessages box;
};

TEST_F(ParametriClienteListeTest, LookUpsOfTheCatalogueAndOfThePaymentCodes) {
    std::vector<QString> descrizioni;
    for (const ui::ComboRow& r : ElencoDescrizioniElementi(a())) descrizioni.push_back(r.text);
    EXPECT_EQ(descrizioni, std::vector<QString>({"Anticipazioni", "Bolli", "Bolli", "Onorario"}));
    std::vector<QString> pagamenti;
    for (const ui::ComboRow& r : ElencoCodiciPagamento(a())) pagamenti.push_back(r.text);
    EXPECT_EQ(pagamenti, std::vector<QString>({"B90", "R30", "R60", "RD"}));

    const auto bolli = ElementoPerDescrizione(a(), "Bolli");
    ASSERT_TRUE(bolli);
    EXPECT_EQ(bolli->codice, "BO2") << "the first of two elements of the same description";
    EXPECT_EQ(bolli->importo, euro(4));
    EXPECT_FALSE(ElementoPerDescrizione(a(), "Nessuno"));
    EXPECT_FALSE(ElementoPerDescrizione(a(), ""));
    EXPECT_EQ(DescrizioneElemento(a(), "ONO"), "Onorario");
    EXPECT_EQ(DescrizioneElemento(a(), "ZZZ"), "");
    EXPECT_EQ(DescrizioneElemento(a(), ""), "");
}

TEST_F(ParametriClienteListeTest, FixedItemChecksInTheirOrder) {
    std::vector<ElementoFisso> tre = {{"ONO", "1", "Onorario"}, {"BOL", "3", "Bolli"}, {"XXX", "2", ""}};
    std::vector<ElementoFisso> otto;
    for (int i = 0; i < 8; ++i) otto.push_back({QString("E%1").arg(i), "1", ""});
    const struct {
        std::vector<ElementoFisso> lista;
        QString elemento, applica, atteso;
        RifiutoRiga::Campo campo;
    } casi[] = {
        {otto, "ONO", "1", Pieni, RifiutoRiga::Elemento},
        {otto, "ANT", "", Pieni, RifiutoRiga::Elemento},
        {tre, "BOL", "1", GiaInLista, RifiutoRiga::Elemento},
        {tre, "", "1", NonInArchivi, RifiutoRiga::Elemento},
        {tre, "ZZZ", "1", NonInArchivi, RifiutoRiga::Elemento},
        {tre, "ANT", "1", AnticipoFisso, RifiutoRiga::Elemento},
        {tre, "BO2", "", SenzaAddebito, RifiutoRiga::Applicazione},
        {tre, "BO2", "2", "", RifiutoRiga::Elemento},
        {{}, "ONO", "3", "", RifiutoRiga::Elemento},
    };
    for (const auto& c : casi) {
        const auto r = VerificaElementiFissi(a(), c.lista, c.elemento, c.applica);
        EXPECT_EQ(messaggio(r), c.atteso) << c.elemento.toStdString();
        if (r) {
            EXPECT_EQ(r->campo, c.campo) << c.elemento.toStdString();
        }
    }
}

TEST_F(ParametriClienteListeTest, PriceListChecksInTheirOrderLinkedOrNot) {
    const std::vector<RigaListino> lista = {{"ONO", euro(80), "30", "Onorario"}};
    const struct {
        QString elemento, prezzo, pagamento;
        bool collegato;
        QString atteso;
        RifiutoRiga::Campo campo;
    } casi[] = {
        {"", "abc", "x", false, NessunElemento, RifiutoRiga::Elemento},
        {"ONO", "10", "", false, GiaInLista, RifiutoRiga::Elemento},
        {"ZZZ", "10", "", false, NonInArchivi, RifiutoRiga::Elemento},
        {"ANT", "10", "", false, AnticipoListino, RifiutoRiga::Elemento},
        {"BOL", "", "", false, PrezzoErrato, RifiutoRiga::Prezzo},
        {"BOL", "dieci", "", false, PrezzoErrato, RifiutoRiga::Prezzo},
        {"BOL", "12a", "", false, PrezzoErrato, RifiutoRiga::Prezzo},
        {"BOL", "12.50", "", false, "", RifiutoRiga::Elemento},
        {"BOL", "1.234,56", "60", false, "", RifiutoRiga::Elemento},
        {"BOL", "3", "R30", false, Giorni, RifiutoRiga::Pagamento},
        {"BOL", "3", "1,5", false, Giorni, RifiutoRiga::Pagamento},
        {"BOL", "3", "1200", false, TroppoLungo, RifiutoRiga::Pagamento},
        {"BOL", "3", "R30", true, "", RifiutoRiga::Elemento},
        {"BOL", "3", "R31", true, PagamentoIgnoto, RifiutoRiga::Pagamento},
        {"BOL", "3", "30", true, PagamentoIgnoto, RifiutoRiga::Pagamento},
        {"BOL", "3", "", true, "", RifiutoRiga::Elemento},
    };
    for (const auto& c : casi) {
        const auto r = VerificaElementiListino(a(), lista, c.elemento, c.prezzo, c.pagamento, c.collegato);
        const std::string caso = (c.elemento + "/" + c.prezzo + "/" + c.pagamento).toStdString();
        EXPECT_EQ(messaggio(r), c.atteso) << caso;
        if (r) {
            EXPECT_EQ(r->campo, c.campo) << caso;
        }
    }
}

TEST_F(ParametriClienteListeTest, PricesAndPaymentsAsStored) {
    const struct {
        QString testo;
        std::optional<Currency> atteso;
    } prezzi[] = {{"12.50", euro(12.5)},  {"12,5", euro(12.5)}, {"1.234,56", euro(1234.56)},
                  {"1.234", euro(1234)}, {"0", euro(0)},       {"", std::nullopt},
                  {"  ", std::nullopt},  {"abc", std::nullopt}, {"1,2,3", std::nullopt},
                  {"€ 5", euro(5)},       {"1.2OO,00", std::nullopt}};
    for (const auto& p : prezzi) EXPECT_EQ(PrezzoListino(p.testo), p.atteso) << p.testo.toStdString();
    EXPECT_EQ(PagamentoListino(""), "0");
    EXPECT_EQ(PagamentoListino("R30"), "R30");
}

TEST_F(ParametriClienteListeTest, RemovingAnItemMovesTheLaterOnesUp) {
    std::vector<ElementoFisso> fissi = {{"ONO", "1", ""}, {"BOL", "3", ""}, {"SPE", "2", ""}};
    EXPECT_FALSE(TogliElementoFisso(fissi, "ZZZ"));
    EXPECT_EQ(fissi.size(), 3u);
    EXPECT_TRUE(TogliElementoFisso(fissi, "ONO"));
    ASSERT_EQ(fissi.size(), 2u);
    EXPECT_EQ(fissi[0].elemento, "BOL");
    EXPECT_EQ(fissi[0].applica, "3");
    EXPECT_EQ(fissi[1].elemento, "SPE");
    std::vector<RigaListino> listino = {{"ONO", euro(1), "0", ""}, {"BOL", euro(2), "30", ""}};
    EXPECT_TRUE(TogliRigaListino(listino, "BOL"));
    ASSERT_EQ(listino.size(), 1u);
    EXPECT_EQ(listino[0].elemento, "ONO");
    EXPECT_TRUE(TogliRigaListino(listino, "ONO"));
    EXPECT_TRUE(listino.empty());
    EXPECT_FALSE(TogliRigaListino(listino, "ONO"));
}

TEST_F(ParametriClienteListeTest, GridTexts) {
    EXPECT_EQ(TestoApplicazione(""), " ");
    EXPECT_EQ(TestoApplicazione("1"), "fascola");
    EXPECT_EQ(TestoApplicazione("2"), "Lavoraz.");
    EXPECT_EQ(TestoApplicazione("3"), "Fattura");
    EXPECT_EQ(TestoApplicazione("9"), "");
    EXPECT_EQ(DescrizioneInGriglia("Spese di cancelleria varie", 18), "Spese di canceller");
    EXPECT_EQ(DescrizioneInGriglia("Spese di cancelleria varie", 13), "Spese di canc");
    EXPECT_EQ(DescrizioneInGriglia("Bolli", 13), "Bolli        ");
    EXPECT_EQ(DescrizioneInGriglia("", 18), QString(18, ' '));
}

}  // namespace
