#include <QDate>
#include <QGroupBox>

#include "casefiles/forms/TabIncarichi.h"
#include "casefiles/forms/TabLavorazioni.h"
#include "casefiles/forms/MascheraFixture.h"

using ui::Answer;

namespace maschera {
namespace {

using Pulsanti = std::vector<bool>;
const Pulsanti ModoZero = {true, true, false, false, false, false, false};
const Pulsanti ModoInserimento = {false, false, false, false, true, true, true};
const Pulsanti ModoVisione = {false, false, false, true, false, true, true};
const Pulsanti ModoCorrezione = {false, false, true, false, false, true, true};

QString oggi() { return QDate::currentDate().toString("dd/MM/yyyy"); }

class MascheraModi : public MascheraFixture {
protected:
    // Three case files of client R01 (Rossi) and one of B02, whose name is unknown.
    void archivioDiProva() {
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}, {"indirizzo", "Via Roma"}, {"localita", "Milano"}});
        fascole.addCaseFile("R01", "0001", "2004-01-10",
                            {{"criterio", "M"}, {"camponote", "prima"}, {"rifcli", "A1"}, {"stato", true},
                             {"numpranno", "2004.00001"}});
        fascole.addCaseFile("R01", "0002", "2004-02-10",
                            {{"criterio", "X"}, {"camponote", "seconda"}, {"rifcli", "A2"}, {"stato", false},
                             {"numpranno", "2004.00002"}});
        fascole.addCaseFile("R01", "0003", "2004-03-10",
                            {{"criterio", "P"}, {"camponote", "terza"}, {"rifcli", "A3"}, {"stato", true},
                             {"numpranno", "2004.00003"}});
        fascole.addFeeItem("R01", "0003", "0000", "0000", "ONO", {{"impofat", 150}});
    }
};

TEST_F(MascheraModi, TheWindowOpensOnTheSearchMask) {
    avvia();
    EXPECT_EQ(m().ModoOperativo, 0);
    EXPECT_FALSE(m().FascolaInVisione);
    EXPECT_EQ(pulsanti(), ModoZero);
    EXPECT_EQ(m().LblAzioneInCorsoFascola->text(), "definisci i campi per la ricerca");
    EXPECT_TRUE(m().FrmCriteriRicerca->isVisible());
    EXPECT_TRUE(m().OptAperte->isChecked());
    EXPECT_TRUE(m().ChkStato->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{m().DbcNomeCliente, m().TxtData, m().TxtRifCli})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{m().OptFineMese, m().OptAnticipazioni, m().OptOgniVoce,
                                                      m().OptFineLavoro, m().OptFineFascola, m().TxtNote,
                                                      m().ChkStato})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    // The fee-item tab is empty and closed; so is the exposure button.
    EXPECT_EQ(competenze().C_FlxCompetenze->rows(), 15);
    EXPECT_FALSE(competenze().C_DbcElemento->isEnabled());
    EXPECT_FALSE(competenze().C_TxtDescrizione->isEnabled());
    EXPECT_FALSE(competenze().C_TxTImporto->isEnabled());
    EXPECT_FALSE(finestra.E_CmdCalcola->isEnabled());
}

TEST_F(MascheraModi, AggiungiOpensAnEmptyCaseFileDatedToday) {
    avvia();
    scrivi(m().TxtRicercaIncarico, "Perizia*");
    clic(m().CmdAggiungiFascola);
    EXPECT_EQ(m().ModoOperativo, 1);
    EXPECT_EQ(pulsanti(), ModoInserimento);
    EXPECT_EQ(m().LblAzioneInCorsoFascola->text(), "Inserimento nuova Fascola");
    EXPECT_FALSE(m().FrmCriteriRicerca->isVisible());
    EXPECT_EQ(m().TxtData->text(), oggi());
    EXPECT_TRUE(m().ChkStato->isChecked());
    EXPECT_TRUE(m().TxtRicercaIncarico->text().isEmpty());
    EXPECT_TRUE(m().OptFineMese->isEnabled());
    EXPECT_TRUE(m().TxtNote->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), m().DbcNomeCliente);
}

