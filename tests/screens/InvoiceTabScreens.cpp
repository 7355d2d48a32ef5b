// Pictures of the invoice tab and its dialogs, on the sample case file to bill.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>

#include "invoice/forms/FrmDatiClienteFattura.h"
#include "invoice/forms/FrmDettElemFattura.h"
#include "invoice/forms/FrmNoteFattura.h"
#include "invoice/forms/TabFatturaFixture.h"

namespace {

void salva(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
}

class InvoiceTabScreens : public tab_fattura::TabFatturaFixture {};

// Every unbilled item of the case file under its task and job headings, with the totals.
TEST_F(InvoiceTabScreens, SelectionOfEveryItem) {
    apri();
    salva(finestra, "FrmFascola_fattura_iniziale.png");
    applica(t().F_OptPerOgniVoce);
    salva(finestra, "FrmFascola_fattura_ogni_voce.png");
    clicRiga(rigaDellaLinea(3));
    salva(finestra, "FrmFascola_fattura_riga_caricata.png");
}

// Linked, every item with the national regime: the item whose element left the catalogue
// shows that it has no VAT code.
TEST_F(InvoiceTabScreens, LinkedItemWithoutAVatCode) {
    apri("0001", true);
    applica(t().F_OptPerOgniVoce);
    clic(finestra.OptIvaInter);
    t().F_FlxFattura->scrollToBottom();
    salva(finestra, "FrmFascola_fattura_codice_iva_mancante.png");
}

TEST_F(InvoiceTabScreens, MonthBoxOfTheEndOfMonthSelection) {
    apri();
    clic(t().F_OptFineMese);
    QTest::keyClicks(t().F_TxtMese, "3");
    salva(finestra, "FrmFascola_fattura_fine_mese.png");
}

// An invoice composed by hand: a unit-price line being prepared, and the grid's pop-up menu
// of insertion places.
TEST_F(InvoiceTabScreens, LineEditing) {
    apri();
    applica(t().F_OptNessunaSelezione);
    scegliElemento("ONO");
    clic(t().F_CmdAggiungi);
    scegliElemento("SPE");
    importo(t().F_TxtImporto, "12");
    importo(t().F_TxtImpofatt, "12");
    clic(t().F_CmdAggiungi);
    clicRiga(rigaDellaLinea(1));
    clic(t().F_CmdAnnulla);
    scegliElemento("ORE");
    importo(t().F_TxtFattore, "3");
    salva(finestra, "FrmFascola_fattura_nuova_riga.png");
    clicRiga(rigaDellaLinea(1), Qt::RightButton);
    ASSERT_TRUE(t().mnurapido->isVisible());
    salva(*t().mnurapido, "FrmFascola_fattura_mnurapido.png");
    t().F_mnuRigaSotto->trigger();
    t().mnurapido->hide();
    salva(finestra, "FrmFascola_fattura_inserita_sotto.png");
}

// The three dialogs of the invoice tab, linked to the accounting archive.
TEST_F(InvoiceTabScreens, Dialogs) {
    apri("0001", true);
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(3));
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "inserire un codice esistente");
        fattura().RigaFatturaInCorso.Descrizione = t().F_DbcDescrizione->currentText();
        FrmDettElemFattura d(cliente, "0001", &finestra);
        d.show();
        QApplication::setActiveWindow(&d);
        scrivi(d.DbcIva, "20");
        entra(d.DbcPagamento);
        scrivi(d.DbcPagamento, "R30");
        entra(d.CmdContinua);
        salva(d, "FrmDettElemFattura.png");
    }
    {
        DatiClienteFattura().Nome = "Rossi Mario S.r.l.";
        DatiClienteFattura().SoggettoIva = false;
        DatiClienteFattura().MotivoEsenzione = "Art. 10 DPR 633/72";
        FrmDatiClienteFattura d(&finestra);
        d.show();
        salva(d, "FrmDatiClienteFattura.png");
    }
    {
        NoteFattura().Nota1 = "Pagamento a mezzo bonifico bancario";
        NoteFattura().Nota2 = "IBAN IT00 X000 0000 0000 0000 0000 000";
        FrmNoteFattura d(&finestra);
        d.ChkNota[0]->setChecked(true);
        d.show();
        salva(d, "FrmNoteFattura.png");
    }
}

}  // namespace
