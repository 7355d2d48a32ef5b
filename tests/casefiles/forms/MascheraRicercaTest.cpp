#include "casefiles/engine/RicercaFascole.h"

#include <QGroupBox>

#include "casefiles/forms/MascheraFixture.h"

using ui::Answer;

namespace maschera {
namespace {

const std::string Ordine = " ORDER BY fascola.cliente ASC, fascola.data DESC, fascola.npra DESC";

std::string testo(const db::Value& v) { return v.toText(); }

TEST(ComposizioneRicerca, EachCriterionAddsItsClauseWithItsValueBound) {
    using Stato = CriteriRicerca::Stato;
    const struct {
        CriteriRicerca criteri;
        std::string condizioni;
        std::vector<std::string> parametri;
    } casi[] = {
        {{}, "", {}},
        {{.cliente = "         "}, "", {}},
        {{.cliente = "01.05.01.0012", .stato = Stato::Aperte},
         " WHERE fascola.cliente = ? AND fascola.stato = 1",
         {"01.05.01.0012"}},
        {{.cliente = "R01", .data = "05/03/2004"},
         " WHERE fascola.cliente = ? AND fascola.data = ?",
         {"R01", "2004-03-05"}},
        {{.rifcli = "A\"1' --", .stato = Stato::Chiuse},
         " WHERE fascola.rifcli = ? AND fascola.stato = 0",
         {"A\"1' --"}},
        {{.incarico = "Perizia*"},
         " WHERE EXISTS (SELECT * FROM task WHERE task.titolo LIKE ? ESCAPE '\\' AND task.cliente = fascola.cliente "
         "AND task.npra = fascola.npra)",
         {"Perizia%"}},
        {{.documento = "50%?"},
         " WHERE EXISTS (SELECT * FROM job WHERE job.descrizione LIKE ? ESCAPE '\\' AND job.cliente = fascola.cliente "
         "AND job.npra = fascola.npra)",
         {"50\\%_"}},
        {{.competenza = "ONO", .importo = "1.234,5"},
         " WHERE EXISTS (SELECT * FROM competenze WHERE competenze.elemento = ? AND competenze.cliente = "
         "fascola.cliente AND competenze.npra = fascola.npra) AND EXISTS (SELECT * FROM competenze WHERE "
         "competenze.impofat = ? AND competenze.cliente = fascola.cliente AND competenze.npra = fascola.npra)",
         {"ONO", "1234.5"}},
    };
    for (const auto& c : casi) {
        const auto q = ComponiRicerca(c.criteri);
        ASSERT_TRUE(q);
        EXPECT_EQ(q->sql, "SELECT * FROM fascola" + c.condizioni + Ordine);
        std::vector<std::string> parametri;
        for (const db::Value& v : q->parametri) parametri.push_back(testo(v));
        EXPECT_EQ(parametri, c.parametri) << c.condizioni;
    }
}

// No figures are read out of words: "abc" is no 0, "12 euro" no 12.
TEST(ComposizioneRicerca, AnAmountThatIsNoNumberInFiguresIsATypeMismatch) {
    for (const char* importo : {"12,3,4", "abc", "12 euro", "1.2OO"}) {
        try {
            ComponiRicerca({.importo = importo});
            ADD_FAILURE() << "no error for " << importo;
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.number, db::err::TypeMismatch) << importo;
        }
    }
}

class MascheraRicerca : public MascheraFixture {
protected:
    // Two clients, five case files with a task, a job and fee items to tell them apart.
    void archivioDiProva() {
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
        fascole.addClient("B02", {{"ragione", "Bianchi Srl"}});
        fascole.addCaseFile("R01", "0001", "2004-01-10", {{"rifcli", "A\"1'"}, {"stato", true}, {"numpranno", "2004.00001"}});
        fascole.addCaseFile("R01", "0002", "2004-03-05", {{"rifcli", "X"}, {"stato", false}, {"numpranno", "2004.00002"}});
        fascole.addCaseFile("R01", "0003", "2004-03-05", {{"rifcli", "X"}, {"stato", true}, {"numpranno", "2004.00003"}});
        fascole.addCaseFile("B02", "0001", "2004-03-05", {{"rifcli", "Y"}, {"stato", true}, {"numpranno", "2004.00004"}});
        fascole.addCaseFile("B02", "0002", "2003-11-30", {{"rifcli", "Y"}, {"stato", false}, {"numpranno", "2003.00001"}});
        fascole.addTask("R01", "0002", "0001", {{"titolo", "Perizia tecnica"}});
        fascole.addTask("B02", "0002", "0001", {{"titolo", "Consulenza"}});
        fascole.addJob("B02", "0001", "0001", "0001", {{"descrizione", "Sopralluogo 50%"}});
        fascole.addFeeItem("R01", "0001", "0000", "0000", "ONO", {{"impofat", 1234.5}});
        fascole.addFeeItem("B02", "0002", "0000", "0000", "BOL", {{"impofat", 12.5}});
    }

