#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "casefiles/engine/ProssimoNumero.h"
#include "casefiles/forms/SchedeIncarichi.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "support/ScriptedMessages.h"

using ui::Answer;

namespace {

const QString Cliente = "C001";
const QString Npra = "0001";

class TabIncarichiTest : public SchedeIncarichiTest {
protected:
    TabIncarichiTest() { archivio.addCaseFile(Cliente, Npra, "2004-01-10"); }

    void compila(const QString& data, const QString& titolo, const QString& note = {}) {
        incarichi->I_TxtData->clear();
        incarichi->I_TxtTitolo->clear();
        incarichi->I_TxtNote->clear();
        scrivi(incarichi->I_TxtData, data);
        scrivi(incarichi->I_TxtTitolo, titolo);
        scrivi(incarichi->I_TxtNote, note);
    }

    void premi(QPushButton* pulsante) { QTest::mouseClick(pulsante, Qt::LeftButton); }

    QStringList incarichiInArchivio(const QString& npra = Npra) {
        QStringList numeri;
        auto rs = archivio.db().openRecordset("select ntask from task where cliente=? and npra=? order by ntask",
                                              {Cliente, npra});
        for (; !rs->EOF_(); rs->MoveNext()) numeri << rs->field("ntask").toText<QString>();
        return numeri;
    }

    // The stored columns of one task, in the order data, titolo, camponote, stato.
    QStringList incarico(const QString& ntask) {
        auto rs = archivio.db().openRecordset("select * from task where cliente=? and npra=? and ntask=?",
                                              {Cliente, Npra, ntask});
        if (rs->EOF_()) return {};
        return {rs->field("data").textOr(QString()), rs->field("titolo").textOr(QString()),
                rs->field("camponote").textOr(QString()), rs->field("stato").toBool() ? "aperto" : "chiuso"};
    }
};

TEST_F(TabIncarichiTest, TheGridHasFourCentredHeadingsOfTheirWidthsAndTwelveRows) {
    const ui::Grid& g = *incarichi->I_FlxIncarichi;
    EXPECT_EQ(g.rows(), 12);
    ASSERT_EQ(g.cols(), 4);
    const QStringList attese = {QString(3, ' ') + "Numero" + QString(3, ' '), QString(6, ' ') + "Data" + QString(6, ' '),
                                QString(3, ' ') + "Stato" + QString(3, ' '),
                                QString(32, ' ') + "Titolo" + QString(33, ' ')};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(g.text(0, c), attese[c]);
        EXPECT_EQ(g.cellAlignment(0, c), Qt::AlignHCenter);
    }
    EXPECT_GT(g.colWidth(3), g.colWidth(1));
    EXPECT_GT(g.colWidth(1), g.colWidth(0));
}

TEST_F(TabIncarichiTest, ShowsTheCaseFileTasksInNumberOrder) {
    archivio.addTask(Cliente, Npra, "0002", {{"data", "2004-04-01"}, {"titolo", "Perizia"}, {"stato", false}});
    archivio.addTask(Cliente, Npra, "0001",
                     {{"data", "2004-03-05"}, {"titolo", "Consulenza tecnica di parte 12"}, {"stato", true}});
    archivio.addTask(Cliente, "0002", "0003", {{"titolo", "Altra fascola"}});
    archivio.addTask("C002", Npra, "0004", {{"titolo", "Altro cliente"}});
    mostraFascola(Cliente, Npra);

    const ui::Grid& g = *incarichi->I_FlxIncarichi;
    EXPECT_EQ(numeri(g), QStringList({"0001", "0002"}));
    EXPECT_EQ(g.text(1, 1), "05/03/2004");
    EXPECT_EQ(g.text(1, 2), "aperto");
    EXPECT_EQ(g.text(1, 3), "Consulenza tecnica di parte 12");
    EXPECT_EQ(g.text(2, 1), "01/04/2004");
    EXPECT_EQ(g.text(2, 2), "chiuso");
    EXPECT_EQ(g.text(2, 3), "Perizia" + QString(23, ' '));
    EXPECT_EQ(g.rows(), 12);
}

