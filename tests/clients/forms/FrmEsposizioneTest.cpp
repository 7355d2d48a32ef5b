#include "clients/forms/FrmEsposizione.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

Currency euro(const char* testo) { return *Currency::parse(testo, '.'); }

const QString Cliente = "01.01.01.0001";

class FrmEsposizioneTest : public ::testing::Test {
protected:
    FrmEsposizioneTest() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        AmbienteLavoro().FormatoImporto = "###,##0.00";
        AmbienteLavoro().FormatoImportoEsteso = "#,###,##0.00";
        for (const auto& [codice, tipo] : {std::pair{"ANT", "A"}, {"COS", "C"}, {"ONO", "X"}})
            fascole.addCatalogueItem(codice, {{"tipo", tipo}});
    }
    ~FrmEsposizioneTest() override { RipristinaAmbiente(); }

    void voce(const char* npra, const char* ntask, const char* elemento, const char* importo, bool fatturato,
              const QString& cliente = Cliente) {
        fascole.addFeeItem(cliente, npra, ntask, "0000", elemento,
                           {{"impofat", euro(importo)}, {"fatturato", fatturato}});
    }

    // The labels' captions, in the order of their figures.
    static QStringList importi(const FrmEsposizione& f) {
        QStringList t;
        for (QLabel* l : {f.LblSCEPD, f.LblSCEPA, f.LblSCEPS, f.LblSCEAD, f.LblSCEAA, f.LblSCEAS, f.LblAPAF, f.LblAPCF,
                          f.LblAPKF, f.LblAPTF, f.LblAPANF, f.LblAPCNF, f.LblAPKNF, f.LblAPTNF, f.LblPCAF, f.LblPCCF,
                          f.LblPCKF, f.LblPCTF, f.LblPCANF, f.LblPCCNF, f.LblPCKNF, f.LblPCTNF, f.LblSC, f.LblAP,
                          f.LblPC, f.LblT})
            t << l->text();
        return t;
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(FrmEsposizioneTest, UnlinkedTheExposureIsTheFeeItemsNotYetInvoiced) {
    voce("0002", "0001", "ANT", "1234.5", false);
    voce("0002", "0001", "ONO", "1000000", false);
    voce("0002", "0002", "ONO", "250", true);
    voce("0001", "0001", "COS", "0.1", false);
    voce("0001", "0001", "ONO", "99.99", true);
    voce("0002", "0001", "COS", "777", false, "01.01.01.0002");

    FrmEsposizione f(Cliente, "Rossi Mario S.r.l.", "0002");
    f.show();
    EXPECT_EQ(f.windowTitle(), "ESPOSIZIONE CLIENTE");
    EXPECT_EQ(importi(f), QStringList({
                              "0,00", "0,00", "0,00", "0,00", "0,00", "0,00",                 // journal
                              "0,00", "0,00", "99,99", "99,99", "0,00", "0,10", "0,00", "0,10",  // other case files
                              "0,00", "0,00", "250,00", "250,00",                              // current, invoiced
                              "1.234,50", "0,00", "1.000.000,00", "1.001.234,50",              // current, not
                              "0,00", "0,10", "1.001.234,50", "1.001.234,60",                  // exposure
                          }));
    EXPECT_EQ(f.LblNomeCliente->text(), "Rossi Mario S.r.l.");
    EXPECT_FALSE(f.PrgBarra->isVisible());
    EXPECT_EQ(f.PrgBarra->value(), 160);
    EXPECT_EQ(f.LblT->alignment() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(f.LblT->palette().color(QPalette::Window), QColor(255, 255, 128));

    QTest::mouseClick(f.CmdContinua, Qt::LeftButton);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(FrmEsposizioneTest, LinkedACreditBalanceShowsNegativeAndTheMissingPreviousYearZero) {
    AccountingFixture contab(cartella.path());
    contab.creaCampione();
    contab.collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
    {
        auto giornale = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
        AccountingFixture::inserisci(*giornale, "giornale", {{"giorno", "2004-02-01"}, {"numero", 1}, {"tipo", "P"}});
        AccountingFixture::inserisci(*giornale, "giornaledettaglio",
                                     {{"giorno", "2004-02-01"}, {"numero", 1}, {"codice", Cliente},
                                      {"importo", euro("1500")}, {"segno", "A"}});
        AccountingFixture::inserisci(*giornale, "giornaledettaglio",
                                     {{"giorno", "2004-02-01"}, {"numero", 1}, {"codice", Cliente},
                                      {"importo", euro("265.5")}, {"segno", "D"}});
    }
    voce("0001", "0001", "ONO", "200", false);

    FrmEsposizione f(Cliente, "Rossi Mario S.r.l.", "0001");
    const QStringList t = importi(f);
    EXPECT_EQ(t.mid(0, 6), QStringList({"0,00", "0,00", "0,00", "265,50", "1.500,00", "-1.234,50"}));
    EXPECT_EQ(f.LblSC->text(), "-1.234,50");
    EXPECT_EQ(f.LblPC->text(), "200,00");
    EXPECT_EQ(f.LblT->text(), "-1.034,50");
}

TEST_F(FrmEsposizioneTest, LeftAtAFailureTheWindowShowsNothingButItsZeros) {
    voce("0001", "0001", "ONO", "200", false);
    fascole.db().execute("ALTER TABLE elefat RENAME TO catalogo");
    ScriptedMessages box;
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");

    FrmEsposizione f(Cliente, "Rossi Mario S.r.l.", "0001");
    for (const QString& testo : importi(f)) EXPECT_EQ(testo, "0,00");
    EXPECT_TRUE(f.LblNomeCliente->text().isEmpty());
    EXPECT_FALSE(f.PrgBarra->isHidden());
    EXPECT_EQ(f.PrgBarra->value(), 40);
}

}  // namespace