TEST_F(MascheraModi, VerificatoreStopsAtTheFirstFailedCheck) {
    avvia();
    clic(m().CmdAggiungiFascola);
    const struct {
        QString nome;
        QRadioButton* criterio;
        QString data;
        QString messaggio;
        QWidget* fuoco;
    } casi[] = {
        {"", nullptr, "", "Definire il cliente", m().DbcNomeCliente},
        {"Rossi", nullptr, "", "selezionare il criterio di fatturazione voluto", m().OptFineFascola},
        {"Rossi", m().OptOgniVoce, "", "Bisogna definire una data di apertura della fascola", m().TxtData},
        {"Rossi", m().OptOgniVoce, "31/02/2004", "Bisogna definire una data di apertura della fascola", m().TxtData},
    };
    for (const auto& c : casi) {
        m().PulisciCampi();
        m().DbcNomeCliente->setEditText(c.nome);
        if (c.criterio) c.criterio->setChecked(true);
        m().TxtData->setText(c.data);
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, c.messaggio, "");
        EXPECT_FALSE(m().Verificatore());
        EXPECT_EQ(box.asked().size(), 1u);
        EXPECT_EQ(QApplication::focusWidget(), c.fuoco) << c.messaggio.toStdString();
    }
}

TEST_F(MascheraModi, VerificatorePutsABlankInEmptyNoteAndReference) {
    avvia();
    clic(m().CmdAggiungiFascola);
    m().DbcNomeCliente->setEditText("Rossi");
    m().OptFineLavoro->setChecked(true);
    EXPECT_TRUE(m().Verificatore());
    EXPECT_EQ(m().TxtNote->text(), " ");
    EXPECT_EQ(m().TxtRifCli->text(), " ");
}

TEST_F(MascheraModi, LeavingTheDateBoxCompletesTheDateOrComplains) {
    avvia();
    const struct {
        QString scritto, risultato;
        bool messaggio;
    } casi[] = {{"01/02/04", "01/02/2004", false}, {"010204", "01/02/2004", false},
                {"15/12/2003", "15/12/2003", false}, {"1/2/04", "1/2/04", true},
                {"", "", true}};
    for (const auto& c : casi) {
        ScriptedMessages box;
        if (c.messaggio) box.expectMessage(Answer::Ok, "Scrivere una data nel giusto formato!", "CONTROLLO DATI INSERITI");
        scrivi(m().TxtData, c.scritto);
        lascia();
        EXPECT_EQ(m().TxtData->text(), c.risultato) << c.scritto.toStdString();
        EXPECT_EQ(box.asked().size(), c.messaggio ? 1u : 0u) << c.scritto.toStdString();
    }
}

TEST_F(MascheraModi, TheFirstFoundCaseFileIsShownAndHandedToTheOtherTabs) {
    archivioDiProva();
    avvia();
    cercaTutte();
    ASSERT_EQ(m().ModoOperativo, 2);
    EXPECT_EQ(pulsanti(), ModoVisione);
    EXPECT_TRUE(m().FascolaInVisione);
    EXPECT_FALSE(m().FrmCriteriRicerca->isVisible());
    EXPECT_EQ(m().LblAzioneInCorsoFascola->text(), "Visualizzazione Fascole");
    // Latest date first.
    EXPECT_EQ(m().DbcNomeCliente->currentText(), "Rossi Mario");
    EXPECT_EQ(m().LblCodiceCliente->text(), "R01");
    EXPECT_EQ(m().LblNpra->text(), "0003");
    EXPECT_EQ(m().LblNumeroAssoluto->text(), "2004.00003");
    EXPECT_EQ(m().TxtData->text(), "10/03/2004");
    EXPECT_EQ(m().TxtNote->text(), "terza");
    EXPECT_EQ(m().TxtRifCli->text(), "A3");
    EXPECT_TRUE(m().ChkStato->isChecked());
    EXPECT_TRUE(m().OptFineFascola->isChecked());
    EXPECT_EQ(FascolaCorrente().CodiceClienteCorrente(), "R01");
    EXPECT_EQ(FascolaCorrente().NomeClienteCorrente(), "Rossi Mario");
    EXPECT_EQ(FascolaCorrente().NpraCorrente(), "0003");
    EXPECT_EQ(DatiClienteFattura().Nome, "Rossi Mario");
    EXPECT_EQ(DatiClienteFattura().Indirizzo, "Via Roma");
    EXPECT_TRUE(finestra.E_CmdCalcola->isEnabled() == finestra.DialogoDisponibile(FrmFascola::Dialogo::Esposizione));

    EXPECT_EQ(finestra.Incarichi->I_LblCodiceCliente->text(), "R01");
    EXPECT_EQ(finestra.Incarichi->I_LblNpra->text(), "0003");
    EXPECT_EQ(finestra.Lavorazioni->L_LblNomeCliente->text(), "Rossi Mario");
    EXPECT_TRUE(finestra.Lavorazioni->L_LblNtask->text().isEmpty());
    TabCompetenze& c = competenze();
    EXPECT_EQ(c.C_LblNomeCliente->text(), "Rossi Mario");
    EXPECT_EQ(c.C_LblCodiceCliente->text(), "R01");
    EXPECT_EQ(c.C_LblNpra->text(), "0003");
    EXPECT_EQ(c.C_LblNtask->text(), "0000");
    EXPECT_EQ(c.C_LblNjob->text(), "0000");
    EXPECT_TRUE(c.C_DbcElemento->isEnabled());
    EXPECT_FALSE(c.C_TxtDescrizione->isEnabled());
    EXPECT_EQ(c.C_FlxCompetenze->text(1, 2), "ONO");
}

