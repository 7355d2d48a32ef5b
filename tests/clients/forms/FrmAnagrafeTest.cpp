#include "clients/forms/FrmAnagrafe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "casefiles/forms/NavigatoreRecord.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/ui/RefillCombo.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/SchedaGuasta.h"

using ui::Answer;

namespace {

using Pulsanti = std::vector<bool>;
const Pulsanti ModoZero = {true, true, false, false, false, false};
const Pulsanti ModoInserimento = {false, false, false, false, true, true};
const Pulsanti ModoVisione = {false, false, false, true, false, true};
const Pulsanti ModoCorrezione = {false, false, true, false, false, true};
const QString NoveBlank = "         ";
const QString NessunaAnagrafica = "Non c'è nessuna anagrafica  definita nell'archivio";
const QString NonCancellabile = "L'anagrafica non è cancellabile: è in uso in una fascola";
const QString DomandaCancellazione = "Confermare la cancellazione dell'anagrafica";
const QString GiaUsato = "l'elemento è già usato nelle fascole, correggere propriamente";

class FrmAnagrafeTest : public ::testing::Test {
protected:
    FrmAnagrafeTest() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    ~FrmAnagrafeTest() override { RipristinaAmbiente(); }

    // Clients C01 to C0n, named Cliente 1 to Cliente n.
    void clienti(int quanti) {
        for (int i = 1; i <= quanti; ++i)
            fascole.addClient(QString("C%1").arg(i, 2, 10, QChar('0')),
                              {{"ragione", QString("Cliente %1").arg(i)}, {"indirizzo", "Via Roma"}, {"cap", "20100"},
                               {"localita", "Milano"}, {"provincia", "MI"}, {"stato", "IT"}, {"picf", "01234567890"}});
    }

    FrmAnagrafe& apri() {
        form = std::make_unique<FrmAnagrafe>();
        form->show();
        QApplication::setActiveWindow(form.get());
        return *form;
    }
    FrmAnagrafe& f() { return *form; }

