#include <gtest/gtest.h>

#include "accounting/engine/LetturaContabile.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/DatiCliente.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Sessione.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace {

// A linked installation (sample archive) beside an own case-file archive.
class Letture : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        RipristinaDatiClienteFattura();
        contab.creaCampione();
        contab.collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
        AmbienteLavoro().PathArchivioFascole = fascole.path();
    }
    void TearDown() override {
        RipristinaAmbiente();
        RipristinaDatiClienteFattura();
    }

    // Every field filled with something the look-up must replace.
    static void sporca() {
        DatiClienteFatturaRec& d = DatiClienteFattura();
        d = {"Nome", "old street", "old cap", "old town", "XX", "old vat", "old cf", false, "old reason"};
    }
    std::unique_ptr<db::Database> archivio() {
        return AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
    }
    void scollega() {
        AmbienteLavoro().CollegatoContabilita = false;
        AmbienteLavoro().PathArchivioContabile = dir.file("nowhere.mdb");
    }

    TempDir dir;
    AccountingFixture contab{dir.path()};
    fixtures::CaseFileArchive fascole{dir.file("Fascole.mdb")};
    ScriptedMessages box;
};

TEST_F(Letture, LinkedClientDataComeFromTheAccountingRegistry) {
    sporca();
    LetturaDatiCliente(*ArchivioInUso(), "01.01.01.0001");

    const DatiClienteFatturaRec& d = DatiClienteFattura();
    EXPECT_EQ(d.Nome, "Nome") << "the name is not the look-up's";
    EXPECT_EQ(d.Indirizzo, "Via Verdi, 3");
    EXPECT_EQ(d.Cap, "20121");
    EXPECT_EQ(d.Localita, "Milano");
    EXPECT_EQ(d.Provincia, "MI");
    EXPECT_EQ(d.PartitaIva, "01234567890");
    EXPECT_EQ(d.CodiceFiscale, "01234567890");
    EXPECT_TRUE(d.SoggettoIva);
    EXPECT_EQ(d.MotivoEsenzione, "");
}

TEST_F(Letture, LinkedAddressWithoutStreetOrHouseNumber) {
    auto db = archivio();
    AccountingFixture::aggiungiAnagrafe(*db, "01.01.01.0009", {nullptr, "12", " 001", nullptr, "", nullptr, "CF", nullptr});
    struct Caso {
        QString codice;
        QString indirizzo;
    };
    for (const Caso& c : {Caso{"01.01.01.0003", "Corso Italia, "}, Caso{"01.01.01.0009", ""}}) {
        sporca();
        LetturaDatiCliente(*ArchivioInUso(), c.codice);
        EXPECT_EQ(DatiClienteFattura().Indirizzo, c.indirizzo) << c.codice.toStdString();
    }
    const DatiClienteFatturaRec& d = DatiClienteFattura();
    EXPECT_EQ(d.Cap, " 001") << "taken as stored";
    EXPECT_EQ(d.Localita, "");
    EXPECT_EQ(d.PartitaIva, "");
    EXPECT_EQ(d.CodiceFiscale, "CF");
}

TEST_F(Letture, ClientInNeitherRegistryEmptiesTheAddress) {
    for (bool collegato : {true, false}) {
        AmbienteLavoro().CollegatoContabilita = collegato;
        sporca();
        LetturaDatiCliente(*ArchivioInUso(), "99.99.99.9999");
        const DatiClienteFatturaRec& d = DatiClienteFattura();
        for (const QString& campo : {d.Indirizzo, d.Cap, d.Localita, d.Provincia, d.PartitaIva, d.CodiceFiscale})
            EXPECT_EQ(campo, "") << collegato;
        EXPECT_TRUE(d.SoggettoIva);
        EXPECT_EQ(d.MotivoEsenzione, "");
    }
}

