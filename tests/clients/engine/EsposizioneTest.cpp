#include "clients/engine/Esposizione.h"

#include <gtest/gtest.h>

#include <QFile>
#include <vector>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "fixtures/ContabilitaCollegata.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "support/ScriptedMessages.h"

using ui::Answer;

namespace {

Currency euro(const char* testo) { return *Currency::parse(testo, '.'); }

const QString Cliente = "01.01.01.0001";

TEST(PathEsercizioPrecedente, TheSameCompanyInTheSameFolderOneYearEarlier) {
    const struct {
        QString corrente;
        std::optional<QString> precedente;
    } casi[] = {
        {"\\\\SERVER\\C\\CONTAB\\ROSSI\\00007_2004.mdb", "\\\\SERVER\\C\\CONTAB\\ROSSI\\00007_2003.mdb"},
        {"/dati/ROSSI/00007_2000.MDB", "/dati/ROSSI/00007_1999.mdb"},
        {"archivio.mdb", std::nullopt},
        {"_2004.mdx", std::nullopt},
        {"2004.mdb", "2003.mdb"},
        {"", std::nullopt},
    };
    for (const auto& c : casi) EXPECT_EQ(PathEsercizioPrecedente(c.corrente), c.precedente) << c.corrente.toStdString();
}

// A linked installation (company ROSSI, 2004) whose session is the case-file archive with
// the year's accounting archive attached.
class EsposizioneCliente : public ContabilitaCollegata {
protected:
    void SetUp() override {
        ContabilitaCollegata::SetUp();
        fascole = std::make_unique<fixtures::CaseFileArchive>(dir.file("fascole.mdb"));
        AmbienteLavoro().PathArchivioFascole = fascole->path();
    }

    // One journal entry of `tipo` (nullptr: none) with its lines {account, amount, side}.
    struct Riga {
        QString conto;
        const char* importo;
        const char* segno;
    };
    static void registra(db::Database& giornale, const char* giorno, int numero, const db::Value& tipo,
                         const std::vector<Riga>& righe, bool testata = true) {
        if (testata)
            AccountingFixture::inserisci(giornale, "giornale", {{"giorno", giorno}, {"numero", numero}, {"tipo", tipo}});
        for (const Riga& r : righe)
            AccountingFixture::inserisci(giornale, "giornaledettaglio",
                                         {{"giorno", giorno}, {"numero", numero}, {"codice", r.conto},
                                          {"importo", euro(r.importo)}, {"segno", r.segno}});
    }

    // The current year's journal: debit 1220.50, credit 500 for the client; a "K" entry, a
    // line without its entry and another client's line that count nowhere.
    void giornaleAttuale() {
        registra(*archivio, "2004-01-10", 1, "F", {{Cliente, "1220", "D"}, {"04.01.01.0001", "1220", "A"}});
        registra(*archivio, "2004-02-01", 1, "P", {{Cliente, "500", "A"}, {"01.02.01.0001", "500", "D"}});
        registra(*archivio, "2004-12-31", 1, "K", {{Cliente, "9999", "D"}});
        registra(*archivio, "2004-03-01", 2, nullptr, {{Cliente, "0.5", "D"}});
        registra(*archivio, "2004-03-01", 99, nullptr, {{Cliente, "7777", "D"}}, false);
        registra(*archivio, "2004-03-02", 1, "F", {{"01.01.01.0002", "300", "D"}});
    }

    // The previous year's archive: debit 100, credit 350.25 after an ignored "K" entry.
    void giornalePrecedente() {
        const QString path = contab.creaArchivio(AccountingFixture::AcronimoCampione, "2003", false);
        auto precedente = AccountingFixture::apri(path);
        registra(*precedente, "2003-05-10", 1, "F", {{Cliente, "100", "D"}});
        registra(*precedente, "2003-12-31", 1, "K", {{Cliente, "100", "A"}});
        registra(*precedente, "2003-06-10", 3, "P", {{Cliente, "350.25", "A"}});
    }

    Esposizione calcola(const QString& npra = "0001") {
        avanzamenti.clear();
        const AmbienteLavoroRec& a = AmbienteLavoro();
        return CalcolaEsposizione(*ArchivioInUso(), {Cliente, npra, a.CollegatoContabilita, a.PathArchivioContabile},
                                  [this](int v) { avanzamenti.push_back(v); });
    }

