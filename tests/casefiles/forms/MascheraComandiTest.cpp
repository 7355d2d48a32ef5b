#include <QDate>
#include <QDir>
#include <QTime>
#include <QTreeView>

#include "casefiles/forms/MascheraFixture.h"
#include "casefiles/forms/NodiAlbero.h"
#include "platform/db/Recordset.h"
#include "support/SchedaGuasta.h"

using ui::Answer;

namespace maschera {
namespace {

const QString Esaurita = "Numerazione delle fascole esaurita: non è possibile aggiungere altre fascole";
const QString NonDefinito = "Cliente non definito: scegliere un cliente esistente";

class MascheraComandi : public MascheraFixture {
protected:
    MascheraComandi() {
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
        fascole.addClient("B02", {{"ragione", "Bianchi Srl"}});
    }

    // AGGIUNGI, then the client chosen by name, a criterion and an opening date.
    void nuovaFascola(const QString& nome, const QString& data = "05/03/2004") {
        clic(m().CmdAggiungiFascola);
        scegliCliente(nome);
        clic(m().OptOgniVoce);
        scrivi(m().TxtData, data);
        lascia();
    }

    int conta(const QString& tabella) {
        return int(colonna("SELECT count(*) FROM " + tabella.toStdString()).toInt());
    }
};

TEST_F(MascheraComandi, ChoosingTheClientResolvesTheCodeAndProposesTheNextNumberOnlyWhenAdding) {
    fascole.addCaseFile("R01", "0007", "2004-01-10", {{"numpranno", "2004.00001"}});
    avvia();
    scegliCliente("Rossi Mario");
    EXPECT_EQ(m().LblCodiceCliente->text(), "R01");
    EXPECT_EQ(FascolaCorrente().CodiceClienteCorrente(), "R01");
    EXPECT_EQ(FascolaCorrente().NomeClienteCorrente(), "Rossi Mario");
    EXPECT_TRUE(m().LblNpra->text().isEmpty()) << "no proposal in the search mask";

    clic(m().CmdAggiungiFascola);
    const struct {
        QString nome, codice, npra;
    } casi[] = {{"Rossi Mario", "R01", "0008"}, {"Bianchi Srl", "B02", "0001"}, {"Nessuno", "NON DEFINITO", "0001"}};
    for (const auto& c : casi) {
        scegliCliente(c.nome);
        EXPECT_EQ(m().LblCodiceCliente->text(), c.codice);
        EXPECT_EQ(m().LblNpra->text(), c.npra);
        EXPECT_EQ(FascolaCorrente().NpraCorrente(), c.npra);
    }
    // A name that matches nobody leaves the code of the last client found.
    EXPECT_EQ(FascolaCorrente().CodiceClienteCorrente(), "B02");
}

TEST_F(MascheraComandi, LinkedTheClientsAreTheChartsClientAccounts) {
    avvia(true);
    clic(m().CmdAggiungiFascola);
    m().DbcNomeCliente->refill();
    QStringList nomi;
    for (int i = 0; i < m().DbcNomeCliente->count(); ++i) nomi << m().DbcNomeCliente->itemText(i);
    EXPECT_EQ(nomi, QStringList({"Bianchi & Figli S.n.c.", "L'Ottica di Verdi Anna", "Rossi Mario S.r.l."}));
    scegliCliente("L'Ottica di Verdi Anna");
    EXPECT_EQ(m().LblCodiceCliente->text(), "01.01.01.0003");
    EXPECT_EQ(m().LblNpra->text(), "0001");
}

TEST_F(MascheraComandi, ConfermaStoresTheCaseFileAndStaysReadyForTheNext) {
    fascole.addCaseFile("B02", "0001", "2003-12-10", {{"numpranno", "2003.00008"}});
    avvia();
    nuovaFascola("Rossi Mario");
    clic(m().OptFineMese);
    scrivi(m().TxtRifCli, "Pratica \"7\" d'Italia");
    clic(m().ChkStato);
    {
        ScriptedMessages box;  // the first of its year: no message
        clic(m().CmdConfermaFascola);
    }
    auto rs = fascole.db().openRecordset("SELECT * FROM fascola WHERE cliente = 'R01'");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->field("npra").toText(), "0001");
    EXPECT_EQ(rs->field("criterio").toText(), "M");
    EXPECT_EQ(rs->field("data").toText(), "2004-03-05");
    EXPECT_EQ(rs->field("camponote").toText(), " ");
    EXPECT_EQ(rs->field("rifcli").toText(), "Pratica \"7\" d'Italia");
    EXPECT_FALSE(rs->field("stato").toBool());
    EXPECT_EQ(rs->field("numpranno").toText(), "2004.00001");
    EXPECT_EQ(m().ModoOperativo, 1);
    EXPECT_TRUE(m().DbcNomeCliente->currentText().isEmpty());
    EXPECT_TRUE(m().TxtData->text().isEmpty());
    EXPECT_TRUE(m().LblNpra->text().isEmpty());
    EXPECT_TRUE(m().CmdConfermaFascola->isEnabled());

