#include "invoice/engine/ContabilizzazioneDocumento.h"

#include <gtest/gtest.h>

#include "invoice/engine/EmissioneDiProva.h"

namespace {

using fattura_di_prova::euro;

DocumentoDaEmettere documento(TipoDocumento tipo, std::initializer_list<std::pair<const char*, const char*>> righe) {
    DocumentoDaEmettere d;
    d.Tipo = tipo;
    d.Fascola.CodiceCliente = "01.01.01.0001";
    for (const auto& [conto, importo] : righe) {
        RigaFattura r;
        r.ricavi = conto;
        r.impofat = euro(importo);
        d.RigheFattura.aggiungi(r);
    }
    return d;
}

struct RigaAttesa {
    QString segno, conto;
    const char* importo;
};

void verifica(const RigheRegistrazione& r, const std::vector<RigaAttesa>& attese) {
    ASSERT_EQ(r.Numero(), int(attese.size()));
    for (size_t j = 0; j < attese.size(); ++j) {
        EXPECT_EQ(r.Righe[j].Segno, attese[j].segno) << j + 1;
        EXPECT_EQ(r.Righe[j].Conto, attese[j].conto) << j + 1;
        EXPECT_EQ(r.Righe[j].Importo, euro(attese[j].importo)) << j + 1;
    }
}

TEST(TipoDocumento, LettersOfTheThreeKinds) {
    for (const auto& [tipo, lettera] : {std::pair{TipoDocumento::Fattura, "F"}, {TipoDocumento::NotaDebito, "E"},
                                        {TipoDocumento::NotaCredito, "H"}}) {
        EXPECT_EQ(LetteraDocumento(tipo), lettera);
        EXPECT_EQ(TipoDaLettera(lettera), tipo);
    }
    EXPECT_FALSE(TipoDaLettera("f").has_value());
    EXPECT_FALSE(TipoDaLettera("").has_value());
}

// The issue works on a copy: what the window changes afterwards is not issued.
TEST(DocumentoInComposizione, ACopyOfTheComposedDocumentAndOfTheRecords) {
    RipristinaAmbiente();
    RipristinaFatturaInComposizione();
    RipristinaDatiClienteFattura();
    FatturaInComposizione().RigheFattura.aggiungi(RigaFattura{});
    FatturaInComposizione().RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, 1});
    ParametriFattura().NumeroDocumento = "12";
    NoteFattura().Nota2 = "seconda";
    DatiClienteFattura().PartitaIva = "01234567890";
    AmbienteLavoro().CartellaAvvio = "/avvio";
    const FascolaEmessa fascola{"CLI01", "Rossi", "0007", "2004.00017", "02/01/2004", "RIF", "nota"};

    RiepilogoIva riepilogo;
    riepilogo.TotaleImponibile = euro("100");
    riepilogo.TotaleIva = euro("20");
    const DocumentoDaEmettere d = DocumentoInComposizione(TipoDocumento::NotaDebito, riepilogo, fascola);
    FatturaInComposizione().AzzeraRighe();
    ParametriFattura().NumeroDocumento = "13";

    EXPECT_EQ(d.Tipo, TipoDocumento::NotaDebito);
    EXPECT_EQ(d.RigheFattura.NumeroRighe(), 1);
    EXPECT_EQ(d.RigheVisualizzate.NumeroRigheVisualizzate(), 1);
    EXPECT_EQ(d.Riepilogo.TotaleImponibile, euro("100,00"));
    EXPECT_EQ(d.Riepilogo.TotaleIva, euro("20,00"));
    EXPECT_EQ(d.Fascola.NumeroAssoluto, "2004.00017");
    EXPECT_EQ(d.Parametri.NumeroDocumento, "12");
    EXPECT_EQ(d.Note.Nota2, "seconda");
    EXPECT_EQ(d.DatiCliente.PartitaIva, "01234567890");
    EXPECT_EQ(d.Ambiente.CartellaAvvio, "/avvio");
    RipristinaAmbiente();
    RipristinaFatturaInComposizione();
    RipristinaDatiClienteFattura();
}

TEST(ContabilizzazioneAmmessa, LinkedAndNoWithholdingSwitchedOn) {
    DocumentoDaEmettere d;
    EXPECT_FALSE(ContabilizzazioneAmmessa(d));
    d.Ambiente.CollegatoContabilita = true;
    EXPECT_TRUE(ContabilizzazioneAmmessa(d));
    d.Parametri.RitenutaAcconto = true;
    EXPECT_FALSE(ContabilizzazioneAmmessa(d));
    d.Parametri.RitenutaAcconto = false;
    d.Parametri.AltreRitenute = true;
    EXPECT_FALSE(ContabilizzazioneAmmessa(d));
}

