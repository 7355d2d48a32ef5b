// An amount as large as the boxes take, entered as a fee item, billed on an invoice and
// issued: the case-file archive gives the fee item back as typed, and the journal and the VAT
// register give the document back to the cent, the entry balancing exactly. A ten-thousandth
// more is refused at the box. Fee items stored beyond what the boxes take make documents the
// archive cannot hold exactly: the overflow error, and nothing is written.
#include <gtest/gtest.h>

#include <QDate>
#include <map>

#include "fees/engine/CalcoloCompetenza.h"
#include "fees/engine/ComandiCompetenza.h"
#include "fees/engine/DefaultCompetenza.h"
#include "fees/engine/ElementiDaFatturare.h"
#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/SelezioneFattura.h"
#include "platform/db/Database.h"

// Readable failures: amounts print as their plain text.
inline void PrintTo(const Currency& c, std::ostream* os) { *os << c.toPlainString(); }

namespace {

using emissione_di_prova::Cliente;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::Npra;
using fattura_di_prova::euro;
using ui::Answer;

const QString ContoRicavi = "04.01.01.0001";
const QString ContoIva = "02.02.01.0001";

// To the cent, halves away from zero (amounts in ten-thousandths).
int64_t alCentesimo(__int128 raw) {
    const __int128 a = raw < 0 ? -raw : raw;
    const __int128 c = (a + 50) / 100 * 100;
    return int64_t(raw < 0 ? -c : c);
}

class EmissioneAlLimite : public EmissioneCollegata {
protected:
    // The case file's fee items taken away; the element MAX, a fee typed when charged, on the
    // VAT code of `aliquota` percent named by the rate (the sample archive holds 20 and 10;
    // 100 is added).
    void catalogo(int aliquota) {
        codiceIva = QString::number(aliquota);
        if (aliquota == 100)
            db().execute(std::string("INSERT INTO ") + SchemaContabile +
                             ".ivacodici (codice, descrizione, aliquota) VALUES (?, ?, ?)",
                         {codiceIva, "Aliquota 100%", aliquota * 100});
        db().execute("DELETE FROM competenze");
        fascole->addCatalogueItem("MAX", {{"descrizione", "Onorario"},
                                          {"calcolo", "R"},
                                          {"tipo", "X"},
                                          {"iva", codiceIva},
                                          {"dare", Cliente},
                                          {"avere", ContoRicavi},
                                          {"contofat", ContoRicavi},
                                          {"codicepagamento", "R30"}});
        fascole->close();
    }

    // The fee item MAX of task `ntask` entered as the fee-item tab enters it, with the amount
    // to invoice typed: the message of the box's refusal, or nothing once it is stored.
    QString competenza(const QString& impofatt, const QString& ntask = "0001") {
        const CampiCompetenza campi{"MAX", "Onorario", {}, {}, impofatt, "R30", "15/01/2004"};
        const EsitoVerifica verifica = VerificaCoerenzaDati(db(), campi, nullptr, ScopoVoce::Aggiunta);
        if (!verifica.Valida) return verifica.Messaggio;
        const auto elemento = ElementoPerCodice(db(), "MAX");
        EXPECT_TRUE(elemento.has_value());
        EXPECT_EQ(AggiungiCompetenza(db(), {Cliente, Npra, ntask, "0000", "MAX"}, campi, DettaglioDiDefault(*elemento),
                                     nullptr),
                  EsitoCompetenza::Registrata);
        return {};
    }

    // The invoice of every unbilled fee item of the case file, as the tab composes it.
    DocumentoDaEmettere fattura() {
        DocumentoDaEmettere d = documento;
        const RichiestaEstrazione richiesta{CriterioEstrazione::PerOgniVoce, Cliente, Npra, {}, QDate(2004, 1, 15)};
        EXPECT_EQ(EstrazioneElementiDaFatturare(db(), richiesta, d.RigheFattura), EsitoEstrazione::Estratte);
        EXPECT_TRUE(DefinizioneRigaFattura(db(), d.RigheFattura, d.RigheVisualizzate));
        LettoreAliquoteIva aliquote(db(), true);
        const GrigliaFattura griglia =
            VisualizzazioneElementiDaFatturare(db(), d.RigheFattura, d.RigheVisualizzate, false, aliquote);
        EXPECT_TRUE(griglia.Riepilogo.has_value());
        if (griglia.Riepilogo) d.Riepilogo = *griglia.Riepilogo;
        return d;
    }

