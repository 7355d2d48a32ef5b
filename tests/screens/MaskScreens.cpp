#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "casefiles/forms/NodiAlbero.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/DatiCliente.h"
#include "app/MontaggioFinestra.h"
#include "platform/ui/RefillCombo.h"
#include "startup/engine/Versione.h"
#include "support/Files.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

void salva(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
}

// The main window on an archive with a few clients, case files, tasks and fee items.
class MaskScreens : public ::testing::Test {
protected:
    MaskScreens() {
        RipristinaAmbiente();
        RipristinaFascolaCorrente();
        RipristinaDatiClienteFattura();
        const QString archivio = cartella.file("fascole.mdb");
        {
            fixtures::CaseFileArchive a(archivio);
            a.setParameters({});
            a.addClient("R01", {{"ragione", "Rossi Mario"}, {"indirizzo", "Via Roma 1"}, {"localita", "Milano"}});
            a.addClient("B02", {{"ragione", "Bianchi Costruzioni Srl"}});
            a.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 250}});
            a.addCatalogueItem("BOL", {{"descrizione", "Marche da bollo"}, {"importo", 14.62}});
            a.addCaseFile("R01", "0001", "2004-03-05",
                          {{"criterio", "P"}, {"camponote", "Successione Rossi"}, {"rifcli", "Prot. 12/04"},
                           {"stato", true}, {"numpranno", "2004.00001"}});
            a.addCaseFile("B02", "0001", "2004-04-20",
                          {{"criterio", "M"}, {"camponote", "Collaudo capannone"}, {"rifcli", "Ord. 77"},
                           {"stato", true}, {"numpranno", "2004.00002"}});
            a.addTask("R01", "0001", "0001", {{"titolo", "Perizia di stima"}});
            a.addJob("R01", "0001", "0001", "0001", {{"descrizione", "Sopralluogo"}, {"tipo", "L"}});
            a.addJob("R01", "0001", "0001", "0002", {{"descrizione", "Relazione"}, {"tipo", "D"}});
            a.addFeeItem("R01", "0001", "0000", "0000", "BOL", {{"impofat", 14.62}, {"fatturato", true}});
            a.addFeeItem("R01", "0001", "0001", "0000", "ONO",
                         {{"importo", 250}, {"fattore", "2"}, {"impofat", 500}, {"primanota", true}});
        }
        scriviFascolaIni(cartella.path(), {archivio, QString("NO"), QString("NO"), VersioneDelProgramma()});
        MontaggioFinestra(finestra);
        finestra.Form_Load(cartella.path());
        finestra.show();
        QApplication::setActiveWindow(&finestra);
    }
    ~MaskScreens() override {
        RipristinaDatiClienteFattura();
        RipristinaFascolaCorrente();
        RipristinaAmbiente();
    }

    MascheraFascola& m() { return *finestra.Maschera; }

    void cercaTutte() {
        m().OptTutte->click();
        m().CmdRicercaFascola->click();
    }

    TempDir cartella;
    FrmFascola finestra;
};

TEST_F(MaskScreens, SearchMask) { salva(finestra, "Maschera_0_ricerca.png"); }

TEST_F(MaskScreens, Insert) {
    m().CmdAggiungiFascola->click();
    m().DbcNomeCliente->setEditText("Rossi Mario");
    m().TxtRifCli->setFocus();
    m().OptOgniVoce->click();
    m().TxtNote->setText("Nuova pratica");
    salva(finestra, "Maschera_1_inserimento.png");
}

TEST_F(MaskScreens, ViewWithTreeAndFeeItems) {
    cercaTutte();
    finestra.findChild<QAction*>("BarraIcone_4")->trigger();
    albero::apriTutto(*finestra.TrvFascole);
    m().DtaSelezionatiFascola_Validate(MascheraFascola::AzioneUltimo);
    salva(finestra, "Maschera_2_visione.png");
    finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaCompetenze);
    salva(finestra, "Maschera_competenze.png");
}

TEST_F(MaskScreens, Correction) {
    cercaTutte();
    QTest::mouseClick(m().TxtNote, Qt::LeftButton);
    m().TxtNote->setText("Collaudo capannone e uffici");
    salva(finestra, "Maschera_3_correzione.png");
}

}  // namespace
