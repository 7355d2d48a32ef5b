#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <vector>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/EvidenziaRiga.h"
#include "casefiles/forms/TabIncarichi.h"
#include "casefiles/forms/TabLavorazioni.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "support/TempDir.h"
#include "support/UserInput.h"

// The tasks and jobs tabs side by side in a window of their own, over a case-file archive
// in a temp folder; the fee tab's two labels follow the case file object as the fee tab's
// own do.
class SchedeIncarichiTest : public ::testing::Test, public UserInput {
protected:
    SchedeIncarichiTest() : archivio(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaFascolaCorrente();
        AmbienteLavoro().PathArchivioFascole = archivio.path();
        auto* paginaIncarichi = new QWidget(&finestra);
        auto* paginaLavorazioni = new QWidget(&finestra);
        lavorazioni = new TabLavorazioni(*paginaLavorazioni, righe);
        incarichi = new TabIncarichi(*paginaIncarichi, *lavorazioni, righe);
        auto* layout = new QHBoxLayout(&finestra);
        layout->addWidget(paginaIncarichi);
        layout->addWidget(paginaLavorazioni);
        QObject::connect(&FascolaCorrente(), &FascolaCorrenteRec::DestinazioneCambiata, &finestra, [this] {
            C_LblNtask.setText(FascolaCorrente().NtaskCompetenze());
            C_LblNjob.setText(FascolaCorrente().NjobCompetenze());
        });
        finestra.resize(1400, 700);
        finestra.show();
        QApplication::setActiveWindow(&finestra);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&finestra));
        // The main window's load puts both tabs in their initial state.
        incarichi->I_PulisciCampi();
        lavorazioni->L_PulisciCampi();
    }
    ~SchedeIncarichiTest() override {
        RipristinaFascolaCorrente();
        RipristinaAmbiente();
    }

    // A case file put on display, as the mask's display does.
    void mostraFascola(const QString& cliente, const QString& npra, const QString& nome = "Rossi Mario") {
        FascolaCorrente().MostraFascola(cliente, nome, npra);
        C_LblNtask.setText(FascolaCorrente().NtaskCompetenze());
        C_LblNjob.setText(FascolaCorrente().NjobCompetenze());
    }

public:
    static void scrivi(QWidget* campo, const QString& testo) {
        QTest::keyClicks(campo, testo);
    }

    // The data rows whose cells are all yellow.
    static std::vector<int> righeGialle(const ui::Grid& griglia) {
        std::vector<int> gialle;
        for (int r = 1; r < griglia.rows(); ++r) {
            bool tutte = true;
            for (int c = 0; c < griglia.cols(); ++c)
                tutte = tutte && griglia.cellBackColor(r, c) == ui::bgr(ui::BgrYellow);
            if (tutte) gialle.push_back(r);
        }
        return gialle;
    }

    // The first column of the data rows, down to the last row that shows anything.
    static QStringList numeri(const ui::Grid& griglia) {
        QStringList elenco;
        for (int r = 1; r < griglia.rows(); ++r) elenco << griglia.text(r, 0);
        while (!elenco.isEmpty() && elenco.back().isEmpty()) elenco.removeLast();
        return elenco;
    }

    static bool rigaVuota(const ui::Grid& griglia, int riga) {
        for (int c = 0; c < griglia.cols(); ++c)
            if (!griglia.text(riga, c).isEmpty()) return false;
        return true;
    }

protected:
    int conta(const std::string& sql, const db::Params& parametri = {}) {
        return int(archivio.db().scalar(sql, parametri).toInt());
    }

    TempDir cartella;
    fixtures::CaseFileArchive archivio;
    QWidget finestra;
    Evidenziatore righe;
    TabIncarichi* incarichi = nullptr;
    TabLavorazioni* lavorazioni = nullptr;
    // The fee tab's task and job labels.
    QLabel C_LblNtask;
    QLabel C_LblNjob;
};