TEST_F(TabIncarichiTest, TheGridHasTwelveRowsUntilTheTasksNeedMore) {
    const struct {
        int incarichi;
        int righe;
    } casi[] = {{1, 12}, {10, 12}, {11, 12}, {12, 13}, {14, 15}};
    int npra = 10;
    for (const auto& caso : casi) {
        const QString fascola = QString::number(++npra).rightJustified(4, '0');
        for (int i = 1; i <= caso.incarichi; ++i)
            archivio.addTask(Cliente, fascola, QString::number(i).rightJustified(4, '0'), {{"titolo", "Incarico"}});
        mostraFascola(Cliente, fascola);
        EXPECT_EQ(incarichi->I_FlxIncarichi->rows(), caso.righe) << caso.incarichi;
        EXPECT_EQ(numeri(*incarichi->I_FlxIncarichi).size(), caso.incarichi);
    }
}

TEST_F(TabIncarichiTest, AShorterCaseFileAfterALongOneLeavesNoRowsBehind) {
    for (int i = 1; i <= 14; ++i) archivio.addTask(Cliente, "0002", QString::number(i).rightJustified(4, '0'));
    for (int i = 1; i <= 3; ++i) archivio.addTask(Cliente, "0003", QString::number(i).rightJustified(4, '0'));
    const ui::Grid& g = *incarichi->I_FlxIncarichi;

    mostraFascola(Cliente, "0002");
    mostraFascola(Cliente, "0003");
    EXPECT_EQ(g.rows(), 12);
    EXPECT_EQ(numeri(g).size(), 3);
    for (int r = 4; r < g.rows(); ++r) EXPECT_TRUE(rigaVuota(g, r)) << r;

    // A case file without tasks: the grid is emptied and keeps its rows.
    mostraFascola(Cliente, "0002");
    mostraFascola(Cliente, Npra);
    EXPECT_EQ(g.rows(), 15);
    EXPECT_TRUE(numeri(g).isEmpty());
}

TEST_F(TabIncarichiTest, AddStoresTheTaskUnderTheNumberAfterTheHighest) {
    const struct {
        QStringList esistenti;
        QString nuovo;
    } casi[] = {{{}, "0001"}, {{"0001", "0002", "0005"}, "0006"}, {{"0009"}, "0010"}};
    int npra = 1;
    for (const auto& caso : casi) {
        const QString fascola = QString::number(++npra).rightJustified(4, '0');
        for (const QString& n : caso.esistenti) archivio.addTask(Cliente, fascola, n);
        mostraFascola(Cliente, fascola);
        compila("05/03/2004", "Consulenza", "Note dell'incarico");
        premi(incarichi->I_CmdAggiungi);
        QStringList attesi = caso.esistenti;
        attesi << caso.nuovo;
        EXPECT_EQ(incarichiInArchivio(fascola), attesi);
        EXPECT_EQ(numeri(*incarichi->I_FlxIncarichi), attesi);
    }
}

TEST_F(TabIncarichiTest, AddWritesTheFieldsAndLeavesTheTabClear) {
    mostraFascola(Cliente, Npra);
    compila("5/3/04", "Consulenza", "Note dell'incarico");
    incarichi->I_ChkStato->setChecked(false);
    premi(incarichi->I_CmdAggiungi);

    EXPECT_EQ(incarico("0001"), QStringList({"2004-03-05", "Consulenza", "Note dell'incarico", "chiuso"}));
    EXPECT_EQ(incarichi->I_LblNtask->text(), ".");
    EXPECT_TRUE(incarichi->I_TxtData->text().isEmpty());
    EXPECT_TRUE(incarichi->I_TxtTitolo->text().isEmpty());
    EXPECT_TRUE(incarichi->I_TxtNote->text().isEmpty());
    EXPECT_TRUE(incarichi->I_ChkStato->isChecked());
    // The new task is listed but not chosen.
    EXPECT_EQ(incarichi->I_FlxIncarichi->text(1, 2), "chiuso");
    EXPECT_TRUE(righeGialle(*incarichi->I_FlxIncarichi).empty());
}

