// A new user on a fresh installation without the accounting package: the program set up
// from an empty folder, two clients entered in the registry, a case file opened for each
// through the main window's mask, and the exposure of one of them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include "app/MontaggioFinestra.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "clients/forms/FrmAnagrafe.h"
#include "casefiles/forms/NavigatoreRecord.h"
#include "clients/forms/FrmEsposizione.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/DatiCliente.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "platform/ui/RefillCombo.h"
#include "startup/engine/TerminaProgramma.h"
#include "startup/forms/FrmFascolaINI.h"
#include "startup/forms/FrmParametriFattura.h"
#include "support/ModalHelper.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/UserInput.h"

using ui::Answer;

namespace {

struct Terminato {};

struct Cliente {
    QString codice, ragione, indirizzo, cap, localita, provincia, picf;
};
const Cliente Rossi{"ROSSI", "Rossi Mario", "Via Roma 1", "20100", "Milano", "MI", "RSSMRA70A01F205X"};
const Cliente Bianchi{"BIANCHI", "Bianchi Srl", "Corso Italia 3", "10100", "Torino", "TO", "01234567890"};

class NuovoUtente : public ::testing::Test, public UserInput {
protected:
    NuovoUtente() {
        RipristinaAmbiente();
        RipristinaFascolaCorrente();
        RipristinaDatiClienteFattura();
        sys::OverrideHostName(QStringLiteral("PCNUOVO"));
        ImpostaTerminazione([] { throw Terminato{}; });
    }
    ~NuovoUtente() override {
        ImpostaTerminazione({});
        sys::OverrideHostName(std::nullopt);
        RipristinaDatiClienteFattura();
        RipristinaFascolaCorrente();
        RipristinaAmbiente();
    }

    // The first start: the set-up dialog names a new archive and no accounting link, the
    // invoicing parameters are confirmed as proposed.
    void primoAvvio() {
        ScriptedMessages box;
        ModalHelper modali;
        modali.onNextModal([&](QWidget* w) {
            auto* impostazione = qobject_cast<FrmFascolaINI*>(w);
            ASSERT_NE(impostazione, nullptr);
            QTest::keyClicks(impostazione->TxtFascola, archivio);
            clic(impostazione->CmdConferma);
        });
        box.expectMessage(Answer::Ok, std::nullopt, "PRIMA DEFINIZIONE DEI PARAMETRI DI FATTURAZIONE");
        modali.onNextModal([](QWidget* w) {
            auto* parametri = qobject_cast<FrmParametriFattura*>(w);
            ASSERT_NE(parametri, nullptr);
            clic(parametri->CmdContinua);
        });
        MontaggioFinestra(finestra);
        finestra.Form_Load(cartella.path());
        finestra.show();
        QApplication::setActiveWindow(&finestra);
    }

    QAction* pulsanteClienti() {
        for (QAction* a : finestra.BarraIcone->actions())
            if (a->data().toString() == "Cliente") return a;
        ADD_FAILURE() << "no client button";
        return nullptr;
    }

    static void inserisci(FrmAnagrafe& f, const Cliente& c) {
        scrivi(f.DbcCodice, c.codice);
        scrivi(f.TxtRagione, c.ragione);
        scrivi(f.TxtIndirizzo, c.indirizzo);
        scrivi(f.TxtCap, c.cap);
        scrivi(f.TxtLocalita, c.localita);
        scrivi(f.TxtProvincia, c.provincia);
        scrivi(f.TxtPicf, c.picf);
        clic(f.cmdConferma);
    }

    MascheraFascola& m() { return *finestra.Maschera; }

    // AGGIUNGI, the client by name, billing at every item, the opening date, CONFERMA.
    void nuovaFascola(const QString& nome) {
        clic(m().CmdAggiungiFascola);
        scrivi(m().DbcNomeCliente, nome);
        m().TxtRifCli->setFocus(Qt::TabFocusReason);
        clic(m().OptOgniVoce);
        scrivi(m().TxtData, "05/03/2004");
        m().TxtRifCli->setFocus(Qt::TabFocusReason);
        clic(m().CmdConfermaFascola);
    }

