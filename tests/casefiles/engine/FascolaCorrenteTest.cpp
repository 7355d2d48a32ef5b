#include "casefiles/engine/FascolaCorrente.h"

#include <gtest/gtest.h>


namespace {

class FascolaCorrenteTest : public ::testing::Test {
protected:
    FascolaCorrenteTest() {
        RipristinaFascolaCorrente();
        fascola.n = incarico.n = destinazione.n = regime.n = 0;
    }
    ~FascolaCorrenteTest() override { RipristinaFascolaCorrente(); }

    // How many times each signal came.
    struct Conta : QObject {
        int n = 0;
        int count() const { return n; }
    };

    FascolaCorrenteRec& f = FascolaCorrente();
    Conta fascola, incarico, destinazione, regime;
    QMetaObject::Connection connessioni[4] = {
        QObject::connect(&f, &FascolaCorrenteRec::FascolaCambiata, &fascola, [this] { ++fascola.n; }),
        QObject::connect(&f, &FascolaCorrenteRec::IncaricoCambiato, &incarico, [this] { ++incarico.n; }),
        QObject::connect(&f, &FascolaCorrenteRec::DestinazioneCambiata, &destinazione, [this] { ++destinazione.n; }),
        QObject::connect(&f, &FascolaCorrenteRec::RegimeIvaCambiato, &regime, [this] { ++regime.n; }),
    };
};

TEST_F(FascolaCorrenteTest, ACaseFileOnDisplayComesWithoutTaskAndWithFeeItemsOnItself) {
    f.MostraFascola("R01", "Rossi Mario", "0003");
    f.ScegliIncarico("0002", "Perizia");
    f.DestinaCompetenze("0002", "0001");
    f.MostraFascola("B02", "Bianchi Srl", "0001");
    EXPECT_TRUE(f.InVisione());
    EXPECT_EQ(f.CodiceClienteCorrente(), "B02");
    EXPECT_EQ(f.NomeClienteCorrente(), "Bianchi Srl");
    EXPECT_EQ(f.NpraCorrente(), "0001");
    EXPECT_TRUE(f.NtaskScelto().isEmpty());
    EXPECT_TRUE(f.TitoloIncaricoScelto().isEmpty());
    EXPECT_EQ(f.NtaskCompetenze(), "0000");
    EXPECT_EQ(f.NjobCompetenze(), "0000");
    EXPECT_EQ(fascola.count(), 2);
    EXPECT_EQ(incarico.count(), 1);
    EXPECT_EQ(destinazione.count(), 1);
}

TEST_F(FascolaCorrenteTest, TheMasksChoiceAndClearingFollowTheCaseFileBeingTyped) {
    f.MostraFascola("R01", "Rossi Mario", "0003");
    f.Svuota();
    EXPECT_FALSE(f.InVisione());
    EXPECT_TRUE(f.CodiceClienteCorrente().isEmpty());
    EXPECT_TRUE(f.NpraCorrente().isEmpty());
    EXPECT_EQ(f.NomeClienteCorrente(), "Rossi Mario") << "the name stays as the mask shows it";

    f.ScegliCliente("Bianchi Srl", QString("B02"));
    f.ImpostaNpra("0004");
    f.ScegliCliente("Nessuno", std::nullopt);  // no client of that name: the code stays
    EXPECT_FALSE(f.InVisione());
    EXPECT_EQ(f.NomeClienteCorrente(), "Nessuno");
    EXPECT_EQ(f.CodiceClienteCorrente(), "B02");
    EXPECT_EQ(f.NpraCorrente(), "0004");
    EXPECT_EQ(fascola.count(), 5);
}

TEST_F(FascolaCorrenteTest, TheVatRegimeIsOneOrTheOtherOnceChosen) {
    EXPECT_FALSE(f.IvaCee() || f.IvaInter());
    f.ImpostaRegimeIva(true);
    EXPECT_TRUE(f.IvaCee() && !f.IvaInter());
    f.ImpostaRegimeIva(false);
    EXPECT_TRUE(!f.IvaCee() && f.IvaInter());
    // The regime belongs to the invoice being composed, not to a case file.
    f.MostraFascola("R01", "Rossi Mario", "0003");
    EXPECT_TRUE(f.IvaInter());
    EXPECT_EQ(regime.count(), 2);
    RipristinaFascolaCorrente();
    EXPECT_FALSE(f.IvaCee() || f.IvaInter() || f.InVisione());
    EXPECT_EQ(regime.count(), 3);
}

}  // namespace
