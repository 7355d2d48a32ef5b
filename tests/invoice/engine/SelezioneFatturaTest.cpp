#include "invoice/engine/SelezioneFattura.h"

#include <gtest/gtest.h>

#include "fixtures/CaseFileArchive.h"
#include "fees/engine/CompetenzeFascola.h"
#include "foundation/engine/Ambiente.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/FascolaDaFatturare.h"
#include "invoice/engine/FatturaDiProva.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

using fattura_di_prova::euro;

QStringList elementi(const TabellaRigheFattura& t) {
    QStringList e;
    for (const RigaFattura& r : t) e << r.ntask + "/" + r.njob + " " + r.elemento;
    return e;
}

TEST(MeseDigitato, AMonthTypedInDigitsStaysAsTypedAnythingElseIsThisMonth) {
    const QDate maggio(2004, 5, 17);
    const struct {
        QString testo, atteso;
    } casi[] = {
        {"3", "3"}, {"03", "03"}, {"12", "12"}, {"", "05"}, {"ab", "05"},
        {"0", "05"}, {"13", "05"}, {"-1", "05"}, {"3,", "05"}, {"1.", "05"},
    };
    for (const auto& c : casi) EXPECT_EQ(MeseDigitato(c.testo, maggio), c.atteso) << c.testo.toStdString();
}

TEST(LimiteFineMese, TheRealLastDayOfTheMonthOfTheInvoiceYearOrTheYearBefore) {
    const struct {
        QString mese;
        QDate fattura, limite;
    } casi[] = {
        {"2", {2004, 3, 15}, {2004, 2, 29}},  // a leap year's February
        {"2", {2003, 3, 15}, {2003, 2, 28}},
        {"02", {2004, 2, 1}, {2004, 2, 29}},
        {"3", {2004, 3, 15}, {2004, 3, 31}},
        {"4", {2004, 3, 15}, {2003, 4, 30}},  // a later month: last year's
        {"12", {2005, 1, 10}, {2004, 12, 31}},
        {"1", {2005, 1, 10}, {2005, 1, 31}},
        {"xx", {2004, 6, 3}, {2004, 6, 30}},
    };
    for (const auto& c : casi)
        EXPECT_EQ(LimiteFineMese(c.mese, c.fattura), c.limite) << c.mese.toStdString() << " "
                                                               << c.fattura.toString().toStdString();
}

class Selezione : public ::testing::Test {
protected:
    Selezione() { fascola_da_fatturare::riempi(fascole, "R01"); }

    EsitoEstrazione estrai(CriterioEstrazione criterio, const QString& npra = "0001", const QString& mese = {},
                           QDate fattura = {2004, 3, 15}) {
        RichiestaEstrazione r;
        r.Criterio = criterio;
        r.Cliente = "R01";
        r.Npra = npra;
        r.Mese = mese;
        r.DataFattura = fattura;
        return EstrazioneElementiDaFatturare(fascole.db(), r, righe);
    }

    TempDir dir;
    fixtures::CaseFileArchive fascole{dir.file("fascole.mdb")};
    TabellaRigheFattura righe;
};

