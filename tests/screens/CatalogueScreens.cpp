#include <gtest/gtest.h>

#include <QDir>

#include "fees/forms/ElefatFixture.h"

namespace catalogo {
namespace {

void salva(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
}

class CatalogueScreens : public ElefatFixture {
protected:
    void catalogo() {
        fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario per consulenza"}, {"calcolo", "F"},
                                         {"importo", 150}, {"arrotonda", 1}, {"iva", "20"}, {"ivacee", "E15"},
                                         {"tipo", "X"}, {"contofat", "04.01.01.0001"}, {"dare", "01.02.01.0001"},
                                         {"avere", "04.01.01.0001"}, {"pagamento", true}, {"codicepagamento", "0"}});
        fascole.addCatalogueItem("SPE", {{"descrizione", "Spese postali"}, {"calcolo", "P"}, {"importo", 10},
                                         {"arrotonda", 0.01}, {"iva", "20"}, {"ivacee", "20"}, {"tipo", "C"},
                                         {"contofat", "04.01.01.0002"}, {"dare", "01.02.01.0001"},
                                         {"avere", "04.01.01.0002"}, {"pagamento", false},
                                         {"codicepagamento", "R30"}});
    }
};

// Not linked: the search mask, an element being typed in, the second of two on display,
// and the same switched to correction.
TEST_F(CatalogueScreens, EachModeNotLinked) {
    fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario per consulenza"}, {"calcolo", "F"},
                                     {"importo", 150}, {"arrotonda", 1}, {"iva", "20"}, {"ivacee", "0"},
                                     {"tipo", "X"}, {"pagamento", true}, {"codicepagamento", "0"}});
    fascole.addCatalogueItem("SPE", {{"descrizione", "Spese postali"}, {"calcolo", "P"}, {"importo", 10},
                                     {"arrotonda", 0.01}, {"iva", "20"}, {"ivacee", "20"}, {"tipo", "C"},
                                     {"pagamento", false}, {"codicepagamento", "30"}});
    apri();
    salva(f(), "FrmElefat_ricerca.png");

    clic(f().CmdAggiungi);
    scriviVoce({"ANT", "Anticipazione bolli", f().OptRichiesta, "25", "1", "0", "0", f().OptAnticipazione, true});
    entra(f().DbcCodice);
    salva(f(), "FrmElefat_inserimento.png");

    clic(f().CmdAnnulla);
    clic(f().CmdRicerca);
    naviga(FrmElefat::AzioneSuccessivo);
    salva(f(), "FrmElefat_visione.png");

    clic(f().TxtImporto);
    salva(f(), "FrmElefat_correzione.png");
}

// Linked: descriptions in the combos, codes beside them.
TEST_F(CatalogueScreens, ViewLinked) {
    catalogo();
    apri(true);
    clic(f().CmdRicerca);
    naviga(FrmElefat::AzioneSuccessivo);
    salva(f(), "FrmElefat_visione_collegato.png");
    clic(f().CmdAnnulla);
    clic(f().CmdAggiungi);
    salva(f(), "FrmElefat_inserimento_collegato.png");
}

}  // namespace
}  // namespace catalogo
