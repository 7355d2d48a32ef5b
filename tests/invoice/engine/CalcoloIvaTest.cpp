#include "invoice/engine/CalcoloIva.h"

#include <gtest/gtest.h>

#include "foundation/engine/Procedura.h"
#include "invoice/engine/FatturaDiProva.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"

namespace {

using fattura_di_prova::euro;
using fattura_di_prova::riga;
using fattura_di_prova::SessioneCollegata;

struct Atteso {
    const char* iva;  // CalcoloIva
    QString aliquota;  // DefinizioneAliquotaIva
    QString imposta;   // CalcoloImpostaIva
};

// The three answers for one line, each from a reader of its own, as the tab and the issue
// each build theirs.
void verifica(LettoreAliquoteIva lettore, db::Database* sessione, const QString& codice, const char* impofat,
              const Atteso& atteso) {
    RigaFattura r = riga(codice, impofat);
    r.IvaBloccata = true;  // no catalogue here: the line's code is the one read
    const std::string caso = codice.toStdString() + " on " + impofat;
    LettoreAliquoteIva l1 = lettore, l2 = lettore, l3 = lettore;
    if (sessione) {
        EXPECT_EQ(CalcoloIva(r, false, *sessione, l1), euro(atteso.iva)) << caso;
    }
    EXPECT_EQ(DefinizioneAliquotaIva(r, l2), atteso.aliquota) << caso;
    EXPECT_EQ(CalcoloImpostaIva(r, l3), atteso.imposta) << caso;
    EXPECT_EQ(r.CodiceIva, codice) << caso;
}

TEST(CalcoloIvaNonCollegato, TheCodeIsTheRateTypedAsANumber) {
    TempDir dir;
    fixtures::CaseFileArchive fascole(dir.file("fascole.mdb"));
    const struct {
        QString codice;
        const char* impofat;
        Atteso atteso;
    } casi[] = {
        {"20", "100,00", {"20", "20", "20,00"}},
        {"20", "123,45", {"24,69", "20", "24,69"}},
        {"10", "10,25", {"1,03", "10", "1,03"}},
        {" 20 ", "1000", {"200", "20", "200,00"}},
        {"20", "1234,56", {"246,91", "20", "246,91"}},
        {"0", "100", {"0", "0", "0,00"}},
        // The rate is read as an amount is: decimal comma, or a single full stop at the end.
        {"12,5", "100", {"12,5", "12,5", "12,50"}},
        {"12.5", "100", {"12,5", "12.5", "12,50"}},
        // No digits: no rate, and the code prints as itself.
        {"ES", "100", {"0", "ES", "ES"}},
        {"", "100", {"0", "", ""}},
        {"1-2", "100", {"0", "1-2", "1-2"}},
    };
    for (const auto& c : casi) verifica(LettoreAliquoteIva(), &fascole.db(), c.codice, c.impofat, c.atteso);
}

TEST_F(SessioneCollegata, TheCodeIsLookedUpInTheAccountingArchive) {
    const struct {
        QString codice;
        const char* impofat;
        Atteso atteso;
    } casi[] = {
        {"20", "100", {"20", "20,00", "20,00"}},
        {"20", "1000", {"200", "20,00", "200,00"}},
        {"20", "123,45", {"24,69", "20,00", "24,69"}},
        {"125", "100,5", {"12,56", "12,50", "12,56"}},
        {"4", "1234,56", {"49,38", "4,00", "49,38"}},
        // The blanks around a code are no part of it, for the VAT as for the texts.
        {" 10 ", "10,25", {"1,03", "10,00", "1,03"}},
        // An exempt code prints its description; a code the archive lacks prints 0,00.
        {"E15", "100", {"0", "0,00", "Escluso art. 15"}},
        {"XX", "100", {"0", "0,00", "0,00"}},
        {"", "100", {"0", "0,00", "0,00"}},
    };
    for (const auto& c : casi) verifica(LettoreAliquoteIva(sessione(), true), &sessione(), c.codice, c.impofat, c.atteso);
}

TEST_F(SessioneCollegata, TheLineTakesTheCatalogueCodeOfItsRegimeUnlessFixedByHand) {
    fascole.addCatalogueItem("ONO", {{"iva", "20"}, {"ivacee", "N8"}, {"tipo", "X"}});
    LettoreAliquoteIva aliquote(sessione(), true);

    RigaFattura r = riga("", "100", "");
    EXPECT_EQ(CalcoloIva(r, false, sessione(), aliquote), euro("20"));
    EXPECT_EQ(r.CodiceIva, "20");
    EXPECT_EQ(r.Tipo, "X");
    EXPECT_EQ(CalcoloIva(r, true, sessione(), aliquote), euro("0"));
    EXPECT_EQ(r.CodiceIva, "N8");

    RigaFattura fissata = riga("10", "100", "");
    fissata.IvaBloccata = true;
    for (bool cee : {false, true}) {
        EXPECT_EQ(CalcoloIva(fissata, cee, sessione(), aliquote), euro("10"));
        EXPECT_EQ(fissata.CodiceIva, "10");
        EXPECT_EQ(fissata.Tipo, "");
    }
}

TEST_F(SessioneCollegata, ALineWhoseElementLeftTheCatalogueKeepsItsCodeAndTheVatOfIt) {
    LettoreAliquoteIva aliquote(sessione(), true);
    RigaFattura nuova = riga("", "100", "");
    nuova.elemento = "ZZZ";
    EXPECT_EQ(CalcoloIva(nuova, false, sessione(), aliquote), euro("0"));
    EXPECT_EQ(nuova.CodiceIva, "");
    EXPECT_EQ(nuova.Tipo, "");

    // Displayed once with its code, then the element is deleted: the grid keeps showing the
    // VAT the printed summary will carry.
    RigaFattura gia = riga("20", "100", "C");
    gia.elemento = "ZZZ";
    EXPECT_EQ(CalcoloIva(gia, false, sessione(), aliquote), euro("20"));
    EXPECT_EQ(CalcoloImpostaIva(gia, aliquote), "20,00");
    EXPECT_EQ(gia.CodiceIva, "20");
    EXPECT_EQ(gia.Tipo, "C");
}

// An element's catalogue row is read once per reader: one display of the grid.
TEST_F(SessioneCollegata, ACatalogueElementIsReadOncePerReader) {
    fascole.addCatalogueItem("ONO", {{"iva", "20"}, {"ivacee", "10"}, {"tipo", "X"}});
    LettoreAliquoteIva aliquote(sessione(), true);
    RigaFattura r = riga("", "100", "");
    EXPECT_EQ(CalcoloIva(r, false, sessione(), aliquote), euro("20"));
    sessione().execute("UPDATE elefat SET iva = '4', tipo = 'C' WHERE codice = 'ONO'");
    RigaFattura altra = riga("", "100", "");
    EXPECT_EQ(CalcoloIva(altra, false, sessione(), aliquote), euro("20"));
    EXPECT_EQ(altra.Tipo, "X");
    // The regime is applied to the row read: its EU code.
    EXPECT_EQ(CalcoloIva(altra, true, sessione(), aliquote), euro("10"));
    LettoreAliquoteIva nuovo(sessione(), true);
    EXPECT_EQ(CalcoloIva(altra, false, sessione(), nuovo), euro("4"));
    EXPECT_EQ(altra.Tipo, "C");
}

TEST_F(SessioneCollegata, ACodeIsReadOncePerReader) {
    LettoreAliquoteIva aliquote(sessione(), true);
    const RigaFattura r = riga("20", "100");
    EXPECT_EQ(CalcoloImpostaIva(r, aliquote), "20,00");
    sessione().execute("UPDATE contabile.ivacodici SET aliquota = 2200 WHERE codice = '20'");
    EXPECT_EQ(CalcoloImpostaIva(r, aliquote), "20,00");
    LettoreAliquoteIva nuovo(sessione(), true);
    EXPECT_EQ(CalcoloImpostaIva(r, nuovo), "22,00");
}

TEST_F(SessioneCollegata, AFailedReadGoesToTheErrorHandlerAndGivesNothing) {
    sessione().execute("DETACH DATABASE contabile");
    fascole.addCatalogueItem("ONO", {{"iva", "20"}, {"tipo", "X"}});
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI")
        .expectMessage(ui::Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI")
        .expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    LettoreAliquoteIva aliquote(sessione(), true);

    RigaFattura r = riga("", "100", "");
    EXPECT_EQ(CalcoloIva(r, false, sessione(), aliquote), Currency());
    EXPECT_EQ(r.CodiceIva, "20");  // the catalogue was read before the failing look-up
    EXPECT_EQ(DefinizioneAliquotaIva(r, aliquote), "");
    EXPECT_EQ(CalcoloImpostaIva(r, aliquote), "");
    const QStringList testi = box.messageTexts();
    ASSERT_EQ(testi.size(), 3);
    EXPECT_TRUE(testi[0].contains("Funzione: Funzione di calcolo iva")) << testi[0].toStdString();
    EXPECT_TRUE(testi[1].contains("Funzione: Funzione di definizione aliquota iva")) << testi[1].toStdString();
    EXPECT_TRUE(testi[2].contains("Funzione: Funzione di calcolo imposta iva")) << testi[2].toStdString();
}

}  // namespace
