// Pictures of the invoice tab and its dialogs, on the sample case file to bill.
#include <gtest/gtest.h>

#include <QDir>

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

}  // namespace