    // The next one of the same year is told its absolute number; a date of the previous
    // year continues that year's sequence.
    const struct {
        QString nome, data, npra, numero;
    } seguenti[] = {{"Rossi Mario", "06/03/2004", "0002", "2004.00002"},
                    {"Bianchi Srl", "20/12/2003", "0002", "2003.00009"}};
    for (const auto& s : seguenti) {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, "Numero assegnato: " + s.numero, "NUMERAZIONE ASSOLUTA FASCOLE");
        scegliCliente(s.nome);
        EXPECT_EQ(m().LblNpra->text(), s.npra);
        clic(m().OptOgniVoce);
        scrivi(m().TxtData, s.data);
        clic(m().CmdConfermaFascola);
        EXPECT_EQ(box.asked().size(), 1u);
    }
    EXPECT_EQ(conta("fascola"), 4);
}

TEST_F(MascheraComandi, ConfermaChargesTheClientsFixedItemsOnTheNewCaseFile) {
    fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 100}});
    fascole.addCatalogueItem("BOL", {{"descrizione", "Bolli"}, {"importo", 2}});
    fascole.addPriceListItem("R01", "BOL", {{"importo", 3}});
    fascole.addClientParameters("R01", {{"elemento1", "ONO"}, {"applica1", "1"}, {"elemento2", "BOL"},
                                        {"applica2", "1"}, {"elemento3", "XXX"}, {"applica3", "3"}});
    avvia();
    nuovaFascola("Rossi Mario");
    clic(m().CmdConfermaFascola);
    auto rs = fascole.db().openRecordset("SELECT * FROM competenze ORDER BY elemento");
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->field("elemento").toText(), "BOL");
    EXPECT_EQ(rs->field("npra").toText(), "0001");
    EXPECT_EQ(rs->field("impofat").toCurrency(), Currency::fromDouble(3));
    rs->MoveNext();
    EXPECT_EQ(rs->field("elemento").toText(), "ONO");
    EXPECT_EQ(rs->field("ntask").toText(), "0000");

    // Found again, the case file shows them in its fee grid.
    clic(m().CmdAnnullaFascola);
    cercaTutte();
    const ui::Grid& griglia = *competenze().C_FlxCompetenze;
    EXPECT_EQ(griglia.text(1, 2), "BOL");
    EXPECT_EQ(griglia.text(1, 6), "3,00");
    EXPECT_EQ(griglia.text(2, 2), "ONO");
    EXPECT_EQ(griglia.text(2, 6), "100,00");
}

TEST_F(MascheraComandi, ConfermaRefusesANameThatMatchedNoClient) {
    fascole.addClientParameters("R01", {{"elemento1", "ONO"}, {"applica1", "1"}});
    fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}});
    avvia();
    nuovaFascola("Rossi Mario");
    scegliCliente("Rossi Maria");
    ASSERT_EQ(m().LblCodiceCliente->text(), "NON DEFINITO");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, NonDefinito, "");
    clic(m().CmdConfermaFascola);
    EXPECT_EQ(conta("fascola"), 0);
    EXPECT_EQ(conta("competenze"), 0);
    EXPECT_EQ(m().DbcNomeCliente->currentText(), "Rossi Maria") << "the mask keeps what was typed";
}

TEST_F(MascheraComandi, AClientAt9999IsRefusedInsteadOfGettingNumberNone) {
    fascole.addCaseFile("R01", "9999", "2004-01-10", {{"numpranno", "2004.00001"}});
    avvia();
    clic(m().CmdAggiungiFascola);
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, Esaurita, "");
        scegliCliente("Rossi Mario");
    }
    EXPECT_TRUE(m().LblNpra->text().isEmpty());
    clic(m().OptOgniVoce);
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, Esaurita, "");
    clic(m().CmdConfermaFascola);
    EXPECT_EQ(conta("fascola"), 1);
}