    std::unique_ptr<fixtures::CaseFileArchive> fascole;
    std::vector<int> avanzamenti;
};

std::vector<int> passi(int da) {
    std::vector<int> p;
    for (int v = da; v <= 160; v += 10) p.push_back(v);
    return p;
}

TEST_F(EsposizioneCliente, TheJournalBalancesOfBothYearsLeaveOutTheClosingEntries) {
    giornaleAttuale();
    giornalePrecedente();
    const Esposizione e = calcola();
    EXPECT_TRUE(e.completa);
    EXPECT_EQ(e.esercizioPrecedente.dare, euro("100"));
    EXPECT_EQ(e.esercizioPrecedente.avere, euro("350.25"));
    EXPECT_EQ(e.esercizioPrecedente.saldo(), euro("-250.25"));
    EXPECT_EQ(e.esercizioAttuale.dare, euro("1220.5"));
    EXPECT_EQ(e.esercizioAttuale.avere, euro("500"));
    EXPECT_EQ(e.saldoContabile(), euro("470.25"));
    EXPECT_EQ(e.totale(), euro("470.25"));
    EXPECT_EQ(avanzamenti, passi(10));
}

TEST_F(EsposizioneCliente, WithoutThePreviousYearsArchiveItsFiguresAreZero) {
    giornaleAttuale();
    const Esposizione e = calcola();
    EXPECT_TRUE(e.completa);
    EXPECT_EQ(e.esercizioPrecedente.dare, Currency());
    EXPECT_EQ(e.esercizioPrecedente.avere, Currency());
    EXPECT_EQ(e.esercizioAttuale.saldo(), euro("720.5"));
    EXPECT_EQ(avanzamenti, passi(30));
}

TEST_F(EsposizioneCliente, FeeItemsCountByCaseFileKindAndInvoicedOnlyWithACatalogueKind) {
    for (const auto& [codice, tipo] : {std::pair{"ANT", "A"}, {"COS", "C"}, {"ONO", "X"}, {"ALT", "Z"}})
        fascole->addCatalogueItem(codice, {{"tipo", tipo}});
    struct Voce {
        const char* cliente;
        const char* npra;
        const char* ntask;
        const char* elemento;
        const char* impofat;
        bool fatturato;
    };
    const Voce voci[] = {
        {"01.01.01.0001", "0002", "0001", "ANT", "10.5", false},  {"01.01.01.0001", "0002", "0001", "COS", "20", true},
        {"01.01.01.0001", "0002", "0001", "ONO", "60", false},    {"01.01.01.0001", "0002", "0002", "ONO", "40", false},
        {"01.01.01.0001", "0002", "0001", "ALT", "55", false},    {"01.01.01.0001", "0002", "0001", "MIS", "66", false},
        {"01.01.01.0001", "0001", "0001", "ONO", "1000", true},   {"01.01.01.0001", "0001", "0001", "ANT", "0.25", false},
        {"01.01.01.0001", "0003", "0001", "COS", "3", false},     {"01.01.01.0002", "0002", "0001", "ONO", "5000", false},
    };
    for (const Voce& v : voci)
        fascole->addFeeItem(v.cliente, v.npra, v.ntask, "0000", v.elemento,
                            {{"impofat", euro(v.impofat)}, {"fatturato", v.fatturato}});
    AmbienteLavoro().CollegatoContabilita = false;

    const Esposizione e = calcola("0002");
    EXPECT_TRUE(e.completa);
    EXPECT_EQ(e.esercizioAttuale.dare, Currency());
    EXPECT_EQ(avanzamenti, passi(40));
    const struct {
        const CompetenzePerTipo& cifre;
        const char *a, *c, *x, *totale;
    } attesi[] = {
        {e.altreFatturate, "0", "0", "1000", "1000"},
        {e.altreNonFatturate, "0.25", "3", "0", "3.25"},
        {e.correnteFatturate, "0", "20", "0", "20"},
        {e.correnteNonFatturate, "10.5", "0", "100", "110.5"},
    };
    for (const auto& g : attesi) {
        EXPECT_EQ(g.cifre.anticipazioni, euro(g.a));
        EXPECT_EQ(g.cifre.costi, euro(g.c));
        EXPECT_EQ(g.cifre.competenze, euro(g.x));
        EXPECT_EQ(g.cifre.totale(), euro(g.totale));
    }
    // The invoiced items are in the journal already: the exposure adds the others only.
    EXPECT_EQ(e.totale(), euro("113.75"));
}

TEST_F(EsposizioneCliente, AmountsAddUpExactlyToTheTenThousandth) {
    // Ten such amounts added as floating-point numbers come to ...098,7648.
    fascole->addCatalogueItem("ONO", {{"tipo", "X"}});
    for (int i = 1; i <= 10; ++i)
        fascole->addFeeItem(Cliente, "0001", QString("%1").arg(i, 4, 10, QChar('0')), "0000", "ONO",
                            {{"impofat", euro("98765432109.8765")}});
    AmbienteLavoro().CollegatoContabilita = false;
    EXPECT_EQ(calcola().correnteNonFatturate.competenze, euro("987654321098.765"));
}

TEST_F(EsposizioneCliente, TheLargestDocumentsCountToTheTenThousandth) {
    // The totals of documents near the largest amount a box takes (the double stored times
    // 10000 would round to ...,8401 and ...,0301).
    registra(*archivio, "2004-01-10", 1, "F", {{Cliente, "329853488332.84", "D"}});
    registra(*archivio, "2004-01-11", 1, "F", {{Cliente, "350000000000.03", "A"}});
    const Esposizione e = calcola();
    EXPECT_EQ(e.esercizioAttuale.dare, euro("329853488332.84"));
    EXPECT_EQ(e.esercizioAttuale.avere, euro("350000000000.03"));
}

TEST_F(EsposizioneCliente, AFailingStepGoesToTheErrorHandlerWhoseAnswerDecides) {
    AmbienteLavoro().CollegatoContabilita = false;
    fascole->addCatalogueItem("ONO", {{"tipo", "X"}});
    fascole->addFeeItem(Cliente, "0001", "0001", "0000", "ONO", {{"impofat", 7}});
    *ArchivioInUso();
    fascole->db().execute("ALTER TABLE competenze RENAME TO competenze_vecchie");

    // Left at the first failure: the figures stop there.
    box.expectMessage(Answer::Abort);
    Esposizione e = calcola();
    EXPECT_FALSE(e.completa);
    EXPECT_EQ(avanzamenti, std::vector<int>{40});
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_EQ(box.asked()[0].title, "GESTIONE DEGLI ERRORI");
    EXPECT_TRUE(box.asked()[0].text.contains("Funzione di inizializzazione Form Esposizione"));

    // Each step skipped counts nothing and the computation goes on to its end.
    for (int i = 0; i < 12; ++i) box.expectMessage(Answer::Ignore);
    e = calcola();
    EXPECT_TRUE(e.completa);
    EXPECT_EQ(e.totale(), Currency());
    EXPECT_EQ(avanzamenti, passi(40));
}

}  // namespace
