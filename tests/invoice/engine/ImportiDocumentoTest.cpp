#include "invoice/engine/ImportiDocumento.h"

#include <gtest/gtest.h>

#include "foundation/engine/Ambiente.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/FatturaDiProva.h"
#include "platform/system/BasicRuntime.h"
#include "support/ScriptedMessages.h"

namespace {

using fattura_di_prova::euro;
using fattura_di_prova::riga;
using fattura_di_prova::SessioneCollegata;
using fattura_di_prova::tabella;

RiepilogoIva riepilogo(const TabellaRigheFattura& righe, LettoreAliquoteIva aliquote = {}) {
    auto r = CalcoloRiepilogoIva(righe, aliquote);
    if (!r) throw std::runtime_error("no VAT summary");
    return *r;
}

struct GruppoAtteso {
    QString codice, imponibile, aliquota, imposta;
    const char* valore;
};

// An amount as the print shows it.
QString esteso(Currency c) { return basic::Format(c, "#,###,##0.00"); }

// An amount text of the summary ("1.234,50" or "1234,50") as money.
Currency importo(const QString& testo) { return euro(QString(testo).remove('.').toUtf8().constData()); }

// `imposta` is the group's VAT as an amount text, or the text a code without an amount prints.
void verificaGruppi(const RiepilogoIva& r, const std::vector<GruppoAtteso>& attesi) {
    ASSERT_EQ(r.NumeroGruppiIva(), int(attesi.size()));
    for (int k = 1; k <= r.NumeroGruppiIva(); ++k) {
        const GruppoIva& g = r.gruppo(k);
        const GruppoAtteso& a = attesi[size_t(k - 1)];
        EXPECT_EQ(g.Codice, a.codice) << k;
        EXPECT_EQ(g.Imponibile, importo(a.imponibile)) << k;
        EXPECT_EQ(g.Aliquota, a.aliquota) << k;
        const bool numerica = basic::IsNumeric(a.imposta);
        EXPECT_EQ(g.ImpostaNumerica, numerica) << k;
        if (numerica) EXPECT_EQ(g.Imposta, importo(a.imposta)) << k;
        else EXPECT_EQ(g.TestoImposta, a.imposta) << k;
        EXPECT_EQ(g.Imposta, euro(a.valore)) << k;
    }
}

// ---- totals and VAT summary ----

TEST(CalcoloRiepilogoIva, NoLinesNoGroupsAndZeroTotals) {
    const RiepilogoIva r = riepilogo({});
    EXPECT_EQ(r.NumeroGruppiIva(), 0);
    EXPECT_EQ(esteso(r.TotaleImponibile), "0,00");
    EXPECT_EQ(esteso(r.TotaleIva), "0,00");
    EXPECT_EQ(r.TotaleIva, Currency());
    EXPECT_EQ(r.TotaleDocumento, Currency());
}

TEST(CalcoloRiepilogoIva, OneGroupPerCodeInTheOrderTheCodesFirstOccur) {
    const RiepilogoIva r = riepilogo(
        tabella({riga("22", "100"), riga("", "50"), riga("22", "200"), riga("04", "10"), riga("ES", "5")}));
    verificaGruppi(r, {{"22", "300,00", "22", "66,00", "66"},
                       {"", "50,00", "", "", "0"},
                       {"04", "10,00", "04", "0,40", "0,40"},
                       {"ES", "5,00", "ES", "ES", "0"}});
    EXPECT_EQ(r.TotaleImponibile, euro("365,00"));
    EXPECT_EQ(r.TotaleIva, euro("66,40"));
    EXPECT_EQ(r.TotaleIva, euro("66,40"));
    EXPECT_EQ(r.TotaleDocumento, euro("431,40"));
}

TEST(CalcoloRiepilogoIva, AOneLineGroupKeepsTheLineTextAndASumIsShownWithThousands) {
    verificaGruppi(riepilogo(tabella({riga("10", "12345")})), {{"10", "12.345,00", "10", "1234,50", "1234,50"}});
    verificaGruppi(riepilogo(tabella({riga("10", "10000"), riga("10", "2345")})),
                   {{"10", "12.345,00", "10", "1.234,50", "1234,50"}});
    // Seven codes, seven groups: how many reach the print is the print's business.
    TabellaRigheFattura sette;
    for (const char* c : {"1", "2", "3", "4", "5", "6", "7"}) sette.aggiungi(riga(c, "100"));
    EXPECT_EQ(riepilogo(sette).NumeroGruppiIva(), 7);
}

TEST(CalcoloRiepilogoIva, LinesEnterTheDocumentAtTheCent) {
    // Fee items of 10,004 bill 10,00 each: group and total agree (not 20,00 against 20,01).
    RiepilogoIva r = riepilogo(tabella({riga("", "10,004"), riga("", "10,004")}));
    verificaGruppi(r, {{"", "20,00", "", "", "0"}});
    EXPECT_EQ(r.TotaleImponibile, euro("20"));
    EXPECT_EQ(r.TotaleDocumento, euro("20"));
    // The VAT is that of the billed 1.234,57 (271,6054), not of the typed 1.234,5678 (271,6025).
    r = riepilogo(tabella({riga("22", "1234,5678")}));
    verificaGruppi(r, {{"22", "1.234,57", "22", "271,61", "271,61"}});
    EXPECT_EQ(r.TotaleDocumento, euro("1506,18"));
    // Halves go away from zero, as everywhere in the document.
    EXPECT_EQ(riepilogo(tabella({riga("", "-0,005"), riga("", "0,015")})).TotaleImponibile, euro("0,01"));
}

TEST_F(SessioneCollegata, LinkedGroupsTakeRateAndVatTextsFromTheArchive) {
    const RiepilogoIva r = riepilogo(tabella({riga("20", "100"), riga("E15", "40"), riga("e15", "60"),
                                              riga("XX", "70"), riga("E15", "10"), riga("20", "23,45")}),
                                     LettoreAliquoteIva(sessione(), true));
    verificaGruppi(r, {{"20", "123,45", "20,00", "24,69", "24,69"},
                       {"E15", "50,00", "0,00", "Escluso art. 15", "0"},
                       {"e15", "60,00", "0,00", "Escluso art. 15", "0"},
                       {"XX", "70,00", "0,00", "0,00", "0"}});
    EXPECT_EQ(r.TotaleIva, euro("24,69"));
    EXPECT_EQ(r.TotaleDocumento, euro("328,14"));
}

// What the tab shows as VAT total (the lines' CalcoloIva) is what the summary prints and posts.
TEST_F(SessioneCollegata, ThePrintedVatEqualsTheVatTotalOfTheTab) {
    fascole.addCatalogueItem("ONO", {{"iva", " 10 "}, {"tipo", "X"}});
    fascole.addCatalogueItem("SPE", {{"iva", "125"}, {"tipo", "C"}});
    fascole.addCatalogueItem("ANT", {{"iva", "E15"}, {"tipo", "A"}});
    const struct {
        bool collegato;
        std::vector<std::pair<QString, QString>> righe;  // element, or "" and a code fixed by hand
    } casi[] = {
        {true, {{"ONO", ""}, {"SPE", ""}, {"ANT", ""}, {"", "20"}, {"ONO", ""}}},
        {false, {{"", "12,5"}, {"", "20%"}, {"", "12.5"}, {"", "ES"}, {"", "N8"}, {"", "20"}}},
    };
    const char* importi[] = {"10,25", "333,33", "0,01", "1234,56", "99,99", "0,05"};
    for (const auto& c : casi) {
        TabellaRigheFattura righe;
        for (size_t i = 0; i < c.righe.size(); ++i) {
            RigaFattura r = riga(c.righe[i].second, importi[i], "");
            r.elemento = c.righe[i].first;
            r.IvaBloccata = r.elemento.isEmpty();
            righe.aggiungi(r);
        }
        LettoreAliquoteIva perLaScheda(sessione(), c.collegato);
        Currency ivaScheda;
        for (RigaFattura& r : righe) ivaScheda += CalcoloIva(r, false, sessione(), perLaScheda);

        const RiepilogoIva r = riepilogo(righe, LettoreAliquoteIva(sessione(), c.collegato));
        Currency stampata;
        for (const GruppoIva& g : r.GruppiIva) stampata += g.Imposta;
        EXPECT_GT(ivaScheda, Currency());
        EXPECT_EQ(r.TotaleIva, ivaScheda) << c.collegato;
        EXPECT_EQ(stampata, ivaScheda) << c.collegato;
    }
}

TEST_F(SessioneCollegata, ASummaryWhoseCodeCannotBeReadIsNoSummary) {
    sessione().execute("DETACH DATABASE contabile");
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI")
        .expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    LettoreAliquoteIva aliquote(sessione(), true);
    EXPECT_FALSE(CalcoloRiepilogoIva(tabella({riga("20", "100")}), aliquote));
    ParametriFatturaRec p;
    EXPECT_FALSE(CalcoloImportiDocumento(tabella({riga("20", "100")}), p, aliquote).has_value());
    EXPECT_EQ(box.messageTexts().size(), 2u);
}

// ---- withholdings ----

TEST(CalcoloRitenute, BothOffLeaveEveryTextEmptyAndTheTotalAlone) {
    ParametriFatturaRec p;
    const RitenuteDocumento r = CalcoloRitenute(tabella({riga("20", "100")}), p, euro("120"));
    for (const Ritenuta* x : {&r.Ritenuta1, &r.Ritenuta2}) {
        EXPECT_FALSE(x->Applicata);
        EXPECT_EQ(x->Descrizione + x->Perc, "");
        EXPECT_EQ(x->Imponibile, Currency());
        EXPECT_EQ(x->Importo, Currency());
    }
    EXPECT_EQ(r.TotaleDocumento, euro("120"));
}

TEST(CalcoloRitenute, EachWithholdingTakesItsBaseShareAndRate) {
    const TabellaRigheFattura righe =
        tabella({riga("20", "100", "C"), riga("20", "50", "A"), riga("20", "200", "X")});
    const struct {
        QString criterio, percImponibile, perc;
        const char* imponibile;
        QString testoImponibile, testoImporto;
        const char* importo;
    } casi[] = {
        {"1", "100", "20", "350", "350,00", "70,00", "70"},
        {"2", "100", "20", "300", "300,00", "60,00", "60"},
        {"3", "100", "20", "200", "200,00", "40,00", "40"},
        {"3", "50", "20", "100", "100,00", "20,00", "20"},
        {"9", "100", "20", "0", "0,00", "0,00", "0"},
        {"3", "100", "12,5", "200", "200,00", "25,00", "25"},
        {"3", "100", "12.5", "200", "200,00", "25,00", "25"},
        {"3", "33,3", "4", "66,6", "66,60", "2,66", "2,66"},
    };
    for (const auto& c : casi) {
        ParametriFatturaRec p;
        p.RitenutaAcconto = true;
        p.CriterioRA = c.criterio;
        p.RAPercImponibile = c.percImponibile;
        p.RitAccPerc = c.perc;
        const RitenuteDocumento r = CalcoloRitenute(righe, p, euro("420"));
        const std::string caso = (c.criterio + " " + c.percImponibile + " " + c.perc).toStdString();
        EXPECT_EQ(r.Ritenuta1.Descrizione, "Ritenuta di acconto") << caso;
        EXPECT_EQ(r.Ritenuta1.Imponibile, euro(c.imponibile)) << caso;
        EXPECT_EQ(esteso(r.Ritenuta1.Imponibile), c.testoImponibile) << caso;
        EXPECT_EQ(r.Ritenuta1.Perc, c.perc) << caso;
        EXPECT_EQ(esteso(r.Ritenuta1.Importo), c.testoImporto) << caso;
        EXPECT_EQ(r.TotaleDocumento, euro("420") - euro(c.importo)) << caso;
        EXPECT_FALSE(r.Ritenuta2.Applicata) << caso;
    }
}

TEST(CalcoloRitenute, TheTotalLosesTheAmountsAsPrintedAndBothAreTaken) {
    ParametriFatturaRec p;
    p.RitenutaAcconto = true;
    p.CriterioRA = "1";
    p.RAPercImponibile = "100";
    p.RitAccPerc = "20";
    RitenuteDocumento r = CalcoloRitenute(tabella({riga("", "333,33")}), p, euro("333,33"));
    EXPECT_EQ(r.Ritenuta1.Importo, euro("66,67"));
    EXPECT_EQ(r.TotaleDocumento, euro("266,66"));

    p.AltreRitenute = true;
    p.AltreRitCriterio = "1";
    p.AltreRitPercImponibile = "100";
    p.AltreRitPerc = "4";
    p.AltreRitTesto = "Contributo INPS";
    r = CalcoloRitenute(tabella({riga("", "100", "C"), riga("", "200", "X")}), p, euro("300"));
    EXPECT_EQ(esteso(r.Ritenuta1.Imponibile), "300,00");
    EXPECT_EQ(r.Ritenuta2.Descrizione, "Contributo INPS");
    EXPECT_EQ(esteso(r.Ritenuta2.Imponibile), "300,00");
    EXPECT_EQ(r.Ritenuta2.Perc, "4");
    EXPECT_EQ(esteso(r.Ritenuta2.Importo), "12,00");
    EXPECT_EQ(r.TotaleDocumento, euro("228"));
}

// The oracle in whole numbers: `centesimi` x `centesimiPerc` % in cents, halves away from
// zero (both in hundredths).
int64_t percentualeEsatta(int64_t centesimi, int64_t centesimiPerc) {
    return (2 * centesimi * centesimiPerc + 10'000) / 20'000;
}

// A sweep of bases and rates: the base subject to the withholding is the lines times its
// share, and the amount that base times the rate, each brought to the cent once from its exact
// value, so the net is the total less the exact amount to the cent (1.047,47 at 8,5 % is
// 89,03495: 89,03 and a net of 958,44).
TEST(CalcoloRitenute, EachFigureIsTheExactValueToTheCent) {
    ParametriFatturaRec p;
    p.RitenutaAcconto = true;
    p.CriterioRA = "1";
    p.RAPercImponibile = "100";
    p.RitAccPerc = "8,5";
    RitenuteDocumento r = CalcoloRitenute(tabella({riga("", "1047,47")}), p, euro("1047,47"));
    EXPECT_EQ(esteso(r.Ritenuta1.Importo), "89,03");
    EXPECT_EQ(esteso(r.TotaleDocumento), "958,44");
    r = CalcoloRitenute(tabella({riga("", "1,47")}), p, euro("1,47"));
    EXPECT_EQ(esteso(r.Ritenuta1.Importo), "0,12");

    const struct {
        const char* quota;
        int64_t centesimiQuota;
        const char* perc;
        int64_t centesimiPerc;
    } aliquote[] = {{"100", 10'000, "8,5", 850}, {"100", 10'000, "20", 2'000}, {"100", 10'000, "0,5", 50},
                    {"50", 5'000, "12,5", 1'250}, {"33,33", 3'333, "4", 400}, {"0,5", 50, "20", 2'000}};
    int errati = 0;
    for (const auto& a : aliquote) {
        p.RAPercImponibile = a.quota;
        p.RitAccPerc = a.perc;
        for (int64_t centesimi = 1; centesimi <= 20'000; ++centesimi) {
            const Currency linee = Currency::fromRaw(centesimi * 100);
            TabellaRigheFattura righe;
            righe.aggiungi(riga("", "0"));
            righe.riga(1).impofat = linee;
            r = CalcoloRitenute(righe, p, linee);
            const int64_t base = percentualeEsatta(centesimi, a.centesimiQuota);
            const int64_t importo = percentualeEsatta(base, a.centesimiPerc);
            if ((r.Ritenuta1.Imponibile != Currency::fromRaw(base * 100) ||
                 r.Ritenuta1.Importo != Currency::fromRaw(importo * 100) ||
                 r.TotaleDocumento != Currency::fromRaw((centesimi - importo) * 100)) &&
                ++errati <= 5)
                ADD_FAILURE() << centesimi << " cents, " << a.quota << " % at " << a.perc << " %";
        }
    }
    EXPECT_EQ(errati, 0);
}

// ---- stamp duty ----

struct Bollo {
    QString criterio, soglia, importo;
};

ImpostaBollo bollo(const TabellaRigheFattura& righe, const Bollo& b, const RiepilogoIva& r, Currency totale) {
    ParametriFatturaRec p;
    p.Bollo = true;
    p.CriterioBollo = b.criterio;
    p.SogliaBollo = b.soglia;
    p.ImportoBollo = b.importo;
    return CalcoloBollo(righe, r, p, totale);
}

TEST(CalcoloBollo, SwitchedOffNoStampAndNoExpenses) {
    ParametriFatturaRec p;
    p.CriterioBollo = "3";
    p.ImportoBollo = "2.00";
    const TabellaRigheFattura righe = tabella({riga("", "500")});
    const ImpostaBollo b = CalcoloBollo(righe, riepilogo(righe), p, euro("500"));
    EXPECT_EQ(b.BolloDocumento, "0,00");
    EXPECT_EQ(b.SpeseDocumento, "0,00");
    EXPECT_EQ(b.TotaleDocumento, euro("500"));
}

TEST(CalcoloBollo, AStampNeedsABaseAboveZeroThatReachesTheThreshold) {
    const struct {
        const char* caso;
        std::vector<RigaFattura> righe;
        Bollo parametri;
        const char* base;
        QString atteso;
    } casi[] = {
        {"1: exactly the threshold", {riga("", "77,47"), riga("20", "500")}, {"1", "77.47", "2.00"}, "77,47", "2.00"},
        {"1: one cent short", {riga("", "77,46"), riga("20", "500")}, {"1", "77.47", "2.00"}, "77,46", "0,00"},
        {"1: threshold with a comma", {riga("", "77,47")}, {"1", "77,47", "2.00"}, "77,47", "2.00"},
        {"1: short of it", {riga("", "77,46")}, {"1", "77,47", "2.00"}, "77,46", "0,00"},
        {"1: a 0,5 % rate is no zero rate", {riga("0,5", "500")}, {"1", "0", "2.00"}, "0", "0,00"},
        {"1: groups of zero rate add up", {riga("", "40"), riga("ES", "40"), riga("0", "40")}, {"1", "77.47", "2.00"}, "120", "2.00"},
        {"2: fees and costs of zero rate", {riga("", "50", "X"), riga("", "30", "C"), riga("20", "500", "X"), riga("", "900", "A")}, {"2", "77.47", "2.00"}, "80", "2.00"},
        {"3: without VAT, every line", {riga("", "50", "X"), riga("", "100", "A")}, {"3", "77.47", "2.00"}, "150", "2.00"},
        {"4: without VAT, advances out", {riga("", "50", "X"), riga("", "100", "A")}, {"4", "77.47", "2.00"}, "50", "0,00"},
        {"3: a document with VAT bears none", {riga("20", "500")}, {"3", "0", "2.00"}, "0", "0,00"},
        {"4: nor with an empty threshold", {riga("20", "500")}, {"4", "", "2.00"}, "0", "0,00"},
        {"1: nothing exempt, empty threshold", {riga("20", "500")}, {"1", "", "2.00"}, "0", "0,00"},
        {"3: a credit note's negative base", {riga("", "-500")}, {"3", "", "2.00"}, "-500", "0,00"},
        {"unknown criterion", {riga("", "500")}, {"5", "", "2.00"}, "0", "0,00"},
    };
    for (const auto& c : casi) {
        TabellaRigheFattura righe;
        for (const RigaFattura& r : c.righe) righe.aggiungi(r);
        const RiepilogoIva r = riepilogo(righe);
        const ImpostaBollo b = bollo(righe, c.parametri, r, r.TotaleDocumento);
        EXPECT_EQ(b.Base, euro(c.base)) << c.caso;
        EXPECT_EQ(b.BolloDocumento, c.atteso) << c.caso;
        const Currency aggiunto = c.atteso == "2.00" ? euro("2") : Currency();
        EXPECT_EQ(b.TotaleDocumento, r.TotaleDocumento + aggiunto) << c.caso;
        EXPECT_EQ(b.SpeseDocumento, "0,00") << c.caso;
    }
}

// The line whose revenue account takes the stamp: the first line of the first zero-rate group
// that entered the base, else the first line that entered it.
TEST(RigaDelBollo, TheFirstLineOfTheZeroRateGroupThatBoreTheStamp) {
    const struct {
        const char* caso;
        std::vector<RigaFattura> righe;
        const char* criterio;
        int riga;
    } casi[] = {
        {"1: any kind", {riga("20", "100"), riga("", "30", "A"), riga("", "40"), riga("0", "50")}, "1", 2},
        {"2: the group of the first fee, from its first line",
         {riga("20", "100"), riga("", "30", "A"), riga("", "40"), riga("0", "50")}, "2", 2},
        {"2: advances' groups left out", {riga("20", "100"), riga("0", "30", "A"), riga("", "40")}, "2", 3},
        {"3: the zero-rate group, not the first line", {riga("20", "0,01"), riga("", "50")}, "3", 2},
        {"3: no zero-rate group, the first line", {riga("20", "0,01"), riga("20", "0,02")}, "3", 1},
        {"4: fees only, their group's first line", {riga("0", "100", "A"), riga("0", "50")}, "4", 1},
        {"1: no zero-rate group", {riga("20", "100")}, "1", 0},
    };
    for (const auto& c : casi) {
        TabellaRigheFattura righe;
        for (const RigaFattura& r : c.righe) righe.aggiungi(r);
        EXPECT_EQ(RigaDelBollo(righe, riepilogo(righe), c.criterio), c.riga) << c.caso;
    }

    // The stamp applied names its line; no stamp, no line.
    const TabellaRigheFattura righe = tabella({riga("20", "100"), riga("", "80")});
    const RiepilogoIva r = riepilogo(righe);
    EXPECT_EQ(bollo(righe, {"1", "77.47", "2.00"}, r, r.TotaleDocumento).Riga, 2);
    EXPECT_EQ(bollo(righe, {"1", "80.01", "2.00"}, r, r.TotaleDocumento).Riga, 0);
}

TEST_F(SessioneCollegata, ACodeTheArchiveLacksCountsAsZeroRate) {
    const TabellaRigheFattura righe = tabella({riga("XX", "80"), riga("E15", "10"), riga("20", "500")});
    const RiepilogoIva r = riepilogo(righe, LettoreAliquoteIva(sessione(), true));
    EXPECT_EQ(bollo(righe, {"1", "77.47", "2.00"}, r, r.TotaleDocumento).Base, euro("90"));
}

TEST(CalcoloBollo, TheStampAmountIsPrintedAsTypedAndAddedAsRead) {
    const TabellaRigheFattura righe = tabella({riga("", "100")});
    const RiepilogoIva r = riepilogo(righe);
    const struct {
        QString importo;
        const char* aggiunto;
    } casi[] = {{"2.00", "2"}, {"1,50", "1,5"}, {"1.81", "1,81"}, {"0", "0"}, {"", "0"}, {"bollo", "0"}};
    for (const auto& c : casi) {
        const ImpostaBollo b = bollo(righe, {"3", "77,47", c.importo}, r, euro("100"));
        EXPECT_EQ(b.BolloDocumento, c.importo) << c.importo.toStdString();
        EXPECT_EQ(b.Importo, euro(c.aggiunto)) << c.importo.toStdString();
        EXPECT_EQ(b.TotaleDocumento, euro("100") + euro(c.aggiunto)) << c.importo.toStdString();
    }
}

// ---- the three stages together ----

TEST(CalcoloImportiDocumento, TheTotalPassesThroughWithholdingsAndStamp) {
    ParametriFatturaRec p;
    p.RitenutaAcconto = true;
    p.CriterioRA = "3";
    p.RAPercImponibile = "100";
    p.RitAccPerc = "20";
    p.Bollo = true;
    p.CriterioBollo = "2";
    p.SogliaBollo = "77,47";
    p.ImportoBollo = "1,81";
    const TabellaRigheFattura righe =
        tabella({riga("20", "1000", "X"), riga("", "100", "C"), riga("", "50", "A")});
    LettoreAliquoteIva aliquote;
    const auto d = CalcoloImportiDocumento(righe, p, aliquote);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Riepilogo.TotaleDocumento, euro("1350"));   // 1150 + 200 VAT
    EXPECT_EQ(esteso(d->Ritenute.Ritenuta1.Importo), "200,00");      // 20 % of the fees
    EXPECT_EQ(d->Ritenute.TotaleDocumento, euro("1150"));
    EXPECT_EQ(d->Bollo.Base, euro("100"));                   // the exempt cost, not the advance
    EXPECT_EQ(d->Bollo.BolloDocumento, "1,81");
    EXPECT_EQ(d->TotaleDocumento, euro("1151,81"));
}

}  // namespace