TEST_F(TabIncarichiTest, AddAfterTask9999IsRefusedRatherThanNumbered0000) {
    archivio.addTask(Cliente, Npra, "9999");
    mostraFascola(Cliente, Npra);
    compila("05/03/2004", "Consulenza");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok,
                      "La fascola ha già l'incarico 9999, l'ultimo che si può numerare: non si possono aggiungere "
                      "altri incarichi",
                      QString());
    premi(incarichi->I_CmdAggiungi);
    EXPECT_EQ(incarichiInArchivio(), QStringList({"9999"}));
    // What was typed stays, so nothing is lost.
    EXPECT_EQ(incarichi->I_TxtTitolo->text(), "Consulenza");
}

TEST_F(TabIncarichiTest, AddWithoutADisplayedCaseFileIsRefused) {
    compila("05/03/2004", "Consulenza");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Visualizzare prima la fascola a cui aggiungere l'incarico", QString());
    premi(incarichi->I_CmdAggiungi);
    EXPECT_EQ(conta("select count(*) from task"), 0);
}

TEST_F(TabIncarichiTest, EveryCommandChecksTheDateAndThenTheTitle) {
    archivio.addTask(Cliente, Npra, "0001", {{"data", "2004-03-05"}, {"titolo", "Originale"}});
    const struct {
        QString data;
        QString titolo;
        QString messaggio;
        QLineEdit* TabIncarichi::*campo;
    } casi[] = {
        {"", "", "Bisogna definire la data di definizione dell'incarico", &TabIncarichi::I_TxtData},
        {"31/02/2004", "Titolo", "Bisogna definire la data di definizione dell'incarico", &TabIncarichi::I_TxtData},
        {"05/03/2004", "", "Dare un titolo all'incarico che si sta definendo", &TabIncarichi::I_TxtTitolo},
    };
    for (QPushButton* TabIncarichi::*comando :
         {&TabIncarichi::I_CmdAggiungi, &TabIncarichi::I_CmdCorreggi, &TabIncarichi::I_CmdCancella}) {
        for (const auto& caso : casi) {
            mostraFascola(Cliente, Npra);
            clicRiga(*incarichi->I_FlxIncarichi, 1);
            compila(caso.data, caso.titolo);
            ScriptedMessages box;
            box.expectMessage(Answer::Ok, caso.messaggio, QString());
            premi(incarichi->*comando);
            EXPECT_EQ(box.asked().size(), 1u);
            EXPECT_TRUE((incarichi->*caso.campo)->hasFocus()) << caso.messaggio.toStdString();
            // Nothing stored, nothing cleared.
            EXPECT_EQ(incarichi->I_LblNtask->text(), "0001");
            EXPECT_EQ(incarichiInArchivio(), QStringList({"0001"}));
            EXPECT_EQ(incarico("0001")[1], "Originale");
        }
    }
}