TEST_F(MascheraComandi, ANumberTakenMeanwhileIsReplacedByTheNextFreeOne) {
    avvia();
    nuovaFascola("Rossi Mario");
    ASSERT_EQ(m().LblNpra->text(), "0001");
    // Another workstation stores 0001 for the same client in the meantime.
    fascole.addCaseFile("R01", "0001", "2004-02-01", {{"numpranno", "2004.00001"}});
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Numero assegnato: 2004.00002", "NUMERAZIONE ASSOLUTA FASCOLE");
    clic(m().CmdConfermaFascola);
    EXPECT_EQ(colonna("SELECT npra FROM fascola WHERE numpranno = '2004.00002'").toText(), "0002");
    EXPECT_EQ(FascolaCorrente().NpraCorrente(), "") << "the mask is emptied after the insert";
}

TEST_F(MascheraComandi, CorreggiRewritesTheShownRowButNeverItsKeyOrNumber) {
    fascole.addCaseFile("R01", "0001", "2004-01-10",
                        {{"criterio", "M"}, {"camponote", "vecchia"}, {"rifcli", "A"}, {"stato", true},
                         {"numpranno", "2004.00001"}});
    avvia();
    cercaTutte();
    clic(m().OptFineLavoro);
    ASSERT_EQ(m().ModoOperativo, 3);
    scrivi(m().TxtNote, "");
    scrivi(m().TxtRifCli, "B\"2");
    scrivi(m().TxtData, "020304");
    lascia();
    clic(m().ChkStato);
    // A name changed during a correction changes the label, not the row.
    scegliCliente("Bianchi Srl");
    clic(m().CmdCorreggiFascola);
    EXPECT_EQ(m().ModoOperativo, 2);
    EXPECT_TRUE(m().FascolaInVisione);
    auto rs = fascole.db().openRecordset("SELECT * FROM fascola");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->field("cliente").toText(), "R01");
    EXPECT_EQ(rs->field("npra").toText(), "0001");
    EXPECT_EQ(rs->field("numpranno").toText(), "2004.00001");
    EXPECT_EQ(rs->field("criterio").toText(), "L");
    EXPECT_EQ(rs->field("data").toText(), "2004-03-02");
    EXPECT_EQ(rs->field("camponote").toText(), " ");
    EXPECT_EQ(rs->field("rifcli").toText(), "B\"2");
    EXPECT_FALSE(rs->field("stato").toBool());
}

TEST_F(MascheraComandi, CancellaIsRefusedWhileTheCaseFileHasTasksOrFeeItems) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("R01", "0002", "2004-01-09", {{"numpranno", "2004.00002"}});
    fascole.addTask("R01", "0001", "0001");
    fascole.addFeeItem("R01", "0002", "0000", "0000", "ONO");
    avvia();
    cercaTutte();
    const QString messaggi[] = {"Non si può cancellare una fascola che ha Incarichi associati",
                                "Non si può cancellare una fascola che ha Competenze associate"};
    for (const QString& messaggio : messaggi) {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, messaggio, "");
        clic(m().CmdCancellaFascola);
        EXPECT_EQ(conta("fascola"), 2);
        EXPECT_EQ(m().ModoOperativo, 2);
        clic(m().DtaSelezionatiFascola->Successivo);
    }
}

