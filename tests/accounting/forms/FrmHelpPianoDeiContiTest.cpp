#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <memory>

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "fixtures/AccountingFixture.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/ui/RefillCombo.h"
#include "support/ModalHelper.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

// The sample archive of company ROSSI, 2004, with two more clients, one of them with an
// apostrophe in the name.
class Picker : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        contab.creaCampione();
        contab.collega("ROSSI", "2004");
        auto db = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
        AccountingFixture::aggiungiConto(*db, "01.01.01.0004", "D'Angelo Carla", "C", "DANGELO");
        AccountingFixture::aggiungiConto(*db, "01.01.01.0005", "Abete Rosso S.r.l.", "C", "ROSSO");
    }
    void TearDown() override { RipristinaAmbiente(); }

    void apri(QObject* campo, const QString& parola, const QString& natura) {
        form = std::make_unique<FrmHelpPianoDeiConti>();
        form->Form_Load(campo, parola, natura);
        form->show();
        QApplication::setActiveWindow(form.get());
    }

    QStringList colonna(int c) const {
        QStringList valori;
        for (int r = 0; r < form->DbgPianoDeiConti->rowCount(); ++r) valori << form->DbgPianoDeiConti->item(r, c)->text();
        return valori;
    }
    QStringList codici() const { return colonna(0); }
    QStringList descrizioni() const { return colonna(1); }

    // The natures of the rows listed, read back from the archive.
    QStringList nature() const {
        auto db = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
        QStringList n;
        for (const QString& c : codici())
            n << db->scalar("SELECT natura FROM pianodeiconti WHERE codice = ?", {c}).toText<QString>();
        return n;
    }

    void scrivi(const QString& testo) {
        form->TxtCaratteri->setFocus(Qt::MouseFocusReason);
        form->TxtCaratteri->selectAll();
        if (testo.isEmpty()) QTest::keyClick(form->TxtCaratteri, Qt::Key_Delete);
        else QTest::keyClicks(form->TxtCaratteri, testo);
    }
    static void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    TempDir dir;
    AccountingFixture contab{dir.path()};
    ScriptedMessages box;
    std::unique_ptr<FrmHelpPianoDeiConti> form;
};

