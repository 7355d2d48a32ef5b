#include "invoice/engine/ArchivioStampaFattura.h"

#include <gtest/gtest.h>

#include <QFile>

#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/Importi.h"

namespace {

using emissione_di_prova::Righe;
using fattura_di_prova::euro;

TEST(NomeFileFattura, ClientLetterRegistrationAndIdentifierByPosition) {
    const QString linked = NomeFileFattura(true, "01.02.03.0045", TipoDocumento::Fattura, "00012", "000704011500003");
    EXPECT_EQ(linked, "SDB0102030045F00012000704011500003.mdb");
    EXPECT_EQ(linked.size(), 38);
    EXPECT_EQ(NomeFileFattura(true, "01.02.03.0045", TipoDocumento::NotaCredito, " 12", "000704011500003"),
              "SDB0102030045H00012000704011500003.mdb");
    // Not posted: no registration.
    EXPECT_EQ(NomeFileFattura(true, "01.02.03.0045", TipoDocumento::NotaDebito, "", "0007NoData00000"),
              "SDB0102030045E000000007NoData00000.mdb");
    // Not linked: the registry's code whole, everything after it moved left.
    const QString proprio = NomeFileFattura(false, "CLI01", TipoDocumento::Fattura, "", "000704011500003");
    EXPECT_EQ(proprio, "SDBCLI01F00000000704011500003.mdb");
    EXPECT_EQ(proprio.mid(8, 1), "F");
}

TEST(CarattereNonAmmessoInNomeFile, TheNineCharactersNoFileNameMayHold) {
    for (const QChar c : QStringLiteral("\\/:*?\"<>|")) EXPECT_EQ(CarattereNonAmmessoInNomeFile("12" + QString(c) + "3"), c);
    EXPECT_TRUE(CarattereNonAmmessoInNomeFile("13 A-bis_2.x").isNull());
    EXPECT_EQ(CarattereNonAmmessoInNomeFile("2004/12:3"), QChar('/'));
}

TEST(NoteFascolaSuDueRighe, BreaksAtTheLastBlankBetweenFortyAndFifty) {
    const QString sessanta = QString(44, u'a') + " " + QString(15, u'b');  // blank at 45
    const QString senzaBlanchi = QString(38, u'a') + " " + QString(21, u'c');  // blank at 39 only
    const struct {
        QString nota, prima, seconda;
    } casi[] = {
        {"", QString(50, u' '), QString(50, u' ')},
        {"x", "x" + QString(49, u' '), QString(50, u' ')},
        {"Nota breve", "Nota breve" + QString(40, u' '), QString(50, u' ')},
        {sessanta, sessanta.left(45), QString(15, u'b') + QString(35, u' ')},
        {senzaBlanchi, senzaBlanchi.left(50), senzaBlanchi.mid(50) + QString(40, u' ')},
        // The rest beyond the second line is not printed.
        {QString(120, u'z'), QString(50, u'z'), QString(50, u'z')},
    };
    for (const auto& c : casi) {
        const auto [prima, seconda] = NoteFascolaSuDueRighe(c.nota);
        EXPECT_EQ(prima, c.prima) << c.nota.toStdString();
        EXPECT_EQ(seconda, c.seconda) << c.nota.toStdString();
    }
}

TEST(NomeClienteScheda, PaddedOrCutToFortySix) {
    EXPECT_EQ(NomeClienteScheda("Rossi"), "Rossi" + QString(41, u' '));
    EXPECT_EQ(NomeClienteScheda(QString(50, u'r')), QString(46, u'r'));
}

// A document of its own for the print rules: lines, grid rows and amounts as given.
struct Stampa {
    DocumentoDaEmettere d;
    DocumentoEmesso e;

    Stampa() {
        d.Fascola.CodiceCliente = "01.01.01.0001";
        for (int i = 1; i <= 12; ++i) {
            RigaFattura r;
            r.ntask = "0003";
            r.njob = "0004";
            r.elemento = "E" + QString::number(i);
            r.descrizione = "Riga " + QString::number(i);
            r.impofat = i == 2 ? Currency() : Currency::fromUnits(i * 1000);
            r.CodiceIva = "20";
            r.pagamento = "R30";
            d.RigheFattura.aggiungi(r);
        }
        d.RigheVisualizzate.aggiungi({TipoRiga::Incarico, "Incarico tre", 3});
        d.RigheVisualizzate.aggiungi({TipoRiga::Lavorazione, "Lavorazione quattro", 3});
        for (int i : {3, 2, 12}) d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, i});
    }
};

