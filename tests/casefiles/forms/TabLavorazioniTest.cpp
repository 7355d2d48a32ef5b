#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/SchedeIncarichi.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "support/ScriptedMessages.h"

using ui::Answer;

namespace {

const QString Cliente = "C001";
const QString Npra = "0001";
const QString Ntask = "0001";

class TabLavorazioniTest : public SchedeIncarichiTest {
protected:
    TabLavorazioniTest() {
        archivio.addCaseFile(Cliente, Npra, "2004-01-10");
        archivio.addTask(Cliente, Npra, Ntask, {{"data", "2004-03-05"}, {"titolo", "Consulenza"}});
        archivio.addTask(Cliente, Npra, "0002", {{"data", "2004-03-06"}, {"titolo", "Perizia"}});
    }

    // The case file on display and its task `ntask` chosen on the tasks tab (row `riga`).
    void scegliIncarico(int riga = 1) {
        mostraFascola(Cliente, Npra);
        clicRiga(*incarichi->I_FlxIncarichi, riga);
    }

    void compila(QRadioButton* tipo, const QString& descrizione, const QString& data, QRadioButton* puntatore = nullptr,
                 const QString& valore = {}) {
        lavorazioni->L_PulisciCampi();
        if (tipo) tipo->setChecked(true);
        scrivi(lavorazioni->L_TxtDescrizione, descrizione);
        scrivi(lavorazioni->L_TxtData, data);
        if (puntatore) puntatore->setChecked(true);
        scrivi(lavorazioni->L_TxtPuntatore, valore);
    }

    void premi(QPushButton* pulsante) { QTest::mouseClick(pulsante, Qt::LeftButton); }

    QStringList lavoriInArchivio(const QString& ntask = Ntask) {
        QStringList numeri;
        auto rs = archivio.db().openRecordset(
            "select njob from job where cliente=? and npra=? and ntask=? order by njob", {Cliente, Npra, ntask});
        for (; !rs->EOF_(); rs->MoveNext()) numeri << rs->field("njob").toText<QString>();
        return numeri;
    }

    // The stored columns of one job: data, tipo, descrizione, idpuntatore, puntatore.
    QStringList lavoro(const QString& njob) {
        auto rs = archivio.db().openRecordset("select * from job where cliente=? and npra=? and ntask=? and njob=?",
                                              {Cliente, Npra, Ntask, njob});
        if (rs->EOF_()) return {};
        QStringList colonne;
        for (const char* c : {"data", "tipo", "descrizione", "idpuntatore", "puntatore"})
            colonne << rs->field(c).textOr(QString());
        return colonne;
    }

    // Which options of the two pairs are selected, as the user sees them.
    QString opzioni() {
        QString scelte;
        for (QRadioButton* o : {lavorazioni->L_OptTipoDocumento, lavorazioni->L_OptTipoLavorazione,
                                lavorazioni->L_OptPuntaNomeFile, lavorazioni->L_OptPuntaIndicedoc})
            scelte += o->isChecked() ? '1' : '0';
        return scelte;
    }
};

TEST_F(TabLavorazioniTest, TheGridHasFourCentredHeadingsOfTheirWidthsAndNineRows) {
    const ui::Grid& g = *lavorazioni->L_FlxLavorazioni;
    EXPECT_EQ(g.rows(), 9);
    ASSERT_EQ(g.cols(), 4);
    const QStringList attese = {" Numero ", QString(6, ' ') + "Data" + QString(6, ' '),
                                QString(6, ' ') + "Tipo" + QString(6, ' '),
                                QString(20, ' ') + "Descrizione" + QString(21, ' ')};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(g.text(0, c), attese[c]);
        EXPECT_EQ(g.cellAlignment(0, c), Qt::AlignHCenter);
    }
    EXPECT_EQ(lavorazioni->L_FrmLavorazioni->title(), "LAVORAZIONI e/o DOCUMENTI");
}

