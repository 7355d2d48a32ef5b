// A new case file and what it is charged with are stored together or not at all.
#include <gtest/gtest.h>

#include "casefiles/engine/NumerazioneFascole.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "support/TempDir.h"

namespace {

class ConfermaConAddebiti : public ::testing::Test {
protected:
    ConfermaConAddebiti() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    ~ConfermaConAddebiti() override { RipristinaAmbiente(); }

    int conta(const char* tabella) {
        return int(fascole.db().scalar(std::string("SELECT count(*) FROM ") + tabella).toInt());
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(ConfermaConAddebiti, TheChargesRunInTheConfirmationsTransactionAndAFailureStoresNeither) {
    for (bool riescono : {false, true}) {
        NuovaFascola f{"R01", "M", "05/03/2004", " ", "", " ", true, {}};
        QString caricata;
        const auto addebiti = [&](db::Database& archivio, const QString& cliente, const QString& npra) {
            // The new row is there to be charged, on the same connection.
            caricata = archivio.scalar("SELECT numpranno FROM fascola WHERE cliente = ? AND npra = ?", {cliente, npra})
                           .textOr(QString());
            archivio.execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento) VALUES (?, ?, '0000', "
                             "'0000', 'ONO')",
                             {cliente, npra});
            return riescono;
        };
        EXPECT_EQ(ConfermaNuovaFascola(ArchivioInUso(), f, addebiti),
                  riescono ? EsitoConferma::Registrata : EsitoConferma::NonRegistrata);
        EXPECT_EQ(caricata, "2004.00001");
        EXPECT_EQ(conta("fascola"), riescono ? 1 : 0);
        EXPECT_EQ(conta("competenze"), riescono ? 1 : 0);
    }
}

}  // namespace
