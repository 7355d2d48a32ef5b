#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QStandardItemModel>
#include <QTreeView>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/system/Paths.h"
#include "startup/engine/TerminaProgramma.h"
#include "startup/engine/Versione.h"
#include "support/Files.h"
#include "support/ModalHelper.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;
using Dialogo = FrmFascola::Dialogo;

namespace {

struct ProgrammaTerminato {};

const QString Titolo = "FASCOLE & FATTURAZIONE";

class FrmFascolaTest : public ::testing::Test {
protected:
    FrmFascolaTest() {
        RipristinaAmbiente();
        RipristinaFascolaCorrente();
        sys::OverrideHostName(QStringLiteral("PCTEST"));
        ImpostaTerminazione([] { throw ProgrammaTerminato{}; });
    }
    ~FrmFascolaTest() override {
        ImpostaTerminazione({});
        sys::OverrideHostName(std::nullopt);
        RipristinaFascolaCorrente();
        RipristinaAmbiente();
    }

    // A start folder as an installed program finds it: Fascola.ini and an archive with its
    // parameters row. `ditte` is the companies list or "NO".
    void installa(const QString& ditte, const fixtures::Fields& parametri = {}) {
        const QString archivio = cartella.file("fascole.mdb");
        {
            fixtures::CaseFileArchive fascole(archivio);
            fascole.setParameters(parametri);
        }
        scriviFascolaIni(cartella.path(), {archivio, ditte, "NO", VersioneDelProgramma()});
    }

    QAction* azione(const QString& nome) {
        auto* trovata = window.findChild<QAction*>(nome);
        EXPECT_TRUE(trovata) << nome.toStdString();
        return trovata;
    }

    QAction* tasto(const QString& chiave) {
        for (QAction* a : window.BarraIcone->actions())
            if (a->data().toString() == chiave) return a;
        ADD_FAILURE() << "no toolbar key " << chiave.toStdString();
        return nullptr;
    }

    void clicTab(int indice) {
        QTabBar* barra = window.NellaFascola->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(indice).center());
    }

    TempDir cartella;
    FrmFascola window;
};

TEST_F(FrmFascolaTest, LoadNotLinkedTakesTheStartFolderAndThePlainCaption) {
    installa("NO");
    QSignalSpy avvio(&window, &FrmFascola::AvvioMaschera);
    window.Form_Load(cartella.path());
    EXPECT_EQ(AmbienteLavoro().CartellaAvvio, cartella.path());
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, cartella.file("fascole.mdb"));
    EXPECT_EQ(window.windowTitle(), Titolo);
    EXPECT_EQ(avvio.count(), 1);
}

TEST_F(FrmFascolaTest, LoadLinkedShowsCompanyAndYearInTheCaption) {
    AccountingFixture contabilita(cartella.path());
    contabilita.creaCampione();
    installa(contabilita.pathDitte(), {{"ditta", AccountingFixture::AcronimoCampione},
                                       {"esercizio", AccountingFixture::EsercizioCampione},
                                       {"registroiva", "V"}});
    window.Form_Load(cartella.path());
    ASSERT_TRUE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(window.windowTitle(), "FASCOLE & FATTURAZIONE *** Ditta: ROSSI *** Esercizio: 2004");
}

TEST_F(FrmFascolaTest, LinkThatFindsNoCompanyGivesThePlainCaption) {
    AccountingFixture contabilita(cartella.path());
    contabilita.creaCampione();
    installa(contabilita.pathDitte(), {{"ditta", "NESSUNA"}, {"esercizio", "2004"}, {"registroiva", "V"}});
    window.Form_Load(cartella.path());
    EXPECT_FALSE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(window.windowTitle(), Titolo);
}

TEST_F(FrmFascolaTest, RelinkingTheArchivesLeavesTheCaptionAsItWas) {
    installa("NO");
    window.Form_Load(cartella.path());
    window.ImpostaDialogo(Dialogo::CollegamentoArchivi, [](QWidget*) {
        AmbienteLavoro().CollegatoContabilita = true;
        ParametriFattura().Ditta = "ROSSI";
        ParametriFattura().Esercizio = "2004";
    });
    azione("MnuCollegamentoArchivi")->trigger();
    EXPECT_EQ(window.windowTitle(), Titolo);
}