    static void clic(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    static void scrivi(QLineEdit* box, const QString& testo) {
        box->setFocus();
        box->selectAll();
        box->del();
        QTest::keyClicks(box, testo);
    }
    void scriviCodice(const QString& testo) {
        f().DbcCodice->setFocus();
        f().DbcCodice->lineEdit()->selectAll();
        f().DbcCodice->lineEdit()->del();
        QTest::keyClicks(f().DbcCodice->lineEdit(), testo);
    }
    // An arrow of the browser: 1 first, 2 previous, 3 next, 4 last.
    void freccia(int azione) {
        NavigatoreRecord* n = f().DtaSelezionati;
        clic(std::array<QToolButton*, 4>{n->Primo, n->Precedente, n->Successivo, n->Ultimo}[size_t(azione - 1)]);
    }
    void cercaTutti() { clic(f().cmdRicerca); }

    Pulsanti pulsanti() {
        Pulsanti stato;
        for (QPushButton* b : {f().cmdAggiungi, f().cmdRicerca, f().cmdCorreggi, f().cmdCancella, f().cmdConferma,
                               f().cmdAnnulla})
            stato.push_back(b->isEnabled());
        return stato;
    }
    QString didascalia() { return f().DtaSelezionati->caption(); }
    QString codice() { return f().DbcCodice->currentText(); }
    db::Value colonna(const std::string& sql, const db::Params& parametri = {}) {
        return fascole.db().scalar(sql, parametri);
    }
    int quanti() { return int(colonna("SELECT count(*) FROM mpxanagrafe").toInt()); }
    // Billing parameters for `codice`: a fixed item and a one-row price list.
    void conParametri(const QString& codice) {
        fascole.addClientParameters(codice, {{"criterio", "M"}, {"elemento1", "FIS"}, {"applica1", "1"}});
        fascole.addPriceListItem(codice, "FIS", {{"importo", 999.0}, {"pagamento", "90"}});
    }
    // The parameter rows and the price-list rows stored under `codice`, as "parcli/elecli".
    QString parametri(const QString& codice) {
        return QString("%1/%2")
            .arg(colonna("SELECT count(*) FROM parcli WHERE codice = ?", {codice}).toInt())
            .arg(colonna("SELECT count(*) FROM elecli WHERE cliente = ?", {codice}).toInt());
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    std::unique_ptr<FrmAnagrafe> form;
};

TEST_F(FrmAnagrafeTest, TheFormOpensOnTheSearchMaskWithTheBoxesAsWideAsTheirColumns) {
    apri();
    EXPECT_EQ(f().windowTitle(), "ANAGRAFICA CLIENTI");
    EXPECT_EQ(f().lblTitolo->text(), "GESTIONE ANAGRAFICA CLIENTI");
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_EQ(pulsanti(), ModoZero);
    EXPECT_TRUE(f().cmdFine->isEnabled());
    EXPECT_EQ(f().lblAzioneInCorso->text(), "definisci i campi per selezione di ricerca");
    EXPECT_TRUE(f().lblAzioneInCorso->isVisible());
    EXPECT_EQ(f().TxtStato->text(), "IT");
    EXPECT_TRUE(f().DbcCodice->isEnabled());
    EXPECT_TRUE(f().TxtRagione->isEnabled());
    for (QLineEdit* t : {f().TxtIndirizzo, f().TxtCap, f().TxtLocalita, f().TxtProvincia, f().TxtStato, f().TxtPicf})
        EXPECT_FALSE(t->isEnabled()) << t->objectName().toStdString();

    clic(f().cmdAggiungi);
    const struct {
        QLineEdit* casella;
        int larghezza;
    } caselle[] = {{f().DbcCodice->lineEdit(), 10}, {f().TxtRagione, 60},   {f().TxtIndirizzo, 60}, {f().TxtCap, 5},
                   {f().TxtLocalita, 60},           {f().TxtProvincia, 2}, {f().TxtStato, 2},      {f().TxtPicf, 16}};
    for (const auto& c : caselle) {
        scrivi(c.casella, QString(c.larghezza + 3, 'x'));
        EXPECT_EQ(c.casella->text().size(), c.larghezza) << c.casella->objectName().toStdString();
    }
}

TEST_F(FrmAnagrafeTest, ConfermaChecksTheFieldsInOrderThenStoresAndStaysReadyForTheNext) {
    fascole.addClient("R01", {{"ragione", "Rossi"}});
    apri();
    clic(f().cmdAggiungi);
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(pulsanti(), ModoInserimento);
    EXPECT_EQ(f().lblAzioneInCorso->text(), "Inserimento di una nuova anagrafica");
    EXPECT_EQ(QApplication::focusWidget(), f().DbcCodice);
    scrivi(f().TxtStato, "");

    // Each step types one more field; CONFERMA then stops at the next check.
    const struct {
        std::function<void()> digita;
        QString messaggio;
        QWidget* fuoco;
    } passi[] = {
        {[] {}, "Definire il codice elemento", f().DbcCodice},
        {[&] { scriviCodice("r01"); }, "Il codice mnemonico dato è già definito", f().DbcCodice},
        {[&] { scriviCodice("N01"); }, "Definire la ragione sociale del cliente", f().TxtRagione},
        {[&] { scrivi(f().TxtRagione, "Neri \"Nino\" d'Arte"); }, "Definire l'indirizzo del cliente", f().TxtIndirizzo},
        {[&] { scrivi(f().TxtIndirizzo, "   "); }, "Definire il codice di avviamento postale", f().TxtCap},
        {[&] { scrivi(f().TxtCap, "00100"); }, "Definire la località dell'indirizzo del cliente", f().TxtLocalita},
        {[&] { scrivi(f().TxtLocalita, "Roma"); }, "Definire la provincia dell'indirizzo del cliente", f().TxtProvincia},
        {[&] { scrivi(f().TxtProvincia, "RM"); }, "Definire lo stato dell'indirizzo del cliente", f().TxtStato},
        {[&] { scrivi(f().TxtStato, "IT"); }, "Definire la partita iva e/o codice fiscale del cliente", f().TxtPicf},
    };
    for (const auto& p : passi) {
        p.digita();
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, p.messaggio);
        clic(f().cmdConferma);
        ASSERT_EQ(box.asked().size(), 1u) << p.messaggio.toStdString();
        EXPECT_EQ(box.asked()[0].title, "");
        EXPECT_EQ(QApplication::focusWidget(), p.fuoco) << p.messaggio.toStdString();
        EXPECT_EQ(f().ModoOperativo, 1);
    }
    EXPECT_EQ(quanti(), 1);

    scrivi(f().TxtPicf, "NRINNO80A01H501X");
    {
        ScriptedMessages box;  // nothing to say
        clic(f().cmdConferma);
    }
    auto rs = fascole.db().openRecordset("SELECT * FROM mpxanagrafe WHERE codice = 'N01'");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->field("ragione").toText(), "Neri \"Nino\" d'Arte");
    EXPECT_EQ(rs->field("indirizzo").toText(), "   ");
    EXPECT_EQ(rs->field("picf").toText(), "NRINNO80A01H501X");
    EXPECT_EQ(rs->field("indirizzo2").toText(), " ");
    EXPECT_EQ(rs->field("trasportatore").toText(), " ");

