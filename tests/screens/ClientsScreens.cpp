#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>

#include "clients/forms/FrmAnagrafe.h"
#include "clients/forms/FrmEsposizione.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

void salva(QWidget& finestra, const QString& nome) {
    QDir().mkpath(SCREENS_DIR);
    ASSERT_TRUE(finestra.grab().save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
}

Currency euro(const char* testo) { return *Currency::parse(testo, '.'); }

// A case-file archive with two clients of the own registry, one of them with two case files
// and fee items of every kind.
class ClientsScreens : public ::testing::Test {
protected:
    ClientsScreens() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        AmbienteLavoro().FormatoImporto = "###,##0.00";
        AmbienteLavoro().FormatoImportoEsteso = "#,###,##0.00";
        fascole.addClient("ROSSI", {{"ragione", "Rossi Mario"}, {"indirizzo", "Via Roma 1"}, {"cap", "20100"},
                                    {"localita", "Milano"}, {"provincia", "MI"}, {"stato", "IT"},
                                    {"picf", "RSSMRA70A01F205X"}});
        fascole.addClient("BIANCHI", {{"ragione", "Bianchi Srl"}, {"indirizzo", "Corso Italia 3"}, {"cap", "10100"},
                                      {"localita", "Torino"}, {"provincia", "TO"}, {"stato", "IT"},
                                      {"picf", "01234567890"}});
        for (const auto& [codice, tipo] : {std::pair{"ANT", "A"}, {"COS", "C"}, {"ONO", "X"}})
            fascole.addCatalogueItem(codice, {{"tipo", tipo}});
    }
    ~ClientsScreens() override { RipristinaAmbiente(); }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    ScriptedMessages box;
};

TEST_F(ClientsScreens, ClientRegistry) {
    FrmAnagrafe form;
    form.show();
    salva(form, "FrmAnagrafe.png");
    form.cmdRicerca->click();
    salva(form, "FrmAnagrafe_visione.png");
}

TEST_F(ClientsScreens, ClientExposure) {
    AccountingFixture contab(cartella.path());
    contab.creaCampione();
    contab.collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
    const QString cliente = "01.01.01.0001";
    {
        auto giornale = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
        AccountingFixture::inserisci(*giornale, "giornale", {{"giorno", "2004-02-01"}, {"numero", 1}, {"tipo", "F"}});
        for (const auto& [importo, segno] : {std::pair{"2440", "D"}, {"1000", "A"}})
            AccountingFixture::inserisci(*giornale, "giornaledettaglio",
                                         {{"giorno", "2004-02-01"}, {"numero", 1}, {"codice", cliente},
                                          {"importo", euro(importo)}, {"segno", segno}});
    }
    const struct {
        const char *npra, *ntask, *elemento, *importo;
        bool fatturato;
    } voci[] = {{"0001", "0001", "ONO", "2000", true},  {"0001", "0001", "ANT", "120.5", false},
                {"0002", "0001", "ONO", "850", false},  {"0002", "0001", "COS", "35.2", false},
                {"0002", "0002", "ANT", "16", true}};
    for (const auto& v : voci)
        fascole.addFeeItem(cliente, v.npra, v.ntask, "0000", v.elemento,
                           {{"impofat", euro(v.importo)}, {"fatturato", v.fatturato}});

    FrmEsposizione form(cliente, "Rossi Mario S.r.l.", "0002");
    form.show();
    salva(form, "FrmEsposizione.png");
}

}  // namespace