TEST_F(MascheraModi, ACriterionOutsideTheFiveShowsNoOptionRatherThanThePreviousOne) {
    archivioDiProva();
    avvia();
    cercaTutte();
    ASSERT_TRUE(m().OptFineFascola->isChecked());
    clic(m().DtaSelezionatiFascola->Successivo);
    EXPECT_EQ(m().LblNpra->text(), "0002");
    for (QRadioButton* o : {m().OptFineMese, m().OptAnticipazioni, m().OptOgniVoce, m().OptFineLavoro,
                            m().OptFineFascola})
        EXPECT_FALSE(o->isChecked()) << o->objectName().toStdString();
    EXPECT_FALSE(m().ChkStato->isChecked());
}

TEST_F(MascheraModi, AClientMissingFromTheRegistryIsNamedAsSuch) {
    fascole.addCaseFile("Z09", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    avvia();
    cercaTutte();
    EXPECT_EQ(m().DbcNomeCliente->currentText(), "??? Cliente non definito in archivio ???");
    EXPECT_EQ(FascolaCorrente().NomeClienteCorrente(), "??? Cliente non definito in archivio ???");
    EXPECT_EQ(DatiClienteFattura().Nome, "??? Cliente non definito in archivio ???");
    EXPECT_EQ(m().LblNpra->text(), "0001");
}

TEST_F(MascheraModi, LinkedTheClientNameComesFromTheChartOfAccounts) {
    fascole.addCaseFile("01.01.01.0002", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("01.01.01.0009", "0001", "2004-01-10", {{"numpranno", "2004.00002"}});
    avvia(true);
    ASSERT_TRUE(AmbienteLavoro().CollegatoContabilita);
    cercaTutte();
    EXPECT_EQ(m().DbcNomeCliente->currentText(), "Bianchi & Figli S.n.c.");
    clic(m().DtaSelezionatiFascola->Successivo);
    EXPECT_EQ(m().DbcNomeCliente->currentText(), "??? Cliente non definito in contabilità ???");
}

TEST_F(MascheraModi, AClickOnAFieldOfTheShownCaseFileStartsACorrection) {
    archivioDiProva();
    avvia();
    cercaTutte();
    for (QWidget* campo : std::initializer_list<QWidget*>{m().TxtNote, m().OptFineMese, m().ChkStato, m().TxtData,
                                                          m().TxtRifCli, m().DbcNomeCliente->lineEdit()}) {
        m().VisEnvi();
        ASSERT_EQ(m().ModoOperativo, 2);
        ScriptedMessages box;  // leaving the date box completes it silently
        clic(campo);
        EXPECT_EQ(m().ModoOperativo, 3) << campo->objectName().toStdString();
        EXPECT_EQ(pulsanti(), ModoCorrezione);
        EXPECT_EQ(m().LblAzioneInCorsoFascola->text(), "Correzione Fascola");
    }
}

TEST_F(MascheraModi, AClickWhileInsertingChangesNothing) {
    avvia();
    clic(m().CmdAggiungiFascola);
    clic(m().OptFineMese);
    clic(m().TxtNote);
    EXPECT_EQ(m().ModoOperativo, 1);
    EXPECT_EQ(pulsanti(), ModoInserimento);
}

TEST_F(MascheraModi, TheBrowserMovesWithinItsBoundsAndCaptionsThePosition) {
    archivioDiProva();
    avvia();
    cercaTutte();
    NavigatoreRecord& nav = *m().DtaSelezionatiFascola;
    EXPECT_EQ(didascalia(), "1 di 3");
    clic(nav.Precedente);
    EXPECT_EQ(didascalia(), "1 di 3");
    EXPECT_EQ(m().LblNpra->text(), "0003");
    const struct {
        QToolButton* tasto;
        QString didascalia, npra;
    } passi[] = {{nav.Successivo, " 2 di  3", "0002"}, {nav.Successivo, " 3 di  3", "0001"},
                 {nav.Successivo, " 3 di  3", "0001"}, {nav.Primo, "1 di 3", "0003"},
                 {nav.Ultimo, " 3 di  3", "0001"},    {nav.Precedente, " 2 di  3", "0002"}};
    for (const auto& p : passi) {
        clic(p.tasto);
        EXPECT_EQ(didascalia(), p.didascalia);
        EXPECT_EQ(m().LblNpra->text(), p.npra);
        EXPECT_EQ(m().ModoOperativo, 2);
        EXPECT_TRUE(m().FascolaInVisione);
    }
}

TEST_F(MascheraModi, AMoveDuringACorrectionDropsItAndReturnsToView) {
    archivioDiProva();
    avvia();
    cercaTutte();
    clic(m().TxtNote);
    scrivi(m().TxtNote, "cambiata");
    ASSERT_EQ(m().ModoOperativo, 3);
    clic(m().DtaSelezionatiFascola->Primo);
    EXPECT_EQ(m().ModoOperativo, 2);
    EXPECT_EQ(m().TxtNote->text(), "terza");
    EXPECT_EQ(colonna("SELECT camponote FROM fascola WHERE npra = '0003'").toText(), "terza");
}

TEST_F(MascheraModi, WithOneRowTheFirstButtonCaptionsAndTheOthersDoNothing) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    avvia();
    NavigatoreRecord& nav = *m().DtaSelezionatiFascola;
    clic(nav.Ultimo);  // before any search there is nothing to browse
    EXPECT_EQ(m().ModoOperativo, 0);
    cercaTutte();
    clic(nav.Primo);
    EXPECT_EQ(didascalia(), "1 di 1");
    clic(nav.Ultimo);
    clic(nav.Successivo);
    EXPECT_EQ(didascalia(), "1 di 1");
}

TEST_F(MascheraModi, AnnullaReturnsToTheSearchMaskKeepingTheResultForTheBrowser) {
    archivioDiProva();
    avvia();
    cercaTutte();
    clic(m().CmdAnnullaFascola);
    EXPECT_EQ(m().ModoOperativo, 0);
    EXPECT_FALSE(m().FascolaInVisione);
    EXPECT_EQ(pulsanti(), ModoZero);
    EXPECT_EQ(m().LblCodiceCliente->text(), "         ");
    EXPECT_TRUE(FascolaCorrente().CodiceClienteCorrente().isEmpty());
    EXPECT_TRUE(m().DbcNomeCliente->currentText().isEmpty());
    EXPECT_EQ(competenze().C_FlxCompetenze->text(1, 2), "");
    EXPECT_FALSE(finestra.E_CmdCalcola->isEnabled());
    EXPECT_EQ(didascalia(), "1 di 3");
    clic(m().DtaSelezionatiFascola->Ultimo);
    EXPECT_EQ(m().ModoOperativo, 2);
    EXPECT_EQ(m().LblNpra->text(), "0001");
}

}  // namespace
}  // namespace maschera