    // The mask is empty but for the state, ready for the next client.
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(pulsanti(), ModoInserimento);
    EXPECT_TRUE(codice().isEmpty());
    EXPECT_TRUE(f().TxtRagione->text().isEmpty());
    EXPECT_TRUE(f().TxtPicf->text().isEmpty());
    EXPECT_EQ(f().TxtStato->text(), "IT");
    f().DbcCodice->clearFocus();
    f().DbcCodice->setFocus();
    QStringList lista;
    for (int i = 0; i < f().DbcCodice->count(); ++i) lista << f().DbcCodice->itemText(i);
    EXPECT_EQ(lista, QStringList({"N01", "R01"}));
}

TEST_F(FrmAnagrafeTest, AClientTheArchiveRefusesKeepsTheMaskAsTyped) {
    // Stands for any refusal of the archive: a client added meanwhile under the same code
    // by another workstation, a lock that does not go away.
    fascole.db().execute("CREATE TRIGGER rifiuta BEFORE INSERT ON mpxanagrafe BEGIN SELECT RAISE(ABORT, 'no'); END");
    apri();
    clic(f().cmdAggiungi);
    scriviCodice("N01");
    for (QLineEdit* t : {f().TxtRagione, f().TxtIndirizzo, f().TxtCap, f().TxtLocalita, f().TxtProvincia, f().TxtPicf})
        scrivi(t, "x");
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
        clic(f().cmdConferma);
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(box.asked()[0].text.contains("Funzione di registrazione di una anagrafica"));
    }
    EXPECT_EQ(quanti(), 0);
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(codice(), "N01");
    EXPECT_EQ(f().TxtPicf->text(), "x");
}

TEST_F(FrmAnagrafeTest, ASearchShowsTheFirstClientAndTheArrowsBrowseTheResult) {
    clienti(7);
    apri();
    cercaTutti();
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_EQ(pulsanti(), ModoVisione);
    EXPECT_EQ(f().lblAzioneInCorso->text(), "Visualizzazione anagrafica");
    EXPECT_EQ(didascalia(), "1 di 7");
    EXPECT_EQ(codice(), "C01");
    EXPECT_EQ(f().TxtRagione->text(), "Cliente 1");
    EXPECT_EQ(f().TxtPicf->text(), "01234567890");
    EXPECT_TRUE(f().TxtPicf->isEnabled());
    EXPECT_TRUE(f().AnagraficaInVisione);

    const struct {
        int azione;
        QString codice, didascalia;
    } passi[] = {{3, "C02", " 2 di  7"}, {3, "C03", " 3 di  7"}, {2, "C02", " 2 di  7"},
                 {4, "C07", " 7 di  7"}, {1, "C01", "1 di 7"}};
    for (const auto& p : passi) {
        freccia(p.azione);
        EXPECT_EQ(codice(), p.codice);
        EXPECT_EQ(didascalia(), p.didascalia);
        EXPECT_TRUE(f().AnagraficaInVisione);
    }

    // A step that cannot move leaves everything on show, but a click no longer corrects.
    freccia(2);
    EXPECT_EQ(codice(), "C01");
    EXPECT_EQ(didascalia(), "1 di 7");
    EXPECT_FALSE(f().AnagraficaInVisione);
    clic(f().TxtRagione);
    EXPECT_EQ(f().ModoOperativo, 2);
    freccia(4);
    freccia(3);
    EXPECT_EQ(didascalia(), " 7 di  7");
    clic(f().TxtRagione);
    EXPECT_EQ(f().ModoOperativo, 2);
}