TEST_F(TabLavorazioniTest, ShowsTheCurrentTasksJobsInNumberOrder) {
    archivio.addJob(Cliente, Npra, Ntask, "0002", {{"data", "2004-03-07"}, {"tipo", "L"}, {"descrizione", "Sopralluogo"}});
    archivio.addJob(Cliente, Npra, Ntask, "0001", {{"data", "2004-03-06"}, {"tipo", "D"}, {"descrizione", "Contratto"}});
    archivio.addJob(Cliente, Npra, Ntask, "0003", {{"tipo", "X"}, {"descrizione", "Altro"}});
    archivio.addJob(Cliente, Npra, "0002", "0009", {{"descrizione", "Di un altro incarico"}});
    scegliIncarico();

    const ui::Grid& g = *lavorazioni->L_FlxLavorazioni;
    EXPECT_EQ(numeri(g), QStringList({"0001", "0002", "0003"}));
    EXPECT_EQ(g.text(1, 1), "06/03/2004");
    EXPECT_EQ(g.text(1, 2), "Documento");
    EXPECT_EQ(g.text(1, 3), "Contratto" + QString(21, ' '));
    EXPECT_EQ(g.text(2, 2), "Lavorazione");
    EXPECT_EQ(g.text(3, 1), "");
    EXPECT_EQ(g.text(3, 2), "Lavorazione");
    EXPECT_EQ(g.rows(), 9);
}

TEST_F(TabLavorazioniTest, TheGridHasNineRowsUntilTheJobsNeedMore) {
    const struct {
        int lavori;
        int righe;
    } casi[] = {{0, 9}, {1, 9}, {8, 9}, {9, 10}, {12, 13}, {2, 9}};
    int incarico = 10;
    for (const auto& caso : casi) {
        const QString ntask = QString::number(++incarico).rightJustified(4, '0');
        archivio.addTask(Cliente, Npra, ntask, {{"titolo", "Incarico"}});
        for (int i = 1; i <= caso.lavori; ++i)
            archivio.addJob(Cliente, Npra, ntask, QString::number(i).rightJustified(4, '0'));
        FascolaCorrente().MostraFascola(Cliente, "Rossi Mario", Npra);
        FascolaCorrente().ScegliIncarico(ntask, "Incarico");
        lavorazioni->L_MostraGriglia();
        const ui::Grid& g = *lavorazioni->L_FlxLavorazioni;
        EXPECT_EQ(g.rows(), caso.righe) << caso.lavori;
        EXPECT_EQ(numeri(g).size(), caso.lavori);
        for (int r = caso.lavori + 1; r < g.rows(); ++r) EXPECT_TRUE(rigaVuota(g, r)) << r;
    }
}

TEST_F(TabLavorazioniTest, AddNumbersTheJobAfterTheHighestOfItsTask) {
    const struct {
        QStringList esistenti;
        QString nuovo;
    } casi[] = {{{}, "0001"}, {{"0001", "0004"}, "0005"}};
    for (const auto& caso : casi) {
        archivio.db().execute("delete from job");
        for (const QString& n : caso.esistenti) archivio.addJob(Cliente, Npra, Ntask, n);
        archivio.addJob(Cliente, Npra, "0002", "0007");  // another task's numbers do not count
        scegliIncarico();
        compila(lavorazioni->L_OptTipoLavorazione, "Sopralluogo", "06/03/2004");
        premi(lavorazioni->L_CmdAggiungi);
        QStringList attesi = caso.esistenti;
        attesi << caso.nuovo;
        EXPECT_EQ(lavoriInArchivio(), attesi);
        EXPECT_EQ(numeri(*lavorazioni->L_FlxLavorazioni), attesi);
    }
}

