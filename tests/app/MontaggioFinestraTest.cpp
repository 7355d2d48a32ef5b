#include <QAction>
#include <QDialog>

#include "casefiles/forms/MascheraFixture.h"
#include "support/ModalHelper.h"

namespace {

using maschera::MascheraFixture;

// The assembled window offers the archive-linking dialog from its menu.
TEST_F(MascheraFixture, TheLinkingDialogOpensFromTheMenu) {
    avvia();
    QAction* voce = finestra.findChild<QAction*>("MnuCollegamentoArchivi");
    ASSERT_NE(voce, nullptr);
    EXPECT_TRUE(voce->isEnabled());

    ModalHelper modali;
    QString aperto;
    modali.onNextModal([&](QWidget* w) {
        aperto = w->objectName();
        static_cast<QDialog*>(w)->reject();
    });
    voce->trigger();
    EXPECT_EQ(aperto, "FrmCollegamentoArchivi");
}

}  // namespace