TEST_F(Selezione, EachCriterionTakesTheUnbilledItemsItAdmitsInTaskAndJobOrder) {
    const struct {
        CriterioEstrazione criterio;
        QString npra, mese;
        QDate fattura;
        EsitoEstrazione esito;
        QStringList presi;
    } casi[] = {
        {CriterioEstrazione::FineMese, "0001", "2", {2004, 3, 15}, EsitoEstrazione::Estratte,
         {"0000/0000 ANT", "0000/0000 ONO", "0003/0000 ZZZ"}},
        {CriterioEstrazione::FineMese, "0001", "3", {2004, 3, 15}, EsitoEstrazione::Estratte,
         {"0000/0000 ANT", "0000/0000 ONO", "0001/0000 ORE", "0001/0001 SPE", "0003/0000 ZZZ"}},
        // February of 2003: every item is later.
        {CriterioEstrazione::FineMese, "0001", "2", {2003, 3, 15}, EsitoEstrazione::NessunElemento, {}},
        // An element missing from the catalogue is no advance.
        {CriterioEstrazione::Anticipazioni, "0001", {}, {}, EsitoEstrazione::Estratte, {"0000/0000 ANT"}},
        {CriterioEstrazione::PerOgniVoce, "0001", {}, {}, EsitoEstrazione::Estratte,
         {"0000/0000 ANT", "0000/0000 ONO", "0001/0000 ORE", "0001/0001 SPE", "0002/0000 PER", "0003/0000 ZZZ"}},
        // Only task 0001 is finished; items of no task are never taken.
        {CriterioEstrazione::IncaricoFinito, "0001", {}, {}, EsitoEstrazione::Estratte,
         {"0001/0000 ORE", "0001/0001 SPE"}},
        {CriterioEstrazione::FascolaFinita, "0001", {}, {}, EsitoEstrazione::FascolaNonFinita, {}},
        {CriterioEstrazione::FascolaFinita, "0002", {}, {}, EsitoEstrazione::Estratte, {"0000/0000 ONO"}},
        {CriterioEstrazione::NessunaSelezione, "0001", {}, {}, EsitoEstrazione::NessunaSelezione, {}},
        {CriterioEstrazione::PerOgniVoce, "0009", {}, {}, EsitoEstrazione::NessunElemento, {}},
    };
    for (const auto& c : casi) {
        righe.aggiungi(RigaFattura{});  // a previous document is always emptied
        EXPECT_EQ(estrai(c.criterio, c.npra, c.mese, c.fattura.isValid() ? c.fattura : QDate(2004, 3, 15)), c.esito)
            << int(c.criterio) << " " << c.npra.toStdString() << " " << c.mese.toStdString();
        EXPECT_EQ(elementi(righe), c.presi) << int(c.criterio) << " " << c.mese.toStdString();
    }
}

TEST_F(Selezione, ALineIsACopyOfItsFeeItemWithKindAndVatStillToBeSettled) {
    ASSERT_EQ(estrai(CriterioEstrazione::IncaricoFinito), EsitoEstrazione::Estratte);
    const RigaFattura& r = righe.riga(1);
    EXPECT_EQ(r.cliente, "R01");
    EXPECT_EQ(r.npra, "0001");
    EXPECT_EQ(r.ntask, "0001");
    EXPECT_EQ(r.njob, "0000");
    EXPECT_EQ(r.elemento, "ORE");
    EXPECT_EQ(r.descrizione, "Ore di consulenza");
    EXPECT_EQ(r.data, QDate(2004, 3, 1));
    EXPECT_EQ(r.importo, Currency());
    EXPECT_EQ(r.impofat, euro("25"));
    EXPECT_EQ(r.addebitounitario, euro("12,5"));
    EXPECT_EQ(r.fattore, "2");
    EXPECT_EQ(r.darepn, "01.01.01.0001");
    EXPECT_EQ(r.ricavi, "04.01.01.0001");
    EXPECT_EQ(r.pagamento, "30");
    EXPECT_FALSE(r.primanota || r.fatturato || r.spuntato);
    EXPECT_TRUE(r.Tipo.isEmpty());
    EXPECT_TRUE(r.CodiceIva.isEmpty());
    EXPECT_FALSE(r.IvaBloccata);
}

TEST_F(Selezione, EachLineTakesItsOwnItemsTextsAndStoredDay) {
    // One item a task, read in task order: each row's day as stored, and texts that stay the
    // same from one row to the next or change.
    const struct {
        db::Value data;
        QDate giorno;
        const char* pagamento;
        const char* descrizione;
    } casi[] = {
        {"2004-02-01", {2004, 2, 1}, "30", "Ore"},
        {"2004-02-01", {2004, 2, 1}, "30", "Ore"},
        {"2004-03-01", {2004, 3, 1}, "60", "Ore"},
        {"2004-02-05", {2004, 2, 5}, "60", "Spese"},
        {"2004-02-30", {}, "30", "Spese"},
        {"0099-01-01", {}, "R30", "Ore"},
        {"2004-02-01 10:00", {}, "R30", "Ore"},
        {"2004-02-01", {2004, 2, 1}, "", ""},
        {nullptr, {}, "30", "Ore"},
        {"2004-12-31", {2004, 12, 31}, "30", "Ore"},
    };
    fascole.addCaseFile("R01", "0099", "2004-01-10");
    int k = 0;
    for (const auto& c : casi) {
        ++k;
        fascole.addFeeItem("R01", "0099", QString("%1").arg(k, 4, 10, QChar('0')), "0000", "ORE",
                           {{"data", c.data}, {"pagamento", c.pagamento}, {"descrizione", c.descrizione}});
    }
    ASSERT_EQ(estrai(CriterioEstrazione::PerOgniVoce, "0099"), EsitoEstrazione::Estratte);
    ASSERT_EQ(righe.NumeroRighe(), int(std::size(casi)));
    for (int i = 1; i <= righe.NumeroRighe(); ++i) {
        const auto& c = casi[i - 1];
        const RigaFattura& r = righe.riga(i);
        EXPECT_EQ(r.data, c.giorno) << i;
        EXPECT_EQ(r.pagamento, c.pagamento) << i;
        EXPECT_EQ(r.descrizione, c.descrizione) << i;
        EXPECT_EQ(r.ntask, QString("%1").arg(i, 4, 10, QChar('0'))) << i;
        EXPECT_EQ(r.npra, "0099") << i;
    }
}