TEST(RigheRegistrazione, ClientRowThenOneRowPerRevenueAccountThenVat) {
    // R1, R2, R1 of 100, 50 and 30 with VAT 39,60: the total is 219,60.
    for (const auto& [tipo, cliente, ricavi] : {std::tuple{TipoDocumento::Fattura, "D", "A"},
                                                std::tuple{TipoDocumento::NotaDebito, "D", "A"},
                                                std::tuple{TipoDocumento::NotaCredito, "A", "D"}}) {
        const DocumentoDaEmettere d = documento(tipo, {{"R1", "100"}, {"R2", "50"}, {"R1", "30"}});
        RigheRegistrazione r = RigheClienteERicavi(d, euro("219,60"));
        EXPECT_EQ(r.Ricavi, euro("180"));
        ASSERT_TRUE(ServeRigaIva(r, euro("219,60")));
        AggiungiRigaIva(r, tipo, "02.02.01.0001", euro("219,60"));
        verifica(r, {{cliente, "01.01.01.0001", "219,60"},
                     {ricavi, "R1", "130"},
                     {ricavi, "R2", "50"},
                     {ricavi, "02.02.01.0001", "39,60"}});
    }
}

TEST(RigheRegistrazione, ZeroLinesGiveNoRowAndAnEmptyAccountIsAnAccount) {
    const DocumentoDaEmettere d = documento(TipoDocumento::Fattura, {{"NUOVO", "0"}, {"", "10"}, {"R1", "5"}, {"", "2"}});
    const RigheRegistrazione r = RigheClienteERicavi(d, euro("17"));
    verifica(r, {{"D", "01.01.01.0001", "17"}, {"A", "", "12"}, {"A", "R1", "5"}});
    // Everything of the total is on revenue rows: no VAT row.
    EXPECT_FALSE(ServeRigaIva(r, euro("17")));
}

TEST(RigheRegistrazione, LinesEnterAtTheCentSoNoVatRowWithoutVat) {
    // Two fee items of 10,004 bill 10,00 each: the revenue is the document's 20,00 and no
    // fraction of a cent is left for a VAT row.
    const DocumentoDaEmettere d = documento(TipoDocumento::Fattura, {{"R1", "10,004"}, {"R1", "10,004"}});
    const RigheRegistrazione r = RigheClienteERicavi(d, euro("20"));
    EXPECT_FALSE(ServeRigaIva(r, euro("20")));
    verifica(r, {{"D", "01.01.01.0001", "20"}, {"A", "R1", "20"}});
}

TEST(DescrizioneRegistrazione, ByDocumentKindAndCutToAHundred) {
    EXPECT_EQ(DescrizioneRegistrazione(TipoDocumento::Fattura, "13", "Rossi Mario"), "EMESSA FATTURA N. 13 A Rossi Mario");
    EXPECT_EQ(DescrizioneRegistrazione(TipoDocumento::NotaDebito, "5", "Rossi"),
              "EMESSA NOTA DI DEBITO (var. in Aumento) N. 5 A Rossi");
    EXPECT_EQ(DescrizioneRegistrazione(TipoDocumento::NotaCredito, "6 A", "Rossi"),
              "EMESSA NOTA DI CREDITO (var. in Diminuizione) N. 6 A A Rossi");
    const QString lungo = QString(120, u'x');
    const QString d = DescrizioneRegistrazione(TipoDocumento::Fattura, "13", lungo);
    EXPECT_EQ(d.size(), 100);
    EXPECT_EQ(d, "EMESSA FATTURA N. 13 A " + QString(77, u'x'));
}

