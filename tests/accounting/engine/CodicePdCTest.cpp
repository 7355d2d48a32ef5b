#include <gtest/gtest.h>

#include <vector>

#include "accounting/engine/CodicePdC.h"
#include "fixtures/AccountingFixture.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

// An archive whose chart holds only the given codes.
class NuovoCodice : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        contab.aggiungiDitta("ROSSI", 7);
        AmbienteLavoro().PathArchivioContabile = contab.creaArchivio("ROSSI", "2004", false);
        // The proposal works whether the link is on or not: its caller has decided.
        AmbienteLavoro().CollegatoContabilita = false;
    }
    void TearDown() override { RipristinaAmbiente(); }

    QString nuovo(const QString& padre) {
        auto db = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
        return NuovoCodicePdC(*db, padre);
    }

    void piano(const std::vector<QString>& codici) {
        auto db = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
        db->execute("DELETE FROM pianodeiconti");
        db::Transaction t(*db);
        for (const QString& c : codici) AccountingFixture::aggiungiConto(*db, c, "Conto " + c);
        t.commit();
    }

    TempDir dir;
    AccountingFixture contab{dir.path()};
    ScriptedMessages box;
};

TEST_F(NuovoCodice, ProposesOneAboveTheHighestCodeOfTheLevel) {
    struct Caso {
        std::vector<QString> piano;
        QString padre;
        QString atteso;
    };
    const std::vector<Caso> casi = {
        {{"05.00.00.0000", "05.01.00.0000", "05.02.00.0000", "05.02.07.0000", "06.04.00.0000"},
         "05.00.00.0000", "05.03.00.0000"},
        {{"05.00.00.0000", "05.03.00.0000", "05.04.01.0000"}, "05.03.00.0000", "05.03.01.0000"},
        {{"05.03.02.0000", "05.03.02.0001", "05.03.02.0041", "05.03.03.0099"}, "05.03.02.0000",
         "05.03.02.0042"},
        {{"05.03.02.0000", "05.03.02.0001", "05.03.02.0041", "05.03.03.0099"}, "05.03.02.0007",
         "05.03.02.0042"},
        // Gaps are not filled.
        {{"01.00.00.0000", "03.00.00.0000", "12.00.00.0000", "12.05.00.0000"}, "00.00.00.0000",
         "13.00.00.0000"},
        {{"01.00.00.0000", "01.01.00.0000", "01.01.01.0000"}, "01.01.01.0000", "01.01.01.0001"},
        {{}, "00.00.00.0000", "01.00.00.0000"},
        {{"01.00.00.0000", "01.98.00.0000"}, "01.00.00.0000", "01.99.00.0000"},
    };
    for (const Caso& c : casi) {
        piano(c.piano);
        EXPECT_EQ(nuovo(c.padre), c.atteso) << c.padre.toStdString() << " -> " << c.atteso.toStdString();
    }
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(NuovoCodice, FullLevelIsRefused) {
    struct Caso {
        std::vector<QString> piano;
        QString padre;
        QString messaggio;
    };
    const std::vector<Caso> casi = {
        {{"01.00.00.0000", "99.00.00.0000"}, "00.00.00.0000",
         "Non è possibile definire un nuovo gruppo: sono esauriti i codici disponibili"},
        {{"05.00.00.0000", "05.99.00.0000"}, "05.00.00.0000",
         "Non è possibile definire un nuovo mastro sotto 05.00.00.0000: sono esauriti i codici disponibili"},
        {{"05.03.00.0000", "05.03.99.0000"}, "05.03.00.0000",
         "Non è possibile definire un nuovo conto sotto 05.03.00.0000: sono esauriti i codici disponibili"},
        {{"05.03.02.0000", "05.03.02.9999"}, "05.03.02.0001",
         "Non è possibile definire un nuovo sottoconto sotto 05.03.02.0001: sono esauriti i codici disponibili"},
    };
    for (const Caso& c : casi) {
        piano(c.piano);
        box.expectMessage(ui::Answer::Ok, c.messaggio, "CONTROLLO CODICE PdC");
        EXPECT_EQ(nuovo(c.padre), "00.00.00.0000") << c.padre.toStdString();
        EXPECT_EQ(box.pending(), 0);
    }
}

TEST_F(NuovoCodice, LeftThroughTheHandlerGivesNoCode) {
    AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile)->execute("DROP TABLE pianodeiconti");
    for (ui::Answer risposta : {ui::Answer::Abort, ui::Answer::Ignore}) {
        box.expectMessage(risposta, std::nullopt, "GESTIONE DEGLI ERRORI");
        EXPECT_EQ(nuovo("05.03.02.0000"), "00.00.00.0000");
    }
    ASSERT_EQ(box.messageTexts().size(), 2);
    EXPECT_TRUE(box.messageTexts()[0].contains("Funzione: Sub di creazione di un nuovo codice del PdC"));
}

}  // namespace
