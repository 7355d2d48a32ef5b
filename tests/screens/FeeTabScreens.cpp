#include <gtest/gtest.h>

#include <QDir>

#include "fees/forms/CompetenzeFixture.h"
#include "fees/forms/FrmDettaglioElemento.h"

namespace {

void salva(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
}

class FeeTabScreens : public competenze_in_uso::CompetenzeFixture {
protected:
    void preparaVoci() override {
        const struct {
            const char* ntask;
            const char* elemento;
            const char* descrizione;
            fixtures::Fields importi;
        } voci[] = {
            {"0000", "ONO", "Onorario pratica", {{"impofat", 100}}},
            {"0000", "ANT", "Diritti di segreteria", {{"importo", 50}, {"impofat", 50}, {"fatturato", true}}},
            {"0001", "ORE", "Ore di consulenza", {{"addebitounitario", 12}, {"fattore", "3"}, {"impofat", 36}}},
            {"0001", "BAS", "Materiali",
             {{"importo", 200}, {"fattore", "10"}, {"impofat", 20}, {"primanota", true}, {"idpn", "PN0042"}}},
        };
        for (const auto& v : voci) {
            fixtures::Fields campi = v.importi;
            campi.emplace_back("descrizione", v.descrizione);
            campi.emplace_back("data", "2004-03-05");
            campi.emplace_back("pagamento", "30");
            campi.emplace_back("darepn", "01.01.01.0001");
            campi.emplace_back("averepn", "04.01.01.0001");
            campi.emplace_back("ricavi", "04.01.01.0002");
            fascole.addFeeItem(cliente, "0001", v.ntask, "0000", v.elemento, campi);
        }
    }
};

// The tab as each kind of element lays it out when chosen for a new fee item, with the
// amounts a user would type; then a stored item loaded from the grid, and its details.
TEST_F(FeeTabScreens, EachModeAndAStoredItem) {
    apri();
    finestra.resize(1100, 760);
    const struct {
        const char* elemento;
        const char* importo;
        const char* fattore;
        const char* impofatt;
        const char* nome;
    } modi[] = {
        {"ORE", nullptr, "3", nullptr, "FrmFascola_competenze_prezzo_unitario.png"},
        {"PER", "200", nullptr, nullptr, "FrmFascola_competenze_percentuale.png"},
        {"RIC", nullptr, nullptr, "250", "FrmFascola_competenze_a_richiesta.png"},
        {"ONO", nullptr, nullptr, nullptr, "FrmFascola_competenze_listino.png"},
        {"ANT", "1.234,50", nullptr, nullptr, "FrmFascola_competenze_anticipazione.png"},
        {"SPE", "10", nullptr, "10", "FrmFascola_competenze_costo.png"},
        {"BAS", "50", nullptr, nullptr, "FrmFascola_competenze_costo_percentuale.png"},
    };
    for (const auto& m : modi) {
        clic(t().C_CmdVuota);
        scegli(m.elemento);
        if (m.importo) digita(t().C_TxTImporto, m.importo);
        if (m.fattore) digita(t().C_TxtFattore, m.fattore);
        if (m.impofatt) digita(t().C_TxtImpoFatt, m.impofatt);
        salva(finestra, m.nome);
    }

    clic(t().C_CmdVuota);
    clicRiga(3);
    salva(finestra, "FrmFascola_competenze_voce_caricata.png");

    FrmDettaglioElemento dettaglio(t().Dettaglio(), &finestra);
    dettaglio.show();
    salva(dettaglio, "FrmDettaglioElemento.png");
}

}  // namespace