TEST_F(Letture, UnlinkedClientDataComeFromTheOwnRegistry) {
    struct Caso {
        QString codice;
        QString picf;
        QString partitaIva;
        QString codiceFiscale;
    };
    const Caso casi[] = {
        {"C001", "01234567890", "01234567890", ""},
        {"C002", "VRDNNA70B41L219K", "", "VRDNNA70B41L219K"},
        {"C003", "0123456789012", "", ""},
        {"D'A \"B\"", "", "", ""},
    };
    for (const Caso& c : casi)
        fascole.addClient(c.codice, {{"ragione", "Cliente " + c.codice}, {"indirizzo", " Via Po 4 "},
                                     {"cap", "10100"}, {"localita", "Torino"}, {"provincia", "TO"},
                                     {"picf", c.picf}});
    fascole.close();
    scollega();

    for (const Caso& c : casi) {
        sporca();
        LetturaDatiCliente(*ArchivioInUso(), c.codice);
        const DatiClienteFatturaRec& d = DatiClienteFattura();
        EXPECT_EQ(d.Indirizzo, " Via Po 4 ") << c.codice.toStdString();
        EXPECT_EQ(d.Cap, "10100");
        EXPECT_EQ(d.Localita, "Torino");
        EXPECT_EQ(d.Provincia, "TO");
        EXPECT_EQ(d.PartitaIva, c.partitaIva) << c.codice.toStdString();
        EXPECT_EQ(d.CodiceFiscale, c.codiceFiscale) << c.codice.toStdString();
        EXPECT_TRUE(d.SoggettoIva);
    }
}

TEST_F(Letture, FailureGoesToTheHandlerAndLeavingKeepsWhatWasFilled) {
    archivio()->execute("DROP TABLE anagrafe");
    sporca();
    box.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");

    LetturaDatiCliente(*ArchivioInUso(), "01.01.01.0001");

    ASSERT_EQ(box.messageTexts().size(), 1);
    EXPECT_TRUE(box.messageTexts()[0].contains("Funzione: Funzione di lettura dati cliente"));
    EXPECT_EQ(DatiClienteFattura().Indirizzo, "old street");
    EXPECT_FALSE(DatiClienteFattura().SoggettoIva);
}

// The overload that opens the program's session itself: an archive that cannot be opened is
// reported under the look-up's own text.
TEST_F(Letture, AccountNameToCodeSkipsHeadings) {
    auto db = archivio();
    AccountingFixture::aggiungiConto(*db, "04.01.01.0003", "Studio \"Alfa\" d'Italia");
    db.reset();
    struct Caso {
        QString descrizione;
        QString codice;
    };
    const Caso casi[] = {
        {"Onorari", "04.01.01.0001"},
        {"onorari", "04.01.01.0001"},
        {"Studio \"Alfa\" d'Italia", "04.01.01.0003"},
        {"RICAVI", ""},  // a group heading
        {"PRESTAZIONI PROFESSIONALI", ""},
        {"Nessuno", ""},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(LetturaDescrizionePianoDeiConti(*ArchivioInUso(), c.descrizione), c.codice) << c.descrizione.toStdString();
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(Letture, AccountCodeToName) {
    EXPECT_EQ(LetturaPdC(*ArchivioInUso(), "04.01.01.0001"), "Onorari");
    EXPECT_EQ(LetturaPdC(*ArchivioInUso(), "04.00.00.0000"), "RICAVI") << "headings are found too";
    EXPECT_TRUE(box.asked().empty());

    for (const QString codice : {"04.01.01.0099", "04.01.01\"0001"}) {
        box.expectMessage(ui::Answer::Ok, "inserire un codice esistente", "");
        EXPECT_EQ(LetturaPdC(*ArchivioInUso(), codice), "");
        EXPECT_EQ(box.pending(), 0);
    }
    EXPECT_EQ(box.asked().size(), 2u);
}

TEST_F(Letture, LinkOffLooksNothingUp) {
    scollega();
    EXPECT_EQ(LetturaDescrizionePianoDeiConti(*ArchivioInUso(), "Onorari"), "");
    EXPECT_EQ(LetturaPdC(*ArchivioInUso(), "04.01.01.0099"), "");
    EXPECT_TRUE(box.asked().empty());
}

}  // namespace
