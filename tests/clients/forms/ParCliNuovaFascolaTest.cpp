// The client billing parameters as a new user meets them: given to a client from the main
// window's menu, then charged to the client's next case file.
#include <QAction>

#include "casefiles/forms/MascheraFixture.h"
#include "clients/forms/FrmParCli.h"
#include "platform/db/Recordset.h"
#include "support/ModalHelper.h"

namespace {

class ParCliNuovaFascola : public maschera::MascheraFixture {
protected:
    ParCliNuovaFascola() {
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
        fascole.addClient("B02", {{"ragione", "Bianchi Srl"}});
        fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 100}, {"tipo", "X"},
                                         {"contofat", "04.01.01.0001"}, {"codicepagamento", "90"}});
        fascole.addCatalogueItem("BOL", {{"descrizione", "Bolli"}, {"importo", 2.5}, {"tipo", "C"}});
        fascole.addCatalogueItem("SPE", {{"descrizione", "Spese di segreteria"}, {"importo", 10}, {"tipo", "C"}});
        fascole.addCatalogueItem("VIS", {{"descrizione", "Visura"}, {"importo", 30}, {"tipo", "C"}});
    }

    // Everything the user does in the parameters form, from AGGIUNGI to ESCI.
    void compila(FrmParCli& p) {
        QApplication::setActiveWindow(&p);
        auto lascia = [&] { entra(p.cmdFine); };
        auto fisso = [&](const QString& descrizione) {
            scrivi(p.DbcElementoFisso, descrizione);
            lascia();
            clic(p.OptPerFascola);
            clic(p.CmdAggiungiFisso);
        };
        auto listino = [&](const QString& descrizione, const QString& prezzo, const QString& pagamento) {
            scrivi(p.DbcElementoListino, descrizione);
            scrivi(p.TxtListino, prezzo);
            scrivi(p.DbcPagamento, pagamento);
            lascia();
            clic(p.CmdAggiungiListino);
        };
        clic(p.cmdAggiungi);
        scrivi(p.DbcNomeCliente, "Rossi Mario");
        lascia();
        clic(p.OptFineMese);
        scrivi(p.TxtNote, "Fissi a ogni nuova pratica");
        fisso("Onorario");
        fisso("Bolli");
        fisso("Spese di segreteria");
        listino("Spese di segreteria", "7,50", "60");
        listino("Onorario", "80", "30");
        listino("Bolli", "3", "");
        listino("Visura", "25", "");
        EXPECT_EQ(p.NumeroElementiFissi(), 3);
        EXPECT_EQ(p.NumeroElementiListino(), 4);
        clic(p.cmdConferma);
        clic(p.cmdFine);
    }
};

TEST_F(ParCliNuovaFascola, TheFixedItemsAreChargedToTheNextCaseFileAtTheClientsPrices) {
    avvia();
    QAction* voce = finestra.findChild<QAction*>("Parametri_clienti");
    ASSERT_NE(voce, nullptr);
    ASSERT_TRUE(voce->isEnabled());
    {
        ScriptedMessages box;
        ModalHelper modali(20000);
        bool aperto = false;
        modali.onNextModal([&](QWidget* w) {
            auto* parametri = qobject_cast<FrmParCli*>(w);
            ASSERT_NE(parametri, nullptr) << w->objectName().toStdString();
            aperto = true;
            compila(*parametri);
        });
        voce->trigger();
        EXPECT_TRUE(aperto);
        EXPECT_TRUE(box.asked().empty()) << box.messageTexts().join(" / ").toStdString();
    }
    EXPECT_TRUE(finestra.Attiva());
    ASSERT_EQ(fascole.db().scalar("SELECT criterio FROM parcli WHERE codice = 'R01'").toText(), "M");

    // A new case file for the client, through the mask.
    QApplication::setActiveWindow(&finestra);
    clic(m().CmdAggiungiFascola);
    scegliCliente("Rossi Mario");
    clic(m().OptFineMese);
    scrivi(m().TxtData, "05/03/2004");
    lascia();
    {
        ScriptedMessages box;
        clic(m().CmdConfermaFascola);
        EXPECT_TRUE(box.asked().empty()) << box.messageTexts().join(" / ").toStdString();
    }

    auto rs = fascole.db().openRecordset("SELECT * FROM competenze ORDER BY rowid");
    const struct {
        const char* elemento;
        double prezzo;
        const char* pagamento;
    } attesi[] = {{"ONO", 80, "30"}, {"BOL", 3, "0"}, {"SPE", 7.5, "60"}};
    ASSERT_EQ(rs->RecordCount(), 3);
    for (const auto& a : attesi) {
        EXPECT_EQ(rs->field("elemento").toText(), a.elemento);
        EXPECT_EQ(rs->field("cliente").toText(), "R01");
        EXPECT_EQ(rs->field("npra").toText(), "0001");
        EXPECT_EQ(rs->field("ntask").toText(), "0000");
        EXPECT_EQ(rs->field("impofat").toCurrency(), Currency::fromDouble(a.prezzo)) << a.elemento;
        EXPECT_EQ(rs->field("pagamento").toText(), a.pagamento) << a.elemento;
        rs->MoveNext();
    }

    // Found again, the case file shows them in its fee-item grid.
    clic(m().CmdAnnullaFascola);
    cercaTutte();
    const ui::Grid& griglia = *competenze().C_FlxCompetenze;
    QStringList voci;
    for (int r = 1; r <= 3; ++r) voci << griglia.text(r, 2) + " " + griglia.text(r, 6);
    voci.sort();
    EXPECT_EQ(voci, QStringList({"BOL 3,00", "ONO 80,00", "SPE 7,50"}));

    // Another client gets none of them.
    clic(m().CmdAnnullaFascola);
    clic(m().CmdAggiungiFascola);
    scegliCliente("Bianchi Srl");
    clic(m().OptFineMese);
    scrivi(m().TxtData, "06/03/2004");
    lascia();
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, {}, "NUMERAZIONE ASSOLUTA FASCOLE");
        clic(m().CmdConfermaFascola);
    }
    EXPECT_EQ(fascole.db().scalar("SELECT count(*) FROM competenze WHERE cliente = 'B02'").toInt(), 0);
}

}  // namespace