TEST_F(FrmFascolaTest, StartUpThatEndsTheProgramLeavesTheWindowUnshownAndUncaptioned) {
    ModalHelper modali;
    modali.onNextModal([](QWidget* setup) { static_cast<QDialog*>(setup)->reject(); });
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Non è possibile procedere senza inizializzazione");
    QSignalSpy avvio(&window, &FrmFascola::AvvioMaschera);
    EXPECT_THROW(window.Form_Load(cartella.path()), ProgrammaTerminato);
    EXPECT_TRUE(window.windowTitle().isEmpty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(avvio.count(), 0);
}

TEST_F(FrmFascolaTest, MenuBarHasEveryMenuAndItemWithItsCaption) {
    using Voci = std::vector<std::pair<QString, QString>>;
    const std::vector<std::tuple<QString, QString, Voci>> attesi = {
        {"Fascole", "&Fascole",
         {{"Fine_lavoro", "&Fine lavoro fascole"}, {"MnuCollegamentoArchivi", "&Collegamento Archivi"}}},
        {"strumenti", "Str&umenti",
         {{"Contabilizza", "&Contabilizza Elementi in fascola"},
          {"linea1strumenti", "-"},
          {"Spunta_elementi", "&Spunta elementi in fascola"},
          {"linea3strumenti", "-"},
          {"Definizione_clienti", "&Gestione archivio Clienti"},
          {"Parametri_clienti", "&Parametri economici Clienti"},
          {"Elementi_da_fatturare", "&Elementi da fatturare"}}},
        {"Stampe", "&Stampe",
         {{"frontespizio_fascole", "&Frontespizio fascole"},
          {"stampa_generale_fascole", "&Fascole"},
          {"dettaglio_contabilizzazione", "&Dettaglio contabilizzazione elementi"}}},
        {"Statistiche", "S&tatistiche", {}},
        {"Fatturazione", "&Fatturazione",
         {{"mnuFatturazioneRistampa", "&Ristampa / Annulla"},
          {"mnuriganulla", "-"},
          {"Fatturazione_Automatica", "Fatturazione &Automatica"}}},
        {"utilità", "&Utilità", {{"Archiviazione_fascole", "&Archiviazione fascole"}, {"Comando_Sql", "&Comando SQL"}}},
        {"Help", "&?", {{"informazioni_prodotto", "&Informazioni sul prodotto"}, {"manuale", "&Manuale"}}},
    };
    const QList<QAction*> menu = window.menuBar()->actions();
    ASSERT_EQ(menu.size(), int(attesi.size()));
    for (int m = 0; m < menu.size(); ++m) {
        const auto& [nome, testo, voci] = attesi[m];
        EXPECT_EQ(menu[m]->objectName(), nome);
        EXPECT_EQ(menu[m]->text(), testo);
        const QList<QAction*> trovate = menu[m]->menu()->actions();
        ASSERT_EQ(trovate.size(), int(voci.size())) << nome.toStdString();
        for (int v = 0; v < trovate.size(); ++v) {
            EXPECT_EQ(trovate[v]->objectName(), voci[v].first);
            EXPECT_EQ(trovate[v]->isSeparator() ? QString("-") : trovate[v]->text(), voci[v].second);
        }
    }
}

TEST_F(FrmFascolaTest, ToolbarButtonsInOrderWithTooltipsAndKeys) {
    const std::vector<std::pair<QString, QString>> attesi = {
        {"", "Definizione di una nuova fascola"},
        {"", "Cancella una fascola"},
        {"", "Ricerca una fascola"},
        {"Albero", "Criterio di Visualizzazione albero delle fascole"},
        {"Veloce", "Visualizza selezione rapida"},
        {"Cliente", "Definizione cliente Destinatario e/o Mittente"},
        {"", "Contabilizzazione degli elementi in fascola"},
        {"", "Fatturazione"},
        {"", "Fine lavoro"},
    };
    const QList<QAction*> pulsanti = window.BarraIcone->actions();
    ASSERT_EQ(pulsanti.size(), int(attesi.size()));
    for (int i = 0; i < pulsanti.size(); ++i) {
        EXPECT_EQ(pulsanti[i]->data().toString(), attesi[i].first) << i;
        EXPECT_EQ(pulsanti[i]->toolTip(), attesi[i].second) << i;
    }
}

TEST_F(FrmFascolaTest, ItemsWithoutActionDoNothing) {
    window.show();
    ScriptedMessages box;  // any question fails the test
    for (const char* nome : {"Contabilizza", "Spunta_elementi", "frontespizio_fascole", "stampa_generale_fascole",
                             "dettaglio_contabilizzazione", "Fatturazione_Automatica", "Archiviazione_fascole",
                             "manuale"}) {
        QAction* voce = azione(nome);
        ASSERT_TRUE(voce);
        EXPECT_TRUE(voce->isEnabled()) << nome;
        voce->trigger();
    }
    for (QAction* pulsante : window.BarraIcone->actions())
        if (pulsante->data().toString().isEmpty()) pulsante->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.FrmVeloce->isVisibleTo(&window));
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(FrmFascolaTest, DialogsOfOtherSubsystemsAreOfferedOnlyOnceTheyExist) {
    const std::vector<std::pair<Dialogo, QString>> voci = {
        {Dialogo::CollegamentoArchivi, "MnuCollegamentoArchivi"},
        {Dialogo::ParCli, "Parametri_clienti"},
        {Dialogo::Elefat, "Elementi_da_fatturare"},
        {Dialogo::Ristampa, "mnuFatturazioneRistampa"},
        {Dialogo::Anagrafe, "Definizione_clienti"},
    };
    for (const auto& [dialogo, nome] : voci) EXPECT_FALSE(azione(nome)->isEnabled()) << nome.toStdString();
    EXPECT_FALSE(tasto("Cliente")->isEnabled());

    for (const auto& [dialogo, nome] : voci) {
        std::vector<QWidget*> aperture;
        window.ImpostaDialogo(dialogo, [&aperture](QWidget* finestra) { aperture.push_back(finestra); });
        ASSERT_TRUE(azione(nome)->isEnabled()) << nome.toStdString();
        azione(nome)->trigger();
        EXPECT_EQ(aperture, std::vector<QWidget*>{&window}) << nome.toStdString();
        window.ImpostaDialogo(dialogo, {});
    }
}

TEST_F(FrmFascolaTest, ClientKeyAndMenuItemOpenTheRegistryOnlyWhenNotLinked) {
    int aperture = 0;
    window.ImpostaDialogo(Dialogo::Anagrafe, [&aperture](QWidget*) { ++aperture; });
    for (QAction* comando : {tasto("Cliente"), azione("Definizione_clienti")}) {
        ASSERT_TRUE(comando->isEnabled());
        AmbienteLavoro().CollegatoContabilita = false;
        aperture = 0;
        comando->trigger();
        EXPECT_EQ(aperture, 1);

        AmbienteLavoro().CollegatoContabilita = true;
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, "Utilizzare l'anagrafica clienti della contabilità", "DEFINIZIONE CLIENTI");
        aperture = 0;
        comando->trigger();
        EXPECT_EQ(aperture, 0);
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::Ok);
    }
}