TEST_F(MascheraComandi, CancellaAsksAndThenShowsTheRowNowAtThatPosition) {
    for (const char* npra : {"0001", "0002", "0003"})
        fascole.addCaseFile("R01", npra, "2004-01-10", {{"numpranno", QString("2004.0") + npra}});
    avvia();
    cercaTutte();  // 0003, 0002, 0001
    {
        ScriptedMessages box;
        box.expectMessage(Answer::No, "Confermare la cancellazione della fascola", "");
        clic(m().CmdCancellaFascola);
        EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::YesNo);
    }
    EXPECT_EQ(conta("fascola"), 3);
    EXPECT_TRUE(m().FascolaInVisione);

    const struct {
        QToolButton* dove;
        QString didascalia, npraMostrata;
        int rimaste;
    } passi[] = {{m().DtaSelezionatiFascola->Primo, " 1 di  2", "0002", 2},
                 {m().DtaSelezionatiFascola->Ultimo, " 1 di  1", "0002", 1}};
    for (const auto& p : passi) {
        clic(p.dove);
        ScriptedMessages box;
        box.expectMessage(Answer::Yes, "Confermare la cancellazione della fascola", "");
        clic(m().CmdCancellaFascola);
        EXPECT_EQ(conta("fascola"), p.rimaste);
        EXPECT_EQ(didascalia(), p.didascalia);
        EXPECT_EQ(m().LblNpra->text(), p.npraMostrata);
        EXPECT_EQ(m().ModoOperativo, 2);
        EXPECT_TRUE(m().FascolaInVisione);
    }
    ScriptedMessages box;
    box.expectMessage(Answer::Yes, "Confermare la cancellazione della fascola", "");
    clic(m().CmdCancellaFascola);
    EXPECT_EQ(conta("fascola"), 0);
    EXPECT_EQ(m().ModoOperativo, 0);
    EXPECT_FALSE(m().FascolaInVisione);
}

TEST_F(MascheraComandi, CancellaChecksTheRowItDeletesWhateverTheLabelsShow) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("B02", "0001", "2004-01-10", {{"numpranno", "2004.00002"}});
    fascole.addTask("R01", "0001", "0001");
    avvia();
    cercaTutte();
    clic(m().DtaSelezionatiFascola->Ultimo);
    ASSERT_EQ(m().LblCodiceCliente->text(), "R01");
    // Entering the name box by keyboard is no click: the mask stays in view.
    scegliCliente("Bianchi Srl");
    ASSERT_EQ(m().ModoOperativo, 2);
    ASSERT_EQ(m().LblCodiceCliente->text(), "B02");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Non si può cancellare una fascola che ha Incarichi associati", "");
    clic(m().CmdCancellaFascola);
    EXPECT_EQ(conta("fascola"), 2);
}

// Answers Yes to the deletion question after another workstation has added a task to the
// case file, as happens when the question stays on screen for a while.
class TaskDuranteLaDomanda final : public ui::MessageService {
public:
    explicit TaskDuranteLaDomanda(fixtures::CaseFileArchive& fascole)
        : fascole_(fascole), precedente_(&ui::MessageService::current()) {
        ui::MessageService::install(this);
    }
    ~TaskDuranteLaDomanda() override { ui::MessageService::install(precedente_); }

    ui::Answer message(const ui::MessageRequest& r) override {
        testi << r.text;
        if (r.buttons != ui::Buttons::YesNo) return ui::Answer::Ok;
        fascole_.addTask("R01", "0001", "0001");
        return ui::Answer::Yes;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseFile(const ui::FileRequest&) override { return {}; }
    std::optional<QString> chooseFolder(const QString&, const QString&) override { return {}; }

    QStringList testi;

private:
    fixtures::CaseFileArchive& fascole_;
    ui::MessageService* precedente_;
};

TEST_F(MascheraComandi, ATaskAddedWhileTheQuestionIsOnScreenStillKeepsTheCaseFile) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    avvia();
    cercaTutte();
    TaskDuranteLaDomanda box(fascole);
    clic(m().CmdCancellaFascola);
    EXPECT_EQ(conta("fascola"), 1);
    EXPECT_EQ(box.testi, QStringList({"Confermare la cancellazione della fascola",
                                      "Non si può cancellare una fascola che ha Incarichi associati"}));
}