TEST_F(FrmAnagrafeTest, TheSearchKeysAreCodeAndNameWhole) {
    clienti(3);
    fascole.addClient("R01", {{"ragione", "Cliente 2"}, {"stato", nullptr}});
    apri();
    scriviCodice("R01");
    scrivi(f().TxtRagione, "Cliente 2");
    cercaTutti();
    EXPECT_EQ(didascalia(), "1 di 1");
    EXPECT_EQ(codice(), "R01");
    EXPECT_EQ(f().TxtStato->text(), "IT") << "no state shows as Italy";
    // LAST on a single client moves nothing.
    freccia(4);
    EXPECT_EQ(didascalia(), "1 di 1");
    EXPECT_FALSE(f().AnagraficaInVisione);

    clic(f().cmdAnnulla);
    scrivi(f().TxtRagione, "Cliente");
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, NessunaAnagrafica);
        cercaTutti();
    }
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_EQ(pulsanti(), ModoZero);
    EXPECT_TRUE(f().TxtRagione->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), f().DbcCodice);
    // The empty result replaced the last one: nothing to browse.
    freccia(1);
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_TRUE(codice().isEmpty());
}

TEST_F(FrmAnagrafeTest, TheArrowsDoNothingBeforeASearchAndActOnTheLastResultAfterAnnulla) {
    clienti(2);
    apri();
    for (int azione = 1; azione <= 4; ++azione) freccia(azione);
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_TRUE(codice().isEmpty());
    EXPECT_TRUE(didascalia().isEmpty());

    // Nor do they disturb a client being typed in.
    clic(f().cmdAggiungi);
    scriviCodice("N01");
    freccia(1);
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(codice(), "N01");

    clic(f().cmdAnnulla);
    cercaTutti();
    clic(f().cmdAnnulla);
    EXPECT_EQ(didascalia(), NoveBlank);
    EXPECT_EQ(f().ModoOperativo, 0);
    freccia(4);
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_EQ(codice(), "C02");
    EXPECT_EQ(didascalia(), " 2 di  2");
}

