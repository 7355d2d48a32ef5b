#include <QAction>
#include <QDate>
#include <QFile>
#include <QGroupBox>

#include "app/MontaggioFinestra.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "fees/forms/ElefatFixture.h"
#include "support/ModalHelper.h"
#include "support/SchedaGuasta.h"

using ui::Answer;

namespace catalogo {
namespace {

const QString InUsoCorreggere = "l'elemento è già usato nelle fascole, correggere propriamente";
const QString InUsoCancellare = "L'elemento non è cancellabile: è in uso in una fascola";
const QString ConfermaCancellazione = "Confermare la cancellazione dell'elemento";

class FrmElefatTest : public ElefatFixture {
protected:
    // `n` elements E01.. stored straight into the archive, the first ones in use when asked.
    void catalogoDi(int n, int inUso = 0) {
        for (int i = 1; i <= n; ++i) {
            const QString codice = QString("E%1").arg(i, 2, 10, QChar('0'));
            fascole.addCatalogueItem(codice, {{"descrizione", "Elemento " + QString::number(i)},
                                              {"calcolo", "F"}, {"importo", 10 * i}, {"arrotonda", 1},
                                              {"iva", "20"}, {"ivacee", "0"}, {"tipo", "X"},
                                              {"pagamento", true}, {"codicepagamento", "0"}});
            if (i <= inUso) fascole.addFeeItem("C001", "0001", "0000", "0000", codice);
        }
    }
};

TEST_F(FrmElefatTest, ANewUserAddsThreeElementsSearchesBrowsesCorrectsOneAndCannotDeleteOneInUse) {
    apri();
    EXPECT_EQ(f().windowTitle(), "Elementi da Fatturare");
    EXPECT_EQ(f().LblTitolo->text(), "GESTIONE ARCHIVIO DEGLI ELEMENTI DA FATTURARE");
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_EQ(pulsanti(), ModoRicerca);
    EXPECT_EQ(f().LblAzioneInCorso->text(), "definisci i campi per selezione di ricerca");
    EXPECT_TRUE(f().DbcCodice->isEnabled());
    EXPECT_FALSE(f().TxtImporto->isEnabled());
    EXPECT_FALSE(f().FrameConti->isEnabled());
    // Not linked: the accounts say so.
    EXPECT_EQ(f().DbcContofat->currentText(), "*");
    EXPECT_EQ(f().LblDare->text(), "Non collegato alla contabilità");

    clic(f().CmdAggiungi);
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(pulsanti(), ModoInserimento);
    EXPECT_EQ(f().LblAzioneInCorso->text(), "Inserimento di un nuovo elemento");
    EXPECT_EQ(QApplication::focusWidget(), f().DbcCodice);
    EXPECT_TRUE(f().OptListino->isChecked());
    EXPECT_TRUE(f().OptCompetenza->isChecked());
    EXPECT_TRUE(f().OptPagaCli->isChecked());
    EXPECT_FALSE(f().FrameConti->isEnabled());  // no accounts without the link

    // Three elements of different kinds, one after the other.
    scriviVoce({"ono", "Onorario per consulenza", f().OptListino, "150", "1", "20", "0", f().OptCompetenza});
    EXPECT_EQ(f().DbcCodice->currentText(), "ONO");
    EXPECT_EQ(f().TxtImporto->text(), "150,00");
    clic(f().CmdConferma);
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(f().DbcCodice->currentText(), "");
    EXPECT_EQ(QApplication::focusWidget(), f().DbcCodice);
    EXPECT_TRUE(f().OptListino->isChecked());

    scriviVoce({"spe", "Spese postali", f().OptPercentuale, "10", "0,01", "20", "20", f().OptCosto, false, "30"});
    EXPECT_EQ(f().LblCodicePagamento->text(), "30");
    clic(f().CmdConferma);
    scriviVoce({"ANT", "Anticipazione \"bolli\" dell'ufficio", f().OptRichiesta, "0", "0", "0", "0",
                f().OptAnticipazione, true});
    clic(f().CmdConferma);
    EXPECT_TRUE(box.asked().empty());

    EXPECT_EQ(colonna("SELECT count(*) FROM elefat").toInt(), 3);
    const auto riga = [&](const char* codice) {
        auto rs = fascole.db().openRecordset("SELECT * FROM elefat WHERE codice = ?", {codice});
        QStringList r;
        for (const char* c : {"codice", "descrizione", "accoda", "calcolo", "importo", "arrotonda", "iva", "ivacee",
                              "tipo", "contofat", "dare", "avere", "pagamento", "codicepagamento"})
            r << rs->field(c).textOr(QString("<null>"));
        return r.join('|');
    };
    EXPECT_EQ(riga("ONO"), "ONO|Onorario per consulenza|0|F|150|1|20|0|X||||1|0");
    EXPECT_EQ(riga("SPE"), "SPE|Spese postali|0|P|10|0.01|20|20|C||||0|30");
    EXPECT_EQ(riga("ANT"), "ANT|Anticipazione \"bolli\" dell'ufficio|1|R|0|0|0|0|A||||1|0");

    // Search: by description, quotes and apostrophe included, then everything.
    clic(f().CmdAnnulla);
    EXPECT_EQ(f().ModoOperativo, 0);
    scrivi(f().DbcDescrizione, "Anticipazione \"bolli\" dell'ufficio");
    clic(f().CmdRicerca);
    EXPECT_EQ(didascalia(), "1 di 1");
    EXPECT_EQ(f().DbcCodice->currentText(), "ANT");
    EXPECT_TRUE(f().ChkAccoda->isChecked());
    EXPECT_TRUE(f().OptRichiesta->isChecked());
    EXPECT_TRUE(f().OptAnticipazione->isChecked());
    clic(f().CmdAnnulla);
    clic(f().CmdRicerca);
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_EQ(pulsanti(), ModoVisione);
    EXPECT_EQ(f().LblAzioneInCorso->text(), "Visualizzazione Elementi da fatturare");
    EXPECT_TRUE(f().ElementoInVisione);
    EXPECT_EQ(didascalia(), "1 di 3");
    EXPECT_EQ(f().DbcCodice->currentText(), "ANT");

    // Browse.
    naviga(FrmElefat::AzioneSuccessivo);
    EXPECT_EQ(didascalia(), " 2 di  3");
    EXPECT_EQ(f().LblAzioneInCorso->text(), "Visualizzazione di un elemento");
    EXPECT_EQ(f().DbcCodice->currentText(), "ONO");
    EXPECT_EQ(f().DbcDescrizione->currentText(), "Onorario per consulenza");
    EXPECT_EQ(f().TxtImporto->text(), "150");
    EXPECT_EQ(f().DbcIva->currentText(), "20");
    EXPECT_EQ(f().DbcPagamento->currentText(), "0");
    naviga(FrmElefat::AzioneUltimo);
    EXPECT_EQ(didascalia(), " 3 di  3");
    EXPECT_EQ(f().DbcCodice->currentText(), "SPE");
    EXPECT_TRUE(f().OptPagaCod->isChecked());
    EXPECT_EQ(f().DbcPagamento->currentText(), "30");
    EXPECT_EQ(f().TxtArrotonda->text(), "0,01");

    // Correct one: a click on a field, a new amount, CORREGGI.
    naviga(FrmElefat::AzionePrecedente);
    clic(f().TxtImporto);
    EXPECT_EQ(f().ModoOperativo, 3);
    EXPECT_EQ(pulsanti(), ModoCorrezione);
    EXPECT_EQ(f().LblAzioneInCorso->text(), "Correzione elemento visualizzato");
    scrivi(f().TxtImporto, "175,5");
    clic(f().OptPercentuale);
    clic(f().CmdCorreggi);
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_EQ(pulsanti(), ModoVisione);
    EXPECT_EQ(f().TxtImporto->text(), "175,50");
    EXPECT_EQ(riga("ONO"), "ONO|Onorario per consulenza|0|P|175.5|1|20|0|X||||1|0");
    EXPECT_TRUE(box.asked().empty());

    // The element gets used in a case file; it cannot be deleted, and correcting it warns.
    fascole.addFeeItem("C001", "0001", "0000", "0000", "ONO");
    box.expectMessage(Answer::Ok, InUsoCancellare, "");
    clic(f().CmdCancella);
    EXPECT_EQ(colonna("SELECT count(*) FROM elefat").toInt(), 3);
    EXPECT_EQ(f().ModoOperativo, 2);
    box.expectMessage(Answer::Ok, InUsoCorreggere).expectMessage(Answer::Ok, InUsoCorreggere);
    clic(f().DbcDescrizione);
    EXPECT_EQ(f().ModoOperativo, 3);
    clic(f().ChkAccoda);
    EXPECT_EQ(box.pending(), 0);
    for (const auto& q : box.asked()) {
        EXPECT_EQ(q.buttons, ui::Buttons::Ok);
        EXPECT_EQ(q.icon, ui::Icon::None);
    }

    // Another one, not used, goes after the confirmation; the one after it is shown.
    clic(f().CmdAnnulla);
    clic(f().CmdRicerca);
    box.expectMessage(Answer::Yes, ConfermaCancellazione);
    clic(f().CmdCancella);
    EXPECT_EQ(box.asked().back().buttons, ui::Buttons::YesNo);
    EXPECT_EQ(colonna("SELECT count(*) FROM elefat WHERE codice = 'ANT'").toInt(), 0);
    EXPECT_EQ(didascalia(), " 1 di  2");
    EXPECT_EQ(f().DbcCodice->currentText(), "ONO");
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_TRUE(f().ElementoInVisione);
}

TEST_F(FrmElefatTest, VerificatoreAsksForEachFieldInTurnAndStoresNothingUntilAllIsRight) {
    apri();
    clic(f().CmdAggiungi);
    QStringList attesi;
    auto conferma = [&](const QString& messaggio, QWidget* fuoco) {
        box.expectMessage(Answer::Ok, messaggio, "");
        clic(f().CmdConferma);
        EXPECT_EQ(QApplication::focusWidget(), fuoco) << messaggio.toStdString();
        attesi << messaggio;
    };
    conferma("Definire il codice elemento", f().DbcCodice);
    scrivi(f().DbcCodice, "ONO");
    conferma("Inserire una descrizione per l'elemento", f().DbcDescrizione);
    scrivi(f().DbcDescrizione, "Onorario");
    conferma("Inserire un valore di calcolo per l'elemento", f().TxtImporto);
    scrivi(f().TxtImporto, "1,2,3");
    conferma("Il campo importo può contenere solo valori numerici", f().TxtImporto);
    EXPECT_EQ(f().TxtImporto->text(), "1,2,3");  // no amount to read: left as typed
    scrivi(f().TxtImporto, "abc");
    lascia();
    EXPECT_EQ(f().TxtImporto->text(), "abc");
    conferma("Il campo importo può contenere solo valori numerici", f().TxtImporto);
    scrivi(f().TxtImporto, "0");
    lascia();
    EXPECT_EQ(f().TxtImporto->text(), "0,00");
    conferma("Inserire un valore di arrotondamento per l'elemento", f().TxtArrotonda);
    scrivi(f().TxtArrotonda, "un euro");
    conferma("Il campo arrotondamento può contenere solo valori numerici", f().TxtArrotonda);
    scrivi(f().TxtArrotonda, "1");
    conferma("Inserire l'aliquota iva da applicare all'elemento", f().DbcIva);
    scrivi(f().DbcIva, "100");
    conferma("l'aliquota iva va espressa in valore percentuale positivo <100", f().DbcIva);
    scrivi(f().DbcIva, "-1");
    conferma("l'aliquota iva va espressa in valore percentuale positivo <100", f().DbcIva);
    scrivi(f().DbcIva, "0");
    conferma("Inserire l'aliquota iva Cee da applicare all'elemento", f().DbcIvacee);
    scrivi(f().DbcIvacee, "100");
    conferma("l'aliquota iva Cee va espressa in valore percentuale positivo <100", f().DbcIvacee);
    scrivi(f().DbcIvacee, "99,9");
    EXPECT_EQ(colonna("SELECT count(*) FROM elefat").toInt(), 0);
    clic(f().CmdConferma);
    EXPECT_EQ(box.messageTexts(), attesi);
    EXPECT_EQ(testo("SELECT ivacee FROM elefat WHERE codice = 'ONO'"), "99,9");
}

TEST_F(FrmElefatTest, ADuplicateCodeIsRefusedBeforeTheInsertAndWhatWasTypedStays) {
    catalogoDi(1);
    apri();
    clic(f().CmdAggiungi);
    scriviVoce({"e01", "Un altro elemento", f().OptImportoUnitario, "5", "1", "10", "10", f().OptCosto});
    box.expectMessage(Answer::Ok, "Il codice elemento E01 è già definito nell'archivio: indicare un codice diverso",
                      "");
    clic(f().CmdConferma);
    EXPECT_EQ(testo("SELECT descrizione FROM elefat WHERE codice = 'E01'"), "Elemento 1");
    EXPECT_EQ(colonna("SELECT count(*) FROM elefat").toInt(), 1);
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(QApplication::focusWidget(), f().DbcCodice);
    EXPECT_EQ(f().DbcDescrizione->currentText(), "Un altro elemento");
    EXPECT_TRUE(f().OptImportoUnitario->isChecked());
    EXPECT_EQ(f().TxtImporto->text(), "5,00");
    // A new code, and the same fields go in.
    scrivi(f().DbcCodice, "E02");
    clic(f().CmdConferma);
    EXPECT_EQ(testo("SELECT calcolo || tipo || iva FROM elefat WHERE codice = 'E02'"), "UC10");
}

TEST_F(FrmElefatTest, TheBrowserCaptionsAndWhereADeletionLeavesIt) {
    catalogoDi(5);
    apri();
    clic(f().CmdRicerca);
    EXPECT_EQ(didascalia(), "1 di 5");
    naviga(FrmElefat::AzioneSuccessivo);
    EXPECT_EQ(didascalia(), " 2 di  5");
    naviga(FrmElefat::AzioneUltimo);
    EXPECT_EQ(didascalia(), " 5 di  5");
    naviga(FrmElefat::AzionePrimo);
    EXPECT_EQ(didascalia(), "1 di 5");
    EXPECT_EQ(f().DbcCodice->currentText(), "E01");

    // The last of five goes: the new last one, fourth of four.
    naviga(FrmElefat::AzioneUltimo);
    box.expectMessage(Answer::Yes, ConfermaCancellazione);
    clic(f().CmdCancella);
    EXPECT_EQ(didascalia(), " 4 di  4");
    EXPECT_EQ(f().DbcCodice->currentText(), "E04");
    // The second of four goes: the one that followed it, second of three.
    naviga(FrmElefat::AzionePrimo);
    naviga(FrmElefat::AzioneSuccessivo);
    box.expectMessage(Answer::Yes, ConfermaCancellazione);
    clic(f().CmdCancella);
    EXPECT_EQ(didascalia(), " 2 di  3");
    EXPECT_EQ(f().DbcCodice->currentText(), "E03");
    // No keeps the row, the mode and the click that starts a correction.
    box.expectMessage(Answer::No, ConfermaCancellazione);
    clic(f().CmdCancella);
    EXPECT_EQ(colonna("SELECT count(*) FROM elefat").toInt(), 3);
    EXPECT_EQ(f().ModoOperativo, 2);
    clic(f().OptCosto);
    EXPECT_EQ(f().ModoOperativo, 3);

    // The only row of a search goes: back to the search mask, the caption blank.
    clic(f().CmdAnnulla);
    scrivi(f().DbcCodice, "E04");
    clic(f().CmdRicerca);
    EXPECT_EQ(didascalia(), "1 di 1");
    box.expectMessage(Answer::Yes, ConfermaCancellazione);
    clic(f().CmdCancella);
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_EQ(pulsanti(), ModoRicerca);
    EXPECT_EQ(didascalia(), "         ");
    EXPECT_EQ(colonna("SELECT group_concat(codice) FROM (SELECT codice FROM elefat ORDER BY codice)").toText(),
              "E01,E03");
}

TEST_F(FrmElefatTest, WhenTheBrowserMovesNothingTheElementStaysInView) {
    catalogoDi(1);
    apri();
    clic(f().CmdRicerca);
    for (int azione : {FrmElefat::AzionePrecedente, FrmElefat::AzioneSuccessivo, FrmElefat::AzioneUltimo}) {
        naviga(azione);
        EXPECT_EQ(didascalia(), "1 di 1");
        EXPECT_TRUE(f().ElementoInVisione);
    }
    f().DtaSelezionati_Validate(9);
    EXPECT_TRUE(f().ElementoInVisione);
    clic(f().TxtArrotonda);
    EXPECT_EQ(f().ModoOperativo, 3);
    // "First" redisplays the row: back to view, what was typed replaced by the stored values.
    scrivi(f().DbcDescrizione, "Cambiata");
    naviga(FrmElefat::AzionePrimo);
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_EQ(f().DbcDescrizione->currentText(), "Elemento 1");
    EXPECT_EQ(didascalia(), "1 di 1");
}

TEST_F(FrmElefatTest, SearchCriteriaAreExactAndAnEmptyResultSaysSo) {
    catalogoDi(3);
    apri();
    scrivi(f().DbcCodice, "e02");
    scrivi(f().DbcDescrizione, "Elemento 3");
    box.expectMessage(Answer::Ok, "Non c'è nessun elemento definito nell'archivio", "");
    clic(f().CmdRicerca);
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_EQ(f().DbcCodice->currentText(), "");
    EXPECT_EQ(f().DbcDescrizione->currentText(), "");
    EXPECT_EQ(QApplication::focusWidget(), f().DbcCodice);
    // The browser has nothing to move then.
    EXPECT_FALSE(f().DtaSelezionati->isEnabled());

    scrivi(f().DbcCodice, "e02");
    scrivi(f().DbcDescrizione, "elemento 2");
    clic(f().CmdRicerca);
    EXPECT_EQ(didascalia(), "1 di 1");
    EXPECT_EQ(f().DbcCodice->currentText(), "E02");
    EXPECT_TRUE(f().DtaSelezionati->isEnabled());
}

TEST_F(FrmElefatTest, ACorrectionKeepsTheCodeAndTheInUseChecksLookAtTheRowOnDisplay) {
    catalogoDi(2, 1);
    apri();
    clic(f().CmdRicerca);
    naviga(FrmElefat::AzioneSuccessivo);  // E02, not in use
    // Typed over without a click: still in view, and CANCELLA still judges E02.
    scrivi(f().DbcCodice, "E01");
    box.expectMessage(Answer::No, ConfermaCancellazione);
    clic(f().CmdCancella);
    // Corrected with another code in the box: the row keeps its own.
    clic(f().DbcDescrizione);
    scrivi(f().DbcDescrizione, "Elemento due");
    clic(f().CmdCorreggi);
    EXPECT_EQ(testo("SELECT descrizione FROM elefat WHERE codice = 'E02'"), "Elemento due");
    EXPECT_EQ(testo("SELECT descrizione FROM elefat WHERE codice = 'E01'"), "Elemento 1");
}

TEST_F(FrmElefatTest, FieldHandlersNotLinked) {
    apri();
    clic(f().CmdAggiungi);
    // The code: three characters, upper case once left.
    scrivi(f().DbcCodice, "abcd");
    EXPECT_EQ(f().DbcCodice->currentText(), "abc");
    lascia();
    EXPECT_EQ(f().DbcCodice->currentText(), "ABC");
    scrivi(f().DbcDescrizione, QString(60, 'x'));
    lascia();
    EXPECT_EQ(f().DbcDescrizione->currentText().size(), 50);

    // The amount is shown with the amount mask.
    const std::pair<QString, QString> importi[] = {{"1.234,5", "1.234,50"}, {"12.5", "12,50"}, {"", ""}};
    for (const auto& [scritto, mostrato] : importi) {
        scrivi(f().TxtImporto, scritto);
        lascia();
        EXPECT_EQ(f().TxtImporto->text(), mostrato) << scritto.toStdString();
    }
    scrivi(f().TxtArrotonda, "0.5");
    lascia();
    EXPECT_EQ(f().TxtArrotonda->text(), "0.5");

    // A rate: numbers stay, anything else is emptied with its label; the list is not rebound.
    f().DbcIva->addItem("lista di prima");
    entra(f().DbcIva);
    EXPECT_EQ(f().DbcIva->palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_EQ(f().DbcIva->count(), 1);
    scrivi(f().DbcIvacee, "abc");
    f().LblIvacee->setText("x");
    lascia();
    EXPECT_EQ(f().DbcIvacee->currentText(), "");
    EXPECT_EQ(f().LblIvacee->text(), "");
    scrivi(f().DbcIvacee, "21");
    f().LblIvacee->setText("x");
    lascia();
    EXPECT_EQ(f().DbcIvacee->currentText(), "21");
    EXPECT_EQ(f().LblIvacee->text(), "x");

    // A payment term in days: leaving the combo always means "Applica ".
    const std::pair<QString, QString> giorni[] = {
        {"30", "30"}, {"365", "365"}, {"366", "0"}, {"-1", "0"}, {"abc", "0"}, {"99999999999999999999999", "0"}};
    for (const auto& [scritto, codice] : giorni) {
        clic(f().OptPagaCli);
        scrivi(f().DbcPagamento, scritto);
        lascia();
        EXPECT_TRUE(f().OptPagaCod->isChecked()) << scritto.toStdString();
        EXPECT_EQ(f().LblCodicePagamento->text(), codice) << scritto.toStdString();
    }
    // In insert mode a click on a field switches nothing.
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(FrmElefatTest, NotLinkedLeavingThePaymentOfAnElementOnDisplayIsACorrection) {
    catalogoDi(1);
    apri();
    clic(f().CmdRicerca);
    ASSERT_TRUE(f().OptPagaCli->isChecked());
    entra(f().DbcPagamento);  // by the keyboard: no click
    EXPECT_EQ(f().ModoOperativo, 2);
    lascia();
    EXPECT_TRUE(f().OptPagaCod->isChecked());
    EXPECT_EQ(f().ModoOperativo, 3);
    clic(f().CmdCorreggi);
    EXPECT_EQ(colonna("SELECT pagamento FROM elefat WHERE codice = 'E01'").toInt(), 0);
    EXPECT_EQ(testo("SELECT codicepagamento FROM elefat WHERE codice = 'E01'"), "0");
}

TEST_F(FrmElefatTest, LinkedThePairsFollowTheAccountingArchive) {
    apri(true);
    ASSERT_TRUE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(f().DbcContofat->currentText(), "");
    EXPECT_EQ(f().LblContofat->text(), "");
    clic(f().CmdAggiungi);
    EXPECT_TRUE(f().FrameConti->isEnabled());
    EXPECT_TRUE(f().DbcDare->isEnabled());

    scrivi(f().DbcCodice, "ONO");
    scrivi(f().DbcDescrizione, "Onorario");
    scrivi(f().TxtImporto, "150");
    scrivi(f().TxtArrotonda, "1");

    // The VAT lists come from the archive; a description found gives the caption, one not
    // found empties the pair, and only that pair.
    entra(f().DbcIva);
    EXPECT_EQ(f().DbcIva->count(), 5);
    EXPECT_EQ(f().DbcIva->itemText(0), "Aliquota minima 4%");
    scrivi(f().DbcIva, "Aliquota ordinaria 20%");
    scrivi(f().DbcIvacee, "Escluso art. 15");
    lascia();
    EXPECT_EQ(f().LblIva->text(), "20 ( 20%)");
    EXPECT_EQ(f().LblIvacee->text(), "E15 ( 0%)");
    scrivi(f().DbcIvacee, "Aliquota \"inventata\"");
    lascia();
    EXPECT_EQ(f().DbcIvacee->currentText(), "");
    EXPECT_EQ(f().LblIvacee->text(), "");
    EXPECT_EQ(f().LblIva->text(), "20 ( 20%)");

    // Checks in order: EU VAT, then the three accounts.
    QStringList attesi;
    auto conferma = [&](const QString& messaggio, QWidget* fuoco) {
        box.expectMessage(Answer::Ok, messaggio);
        clic(f().CmdConferma);
        EXPECT_EQ(QApplication::focusWidget(), fuoco) << messaggio.toStdString();
        attesi << messaggio;
    };
    conferma("Inserire il codice iva da applicare all'elemento per operazioni Cee", f().DbcIvacee);
    scrivi(f().DbcIvacee, "Escluso art. 15");
    conferma("definire un codice per la contabilizzazione delle fatture", f().DbcContofat);
    // The account lists: postable accounts of nature P only.
    EXPECT_EQ(f().DbcContofat->findText("Rossi Mario S.r.l."), -1);
    EXPECT_EQ(f().DbcContofat->findText("RICAVI"), -1);
    EXPECT_GE(f().DbcContofat->findText("Onorari"), 0);
    scrivi(f().DbcContofat, "Onorari");
    conferma("definire il codice in dare per la generazione della prima nota", f().DbcDare);
    scrivi(f().DbcDare, "Nessun conto simile");
    lascia();
    EXPECT_EQ(f().LblDare->text(), "");
    scrivi(f().DbcDare, "Cassa contanti");
    conferma("definire il codice in avere per la generazione della prima nota", f().DbcAvere);
    scrivi(f().DbcAvere, "Rimborsi spese");
    lascia();
    EXPECT_EQ(f().LblContofat->text(), "04.01.01.0001");
    EXPECT_EQ(f().LblDare->text(), "01.02.01.0001");
    EXPECT_EQ(f().LblAvere->text(), "04.01.01.0002");

    // Payment: the client's terms need no look-up; "Applica " takes the code described.
    scrivi(f().DbcPagamento, "Rimessa diretta");
    lascia();
    EXPECT_TRUE(f().OptPagaCli->isChecked());
    EXPECT_EQ(f().LblCodicePagamento->text(), "0");
    clic(f().OptPagaCod);
    scrivi(f().DbcPagamento, "Ricevuta bancaria 30 gg d.f.");
    lascia();
    EXPECT_EQ(f().LblCodicePagamento->text(), "R30");
    clic(f().CmdConferma);
    EXPECT_EQ(box.messageTexts(), attesi);
    EXPECT_EQ(testo("SELECT iva || '|' || ivacee || '|' || contofat || '|' || dare || '|' || avere || '|' || "
                    "pagamento || '|' || codicepagamento FROM elefat WHERE codice = 'ONO'"),
              "20|E15|04.01.01.0001|01.02.01.0001|04.01.01.0002|0|R30");

    // Shown again: descriptions in the combos, codes beside them; an account that has gone
    // from the chart of accounts empties its pair, a payment code "0" shows bare.
    fascole.addCatalogueItem("XYZ", {{"descrizione", "Vecchio"}, {"calcolo", "F"}, {"importo", 1},
                                     {"arrotonda", 1}, {"iva", "10R"}, {"ivacee", "4"}, {"tipo", "X"},
                                     {"contofat", "09.09.09.0009"}, {"dare", "01.02.01.0002"},
                                     {"avere", "04.01.01.0001"}, {"pagamento", true}, {"codicepagamento", "0"}});
    AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile)
        ->execute("INSERT INTO ivacodici (codice, descrizione, aliquota) VALUES ('10R', 'Aliquota 10,5%', 1050)");
    clic(f().CmdAnnulla);
    clic(f().CmdRicerca);
    EXPECT_EQ(f().DbcCodice->currentText(), "ONO");
    EXPECT_EQ(f().DbcIva->currentText(), "Aliquota ordinaria 20%");
    EXPECT_EQ(f().LblIva->text(), "20 ( 20%)");
    EXPECT_EQ(f().DbcIvacee->currentText(), "Escluso art. 15");
    EXPECT_EQ(f().DbcContofat->currentText(), "Onorari");
    EXPECT_EQ(f().LblContofat->text(), "04.01.01.0001");
    EXPECT_EQ(f().DbcPagamento->currentText(), "Ricevuta bancaria 30 gg d.f.");
    EXPECT_TRUE(f().OptPagaCod->isChecked());
    naviga(FrmElefat::AzioneSuccessivo);
    EXPECT_EQ(f().LblIva->text(), "10R ( 10%)");
    EXPECT_EQ(f().LblIvacee->text(), "4 ( 4%)");
    EXPECT_EQ(f().DbcContofat->currentText(), "");
    EXPECT_EQ(f().LblContofat->text(), "");
    EXPECT_EQ(f().DbcDare->currentText(), "Banca Popolare c/c 1234");
    EXPECT_EQ(f().DbcPagamento->currentText(), "0");
    EXPECT_TRUE(f().OptPagaCli->isChecked());
}

// Linked, an account may be typed rather than picked from its list: the element stores the
// account the box names, by its description or by its code as every account box reads one
// (points, a word of the chart). A text naming no sottoconto of the chart is refused by
// CONFERMA and CORREGGI with that account's message, the focus on its box, and nothing stored.
TEST_F(FrmElefatTest, LinkedAnAccountTypedIsStoredAsTheAccountItNames) {
    apri(true);
    const auto scegli = [&](ui::RefillCombo* combo, const QString& testo) {
        entra(combo);
        const int riga = combo->findText(testo);
        ASSERT_GE(riga, 0) << testo.toStdString();
        combo->setCurrentIndex(riga);
        lascia();
    };
    const auto voce = [&](const QString& codice) {
        clic(f().CmdAggiungi);
        scrivi(f().DbcCodice, codice);
        scrivi(f().DbcDescrizione, "Onorario");
        clic(f().OptRichiesta);
        scrivi(f().TxtImporto, "0");
        scrivi(f().TxtArrotonda, "1");
        scegli(f().DbcIva, "Aliquota ordinaria 20%");
        scegli(f().DbcIvacee, "Escluso art. 15");
    };
    const auto conti = [&](const char* codice) {
        return testo("SELECT contofat || '|' || dare || '|' || avere FROM elefat WHERE codice = ?", {codice});
    };

    // Picked, typed by code, typed by description: each box shows the account and its code.
    voce("ONO");
    scegli(f().DbcContofat, "Onorari");
    scrivi(f().DbcDare, "1.2.1.2");
    scrivi(f().DbcAvere, "Rimborsi spese");
    lascia();
    EXPECT_EQ(f().LblContofat->text(), "04.01.01.0001");
    EXPECT_EQ(f().DbcDare->currentText(), "Banca Popolare c/c 1234");
    EXPECT_EQ(f().LblDare->text(), "01.02.01.0002");
    EXPECT_EQ(f().LblAvere->text(), "04.01.01.0002");
    clic(f().CmdConferma);
    EXPECT_EQ(conti("ONO"), "04.01.01.0001|01.02.01.0002|04.01.01.0002");

    // Texts that name no sottoconto: refused at CONFERMA, whatever leaving the box said.
    const struct {
        ui::RefillCombo* campo;
        const char* scritto;
        const char* avviso;  // the code box's own message on leaving, if any
        const char* messaggio;
    } rifiuti[] = {
        {f().DbcContofat, "Conto inesistente", nullptr, "definire un codice per la contabilizzazione delle fatture"},
        {f().DbcContofat, "04.01.00.0000", nullptr, "definire un codice per la contabilizzazione delle fatture"},
        {f().DbcDare, "04.09.09.0001", "Il conto 04.09.09.0000 non è definito",
         "definire il codice in dare per la generazione della prima nota"},
        {f().DbcAvere, "XYZ", "Il codice mnemonico digitato non è definito",
         "definire il codice in avere per la generazione della prima nota"},
    };
    for (const auto& r : rifiuti) {
        SCOPED_TRACE(r.scritto);
        voce("NUO");
        scrivi(f().DbcContofat, "04.01.01.0001");
        scrivi(f().DbcDare, "01.02.01.0001");
        scrivi(f().DbcAvere, "04.01.01.0002");
        scrivi(r.campo, r.scritto);
        if (r.avviso) box.expectMessage(Answer::Ok, r.avviso, "CONTROLLO CODICE PdC");
        lascia();
        box.expectMessage(Answer::Ok, r.messaggio);
        clic(f().CmdConferma);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(QApplication::focusWidget(), r.campo);
        EXPECT_EQ(colonna("SELECT count(*) FROM elefat WHERE codice = 'NUO'").toInt(), 0);
        clic(f().CmdAnnulla);
    }

    // A word of the chart written into a box and confirmed at once, the box never left.
    voce("ANT");
    scrivi(f().DbcContofat, "Onorari");
    scrivi(f().DbcDare, "01.02.01.0001");
    lascia();
    f().DbcAvere->setEditText("anticipi");
    clic(f().CmdConferma);
    EXPECT_EQ(conti("ANT"), "04.01.01.0001|01.02.01.0001|04.01.02.0001");

    // A correction reads the typed account the same way, and refuses one naming none.
    clic(f().CmdAnnulla);
    scrivi(f().DbcCodice, "ONO");
    clic(f().CmdRicerca);
    clic(f().DbcDare);
    ASSERT_EQ(f().ModoOperativo, 3);
    scrivi(f().DbcDare, "0102010001");
    clic(f().CmdCorreggi);
    EXPECT_EQ(f().DbcDare->currentText(), "Cassa contanti");
    EXPECT_EQ(conti("ONO"), "04.01.01.0001|01.02.01.0001|04.01.01.0002");
    clic(f().DbcAvere);
    scrivi(f().DbcAvere, "Nessun conto");
    box.expectMessage(Answer::Ok, "definire il codice in avere per la generazione della prima nota");
    clic(f().CmdCorreggi);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(conti("ONO"), "04.01.01.0001|01.02.01.0001|04.01.01.0002");
    EXPECT_EQ(box.messageTexts().size(), 7);
}

// Linked, the blanks typed around an account's code or word are no part of it: the box reads
// the account as if they were not there, with no message.
TEST_F(FrmElefatTest, LinkedAnAccountTypedWithBlanksAroundItIsReadWithoutThem) {
    apri(true);
    clic(f().CmdAggiungi);
    const struct {
        const char *scritto, *codice, *descrizione;
    } casi[] = {
        {" 1.2.1.2", "01.02.01.0002", "Banca Popolare c/c 1234"},
        {"  0102010001  ", "01.02.01.0001", "Cassa contanti"},
        {" 04.01.01.0002 ", "04.01.01.0002", "Rimborsi spese"},
        {" anticipi ", "04.01.02.0001", "Spese anticipate per conto clienti"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.scritto);
        scrivi(f().DbcDare, c.scritto);
        lascia();
        EXPECT_EQ(f().LblDare->text(), c.codice);
        EXPECT_EQ(f().DbcDare->currentText(), c.descrizione);
    }
    EXPECT_TRUE(box.messageTexts().isEmpty());
}

TEST_F(FrmElefatTest, TheLoadRunsTheStartUpAgain) {
    installa();
    fascole.setParameters({{"nota1", "Nota costante"}});
    ParametriFattura().DataFattura = "01/01/2000";
    ParametriFattura().NumeroDocumento = "17";
    NoteFattura().Nota1 = "scritta a mano";
    FrmElefat form;
    EXPECT_EQ(ParametriFattura().DataFattura, QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(ParametriFattura().NumeroDocumento, "");
    EXPECT_EQ(NoteFattura().Nota1, "Nota costante");
    EXPECT_EQ(form.ModoOperativo, 0);
    EXPECT_FALSE(form.ElementoInVisione);
}

TEST_F(FrmElefatTest, StampaIsOnInViewAndCorrectionAndPreviewsTheCatalogue) {
    catalogoDi(1);
    apri();
    int stampe = 0;
    clic(f().CmdAggiungi);
    EXPECT_FALSE(f().CmdStampa->isEnabled());
    clic(f().CmdAnnulla);
    clic(f().CmdRicerca);
    ASSERT_TRUE(f().CmdStampa->isEnabled());
    {
        ModalHelper modali;
        QString titolo;
        modali.onNextModal([&](QWidget* anteprima) {
            titolo = anteprima->windowTitle();
            anteprima->close();
        });
        clic(f().CmdStampa);
        EXPECT_EQ(titolo, "STAMPA elementi da fatturara");
        EXPECT_TRUE(QFile::exists(cartella.file("SDBEleFat.mdb")));
    }
    f().Stampa = [&] { ++stampe; };
    clic(f().CmdStampa);
    clic(f().OptRichiesta);
    ASSERT_TRUE(f().CmdStampa->isEnabled());
    clic(f().CmdStampa);
    EXPECT_EQ(stampe, 2);
}

TEST_F(FrmElefatTest, EveryWayOfClosingGoesBackToTheSearchMaskFirst) {
    catalogoDi(2);
    apri();
    clic(f().CmdRicerca);
    clic(f().TxtImporto);
    ASSERT_EQ(f().ModoOperativo, 3);
    scrivi(f().TxtImporto, "999");
    f().close();  // the close box
    EXPECT_FALSE(f().isVisible());
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_EQ(colonna("SELECT importo FROM elefat WHERE codice = 'E01'").toInt(), 10);
}

TEST_F(FrmElefatTest, FromTheMenuTheCatalogueGivesTheWindowBackAndTheMaskSeesANewElementAtOnce) {
    catalogoDi(1);
    installa();
    FrmFascola finestra;
    MontaggioFinestra(finestra);
    finestra.Form_Load(cartella.path());
    finestra.show();
    QApplication::setActiveWindow(&finestra);
    QAction* voce = finestra.findChild<QAction*>("Elementi_da_fatturare");
    ASSERT_NE(voce, nullptr);
    ASSERT_TRUE(voce->isEnabled());

    // The mask's element list is read before, so a cached one would miss the new element.
    entra(finestra.Maschera->DbcRicercaCompetenza);
    EXPECT_EQ(finestra.Maschera->DbcRicercaCompetenza->count(), 1);

    ModalHelper modali;
    modali.onNextModal([](QWidget* w) {
        auto* d = qobject_cast<FrmElefat*>(w);
        ASSERT_NE(d, nullptr);
        QTest::mouseClick(d->CmdAggiungi, Qt::LeftButton);
        d->DbcCodice->setEditText("NEW");
        d->DbcDescrizione->setEditText("Nuovo elemento");
        d->TxtImporto->setText("5");
        d->TxtArrotonda->setText("1");
        d->DbcIva->setEditText("20");
        d->DbcIvacee->setEditText("0");
        QTest::mouseClick(d->CmdConferma, Qt::LeftButton);
        QTest::mouseClick(d->CmdFine, Qt::LeftButton);
    });
    finestra.ImpostaAttiva(false);
    voce->trigger();
    EXPECT_EQ(modali.pending(), 0);
    EXPECT_TRUE(finestra.Attiva());
    EXPECT_EQ(testo("SELECT descrizione FROM elefat WHERE codice = 'NEW'"), "Nuovo elemento");

    QApplication::setActiveWindow(&finestra);
    entra(finestra.Maschera->TxtRicercaImporto);
    entra(finestra.Maschera->DbcRicercaCompetenza);
    EXPECT_GE(finestra.Maschera->DbcRicercaCompetenza->findText("NEW"), 0);

    // The close box gives the window back as well.
    modali.onNextModal([](QWidget* w) { w->close(); });
    finestra.ImpostaAttiva(false);
    voce->trigger();
    EXPECT_TRUE(finestra.Attiva());
}

// A fault of the program in the fields of a new element or in the checks is told under the
// command's own text, and nothing is stored.
TEST_F(ElefatFixture, AFaultInANewElementOrInTheChecksIsToldUnderItsName) {
    installa();
    form = std::make_unique<SchedaGuasta<FrmElefat>>();
    const int prima = colonna("SELECT count(*) FROM elefat").toInt();
    const QStringList testi = GuastiDiAggiuntaEConferma(*f().CmdAggiungi, *f().CmdConferma);
    ASSERT_EQ(testi.size(), 2);
    EXPECT_TRUE(testi[0].contains("Funzione: Funzione di definizione nuovo elemento")) << testi[0].toStdString();
    EXPECT_TRUE(testi[1].contains("Funzione: Funzione di dati elemento definito")) << testi[1].toStdString();
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(colonna("SELECT count(*) FROM elefat").toInt(), prima);
}

}  // namespace
}  // namespace catalogo