TEST_F(Selezione, AFailingReadGoesToTheErrorHandlerAndTakesNothing) {
    fascole.db().execute("DROP TABLE competenze");
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
    EXPECT_EQ(estrai(CriterioEstrazione::PerOgniVoce), EsitoEstrazione::Interrotta);
    EXPECT_TRUE(righe.vuota());
    EXPECT_TRUE(box.messageTexts().value(0).contains("Funzione di estrazione elementi da fatturare"));
}

TEST_F(Selezione, HeadingsPrecedeEachChangeOfTaskAndOfJob) {
    ASSERT_EQ(estrai(CriterioEstrazione::PerOgniVoce), EsitoEstrazione::Estratte);
    TabellaRigheVisualizzate v;
    ASSERT_TRUE(DefinizioneRigaFattura(fascole.db(), righe, v));
    const struct {
        char tipo;
        QString testo;
        int indice;
    } attese[] = {
        {'I', "FASCOLA 0001", 1}, {'L', " ", 1}, {'E', "", 1}, {'E', "", 2},
        {'I', "Consulenza", 3},   {'L', " ", 3}, {'E', "", 3}, {'L', "Sopralluogo", 4}, {'E', "", 4},
        {'I', "Perizia", 5},      {'L', " ", 5}, {'E', "", 5},
        {'I', " ", 6},  // the task no longer exists
        {'L', " ", 6}, {'E', "", 6},
    };
    ASSERT_EQ(v.NumeroRigheVisualizzate(), int(std::size(attese)));
    for (int k = 1; k <= v.NumeroRigheVisualizzate(); ++k) {
        const auto& a = attese[k - 1];
        EXPECT_EQ(char(v.riga(k).Tipo), a.tipo) << k;
        EXPECT_EQ(v.riga(k).Testo, a.testo) << k;
        EXPECT_EQ(v.riga(k).IndiceRiga, a.indice) << k;
    }

    // The rows follow the lines' order: a task met again is headed again.
    TabellaRigheFattura t;
    for (const char* ntask : {"0001", "0002", "0001"}) {
        RigaFattura r;
        r.cliente = "R01";
        r.npra = "0001";
        r.ntask = ntask;
        r.njob = "0000";
        t.aggiungi(r);
    }
    ASSERT_TRUE(DefinizioneRigaFattura(fascole.db(), t, v));
    QString tipi;
    for (const RigaVisualizzata& r : v) tipi += QChar::fromLatin1(char(r.Tipo));
    EXPECT_EQ(tipi, "ILEILEILE");
}