TEST_F(FrmFascolaTest, AlberoAndVeloceSwitchTheLeftColumn) {
    window.show();
    EXPECT_TRUE(window.FrmVeloce->isVisible());
    EXPECT_FALSE(window.TrvFascole->isVisible());

    tasto("Albero")->trigger();
    EXPECT_FALSE(window.FrmVeloce->isVisible());
    EXPECT_FALSE(window.FrmVeloce->isEnabled());
    EXPECT_TRUE(window.TrvFascole->isVisible());
    EXPECT_TRUE(window.TrvFascole->isEnabled());

    // The quick selection comes back as "Albero" left it: disabled.
    tasto("Veloce")->trigger();
    EXPECT_TRUE(window.FrmVeloce->isVisible());
    EXPECT_FALSE(window.FrmVeloce->isEnabled());
    EXPECT_FALSE(window.TrvFascole->isVisible());
    EXPECT_FALSE(window.TrvFascole->isEnabled());

    // The tree keeps whatever it holds; the key does not rebuild it.
    QStandardItemModel contenuto;
    contenuto.appendRow(new QStandardItem("FASCOLE"));
    window.TrvFascole->setModel(&contenuto);
    tasto("Albero")->trigger();
    EXPECT_EQ(window.TrvFascole->model()->rowCount(), 1);
}

