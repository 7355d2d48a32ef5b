#include <gtest/gtest.h>

#include "invoice/forms/TabFatturaFixture.h"

namespace {

using tab_fattura::TabFatturaFixture;

class RigheFattura : public TabFatturaFixture {
protected:
    // A line clicked, its fields cleared, and an element chosen for a new line.
    void preparaVicinoA(int linea, const QString& codice) {
        clicRiga(rigaDellaLinea(linea));
        ASSERT_EQ(fattura().RigaCorrente, linea);
        clic(t().F_CmdAnnulla);
        scegliElemento(codice);
        ASSERT_TRUE(t().F_CmdAggiungi->isEnabled());
    }
};

TEST_F(RigheFattura, AnInvoiceComposedByHandLineByLine) {
    apri();
    applica(t().F_OptNessunaSelezione);
    EXPECT_TRUE(t().F_DbcElemento->isEnabled());
    EXPECT_TRUE(t().F_CmdStampa->isEnabled());

    // A fee at list price: the price is the amount to invoice.
    scegliElemento("ONO");
    EXPECT_EQ(t().F_DbcDescrizione->currentText(), "Onorario");
    EXPECT_EQ(t().F_TxtDescrizione->text(), "Onorario");
    EXPECT_EQ(t().F_TxtImpofatt->text(), "100,00");
    EXPECT_FALSE(t().F_TxtImporto->isVisible());
    EXPECT_EQ(pulsantiRiga(), "111100");
    clic(t().F_CmdAggiungi);
    EXPECT_EQ(codici(), (QStringList{"I.0000", "L.0000", "E.ONO"}));
    EXPECT_EQ(t().F_LblTotale->text(), "100,00");
    EXPECT_EQ(fattura().RigaCorrente, 1);
    EXPECT_TRUE(t().F_DbcElemento->isEnabled());  // the next element can be chosen at once

    // A unit price: quantity times price when the quantity box is left.
    scegliElemento("ORE");
    EXPECT_EQ(t().F_LblCheCao->text(), "dir. unitario");
    EXPECT_EQ(t().F_TxtImporto->text(), "12,50");
    EXPECT_EQ(t().F_TxtFattore->text(), "1");
    importo(t().F_TxtFattore, "2");
    EXPECT_EQ(t().F_TxtImpofatt->text(), "25,00");
    clic(t().F_CmdAggiungi);
    EXPECT_EQ(elementiLinee(), (QStringList{"ONO", "ORE"}));

    // Above the first line: a cost typed.
    preparaVicinoA(1, "SPE");
    importo(t().F_TxtImporto, "10");
    importo(t().F_TxtImpofatt, "10");
    inserisciDalMenu(rigaDellaLinea(1), t().F_mnuRigaSopra);
    EXPECT_EQ(elementiLinee(), (QStringList{"SPE", "ONO", "ORE"}));
    EXPECT_EQ(fattura().RigaCorrente, 1);
    EXPECT_EQ(pulsantiRiga(), "010000");
    EXPECT_FALSE(t().F_DbcElemento->isEnabled());  // until a line is clicked

    // Below the last line: an advance, whose amount is the amount to invoice.
    preparaVicinoA(3, "ANT");
    importo(t().F_TxtImporto, "5");
    EXPECT_EQ(t().F_TxtImpofatt->text(), "5");
    inserisciDalMenu(rigaDellaLinea(2), t().F_mnuRigaSotto);
    EXPECT_EQ(elementiLinee(), (QStringList{"SPE", "ONO", "ORE", "ANT"}));
    EXPECT_EQ(fattura().RigaCorrente, 4);

    // First: a percentage of a base.
    preparaVicinoA(2, "PER");
    EXPECT_EQ(t().F_TxtImporto->text(), "1");
    EXPECT_EQ(t().F_TxtFattore->text(), "5,00");
    importo(t().F_TxtImporto, "200");
    EXPECT_EQ(t().F_TxtImpofatt->text(), "10,00");
    inserisciDalMenu(rigaDellaLinea(2), t().F_mnuPrimaRiga);
    EXPECT_EQ(elementiLinee(), (QStringList{"PER", "SPE", "ONO", "ORE", "ANT"}));

    // Last: a percentage of a cost.
    preparaVicinoA(1, "BAS");
    importo(t().F_TxtImporto, "50");
    EXPECT_EQ(t().F_TxtImpofatt->text(), "5,00");
    inserisciDalMenu(rigaDellaLinea(1), t().F_mnuUltimaRiga);
    EXPECT_EQ(elementiLinee(), (QStringList{"PER", "SPE", "ONO", "ORE", "ANT", "BAS"}));
    EXPECT_EQ(fattura().RigaCorrente, 6);
    EXPECT_EQ(t().F_LblTotale->text(), "155,00");
    // Under the EU regime: 2 on PER, 1 on SPE, 0 on ONO, 1 on ORE, 0 on ANT, 1 on BAS.
    EXPECT_EQ(t().F_LblIva->text(), "5,00");
    const RigaFattura& per = fattura().RigheFattura.riga(1);
    EXPECT_EQ(per.importo, Currency::fromUnits(200));
    EXPECT_EQ(per.fattore, "5,00");
    EXPECT_EQ(per.impofat, Currency::fromUnits(10));
    EXPECT_EQ(per.cliente, "R01");
    EXPECT_EQ(per.npra, "0001");

    // A correction: the line's stored values come back into the boxes.
    clicRiga(rigaDellaLinea(4));
    EXPECT_EQ(pulsantiRiga(), "111011");
    EXPECT_FALSE(t().F_DbcElemento->isEnabled());
    EXPECT_EQ(t().F_DbcElemento->currentText(), "ORE");
    EXPECT_EQ(t().F_TxtImporto->text(), "12,50");
    EXPECT_EQ(t().F_TxtFattore->text(), "2");
    EXPECT_EQ(t().F_TxtImpofatt->text(), "25");
    EXPECT_EQ(t().F_FlxFattura->cellBackColor(rigaDellaLinea(4), 1), ui::bgr(ui::BgrYellow));
    importo(t().F_TxtFattore, "3");
    scrivi(t().F_TxtDescrizione, "Ore di consulenza extra");
    clic(t().F_CmdCorreggi);
    const RigaFattura& ore = fattura().RigheFattura.riga(4);
    EXPECT_EQ(ore.impofat, Currency::fromRaw(375000));
    EXPECT_EQ(ore.fattore, "3");
    EXPECT_EQ(ore.addebitounitario, Currency::fromRaw(125000));
    EXPECT_EQ(ore.descrizione, "Ore di consulenza extra");
    EXPECT_EQ(t().F_LblTotale->text(), "167,50");
    EXPECT_EQ(fattura().RigaCorrente, 4);
    EXPECT_EQ(pulsantiRiga(), "010000");
    EXPECT_TRUE(t().F_DbcElemento->isEnabled());

    // A removal.
    clicRiga(rigaDellaLinea(2));
    clic(t().F_CmdTogli);
    EXPECT_EQ(elementiLinee(), (QStringList{"PER", "ONO", "ORE", "ANT", "BAS"}));
    EXPECT_EQ(fattura().RigaCorrente, 0);
    EXPECT_EQ(t().F_LblTotale->text(), "157,50");

    // Empty it all.
    clic(t().F_CmdVuota);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);
    EXPECT_EQ(fattura().RigaCorrente, 0);
    EXPECT_TRUE(codici().isEmpty());
    EXPECT_TRUE(t().F_LblTotale->text().isEmpty());
    EXPECT_FALSE(t().F_CmdStampa->isEnabled());
    EXPECT_TRUE(t().F_FrmOpzioni->isEnabled());
    EXPECT_EQ(pulsantiRiga(), "010000");
    // No item of the case file changed meanwhile.
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze").toInt(), 8);
}

