#include <gtest/gtest.h>

#include <vector>

#include "casefiles/forms/EvidenziaRiga.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"

namespace {

const QColor Giallo = ui::bgr(ui::BgrYellow);
const QColor Bianco = ui::bgr(ui::BgrWhite);

// The four grids of the main window, as many columns as each has, all cells white.
class EvidenziaRigaTest : public ::testing::Test {
protected:
    EvidenziaRigaTest() {
        prepara(competenze, "C", 9, 15);
        prepara(incarichi, "I", 4, 12);
        prepara(lavorazioni, "L", 4, 9);
        prepara(fattura, "F", 3, 6);
    }

    void prepara(ui::Grid& griglia, const QString& lettera, int colonne, int righe) {
        griglia.setRows(righe);
        griglia.setCols(colonne);
        for (int r = 1; r < righe; ++r)
            for (int c = 0; c < colonne; ++c) griglia.setCellBackColor(r, c, Bianco);
        evidenzia.RegistraGriglia(lettera, griglia);
    }

    void clic(const QString& lettera, int riga) {
        evidenzia.RigaCliccata = riga;
        evidenzia.EvidenziaRiga(lettera, 1);
    }

    // The rows of the grid whose cells are all yellow.
    static std::vector<int> righeGialle(const ui::Grid& griglia) {
        std::vector<int> gialle;
        for (int r = 1; r < griglia.rows(); ++r) {
            bool tutte = true;
            for (int c = 0; c < griglia.cols(); ++c) tutte = tutte && griglia.cellBackColor(r, c) == Giallo;
            if (tutte) gialle.push_back(r);
        }
        return gialle;
    }

    Evidenziatore evidenzia;
    ui::Grid competenze, incarichi, lavorazioni, fattura;
};

using Righe = std::vector<int>;

TEST_F(EvidenziaRigaTest, TheMarkMovesToTheClickedRowInEveryColumnOfEachGrid) {
    const struct {
        const char* lettera;
        ui::Grid* griglia;
    } casi[] = {{"C", &competenze}, {"I", &incarichi}, {"L", &lavorazioni}, {"F", &fattura}};
    for (const auto& caso : casi) {
        ui::Grid& griglia = *caso.griglia;
        clic(caso.lettera, 3);
        EXPECT_EQ(righeGialle(griglia), Righe{3}) << caso.lettera;
        clic(caso.lettera, 5);
        EXPECT_EQ(righeGialle(griglia), Righe{5}) << caso.lettera;
        EXPECT_EQ(griglia.cellBackColor(3, 0), Bianco) << caso.lettera;
        EXPECT_EQ(evidenzia.RigaEvidenziata(caso.lettera), 5);
        // The current cell is left on the marked row's last painted column.
        EXPECT_EQ(griglia.row(), 5);
        EXPECT_EQ(griglia.col(), griglia.cols() - 1);
    }
}

TEST_F(EvidenziaRigaTest, ClickingTheSameRowTwiceLeavesItMarked) {
    clic("I", 4);
    clic("I", 4);
    EXPECT_EQ(righeGialle(incarichi), Righe{4});
    EXPECT_EQ(evidenzia.RigaEvidenziata("I"), 4);
}

TEST_F(EvidenziaRigaTest, ClearingUnmarksTheRowAndForgetsIt) {
    clic("C", 5);
    evidenzia.EvidenziaRiga("C", 0);
    EXPECT_TRUE(righeGialle(competenze).empty());
    EXPECT_EQ(evidenzia.RigaEvidenziata("C"), 0);
}

TEST_F(EvidenziaRigaTest, ClearingAGridUnmarksItsOwnRowWhateverGridWasClickedLast) {
    clic("C", 5);
    clic("I", 2);
    evidenzia.EvidenziaRiga("C", 0);
    EXPECT_TRUE(righeGialle(competenze).empty());
    EXPECT_EQ(competenze.cellBackColor(2, 0), Bianco);
    EXPECT_EQ(righeGialle(incarichi), Righe{2});

    // A later mark in the fee grid leaves no stale yellow row behind.
    clic("C", 7);
    EXPECT_EQ(righeGialle(competenze), Righe{7});
}

TEST_F(EvidenziaRigaTest, MarkingOneGridLeavesTheOthersAlone) {
    clic("L", 2);
    clic("F", 4);
    EXPECT_EQ(righeGialle(lavorazioni), Righe{2});
    EXPECT_EQ(righeGialle(fattura), Righe{4});
    EXPECT_TRUE(righeGialle(incarichi).empty());
    EXPECT_TRUE(righeGialle(competenze).empty());
}

TEST_F(EvidenziaRigaTest, AnUnknownLetterChangesNothing) {
    clic("I", 3);
    evidenzia.RigaCliccata = 6;
    for (const char* lettera : {"X", "", "i", "CI"}) {
        evidenzia.EvidenziaRiga(lettera, 1);
        evidenzia.EvidenziaRiga(lettera, 0);
    }
    EXPECT_EQ(righeGialle(incarichi), Righe{3});
    for (const ui::Grid* g : {&competenze, &lavorazioni, &fattura}) EXPECT_TRUE(righeGialle(*g).empty());
    EXPECT_EQ(evidenzia.RigaEvidenziata("X"), 0);
}

TEST_F(EvidenziaRigaTest, ARowOutsideTheGridIsNeitherPaintedNorKept) {
    // A click on row 10 of the fee grid, then a mark in the shorter job grid with that row.
    clic("C", 10);
    evidenzia.EvidenziaRiga("L", 1);
    EXPECT_EQ(lavorazioni.rows(), 9);
    EXPECT_TRUE(righeGialle(lavorazioni).empty());
    EXPECT_EQ(evidenzia.RigaEvidenziata("L"), 0);

    // The heading row is not a row to mark either.
    const QColor intestazione = fattura.cellBackColor(0, 0);
    clic("F", 0);
    EXPECT_EQ(fattura.cellBackColor(0, 0), intestazione);
    EXPECT_NE(intestazione, Giallo);
    EXPECT_EQ(evidenzia.RigaEvidenziata("F"), 0);
}

TEST_F(EvidenziaRigaTest, AMarkedRowLostToAShorterRefillIsForgottenQuietly) {
    clic("C", 13);
    competenze.setRows(6);
    clic("C", 2);
    EXPECT_EQ(righeGialle(competenze), Righe{2});
    evidenzia.EvidenziaRiga("C", 0);
    EXPECT_TRUE(righeGialle(competenze).empty());
}

TEST_F(EvidenziaRigaTest, AGridNotYetRegisteredIsLeftAloneUntilItIs) {
    Evidenziatore nuovo;
    nuovo.RigaCliccata = 2;
    nuovo.EvidenziaRiga("F", 1);
    EXPECT_EQ(nuovo.RigaEvidenziata("F"), 0);
    nuovo.RegistraGriglia("F", fattura);
    nuovo.EvidenziaRiga("F", 1);
    EXPECT_EQ(righeGialle(fattura), Righe{2});
}

}  // namespace