// A group of the summary; `imposta` is the VAT amount, or the text of a code that carries none.
GruppoIva gruppo(const char* codice, const char* imponibile, const char* aliquota, const char* imposta,
                 const char* percentuale, bool numerica = true) {
    GruppoIva g;
    g.Codice = codice;
    g.Imponibile = euro(QString(imponibile).remove('.').toUtf8().constData());
    g.Aliquota = aliquota;
    g.Percentuale = euro(percentuale);
    g.ImpostaNumerica = numerica;
    if (numerica) g.Imposta = euro(QString(imposta).remove('.').toUtf8().constData());
    else g.TestoImposta = imposta;
    return g;
}

TEST(ContenutoArchivioStampa, GridRowsWithOrWithoutTheCaseFileDetail) {
    Stampa s;
    s.d.Parametri.DettaglioFascola = true;
    using Riga = std::array<QString, 6>;
    const std::vector<Riga> conDettaglio = {
        {"I0003", "Incarico tre", "3", "", "", ""},
        {"L0004", "Lavorazione quattro", "3", "", "", ""},
        {"EE3", "Riga 3", "3", "3.000,00", "20", "R30"},
        {" ", "Riga 2", "2", "", "", ""},
        {"EE12", "Riga 12", "12", "12.000,00", "20", "R30"},
    };
    EXPECT_EQ(ContenutoArchivioStampa(s.d, s.e).Righecorpo, conDettaglio);
    s.d.Parametri.DettaglioFascola = false;
    EXPECT_EQ(ContenutoArchivioStampa(s.d, s.e).Righecorpo, std::vector<Riga>(conDettaglio.begin() + 2, conDettaglio.end()));
    s.d.RigheVisualizzate.svuota();
    const ContenutoStampaFattura vuoto = ContenutoArchivioStampa(s.d, s.e);
    EXPECT_TRUE(vuoto.Righecorpo.empty());
    EXPECT_EQ(vuoto.dato("Pagina"), " ");
}

TEST(ContenutoArchivioStampa, FiveVatGroupsPrintedAndSummedZeroRateOnesKeepTheirText) {
    Stampa s;
    RiepilogoIva& r = s.e.Importi.Riepilogo;
    r.GruppiIva = {gruppo("20", "1.000,00", "20,00", "200,00", "20"),
                   gruppo("E15", "50,00", "0,00", "Escluso art. 15", "0", false),
                   gruppo("10", "10,00", "10,00", "1,00", "10"),
                   gruppo("4", "1234,5", "4,00", "49,38", "4"),
                   gruppo("125", "100,00", "12,50", "12,50", "12,5"),
                   gruppo("22", "100,00", "22,00", "22,00", "22"),
                   gruppo("N8", "7,00", "0,00", "Non imponibile", "0", false)};
    const ContenutoStampaFattura c = ContenutoArchivioStampa(s.d, s.e);
    const char* attesi[5][4] = {{"20", "1.000,00", "20,00", "200,00"},
                                {"E15", "50,00", "0,00", "Escluso art. 15"},
                                {"10", "10,00", "10,00", "1,00"},
                                {"4", "1.234,50", "4,00", "49,38"},
                                {"125", "100,00", "12,50", "12,50"}};
    for (int n = 1; n <= 5; ++n) {
        const QString N = QString::number(n);
        EXPECT_EQ(c.dato("Ivacodice" + N), attesi[n - 1][0]) << n;
        EXPECT_EQ(c.dato("Ivaimponibile" + N), attesi[n - 1][1]) << n;
        EXPECT_EQ(c.dato("Ivaaliquota" + N), attesi[n - 1][2]) << n;
        EXPECT_EQ(c.dato("Ivaimposta" + N), attesi[n - 1][3]) << n;
    }
    EXPECT_EQ(c.dato("TotIvaimponibile"), "2.394,50");
    EXPECT_EQ(c.dato("TotIvaimposta"), "262,88");

    r.GruppiIva.resize(2);
    const ContenutoStampaFattura due = ContenutoArchivioStampa(s.d, s.e);
    for (const char* colonna : {"Ivacodice3", "Ivaimponibile4", "Ivaaliquota5", "Ivaimposta5"})
        EXPECT_EQ(due.dato(colonna), "") << colonna;
    EXPECT_EQ(due.dato("TotIvaimponibile"), "1.050,00");
    EXPECT_EQ(due.dato("TotIvaimposta"), "200,00");
    r.GruppiIva.clear();
    EXPECT_EQ(ContenutoArchivioStampa(s.d, s.e).dato("TotIvaimposta"), "0,00");
}

