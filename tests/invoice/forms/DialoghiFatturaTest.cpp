#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QTest>
#include <QApplication>

#include "foundation/engine/DatiCliente.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/ImportiDocumento.h"
#include "invoice/forms/FrmDatiClienteFattura.h"
#include "invoice/forms/FrmDettElemFattura.h"
#include "invoice/forms/FrmNoteFattura.h"
#include "invoice/forms/TabFatturaFixture.h"
#include "platform/system/BasicRuntime.h"
#include "support/ModalHelper.h"

namespace {

using tab_fattura::TabFatturaFixture;

class DialoghiFattura : public TabFatturaFixture {
protected:
    // The dialog shown and active, as the button would show it.
    template <class D>
    static void mostra(D& dialogo) {
        dialogo.show();
        QApplication::setActiveWindow(&dialogo);
    }
    // Types into a combo and leaves it for `poi`.
    static void scriviELascia(QComboBox* combo, const QString& testo, QWidget* poi) {
        scrivi(combo, testo);
        entra(poi);
    }
};

// --- Line detail.

TEST_F(DialoghiFattura, TheDetailOfALineLoadedFromTheGridGoesIntoThatLineAndTheTotalsFollow) {
    apri();
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(3));  // ORE, task 0001, EU VAT code 4
    ASSERT_EQ(t().F_LblIva->text(), "4,00");

    ModalHelper modali;
    modali.onNextModal([&](QWidget* w) {
        auto& d = *qobject_cast<FrmDettElemFattura*>(w);
        QApplication::setActiveWindow(&d);
        EXPECT_EQ(d.windowTitle(), "DETTAGLIO ELEMENTO IN FATTURA");
        EXPECT_EQ(d.LblElemento->text(), "Ore di lavoro");
        EXPECT_EQ(d.DbcNtask->currentText(), "0001");
        EXPECT_EQ(d.DbcNjob->currentText(), "0000");
        EXPECT_EQ(d.LblDarePn->text(), "01.01.01.0001");
        EXPECT_EQ(d.LblRicavi->text(), "04.01.01.0001");
        EXPECT_TRUE(d.DbcDarePn->currentText().isEmpty());  // no chart of accounts unlinked
        EXPECT_EQ(d.DbcPagamento->currentText(), "30");
        EXPECT_EQ(d.DbcIva->currentText(), "4");
        EXPECT_FALSE(d.ChkIvaBloccata->isChecked());
        EXPECT_TRUE(d.LblDescrizione->text().isEmpty());
        EXPECT_EQ(d.DbcNtask->count(), 2);  // the case file's tasks, listed on entering

        scriviELascia(d.DbcNjob, "0001", d.DbcDarePn);
        // Unlinked, leaving an account combo keeps the line's account.
        entra(d.DbcRicavi);
        scriviELascia(d.DbcPagamento, "60", d.DbcIva);
        scriviELascia(d.DbcIva, "10", d.ChkIvaBloccata);
        EXPECT_EQ(d.LblDarePn->text(), "01.01.01.0001");
        EXPECT_TRUE(d.LblDescrizione->text().isEmpty());
        clic(d.ChkIvaBloccata);
        clic(d.CmdContinua);
    });
    clic(t().F_CmdVediAltriDati);

    const RigaFattura& ore = fattura().RigheFattura.riga(3);
    EXPECT_EQ(ore.njob, "0001");
    EXPECT_EQ(ore.pagamento, "60");
    EXPECT_EQ(ore.CodiceIva, "10");
    EXPECT_TRUE(ore.IvaBloccata);
    EXPECT_EQ(ore.darepn, "01.01.01.0001");
    EXPECT_EQ(ore.ricavi, "04.01.01.0001");
    EXPECT_EQ(fattura().RigaFatturaInCorso.CodiceIva, "10");
    // The grid is shown again: the line joins the job's heading, and the VAT total is the
    // one the document will carry.
    EXPECT_EQ(codici().mid(4, 5), (QStringList{"I.0001", "L.0001", "E.ORE", "E.SPE", "I.0002"}));
    EXPECT_EQ(t().F_LblIva->text(), "5,50");
    LettoreAliquoteIva aliquote;
    EXPECT_EQ(basic::Format(CalcoloRiepilogoIva(fattura().RigheFattura, aliquote)->TotaleIva, "#,###,##0.00"),
              t().F_LblIva->text());
    // A code fixed by hand survives the regime switch.
    clic(finestra.OptIvaInter);
    EXPECT_EQ(fattura().RigheFattura.riga(3).CodiceIva, "10");
}

