#include <QAction>
#include <QDialog>

#include "casefiles/forms/MascheraFixture.h"
#include "support/ModalHelper.h"

namespace {

using maschera::MascheraFixture;

// The assembled window offers the archive-linking dialog from its menu.
TEST_F(MascheraFixture, TheLinkingDialogOpensFromTheMenu) {
    avvia();
    QAction* voce = finestra.findChild<QAction*>("MnuCollegamentoArchivi");
    ASSERT_NE(voce, nullptr);
    EXPECT_TRUE(voce->isEnabled());

    ModalHelper modali;
    QString aperto;
    modali.onNextModal([&](QWidget* w) {
        aperto = w->objectName();
        static_cast<QDialog*>(w)->reject();
    });
    voce->trigger();
    EXPECT_EQ(aperto, "FrmCollegamentoArchivi");
}

}  // namespace

namespace {

using ui::Answer;

// The fixed items are charged in the confirmation's own transaction: when one cannot be
// written (here a fee item left from an earlier case file of the same number), neither the
// case file nor any item is stored.
TEST_F(MascheraFixture, ACaseFileIsNeverStoredWithoutItsFixedItems) {
    fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
    fascole.addCatalogueItem("BOL", {{"descrizione", "Bolli"}, {"importo", 2}});
    fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 100}});
    fascole.addClientParameters("R01", {{"elemento1", "BOL"}, {"applica1", "1"}, {"elemento2", "ONO"},
                                        {"applica2", "1"}});
    fascole.addFeeItem("R01", "0001", "0000", "0000", "ONO", {{"impofat", 7}});
    avvia();
    auto conferma = [&] {
        clic(m().CmdAggiungiFascola);
        scegliCliente("Rossi Mario");
        clic(m().OptOgniVoce);
        clic(m().CmdConfermaFascola);
    };
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
        conferma();
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(box.asked()[0].text.contains("Funzione di lettura elementi a fatturazione fissa"));
    }
    EXPECT_EQ(colonna("SELECT count(*) FROM fascola").toInt(), 0);
    EXPECT_EQ(colonna("SELECT group_concat(elemento || impofat) FROM competenze").toText(), "ONO7");

    // Without the leftover item the same confirmation stores all of it.
    fascole.db().execute("DELETE FROM competenze");
    conferma();
    EXPECT_EQ(colonna("SELECT count(*) FROM fascola WHERE npra = '0001'").toInt(), 1);
    EXPECT_EQ(colonna("SELECT group_concat(elemento || impofat, ' ') FROM (SELECT * FROM competenze ORDER BY "
                      "elemento)")
                  .toText(),
              "BOL2 ONO100");
}

}  // namespace