TEST_F(RigheFattura, ANewLineBelongsToTheTaskAndJobOfTheLineSelected) {
    apri();
    applica(t().F_OptPerOgniVoce);
    preparaVicinoA(4, "ONO");  // SPE, task 0001 job 0001
    EXPECT_EQ(fattura().RigaFatturaInCorso.Ntask, "0001");
    EXPECT_EQ(fattura().RigaFatturaInCorso.Njob, "0001");
    clic(t().F_CmdAggiungi);
    const RigaFattura& nuova = fattura().RigheFattura.riga(7);
    EXPECT_EQ(nuova.ntask, "0001");
    EXPECT_EQ(nuova.njob, "0001");
    EXPECT_EQ(nuova.data, QDate::currentDate());
    // Away from its task's lines, it shows under headings of its own.
    EXPECT_EQ(codici().mid(15), (QStringList{"I.0001", "L.0001", "E.ONO"}));
}

TEST_F(RigheFattura, RemovingTheOnlyLineReturnsTheTabToItsInitialState) {
    apri();
    applica(t().F_OptAnticipazioni);
    clicRiga(rigaDellaLinea(1));
    clic(t().F_CmdTogli);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);
    EXPECT_TRUE(codici().isEmpty());
    EXPECT_FALSE(t().F_CmdStampa->isEnabled());
    EXPECT_TRUE(t().F_FrmOpzioni->isEnabled());
    // With no line current, TOGLI does nothing.
    t().F_CmdTogli->setEnabled(true);
    clic(t().F_CmdTogli);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);
}