TEST_F(TabLavorazioniTest, AddWritesKindPointerAndFieldsAndLeavesTheFieldsClear) {
    const struct {
        bool documento;
        int puntatore;  // 0 none, 1 file name, 2 index number
        QString valore;
        QStringList attese;
    } casi[] = {
        {true, 1, "relazione.doc", {"2004-03-06", "D", "Voce", "P", "relazione.doc"}},
        {false, 2, "145", {"2004-03-06", "L", "Voce", "I", "145"}},
        {false, 0, "", {"2004-03-06", "L", "Voce", "I", ""}},
    };
    int n = 0;
    for (const auto& caso : casi) {
        scegliIncarico();
        compila(caso.documento ? lavorazioni->L_OptTipoDocumento : lavorazioni->L_OptTipoLavorazione, "Voce", "6/3/04",
                caso.puntatore == 1   ? lavorazioni->L_OptPuntaNomeFile
                : caso.puntatore == 2 ? lavorazioni->L_OptPuntaIndicedoc
                                      : nullptr,
                caso.valore);
        premi(lavorazioni->L_CmdAggiungi);
        const QString njob = QString::number(++n).rightJustified(4, '0');
        EXPECT_EQ(lavoro(njob), caso.attese);
        EXPECT_EQ(opzioni(), "0000");
        EXPECT_TRUE(lavorazioni->L_LblNJob->text().isEmpty());
        EXPECT_TRUE(lavorazioni->L_TxtDescrizione->text().isEmpty());
        EXPECT_TRUE(lavorazioni->L_TxtData->text().isEmpty());
        EXPECT_TRUE(lavorazioni->L_TxtPuntatore->text().isEmpty());
    }
}

TEST_F(TabLavorazioniTest, AddAfterJob9999IsRefusedRatherThanNumbered0000) {
    archivio.addJob(Cliente, Npra, Ntask, "9999");
    scegliIncarico();
    compila(lavorazioni->L_OptTipoLavorazione, "Sopralluogo", "06/03/2004");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok,
                      "L'incarico ha già la voce 9999, l'ultima che si può numerare: non si possono aggiungere altre "
                      "voci",
                      QString());
    premi(lavorazioni->L_CmdAggiungi);
    EXPECT_EQ(lavoriInArchivio(), QStringList({"9999"}));
    EXPECT_EQ(lavorazioni->L_TxtDescrizione->text(), "Sopralluogo");
}

TEST_F(TabLavorazioniTest, AddWithoutAChosenTaskIsRefused) {
    mostraFascola(Cliente, Npra);
    compila(lavorazioni->L_OptTipoLavorazione, "Sopralluogo", "06/03/2004");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Scegliere prima nella scheda Incarichi l'incarico a cui aggiungere la voce",
                      QString());
    premi(lavorazioni->L_CmdAggiungi);
    EXPECT_EQ(conta("select count(*) from job"), 0);
}

