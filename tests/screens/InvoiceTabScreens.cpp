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

}  // namespace