TEST_F(TabIncarichiTest, AClickLoadsTheTaskAndMakesItTheJobsAndFeeTabsTask) {
    archivio.addTask(Cliente, Npra, "0001",
                     {{"data", "2004-03-05"}, {"titolo", "Consulenza"}, {"camponote", "Nota"}, {"stato", false}});
    archivio.addTask(Cliente, Npra, "0002", {{"data", "2004-04-01"}, {"titolo", "Perizia"}, {"stato", true}});
    archivio.addJob(Cliente, Npra, "0001", "0001", {{"descrizione", "Sopralluogo"}, {"tipo", "L"}});
    archivio.addJob(Cliente, Npra, "0001", "0002", {{"descrizione", "Relazione"}, {"tipo", "D"}});
    mostraFascola(Cliente, Npra);
    FascolaCorrente().DestinaCompetenze("0000", "0007");  // a job of another task chosen before
    ASSERT_EQ(C_LblNjob.text(), "0007");

    clicRiga(*incarichi->I_FlxIncarichi, 1);
    EXPECT_EQ(incarichi->I_TxtData->text(), "05/03/2004");
    EXPECT_EQ(incarichi->I_TxtTitolo->text(), "Consulenza");
    EXPECT_EQ(incarichi->I_TxtNote->text(), "Nota");
    EXPECT_FALSE(incarichi->I_ChkStato->isChecked());
    EXPECT_EQ(incarichi->I_LblNtask->text(), "0001");
    EXPECT_EQ(righeGialle(*incarichi->I_FlxIncarichi), std::vector<int>{1});
    EXPECT_EQ(lavorazioni->L_LblTitolo->text(), "Consulenza");
    EXPECT_EQ(lavorazioni->L_LblNtask->text(), "0001");
    EXPECT_EQ(numeri(*lavorazioni->L_FlxLavorazioni), QStringList({"0001", "0002"}));
    EXPECT_EQ(C_LblNtask.text(), "0001");
    EXPECT_EQ(C_LblNjob.text(), "0000");

    clicRiga(*incarichi->I_FlxIncarichi, 2);
    EXPECT_EQ(righeGialle(*incarichi->I_FlxIncarichi), std::vector<int>{2});
    EXPECT_TRUE(incarichi->I_ChkStato->isChecked());
    EXPECT_EQ(lavorazioni->L_LblTitolo->text(), "Perizia");
    EXPECT_EQ(lavorazioni->L_LblNtask->text(), "0002");
    EXPECT_TRUE(numeri(*lavorazioni->L_FlxLavorazioni).isEmpty());
    EXPECT_EQ(C_LblNtask.text(), "0002");
}

TEST_F(TabIncarichiTest, AClickOnARowWithoutATaskClearsBothTabs) {
    archivio.addTask(Cliente, Npra, "0001", {{"data", "2004-03-05"}, {"titolo", "Consulenza"}});
    archivio.addJob(Cliente, Npra, "0001", "0001", {{"descrizione", "Sopralluogo"}});
    mostraFascola(Cliente, Npra);
    clicRiga(*incarichi->I_FlxIncarichi, 1);
    clicRiga(*lavorazioni->L_FlxLavorazioni, 1);

    clicRiga(*incarichi->I_FlxIncarichi, 5);
    EXPECT_EQ(incarichi->I_LblNtask->text(), ".");
    EXPECT_TRUE(incarichi->I_TxtTitolo->text().isEmpty());
    EXPECT_TRUE(numeri(*incarichi->I_FlxIncarichi).isEmpty());
    EXPECT_TRUE(righeGialle(*incarichi->I_FlxIncarichi).empty());
    EXPECT_TRUE(lavorazioni->L_LblNJob->text().isEmpty());
    EXPECT_TRUE(numeri(*lavorazioni->L_FlxLavorazioni).isEmpty());
    // The jobs tab keeps its current task in the heading.
    EXPECT_EQ(lavorazioni->L_LblNtask->text(), "0001");
}

TEST_F(TabIncarichiTest, CorrectionRewritesTheChosenTaskButNotItsKey) {
    archivio.addTask(Cliente, Npra, "0001",
                     {{"data", "2004-03-05"}, {"titolo", "Consulenza"}, {"camponote", "Nota"}, {"stato", true}});
    archivio.addTask(Cliente, Npra, "0002", {{"data", "2004-04-01"}, {"titolo", "Perizia"}, {"stato", true}});
    mostraFascola(Cliente, Npra);
    clicRiga(*incarichi->I_FlxIncarichi, 2);
    compila("02/05/2004", "Perizia estimativa", "Nuova nota");
    incarichi->I_ChkStato->setChecked(false);
    premi(incarichi->I_CmdCorreggi);

    EXPECT_EQ(incarico("0002"), QStringList({"2004-05-02", "Perizia estimativa", "Nuova nota", "chiuso"}));
    EXPECT_EQ(incarico("0001"), QStringList({"2004-03-05", "Consulenza", "Nota", "aperto"}));
    EXPECT_EQ(incarichiInArchivio(), QStringList({"0001", "0002"}));
    EXPECT_EQ(incarichi->I_LblNtask->text(), ".");
    EXPECT_EQ(incarichi->I_FlxIncarichi->text(2, 2), "chiuso");
    EXPECT_TRUE(incarichi->I_FlxIncarichi->text(2, 3).startsWith("Perizia estimativa"));
}