TEST_F(TabLavorazioniTest, EveryCommandChecksTheFieldsInOrder) {
    archivio.addJob(Cliente, Npra, Ntask, "0001",
                    {{"data", "2004-03-06"}, {"tipo", "L"}, {"descrizione", "Originale"}, {"idpuntatore", "I"},
                     {"puntatore", "7"}});
    enum Opt { Nessuna, Documento, Lavorazione, NomeFile, Indice };
    const struct {
        Opt tipo;
        QString descrizione;
        QString data;
        Opt puntatore;
        QString valore;
        QString messaggio;
        const char* campo;
    } casi[] = {
        {Nessuna, "", "", Nessuna, "x", "Indicare la tipologia della voce che si sta inserendo", "L_OptTipoLavorazione"},
        {Documento, "", "", Nessuna, "", "dare una descrizione della voce che si sta definendo", "L_TxtDescrizione"},
        {Lavorazione, "Voce", "", NomeFile, "", "Indicare la data di definizione della voce", "L_TxtData"},
        {Lavorazione, "Voce", "30/02/2004", Nessuna, "", "Indicare la data di definizione della voce", "L_TxtData"},
        {Lavorazione, "Voce", "06/03/2004", Nessuna, "a.doc", "Indicare il tipo puntatore che si è definito",
         "L_OptPuntaNomeFile"},
        {Lavorazione, "Voce", "06/03/2004", Indice, "", "Indicare il valore del puntatore alla voce in definizione",
         "L_TxtPuntatore"},
    };
    auto opzione = [&](Opt o) -> QRadioButton* {
        switch (o) {
        case Documento: return lavorazioni->L_OptTipoDocumento;
        case Lavorazione: return lavorazioni->L_OptTipoLavorazione;
        case NomeFile: return lavorazioni->L_OptPuntaNomeFile;
        case Indice: return lavorazioni->L_OptPuntaIndicedoc;
        default: return nullptr;
        }
    };
    for (QPushButton* TabLavorazioni::*comando :
         {&TabLavorazioni::L_CmdAggiungi, &TabLavorazioni::L_CmdCorreggi, &TabLavorazioni::L_CmdCancella}) {
        for (const auto& caso : casi) {
            scegliIncarico();
            clicRiga(*lavorazioni->L_FlxLavorazioni, 1);
            compila(opzione(caso.tipo), caso.descrizione, caso.data, opzione(caso.puntatore), caso.valore);
            lavorazioni->L_LblNJob->setText("0001");
            ScriptedMessages box;
            box.expectMessage(Answer::Ok, caso.messaggio, QString());
            premi(lavorazioni->*comando);
            EXPECT_EQ(box.asked().size(), 1u);
            QWidget* focus = QApplication::focusWidget();
            EXPECT_TRUE(focus && focus->objectName() == caso.campo) << caso.messaggio.toStdString();
            EXPECT_EQ(lavoriInArchivio(), QStringList({"0001"}));
            EXPECT_EQ(lavoro("0001")[2], "Originale");
        }
    }
}

TEST_F(TabLavorazioniTest, AClickLoadsTheJobAndMakesItTheFeeTabsJob) {
    archivio.addJob(Cliente, Npra, Ntask, "0001",
                    {{"data", "2004-03-06"}, {"tipo", "D"}, {"descrizione", "Contratto"}, {"idpuntatore", "P"},
                     {"puntatore", "contratto.pdf"}});
    archivio.addJob(Cliente, Npra, Ntask, "0002",
                    {{"data", "2004-03-07"}, {"tipo", "L"}, {"descrizione", "Sopralluogo"}, {"idpuntatore", "I"},
                     {"puntatore", "12"}});
    archivio.addJob(Cliente, Npra, Ntask, "0003",
                    {{"data", "2004-03-08"}, {"tipo", "L"}, {"descrizione", "Senza puntatore"}, {"idpuntatore", "I"},
                     {"puntatore", ""}});
    scegliIncarico();
    const struct {
        int riga;
        QString opzioni;  // Documento, Lavorazione, Nome file, Numero indice
        QString descrizione;
        QString data;
        QString puntatore;
    } casi[] = {
        {1, "1010", "Contratto", "06/03/2004", "contratto.pdf"},
        {2, "0101", "Sopralluogo", "07/03/2004", "12"},
        {3, "0100", "Senza puntatore", "08/03/2004", ""},
    };
    for (const auto& caso : casi) {
        clicRiga(*lavorazioni->L_FlxLavorazioni, caso.riga);
        const QString njob = QString::number(caso.riga).rightJustified(4, '0');
        EXPECT_EQ(opzioni(), caso.opzioni) << caso.riga;
        EXPECT_EQ(lavorazioni->L_LblNJob->text(), njob);
        EXPECT_EQ(lavorazioni->L_TxtDescrizione->text(), caso.descrizione);
        EXPECT_EQ(lavorazioni->L_TxtData->text(), caso.data);
        EXPECT_EQ(lavorazioni->L_TxtPuntatore->text(), caso.puntatore);
        EXPECT_EQ(righeGialle(*lavorazioni->L_FlxLavorazioni), std::vector<int>{caso.riga});
        EXPECT_EQ(C_LblNjob.text(), njob);
        // The task stays the one chosen on the tasks tab.
        EXPECT_EQ(C_LblNtask.text(), Ntask);
    }
}

