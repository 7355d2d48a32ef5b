#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "casefiles/forms/NavigatoreRecord.h"
#include "clients/forms/FrmParCli.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/ui/RefillCombo.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

void salva(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
}

// The client billing parameters form on an archive with two clients that have parameters.
class ParCliScreens : public ::testing::Test {
protected:
    ParCliScreens() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        AmbienteLavoro().FormatoImporto = "###,##0.00";
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
        fascole.addClient("B02", {{"ragione", "Bianchi Costruzioni Srl"}});
        fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 250}, {"tipo", "X"}});
        fascole.addCatalogueItem("BOL", {{"descrizione", "Marche da bollo"}, {"importo", 14.62}, {"tipo", "C"}});
        fascole.addCatalogueItem("SEG", {{"descrizione", "Spese di segreteria e cancelleria"}, {"importo", 20},
                                         {"tipo", "C"}});
        fascole.addCatalogueItem("VIS", {{"descrizione", "Visura catastale"}, {"importo", 30}, {"tipo", "C"}});
        fascole.addClientParameters("R01", {{"criterio", "P"}, {"camponote", "Fatturare a fine pratica"},
                                            {"elemento1", "ONO"}, {"applica1", "1"}, {"elemento2", "SEG"},
                                            {"applica2", "1"}, {"elemento3", "BOL"}, {"applica3", "3"}});
        fascole.addPriceListItem("R01", "ONO", {{"importo", 200}, {"pagamento", "30"}});
        fascole.addPriceListItem("R01", "SEG", {{"importo", 15}, {"pagamento", "60"}});
        fascole.addPriceListItem("R01", "VIS", {{"importo", 1250.5}, {"pagamento", "0"}});
        fascole.addClientParameters("B02", {{"criterio", "M"}});
        form.show();
        QApplication::setActiveWindow(&form);
    }
    ~ParCliScreens() override { RipristinaAmbiente(); }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    ScriptedMessages box;
    FrmParCli form;
};

TEST_F(ParCliScreens, SearchMaskViewAndCorrection) {
    salva(form, "FrmParCli.png");
    form.DbcNomeCliente->setFocus();
    QTest::keyClicks(form.DbcNomeCliente->lineEdit(), "Rossi Mario");
    form.cmdFine->setFocus();
    QTest::mouseClick(form.cmdRicerca, Qt::LeftButton);
    salva(form, "FrmParCli_visione.png");
    QTest::mouseClick(form.OptFineMese, Qt::LeftButton);
    salva(form, "FrmParCli_correzione.png");
}

TEST_F(ParCliScreens, Insertion) {
    auto scrivi = [](QWidget* campo, QLineEdit* testo, const QString& valore) {
        campo->setFocus();
        testo->clear();
        QTest::keyClicks(testo, valore);
    };
    auto lascia = [&] { form.cmdFine->setFocus(); };
    QTest::mouseClick(form.cmdAggiungi, Qt::LeftButton);
    scrivi(form.DbcNomeCliente, form.DbcNomeCliente->lineEdit(), "Bianchi Costruzioni Srl");
    lascia();
    QTest::mouseClick(form.OptPerOgniVoce, Qt::LeftButton);
    scrivi(form.DbcElementoFisso, form.DbcElementoFisso->lineEdit(), "Onorario");
    lascia();
    QTest::mouseClick(form.OptPerFascola, Qt::LeftButton);
    QTest::mouseClick(form.CmdAggiungiFisso, Qt::LeftButton);
    scrivi(form.DbcElementoListino, form.DbcElementoListino->lineEdit(), "Onorario");
    scrivi(form.TxtListino, form.TxtListino, "225");
    lascia();
    QTest::mouseClick(form.CmdAggiungiListino, Qt::LeftButton);
    // The next row being typed.
    scrivi(form.DbcElementoFisso, form.DbcElementoFisso->lineEdit(), "Visura catastale");
    lascia();
    QTest::mouseClick(form.OptPerFattura, Qt::LeftButton);
    scrivi(form.DbcElementoListino, form.DbcElementoListino->lineEdit(), "Marche da bollo");
    scrivi(form.TxtListino, form.TxtListino, "12");
    scrivi(form.DbcPagamento, form.DbcPagamento->lineEdit(), "30");
    lascia();
    ASSERT_EQ(form.NumeroElementiFissi(), 1);
    ASSERT_EQ(form.NumeroElementiListino(), 1);
    salva(form, "FrmParCli_inserimento.png");
}

}  // namespace