TEST_F(RigheFattura, TogliDoesNothingWithoutARealLineSelected) {
    apri();
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(2));
    fattura().RigaCorrente = 9;  // left past the table
    clic(t().F_CmdTogli);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 6);
}

TEST_F(RigheFattura, AHeadingClickMarksTheRowAndClearsTheFields) {
    apri();
    applica(t().F_OptIncaricoFinito);  // I.0001, L.0000, E.ORE, L.0001, E.SPE
    clicRiga(3);
    ASSERT_EQ(fattura().RigaCorrente, 1);
    clicRiga(4);
    EXPECT_EQ(t().F_FlxFattura->cellBackColor(4, 0), ui::bgr(ui::BgrYellow));
    EXPECT_EQ(t().F_FlxFattura->cellBackColor(3, 0), ui::bgr(ui::BgrWhite));
    EXPECT_EQ(pulsantiRiga(), "010000");
    EXPECT_TRUE(t().F_DbcElemento->currentText().isEmpty());
    EXPECT_EQ(fattura().RigaCorrente, 1);
    EXPECT_EQ(fattura().RigaFatturaInCorso.Modo, 0);
    // An empty row changes nothing.
    clicRiga(10);
    EXPECT_EQ(fattura().RigaCorrente, 1);
    EXPECT_EQ(t().F_FlxFattura->cellBackColor(4, 0), ui::bgr(ui::BgrYellow));
}

TEST_F(RigheFattura, ALineWhoseElementWasDeletedLoadsNothingAndLeavesNothingOfThePreviousLine) {
    apri();
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(3));
    ASSERT_EQ(fattura().RigaFatturaInCorso.Modo, 1);
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, "Sono stati cancellati elementi usati in fascola");
    clicRiga(rigaDellaLinea(6));  // ZZZ
    EXPECT_EQ(pulsantiRiga(), "010000");
    EXPECT_TRUE(t().F_DbcElemento->currentText().isEmpty());
    EXPECT_TRUE(t().F_TxtDescrizione->text().isEmpty());
    EXPECT_EQ(fattura().RigaFatturaInCorso.Modo, 0);
    EXPECT_EQ(t().F_FlxFattura->cellBackColor(rigaDellaLinea(3), 0), ui::bgr(ui::BgrWhite));
}

TEST_F(RigheFattura, TheLineInHandIsATableLineOnlyWhileLoadedFromTheGrid) {
    apri();
    applica(t().F_OptPerOgniVoce);
    const auto modo = [&] { return fattura().RigaFatturaInCorso.Modo; };
    clicRiga(rigaDellaLinea(1));
    EXPECT_EQ(modo(), 1);
    clic(t().F_CmdAnnulla);
    EXPECT_EQ(modo(), 0);
    clicRiga(rigaDellaLinea(1));
    clic(t().F_CmdAnnulla);
    scegliElemento("ONO");
    EXPECT_EQ(modo(), 0);
    inserisciDalMenu(rigaDellaLinea(1), t().F_mnuRigaSotto);
    EXPECT_EQ(modo(), 0);
    clicRiga(rigaDellaLinea(2));
    clic(t().F_CmdTogli);
    EXPECT_EQ(modo(), 0);
    clicRiga(rigaDellaLinea(2));
    clic(t().F_CmdVuota);
    EXPECT_EQ(modo(), 0);
}

