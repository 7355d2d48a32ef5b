// A new case file is charged its client's fixed billing items by the confirmation itself:
// whoever confirms gets them, and the case file and its items are stored together or not at
// all.
#include <gtest/gtest.h>

#include "casefiles/engine/NumerazioneFascole.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Recordset.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

class ConfermaConAddebiti : public ::testing::Test {
protected:
    ConfermaConAddebiti() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 100}});
        fascole.addCatalogueItem("BOL", {{"descrizione", "Bolli"}, {"importo", 2.5}});
        fascole.addCatalogueItem("SPE", {{"descrizione", "Spese"}, {"importo", 10}});
        // ONO and BOL apply to each new case file, SPE to each invoice.
        fascole.addClientParameters("R01", {{"elemento1", "ONO"}, {"applica1", "1"}, {"elemento2", "SPE"},
                                            {"applica2", "3"}, {"elemento3", "BOL"}, {"applica3", "1"}});
    }
    ~ConfermaConAddebiti() override {
        ChiudiSessione();
        RipristinaAmbiente();
    }

    EsitoConferma conferma(const QString& cliente) {
        NuovaFascola f{cliente, "M", "05/03/2004", " ", "", " ", true, {}};
        return ConfermaNuovaFascola(*ArchivioInUso(), f);
    }

    int fascolePresenti() { return int(fascole.db().scalar("SELECT count(*) FROM fascola").toInt()); }

    // The fee items stored, each as "client|case|task|job|element".
    QStringList voci() {
        QStringList v;
        auto rs = fascole.db().openRecordset("SELECT cliente, npra, ntask, njob, elemento FROM competenze ORDER BY rowid");
        for (; !rs->EOF_(); rs->MoveNext()) {
            QStringList campi;
            for (const char* c : {"cliente", "npra", "ntask", "njob", "elemento"})
                campi << rs->field(c).toText<QString>();
            v << campi.join('|');
        }
        return v;
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(ConfermaConAddebiti, ANewCaseFileIsChargedItsClientsFixedItemsOfANewCaseFile) {
    fascole.addClient("R01");
    fascole.addClient("B02");  // no billing parameters
    const struct {
        QString cliente;
        QStringList attese;
    } casi[] = {
        {"R01", {"R01|0001|0000|0000|ONO", "R01|0001|0000|0000|BOL"}},
        {"B02", {}},
    };
    for (const auto& c : casi) {
        fascole.db().execute("DELETE FROM fascola");
        fascole.db().execute("DELETE FROM competenze");
        EXPECT_EQ(conferma(c.cliente), EsitoConferma::Registrata) << c.cliente.toStdString();
        EXPECT_EQ(voci(), c.attese) << c.cliente.toStdString();
    }
}

TEST_F(ConfermaConAddebiti, AnItemThatCannotBeChargedStoresNeitherTheCaseFileNorAnyItem) {
    fascole.db().execute("CREATE TRIGGER guasto BEFORE INSERT ON competenze WHEN NEW.elemento = 'BOL' "
                         "BEGIN SELECT RAISE(ABORT, 'rifiutato'); END");
    // Inside the confirmation, ignoring the failure leaves as abandoning does.
    for (ui::Answer risposta : {ui::Answer::Abort, ui::Answer::Ignore}) {
        ScriptedMessages box;
        box.expectMessage(risposta, {}, "GESTIONE DEGLI ERRORI");
        EXPECT_EQ(conferma("R01"), EsitoConferma::NonRegistrata);
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(box.asked()[0].text.contains("Funzione di lettura elementi a fatturazione fissa"));
        EXPECT_EQ(fascolePresenti(), 0);
        EXPECT_TRUE(voci().isEmpty()) << voci().join(',').toStdString();
    }

    fascole.db().execute("DROP TRIGGER guasto");
    EXPECT_EQ(conferma("R01"), EsitoConferma::Registrata);
    EXPECT_EQ(fascolePresenti(), 1);
    EXPECT_EQ(voci(), (QStringList{"R01|0001|0000|0000|ONO", "R01|0001|0000|0000|BOL"}));
}

}  // namespace
