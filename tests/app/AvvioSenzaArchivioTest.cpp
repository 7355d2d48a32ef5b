// The main window's load runs the start-up before the window is shown: on an archive that can
// be neither opened nor created it never opens on no archive.
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/MontaggioFinestra.h"
#include "casefiles/forms/FrmFascola.h"
#include "fixtures/CaseFileArchive.h"
#include "startup/engine/Installazione.h"
#include "startup/engine/Versione.h"
#include "startup/forms/FrmFascolaINI.h"
#include "support/ModalHelper.h"
#include "support/ScriptedMessages.h"

namespace {

using ui::Answer;

class AvvioSenzaArchivio : public Installazione {
protected:
    AvvioSenzaArchivio() {
        scriviIni({cartella.file("manca/fascole.mdb"), "NO", "NO", VersioneDelProgramma()});
        MontaggioFinestra(finestra);
    }

    // Answers the set-up dialog that the start-up offers: `archivio` confirmed, or given up
    // when empty.
    void rispondi(const QString& archivio) {
        box.expectMessage(Answer::Ok, std::nullopt, "ARCHIVIO DELLE FASCOLE");
        modal.onNextModal([archivio](QWidget* w) {
            auto* dialogo = qobject_cast<FrmFascolaINI*>(w);
            ASSERT_NE(dialogo, nullptr);
            dialogo->TxtFascola->setText(archivio);
            QTest::mouseClick(archivio.isEmpty() ? dialogo->CmdRinuncia : dialogo->CmdConferma, Qt::LeftButton);
        });
    }

    ScriptedMessages box;
    ModalHelper modal;
    FrmFascola finestra;
};

TEST_F(AvvioSenzaArchivio, GivingUpTheSetUpEndsTheProgramBeforeTheWindowOpens) {
    rispondi({});
    box.expectMessage(Answer::Ok, "Non è possibile procedere senza inizializzazione");
    EXPECT_THROW(finestra.Form_Load(cartella.path()), ProgrammaTerminato);
    EXPECT_FALSE(finestra.isVisible());
}

TEST_F(AvvioSenzaArchivio, TheWindowOpensOnTheArchiveNamedInTheSetUp) {
    fixtures::CaseFileArchive(pathArchivio()).setParameters({{"rigatestata1", "Studio Rossi"}});
    rispondi(pathArchivio());
    finestra.Form_Load(cartella.path());
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, pathArchivio());
    EXPECT_EQ(ParametriFattura().RigaTestata1, "Studio Rossi");
}

}  // namespace