// Defaults proposed while a line of the table is in hand start a new line: the detail dialog
// then writes into no line of the table.
TEST_F(RigheFattura, NewDefaultsLetGoOfTheTableLineInHand) {
    apri();
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(1));
    ASSERT_EQ(fattura().RigaFatturaInCorso.Modo, 1);
    // The element box is closed while a line is in hand: the defaults are asked for as leaving
    // the box asks for them.
    t().F_DbcElemento->setEditText("ONO");
    t().F_DbcDescrizione->setEditText({});
    t().DefinizioneDefaultFattura(SceltaElemento::PerCodice);
    EXPECT_EQ(pulsantiRiga(), "111100");
    EXPECT_FALSE(t().F_DbcDescrizione->currentText().isEmpty());
    EXPECT_EQ(fattura().RigaFatturaInCorso.Modo, 0);
}

TEST_F(RigheFattura, TheChecksOfALineSpeakAndKeepTheTableAsItWas) {
    apri();
    applica(t().F_OptNessunaSelezione);
    {
        // AGGIUNGI is not offered before an element is chosen: the check itself.
        EXPECT_FALSE(t().F_CmdAggiungi->isEnabled());
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Bisogna definire un codice elemento da fatturare");
        EXPECT_FALSE(t().VerificaDatiFattura());
    }
    scegliElemento("ORE");
    scrivi(t().F_TxtDescrizione, "");
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Si deve definire una descrizione per l'elemento");
        clic(t().F_CmdAggiungi);
        EXPECT_TRUE(t().F_TxtDescrizione->hasFocus());
    }
    scrivi(t().F_TxtDescrizione, "Ore");
    scrivi(t().F_TxtFattore, "");
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Definire il campo fattore");
        clic(t().F_CmdAggiungi);
        EXPECT_TRUE(t().F_TxtFattore->hasFocus());
    }
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);

    // An amount that is no number in figures is named; the table stays.
    scrivi(t().F_TxtFattore, "2");
    scrivi(t().F_TxtImporto, "1-2-3");
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Bisogna definire in cifre l'importo nel campo dir. unitario");
        clic(t().F_CmdAggiungi);
        EXPECT_TRUE(t().F_TxtImporto->hasFocus());
    }
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);

    // An empty amount to invoice is 0,00 and passes.
    scrivi(t().F_TxtImporto, "12,50");
    scrivi(t().F_TxtImpofatt, "");
    clic(t().F_CmdAggiungi);
    ASSERT_EQ(fattura().RigheFattura.NumeroRighe(), 1);
    EXPECT_EQ(fattura().RigheFattura.riga(1).impofat, Currency());
}

TEST_F(RigheFattura, AnElementChosenByDescriptionOrUnknown) {
    apri();
    applica(t().F_OptNessunaSelezione);
    scrivi(t().F_DbcDescrizione, "Ore di lavoro");
    entra(t().F_FlxFattura);
    EXPECT_EQ(t().F_DbcElemento->currentText(), "ORE");
    EXPECT_EQ(t().F_TxtImporto->text(), "12,50");
    clic(t().F_CmdAnnulla);

    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, "Attenzione: situazione anomala, il codice elemento inserito non esiste");
    scegliElemento("XYZ");
    EXPECT_FALSE(t().F_CmdAggiungi->isEnabled());
}

TEST_F(RigheFattura, ThePopUpMenuNeedsAgiungiAndAClickedRow) {
    apri();
    applica(t().F_OptPerOgniVoce);
    scegliElemento("ONO");
    clicRiga(2, Qt::RightButton);  // no row of the grid clicked yet
    EXPECT_FALSE(t().mnurapido->isVisible());
    clicRiga(rigaDellaLinea(1));
    clicRiga(rigaDellaLinea(1), Qt::RightButton);  // AGGIUNGI is off with a line loaded
    EXPECT_FALSE(t().mnurapido->isVisible());
}

TEST_F(RigheFattura, TheButtonMaskIsPaddedAndCutAndWrittenBack) {
    apri();
    const struct {
        QString maschera, riscritta, pulsanti;
    } casi[] = {
        {"111111", "111111000000", "111111"},
        {"1", "1000000", "100000"},
        {"11111199", "111111000000", "111111"},
        {"**0*1x", "**0*1x000000", "110110"},
    };
    QString m = "111111";
    t().F_AbilitaPulsanti(m);
    for (const auto& c : casi) {
        QString maschera = c.maschera;
        t().F_AbilitaPulsanti(maschera);
        EXPECT_EQ(maschera, c.riscritta);
        EXPECT_EQ(pulsantiRiga(), c.pulsanti) << c.maschera.toStdString();
    }
}

}  // namespace
