#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <optional>
#include <vector>

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "accounting/forms/NormalizzaCampoPdC.h"
#include "fixtures/AccountingFixture.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Sessione.h"
#include "platform/ui/RefillCombo.h"
#include "support/ModalHelper.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

const QString Titolo = "CONTROLLO CODICE PdC";

struct Conto {
    QString codice;
    QString parola;
};

// A linked archive whose chart holds only the accounts a test gives it.
class Normalizzazione : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        contab.aggiungiDitta("ROSSI", 7);
        contab.creaArchivio("ROSSI", "2004", false);
        contab.collega("ROSSI", "2004");
    }
    void TearDown() override { RipristinaAmbiente(); }

    void piano(const std::vector<Conto>& conti) {
        auto db = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
        db->execute("DELETE FROM pianodeiconti");
        db::Transaction t(*db);
        for (const Conto& c : conti) AccountingFixture::aggiungiConto(*db, c.codice, "Conto " + c.codice, "P", c.parola);
        t.commit();
    }

    // The normalisation of `digitato` typed into the field; `digitato` becomes the caller's text.
    QString normalizza(QString& digitato) {
        campo.setEditText(digitato);
        return NormalizzaCodicePdC(digitato, campo);
    }

    TempDir dir;
    AccountingFixture contab{dir.path()};
    ui::RefillCombo campo;
    ScriptedMessages box;
};

// A chart with every level of 01.02.03 and 01.02.30, the ledger 01.05 and a few mnemonics.
const std::vector<Conto> PianoCompleto = {
    {"01.00.00.0000", ""},        {"01.02.00.0000", ""},         {"01.02.03.0000", ""},
    {"01.02.03.0001", "CASSA"},   {"01.02.30.0000", ""},         {"01.05.00.0000", ""},
    {"01.05.01.0000", ""},        {"01.05.02.0000", ""},         {"04.00.00.0000", ""},
    {"04.01.00.0000", ""},        {"04.01.01.0000", ""},         {"04.01.01.0007", "ROSSI"},
    {"04.01.01.0008", "ROSSIBIS"}, {"04.01.01.0009", "ROSSO"},   {"04.01.01.0010", "ABCDEFGHIJ"},
};