    // The case files found, as "client/number" in the order shown.
    QStringList trovate() {
        QStringList righe;
        if (m().ModoOperativo != 2) return righe;
        clic(m().DtaSelezionatiFascola->Primo);
        for (long i = 0; i < m().NumSelezionati; ++i) {
            righe << m().LblCodiceCliente->text() + "/" + m().LblNpra->text();
            clic(m().DtaSelezionatiFascola->Successivo);
        }
        return righe;
    }

    void nuovaRicerca() {
        if (m().ModoOperativo != 0) clic(m().CmdAnnullaFascola);
    }
};

TEST_F(MascheraRicerca, EveryCriterionFindsItsCaseFiles) {
    archivioDiProva();
    avvia();
    const struct {
        std::function<void()> criterio;
        QStringList attese;
    } casi[] = {
        {[&] { clic(m().OptTutte); }, {"B02/0001", "B02/0002", "R01/0003", "R01/0002", "R01/0001"}},
        {[&] {}, {"B02/0001", "R01/0003", "R01/0001"}},
        {[&] { clic(m().OptChiuse); }, {"B02/0002", "R01/0002"}},
        {[&] { scegliCliente("Rossi Mario"); clic(m().OptTutte); }, {"R01/0003", "R01/0002", "R01/0001"}},
        {[&] { scrivi(m().TxtData, "05/03/04"); lascia(); clic(m().OptTutte); }, {"B02/0001", "R01/0003", "R01/0002"}},
        {[&] { scegliCliente("Rossi Mario"); scrivi(m().TxtData, "050304"); lascia(); }, {"R01/0003"}},
        {[&] { scrivi(m().TxtRifCli, "A\"1'"); }, {"R01/0001"}},
        {[&] { scrivi(m().TxtRicercaIncarico, "Perizia*"); clic(m().OptTutte); }, {"R01/0002"}},
        {[&] { scrivi(m().TxtRicercaIncarico, "Perizia"); clic(m().OptTutte); }, {}},
        {[&] { scrivi(m().TxtRicercaDocumento, "*50%"); }, {"B02/0001"}},
        {[&] { scrivi(m().DbcRicercaCompetenza, "BOL"); clic(m().OptTutte); }, {"B02/0002"}},
        {[&] { scrivi(m().TxtRicercaImporto, "1.234,50"); }, {"R01/0001"}},
        {[&] { scrivi(m().TxtRicercaImporto, "12.5"); clic(m().OptChiuse); }, {"B02/0002"}},
    };
    for (size_t i = 0; i < std::size(casi); ++i) {
        nuovaRicerca();
        ScriptedMessages box;
        if (casi[i].attese.isEmpty())
            box.expectMessage(Answer::Ok, "Non è stata trovata nessuna fascola con i parametri dati", "");
        casi[i].criterio();
        clic(m().CmdRicercaFascola);
        EXPECT_EQ(trovate(), casi[i].attese) << "case " << i;
    }
}

TEST_F(MascheraRicerca, FindingNothingReturnsToAnEmptySearchMask) {
    archivioDiProva();
    avvia();
    cercaTutte();
    clic(m().CmdAnnullaFascola);
    scrivi(m().TxtRicercaIncarico, "Nulla*");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Non è stata trovata nessuna fascola con i parametri dati", "");
    clic(m().CmdRicercaFascola);
    EXPECT_EQ(m().ModoOperativo, 0);
    EXPECT_FALSE(m().FascolaInVisione);
    EXPECT_TRUE(m().TxtRicercaIncarico->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), m().DbcNomeCliente);
    // The result is gone: the browser has nothing to show.
    clic(m().DtaSelezionatiFascola->Primo);
    EXPECT_EQ(m().ModoOperativo, 0);
}