TEST_F(Selezione, TheGridShowsTheRowsAndTotalsTheLinesWithTheirVatUnderTheRegime) {
    ASSERT_EQ(estrai(CriterioEstrazione::PerOgniVoce), EsitoEstrazione::Estratte);
    TabellaRigheVisualizzate v;
    ASSERT_TRUE(DefinizioneRigaFattura(fascole.db(), righe, v));
    LettoreAliquoteIva aliquote;
    GrigliaFattura g = VisualizzazioneElementiDaFatturare(fascole.db(), righe, v, false, aliquote);
    ASSERT_EQ(g.Righe.size(), 15u);
    const struct {
        int riga;
        QString codice, descrizione, importo;
    } celle[] = {
        {1, "I.0000", "FASCOLA 0001", ""},
        {2, "L.0000", " ", ""},
        {3, "E.ANT", "     Anticipazione diritti", "50,00"},
        {5, "I.0001", "Consulenza", ""},
        {8, "L.0001", "Sopralluogo", ""},
        {9, "E.SPE", "     Spese sopralluogo", "10,00"},
        {13, "I.0003", " ", ""},
    };
    for (const auto& c : celle) {
        const CelleRigaFattura& r = g.Righe[size_t(c.riga - 1)];
        EXPECT_EQ(r.Codice, c.codice) << c.riga;
        EXPECT_EQ(r.Descrizione, c.descrizione) << c.riga;
        EXPECT_EQ(r.Importo, c.importo) << c.riga;
    }
    // 50 at 0, 100 at 20, 25 at 20, 10 at 10, 10 at 20, 7 without a code.
    EXPECT_EQ(g.TestoTotale, "202,00");
    EXPECT_EQ(g.TestoIva, "28,00");
    EXPECT_EQ(righe.riga(2).CodiceIva, "20");
    EXPECT_EQ(righe.riga(2).Tipo, "X");
    EXPECT_EQ(righe.riga(6).CodiceIva, "");

    // The EU regime takes the catalogue's EU codes, except a code fixed by hand.
    righe.riga(5).CodiceIva = "10";
    righe.riga(5).IvaBloccata = true;
    LettoreAliquoteIva altre;
    g = VisualizzazioneElementiDaFatturare(fascole.db(), righe, v, true, altre);
    // 100 at 0, 25 at 4, 10 at 10, 10 at 10 (fixed).
    EXPECT_EQ(g.TestoIva, "3,00");
    EXPECT_EQ(g.TestoTotale, "202,00");
    EXPECT_EQ(righe.riga(2).CodiceIva, "0");
    EXPECT_EQ(righe.riga(5).CodiceIva, "10");
}

// Linked, the grid says which lines carry a VAT code the accounting archive lacks.
using GrigliaCollegata = fattura_di_prova::SessioneCollegata;

TEST_F(GrigliaCollegata, TheGridMarksALineWhoseVatCodeTheArchiveLacks) {
    TabellaRigheFattura righe;
    TabellaRigheVisualizzate v;
    for (const char* codice : {"20", "22", " "}) {
        RigaFattura r = fattura_di_prova::riga(codice, "100");
        r.descrizione = "Onorario";
        r.IvaBloccata = true;
        v.aggiungi({TipoRiga::Elemento, {}, righe.aggiungi(r)});
    }
    LettoreAliquoteIva aliquote(sessione(), true);
    const GrigliaFattura g = VisualizzazioneElementiDaFatturare(sessione(), righe, v, false, aliquote);
    ASSERT_EQ(g.Righe.size(), 3u);
    EXPECT_EQ(g.Righe[0].Descrizione, "     Onorario");
    EXPECT_EQ(g.Righe[1].Descrizione, "     Onorario  [codice IVA 22 non presente in contabilità]");
    EXPECT_EQ(g.Righe[2].Descrizione, "     Onorario  [manca il codice IVA]");
    EXPECT_EQ(g.TestoIva, "20,00");
}

TEST_F(Selezione, WithNoRowsTheTotalsReadZero) {
    TabellaRigheVisualizzate v;
    LettoreAliquoteIva aliquote;
    const GrigliaFattura g = VisualizzazioneElementiDaFatturare(fascole.db(), righe, v, true, aliquote);
    EXPECT_TRUE(g.Righe.empty());
    EXPECT_EQ(g.TestoTotale, "0,00");
    EXPECT_EQ(g.TestoIva, "0,00");
}

// The line and the case file's list read the same stored row: a line taken holds, column for
// column, the fee item the list shows for its key.
TEST_F(Selezione, EveryLineHoldsTheFeeItemAsTheCaseFileReadsIt) {
    ASSERT_EQ(estrai(CriterioEstrazione::PerOgniVoce), EsitoEstrazione::Estratte);
    ASSERT_EQ(righe.NumeroRighe(), 6);
    for (const RigaFattura& r : righe) {
        const std::optional<CompetenzaLetta> letta = LeggiCompetenza(fascole.db(), r.chiave());
        ASSERT_TRUE(letta) << r.elemento.toStdString();
        EXPECT_EQ(static_cast<const Competenza&>(r), static_cast<const Competenza&>(*letta))
            << r.elemento.toStdString();
    }
}

}  // namespace
