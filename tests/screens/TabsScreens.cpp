#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/TabIncarichi.h"
#include "casefiles/forms/TabLavorazioni.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/ui/Grid.h"
#include "startup/engine/Versione.h"
#include "support/Files.h"
#include "support/TempDir.h"

namespace {

void clicRiga(ui::Grid& griglia, int riga) {
    const QModelIndex cella = griglia.model()->index(riga - 1, 0);
    QTest::mouseClick(griglia.viewport(), Qt::LeftButton, {}, griglia.visualRect(cella).center());
}

// The tasks and jobs tabs of a case file with three tasks, the second chosen, and its jobs,
// the first chosen.
TEST(TabsScreens, TasksAndJobsTabs) {
    RipristinaAmbiente();
    RipristinaFascolaCorrente();
    TempDir cartella;
    const QString percorso = cartella.file("fascole.mdb");
    {
        fixtures::CaseFileArchive archivio(percorso);
        archivio.setParameters({});
        archivio.addCaseFile("C001", "0001", "2004-01-10");
        archivio.addTask("C001", "0001", "0001",
                         {{"data", "2004-01-12"}, {"titolo", "Consulenza tecnica"}, {"stato", false}});
        archivio.addTask("C001", "0001", "0002",
                         {{"data", "2004-03-05"}, {"titolo", "Perizia estimativa"}, {"camponote", "Immobile"},
                          {"stato", true}});
        archivio.addTask("C001", "0001", "0004", {{"data", "2004-04-20"}, {"titolo", "Stima danni"}, {"stato", true}});
        archivio.addJob("C001", "0001", "0002", "0001",
                        {{"data", "2004-03-06"}, {"tipo", "L"}, {"descrizione", "Sopralluogo"}, {"idpuntatore", "I"},
                         {"puntatore", "145"}});
        archivio.addJob("C001", "0001", "0002", "0002",
                        {{"data", "2004-03-10"}, {"tipo", "D"}, {"descrizione", "Relazione di stima"},
                         {"idpuntatore", "P"}, {"puntatore", "relazione.doc"}});
    }
    scriviFascolaIni(cartella.path(), {percorso, QString("NO"), QString("NO"), VersioneDelProgramma()});

    FrmFascola finestra;
    finestra.Form_Load(cartella.path());
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));

    // The case file on display, which the two tabs follow.
    TabIncarichi& incarichi = *finestra.Incarichi;
    TabLavorazioni& lavorazioni = *finestra.Lavorazioni;
    FascolaCorrente().MostraFascola("C001", "Rossi Mario", "0001");

    QDir().mkpath(SCREENS_DIR);
    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaIncarichi);
    clicRiga(*incarichi.I_FlxIncarichi, 2);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath("FrmFascola_incarichi.png")));

    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaLavorazioni);
    clicRiga(*lavorazioni.L_FlxLavorazioni, 1);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath("FrmFascola_lavorazioni.png")));

    RipristinaFascolaCorrente();
    RipristinaAmbiente();
}

}  // namespace