// The groups that bear no VAT are named by their exemption text, or by their code when the
// code carries none (not linked), and summed apart from the taxable amounts.
TEST(ContenutoArchivioStampa, GroupsWithoutVatNamedAndSummedApart) {
    Stampa s;
    RiepilogoIva& r = s.e.Importi.Riepilogo;
    struct Caso {
        std::vector<GruppoIva> gruppi;
        std::vector<QString> descrizioni;  // Ivadescrizione1..5
        QString imponibile, fuoriIva, totaleVecchio;
    };
    const Caso casi[] = {
        // Linked: the exemption texts of the archive.
        {{gruppo("22", "1.000,00", "22,00", "220,00", "22"), gruppo("E15", "50,00", "0,00", "Escluso art. 15", "0", false),
          gruppo("N8", "7,00", "0,00", "Non imponibile art. 8", "0", false)},
         {"", "Escluso art. 15", "Non imponibile art. 8", "", ""}, "1.000,00", "57,00", "1.057,00"},
        // Not linked: a code standing for no rate prints the code; a zero rate prints "0".
        {{gruppo("ES", "30,00", "ES", "ES", "0", false), gruppo("0", "12,00", "0", "0,00", "0"),
          gruppo("10", "100,00", "10", "10,00", "10")},
         {"ES", "0", "", "", ""}, "100,00", "42,00", "142,00"},
        // Only taxed groups: nothing outside VAT.
        {{gruppo("4", "100,00", "4,00", "4,00", "4")}, {"", "", "", "", ""}, "100,00", "", "100,00"},
        // An exempt group with an empty exemption text: its code.
        {{gruppo("E10", "80,00", "0,00", " ", "0", false)}, {"E10", "", "", "", ""}, "0,00", "80,00", "80,00"},
    };
    for (const Caso& c : casi) {
        r.GruppiIva = c.gruppi;
        const ContenutoStampaFattura stampa = ContenutoArchivioStampa(s.d, s.e);
        for (int n = 1; n <= 5; ++n)
            EXPECT_EQ(stampa.dato("Ivadescrizione" + QString::number(n)), c.descrizioni[size_t(n - 1)])
                << c.gruppi.front().Codice.toStdString() << " " << n;
        EXPECT_EQ(stampa.dato("TotImponibile"), c.imponibile) << c.gruppi.front().Codice.toStdString();
        EXPECT_EQ(stampa.dato("TotFuoriIva"), c.fuoriIva) << c.gruppi.front().Codice.toStdString();
        EXPECT_EQ(stampa.dato("TotIvaimponibile"), c.totaleVecchio) << c.gruppi.front().Codice.toStdString();
    }
}

// With a withholding the page prints the document's total and the net amount apart; "Totale"
// stays what the client pays.
TEST(ContenutoArchivioStampa, DocumentTotalAndNetAmountToPay) {
    Stampa s;
    ImportiDocumento& i = s.e.Importi;
    i.Riepilogo.TotaleDocumento = euro("1220");
    i.Bollo.Importo = euro("2");
    i.TotaleDocumento = euro("1222");
    ContenutoStampaFattura c = ContenutoArchivioStampa(s.d, s.e);
    EXPECT_EQ(c.dato("TotaleDocumento"), "1.222,00");
    EXPECT_EQ(c.dato("Totale"), "1.222,00");
    EXPECT_EQ(c.dato("NettoAPagare"), "");

    i.Ritenute.Ritenuta1 = {true, "Ritenuta di acconto", "20", euro("1000"), euro("200")};
    i.TotaleDocumento = euro("1022");
    c = ContenutoArchivioStampa(s.d, s.e);
    EXPECT_EQ(c.dato("TotaleDocumento"), "1.222,00");
    EXPECT_EQ(c.dato("Totale"), "1.022,00");
    EXPECT_EQ(c.dato("NettoAPagare"), "1.022,00");

    // The second withholding alone.
    i.Ritenute.Ritenuta1 = {};
    i.Ritenute.Ritenuta2 = {true, "Cassa previdenza", "4", euro("1000"), euro("40")};
    i.TotaleDocumento = euro("1182");
    c = ContenutoArchivioStampa(s.d, s.e);
    EXPECT_EQ(c.dato("TotaleDocumento"), "1.222,00");
    EXPECT_EQ(c.dato("NettoAPagare"), "1.182,00");
}

TEST(ContenutoArchivioStampa, StampAndWithholdingsOnlyWhenTheyApply) {
    Stampa s;
    ImportiDocumento& i = s.e.Importi;
    EXPECT_EQ(ContenutoArchivioStampa(s.d, s.e).dato("Bollo"), "");
    for (const auto& [testo, stampato] : {std::pair{"2.00", "2,00"}, {"1,50", "1,50"}, {"1.234,5", "1,23"}}) {
        i.Bollo.BolloDocumento = testo;
        i.Bollo.Importo = NumeroDaTesto(testo);
        EXPECT_EQ(ContenutoArchivioStampa(s.d, s.e).dato("Bollo"), stampato) << testo;
    }
    const char* ritenuta2[] = {"descrizioneritenuta2", "imponibileritenuta2", "percritenuta2", "importoritenuta2"};
    i.Ritenute.Ritenuta1 = {true, "Ritenuta di acconto", "20", euro("333,33"), euro("66,666")};
    const ContenutoStampaFattura c = ContenutoArchivioStampa(s.d, s.e);
    EXPECT_EQ(c.dato("descrizioneritenuta1"), "Ritenuta di acconto");
    EXPECT_EQ(c.dato("imponibileritenuta1"), "333,33");
    EXPECT_EQ(c.dato("percritenuta1"), "20");
    EXPECT_EQ(c.dato("importoritenuta1"), "66,67");
    for (const char* colonna : ritenuta2) EXPECT_EQ(c.dato(colonna), "") << colonna;
    i.Ritenute.Ritenuta2 = {true, "Cassa previdenza", "4", euro("100"), euro("4")};
    EXPECT_EQ(ContenutoArchivioStampa(s.d, s.e).dato("percritenuta2"), "4");
}

class ScriviArchivioStampaTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(ScriviArchivioStampaTest, TheTwoTablesColumnByColumnAndAFileOfTheSameNameReplaced) {
    const QString path = dir.file("SDBCLI01F00000000704011500003.mdb");
    {
        QFile vecchio(path);
        ASSERT_TRUE(vecchio.open(QIODevice::WriteOnly));
        vecchio.write("left behind by an issue that stopped");
    }
    ContenutoStampaFattura c;
    c.Righecorpo = {{"I0001", "Incarico", "1", "", "", ""}, {"EONO", "Onorario", "1", "100,00", "20", "R30"}};
    for (size_t i = 0; i < c.Dati.size(); ++i) c.Dati[i] = i % 3 ? QString("v%1").arg(i) : QString();
    ScriviArchivioStampaFattura(path, c);

    auto file = db::Database::open(path.toStdString());
    const auto righecorpo = Righe(*file, "SELECT name, type FROM pragma_table_info('Righecorpo')");
    const std::vector<QStringList> colonneCorpo = {{"Tipo", "TEXT"},    {"Descrizione", "TEXT"}, {"Indice", "TEXT"},
                                                   {"Importo", "TEXT"}, {"Iva", "TEXT"},         {"Pagamento", "TEXT"}};
    EXPECT_EQ(righecorpo, colonneCorpo);
    const auto dati = Righe(*file, "SELECT name, type FROM pragma_table_info('Dati')");
    ASSERT_EQ(dati.size(), 83u);
    for (size_t i = 0; i < 83; ++i) EXPECT_EQ(dati[i], (QStringList{ColonneDati[i], "TEXT"})) << i + 1;
    EXPECT_EQ(Righe(*file, "SELECT count(*) FROM sqlite_master").front().front(), "2");  // no keys, no indexes

    const std::vector<QStringList> corpo = {{"I0001", "Incarico", "1", "", "", ""},
                                            {"EONO", "Onorario", "1", "100,00", "20", "R30"}};
    EXPECT_EQ(Righe(*file, "SELECT * FROM Righecorpo ORDER BY rowid"), corpo);
    const auto riga = Righe(*file, "SELECT * FROM Dati");
    ASSERT_EQ(riga.size(), 1u);
    for (size_t i = 0; i < 83; ++i) EXPECT_EQ(riga[0][int(i)], c.Dati[i]) << ColonneDati[i];  // "" never Null
}

TEST(ColonneDati, EveryDocumentsSeventyFourThenTheNineForThePrintedTotals) {
    EXPECT_EQ(ColonneDatiDiBase, 74u);
    const char* aggiunte[] = {"TotaleDocumento", "NettoAPagare", "TotImponibile", "TotFuoriIva", "Ivadescrizione1",
                              "Ivadescrizione2", "Ivadescrizione3", "Ivadescrizione4", "Ivadescrizione5"};
    ASSERT_EQ(ColonneDati.size(), ColonneDatiDiBase + std::size(aggiunte));
    for (size_t i = 0; i < std::size(aggiunte); ++i) EXPECT_STREQ(ColonneDati[ColonneDatiDiBase + i], aggiunte[i]);

    EXPECT_STREQ(ColonneDati[0], "TipoDocumento");
    EXPECT_STREQ(ColonneDati[16], "Notefascola2");
    EXPECT_STREQ(ColonneDati[27], "PagCodice1");
    EXPECT_STREQ(ColonneDati[41], "PagImporto5");
    EXPECT_STREQ(ColonneDati[42], "Ivacodice1");
    EXPECT_STREQ(ColonneDati[61], "Ivaimposta5");
    EXPECT_STREQ(ColonneDati[62], "TotIvaimponibile");
    EXPECT_STREQ(ColonneDati[65], "Spese");
    EXPECT_STREQ(ColonneDati[66], "descrizioneritenuta1");
    EXPECT_STREQ(ColonneDati[73], "importoritenuta2");
}

}  // namespace
