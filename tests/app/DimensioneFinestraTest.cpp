// The main window keeps the size it opened with whatever tab is shown, and however often.
#include <QApplication>
#include <QTabWidget>

#include "casefiles/forms/MascheraFixture.h"

namespace {

using maschera::MascheraFixture;

TEST_F(MascheraFixture, TheWindowKeepsItsSizeWhateverTabIsShown) {
    {
        const bool collegato = true;
        avvia(collegato);
        QApplication::processEvents();
        const QSize iniziale = finestra.size();
        auto* schede = finestra.findChild<QTabWidget*>("NellaFascola");
        ASSERT_NE(schede, nullptr);
        for (int giro = 0; giro < 2; ++giro) {
            for (int i = 0; i < schede->count(); ++i) {
                schede->setCurrentIndex(i);
                QApplication::processEvents();
                EXPECT_EQ(finestra.size(), iniziale) << "tab " << i << ", round " << giro << ", linked " << collegato;
            }
        }
    }
}

}  // namespace
