// A document whose amounts leave the range of an amount is refused through the error handler
// with nothing written anywhere, and the next document takes the number it would have had.
#include <gtest/gtest.h>

#include <functional>

#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "platform/db/DbError.h"

namespace {

using emissione_di_prova::AttesiErroreENonEmesso;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::Righe;
using fattura_di_prova::euro;
using ui::Answer;

class EmissioneFuoriMisuraTest : public EmissioneCollegata {
public:
    struct Linea {
        const char* elemento;
        const char* importo;
        const char* iva;
        const char* ricavi;
    };

    // The document made of `linee`, with the totals and VAT summary the tab composes.
    void conLinee(DocumentoDaEmettere& d, std::initializer_list<Linea> linee) {
        std::vector<RigaFattura> righe;
        for (const Linea& l : linee) righe.push_back(Riga("0001", "0000", l.elemento, "X", l.importo, l.iva, l.ricavi));
        ConRighe(d, righe);
    }
};

TEST_F(EmissioneFuoriMisuraTest, TotalsBeyondTheRangeAreTheOverflowErrorAndNothingIsWritten) {
    struct Caso {
        const char* nome;
        std::function<void(EmissioneFuoriMisuraTest&, DocumentoDaEmettere&)> prepara;
    };
    const char* ricavi1 = "04.01.01.0001";
    const char* ricavi2 = "04.01.01.0002";
    const Caso casi[] = {
        // The largest whole amount without VAT fits; the stamp duty on top of it does not.
        {"the stamp duty on the largest amount",
         [=](auto& t, auto& d) {
             ConBollo(d, "77,47");
             t.conLinee(d, {{"ANT", "922337203685477", "E15", ricavi1}});
         }},
        {"the stamp duty without the accounting link",
         [=](auto& t, auto& d) {
             d.Ambiente.CollegatoContabilita = false;
             d.Ambiente.PathArchivioContabile.clear();
             d.Parametri.NumerazioneAutomatica = false;
             d.Parametri.NumeroDocumento = "13";
             ConBollo(d, "77,47");
             t.conLinee(d, {{"ANT", "922337203685477", "ES", ""}});
         }},
        // Line after line the sums fit (900, 400, 500 thousand billion), but the first revenue
        // account takes 900 + 100: the posting cannot be composed.
        {"a revenue account beyond the range",
         [=](auto& t, auto& d) {
             t.conLinee(d,
                        {{"ONO", "900000000000000", "E15", ricavi1},
                         {"SPE", "-500000000000000", "E15", ricavi2},
                         {"ONO", "100000000000000", "E15", ricavi1}});
         }},
        // A withholding of 150 % takes the total below the range.
        {"a withholding beyond the total",
         [=](auto& t, auto& d) {
             ConRitenuta(d, "1", "150");
             d.Parametri.NumerazioneAutomatica = false;
             d.Parametri.NumeroDocumento = "13";
             t.conLinee(d, {{"ONO", "-900000000000000", "E15", ricavi1}});
         }},
    };
    for (const Answer risposta : {Answer::Abort, Answer::Ignore}) {
        for (const Caso& c : casi) {
            SCOPED_TRACE(std::string(c.nome) + (risposta == Answer::Abort ? " / Abort" : " / Ignore"));
            Ricrea();
            DocumentoDaEmettere d = documento;
            c.prepara(*this, d);
            FermataDaOverflow(d, risposta);
        }
    }
}

// 800.000.000.000.000 taxable and 160.000.000.000.000 VAT each fit; the document's total does
// not, and no summary of the lines can be composed for a document.
TEST_F(EmissioneFuoriMisuraTest, NoSummaryIsComposedOfLinesWhoseTotalLeavesTheRange) {
    const struct {
        const char* nome;
        const char* importo;
        const char* iva;
        int errore;
    } casi[] = {
        {"two lines of 400.000.000.000.000 at 20 %", "400000000000000", "20", 6},
        {"the same below the range", "-400000000000000", "20", 6},
        {"two lines of 400.000.000.000.000 at 10 %", "400000000000000", "10", 0},
        {"two exempt lines of half the range", "461168601842738", "E15", 0},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        TabellaRigheFattura righe;
        righe.aggiungi(Riga("0001", "0000", "ONO", "X", c.importo, c.iva, "04.01.01.0001"));
        righe.aggiungi(Riga("0001", "0000", "SPE", "X", c.importo, c.iva, "04.01.01.0002"));
        LettoreAliquoteIva aliquote(db(), true);
        int errore = 0;
        try {
            const auto r = CalcoloRiepilogoIva(righe, aliquote);
            ASSERT_TRUE(r.has_value());
            EXPECT_EQ(r->TotaleImponibile, euro(c.importo) * int64_t(2));
            EXPECT_EQ(r->TotaleDocumento, r->TotaleImponibile + r->TotaleIva);
        } catch (const db::DbError& e) {
            errore = e.number;
        }
        EXPECT_EQ(errore, c.errore);
    }
}

TEST_F(EmissioneFuoriMisuraTest, TheNextDocumentTakesTheNumberTheRefusedOneWouldHaveHad) {
    DocumentoDaEmettere troppo = documento;
    ConBollo(troppo, "77,47");
    conLinee(troppo, {{"ANT", "922337203685477", "E15", "04.01.01.0001"}});
    AttesiErroreENonEmesso(box, Answer::Abort);
    EXPECT_EQ(EmissioneDocumento(db(), troppo).Arresto, ArrestoEmissione::Errore);

    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
    EXPECT_EQ(e.NumeroDocumento, "13");
    EXPECT_EQ(e.NumeroRegistrazione, "00001");
    EXPECT_EQ(e.Importi->TotaleDocumento, euro("251"));
    EXPECT_EQ(Righe(db(), "SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").front(), QStringList{"13"});
    // The entry balances: the client's debit is the revenue and VAT credits.
    EXPECT_EQ(Righe(db(), "SELECT SUM(CASE segno WHEN 'D' THEN importo ELSE -importo END) FROM giornaledettaglio")
                  .front(),
              QStringList{"0"});
}

}  // namespace