TEST_F(TabLavorazioniTest, AJobStoredWithoutAPointerCanBeCorrectedAndDeleted) {
    archivio.addJob(Cliente, Npra, Ntask, "0001",
                    {{"data", "2004-03-06"}, {"tipo", "L"}, {"descrizione", "Sopralluogo"}, {"idpuntatore", "I"},
                     {"puntatore", ""}});
    scegliIncarico();
    clicRiga(*lavorazioni->L_FlxLavorazioni, 1);
    lavorazioni->L_TxtDescrizione->clear();
    scrivi(lavorazioni->L_TxtDescrizione, "Sopralluogo in cantiere");
    premi(lavorazioni->L_CmdCorreggi);
    EXPECT_EQ(lavoro("0001"), QStringList({"2004-03-06", "L", "Sopralluogo in cantiere", "I", ""}));

    clicRiga(*lavorazioni->L_FlxLavorazioni, 1);
    premi(lavorazioni->L_CmdCancella);
    EXPECT_TRUE(lavoriInArchivio().isEmpty());
    EXPECT_TRUE(numeri(*lavorazioni->L_FlxLavorazioni).isEmpty());
}

TEST_F(TabLavorazioniTest, CorrectionRewritesTheChosenJobButNotItsKey) {
    archivio.addJob(Cliente, Npra, Ntask, "0001",
                    {{"data", "2004-03-06"}, {"tipo", "D"}, {"descrizione", "Contratto"}, {"idpuntatore", "P"},
                     {"puntatore", "contratto.pdf"}});
    archivio.addJob(Cliente, Npra, Ntask, "0002", {{"data", "2004-03-07"}, {"tipo", "L"}, {"descrizione", "Altro"}});
    scegliIncarico();
    clicRiga(*lavorazioni->L_FlxLavorazioni, 1);
    lavorazioni->L_OptTipoLavorazione->setChecked(true);
    lavorazioni->L_OptPuntaIndicedoc->setChecked(true);
    lavorazioni->L_TxtPuntatore->setText("88");
    lavorazioni->L_TxtData->setText("01/04/2004");
    premi(lavorazioni->L_CmdCorreggi);

    EXPECT_EQ(lavoro("0001"), QStringList({"2004-04-01", "L", "Contratto", "I", "88"}));
    EXPECT_EQ(lavoro("0002")[2], "Altro");
    EXPECT_EQ(lavoriInArchivio(), QStringList({"0001", "0002"}));
    EXPECT_EQ(lavorazioni->L_FlxLavorazioni->text(1, 2), "Lavorazione");
    EXPECT_TRUE(lavorazioni->L_LblNJob->text().isEmpty());
}

TEST_F(TabLavorazioniTest, DeletionRemovesAJobWithoutFeeItemsAndTheFeeTabLetsGoOfIt) {
    archivio.addJob(Cliente, Npra, Ntask, "0001", {{"data", "2004-03-06"}, {"tipo", "L"}, {"descrizione", "Uno"}});
    archivio.addJob(Cliente, Npra, Ntask, "0002", {{"data", "2004-03-07"}, {"tipo", "L"}, {"descrizione", "Due"}});
    scegliIncarico();
    clicRiga(*lavorazioni->L_FlxLavorazioni, 2);
    ASSERT_EQ(C_LblNjob.text(), "0002");
    premi(lavorazioni->L_CmdCancella);
    EXPECT_EQ(lavoriInArchivio(), QStringList({"0001"}));
    EXPECT_EQ(numeri(*lavorazioni->L_FlxLavorazioni), QStringList({"0001"}));
    EXPECT_EQ(C_LblNjob.text(), "0000");
    EXPECT_EQ(C_LblNtask.text(), Ntask);
    EXPECT_TRUE(righeGialle(*lavorazioni->L_FlxLavorazioni).empty());
}