TEST_F(DialoghiFattura, TheDetailOfALineBeingComposedWritesIntoNoLineOfTheTable) {
    apri();
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(3));
    clic(t().F_CmdAnnulla);
    scegliElemento("ONO");
    ASSERT_EQ(fattura().RigaCorrente, 3);
    {
        FrmDettElemFattura d(cliente, "0001", &finestra);
        mostra(d);
        EXPECT_EQ(d.DbcNtask->currentText(), "0001");  // the task of the line selected
        EXPECT_EQ(d.DbcIva->currentText(), "20");       // the element's ordinary code
        scriviELascia(d.DbcIva, "10", d.ChkIvaBloccata);
        clic(d.ChkIvaBloccata);
        clic(d.CmdContinua);
        EXPECT_FALSE(d.RigaScritta());
    }
    EXPECT_EQ(fattura().RigheFattura.riga(3).CodiceIva, "4");
    EXPECT_FALSE(fattura().RigheFattura.riga(3).IvaBloccata);
    EXPECT_EQ(fattura().RigaFatturaInCorso.CodiceIva, "10");

    // The new line takes the values when it is added, and keeps its fixed code.
    clic(t().F_CmdAggiungi);
    const RigaFattura& nuova = fattura().RigheFattura.riga(7);
    EXPECT_EQ(nuova.elemento, "ONO");
    EXPECT_EQ(nuova.CodiceIva, "10");
    EXPECT_TRUE(nuova.IvaBloccata);
}

TEST_F(DialoghiFattura, ClosingTheDetailByItsBoxChangesNothing) {
    apri();
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(2));
    const RigaFatturaInCorsoRec prima = fattura().RigaFatturaInCorso;
    {
        FrmDettElemFattura d(cliente, "0001", &finestra);
        mostra(d);
        scriviELascia(d.DbcIva, "99", d.ChkIvaBloccata);
        clic(d.ChkIvaBloccata);
        d.close();
        EXPECT_FALSE(d.RigaScritta());
    }
    EXPECT_EQ(fattura().RigaFatturaInCorso.CodiceIva, prima.CodiceIva);
    EXPECT_EQ(fattura().RigaFatturaInCorso.IvaBloccata, prima.IvaBloccata);
    EXPECT_EQ(fattura().RigheFattura.riga(2).CodiceIva, "0");
}

// Not linked, the VAT code is the rate: one mistyped ("2O" with a letter O) would bill the
// figures picked out of it, and one of 100 or more, or below 0, a VAT no document bears ("1.000"
// is a thousand percent, as the line bills it), so CONTINUA refuses them, saying which fault it
// is (a rate out of range as the catalogue says it), and the line keeps its VAT.
TEST_F(DialoghiFattura, NotLinkedAVatCodeThatIsNoRateInFiguresBelowAHundredIsRefused) {
    apri();
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(3));  // ORE, EU VAT code 4
    FrmDettElemFattura d(cliente, "0001", &finestra);
    mostra(d);
    clic(d.ChkIvaBloccata);
    const QString fuoriMisura = "l'aliquota iva va espressa in valore percentuale positivo <100";
    const struct {
        const char* codice;
        QString messaggio;
    } rifiuti[] = {
        {"2O", MessaggioAliquotaNonInCifre},  {"E10", MessaggioAliquotaNonInCifre},
        {"1-2", MessaggioAliquotaNonInCifre}, {"22 %", MessaggioAliquotaNonInCifre},
        {"150", fuoriMisura},                 {"-22", fuoriMisura},
        {"100", fuoriMisura},                 {"1.000", fuoriMisura},
        {"22.000", fuoriMisura},
    };
    for (const auto& [codice, messaggio] : rifiuti) {
        SCOPED_TRACE(codice);
        scriviELascia(d.DbcIva, codice, d.ChkIvaBloccata);
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, messaggio);
        clic(d.CmdContinua);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.DbcIva->hasFocus());
        EXPECT_FALSE(d.RigaScritta());
        EXPECT_EQ(fattura().RigheFattura.riga(3).CodiceIva, "4");
    }
    // A rate in figures, or a code without digits for a line without VAT, is taken.
    for (const char* codice : {"10,5", "ES", "22", "0", "99,99", "12.5"}) {
        scriviELascia(d.DbcIva, codice, d.ChkIvaBloccata);
        clic(d.CmdContinua);
        EXPECT_EQ(fattura().RigheFattura.riga(3).CodiceIva, codice);
        mostra(d);
    }
    EXPECT_TRUE(fattura().RigheFattura.riga(3).IvaBloccata);
}