    TempDir cartella;
    const QString archivio = cartella.file("fascole.mdb");
    FrmFascola finestra;
};

TEST_F(NuovoUtente, EntersTwoClientsOpensACaseFileForEachAndSeesTheExposureOfOne) {
    primoAvvio();
    ASSERT_FALSE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_FALSE(finestra.E_CmdCalcola->isEnabled());

    // The clients, from the toolbar's client button.
    {
        ScriptedMessages box;  // a clean entry asks nothing
        ModalHelper modali;
        modali.onNextModal([&](QWidget* w) {
            auto* registro = qobject_cast<FrmAnagrafe*>(w);
            ASSERT_NE(registro, nullptr);
            clic(registro->cmdAggiungi);
            inserisci(*registro, Rossi);
            inserisci(*registro, Bianchi);
            clic(registro->cmdAnnulla);
            clic(registro->cmdRicerca);
            EXPECT_EQ(registro->DtaSelezionati->caption(), "1 di 2");
            EXPECT_EQ(registro->DbcCodice->currentText(), "BIANCHI");
            clic(registro->cmdFine);
        });
        pulsanteClienti()->trigger();
        EXPECT_EQ(modali.pending(), 0);
    }
    EXPECT_TRUE(finestra.Attiva());
    EXPECT_EQ(db::Database::open(archivio.toStdString())->scalar("SELECT count(*) FROM mpxanagrafe").toInt(), 2);
    QApplication::setActiveWindow(&finestra);

    // A case file for each: the first of its year tells nothing, the second its number.
    {
        ScriptedMessages box;
        nuovaFascola("Rossi Mario");
        box.expectMessage(Answer::Ok, "Numero assegnato: 2004.00002", "NUMERAZIONE ASSOLUTA FASCOLE");
        nuovaFascola("Bianchi Srl");
    }
    {
        auto db = db::Database::open(archivio.toStdString());
        auto rs = db->openRecordset("SELECT cliente, npra, numpranno FROM fascola ORDER BY numpranno");
        ASSERT_EQ(rs->RecordCount(), 2);
        EXPECT_EQ(rs->field("cliente").toText(), "ROSSI");
        EXPECT_EQ(rs->field("npra").toText(), "0001");
        rs->MoveNext();
        EXPECT_EQ(rs->field("cliente").toText(), "BIANCHI");
        // What the catalogue and the fee-item tab will give them: a fee and an advance for
        // Rossi, the advance already invoiced; a fee for Bianchi.
        db->execute("INSERT INTO elefat (codice, descrizione, tipo) VALUES ('ONO', 'Onorario', 'X'), "
                    "('ANT', 'Anticipazione', 'A')");
        db->execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, impofat, fatturato) VALUES "
                    "('ROSSI', '0001', '0000', '0000', 'ONO', 1200, 0), "
                    "('ROSSI', '0001', '0000', '0000', 'ANT', 80.5, 1), "
                    "('BIANCHI', '0001', '0000', '0000', 'ONO', 300, 0)");
    }

    // Rossi's case file found again, then its exposure.
    clic(m().CmdAnnullaFascola);
    scrivi(m().DbcNomeCliente, "Rossi Mario");
    m().TxtRifCli->setFocus(Qt::TabFocusReason);
    clic(m().CmdRicercaFascola);
    ASSERT_EQ(m().LblNpra->text(), "0001");
    ASSERT_TRUE(finestra.E_CmdCalcola->isEnabled());
    ModalHelper modali;
    modali.onNextModal([&](QWidget* w) {
        auto* esposizione = qobject_cast<FrmEsposizione*>(w);
        ASSERT_NE(esposizione, nullptr);
        EXPECT_EQ(esposizione->LblNomeCliente->text(), "Rossi Mario");
        EXPECT_EQ(esposizione->LblSC->text(), "0,00");
        EXPECT_EQ(esposizione->LblPCAF->text(), "80,50");
        EXPECT_EQ(esposizione->LblPCKNF->text(), "1.200,00");
        EXPECT_EQ(esposizione->LblAPTNF->text(), "0,00");
        EXPECT_EQ(esposizione->LblT->text(), "1.200,00");
        clic(esposizione->CmdContinua);
    });
    clic(finestra.E_CmdCalcola);
    EXPECT_EQ(modali.pending(), 0);
    EXPECT_TRUE(finestra.Attiva());
}

}  // namespace