TEST_F(TabLavorazioniTest, DeletionOfAJobWithFeeItemsIsRefusedAndSaysWhy) {
    archivio.addJob(Cliente, Npra, Ntask, "0001", {{"data", "2004-03-06"}, {"tipo", "L"}, {"descrizione", "Uno"}});
    archivio.addFeeItem(Cliente, Npra, Ntask, "0001", "ONO");
    scegliIncarico();
    clicRiga(*lavorazioni->L_FlxLavorazioni, 1);
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Alla voce sono collegate delle competenze: la voce non può essere cancellata",
                      QString());
    premi(lavorazioni->L_CmdCancella);
    EXPECT_EQ(lavoriInArchivio(), QStringList({"0001"}));
    EXPECT_EQ(conta("select count(*) from competenze"), 1);
    // Cleared and refilled all the same.
    EXPECT_TRUE(lavorazioni->L_LblNJob->text().isEmpty());
    EXPECT_EQ(numeri(*lavorazioni->L_FlxLavorazioni), QStringList({"0001"}));
    EXPECT_EQ(C_LblNjob.text(), "0001");
}

TEST_F(TabLavorazioniTest, DeletionWithNoCurrentTaskAndCorrectionWithNoJobDoNothingAtAll) {
    archivio.addJob(Cliente, Npra, Ntask, "0001", {{"data", "2004-03-06"}, {"tipo", "L"}, {"descrizione", "Uno"}});
    mostraFascola(Cliente, Npra);
    compila(lavorazioni->L_OptTipoLavorazione, "Voce", "06/03/2004");
    premi(lavorazioni->L_CmdCancella);
    EXPECT_EQ(lavorazioni->L_TxtDescrizione->text(), "Voce");

    scegliIncarico();
    compila(lavorazioni->L_OptTipoLavorazione, "Voce", "06/03/2004");
    premi(lavorazioni->L_CmdCorreggi);
    EXPECT_EQ(lavorazioni->L_TxtDescrizione->text(), "Voce");
    EXPECT_EQ(lavoro("0001")[2], "Uno");
}

TEST_F(TabLavorazioniTest, AClickOnARowWithoutAJobClearsTheFieldsAndTheMark) {
    archivio.addJob(Cliente, Npra, Ntask, "0001", {{"data", "2004-03-06"}, {"tipo", "D"}, {"descrizione", "Uno"}});
    scegliIncarico();
    clicRiga(*lavorazioni->L_FlxLavorazioni, 1);
    clicRiga(*lavorazioni->L_FlxLavorazioni, 4);
    EXPECT_EQ(opzioni(), "0000");
    EXPECT_TRUE(lavorazioni->L_LblNJob->text().isEmpty());
    EXPECT_TRUE(righeGialle(*lavorazioni->L_FlxLavorazioni).empty());
    EXPECT_EQ(numeri(*lavorazioni->L_FlxLavorazioni), QStringList({"0001"}));
}

TEST_F(TabLavorazioniTest, EnteringAnEmptyDateBoxWritesTodaysDateAndThePointerKeepsToItsColumn) {
    lavorazioni->L_TxtDescrizione->setFocus();
    lavorazioni->L_TxtData->setFocus();
    EXPECT_EQ(lavorazioni->L_TxtData->text(), basic::Format(basic::Today(), "dd/mm/yyyy"));
    EXPECT_EQ(lavorazioni->L_TxtDescrizione->maxLength(), 30);
    scrivi(lavorazioni->L_TxtPuntatore, QString(60, 'p'));
    EXPECT_EQ(lavorazioni->L_TxtPuntatore->text().size(), 50);
}

