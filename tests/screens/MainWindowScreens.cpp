#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/forms/FrmComandoSql.h"
#include "foundation/forms/FrmInformazioni.h"
#include "startup/engine/Versione.h"
#include "support/Files.h"
#include "support/TempDir.h"

namespace {

void salva(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
}

// The main window after an ordinary start: configuration file and archive in place.
class MainWindowScreens : public ::testing::Test {
protected:
    MainWindowScreens() {
        RipristinaAmbiente();
        RipristinaFascolaCorrente();
        const QString archivio = cartella.file("fascole.mdb");
        fixtures::CaseFileArchive(archivio).setParameters({});
        scriviFascolaIni(cartella.path(), {archivio, QString("NO"), QString("NO"), VersioneDelProgramma()});
    }
    ~MainWindowScreens() override {
        RipristinaFascolaCorrente();
        RipristinaAmbiente();
    }

    TempDir cartella;
};

TEST_F(MainWindowScreens, MainWindowEachTab) {
    FrmFascola window;
    window.Form_Load(cartella.path());
    window.show();
    for (int scheda = 0; scheda < window.NellaFascola->count(); ++scheda) {
        window.NellaFascola->setCurrentIndex(scheda);
        salva(window, QString("FrmFascola_tab%1.png").arg(scheda));
    }
}

TEST_F(MainWindowScreens, MainWindowClientTree) {
    FrmFascola window;
    window.Form_Load(cartella.path());
    window.show();
    window.findChild<QAction*>("BarraIcone_4")->trigger();
    salva(window, "FrmFascola_albero.png");
}

TEST_F(MainWindowScreens, AboutBox) {
    FrmFascola window;
    window.Form_Load(cartella.path());
    // The name the program runs under, as the program itself sets it.
    const QString nomePrima = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName("FASCOLE & FATTURAZIONE");
    FrmInformazioni form(&window);
    form.show();
    salva(form, "FrmInformazioni.png");
    QGuiApplication::setApplicationDisplayName(nomePrima);
}

TEST_F(MainWindowScreens, SqlConsole) {
    FrmFascola window;
    window.Form_Load(cartella.path());
    FrmComandoSql form(&window);
    form.show();
    form.TxtComandoSql->setPlainText("UPDATE fascola SET stato = 0 WHERE npra = '0001'");
    salva(form, "FrmComandoSql.png");
}

}  // namespace