TEST_F(MascheraRicerca, AnUnknownClientSearchesForThatLiteralCodeAndFindsNothing) {
    archivioDiProva();
    avvia();
    scegliCliente("Verdi");
    ASSERT_EQ(m().LblCodiceCliente->text(), "NON DEFINITO");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Non è stata trovata nessuna fascola con i parametri dati", "");
    clic(m().CmdRicercaFascola);
    EXPECT_EQ(m().ModoOperativo, 0);
}

// An amount that is no number in figures is refused before anything is searched: the mask
// stays as it is, the focus in the box. Read for its figures, "abc" would find the fee items
// of 0,00 and "12 euro" those of 12,00.
TEST_F(MascheraRicerca, AnAmountNotInFiguresIsRefusedAndNothingIsSearched) {
    archivioDiProva();
    fascole.addFeeItem("B02", "0001", "0000", "0000", "BOL", {{"impofat", 0}});
    fascole.addFeeItem("R01", "0003", "0000", "0000", "BOL", {{"impofat", 12}});
    avvia();
    for (const char* importo : {"abc", "12 euro", "1.2OO", "12,3,4"}) {
        SCOPED_TRACE(importo);
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, "Bisogna definire in cifre l'importo nel campo «con addebito»");
        scrivi(m().TxtRicercaImporto, importo);
        clic(m().OptTutte);
        clic(m().CmdRicercaFascola);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(m().ModoOperativo, 0);
        EXPECT_EQ(m().TxtRicercaImporto->text(), importo);
        EXPECT_EQ(QApplication::focusWidget(), m().TxtRicercaImporto);
    }
    scrivi(m().TxtRicercaImporto, "€ 12");
    clic(m().CmdRicercaFascola);
    EXPECT_EQ(trovate(), QStringList{"R01/0003"});
}

TEST_F(MascheraRicerca, ASearchThatCannotRunKeepsTheMaskAndItsCriteria) {
    archivioDiProva();
    avvia();
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Abort, {}, "GESTIONE DEGLI ERRORI");
        scrivi(m().TxtRicercaImporto, "922337203685478");  // beyond any amount
        clic(m().CmdRicercaFascola);
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(box.asked()[0].text.contains("Funzione di ricerca fascole"));
    }
    EXPECT_EQ(m().ModoOperativo, 0);
    EXPECT_EQ(m().TxtRicercaImporto->text(), "922337203685478");
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, "Scrivere una data nel giusto formato!", "CONTROLLO DATI INSERITI");
        box.expectMessage(Answer::Ok, "ERRORE: si sta tentando di usare come data un oggetto che non è una data", "");
        scrivi(m().TxtRicercaImporto, "");
        scrivi(m().TxtData, "32/01/2004");
        clic(m().CmdRicercaFascola);
        EXPECT_EQ(box.asked().size(), 2u);
    }
    EXPECT_EQ(m().ModoOperativo, 0);
    EXPECT_EQ(m().TxtData->text(), "32/01/2004");
}

TEST_F(MascheraRicerca, TwelveRowsShowTheFirstAndCountThemAll) {
    fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
    for (int i = 1; i <= 12; ++i)
        fascole.addCaseFile(i % 2 ? "R01" : "A00", QString("%1").arg(i, 4, 10, QChar('0')),
                            QString("2004-01-%1").arg(i, 2, 10, QChar('0')),
                            {{"numpranno", QString("2004.%1").arg(i, 5, 10, QChar('0'))}});
    avvia();
    cercaTutte();
    EXPECT_EQ(m().NumSelezionati, 12);
    EXPECT_EQ(m().PosSelezionata, 1);
    EXPECT_EQ(didascalia(), "1 di 12");
    // Lowest client code, latest date.
    EXPECT_EQ(m().LblCodiceCliente->text(), "A00");
    EXPECT_EQ(m().LblNpra->text(), "0012");
    EXPECT_TRUE(m().FascolaInVisione);
    EXPECT_TRUE(m().OptFineMese->isEnabled());
}

TEST_F(MascheraRicerca, TheFeeElementListOffersTheCatalogue) {
    fascole.addCatalogueItem("ONO");
    fascole.addCatalogueItem("BOL");
    avvia();
    entra(m().DbcRicercaCompetenza);
    QStringList codici;
    for (int i = 0; i < m().DbcRicercaCompetenza->count(); ++i) codici << m().DbcRicercaCompetenza->itemText(i);
    EXPECT_EQ(codici, QStringList({"BOL", "ONO"}));
}

}  // namespace
}  // namespace maschera