// A new user in the main window: three tasks on a displayed case file, one deleted, jobs
// added to a task, rows clicked; the mark moves and the fee tab's labels follow.
TEST(SchedeIncarichiFinestra, ANewUserAddsTasksAndJobsAndTheMarksAndFeeLabelsFollow) {
    TempDir cartella;
    fixtures::CaseFileArchive archivio(cartella.file("fascole.mdb"));
    archivio.addCaseFile("C001", "0003", "2004-01-10");
    RipristinaAmbiente();
    AmbienteLavoro().PathArchivioFascole = archivio.path();

    RipristinaFascolaCorrente();
    FrmFascola finestra;
    QLabel C_LblNtask, C_LblNjob;
    TabIncarichi& incarichi = *finestra.Incarichi;
    TabLavorazioni& lavorazioni = *finestra.Lavorazioni;
    QObject::connect(&FascolaCorrente(), &FascolaCorrenteRec::DestinazioneCambiata, &finestra, [&] {
        C_LblNtask.setText(FascolaCorrente().NtaskCompetenze());
        C_LblNjob.setText(FascolaCorrente().NjobCompetenze());
    });
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));

    // The case file on display.
    FascolaCorrente().MostraFascola("C001", "", "0003");

    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaIncarichi);
    for (const char* titolo : {"Consulenza", "Perizia", "Stima"}) {
        QTest::keyClicks(incarichi.I_TxtData, "05/03/2004");
        QTest::keyClicks(incarichi.I_TxtTitolo, titolo);
        QTest::mouseClick(incarichi.I_CmdAggiungi, Qt::LeftButton);
    }
    SchedeIncarichiTest::clicRiga(*incarichi.I_FlxIncarichi, 2);
    QTest::mouseClick(incarichi.I_CmdCancella, Qt::LeftButton);
    EXPECT_EQ(SchedeIncarichiTest::numeri(*incarichi.I_FlxIncarichi), QStringList({"0001", "0003"}));

    SchedeIncarichiTest::clicRiga(*incarichi.I_FlxIncarichi, 2);
    EXPECT_EQ(SchedeIncarichiTest::righeGialle(*incarichi.I_FlxIncarichi), std::vector<int>{2});
    EXPECT_EQ(C_LblNtask.text(), "0003");
    EXPECT_EQ(C_LblNjob.text(), "0000");

    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaLavorazioni);
    EXPECT_EQ(lavorazioni.L_LblTitolo->text(), "Stima");
    for (const char* descrizione : {"Sopralluogo", "Relazione"}) {
        lavorazioni.L_OptTipoLavorazione->setChecked(true);
        QTest::keyClicks(lavorazioni.L_TxtDescrizione, descrizione);
        QTest::keyClicks(lavorazioni.L_TxtData, "06/03/2004");
        QTest::mouseClick(lavorazioni.L_CmdAggiungi, Qt::LeftButton);
    }
    EXPECT_EQ(SchedeIncarichiTest::numeri(*lavorazioni.L_FlxLavorazioni), QStringList({"0001", "0002"}));

    SchedeIncarichiTest::clicRiga(*lavorazioni.L_FlxLavorazioni, 1);
    SchedeIncarichiTest::clicRiga(*lavorazioni.L_FlxLavorazioni, 2);
    EXPECT_EQ(SchedeIncarichiTest::righeGialle(*lavorazioni.L_FlxLavorazioni), std::vector<int>{2});
    EXPECT_EQ(C_LblNtask.text(), "0003");
    EXPECT_EQ(C_LblNjob.text(), "0002");
    // The tasks grid keeps its own mark.
    EXPECT_EQ(SchedeIncarichiTest::righeGialle(*incarichi.I_FlxIncarichi), std::vector<int>{2});

    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaIncarichi);
    SchedeIncarichiTest::clicRiga(*incarichi.I_FlxIncarichi, 1);
    EXPECT_EQ(SchedeIncarichiTest::righeGialle(*incarichi.I_FlxIncarichi), std::vector<int>{1});
    EXPECT_EQ(C_LblNtask.text(), "0001");
    EXPECT_EQ(C_LblNjob.text(), "0000");
    EXPECT_TRUE(SchedeIncarichiTest::numeri(*lavorazioni.L_FlxLavorazioni).isEmpty());
    RipristinaFascolaCorrente();
    RipristinaAmbiente();
}

}  // namespace