TEST_F(TabIncarichiTest, CorrectionOrDeletionWithNoTaskChosenChangesNothing) {
    archivio.addTask(Cliente, Npra, "0001", {{"data", "2004-03-05"}, {"titolo", "Consulenza"}});
    for (QPushButton* TabIncarichi::*comando : {&TabIncarichi::I_CmdCorreggi, &TabIncarichi::I_CmdCancella}) {
        mostraFascola(Cliente, Npra);
        ASSERT_EQ(incarichi->I_LblNtask->text(), ".");
        compila("01/01/2005", "Altro");
        premi(incarichi->*comando);
        EXPECT_EQ(incarico("0001")[1], "Consulenza");
        EXPECT_TRUE(incarichi->I_TxtTitolo->text().isEmpty());
    }
}

TEST_F(TabIncarichiTest, DeletionRemovesATaskWithNothingUnderItAndNothingPointsAtItAfter) {
    archivio.addTask(Cliente, Npra, "0001", {{"data", "2004-03-05"}, {"titolo", "Consulenza"}});
    archivio.addTask(Cliente, Npra, "0002", {{"data", "2004-04-01"}, {"titolo", "Perizia"}});
    archivio.addFeeItem(Cliente, Npra, "0001", "0000", "ONO");
    mostraFascola(Cliente, Npra);
    clicRiga(*incarichi->I_FlxIncarichi, 2);
    ASSERT_EQ(C_LblNtask.text(), "0002");
    premi(incarichi->I_CmdCancella);

    EXPECT_EQ(incarichiInArchivio(), QStringList({"0001"}));
    EXPECT_EQ(numeri(*incarichi->I_FlxIncarichi), QStringList({"0001"}));
    EXPECT_TRUE(lavorazioni->L_LblNtask->text().isEmpty());
    EXPECT_TRUE(lavorazioni->L_LblTitolo->text().isEmpty());
    EXPECT_EQ(C_LblNtask.text(), "0000");
    EXPECT_EQ(C_LblNjob.text(), "0000");
}

TEST_F(TabIncarichiTest, DeletionOfATaskWithJobsOrFeeItemsIsRefusedAndSaysWhy) {
    const struct {
        bool lavorazione;
        bool competenza;
        QString messaggio;
    } casi[] = {
        {true, false, "L'incarico ha lavorazioni o documenti: cancellarli prima di cancellare l'incarico"},
        {false, true, "All'incarico sono collegate delle competenze: l'incarico non può essere cancellato"},
        {true, true, "L'incarico ha lavorazioni o documenti: cancellarli prima di cancellare l'incarico"},
    };
    int npra = 1;
    for (const auto& caso : casi) {
        const QString fascola = QString::number(++npra).rightJustified(4, '0');
        archivio.addTask(Cliente, fascola, "0001", {{"data", "2004-03-05"}, {"titolo", "Consulenza"}});
        if (caso.lavorazione) archivio.addJob(Cliente, fascola, "0001", "0001");
        if (caso.competenza) archivio.addFeeItem(Cliente, fascola, "0001", "0000", "ONO");
        mostraFascola(Cliente, fascola);
        clicRiga(*incarichi->I_FlxIncarichi, 1);
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, caso.messaggio, QString());
        premi(incarichi->I_CmdCancella);
        EXPECT_EQ(incarichiInArchivio(fascola), QStringList({"0001"}));
        EXPECT_EQ(conta("select count(*) from competenze where npra=?", {fascola}), caso.competenza ? 1 : 0);
        // The tab is cleared and refilled all the same; the task stays the jobs tab's.
        EXPECT_EQ(incarichi->I_LblNtask->text(), ".");
        EXPECT_EQ(numeri(*incarichi->I_FlxIncarichi), QStringList({"0001"}));
        EXPECT_EQ(lavorazioni->L_LblNtask->text(), "0001");
        EXPECT_EQ(C_LblNtask.text(), "0001");
    }
}

