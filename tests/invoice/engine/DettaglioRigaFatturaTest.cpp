#include "invoice/engine/DettaglioRigaFattura.h"

#include <gtest/gtest.h>

#include "invoice/engine/FascolaDaFatturare.h"
#include "invoice/engine/FatturaDiProva.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "support/ScriptedMessages.h"

namespace {

using fattura_di_prova::SessioneCollegata;

QStringList testi(const std::vector<ui::ComboRow>& righe, bool valori = false) {
    QStringList t;
    for (const ui::ComboRow& r : righe) t << (valori ? r.bound : r.text);
    return t;
}

TEST_F(SessioneCollegata, TheDetailDialogsListsComeFromTheCaseFileAndTheAccountingArchive) {
    fascola_da_fatturare::riempi(fascole, "01.01.01.0001");
    fascole.addJob("01.01.01.0001", "0001", "0001", "0002", {{"descrizione", "Relazione"}});
    EXPECT_EQ(testi(ElencoIncarichiFascola(sessione(), "01.01.01.0001", "0001")), (QStringList{"0001", "0002"}));
    EXPECT_EQ(testi(ElencoLavorazioniIncarico(sessione(), "01.01.01.0001", "0001", "0001")),
              (QStringList{"0001", "0002"}));
    EXPECT_TRUE(ElencoLavorazioniIncarico(sessione(), "01.01.01.0001", "0001", "0000").empty());

    // Accounts of nature "P" by description, never a heading, the code as the value.
    const auto conti = ElencoContiPrimaNota(sessione());
    EXPECT_TRUE(testi(conti).contains("Onorari"));
    EXPECT_FALSE(testi(conti).contains("Rossi Mario S.r.l."));
    EXPECT_FALSE(testi(conti).contains("RICAVI"));
    for (const QString& codice : testi(conti, true)) EXPECT_FALSE(codice.endsWith(".0000")) << codice.toStdString();
    EXPECT_TRUE(std::is_sorted(conti.begin(), conti.end(),
                               [](const ui::ComboRow& a, const ui::ComboRow& b) {
                                   return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
                               }));
    EXPECT_EQ(testi(ElencoCodiciPagamento(sessione())), (QStringList{"B90", "R30", "R60", "RD"}));
    EXPECT_EQ(testi(ElencoCodiciIva(sessione())), (QStringList{"10", "125", "20", "4", "E15", "N8"}));
}

TEST_F(SessioneCollegata, TheCaptionsBesideThePaymentAndVatCodes) {
    sessione().execute("INSERT INTO contabile.codicipagamento (codice, descrizione, periodo) VALUES "
                       "('L', 'Bonifico bancario a sessanta giorni f.m.', 60)");
    const struct {
        QString codice, testo;
    } pagamenti[] = {
        {"R30", "Ricevuta bancaria 30 gg d.f. "},  // 28 characters and a blank
        {"L", "Bonifico bancario a sessanta"},
        {"XX", ""},
    };
    for (const auto& p : pagamenti) {
        const QString t = DefinizionePagamento(sessione(), true, p.codice);
        EXPECT_EQ(t.size(), p.testo.isEmpty() ? 0 : 29) << p.codice.toStdString();
        EXPECT_EQ(t.trimmed(), p.testo.trimmed()) << p.codice.toStdString();
    }
    EXPECT_EQ(DefinizionePagamento(sessione(), false, "R30"), "");

    EXPECT_EQ(DescrizioneCodiceIva(sessione(), "20"), QString("Aliquota ordinaria 20%   "));
    EXPECT_EQ(DescrizioneCodiceIva(sessione(), "N8"), QString("Non imponibile art. 8    "));
    EXPECT_EQ(DescrizioneCodiceIva(sessione(), "XX"), QString("NON DEFINITO"));
    sessione().execute("UPDATE contabile.ivacodici SET descrizione = 'Aliquota ridotta beni di base' "
                       "WHERE codice = '4'");
    EXPECT_EQ(DescrizioneCodiceIva(sessione(), "4"), QString("Aliquota ridotta beni di "));
}

class NoteCostanti : public ::testing::Test {
protected:
    NoteCostanti() { fascole.setParameters({{"nota1", "uno"}, {"nota2", "due"}, {"nota3", "tre"}, {"nota4", "quattro"}}); }

    QStringList memorizzate() {
        auto rs = fascole.db().openRecordset("SELECT nota1, nota2, nota3, nota4 FROM ambientefascola");
        QStringList n;
        for (const char* c : {"nota1", "nota2", "nota3", "nota4"}) n << rs->field(c).textOr(QString());
        return n;
    }

    TempDir dir;
    fixtures::CaseFileArchive fascole{dir.file("fascole.mdb")};
    const std::array<QString, 4> nuove{"A", "", "C", "D"};
};

TEST_F(NoteCostanti, OnlyTheNotesMarkedAreStored) {
    EXPECT_EQ(MemorizzaNoteCostanti(fascole.db(), nuove, {false, false, false, false}),
              EsitoNoteCostanti::NessunaCostante);
    EXPECT_EQ(memorizzate(), (QStringList{"uno", "due", "tre", "quattro"}));
    // An empty note marked is stored empty.
    EXPECT_EQ(MemorizzaNoteCostanti(fascole.db(), nuove, {false, true, false, true}), EsitoNoteCostanti::Memorizzate);
    EXPECT_EQ(memorizzate(), (QStringList{"uno", "", "tre", "D"}));
}

TEST_F(NoteCostanti, WithoutTheParametersRowNothingIsStored) {
    fascole.db().execute("DELETE FROM ambientefascola");
    EXPECT_EQ(MemorizzaNoteCostanti(fascole.db(), nuove, {true, false, false, false}),
              EsitoNoteCostanti::MancaRigaParametri);
    EXPECT_EQ(fascole.db().scalar("SELECT count(*) FROM ambientefascola").toInt(), 0);
}

TEST_F(NoteCostanti, ANoteTheColumnCannotHoldGoesToTheErrorHandler) {
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
    EXPECT_EQ(MemorizzaNoteCostanti(fascole.db(), {QString(61, 'x'), "B", "", ""}, {true, true, false, false}),
              EsitoNoteCostanti::NonMemorizzate);
    EXPECT_EQ(memorizzate(), (QStringList{"uno", "due", "tre", "quattro"}));
    EXPECT_TRUE(box.messageTexts().value(0).contains("Funzione di definizione camponote alla fattura"));
}

}  // namespace