// Not linked, the payment is a number of days, as in a client's price list: a term that would
// fall due 305 days after the invoice for "30.5" is refused, the focus back on its box.
TEST_F(DialoghiFattura, NotLinkedAPaymentThatIsNoWholeNumberOfDaysIsRefused) {
    apri();
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(3));  // ORE, payment 30
    FrmDettElemFattura d(cliente, "0001", &finestra);
    mostra(d);
    for (const char* pagamento : {"30.5", "60.0", "-30", "30,0", "3O", "30 gg"}) {
        SCOPED_TRACE(pagamento);
        scriviELascia(d.DbcPagamento, pagamento, d.DbcIva);
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "La scadenza deve essere indicata in numero di giorni");
        clic(d.CmdContinua);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.DbcPagamento->hasFocus());
        EXPECT_FALSE(d.RigaScritta());
        EXPECT_EQ(fattura().RigheFattura.riga(3).pagamento, "30");
    }
    // Days in digits, or no payment at all, are taken.
    for (const char* pagamento : {"60", "0", ""}) {
        scriviELascia(d.DbcPagamento, pagamento, d.DbcIva);
        clic(d.CmdContinua);
        EXPECT_EQ(fattura().RigheFattura.riga(3).pagamento, pagamento);
        mostra(d);
    }
}

TEST_F(DialoghiFattura, LinkedTheAccountsShowByDescriptionAndTheirCodesFollowTheChoice) {
    apri("0001", true);
    applica(t().F_OptPerOgniVoce);
    clicRiga(rigaDellaLinea(3));  // ORE: debit and revenue accounts, no credit account
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, "inserire un codice esistente");
    FrmDettElemFattura d(cliente, "0001", &finestra);
    mostra(d);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(d.DbcDarePn->currentText(), "Rossi Mario S.r.l.");
    EXPECT_EQ(d.DbcRicavi->currentText(), "Onorari");
    EXPECT_TRUE(d.DbcAverePn->currentText().isEmpty());
    EXPECT_TRUE(d.LblAverePn->text().isEmpty());

    // A description chosen gives its code; one left as shown keeps the code; one that
    // names no account gives none.
    entra(d.DbcRicavi);
    EXPECT_GE(d.DbcRicavi->findText("Rimborsi spese"), 0);
    scriviELascia(d.DbcRicavi, "Rimborsi spese", d.DbcDarePn);
    EXPECT_EQ(d.LblRicavi->text(), "04.01.01.0002");
    entra(d.DbcAverePn);
    EXPECT_EQ(d.LblDarePn->text(), "01.01.01.0001");
    scriviELascia(d.DbcAverePn, "Nessun conto", d.DbcPagamento);
    EXPECT_TRUE(d.LblAverePn->text().isEmpty());

    EXPECT_EQ(d.DbcPagamento->findText("R30"), 1);
    scriviELascia(d.DbcPagamento, "R30", d.DbcIva);
    EXPECT_EQ(d.LblPagamento->text(), "Ricevuta bancaria 30 gg d.f. ");
    scriviELascia(d.DbcIva, "XX", d.ChkIvaBloccata);
    EXPECT_EQ(d.LblDescrizione->text(), "NON DEFINITO");
    scriviELascia(d.DbcIva, "20", d.ChkIvaBloccata);
    EXPECT_EQ(d.LblDescrizione->text(), "Aliquota ordinaria 20%   ");

    // The job list of no task chosen is that of task "0000".
    scrivi(d.DbcNtask, "");
    entra(d.DbcNjob);
    EXPECT_EQ(d.DbcNtask->currentText(), "0000");
    EXPECT_EQ(d.DbcNjob->count(), 0);
    scriviELascia(d.DbcNtask, "0001", d.DbcNjob);
    EXPECT_EQ(d.DbcNjob->count(), 1);

    clic(d.CmdContinua);
    const RigaFattura& ore = fattura().RigheFattura.riga(3);
    EXPECT_EQ(ore.ricavi, "04.01.01.0002");
    EXPECT_EQ(ore.darepn, "01.01.01.0001");
    EXPECT_TRUE(ore.averepn.isEmpty());
    EXPECT_EQ(ore.pagamento, "R30");
    EXPECT_EQ(ore.CodiceIva, "20");
}

