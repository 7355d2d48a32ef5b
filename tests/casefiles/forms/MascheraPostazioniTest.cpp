// The main window on an archive that another workstation (the fixture's own connection) is
// working on at the same time, and what showing a case file costs in connections.
#include <QTreeView>

#include "accounting/engine/LetturaContabile.h"
#include "casefiles/forms/ContaConnessioni.h"
#include "casefiles/forms/MascheraFixture.h"
#include "casefiles/forms/NodiAlbero.h"
#include "casefiles/forms/SchedeIncarichi.h"
#include "foundation/engine/Sessione.h"

using ui::Answer;

namespace maschera {
namespace {

class MascheraPostazioni : public MascheraFixture {
protected:
    MascheraPostazioni() {
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
        fascole.addClient("B02", {{"ragione", "Bianchi Srl"}});
        fascole.addCaseFile("R01", "0001", "2004-01-10", {{"criterio", "M"}, {"camponote", "prima"}, {"numpranno", "2004.00001"}});
        fascole.addCaseFile("R01", "0002", "2004-01-09", {{"criterio", "M"}, {"camponote", "seconda"}, {"numpranno", "2004.00002"}});
    }

    std::string righe() {
        return colonna("SELECT group_concat(cliente || npra || camponote || numpranno, ' ') FROM "
                       "(SELECT * FROM fascola ORDER BY cliente, npra)")
            .textOr();
    }
};

TEST_F(MascheraPostazioni, ACorrectionOfACaseFileChangedMeanwhileIsRefusedWithTheWriteConflictError) {
    avvia();
    cercaTutte();  // 0001 on display
    clic(m().TxtNote);
    scrivi(m().TxtNote, "nostra");
    fascole.db().execute("UPDATE fascola SET camponote = 'sua' WHERE npra = '0001'");
    ScriptedMessages box;
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    clic(m().CmdCorreggiFascola);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_TRUE(box.asked()[0].text.contains("3197"));
    EXPECT_TRUE(box.asked()[0].text.contains("Funzione di correzione di una fascola"));
    EXPECT_EQ(colonna("SELECT camponote FROM fascola WHERE npra = '0001'").toText(), "sua");
    EXPECT_EQ(m().ModoOperativo, 3) << "what was typed stays to be looked at";
}

TEST_F(MascheraPostazioni, ADeletionOfACaseFileReplacedMeanwhileLeavesTheOthersRows) {
    avvia();
    cercaTutte();
    clic(m().DtaSelezionatiFascola->Ultimo);  // 0002 on display
    // The other workstation deletes it and stores a case file of another client.
    fascole.db().execute("DELETE FROM fascola WHERE npra = '0002'");
    fascole.addCaseFile("B02", "0001", "2004-02-01", {{"camponote", "di B"}, {"numpranno", "2004.00003"}});
    const std::string prima = righe();
    ScriptedMessages box;
    box.expectMessage(Answer::Yes, "Confermare la cancellazione della fascola", "");
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    clic(m().CmdCancellaFascola);
    ASSERT_EQ(box.asked().size(), 2u);
    EXPECT_TRUE(box.asked()[1].text.contains("3167"));
    EXPECT_EQ(righe(), prima);
    EXPECT_EQ(m().NumSelezionati, 2);
}

TEST_F(MascheraPostazioni, ATaskCorrectedAfterTheOtherWorkstationChangedItIsRefused) {
    fascole.addTask("R01", "0001", "0001", {{"data", "2004-03-05"}, {"titolo", "Perizia"}});
    avvia();
    cercaTutte();
    TabIncarichi& t = *finestra.Incarichi;
    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaIncarichi);
    clicRiga(*t.I_FlxIncarichi, 1);
    ASSERT_EQ(t.I_LblNtask->text(), "0001");
    t.I_TxtTitolo->setText("Perizia estimativa");
    fascole.db().execute("UPDATE task SET titolo = 'Consulenza' WHERE ntask = '0001'");
    ScriptedMessages box;
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    clic(t.I_CmdCorreggi);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_TRUE(box.asked()[0].text.contains("3197"));
    EXPECT_EQ(colonna("SELECT titolo FROM task").toText(), "Consulenza");
    EXPECT_EQ(t.I_TxtTitolo->text(), "Perizia estimativa");
}

TEST_F(MascheraPostazioni, ShowingACaseFileWithItsTasksJobsAndTreeOpensNoConnectionOfItsOwn) {
    fascole.addTask("R01", "0001", "0001", {{"data", "2004-03-05"}, {"titolo", "Perizia"}});
    fascole.addJob("R01", "0001", "0001", "0001", {{"descrizione", "Sopralluogo"}});
    fascole.addFeeItem("R01", "0002", "0000", "0000", "ONO", {{"impofat", 10}});
    avvia();
    cercaTutte();
    const Connessione sessione = ArchivioInUso();

    ContaConnessioni conta;
    clic(m().DtaSelezionatiFascola->Ultimo);
    clic(m().DtaSelezionatiFascola->Primo);
    EXPECT_EQ(conta.aperte(), 0);
    conta.azzera();
    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaIncarichi);
    clicRiga(*finestra.Incarichi->I_FlxIncarichi, 1);
    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaLavorazioni);
    clicRiga(*finestra.Lavorazioni->L_FlxLavorazioni, 1);
    albero::apriTutto(*finestra.TrvFascole);
    EXPECT_EQ(conta.aperte(), 0);
    EXPECT_EQ(finestra.Lavorazioni->L_LblNJob->text(), "0001");
    EXPECT_EQ(ArchivioInUso(), sessione);
}

}  // namespace
}  // namespace maschera