TEST(RegistrazioneDocumento, TheHeaderAndTheVatLinesOfTheDocument) {
    DocumentoDaEmettere d = documento(TipoDocumento::NotaCredito, {{"R1", "100"}, {"R2", "50"}});
    d.Parametri.DataFattura = "15/01/2004";
    d.Parametri.RegistroIva = "Z";
    d.Fascola.Npra = "0007";
    d.Fascola.NomeCliente = "Rossi Mario";
    d.Ambiente.PathArchivioContabile = "C:\\CONTAB\\ROSSI\\00007_2004.mdb";
    RiepilogoIva riepilogo;
    GruppoIva g1;
    g1.Codice = "20";
    g1.Imponibile = euro("1100");
    g1.Imposta = euro("220");
    GruppoIva g2;
    g2.Codice = "E15";
    g2.Imponibile = euro("50");
    g2.ImpostaNumerica = false;
    g2.TestoImposta = "Escluso art. 15";
    riepilogo.GruppiIva = {g1, g2};
    ImportiDocumento importi;
    importi.Riepilogo = riepilogo;
    RigheRegistrazione righe = RigheClienteERicavi(d, euro("1370"));
    AggiungiRigaIva(righe, d.Tipo, "02.02.01.0001", euro("1370"));

    const DatiRegistrazione r = DatiDellaRegistrazione(RegistrazioneDocumento(d, importi, righe, "6 A", "00012"));
    const QString attesa[27] = {"",
                                "FASCOLA",
                                "C",
                                "S",
                                "EUR",
                                "1,00",
                                "15/01/2004",
                                "00012",
                                "15/01/2004",
                                "0007",
                                "N",
                                "EMESSA NOTA DI CREDITO (var. in Diminuizione) N. 6 A A Rossi Mario",
                                "H",
                                "Z",
                                "01.01.01.0001",
                                "6 A",
                                "1.370,00",
                                "N",
                                "2",
                                "4",
                                "FASCOLA",
                                "C:\\CONTAB\\ROSSI\\00007_2004.mdb",
                                "0",
                                "0",
                                "N",
                                "NO",
                                "0"};
    for (int i = 0; i <= 26; ++i) EXPECT_EQ(r.Testata[size_t(i)], attesa[i]) << "item " << i;
    EXPECT_EQ(r.CodiciIva, (std::vector<QString>{"20", "E15"}));
    EXPECT_EQ(r.Imponibili, (std::vector<Currency>{euro("1100"), euro("50")}));
    EXPECT_EQ(r.Imposte, (std::vector<Currency>{euro("220"), Currency()}));
    EXPECT_EQ(r.Segni, (std::vector<QString>{"A", "D", "D", "D"}));
    EXPECT_EQ(r.Conti, (std::vector<QString>{"01.01.01.0001", "R1", "R2", "02.02.01.0001"}));
    EXPECT_EQ(r.Importi, (std::vector<Currency>{euro("1370"), euro("100"), euro("50"), euro("1220")}));
    EXPECT_EQ(RiferimentoContabile("15/01/2004", "00012"), "15/01/2004 - 00012");
}

// The stamp duty is credited to the revenue account of the line that bears it and registered
// with that line's VAT group: the VAT lines add up to the document total, the header's VAT total.
TEST(RegistrazioneDocumento, TheStampGoesWithTheGroupOfTheLineThatBearsIt) {
    DocumentoDaEmettere d = documento(TipoDocumento::Fattura, {{"R1", "100"}, {"R2", "80"}});
    d.RigheFattura.riga(1).CodiceIva = "20";
    d.RigheFattura.riga(2).CodiceIva = "E15";
    ImportiDocumento importi;
    GruppoIva g1;
    g1.Codice = "20";
    g1.Imponibile = euro("100");
    g1.Imposta = euro("20");
    GruppoIva g2;
    g2.Codice = "E15";
    g2.Imponibile = euro("80");
    g2.ImpostaNumerica = false;
    importi.Riepilogo.GruppiIva = {g1, g2};
    importi.Bollo.Importo = euro("2");
    importi.Bollo.Riga = 2;
    importi.TotaleDocumento = euro("202");
    RigheRegistrazione righe = RigheClienteERicavi(d, importi.TotaleDocumento);
    AccreditaBollo(righe, d.Tipo, "R2", importi.Bollo.Importo);
    AggiungiRigaIva(righe, d.Tipo, "02.02.01.0001", importi.TotaleDocumento);

    const DatiRegistrazione r = DatiDellaRegistrazione(RegistrazioneDocumento(d, importi, righe, "7", "00013"));
    EXPECT_EQ(r.Testata[16], "202,00");
    EXPECT_EQ(r.Imponibili, (std::vector<Currency>{euro("100"), euro("82")}));
    EXPECT_EQ(r.Imposte, (std::vector<Currency>{euro("20"), Currency()}));
    EXPECT_EQ(r.Importi, (std::vector<Currency>{euro("202"), euro("100"), euro("82"), euro("20")}));
}

class ContoIvaVenditeTest : public emissione_di_prova::EmissioneCollegata {};

TEST_F(ContoIvaVenditeTest, TheAccountOfTheParametersOrNoneWhenNotSet) {
    EXPECT_EQ(ContoIvaVendite(db()), "02.02.01.0001");
    db().execute("UPDATE parametri SET ContoIvaVendite = '00.00.00.0000'");
    EXPECT_EQ(ContoIvaVendite(db()), "");
    db().execute("UPDATE parametri SET ContoIvaVendite = NULL");
    EXPECT_EQ(ContoIvaVendite(db()), "");
    db().execute("DELETE FROM parametri");
    EXPECT_EQ(ContoIvaVendite(db()), "");
}

}  // namespace