TEST_F(FrmAnagrafeTest, ACorrectionSavesTheFieldsAndKeepsCodeSecondAddressAndCarrier) {
    fascole.addClient("R01", {{"ragione", "Rossi Mario"}, {"indirizzo", "Via Roma 1"}, {"indirizzo2", "Scala B"},
                              {"cap", "20100"}, {"localita", "Milano"}, {"provincia", "MI"}, {"stato", nullptr},
                              {"picf", "01234567890"}, {"trasportatore", "VETTORE1"}});
    fascole.addCaseFile("R01", "0001", "2004-03-05", {{"numpranno", "2004.00001"}});
    apri();
    cercaTutti();
    {
        // A client in use may be corrected, with a warning at each click on a field.
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, GiaUsato).expectMessage(Answer::Ok, GiaUsato);
        clic(f().TxtRagione);
        EXPECT_EQ(f().ModoOperativo, 3);
        EXPECT_EQ(pulsanti(), ModoCorrezione);
        EXPECT_EQ(f().lblAzioneInCorso->text(), "Correzione anagrafica");
        clic(f().TxtLocalita);
    }
    scrivi(f().TxtRagione, "Rossi Mario & C.");
    scrivi(f().TxtLocalita, "Monza");
    scriviCodice("R99");
    {
        ScriptedMessages box;
        clic(f().cmdCorreggi);
    }
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_EQ(pulsanti(), ModoVisione);
    auto rs = fascole.db().openRecordset("SELECT * FROM mpxanagrafe");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->field("codice").toText(), "R01");
    EXPECT_EQ(rs->field("ragione").toText(), "Rossi Mario & C.");
    EXPECT_EQ(rs->field("localita").toText(), "Monza");
    EXPECT_EQ(rs->field("stato").toText(), "IT");
    EXPECT_EQ(rs->field("indirizzo2").toText(), "Scala B");
    EXPECT_EQ(rs->field("trasportatore").toText(), "VETTORE1");
    EXPECT_EQ(codice(), "R99") << "the fields keep what was typed";

    // A refused check keeps the correction going.
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, GiaUsato).expectMessage(Answer::Ok, "Definire la ragione sociale del cliente");
        clic(f().TxtRagione);
        scrivi(f().TxtRagione, "");
        clic(f().cmdCorreggi);
    }
    EXPECT_EQ(f().ModoOperativo, 3);
    EXPECT_EQ(colonna("SELECT ragione FROM mpxanagrafe").toText(), "Rossi Mario & C.");
}

TEST_F(FrmAnagrafeTest, AClientChangedByAnotherWorkstationIsNotOverwritten) {
    clienti(1);
    apri();
    cercaTutti();
    clic(f().TxtRagione);
    scrivi(f().TxtRagione, "Scritto qui");
    fascole.db().execute("UPDATE mpxanagrafe SET ragione = 'Scritto altrove'");
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
        clic(f().cmdCorreggi);
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(box.asked()[0].text.contains("3197"));
    }
    EXPECT_EQ(f().ModoOperativo, 3);
    EXPECT_EQ(f().TxtRagione->text(), "Scritto qui");
    EXPECT_EQ(colonna("SELECT ragione FROM mpxanagrafe").toText(), "Scritto altrove");
}

TEST_F(FrmAnagrafeTest, CancellaDeletesTheClientOnDisplayAndShowsTheOneInItsPlace) {
    clienti(5);
    apri();
    cercaTutti();
    freccia(4);
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Yes, DomandaCancellazione);
        clic(f().cmdCancella);
        EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::YesNo);
    }
    EXPECT_EQ(codice(), "C04");
    EXPECT_EQ(didascalia(), " 4 di  4");
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_TRUE(f().AnagraficaInVisione);

    freccia(1);
    freccia(3);
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Yes, DomandaCancellazione);
        clic(f().cmdCancella);
    }
    EXPECT_EQ(codice(), "C03");
    EXPECT_EQ(didascalia(), " 2 di  3");
    freccia(1);
    EXPECT_EQ(codice(), "C01");
    freccia(4);
    EXPECT_EQ(codice(), "C04");
    EXPECT_EQ(colonna("SELECT group_concat(codice) FROM (SELECT codice FROM mpxanagrafe ORDER BY codice)").toText(),
              "C01,C03,C04");

    // No keeps the client, and a click on a field no longer corrects.
    {
        ScriptedMessages box;
        box.expectMessage(Answer::No, DomandaCancellazione);
        clic(f().cmdCancella);
    }
    EXPECT_EQ(quanti(), 3);
    EXPECT_EQ(codice(), "C04");
    clic(f().TxtRagione);
    EXPECT_EQ(f().ModoOperativo, 2);
}

