#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include "foundation/engine/Ambiente.h"
#include "startup/forms/FrmFascolaINI.h"
#include "startup/forms/FrmParametriFattura.h"

namespace {

void fotografa(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    finestra.show();
    QApplication::processEvents();
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome + ".png")));
}

}  // namespace

TEST(Screens, SetUpDialog) {
    RipristinaAmbiente();
    FrmFascolaINI dialogo;
    EXPECT_EQ(dialogo.windowTitle(), "DEFINIZIONE AMBIENTE LAVORO");
    fotografa(dialogo, "FrmFascolaINI");
}

// Offered by the start-up when the archive in force can be neither opened nor created.
TEST(Screens, SetUpDialogOnTheConfigurationInForce) {
    RipristinaAmbiente();
    FrmFascolaINI dialogo;
    dialogo.ProponiConfigurazione("\\\\SERVER\\dati\\fascole.mdb", "\\\\SERVER\\contab\\ditte.mdb", "fatture/");
    fotografa(dialogo, "FrmFascolaINI_configurazione_in_uso");
}

TEST(Screens, InvoicingParametersDialog) {
    RipristinaAmbiente();
    // A linked installation as the start-up leaves it, so that every frame is in use.
    AmbienteLavoro().CollegatoContabilita = true;
    ParametriFatturaRec& p = ParametriFattura();
    p.Ditta = "ROSSI";
    p.Esercizio = "2004";
    p.RegistroIva = "V";
    p.ImportoBollo = "1,81";
    p.SogliaBollo = "77,47";
    p.RigaTestata1 = "Studio Rossi";
    p.RigaTestata2 = "Via Roma, 1 - 20100 Milano";
    FrmParametriFattura dialogo;
    EXPECT_EQ(dialogo.windowTitle(), "PARAMETRI FATTURAZIONE");
    fotografa(dialogo, "FrmParametriFattura");
    RipristinaAmbiente();
}
