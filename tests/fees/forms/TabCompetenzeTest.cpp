#include "fees/forms/TabCompetenze.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "fees/engine/DettaglioCompetenza.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"
#include "support/TempDir.h"

namespace {

const QStringList Intestazioni = {"Incarico", "Lavoro", "Codice", "Costo/Antic", " Add.Unit. ", " % o Qta ",
                                  "Fatturare ", "F.to", "PN"};

class TabCompetenzeTest : public ::testing::Test {
protected:
    TabCompetenzeTest() : fascole(cartella.file("fascole.mdb")), tab(new TabCompetenze(finestra)) {
        RipristinaAmbiente();
        RipristinaFascolaCorrente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        AmbienteLavoro().FormatoImporto = "###,##0.00";
    }
    ~TabCompetenzeTest() override {
        RipristinaFascolaCorrente();
        RipristinaAmbiente();
    }

    // The grid filled for case file 0001 of R01 after `n` fee items were stored.
    const ui::Grid& mostra(int n) {
        for (int i = 0; i < n; ++i)
            fascole.addFeeItem("R01", "0001", "0000", "0000", QString("E%1").arg(i, 2, 10, QChar('0')));
        FascolaCorrente().MostraFascola("R01", "Rossi Mario", "0001");
        tab->C_MostraGriglia();
        return *tab->C_FlxCompetenze;
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    FrmFascola finestra;
    TabCompetenze* tab;
};

TEST_F(TabCompetenzeTest, TheTabSitsInItsPageAndServesTheWindow) {
    EXPECT_EQ(finestra.Competenze, tab);
    EXPECT_EQ(tab->parentWidget(), finestra.PaginaCompetenze());
    for (const char* nome : {"C_LblNomeCliente", "C_LblCodiceCliente", "C_LblNpra", "C_LblNtask", "C_LblNjob",
                             "C_DbcElemento", "C_DbcDescrizEle", "C_TxtDescrizione", "C_TxTImporto", "C_TxtFattore",
                             "C_TxtImpoFatt", "C_DbcPagamento", "C_TxtData", "C_LblCheCao", "C_LblFattore",
                             "C_FlxCompetenze"})
        EXPECT_TRUE(finestra.findChild<QWidget*>(nome)) << nome;
}

TEST_F(TabCompetenzeTest, AnEmptyGridHasItsHeadingAnd14WhiteLines) {
    const ui::Grid& g = mostra(0);
    EXPECT_EQ(g.rows(), 15);
    EXPECT_EQ(g.cols(), 9);
    EXPECT_EQ(g.row(), 0);
    EXPECT_EQ(g.col(), 0);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(g.text(0, c), Intestazioni[c]);
        EXPECT_EQ(g.cellAlignment(0, c) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        for (int r = 1; r < 15; ++r) {
            EXPECT_TRUE(g.text(r, c).isEmpty());
            EXPECT_EQ(g.cellBackColor(r, c), ui::bgr(ui::BgrWhite));
        }
    }
}

TEST_F(TabCompetenzeTest, TheGridHasTenLinesAtLeastAndOnePerItemBeyond) {
    const struct {
        int voci, righe;
    } casi[] = {{1, 11}, {9, 11}, {10, 11}, {12, 13}};
    for (const auto& c : casi) {
        fascole.db().execute("DELETE FROM competenze");
        const ui::Grid& g = mostra(c.voci);
        EXPECT_EQ(g.rows(), c.righe) << c.voci;
        EXPECT_EQ(g.text(0, 8), "PN");
        EXPECT_EQ(g.text(c.voci, 2), QString("E%1").arg(c.voci - 1, 2, 10, QChar('0')));
        EXPECT_TRUE(g.text(c.voci + 1, 2).isEmpty());
    }
}

TEST_F(TabCompetenzeTest, RowsShowTheItemsInKeyOrderWithTheirFormats) {
    fascole.addFeeItem("R01", "0001", "0002", "0000", "ONO",
                       {{"importo", 1234.5}, {"addebitounitario", 0}, {"fattore", "3"}, {"impofat", 3703.5},
                        {"fatturato", true}, {"primanota", true}});
    fascole.addFeeItem("R01", "0001", "0000", "0001", "BOL", {{"importo", -5}, {"addebitounitario", 12.25}});
    fascole.addFeeItem("R01", "0001", "0000", "0000", "SPE", {{"fattore", "1.5 "}, {"impofat", 0.5}});
    fascole.addFeeItem("R01", "0002", "0000", "0000", "ALT");  // another case file
    const ui::Grid& g = mostra(0);
    const QStringList attese[] = {
        {"0000", "0000", "SPE", "", "", "1.5 ", "0,50", "", ""},
        {"0000", "0001", "BOL", "", "12,25", "", "", "", ""},
        {"0002", "0000", "ONO", "1.234,50", "", "3", "3.703,50", "S", "S"},
    };
    for (int r = 1; r <= 3; ++r)
        for (int c = 0; c < 9; ++c) EXPECT_EQ(g.text(r, c), attese[r - 1][c]) << r << "," << c;
    EXPECT_TRUE(g.text(4, 2).isEmpty());
}

TEST_F(TabCompetenzeTest, ClearingEmptiesTheFieldsAndForgetsTheItem) {
    for (QLineEdit* box : {tab->C_TxtDescrizione, tab->C_TxTImporto, tab->C_TxtFattore, tab->C_TxtImpoFatt,
                           tab->C_TxtData})
        box->setText("x");
    for (ui::RefillCombo* combo : {tab->C_DbcElemento, tab->C_DbcDescrizEle, tab->C_DbcPagamento})
        combo->setEditText("x");
    tab->C_LblCheCao->setText("Importo");
    tab->C_LblFattore->setText("Quantità");
    DettaglioCompetenzaRec& prima = tab->Dettaglio();
    prima.primanota = prima.fatturato = prima.spuntato = true;
    prima.darepn = "D", prima.averepn = "A", prima.idpn = "PN1", prima.ricavi = "R", prima.idfattura = "FAT";
    prima.elemento = "ONO", prima.DescrizioneElemento = "Onorario";
    tab->C_PulisciCampi();
    for (QLineEdit* box : {tab->C_TxtDescrizione, tab->C_TxTImporto, tab->C_TxtFattore, tab->C_TxtImpoFatt,
                           tab->C_TxtData})
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    for (ui::RefillCombo* combo : {tab->C_DbcElemento, tab->C_DbcDescrizEle, tab->C_DbcPagamento})
        EXPECT_TRUE(combo->currentText().isEmpty());
    EXPECT_TRUE(tab->C_LblCheCao->text().isEmpty());
    EXPECT_TRUE(tab->C_LblFattore->text().isEmpty());
    const DettaglioCompetenzaRec& d = tab->Dettaglio();
    EXPECT_FALSE(d.primanota || d.fatturato || d.spuntato);
    EXPECT_TRUE(d.darepn.isEmpty() && d.averepn.isEmpty() && d.idpn.isEmpty() && d.ricavi.isEmpty() &&
                d.idfattura.isEmpty());
    EXPECT_EQ(d.elemento, "ONO");
    EXPECT_EQ(d.DescrizioneElemento, "Onorario");
}

TEST_F(TabCompetenzeTest, EachGroupOfFieldsOpensAndClosesTogether) {
    finestra.show();
    for (bool si : {true, false}) {
        tab->C_LblCheCao->setText("Importo");
        tab->C_AbilitaElemento(si);
        tab->C_AbilitaDescrizione(si);
        tab->C_AbilitaImporti(si);
        for (QWidget* w : std::initializer_list<QWidget*>{tab->C_DbcElemento, tab->C_DbcDescrizEle,
                                                          tab->C_TxtDescrizione, tab->C_DbcPagamento, tab->C_TxtData,
                                                          tab->C_TxTImporto, tab->C_TxtFattore, tab->C_TxtImpoFatt})
            EXPECT_EQ(w->isEnabled(), si) << w->objectName().toStdString();
        EXPECT_EQ(tab->C_TxTImporto->isVisibleTo(tab), si);
        EXPECT_EQ(tab->C_TxtFattore->isVisibleTo(tab), si);
        EXPECT_TRUE(tab->C_TxtImpoFatt->isVisibleTo(tab));
        EXPECT_EQ(tab->C_LblCheCao->text().isEmpty(), !si);
    }
}

TEST_F(TabCompetenzeTest, TheTaskAndJobChosenOnTheirTabsReceiveNewItems) {
    FascolaCorrenteRec& f = FascolaCorrente();
    f.MostraFascola("R01", "Rossi Mario", "0001");
    EXPECT_EQ(tab->C_LblNomeCliente->text(), "Rossi Mario");
    EXPECT_EQ(tab->C_LblCodiceCliente->text(), "R01");
    EXPECT_EQ(tab->C_LblNpra->text(), "0001");
    EXPECT_EQ(tab->C_LblNtask->text(), "0000");
    EXPECT_EQ(tab->C_LblNjob->text(), "0000");
    f.DestinaCompetenze("0003", "0000");  // a task chosen
    EXPECT_EQ(tab->C_LblNtask->text(), "0003");
    f.DestinaCompetenze(f.NtaskCompetenze(), "0002");  // then one of its jobs
    EXPECT_EQ(tab->C_LblNtask->text(), "0003");
    EXPECT_EQ(tab->C_LblNjob->text(), "0002");
    // No case file on display: nothing to put a fee item on.
    f.Svuota();
    EXPECT_TRUE(tab->C_LblCodiceCliente->text().isEmpty());
    EXPECT_TRUE(tab->C_LblNtask->text().isEmpty());
}

}  // namespace
