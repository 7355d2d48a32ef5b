#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTableWidget>

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/ui/RefillCombo.h"
#include "startup/forms/DefinizioneValoriDefault.h"
#include "startup/forms/FrmCollegamentoArchivi.h"
#include "startup/engine/Versione.h"
#include "support/Files.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

void salva(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
}

// An installation linked to company ROSSI, year 2004, after its start-up.
class LinkScreens : public ::testing::Test {
protected:
    LinkScreens() : contab(cartella.path()) {
        RipristinaAmbiente();
        contab.creaCampione();
        const QString archivio = cartella.file("fascole.mdb");
        const QString fatture = cartella.file("fatture") + "/";
        QDir().mkpath(fatture);
        fixtures::CaseFileArchive(archivio).setParameters(
            {{"ditta", "ROSSI"}, {"esercizio", "2004"}, {"registroiva", "V"}});
        scriviFascolaIni(cartella.path(), {archivio, contab.pathDitte(), fatture, VersioneDelProgramma()});
        AmbienteLavoro().CartellaAvvio = cartella.path();
        DefinizioneValoriDefault();
    }
    ~LinkScreens() override { RipristinaAmbiente(); }

    TempDir cartella;
    AccountingFixture contab;
    ScriptedMessages box;
};

TEST_F(LinkScreens, ArchiveLinkingDialog) {
    FrmCollegamentoArchivi form;
    form.show();
    salva(form, "FrmCollegamentoArchivi.png");
}

TEST_F(LinkScreens, ChartOfAccountsPicker) {
    ui::RefillCombo campo;
    FrmHelpPianoDeiConti form;
    form.Form_Load(&campo, "", "");
    form.show();
    salva(form, "FrmHelpPianoDeiConti.png");
    form.TxtCaratteri->setText("an");
    form.DbgPianoDeiConti->setCurrentCell(2, 0);
    salva(form, "FrmHelpPianoDeiConti_filtro.png");
}

}  // namespace
