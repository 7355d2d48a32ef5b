// Pictures of the reprint and cancel form: as it opens, and with a client's stored documents
// listed and one of them chosen for reprinting.
#include <gtest/gtest.h>

#include <QDir>

#include "invoice/forms/FrmRistampa.h"
#include "invoice/forms/TabFatturaFixture.h"
#include "support/ModalHelper.h"

namespace {

class ReprintScreens : public tab_fattura::TabFatturaFixture {
protected:
    void salva(QWidget& w, const QString& nome) {
        QDir().mkpath(SCREENS_DIR);
        EXPECT_TRUE(w.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
    }
};

TEST_F(ReprintScreens, StoredDocumentsOfAClient) {
    apri("0001", true);
    rimettiInCatalogo();
    const QString fatture = cartella.file("fatture");
    QDir().mkpath(fatture);
    AmbienteLavoro().CartellaFatture = fatture;
    ParametriFattura().MemorizzaFattura = true;
    ParametriFattura().AnteprimaStampa = true;
    ParametriFattura().NumerazioneAutomatica = true;
    for (QRadioButton* criterio : {t().F_OptAnticipazioni, t().F_OptPerOgniVoce}) {
        applica(criterio);
        ModalHelper modali;
        modali.onNextModal([](QWidget* w) { w->close(); });
        clic(t().F_CmdStampa);
    }
    ASSERT_EQ(QDir(fatture).entryList(QDir::Files).size(), 2);

    FrmRistampa f(&finestra);
    f.show();
    QApplication::setActiveWindow(&f);
    salva(f, "FrmRistampa_iniziale.png");
    scrivi(f.DbcCliente, "01.01.01.0001");
    entra(f.FlxFatture);
    ASSERT_EQ(f.NumeroFatture(), 2);
    ui::Grid& g = *f.FlxFatture;
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(1, 0)).center());
    clic(f.OptRistampa);
    salva(f, "FrmRistampa_elenco.png");
}

}  // namespace
