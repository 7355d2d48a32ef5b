#pragma once
// A started program on a case-file archive of the test's own, with the mask, the fee-item
// tab and the fixed billing items in the window, and helpers that act on the mask as a user
// does: typing, leaving fields, clicking.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "casefiles/forms/NavigatoreRecord.h"
#include "fees/forms/TabCompetenze.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "fixtures/ProgrammaInstallato.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/DatiCliente.h"
#include "app/MontaggioFinestra.h"
#include "platform/system/Paths.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"
#include "startup/engine/TerminaProgramma.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/UserInput.h"

namespace maschera {

struct Terminato {};

class MascheraFixture : public ::testing::Test, public UserInput {
protected:
    MascheraFixture() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaFascolaCorrente();
        RipristinaDatiClienteFattura();
        sys::OverrideHostName(QStringLiteral("PCTEST"));
        ImpostaTerminazione([] { throw Terminato{}; });
    }
    ~MascheraFixture() override {
        ImpostaTerminazione({});
        sys::OverrideHostName(std::nullopt);
        RipristinaDatiClienteFattura();
        RipristinaFascolaCorrente();
        RipristinaAmbiente();
    }

    // Starts the program: the accounting link off, or on to the sample company ROSSI 2004.
    void avvia(bool collegato = false) {
        contabilita = fixtures::InstallaProgramma(cartella.path(), fascole, collegato);
        MontaggioFinestra(finestra);
        finestra.Form_Load(cartella.path());
        finestra.show();
        QApplication::setActiveWindow(&finestra);
    }

    MascheraFascola& m() { return *finestra.Maschera; }
    TabCompetenze& competenze() { return dynamic_cast<TabCompetenze&>(*finestra.Competenze); }

    // Leaves the field being typed in for the client reference, as a tab key would.
    void lascia() { entra(m().TxtRifCli); }

    // Types a client name and leaves the box.
    void scegliCliente(const QString& nome) {
        scrivi(m().DbcNomeCliente, nome);
        lascia();
    }

    // Every case file of the archive matches: no criterion, state "Tutte".
    void cercaTutte() {
        clic(m().OptTutte);
        clic(m().CmdRicercaFascola);
    }

    db::Value colonna(const std::string& sql, const db::Params& parametri = {}) {
        return fascole.db().scalar(sql, parametri);
    }

    // The seven buttons' enabled state, AGGIUNGI to STAMPA.
    std::vector<bool> pulsanti() {
        std::vector<bool> stato;
        for (QPushButton* b : {m().CmdAggiungiFascola, m().CmdRicercaFascola, m().CmdCorreggiFascola,
                               m().CmdCancellaFascola, m().CmdConfermaFascola, m().CmdAnnullaFascola,
                               m().CmdStampaFascola})
            stato.push_back(b->isEnabled());
        return stato;
    }

    QString didascalia() { return m().DtaSelezionatiFascola->caption(); }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    std::unique_ptr<AccountingFixture> contabilita;
    FrmFascola finestra;
};

}  // namespace maschera