// --- Client data.

TEST_F(DialoghiFattura, TheClientDataOfTheDocumentRoundTrip) {
    apri();
    applica(t().F_OptNessunaSelezione);
    ModalHelper modali;
    modali.onNextModal([&](QWidget* w) {
        auto& d = *qobject_cast<FrmDatiClienteFattura*>(w);
        EXPECT_EQ(d.windowTitle(), "DATI CLIENTE SU FATTURA");
        EXPECT_EQ(d.LblRagioneSociale->text(), "Rossi Mario");
        EXPECT_EQ(d.TxtVia->text(), "Via Roma 1");
        EXPECT_EQ(d.TxtCap->text(), "00184");
        EXPECT_EQ(d.TxtLocalita->text(), "Roma");
        EXPECT_EQ(d.TxtProvincia->text(), "RM");
        EXPECT_EQ(d.TxtPI->text(), "01234567890");
        EXPECT_TRUE(d.TxtCF->text().isEmpty());
        EXPECT_TRUE(d.Optsoggetto->isChecked());
        EXPECT_TRUE(d.TxtPercheEsente->text().isEmpty());
        QApplication::setActiveWindow(&d);
        scrivi(d.TxtVia, "Via Milano 2");
        scrivi(d.TxtCF, "RSSMRA70A01H501X");
        clic(d.OptEsente);
        scrivi(d.TxtPercheEsente, "Art. 10");
        clic(d.CmdContinua);
    });
    clic(t().F_CmdDatiCliente);
    const DatiClienteFatturaRec& dati = DatiClienteFattura();
    EXPECT_EQ(dati.Indirizzo, "Via Milano 2");
    EXPECT_EQ(dati.CodiceFiscale, "RSSMRA70A01H501X");
    EXPECT_EQ(dati.Cap, "00184");
    EXPECT_FALSE(dati.SoggettoIva);
    EXPECT_EQ(dati.MotivoEsenzione, "Art. 10");

    {
        FrmDatiClienteFattura d(&finestra);
        EXPECT_TRUE(d.OptEsente->isChecked());
        EXPECT_EQ(d.TxtPercheEsente->text(), "Art. 10");
        // The box closed after changes: nothing is taken.
        mostra(d);
        scrivi(d.TxtVia, "Altra via");
        d.close();
    }
    EXPECT_EQ(dati.Indirizzo, "Via Milano 2");
    {
        // Subject to VAT: a reason typed is dropped.
        FrmDatiClienteFattura d(&finestra);
        mostra(d);
        clic(d.Optsoggetto);
        clic(d.CmdContinua);
    }
    EXPECT_TRUE(dati.SoggettoIva);
    EXPECT_TRUE(dati.MotivoEsenzione.isEmpty());
    EXPECT_TRUE(FrmDatiClienteFattura(&finestra).TxtPercheEsente->text().isEmpty());

    // Another case file on display reads the registry again.
    clic(m().DtaSelezionatiFascola->Precedente);
    EXPECT_EQ(dati.Indirizzo, "Via Roma 1");
    EXPECT_TRUE(dati.CodiceFiscale.isEmpty());
}

// --- Notes.

