// The look-ups and the search of the case-file mask, on the session: the program's own client
// registry while the link is off, the client accounts of the attached accounting archive while
// it is on.
#include <gtest/gtest.h>

#include "casefiles/engine/ClientiFascola.h"
#include "casefiles/engine/RicercaFascole.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

QStringList testi(const std::vector<ui::ComboRow>& righe) {
    QStringList t;
    for (const ui::ComboRow& r : righe) t << r.text;
    return t;
}

class ClientiRicerca : public ::testing::Test {
protected:
    ClientiRicerca() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
        fascole.addClient("B02", {{"ragione", "Bianchi Srl"}});
        fascole.addClient("B03", {{"ragione", "Bianchi Srl"}});
        fascole.addCatalogueItem("ONO");
        fascole.addCatalogueItem("BOL");
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    ~ClientiRicerca() override { RipristinaAmbiente(); }

    // The case files found, as "client/number" in the order found.
    QStringList trovate(const CriteriRicerca& criteri) {
        QStringList chiavi;
        const std::optional<ElencoFascole> risultato = CercaFascole(*ArchivioInUso(), criteri);
        for (const Fascola& f : risultato.value()) chiavi << f.cliente() + "/" + f.npra();
        return chiavi;
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(ClientiRicerca, NotLinkedTheClientsAreTheOwnRegistrys) {
    const Connessione sessione = ArchivioInUso();
    db::Database& s = *sessione;
    EXPECT_EQ(CodiceDelCliente(s, "Bianchi Srl"), "B02") << "the first of two with one name";
    EXPECT_EQ(CodiceDelCliente(s, "Verdi"), std::nullopt);
    EXPECT_EQ(NomeDelCliente(s, "R01"), "Rossi Mario");
    EXPECT_EQ(NomeDelCliente(s, "Z99"), std::nullopt);
    EXPECT_EQ(testi(ElencoClienti(s)), QStringList({"Bianchi Srl", "Bianchi Srl", "Rossi Mario"}));
    EXPECT_EQ(testi(ElencoElementi(s)), QStringList({"BOL", "ONO"}));
    const QHash<QString, QString> nomi = NomiDeiClienti(s, {"R01", "Z99", "B03", "a\"b"});
    EXPECT_EQ(nomi.size(), 2);
    EXPECT_EQ(nomi.value("B03"), "Bianchi Srl");
}

TEST_F(ClientiRicerca, LinkedTheClientsAreTheAttachedArchivesClientAccounts) {
    AccountingFixture contabilita(cartella.path());
    contabilita.creaCampione();
    contabilita.collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
    AmbienteLavoro().PathArchivioFascole = fascole.path();
    const Connessione sessione = ArchivioInUso();
    db::Database& s = *sessione;
    EXPECT_EQ(CodiceDelCliente(s, "L'Ottica di Verdi Anna"), "01.01.01.0003");
    EXPECT_EQ(CodiceDelCliente(s, "Rossi Mario"), std::nullopt) << "the own registry does not count";
    EXPECT_EQ(NomeDelCliente(s, "01.01.01.0001"), "Rossi Mario S.r.l.");
    EXPECT_EQ(testi(ElencoClienti(s)),
              QStringList({"Bianchi & Figli S.n.c.", "L'Ottica di Verdi Anna", "Rossi Mario S.r.l."}));
    EXPECT_EQ(NomiDeiClienti(s, {"01.01.01.0002", "R01"}).keys(), QStringList({"01.01.01.0002"}));
}

TEST_F(ClientiRicerca, TheSearchGivesTheCaseFilesAsReadInItsOrder) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"stato", true}, {"numpranno", "2004.00001"}});
    fascole.addCaseFile("R01", "0002", "2004-03-05", {{"stato", false}, {"numpranno", "2004.00002"}});
    fascole.addCaseFile("R01", "0003", "2004-03-05", {{"stato", true}, {"rifcli", "X\"1"}, {"numpranno", "2004.00003"}});
    fascole.addCaseFile("B02", "0001", "2003-11-30", {{"stato", true}, {"numpranno", "2003.00001"}});
    fascole.addTask("R01", "0002", "0001", {{"titolo", "Perizia tecnica"}});
    EXPECT_EQ(trovate({}), QStringList({"B02/0001", "R01/0003", "R01/0002", "R01/0001"}));
    EXPECT_EQ(trovate({.cliente = "R01", .stato = CriteriRicerca::Stato::Aperte}), QStringList({"R01/0003", "R01/0001"}));
    EXPECT_EQ(trovate({.rifcli = "X\"1"}), QStringList({"R01/0003"}));
    EXPECT_EQ(trovate({.incarico = "Perizia*"}), QStringList({"R01/0002"}));

    const Fascola f = CercaFascole(*ArchivioInUso(), {.data = "10/01/2004"}).value().at(0);
    EXPECT_EQ(f.data(), "10/01/2004");
    EXPECT_TRUE(f.stato());
    EXPECT_EQ(f.numpranno(), "2004.00001");
    EXPECT_EQ(f.letti().size(), 8u);

    // A date that is no date: the helper says so and there is nothing to search.
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok);
    EXPECT_EQ(CercaFascole(*ArchivioInUso(), {.data = "32/01/2004"}), std::nullopt);
}

}  // namespace