TEST_F(TabIncarichiTest, EnteringAnEmptyDateBoxWritesTodaysDate) {
    mostraFascola(Cliente, Npra);
    incarichi->I_TxtTitolo->setFocus();
    incarichi->I_TxtData->setFocus();
    EXPECT_EQ(incarichi->I_TxtData->text(), basic::Format(basic::Today(), "dd/mm/yyyy"));

    incarichi->I_TxtTitolo->setFocus();
    incarichi->I_TxtData->setText("1/2");
    incarichi->I_TxtData->setFocus();
    EXPECT_EQ(incarichi->I_TxtData->text(), "1/2");
}

// Entered by a click, the date proposed is selected as it is entered by the keyboard, so that
// the date typed takes its place rather than being mixed into it.
TEST_F(TabIncarichiTest, ADateBoxEnteredEmptyByAClickTakesTheDateTypedInPlaceOfToday) {
    mostraFascola(Cliente, Npra);
    const QString oggi = basic::Format(basic::Today(), "dd/mm/yyyy");
    for (QLineEdit* data : {incarichi->I_TxtData, lavorazioni->L_TxtData}) {
        SCOPED_TRACE(data->objectName().toStdString());
        incarichi->I_TxtTitolo->setFocus();
        data->clear();
        QTest::mouseClick(data, Qt::LeftButton, {}, data->rect().center());
        ASSERT_TRUE(data->hasFocus());
        EXPECT_EQ(data->text(), oggi);
        EXPECT_EQ(data->selectedText(), oggi);
        QTest::keyClicks(data, "05/12/2026");
        EXPECT_EQ(data->text(), "05/12/2026");

        // Once in the box, a click puts the caret where it falls.
        QTest::mouseClick(data, Qt::LeftButton, {}, QPoint(1, data->height() / 2));
        EXPECT_FALSE(data->hasSelectedText());
        EXPECT_EQ(data->cursorPosition(), 0);

        // A box that holds a date keeps it, and the click its caret.
        incarichi->I_TxtTitolo->setFocus();
        QTest::mouseClick(data, Qt::LeftButton, {}, QPoint(1, data->height() / 2));
        EXPECT_EQ(data->text(), "05/12/2026");
        EXPECT_FALSE(data->hasSelectedText());
    }
}

TEST_F(TabIncarichiTest, TitleAndNotesAreHeldToTheirColumns) {
    EXPECT_EQ(incarichi->I_TxtTitolo->maxLength(), 30);
    EXPECT_EQ(incarichi->I_TxtNote->maxLength(), 255);
    scrivi(incarichi->I_TxtTitolo, QString(35, 'x'));
    EXPECT_EQ(incarichi->I_TxtTitolo->text().size(), 30);
}

TEST_F(TabIncarichiTest, AnArchiveErrorGoesToTheErrorHandlerWithTheFunctionsDescription) {
    archivio.addTask(Cliente, Npra, "0001");
    mostraFascola(Cliente, Npra);
    AmbienteLavoro().PathArchivioFascole = cartella.file("manca.mdb");
    ScriptedMessages box;
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    incarichi->I_MostraGriglia();
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_TRUE(box.asked()[0].text.contains("Funzione di visualizzazione griglia degli incarichi"));
    // Left: the grid still shows what it showed.
    EXPECT_EQ(numeri(*incarichi->I_FlxIncarichi), QStringList({"0001"}));
}

}  // namespace

namespace {

TEST(ProssimoNumero, TheHighestPlusOneInFourDigitsAndNothingAfter9999) {
    const struct {
        std::optional<QString> ultimo;
        std::optional<QString> prossimo;
    } casi[] = {
        {std::nullopt, "0001"}, {"0001", "0002"}, {"0005", "0006"}, {"0099", "0100"},
        {"9998", "9999"},       {"9999", std::nullopt},
    };
    for (const auto& caso : casi) EXPECT_EQ(ProssimoNumero(caso.ultimo), caso.prossimo) << caso.ultimo.value_or("-").toStdString();
}

}  // namespace