    QString codiceIva;
};

TEST_F(EmissioneAlLimite, TheLargestAmountIsIssuedAndReadBackToTheCentFromBothArchives) {
    const struct {
        const char* importo;
        int aliquota;
    } casi[] = {
        {"274877906944,0001", 100},  // the largest amount, its VAT as large, the total twice
        {"-274877906944,0002", 100},  // the box is the limit either way (refused)
        {"274877906944,0002", 100},  // a ten-thousandth beyond it (refused)
        {"274877906943,9951", 20},
        {"123456789012,3411", 10},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.importo);
        Ricrea();
        catalogo(c.aliquota);
        const Currency importo = euro(c.importo);
        if (!ImportoAmmesso(importo)) {
            EXPECT_EQ(competenza(c.importo), MessaggioImportoFuoriMisura);
            EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze").toInt(), 0);
            continue;
        }
        ASSERT_EQ(competenza(c.importo), QString());

        // The figures: the line enters the document at the cent, its VAT to the cent.
        const int64_t imponibile = alCentesimo(importo.raw());
        const int64_t iva = alCentesimo(__int128(imponibile) * c.aliquota / 100);
        const int64_t totale = imponibile + iva;

        DocumentoDaEmettere d = fattura();
        ASSERT_EQ(d.RigheFattura.NumeroRighe(), 1);
        EXPECT_EQ(d.RigheFattura.riga(1).impofat, Currency::fromRaw(imponibile));
        const EsitoEmissione e = EmissioneDocumento(db(), d);
        ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
        ASSERT_TRUE(e.Contabilizzato);
        ASSERT_TRUE(e.Importi.has_value());
        EXPECT_EQ(e.Importi->TotaleDocumento, Currency::fromRaw(totale));

        // Read on connections of their own, straight from the files.
        auto fascoleLette = db::Database::open(pathFascole().toStdString());
        EXPECT_EQ(fascoleLette->scalar("SELECT impofat FROM competenze WHERE elemento = 'MAX'").toCurrency(), importo);
        EXPECT_EQ(fascoleLette->scalar("SELECT fatturato FROM competenze WHERE elemento = 'MAX'").toInt(), 1);

        auto contabile = AltraPostazioneContabile();
        Currency dare, avere;
        std::map<QString, Currency> conti;
        db::Statement righe(*contabile, "SELECT codice, importo, segno FROM giornaledettaglio ORDER BY rowid");
        while (righe.step()) {
            const Currency r = righe.column(1).toCurrency();
            (righe.column(2).toText() == "D" ? dare : avere) += r;
            conti[righe.column(0).toText<QString>()] += r;
        }
        EXPECT_EQ(dare, avere);
        EXPECT_EQ(conti.size(), 3u);
        EXPECT_EQ(conti[Cliente], e.Importi->TotaleDocumento);
        EXPECT_EQ(conti[Cliente], Currency::fromRaw(totale));
        EXPECT_EQ(conti[ContoRicavi], Currency::fromRaw(imponibile));
        EXPECT_EQ(conti[ContoIva], Currency::fromRaw(iva));

        db::Statement righeIva(*contabile, "SELECT codiceiva, imponibile, imposta FROM ivadettaglio");
        ASSERT_TRUE(righeIva.step());
        EXPECT_EQ(righeIva.column(0).toText<QString>(), codiceIva);
        EXPECT_EQ(righeIva.column(1).toCurrency(), Currency::fromRaw(imponibile));
        EXPECT_EQ(righeIva.column(2).toCurrency(), Currency::fromRaw(iva));
        EXPECT_FALSE(righeIva.step());
        EXPECT_EQ(contabile->scalar("SELECT totaleiva FROM giornale").toCurrency(), Currency::fromRaw(totale));
    }
}

TEST_F(EmissioneAlLimite, FeeItemsBeyondTheBoxesMakeADocumentTheArchiveCannotHoldAndNothingIsWritten) {
    for (const Answer risposta : {Answer::Abort, Answer::Ignore}) {
        SCOPED_TRACE(risposta == Answer::Abort ? "Abort" : "Ignore");
        Ricrea();
        catalogo(20);
        // Each one a box takes; together 600.000.000.000,03 of revenue, which the archive
        // cannot hold exactly.
        for (const char* ntask : {"0001", "0002", "0003"}) ASSERT_EQ(competenza("200.000.000.000,01", ntask), QString());
        DocumentoDaEmettere d = fattura();
        ASSERT_EQ(d.RigheFattura.NumeroRighe(), 3);
        FermataDaOverflow(d, risposta);
    }
}

}  // namespace