TEST_F(FrmFascolaTest, TabStripHasSixTabsAndOnlyTheInvoiceTabReactsToAClick) {
    const QStringList didascalie = {"&Fascola", "&Incarichi", "&Lavori e Documenti", "Tab 3", "&Competenze", "&Fattura"};
    ASSERT_EQ(window.NellaFascola->count(), didascalie.size());
    for (int i = 0; i < didascalie.size(); ++i) EXPECT_EQ(window.NellaFascola->tabText(i), didascalie[i]);

    window.show();
    QSignalSpy fattura(&window, &FrmFascola::SchedaFatturaScelta);
    for (int i = 0; i < 5; ++i) clicTab(i);
    EXPECT_EQ(fattura.count(), 0);
    clicTab(FrmFascola::SchedaFattura);
    EXPECT_EQ(fattura.count(), 1);
    clicTab(FrmFascola::SchedaFattura);  // a click on the tab already in front counts too
    EXPECT_EQ(fattura.count(), 2);
    clicTab(FrmFascola::SchedaCompetenze);
    EXPECT_EQ(fattura.count(), 2);
}

TEST_F(FrmFascolaTest, VatRegimeOptionsSetTheFlagsAndRedrawTheInvoice) {
    window.show();
    window.NellaFascola->setCurrentIndex(FrmFascola::SchedaFattura);
    QSignalSpy ridisegni(&window, &FrmFascola::RegimeIvaCambiato);

    QTest::mouseClick(window.OptIvaCee, Qt::LeftButton);
    EXPECT_TRUE(FascolaCorrente().IvaCee());
    EXPECT_FALSE(FascolaCorrente().IvaInter());
    EXPECT_TRUE(window.OptIvaCee->isChecked());
    EXPECT_FALSE(window.OptIvaInter->isChecked());

    QTest::mouseClick(window.OptIvaInter, Qt::LeftButton);
    EXPECT_FALSE(FascolaCorrente().IvaCee());
    EXPECT_TRUE(FascolaCorrente().IvaInter());
    EXPECT_FALSE(window.OptIvaCee->isChecked());
    EXPECT_TRUE(window.OptIvaInter->isChecked());
    EXPECT_EQ(ridisegni.count(), 2);
}

TEST_F(FrmFascolaTest, ExposureButtonClearsAttivaWhileItsDialogIsOpenAndRestoresItAfter) {
    EXPECT_FALSE(window.E_CmdCalcola->isEnabled());
    window.AbilitaEsposizione(true);
    EXPECT_FALSE(window.E_CmdCalcola->isEnabled()) << "no exposure dialog yet";

    std::vector<bool> attivaDurante;
    window.ImpostaDialogo(Dialogo::Esposizione,
                          [&](QWidget*) { attivaDurante.push_back(window.property("Attiva").toBool()); });
    EXPECT_TRUE(window.E_CmdCalcola->isEnabled());
    window.show();
    QTest::mouseClick(window.E_CmdCalcola, Qt::LeftButton);
    EXPECT_EQ(attivaDurante, std::vector<bool>{false});
    EXPECT_TRUE(window.Attiva());
    EXPECT_TRUE(window.NellaFascola->isEnabled());

    window.AbilitaEsposizione(false);
    EXPECT_FALSE(window.E_CmdCalcola->isEnabled());
}

TEST_F(FrmFascolaTest, CatalogueAndClientFormsGiveBackAttivaWhenTheyClose) {
    for (const auto& [dialogo, nome] : std::vector<std::pair<Dialogo, QString>>{
             {Dialogo::Elefat, "Elementi_da_fatturare"},
             {Dialogo::ParCli, "Parametri_clienti"},
             {Dialogo::Anagrafe, "Definizione_clienti"}}) {
        window.ImpostaDialogo(dialogo, [](QWidget*) {});
        window.ImpostaAttiva(false);
        EXPECT_FALSE(window.menuBar()->isEnabled());
        azione(nome)->trigger();
        EXPECT_TRUE(window.Attiva()) << nome.toStdString();
        EXPECT_TRUE(window.menuBar()->isEnabled());
    }
}

TEST_F(FrmFascolaTest, AboutBoxAndSqlConsoleOpenModally) {
    window.show();
    for (const auto& [nome, titolo] : std::vector<std::pair<QString, QString>>{
             {"informazioni_prodotto", "INFORMAZIONI SU"}, {"Comando_Sql", "COMANDO SQL"}}) {
        QString visto;
        ModalHelper modali;
        modali.onNextModal([&visto](QWidget* dialogo) {
            visto = dialogo->windowTitle();
            static_cast<QDialog*>(dialogo)->reject();
        });
        azione(nome)->trigger();
        EXPECT_EQ(visto, titolo);
    }
}

TEST_F(FrmFascolaTest, FineLavoroClosesTheWindow) {
    window.show();
    azione("Fine_lavoro")->trigger();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