TEST_F(MascheraComandi, ANewUsersCaseFileFromAddingToDeleting) {
    fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 250}});
    fascole.addClientParameters("R01", {{"elemento1", "ONO"}, {"applica1", "1"}});
    avvia();

    // Two case files for Rossi: the proposed numbers, then the absolute number of the second.
    for (const QString npra : {"0001", "0002"}) {
        ScriptedMessages box;
        if (npra == "0002")
            box.expectMessage(Answer::Ok, "Numero assegnato: 2004.00002", "NUMERAZIONE ASSOLUTA FASCOLE");
        nuovaFascola("Rossi Mario");
        EXPECT_EQ(m().LblNpra->text(), npra);
        scrivi(m().TxtRifCli, "Pratica " + npra);
        clic(m().CmdConfermaFascola);
    }

    // Found by its client, with its fixed item in the fee grid and in the client tree.
    clic(m().CmdAnnullaFascola);
    scegliCliente("Rossi Mario");
    clic(m().CmdRicercaFascola);
    ASSERT_EQ(m().NumSelezionati, 2);
    EXPECT_EQ(didascalia(), "1 di 2");
    EXPECT_EQ(m().LblNpra->text(), "0002");
    EXPECT_EQ(m().LblNumeroAssoluto->text(), "2004.00002");
    EXPECT_EQ(competenze().C_FlxCompetenze->text(1, 2), "ONO");
    EXPECT_EQ(competenze().C_FlxCompetenze->text(1, 6), "250,00");
    ASSERT_EQ(albero::figli(*finestra.TrvFascole), 2);
    EXPECT_EQ(albero::testo(albero::nodo(*finestra.TrvFascole, 1)), "Rossi Mario");
    EXPECT_EQ(albero::figli(*finestra.TrvFascole, albero::nodo(*finestra.TrvFascole, 1)), 2);

    // Corrected.
    clic(m().TxtNote);
    scrivi(m().TxtNote, "Successione");
    clic(m().CmdCorreggiFascola);
    EXPECT_EQ(colonna("SELECT camponote FROM fascola WHERE npra = '0002'").toText(), "Successione");

    // Deleted once its fee item is gone.
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, "Non si può cancellare una fascola che ha Competenze associate", "");
        clic(m().CmdCancellaFascola);
    }
    fascole.db().execute("DELETE FROM competenze WHERE npra = '0002'");
    ScriptedMessages box;
    box.expectMessage(Answer::Yes, "Confermare la cancellazione della fascola", "");
    clic(m().CmdCancellaFascola);
    EXPECT_EQ(conta("fascola"), 1);
    EXPECT_EQ(didascalia(), " 1 di  1");
    EXPECT_EQ(m().LblNpra->text(), "0001");
}

TEST_F(MascheraComandi, StampaProspettoClearsAwayTheFileNamedAfterThisMoment) {
    avvia();
    clic(m().CmdAggiungiFascola);
    const QDateTime adesso = QDateTime::currentDateTime();
    QStringList nomi;
    for (int secondi = 0; secondi < 2; ++secondi) {
        const QDateTime t = adesso.addSecs(secondi);
        nomi << t.toString("MMdd") + t.toString("hhmmss") + "mdb";
        QFile f(cartella.file(nomi.back()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    clic(m().CmdStampaFascola);
    const int rimasti = int(QFile::exists(cartella.file(nomi[0]))) + int(QFile::exists(cartella.file(nomi[1])));
    EXPECT_EQ(rimasti, 1);
}

TEST_F(MascheraComandi, StampaProspettoSaysSoWhenTheFileCannotBeClearedAway) {
    avvia();
    clic(m().CmdAggiungiFascola);
    // Folders under the names of the next seconds: there, and no file to remove.
    const QDateTime adesso = QDateTime::currentDateTime();
    for (int secondi = 0; secondi < 3; ++secondi) {
        const QDateTime t = adesso.addSecs(secondi);
        ASSERT_TRUE(QDir(cartella.path()).mkpath(t.toString("MMdd") + t.toString("hhmmss") + "mdb"));
    }
    ScriptedMessages box;
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    clic(m().CmdStampaFascola);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_TRUE(box.asked()[0].text.contains("Funzione: Funzione di stampa prospetto di una afascola"));
}

// A fault of the program in the fields of a new case file or in the checks is told under the
// command's own text, and nothing is stored. The faulty mask stands beside the window's own.
TEST_F(MascheraComandi, AFaultInANewCaseFileOrInTheChecksIsToldUnderItsName) {
    avvia();
    SchedaGuasta<MascheraFascola> guasta(finestra);
    const QStringList testi = GuastiDiAggiuntaEConferma(*guasta.CmdAggiungiFascola, *guasta.CmdConfermaFascola);
    ASSERT_EQ(testi.size(), 2);
    EXPECT_TRUE(testi[0].contains("Funzione: Funzione di aggiunta di una nuova fascola")) << testi[0].toStdString();
    EXPECT_TRUE(testi[1].contains("Funzione: Funzione di verifica dati in fascola")) << testi[1].toStdString();
    EXPECT_EQ(guasta.ModoOperativo, 1);
    EXPECT_EQ(conta("fascola"), 0);
}

}  // namespace
}  // namespace maschera
