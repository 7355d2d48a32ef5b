#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "foundation/engine/Ambiente.h"
#include "foundation/forms/FrmComandoSql.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

const QString Successo = "Il comando è stato eseguito con successo";
const QString TitoloErrori = "GESTIONE DEGLI ERRORI";

QString messaggioErrore(int numero, const QString& descrizione) {
    return "Si è verificato l'errore  " + QString::number(numero) + "\n" + descrizione +
           "\nFunzione: Routine di esecuzione comando SQL\nNessun suggerimento";
}

class FrmComandoSqlTest : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        AmbienteLavoro().PathArchivioFascole = dir.file("Fascole.mdb");
        auto db = db::Database::create(AmbienteLavoro().PathArchivioFascole.toStdString());
        db->execute("CREATE TABLE fascola (npra TEXT PRIMARY KEY, stato INTEGER)");
        db->execute("INSERT INTO fascola VALUES ('0001', 1), ('0002', 1)");
        form.show();
    }
    void TearDown() override { RipristinaAmbiente(); }

    void esegui(const QString& comando) {
        form.TxtComandoSql->setPlainText(comando);
        QTest::mouseClick(form.CmdEsegui, Qt::LeftButton);
    }

    int aperte() {
        auto db = db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString());
        return int(db->scalar("SELECT COUNT(*) FROM fascola WHERE stato = 1").toInt());
    }

    TempDir dir;
    FrmComandoSql form;
};

TEST_F(FrmComandoSqlTest, CaptionsAsDesigned) {
    EXPECT_EQ(form.windowTitle(), "COMANDO SQL");
    EXPECT_EQ(form.CmdEsegui->text(), "ESEGUI COMANDO SQL");
    EXPECT_EQ(form.CmdRinuncia->text(), "RINUNCIA");
    EXPECT_TRUE(form.findChild<QPlainTextEdit*>("TxtComandoSql"));
}

TEST_F(FrmComandoSqlTest, EmptyStatementIsRefusedWithoutOpeningTheArchive) {
    // A missing archive would reach the error handler, which nobody scripted here.
    AmbienteLavoro().PathArchivioFascole = dir.file("NonEsiste.mdb");
    for (const QString& comando : {QString(), QString("   "), QString("\n\t ")}) {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, "Se non sai come usare SQL è bene che rinunci!");
        esegui(comando);
        EXPECT_EQ(box.asked().size(), 1u);
        EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::Ok);
    }
}

TEST_F(FrmComandoSqlTest, UpdateChangesTheRowsReportsSuccessAndEmptiesTheBox) {
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, Successo);
    QTest::keyClicks(form.TxtComandoSql, "UPDATE fascola SET stato = 0 WHERE npra = '0002'");
    QTest::mouseClick(form.CmdEsegui, Qt::LeftButton);
    EXPECT_EQ(aperte(), 1);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_EQ(box.asked()[0].icon, ui::Icon::Information);
    EXPECT_TRUE(form.TxtComandoSql->toPlainText().isEmpty());
}

TEST_F(FrmComandoSqlTest, RefusedStatementsGoToTheErrorHandlerAndClaimNoSuccess) {
    const struct {
        QString comando;
        int numero;
        QString descrizione;  // start of the engine's description
    } casi[] = {
        {"SELECT * FROM fascola", 3065, "Impossibile eseguire una query di selezione."},
        {"UPDATE fascola SET stato = 0; DELETE FROM fascola", 3142,
         "Caratteri trovati dopo la fine dell'istruzione SQL."},
        {"UPDATE nessuna SET stato = 0", 3078, "Impossibile trovare la tabella"},
        {"UPDAT fascola", 3075, "Errore di sintassi"},
    };
    for (const auto& c : casi) {
        for (Answer risposta : {Answer::Abort, Answer::Ignore}) {
            ScriptedMessages box;
            box.expectMessage(risposta, std::nullopt, TitoloErrori);
            esegui(c.comando);
            ASSERT_EQ(box.asked().size(), 1u) << c.comando.toStdString();
            EXPECT_TRUE(box.asked()[0].text.startsWith(
                "Si è verificato l'errore  " + QString::number(c.numero) + "\n" + c.descrizione))
                << box.asked()[0].text.toStdString();
            EXPECT_EQ(form.TxtComandoSql->toPlainText(), c.comando) << "the statement stays to be mended";
            EXPECT_EQ(aperte(), 2) << c.comando.toStdString();
        }
    }
}

TEST_F(FrmComandoSqlTest, RetryRunsTheStatementAgain) {
    ScriptedMessages box;
    box.expectMessage(Answer::Retry, std::nullopt, TitoloErrori);
    box.expectMessage(Answer::Abort, std::nullopt, TitoloErrori);
    esegui("SELECT 1");
    EXPECT_EQ(box.messageTexts(),
              QStringList({messaggioErrore(3065, "Impossibile eseguire una query di selezione."),
                           messaggioErrore(3065, "Impossibile eseguire una query di selezione.")}));
}

TEST_F(FrmComandoSqlTest, MissingArchiveIsReportedAndNothingRuns) {
    AmbienteLavoro().PathArchivioFascole = dir.file("Sparito.mdb");
    ScriptedMessages box;
    box.expectMessage(Answer::Ignore, std::nullopt, TitoloErrori);
    esegui("DELETE FROM fascola");
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_TRUE(box.asked()[0].text.startsWith("Si è verificato l'errore  3024\n"));
}

TEST_F(FrmComandoSqlTest, RinunciaClosesTheForm) {
    QTest::mouseClick(form.CmdRinuncia, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

}  // namespace
