#include <gtest/gtest.h>

#include "accounting/engine/ParametriContabili.h"
#include "fixtures/AccountingFixture.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/db/Recordset.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

class Parametri : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        ParametriContabili() = {};
        contab.aggiungiDitta("ROSSI", 7);
        AmbienteLavoro().PathArchivioContabile = contab.creaArchivio("ROSSI", "2004");
        archivio = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
    }
    void TearDown() override { RipristinaAmbiente(); }

    int righe() { return int(archivio->scalar("SELECT count(*) FROM parametri").toInt()); }

    TempDir dir;
    AccountingFixture contab{dir.path()};
    std::unique_ptr<db::Database> archivio;
    ScriptedMessages box;
};

TEST_F(Parametri, ExistingRowIsReadAndNothingWritten) {
    archivio->execute("UPDATE parametri SET numerorigagiornale = 1520, totaleariportare = 1234.5, "
                      "proratapercentuale = 12.5, \"PeriodicitàDichiarazioneIva\" = 3");

    LetturaParametri(*archivio);

    const ParametriContabiliRec& p = ParametriContabili();
    EXPECT_EQ(p.Esercizio, "2004");
    EXPECT_EQ(p.ContoIvaVendite, "02.02.01.0001");
    EXPECT_EQ(p.ContoRicavi, "04.01.01.0001");
    EXPECT_EQ(p.PeriodicitaDichiarazioneIva, 3);
    EXPECT_EQ(p.proratapercentuale, "12.5");
    EXPECT_TRUE(p.professionisti);
    EXPECT_EQ(p.sogliaIva, Currency::fromUnits(26));
    EXPECT_EQ(p.numerorigagiornale, 1520);
    EXPECT_EQ(p.totaleariportare, *Currency::parse("1234,5"));
    EXPECT_EQ(righe(), 1);
}

TEST_F(Parametri, EmptyTableGetsTheDefaultRowWithTheYearOfTheArchiveName) {
    archivio->execute("DELETE FROM parametri");
    ParametriContabili().numerorigagiornale = 77;

    LetturaParametri(*archivio);

    const ParametriContabiliRec& p = ParametriContabili();
    EXPECT_EQ(p.Esercizio, "2004");
    EXPECT_EQ(p.meseinizioesercizio, 1);
    EXPECT_EQ(p.numerorigagiornale, 77) << "the package's own columns are not defaults";
    ASSERT_EQ(righe(), 1);

    auto rs = archivio->openRecordset("SELECT * FROM parametri");
    struct Atteso {
        const char* colonna;
        db::Value valore;
    };
    const Atteso attesi[] = {
        {"Autocausale", "LIBERA"}, {"meseinizioesercizio", 1}, {"Esercizio", "2004"},
        {"NumeraAcquisti", 1}, {"NumeraVendite", 1}, {"PeriodicitàDichiarazioneIva", 1},
        {"codiceivadefault", "20"}, {"protocollo", 1}, {"ContoCassa", "00.00.00.0000"},
        {"ContoIvaVendite", "00.00.00.0000"}, {"ContoCosti", "00.00.00.0000"}, {"ivamora", 0.0},
        {"interessemora", 10}, {"ventilazione", 0}, {"ventilazioneregistro", "A"},
        {"corrispeventi", "C"}, {"fattpagabbuonipassivi", "00.00.00.0000"},
        {"proratapercentuale", 0.0}, {"PlafondImporto", 0}, {"regimeiva", "O"},
        {"professionisti", 0}, {"sogliaIva", 26}, {"StatoPatrimonialeC", "00.00.00.0000"},
        {"StampanteGrafica", "Definire"}, {"stampanteaghi", "Generica / solo testo"},
        {"Emulazione", "IBM PPR"}, {"CartellaImmagini", "Definire"},
        {"ControlloDuplicazione", 1}, {"numerorigagiornale", nullptr},
        {"totaleariportare", nullptr},
    };
    for (const Atteso& a : attesi) EXPECT_EQ(rs->field(a.colonna), a.valore) << a.colonna;

    // The row reads back without a word: the package's two columns are still Null.
    ParametriContabili() = {};
    ParametriContabili().Esercizio = "other";
    ParametriContabili().numerorigagiornale = 77;
    LetturaParametri(*archivio);
    EXPECT_TRUE(box.asked().empty());
    EXPECT_EQ(ParametriContabili().Esercizio, "2004");
    EXPECT_EQ(ParametriContabili().numerorigagiornale, 0);
    EXPECT_EQ(ParametriContabili().totaleariportare, Currency());
    EXPECT_EQ(righe(), 1);
}

TEST_F(Parametri, NullColumnGoesToTheHandlerAndGoingOnKeepsThatFieldOnly) {
    archivio->execute("UPDATE parametri SET ContoCassa = NULL, ContoRicavi = '04.01.01.0002'");
    ParametriContabili().ContoCassa = "previous";
    box.expectMessage(ui::Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");

    LetturaParametri(*archivio);

    ASSERT_EQ(box.messageTexts().size(), 1);
    EXPECT_TRUE(box.messageTexts()[0].contains("Funzione: Lettura dei parametri"));
    EXPECT_EQ(ParametriContabili().ContoCassa, "previous");
    EXPECT_EQ(ParametriContabili().ContoRicavi, "04.01.01.0002");
    EXPECT_EQ(ParametriContabili().ContoCosti, "03.01.01.0001");
}

}  // namespace