TEST_F(FrmAnagrafeTest, AClientWithACaseFileIsNotDeletedAndTheLastDeletionEmptiesTheMask) {
    clienti(1);
    fascole.addClient("R01", {{"ragione", "Rossi"}});
    fascole.addCaseFile("r01", "0001", "2004-03-05", {{"numpranno", "2004.00001"}});
    apri();
    scriviCodice("R01");
    cercaTutti();
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, NonCancellabile);
        clic(f().cmdCancella);
    }
    EXPECT_EQ(quanti(), 2);
    EXPECT_EQ(f().ModoOperativo, 2);
    EXPECT_TRUE(f().AnagraficaInVisione);

    clic(f().cmdAnnulla);
    scriviCodice("C01");
    cercaTutti();
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Yes, DomandaCancellazione);
        clic(f().cmdCancella);
    }
    EXPECT_EQ(quanti(), 1);
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_EQ(pulsanti(), ModoZero);
    EXPECT_EQ(didascalia(), NoveBlank);
    EXPECT_TRUE(codice().isEmpty());
    for (int azione = 1; azione <= 4; ++azione) freccia(azione);
    EXPECT_EQ(f().ModoOperativo, 0);
    EXPECT_TRUE(codice().isEmpty());
}

TEST_F(FrmAnagrafeTest, CancellaTakesTheClientsParametersAndPriceListWithIt) {
    clienti(2);
    conParametri("C01");
    conParametri("C02");
    apri();
    scriviCodice("C01");
    cercaTutti();
    {
        ScriptedMessages box;
        box.expectMessage(Answer::No, DomandaCancellazione);
        clic(f().cmdCancella);
    }
    EXPECT_EQ(parametri("C01"), "1/1");
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Yes, DomandaCancellazione);
        clic(f().cmdCancella);
    }
    EXPECT_EQ(quanti(), 1);
    EXPECT_EQ(parametri("C01"), "0/0");
    EXPECT_EQ(parametri("C02"), "1/1");
    EXPECT_EQ(f().ModoOperativo, 0);
}

// Answers every question itself, and opens a case file for C01 the moment the deletion is
// asked for, as a second workstation could.
class AltraPostazione final : public ui::MessageService {
public:
    explicit AltraPostazione(fixtures::CaseFileArchive& archivio) : archivio_(archivio) { install(this); }
    ~AltraPostazione() override { install(nullptr); }

    ui::Answer message(const ui::MessageRequest& r) override {
        testi << r.text;
        if (r.text != DomandaCancellazione) return Answer::Ok;
        archivio_.addCaseFile("C01", "0001", "2004-03-05", {{"numpranno", "2004.00001"}});
        return Answer::Yes;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseFile(const ui::FileRequest&) override { return {}; }
    std::optional<QString> chooseFolder(const QString&, const QString&) override { return {}; }

    QStringList testi;

private:
    fixtures::CaseFileArchive& archivio_;
};

TEST_F(FrmAnagrafeTest, ACaseFileOpenedElsewhereWhileTheQuestionIsOnScreenStopsTheDeletion) {
    clienti(1);
    conParametri("C01");
    apri();
    cercaTutti();
    AltraPostazione altra(fascole);
    clic(f().cmdCancella);
    EXPECT_EQ(altra.testi, QStringList({DomandaCancellazione, NonCancellabile}));
    EXPECT_EQ(quanti(), 1);
    EXPECT_EQ(parametri("C01"), "1/1");
    EXPECT_EQ(codice(), "C01");
}

// A fault of the program in the fields of a new client or in the checks is told under the
// command's own text, and nothing is stored.
TEST_F(FrmAnagrafeTest, AFaultInANewClientOrInTheChecksIsToldUnderItsName) {
    form = std::make_unique<SchedaGuasta<FrmAnagrafe>>();
    const QStringList testi = GuastiDiAggiuntaEConferma(*f().cmdAggiungi, *f().cmdConferma);
    ASSERT_EQ(testi.size(), 2);
    EXPECT_TRUE(testi[0].contains("Funzione: Funzione di definizione nuova anagrafica")) << testi[0].toStdString();
    EXPECT_TRUE(testi[1].contains("Funzione: Funzione di Verifica dei dati inseriti")) << testi[1].toStdString();
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(quanti(), 0);
}

}  // namespace
