#include "fees/forms/FrmDettaglioElemento.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "fees/forms/CompetenzeFixture.h"
#include "support/ModalHelper.h"

namespace {

using competenze_in_uso::CompetenzeFixture;

DettaglioCompetenzaRec dettaglio(const QString& dare, const QString& avere, const QString& ricavi) {
    DettaglioCompetenzaRec d;
    d.primanota = true;
    d.darepn = dare;
    d.averepn = avere;
    d.idpn = "PN0042";
    d.fatturato = false;
    d.ricavi = ricavi;
    d.idfattura = "00010402010001";
    d.spuntato = false;
    d.elemento = "ONO";
    d.DescrizioneElemento = "Onorario";
    return d;
}

class DettaglioElemento : public CompetenzeFixture {};

// Not linked: there is no chart to look an account up in. The combos open empty and offer
// nothing, and passing through them keeps the accounts; the close box writes back too.
TEST_F(DettaglioElemento, NotLinkedTheAccountsStayAndTheCloseBoxWrites) {
    apri();
    DettaglioCompetenzaRec r = dettaglio("01.01.01.0001", "04.01.01.0001", "04.01.01.0002");
    FrmDettaglioElemento d(r, &finestra);
    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_EQ(d.windowTitle(), "Dettaglio Elemento in Competenza");
    EXPECT_EQ(d.DC_LblCodiceElemento->text(), "ONO");
    EXPECT_EQ(d.DC_LblDescrizioneElemento->text(), "Onorario");
    EXPECT_TRUE(d.DC_ChkPrimanota->isChecked());
    EXPECT_TRUE(d.DC_ChkPrimanota->hasFocus());
    EXPECT_FALSE(d.DC_ChkFatturato->isChecked());
    EXPECT_EQ(d.DC_LblIdpn->text(), "PN0042");
    EXPECT_EQ(d.DC_LbLIdfattura->text(), "00010402010001");
    EXPECT_EQ(d.DC_LblDarepn->text(), "01.01.01.0001");
    for (ui::RefillCombo* c : {d.DC_DbcDarepn, d.DC_DbcAverepn, d.DC_DbcRicavi}) {
        EXPECT_TRUE(c->currentText().isEmpty());
        entra(c);
        EXPECT_EQ(c->count(), 0);
    }
    scrivi(d.DC_DbcRicavi, "Onorari");
    entra(d.DC_ChkSpuntato);
    EXPECT_EQ(d.DC_LblRicavi->text(), "04.01.01.0002");

    clic(d.DC_ChkSpuntato);
    clic(d.DC_ChkPrimanota);
    d.close();
    EXPECT_FALSE(r.primanota);
    EXPECT_TRUE(r.spuntato);
    EXPECT_EQ(r.darepn + r.averepn + r.ricavi, "01.01.01.000104.01.01.000104.01.01.0002");
    EXPECT_EQ(r.idpn, "PN0042");  // shown, never changed
    EXPECT_EQ(r.idfattura, "00010402010001");
    EXPECT_EQ(r.elemento, "ONO");
}

// Linked: each account shows its description; one the chart does not hold opens empty and
// keeps its code unless the user names another; a description of no account empties the code.
TEST_F(DettaglioElemento, LinkedTheAccountsAreChosenByDescription) {
    apri(true);
    DettaglioCompetenzaRec r = dettaglio("01.02.01.0001", "09.09.09.0009", "04.01.01.0001");
    FrmDettaglioElemento d(r, &finestra);
    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_EQ(d.DC_DbcDarepn->currentText(), "Cassa contanti");
    EXPECT_TRUE(d.DC_DbcAverepn->currentText().isEmpty());
    EXPECT_EQ(d.DC_LblAverepn->text(), "09.09.09.0009");
    EXPECT_EQ(d.DC_DbcRicavi->currentText(), "Onorari");

    entra(d.DC_DbcRicavi);  // the postable accounts of nature "P", never a heading
    EXPECT_GT(d.DC_DbcRicavi->count(), 0);
    EXPECT_GE(d.DC_DbcRicavi->findText("Rimborsi spese"), 0);
    EXPECT_LT(d.DC_DbcRicavi->findText("RICAVI"), 0);
    scrivi(d.DC_DbcRicavi, "Rimborsi spese");
    entra(d.DC_DbcAverepn);  // passed through without a change
    scrivi(d.DC_DbcDarepn, "Nessun conto");
    clic(d.DC_CmdNascondi);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(r.ricavi, "04.01.01.0002");
    EXPECT_EQ(r.averepn, "09.09.09.0009");
    EXPECT_TRUE(r.darepn.isEmpty());
}

// What the dialog changes reaches the fee item with the next correction, and the new item's
// defaults with its addition.
TEST_F(DettaglioElemento, TheDetailsAreStoredWithTheNextCommand) {
    apri();
    scegli("ONO");
    EXPECT_EQ(t().Dettaglio().ricavi, "04.01.01.0002");
    ModalHelper modale;
    modale.onNextModal([](QWidget* w) {
        auto* d = qobject_cast<FrmDettaglioElemento*>(w);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->DC_LblCodiceElemento->text(), "ONO");
        d->DC_ChkSpuntato->setChecked(true);
        d->close();
    });
    clic(t().C_CmdVediAltriDati);
    EXPECT_EQ(modale.pending(), 0);
    clic(t().C_CmdAggiungi);
    EXPECT_EQ(riga("0000", "0000", "ONO"),
              "Onorario|" + oggiIso() + "|0|100|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||1|30|0|");

    clicRiga(1);
    modale.onNextModal([](QWidget* w) {
        auto* d = qobject_cast<FrmDettaglioElemento*>(w);
        ASSERT_TRUE(d);
        EXPECT_TRUE(d->DC_ChkSpuntato->isChecked());
        d->DC_ChkSpuntato->setChecked(false);
        d->DC_ChkFatturato->setChecked(true);
        d->DC_CmdNascondi->click();
    });
    clic(t().C_CmdVediAltriDati);
    clic(t().C_CmdCorreggi);
    EXPECT_EQ(riga("0000", "0000", "ONO"),
              "Onorario|" + oggiIso() + "|0|100|0|01.01.01.0001|04.01.01.0001||1|04.01.01.0002||0|30|0|");
    // Now invoiced, it cannot be corrected any more.
    clicRiga(1);
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, "L'elemento risulta già fatturato, non può essere corretto");
    clic(t().C_CmdCorreggi);
}

// Linked: the payment combo offers the accounting archive's payment codes, and an element paid
// on the client's own terms proposes the client's code there.
TEST_F(DettaglioElemento, LinkedThePaymentComesFromTheClientsAccount) {
    apri(true);
    fascole.db().execute("UPDATE elefat SET pagamento = 1 WHERE codice = 'ONO'");
    scegli("ONO");
    EXPECT_EQ(t().C_DbcPagamento->currentText(), "R30");
    clicRiga(1);  // nothing stored yet: an empty line
    scegli("ORE");
    EXPECT_EQ(t().C_DbcPagamento->currentText(), "R30");  // both combos filled: nothing new applies
    clic(t().C_CmdVuota);
    scegli("ORE");
    EXPECT_EQ(t().C_DbcPagamento->currentText(), "30");
    t().C_DbcPagamento->setEnabled(true);
    entra(t().C_DbcPagamento);
    QStringList codici;
    for (int i = 0; i < t().C_DbcPagamento->count(); ++i) codici << t().C_DbcPagamento->itemText(i);
    EXPECT_EQ(codici, (QStringList{"B90", "R30", "R60", "RD"}));
}

}  // namespace