TEST_F(DialoghiFattura, ANoteMarkedCostanteIsThereAfterTheNextStart) {
    fascole.setParameters({{"nota1", "Nota fissa"}});
    apri();
    ASSERT_EQ(NoteFattura().Nota1, "Nota fissa");
    applica(t().F_OptNessunaSelezione);
    ModalHelper modali;
    modali.onNextModal([&](QWidget* w) {
        auto& d = *qobject_cast<FrmNoteFattura*>(w);
        EXPECT_EQ(d.windowTitle(), "NOTE ALLA FATTURA");
        EXPECT_EQ(d.TxtNota[0]->text(), "Nota fissa");
        QApplication::setActiveWindow(&d);
        scrivi(d.TxtNota[0], "Solo per questa fattura");
        scrivi(d.TxtNota[1], "Pagamento a mezzo bonifico");
        scrivi(d.TxtNota[2], "Terza");
        clic(d.ChkNota[1]);
        clic(d.ChkNota[3]);  // an empty note marked: kept empty
        clic(d.CmdContinua);
    });
    clic(t().F_CmdNote);
    EXPECT_EQ(NoteFattura().Nota1, "Solo per questa fattura");
    EXPECT_EQ(NoteFattura().Nota2, "Pagamento a mezzo bonifico");
    EXPECT_EQ(NoteFattura().Nota3, "Terza");
    EXPECT_TRUE(NoteFattura().Nota4.isEmpty());

    {
        // Reopened: the notes last confirmed, every box cleared; leaving without saving
        // keeps them.
        FrmNoteFattura d(&finestra);
        EXPECT_EQ(d.TxtNota[2]->text(), "Terza");
        for (QCheckBox* c : d.ChkNota) EXPECT_FALSE(c->isChecked());
        EXPECT_EQ(d.TxtNota[0]->maxLength(), 60);
        mostra(d);
        scrivi(d.TxtNota[2], "Cambiata");
        clic(d.CmdEsci);
    }
    EXPECT_EQ(NoteFattura().Nota3, "Terza");

    // The next start reads the notes from the parameters row.
    RipristinaAmbiente();
    FrmFascola nuova;
    nuova.Form_Load(cartella.path());
    EXPECT_EQ(NoteFattura().Nota1, "Nota fissa");
    EXPECT_EQ(NoteFattura().Nota2, "Pagamento a mezzo bonifico");
    EXPECT_TRUE(NoteFattura().Nota3.isEmpty());
    EXPECT_TRUE(NoteFattura().Nota4.isEmpty());
}

TEST_F(DialoghiFattura, WithoutTheParametersRowTheNotesAreTakenButNotKept) {
    apri();
    fascole.db().execute("DELETE FROM ambientefascola");
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok,
                      "La prima volta, prima di inizializzare le note, inizializzare i parametri di fatturazione");
    FrmNoteFattura d(&finestra);
    mostra(d);
    scrivi(d.TxtNota[0], "Prima nota");
    clic(d.ChkNota[0]);
    clic(d.CmdContinua);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(NoteFattura().Nota1, "Prima nota");
    EXPECT_EQ(colonna("SELECT count(*) FROM ambientefascola").toInt(), 0);
}

TEST_F(DialoghiFattura, TabGoesThroughTheNotesThenTheBoxesThenTheButtons) {
    apri();
    FrmNoteFattura d(&finestra);
    mostra(d);
    d.TxtNota[0]->setFocus();
    ASSERT_TRUE(d.TxtNota[0]->hasFocus());
    QStringList giro;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        giro << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(giro, QStringList({"TxtNota2", "TxtNota3", "TxtNota4", "ChkNota1", "ChkNota2", "ChkNota3", "ChkNota4",
                                 "CmdContinua", "CmdEsci", "TxtNota1"}));
}

// --- Parameters.

TEST_F(DialoghiFattura, ParametriOpensTheInvoicingParameters) {
    apri();
    applica(t().F_OptNessunaSelezione);
    ModalHelper modali;
    QString aperto;
    modali.onNextModal([&](QWidget* w) {
        aperto = w->objectName();
        static_cast<QDialog*>(w)->reject();
    });
    clic(t().F_CmdParametriFattura);
    EXPECT_EQ(aperto, "FrmParametriFattura");
}

}  // namespace
