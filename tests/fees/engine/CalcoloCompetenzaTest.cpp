#include "fees/engine/CalcoloCompetenza.h"

#include <gtest/gtest.h>

#include "fees/engine/ElementoDiProva.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"

namespace {

Currency euro(const char* testo) { return basic::CCur(testo); }

using elemento_di_prova::elemento;
using elemento_di_prova::mostra;

TEST(DefinizioneCalcolo, EachModeLaysTheBoxesOutWithThePricesOfANewElement) {
    const CampiImporto prima{"x", "y", "a", true, "f", true, "p"};
    const struct {
        QString calcolo, tipo;
        std::optional<Currency> prezzoCliente;
        QString atteso;
    } casi[] = {
        {"P", "C", {}, "Costo|Percent|+a|+5,00|p"},
        {"P", "C", euro("7,5"), "Costo|Percent|+a|+7,50|p"},
        {"R", "C", {}, "Costo||+a|-0,00|p"},
        {"R", "A", {}, "Anticipazione||+a|-0,00|p"},
        {"F", "A", {}, "Anticipazione||+a|-0,00|p"},
        {"F", "X", {}, "||-0,00|-0,00|5,00"},
        {"F", "X", euro("1234,5"), "||-0,00|-0,00|1.234,50"},
        {"R", "X", {}, "||-0,00|-0,00|"},
        {"U", "X", {}, "dir. unitario|quantità|+5,00|+1|p"},
        {"U", "X", euro("7"), "dir. unitario|quantità|+7,00|+1|p"},
        {"P", "X", {}, "Base imponibile|Percent|+1|+5,00|p"},
        // A pair no layout names leaves everything as it was.
        {"F", "C", {}, "x|y|+a|+f|p"},
        {"U", "C", {}, "x|y|+a|+f|p"},
        {"", "", {}, "x|y|+a|+f|p"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(mostra(DefinizioneCalcolo(elemento(c.calcolo, c.tipo), c.prezzoCliente, nullptr, prima)), c.atteso)
            << c.calcolo.toStdString() << c.tipo.toStdString();
}

// A stored fee item shows its own values, whatever the catalogue or the price list say now:
// amounts with the short mask, the factor exactly as it was typed.
TEST(DefinizioneCalcolo, AStoredFeeItemShowsItsStoredValues) {
    Competenza m;
    m.importo = euro("200"), m.addebitounitario = euro("12,5"), m.fattore = "1.5 ", m.impofat = euro("1234,5");
    const CampiImporto prima{"x", "y", "a", true, "f", true, "p"};
    const struct {
        QString calcolo, tipo, atteso;
    } casi[] = {
        {"P", "C", "Costo|Percent|+200,00|+1.5 |1.234,50"},
        {"R", "C", "Costo||+200,00|-0,00|1.234,50"},
        {"F", "A", "Anticipazione||+200,00|-0,00|1.234,50"},
        {"F", "X", "||-0,00|-0,00|1.234,50"},
        {"R", "X", "||-0,00|-0,00|1.234,50"},
        {"U", "X", "dir. unitario|quantità|+12,50|+1.5 |1.234,50"},
        {"P", "X", "Base imponibile|Percent|+200,00|+1.5 |1.234,50"},
        {"F", "C", "x|y|+a|+f|p"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(mostra(DefinizioneCalcolo(elemento(c.calcolo, c.tipo, "99"), euro("77"), &m, prima)), c.atteso)
            << c.calcolo.toStdString() << c.tipo.toStdString();
}

TEST(ImportoDaFattore, TheAmountToInvoiceByMode) {
    const struct {
        CasoCalcolo caso;
        QString importo, fattore;
        std::optional<QString> atteso;
    } casi[] = {
        {CasoCalcolo::PrezzoUnitario, "12,00", "1", "12,00"},
        {CasoCalcolo::PrezzoUnitario, "12,50", "2", "25,00"},
        {CasoCalcolo::PrezzoUnitario, "12.50", "2", "25,00"},
        {CasoCalcolo::PrezzoUnitario, "10", "3", "30,00"},
        {CasoCalcolo::PrezzoUnitario, "1.234,50", "2", "2.469,00"},
        {CasoCalcolo::PrezzoUnitario, "-5", "2", "-10,00"},
        {CasoCalcolo::Percentuale, "200", "5", "10,00"},
        {CasoCalcolo::Percentuale, "200", "5,00", "10,00"},
        {CasoCalcolo::Percentuale, "1", "5,00", "0,05"},
        {CasoCalcolo::Percentuale, "10,25", "10", "1,03"},
        {CasoCalcolo::Percentuale, "0,00", "5", "0,00"},
        {CasoCalcolo::CostoPercentuale, "1.234,50", "10", "123,45"},
        {CasoCalcolo::Anticipazione, "1.234,5", "0,00", "1.234,5"},
        // Nothing to work out.
        {CasoCalcolo::Percentuale, "", "5", {}},
        {CasoCalcolo::Percentuale, "200", "", {}},
        {CasoCalcolo::PrezzoUnitario, "3", "", {}},
        {CasoCalcolo::Anticipazione, "", "0,00", {}},
        {CasoCalcolo::Listino, "0,00", "0,00", {}},
        {CasoCalcolo::ImportoRichiesto, "0,00", "0,00", {}},
        {CasoCalcolo::CostoRichiesto, "10", "0,00", {}},
        {CasoCalcolo::Nessuno, "10", "2", {}},
        // What cannot be read, or is beyond range, leaves the box as it is.
        {CasoCalcolo::PrezzoUnitario, "1,2,3", "2", {}},
        {CasoCalcolo::Percentuale, "200", "1-2", {}},
        {CasoCalcolo::PrezzoUnitario, "999999999999999", "99999999", {}},
    };
    for (const auto& c : casi)
        EXPECT_EQ(ImportoDaFattore(c.caso, c.importo, c.fattore), c.atteso)
            << int(c.caso) << " " << c.importo.toStdString() << " x " << c.fattore.toStdString();
}

// A positive amount of `decimillesimi` ten-thousandths as a box holds it typed, with the
// decimal comma ("1234,0099").
QString digitato(int64_t decimillesimi) {
    return QString::number(decimillesimi / 10000) + "," + QString::number(decimillesimi % 10000).rightJustified(4, '0');
}

// The oracle, in whole numbers: a x b / divisore of two positive amounts in ten-thousandths,
// in cents, halves away from zero. a x b is in hundred-millionths; a cent is a million.
int64_t centesimiEsatti(int64_t a, int64_t b, int64_t divisore) {
    const __int128 d = __int128(1'000'000) * divisore;
    return int64_t((2 * __int128(a) * b + d) / (2 * d));
}

// The amount to invoice in cents, as the box shows it.
int64_t centesimiMostrati(CasoCalcolo caso, int64_t a, int64_t b) {
    const std::optional<QString> testo = ImportoDaFattore(caso, digitato(a), digitato(b));
    if (!testo) return -1;
    return int64_t(basic::CCur(*testo).raw() / 100);
}

// Every base from 0,01 to 199,99 at rates of up to two decimals: the amount to invoice is the
// exact one brought to the cent once (100,99 at 0,5 % is 0,504950, so 0,50; 0,99 is 0,00495,
// so 0,00).
TEST(ImportoDaFattore, APercentageIsTheExactValueToTheCent) {
    for (const CasoCalcolo caso : {CasoCalcolo::Percentuale, CasoCalcolo::CostoPercentuale}) {
        EXPECT_EQ(ImportoDaFattore(caso, "100,99", "0,5"), "0,50");
        EXPECT_EQ(ImportoDaFattore(caso, "0,99", "0,5"), "0,00");
    }
    int errati = 0;
    for (const int64_t aliquota : {5'000, 85'000, 125'000, 12'500, 220'000, 33'300, 4'900})
        for (int64_t base = 100; base <= 1'999'900; base += 100)
            if (centesimiMostrati(CasoCalcolo::Percentuale, base, aliquota) != centesimiEsatti(base, aliquota, 100) &&
                ++errati <= 5)
                ADD_FAILURE() << digitato(base).toStdString() << " at " << digitato(aliquota).toStdString();
    EXPECT_EQ(errati, 0);
}

// A unit price of four decimals times a quantity: the exact product to the cent (1,0099 x 0,5
// is 0,50495, so 0,50).
TEST(ImportoDaFattore, AUnitPriceTimesAQuantityIsTheExactValueToTheCent) {
    EXPECT_EQ(ImportoDaFattore(CasoCalcolo::PrezzoUnitario, "1,0099", "0,5"), "0,50");
    int errati = 0;
    for (const int64_t quantita : {5'000, 15'000, 2'500, 1'234, 30'000})
        for (int64_t prezzo = 1; prezzo <= 20'000; ++prezzo)
            if (centesimiMostrati(CasoCalcolo::PrezzoUnitario, prezzo, quantita) !=
                    centesimiEsatti(prezzo, quantita, 1) &&
                ++errati <= 5)
                ADD_FAILURE() << digitato(prezzo).toStdString() << " x " << digitato(quantita).toStdString();
    EXPECT_EQ(errati, 0);
}

TEST(ImportiRichiesti, WhichBoxesAnEntryMustFill) {
    const struct {
        QString calcolo, tipo;
        bool importo, fattore;
    } casi[] = {
        {"P", "C", true, true},  {"R", "C", true, false},  {"F", "A", true, false}, {"U", "A", true, false},
        {"R", "X", false, false}, {"F", "X", false, false}, {"U", "X", true, true},  {"P", "X", true, true},
        {"F", "C", true, true},  {"", "", true, true},
    };
    for (const auto& c : casi) {
        const ImportiRichiesti r = ImportiRichiestiPer(c.calcolo, c.tipo);
        EXPECT_EQ(r.Importo, c.importo) << c.calcolo.toStdString() << c.tipo.toStdString();
        EXPECT_EQ(r.Fattore, c.fattore) << c.calcolo.toStdString() << c.tipo.toStdString();
    }
}

TEST(OrigineDelPagamento, PriceListThenTheClientsAccountThenTheCatalogue) {
    const struct {
        bool listino, delCliente, collegato;
        OrigineCodicePagamento origine;
    } casi[] = {
        {true, true, true, OrigineCodicePagamento::Listino},
        {true, false, false, OrigineCodicePagamento::Listino},
        {false, true, true, OrigineCodicePagamento::Anagrafe},
        {false, true, false, OrigineCodicePagamento::Catalogo},
        {false, false, true, OrigineCodicePagamento::Catalogo},
        {false, false, false, OrigineCodicePagamento::Catalogo},
    };
    for (const auto& c : casi)
        EXPECT_EQ(OrigineDelPagamento(c.listino, c.delCliente, c.collegato), c.origine)
            << c.listino << c.delCliente << c.collegato;
}

TEST(DettaglioDiDefault, TheCataloguesAccountsAndNothingDoneYet) {
    ElementoDaFatturare e = elemento("F", "X");
    e.dare = "01.01.01.0001";
    e.avere = "04.01.01.0001";
    e.contofat = "04.01.01.0002";
    const DettaglioCompetenzaRec d = DettaglioDiDefault(e);
    EXPECT_FALSE(d.primanota || d.fatturato || d.spuntato);
    EXPECT_EQ(d.darepn, "01.01.01.0001");
    EXPECT_EQ(d.averepn, "04.01.01.0001");
    EXPECT_EQ(d.ricavi, "04.01.01.0002");
    EXPECT_TRUE(d.idpn.isEmpty() && d.idfattura.isEmpty());
    EXPECT_EQ(d.elemento, "ELE");
    EXPECT_EQ(d.DescrizioneElemento, "Elemento");
}

// The columns a fee item stores depend on its kind: a cost or an advance keeps its amount,
// a fee keeps none; unit price keeps the unit price; the factor only where it means something.
TEST(ValoriDaScrivere, TheColumnsStoredByKind) {
    DettaglioCompetenzaRec d;
    d.primanota = true;
    d.darepn = "D";
    d.averepn = "A";
    d.idpn = "PN";
    d.fatturato = true;
    d.ricavi = "R";
    d.idfattura = "F";
    d.spuntato = true;
    const CampiCompetenza campi{"ELE", "Testo", "12.50", "3", "1.234,50", "30", "05/03/2004"};
    const struct {
        QString calcolo, tipo;
        const char* importo;
        const char* addebito;
        QString fattore;
    } casi[] = {
        {"P", "C", "12,5", "0", "3"},   // cost at a percentage
        {"R", "C", "12,5", "0", ""},    // cost typed
        {"R", "A", "12,5", "0", ""},    // advance
        {"F", "X", "0", "0", ""},       // list price
        {"R", "X", "0", "0", ""},       // fee typed
        {"U", "X", "0", "12,5", "3"},   // unit price
        {"P", "X", "0", "0", "3"},      // percentage: the base is not kept
    };
    for (const auto& c : casi) {
        const Competenza v = ValoriDaScrivere(elemento(c.calcolo, c.tipo), campi, d);
        const std::string caso = (c.calcolo + c.tipo).toStdString();
        EXPECT_EQ(v.importo, euro(c.importo)) << caso;
        EXPECT_EQ(v.addebitounitario, euro(c.addebito)) << caso;
        EXPECT_EQ(v.fattore, c.fattore) << caso;
        EXPECT_EQ(v.impofat, euro("1234,5")) << caso;
        EXPECT_EQ(v.data, QDate(2004, 3, 5)) << caso;
        EXPECT_EQ(v.descrizione, "Testo");
        EXPECT_EQ(v.pagamento, "30");
        EXPECT_TRUE(v.primanota && v.fatturato && v.spuntato);
        EXPECT_EQ(v.darepn + v.averepn + v.idpn + v.ricavi + v.idfattura, "DAPNRF");
    }
    // "12.50" typed as the amount to invoice is 12,50, not 1250.
    CampiCompetenza punto = campi;
    punto.Impofatt = "12.50";
    EXPECT_EQ(ValoriDaScrivere(elemento("R", "A"), punto, d).impofat, euro("12,5"));

    // What cannot be read is refused, and nothing is made of it.
    for (auto guasta : {&CampiCompetenza::Impofatt, &CampiCompetenza::Data}) {
        CampiCompetenza g = campi;
        g.*guasta = "1,2,3";
        EXPECT_THROW(ValoriDaScrivere(elemento("R", "A"), g, d), db::DbError);
    }
    CampiCompetenza g = campi;
    g.Importo = "1-2";
    EXPECT_THROW(ValoriDaScrivere(elemento("U", "X"), g, d), db::DbError);
    EXPECT_NO_THROW(ValoriDaScrivere(elemento("P", "X"), g, d));  // a base that is not kept
}

}  // namespace

namespace {

// Half of the largest amount the archive holds exactly, either way: an amount, its VAT up to
// 100 % and their total are all held exactly.
TEST(ImportoAmmesso, HalfOfTheLargestExactAmountEitherWay) {
    const struct {
        const char* testo;
        LetturaImporto lettura;
    } casi[] = {
        {"274.877.906.944,0001", LetturaImporto::Ammesso},
        {"274.877.906.944,0002", LetturaImporto::FuoriMisura},
        {"-274.877.906.944,0001", LetturaImporto::Ammesso},
        {"-274.877.906.944,0002", LetturaImporto::FuoriMisura},
        {"274.877.906.943,9999", LetturaImporto::Ammesso},
        {"274.877.906.945", LetturaImporto::FuoriMisura},
        {"461.168.601.842.738,79", LetturaImporto::FuoriMisura},
        {"922.337.203.685.477,5807", LetturaImporto::FuoriMisura},
        {"99999999999999999999999", LetturaImporto::FuoriMisura},
        {"12,50", LetturaImporto::Ammesso},
        {"", LetturaImporto::Ammesso},  // an empty box reads 0: whether it may be empty is another check
        {"1,2,3", LetturaImporto::NonNumerico},
        {"5-0", LetturaImporto::NonNumerico},
    };
    for (const auto& c : casi) EXPECT_EQ(LetturaDiImporto(c.testo), c.lettura) << c.testo;
    // What the box takes, its VAT at 100 % to the cent and their total are amounts the archive
    // holds exactly.
    for (const char* limite : {"274877906944.0001", "-274877906944.0001"}) {
        const Currency a = *Currency::parse(limite, '.');
        ASSERT_TRUE(ImportoAmmesso(a)) << limite;
        const Currency totale = a + a.roundedForDisplay(2);
        EXPECT_LE(totale, db::LargestExactAmount) << limite;
        EXPECT_GE(totale, -db::LargestExactAmount) << limite;
    }
}

}  // namespace