TEST_F(Picker, OpensOnTheNatureAskedForByDescriptionWithoutHeadings) {
    ui::RefillCombo campo;
    apri(&campo, "", "C");
    EXPECT_EQ(form->windowTitle(), "HELP PIANO DEI CONTI");
    EXPECT_EQ(codici(), QStringList({"01.01.01.0005", "01.01.01.0002", "01.01.01.0004", "01.01.01.0003",
                                     "01.01.01.0001"}));
    EXPECT_TRUE(form->OptDescrizione->isChecked());
    EXPECT_FALSE(form->OptCodice->isChecked());
    EXPECT_TRUE(form->TxtCaratteri->text().isEmpty());
    EXPECT_TRUE(form->CmdOK->isEnabled());
    EXPECT_EQ(form->DbgPianoDeiConti->currentRow(), 0);

    apri(&campo, "", "");
    QStringList tutte = nature();
    tutte.removeDuplicates();
    tutte.sort();
    EXPECT_EQ(tutte, QStringList({"C", "F", "P"}));
    for (const QString& c : codici()) EXPECT_FALSE(c.endsWith(".0000")) << c.toStdString();
    QStringList ordinate = descrizioni();
    std::sort(ordinate.begin(), ordinate.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(descrizioni(), ordinate);
}

TEST_F(Picker, TypedCharactersFilterTheDescriptionAnywhere) {
    apri(nullptr, "", "");
    scrivi("ros");
    EXPECT_EQ(descrizioni(), QStringList({"Abete Rosso S.r.l.", "Rossi Mario S.r.l."}));
    scrivi("");
    EXPECT_EQ(codici().size(), 16);

    // The nature asked for stays while the user types.
    apri(nullptr, "", "F");
    scrivi("a");
    EXPECT_EQ(nature(), QStringList({"F", "F"}));
}

TEST_F(Picker, ADescriptionWithAnApostropheFiltersLikeAnyOther) {
    apri(nullptr, "", "");
    scrivi("D'Angelo");
    EXPECT_EQ(codici(), QStringList({"01.01.01.0004"}));
    scrivi("L'Ottica");
    EXPECT_EQ(codici(), QStringList({"01.01.01.0003"}));
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(Picker, OptionsChooseNatureAndOrder) {
    apri(nullptr, "", "");
    click(form->OptCodice);
    QStringList perCodice = codici();
    EXPECT_TRUE(std::is_sorted(perCodice.begin(), perCodice.end()));
    EXPECT_EQ(perCodice.size(), 16);

    // A nature always lists by description, whatever the order option shows.
    click(form->OptClienti);
    EXPECT_EQ(descrizioni(), QStringList({"Abete Rosso S.r.l.", "Bianchi & Figli S.n.c.", "D'Angelo Carla",
                                          "L'Ottica di Verdi Anna", "Rossi Mario S.r.l."}));
    click(form->OptCodice);
    EXPECT_EQ(codici(), QStringList({"01.01.01.0001", "01.01.01.0002", "01.01.01.0003", "01.01.01.0004",
                                     "01.01.01.0005"}));
    click(form->OptFornitori);
    EXPECT_EQ(nature(), QStringList({"F", "F"}));
    click(form->OptPdC);
    for (const QString& n : nature()) EXPECT_EQ(n, "P");
}

TEST_F(Picker, AWordFiltersTheListWithItsWildcard) {
    apri(nullptr, "ROSS*", "");
    EXPECT_EQ(codici(), QStringList({"01.01.01.0005", "01.01.01.0001"}));
    // The word stays in every list that follows.
    click(form->OptCodice);
    EXPECT_EQ(codici(), QStringList({"01.01.01.0001", "01.01.01.0005"}));
    apri(nullptr, "ROSSI", "");
    EXPECT_EQ(codici(), QStringList({"01.01.01.0001"}));
}

TEST_F(Picker, AFilterThatMatchesNothingEmptiesTheGridAndDisablesOk) {
    apri(nullptr, "", "");
    scrivi("nessuno xyz");
    EXPECT_EQ(form->DbgPianoDeiConti->rowCount(), 0);
    EXPECT_FALSE(form->CmdOK->isEnabled());
    EXPECT_TRUE(form->CmdUscita->isEnabled());
    scrivi("");
    EXPECT_TRUE(form->CmdOK->isEnabled());
}

TEST_F(Picker, AListThatCannotBeReadKeepsTheOneShown) {
    apri(nullptr, "", "C");
    const QStringList prima = codici();
    AmbienteLavoro().PathArchivioContabile = dir.file("manca.mdb");
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    scrivi("x");
    EXPECT_EQ(codici(), prima);
    EXPECT_TRUE(form->CmdOK->isEnabled());
    ASSERT_EQ(box.messageTexts().size(), 1);
    EXPECT_TRUE(box.messageTexts()[0].contains("Funzione: Funzione di elenco del piano dei conti"));
}

TEST_F(Picker, OkWritesTheCurrentCodeIntoADataBoundCombo) {
    ui::RefillCombo campo;
    campo.setEditText("?");
    apri(&campo, "", "C");
    form->DbgPianoDeiConti->setCurrentCell(2, 1);
    click(form->CmdOK);
    EXPECT_EQ(campo.currentText(), "01.01.01.0004");
    EXPECT_TRUE(form->CodiceScelto());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Picker, OkLeavesAnyOtherTargetAlone) {
    QLineEdit testo("?");
    apri(&testo, "", "C");
    click(form->CmdOK);
    EXPECT_EQ(testo.text(), "?");
    EXPECT_FALSE(form->CodiceScelto());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Picker, AvviaReturnsWhenClosedAndCancelWritesNothing) {
    ui::RefillCombo campo;
    campo.setEditText("01");
    ModalHelper modale;
    modale.onNextModal([](QWidget* w) {
        QTest::mouseClick(qobject_cast<FrmHelpPianoDeiConti*>(w)->CmdUscita, Qt::LeftButton);
    });
    EXPECT_FALSE(FrmHelpPianoDeiConti::Avvia(&campo, "", "C"));
    EXPECT_EQ(campo.currentText(), "01");

    modale.onNextModal([](QWidget* w) {
        auto* f = qobject_cast<FrmHelpPianoDeiConti*>(w);
        f->DbgPianoDeiConti->setCurrentCell(1, 0);
        QTest::mouseClick(f->CmdOK, Qt::LeftButton);
    });
    EXPECT_TRUE(FrmHelpPianoDeiConti::Avvia(&campo, "", "F"));
    EXPECT_EQ(campo.currentText(), "02.01.01.0002");
}

TEST_F(Picker, TheHelpLineFollowsTheFocus) {
    apri(nullptr, "", "");
    const std::pair<QWidget*, QString> casi[] = {
        {form->TxtCaratteri, "indicare dei caratteri contigui per la ricerca della descrizione"},
        {form->DbgPianoDeiConti, "Selezionare il codice con il quale si intende lavorare"},
        {form->OptCodice, "attiva / disattiva l'ordinamento per codice"},
        {form->OptDescrizione, "attiva / disattiva l'rodinamento per descrizione"},
        {form->CmdOK, "Uscita dalla funzione con il codice selezionato"},
        {form->CmdUscita, "Uscita dalla funzione senza la selezione"},
    };
    for (const auto& [controllo, testo] : casi) {
        controllo->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(form->LblMsg->text(), testo);
    }
}

}  // namespace