TEST_F(Normalizzazione, AcceptedCodesAndTheCallersTextAfterwards) {
    struct Caso {
        QString digitato;
        QString risultato;
        QString testoDopo;
    };
    const Caso casi[] = {
        {"1.2.3.4", "01.02.03.0004", "1.2.3.4      "},
        {"0102030004", "01.02.03.0004", "0102030004   "},
        {"1230004", "01.02.30.0004", "01.02.30.0004"},
        {"01", "01.00.00.0000", "01           "},
        {"01.02", "01.02.00.0000", "01.02        "},
        {"1 2 3 4", "01.02.03.0004", "1 2 3 4      "},
        {"01.02.03.0004", "01.02.03.0004", "01.02.03.0004"},
        // A separator after a full level ends it; the next level starts after it.
        {"0102.03.4", "01.02.03.0004", "0102.03.4    "},
        // Codes longer than 13 characters are cut.
        {"01.02.03.000412", "01.02.03.0004", "01.02.03.0004"},
        {"rossi", "04.01.01.0007", "ROSSI"},
        {"RossiBis*", "04.01.01.0008", "ROSSIBIS*"},
        {"abcdefghijklm", "04.01.01.0010", "ABCDEFGHIJ"},
    };
    piano(PianoCompleto);
    for (const Caso& c : casi) {
        QString digitato = c.digitato;
        EXPECT_EQ(normalizza(digitato), c.risultato) << c.digitato.toStdString();
        EXPECT_EQ(digitato, c.testoDopo) << c.digitato.toStdString();
    }
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(Normalizzazione, EmptyFieldOpensNoArchive) {
    AmbienteLavoro().PathArchivioContabile = dir.file("manca.mdb");
    QString digitato;
    EXPECT_EQ(normalizza(digitato), "00.00.00.0001");
    EXPECT_TRUE(digitato.isEmpty());
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(Normalizzazione, RefusalsShowTheirMessageAndGiveNoCode) {
    struct Caso {
        QString digitato;
        QString messaggio;
    };
    const Caso casi[] = {
        {"01.02.04.0004", "Il conto 01.02.04.0000 non è definito"},
        {"01.03.04", "Il mastro 01.03.00.0000 non è definito"},
        {"02.01", "Il gruppo 02.00.00.0000 non è definito"},
        {"12A", "Il codice digitato contiene caratteri non consentiti"},
        {"01-02", "Il codice digitato contiene caratteri non consentiti"},
        {"01.02+3", "Il codice digitato contiene caratteri non consentiti"},
        {"ROS SI", "Il codice mnemonico inserito contiene caratteri non consentiti"},
        {"ROS.SI", "Il codice mnemonico inserito contiene caratteri non consentiti"},
        {"ROS*SI", "Il codice mnemonico inserito contiene caratteri non consentiti"},
        {"NESSUNO", "Il codice mnemonico digitato non è definito"},
        {"NESSUNO*", "Il codice mnemonico digitato non è definito"},
    };
    piano(PianoCompleto);
    for (const Caso& c : casi) {
        QString digitato = c.digitato;
        box.expectMessage(Answer::Ok, c.messaggio, Titolo);
        EXPECT_EQ(normalizza(digitato), "00.00.00.0000") << c.digitato.toStdString();
        EXPECT_EQ(box.pending(), 0) << c.digitato.toStdString();
    }
}

TEST_F(Normalizzazione, PlusAsksForANewCodeUnderTheTypedOne) {
    piano(PianoCompleto);
    struct Caso {
        QString digitato;
        QString risultato;
        QString testoDopo;
    };
    const Caso casi[] = {
        {"01.05+", "01.05.03.0000", "01.05        "},
        {"1.2.3+", "01.02.03.0002", "1.2.3        "},
        {"+", "05.00.00.0000", "05.00.00.0000"},
    };
    for (const Caso& c : casi) {
        QString digitato = c.digitato;
        EXPECT_EQ(normalizza(digitato), c.risultato) << c.digitato.toStdString();
        EXPECT_EQ(digitato, c.testoDopo) << c.digitato.toStdString();
    }
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(Normalizzazione, PlusUnderAMissingParentIsRefusedBeforeAnyProposal) {
    piano(PianoCompleto);
    QString digitato = "02.01+";
    box.expectMessage(Answer::Ok, "Il gruppo 02.00.00.0000 non è definito", Titolo);
    EXPECT_EQ(normalizza(digitato), "00.00.00.0000");
}

TEST_F(Normalizzazione, AFullLevelGivesNoCodeNeverAMalformedOne) {
    piano({{"01.00.00.0000", ""}, {"01.99.00.0000", ""}, {"99.00.00.0000", ""}});
    for (const QString& testo : {QString("01+"), QString("+")}) {
        QString digitato = testo;
        box.expectMessage(Answer::Ok, std::nullopt, Titolo);
        EXPECT_EQ(normalizza(digitato), "00.00.00.0000") << testo.toStdString();
        EXPECT_EQ(box.pending(), 0);
    }
    const QStringList messaggi = box.messageTexts();
    ASSERT_EQ(messaggi.size(), 2);
    EXPECT_TRUE(messaggi[0].startsWith("Non è possibile definire un nuovo mastro sotto 01.00.00.0000"));
    EXPECT_TRUE(messaggi[1].startsWith("Non è possibile definire un nuovo gruppo"));
}

TEST_F(Normalizzazione, AnArchiveThatCannotBeReadGivesNoCode) {
    piano(PianoCompleto);
    AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile)->execute("DROP TABLE pianodeiconti");
    const std::pair<QString, QString> casi[] = {
        {"1.2.3.4", "Funzione: Sub di normalizzazione del codice del PdC"},
        {"ROSSI", "Funzione: Decodifica di un codice mnemonico"},
    };
    for (const auto& [testo, funzione] : casi) {
        QString digitato = testo;
        box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
        EXPECT_EQ(normalizza(digitato), "00.00.00.0000") << testo.toStdString();
        EXPECT_TRUE(box.messageTexts().last().contains(funzione)) << box.messageTexts().last().toStdString();
    }
}

// The accounting archive is reached only for a look-up: a code without parent levels is
// answered while the archive cannot even be opened; one that needs a look-up says why not.
TEST_F(Normalizzazione, AnArchiveThatCannotBeOpenedIsNeededOnlyForALookUp) {
    ChiudiSessione();
    AmbienteLavoro().PathArchivioContabile = dir.file("manca.mdb");
    const std::pair<QString, QString> senza[] = {{"01", "01.00.00.0000"}, {"4", "04.00.00.0000"}, {"", "00.00.00.0001"}};
    for (const auto& [testo, codice] : senza) {
        QString digitato = testo;
        EXPECT_EQ(normalizza(digitato), codice) << testo.toStdString();
    }
    EXPECT_TRUE(box.asked().empty());

    for (const QString& testo : {QString("01.02"), QString("ROSSI"), QString("01+")}) {
        QString digitato = testo;
        box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
        EXPECT_EQ(normalizza(digitato), "00.00.00.0000") << testo.toStdString();
        EXPECT_EQ(box.pending(), 0) << testo.toStdString();
        EXPECT_TRUE(box.messageTexts().last().contains("Funzione: Sub di normalizzazione del codice del PdC"))
            << box.messageTexts().last().toStdString();
    }
}

// The picker's rows, code by code.
QStringList codiciElencati(const FrmHelpPianoDeiConti& form) {
    QStringList codici;
    for (int r = 0; r < form.DbgPianoDeiConti->rowCount(); ++r) codici << form.DbgPianoDeiConti->item(r, 0)->text();
    return codici;
}

TEST_F(Normalizzazione, QuestionMarkTakesTheCodeChosenInThePicker) {
    piano(PianoCompleto);
    ModalHelper modale;
    QStringList offerti;
    modale.onNextModal([&](QWidget* w) {
        auto* form = qobject_cast<FrmHelpPianoDeiConti*>(w);
        ASSERT_NE(form, nullptr);
        offerti = codiciElencati(*form);
        const int riga = int(offerti.indexOf("01.02.03.0001"));
        form->DbgPianoDeiConti->setCurrentCell(riga, 1);
        QTest::mouseClick(form->CmdOK, Qt::LeftButton);
    });
    QString digitato = "?";
    EXPECT_EQ(normalizza(digitato), "01.02.03.0001");
    EXPECT_EQ(digitato, "01.02.03.0001");
    EXPECT_EQ(campo.currentText(), "01.02.03.0001");
    // Every postable account, no heading.
    EXPECT_EQ(offerti.size(), 5);
    for (const QString& c : offerti) EXPECT_FALSE(c.endsWith(".0000")) << c.toStdString();
}

TEST_F(Normalizzazione, QuestionMarkLeftWithoutAChoiceGivesNoCodeAndNoMessage) {
    piano(PianoCompleto);
    ModalHelper modale;
    modale.onNextModal([](QWidget* w) {
        QTest::mouseClick(qobject_cast<FrmHelpPianoDeiConti*>(w)->CmdUscita, Qt::LeftButton);
    });
    QString digitato = "?";
    EXPECT_EQ(normalizza(digitato), "00.00.00.0000");
    EXPECT_EQ(campo.currentText(), "?");
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(Normalizzazione, SeveralMatchesOfAWordAreOfferedInThePicker) {
    piano(PianoCompleto);
    ModalHelper modale;
    QStringList offerti;
    modale.onNextModal([&](QWidget* w) {
        auto* form = qobject_cast<FrmHelpPianoDeiConti*>(w);
        offerti = codiciElencati(*form);
        form->DbgPianoDeiConti->setCurrentCell(int(offerti.indexOf("04.01.01.0008")), 0);
        QTest::mouseClick(form->CmdOK, Qt::LeftButton);
    });
    QString digitato = "rossi*";
    EXPECT_EQ(normalizza(digitato), "04.01.01.0008");
    EXPECT_EQ(digitato, "ROSSI*");
    offerti.sort();
    EXPECT_EQ(offerti, QStringList({"04.01.01.0007", "04.01.01.0008"}));
}

// Left without a choice, the field still holds the word: no code comes of it.
TEST_F(Normalizzazione, SeveralMatchesLeftWithoutAChoiceGiveNoCode) {
    piano(PianoCompleto);
    ModalHelper modale;
    modale.onNextModal([](QWidget* w) {
        QTest::mouseClick(qobject_cast<FrmHelpPianoDeiConti*>(w)->CmdUscita, Qt::LeftButton);
    });
    QString digitato = "ROSS*";
    EXPECT_EQ(normalizza(digitato), "00.00.00.0000");
    EXPECT_EQ(campo.currentText(), "ROSS*");
    EXPECT_TRUE(box.asked().empty());
}

}  // namespace
