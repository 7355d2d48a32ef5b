#include "invoice/engine/EmissioneDocumento.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <functional>

#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/EmissioneDiProva.h"
#include "platform/system/FileSystem.h"

namespace {

using emissione_di_prova::AttesiErroreENonEmesso;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::Righe;
using fattura_di_prova::euro;
using ui::Answer;

class EmissioneDocumentoTest : public EmissioneCollegata {
public:
    std::vector<QStringList> competenze() {
        return Righe(db(), "SELECT ntask, njob, elemento, fatturato, idfattura FROM competenze ORDER BY rowid");
    }
    std::vector<QStringList> stampa(const QString& path, const std::string& sql) {
        auto file = db::Database::open(path.toStdString());
        return Righe(*file, sql);
    }
    // The document issued without the accounting link, for client CLI01 of the own registry.
    DocumentoDaEmettere nonCollegato() {
        for (const char* voce : {"ONO", "SPE"})
            db().execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, impofat, fatturato) "
                         "VALUES ('CLI01', '0007', '0001', '0000', ?, 10, 0)",
                         {voce});
        DocumentoDaEmettere d = documento;
        d.Ambiente.CollegatoContabilita = false;
        d.Ambiente.PathArchivioContabile.clear();
        d.Fascola.CodiceCliente = "CLI01";
        d.RigheFattura.svuota();
        for (const char* voce : {"ONO", "SPE"}) {
            RigaFattura r = Riga("0001", "0000", voce, "X", "10", "20", "");
            r.cliente = "CLI01";
            d.RigheFattura.aggiungi(r);
        }
        d.RigheVisualizzate.svuota();
        d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, 1});
        d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, 2});
        Didascalie(d);
        return d;
    }
};

TEST_F(EmissioneDocumentoTest, ALinkedInvoiceIsNumberedPostedBilledAndWrittenForPrinting) {
    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
    EXPECT_TRUE(box.asked().empty());
    EXPECT_TRUE(e.Contabilizzato);
    EXPECT_EQ(e.LetteraDocumento, "F");
    EXPECT_EQ(e.NumeroDocumento, "13");
    EXPECT_EQ(e.NumeroRegistrazione, "00001");
    EXPECT_EQ(e.RifContabile, "15/01/2004 - 00001");
    EXPECT_EQ(e.IdFattura, "000704011500013");
    EXPECT_EQ(e.CompetenzeFatturate, 5);
    EXPECT_EQ(e.NomeFileFattura, "SDB0101010001F00001000704011500013.mdb");
    // Handed to the printing under this process's name, which settles it under its own.
    EXPECT_EQ(e.PathNomeProprio, QDir(avvio).filePath(e.NomeFileFattura));
    EXPECT_EQ(e.PathArchivioStampa, sys::TemporaryName(e.PathNomeProprio));
    EXPECT_TRUE(QFileInfo(e.PathArchivioStampa).isFile());
    EXPECT_FALSE(QFileInfo::exists(e.PathNomeProprio));
    ASSERT_TRUE(e.Importi.has_value());
    EXPECT_EQ(e.Importi->TotaleDocumento, euro("251"));

    // The register's invoice counter, the confirmed registration number and the journal.
    EXPECT_EQ(Righe(db(), "SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").front(), QStringList{"13"});
    const std::vector<QStringList> numeri = {{"2004-01-15", "1", "1"}};
    EXPECT_EQ(Righe(db(), "SELECT giorno, numero, confermato FROM giornalenumero"), numeri);
    const std::vector<QStringList> testata = {
        {"2004-01-15", "1", "FASCOLA", "C", "1", "EMESSA FATTURA N. 13 A Rossi Mario", "2004-01-15", "0007", "0", "0",
         "0", "0", "NO", "EUR", "1", "01.01.01.0001", "V", "F", "13", "0", "0", "251"}};
    EXPECT_EQ(Righe(db(), "SELECT giorno, numero, madre, tipo, iva, descrizione, datadocumento, protocollo, competenza, "
                          "stampaiva, stampagio, appunti, immagine, valuta, cambio, clientefornitoreiva, registroiva, "
                          "tipodocumentoiva, protocolloiva, linkivasospe, competenzaiva, totaleiva FROM giornale"),
              testata);
    const std::vector<QStringList> dettaglio = {
        {"2004-01-15", "1", "01.01.01.0001", "251", "D", "0", "1"},
        {"2004-01-15", "1", "04.01.01.0001", "130", "A", "0", "1"},
        {"2004-01-15", "1", "04.01.01.0002", "50", "A", "0", "2"},
        {"2004-01-15", "1", "04.01.02.0001", "40", "A", "0", "3"},
        {"2004-01-15", "1", "02.02.01.0001", "31", "A", "0", "4"},
    };
    EXPECT_EQ(Righe(db(), "SELECT giorno, numero, codice, importo, segno, costo, ordinale FROM giornaledettaglio "
                          "ORDER BY rowid"),
              dettaglio);
    const QString contatore = Righe(db(), "SELECT contatore FROM giornale").front().front();
    const std::vector<QStringList> iva = {
        {contatore, "130", "26", "20", "1"}, {contatore, "50", "5", "10", "2"}, {contatore, "40", "0", "E15", "3"}};
    EXPECT_EQ(Righe(db(), "SELECT linkgiornale, imponibile, imposta, codiceiva, ordinaleiva FROM ivadettaglio "
                          "ORDER BY rowid"),
              iva);

    // Each billed item carries the identifier; the item of task 0003 was not on the invoice.
    const QString id = "000704011500013";
    const std::vector<QStringList> voci = {{"0001", "0000", "ONO", "1", id}, {"0001", "0001", "SPE", "1", id},
                                           {"0002", "0000", "ONO", "1", id}, {"0002", "0000", "ANT", "1", id},
                                           {"0002", "0000", "ZER", "1", id}, {"0003", "0000", "ONO", "0", "<Null>"}};
    EXPECT_EQ(competenze(), voci);

    // The print database, row by row and column by column.
    const std::vector<QStringList> corpo = {
        {"I0001", "Incarico uno", "1", "", "", ""},
        {"EONO", "Descrizione ONO 0001", "1", "100,00", "20", "R30"},
        {"L0001", "Lavorazione uno", "2", "", "", ""},
        {"ESPE", "Descrizione SPE 0001", "2", "50,00", "10", "R30"},
        {"I0002", "Incarico due", "3", "", "", ""},
        {"EONO", "Descrizione ONO 0002", "3", "30,00", "20", "R30"},
        {"EANT", "Descrizione ANT 0002", "4", "40,00", "E15", "R30"},
        {" ", "Descrizione ZER 0002", "5", "", "", ""},
    };
    EXPECT_EQ(stampa(e.PathArchivioStampa, "SELECT * FROM Righecorpo ORDER BY rowid"), corpo);
    const auto dati = stampa(e.PathArchivioStampa, "SELECT * FROM Dati");
    ASSERT_EQ(dati.size(), 1u);
    QStringList attesi = {"FATTURA",
                          "13",
                          "15/01/2004",
                          " ",
                          "01234567890",
                          "RSSMRA60A01F205X",
                          "01.01.01.0001",
                          "15/01/2004 - 00001",
                          "Rossi Mario" + QString(35, u' '),
                          "Via Verdi 3",
                          "20121 Milano MI",
                          "251,00",
                          "2004.00017",
                          "02/01/2004",
                          "RIF-42",
                          "Pratica di successione per la famiglia Rossi, ",
                          "immobili in Milano e provincia" + QString(20, u' '),
                          "Nota uno",
                          "Nota due",
                          "Nota tre",
                          "Nota quattro",
                          "Studio Bianchi",
                          "Via Manzoni 1",
                          "20121 Milano",
                          "P.IVA 00000000001",
                          "tel. 02 1234567",
                          "studio@example.it"};
    for (int i = 0; i < 15; ++i) attesi << "";  // no due dates
    attesi << "20" << "130,00" << "20,00" << "26,00" << "10" << "50,00" << "10,00" << "5,00"  //
           << "E15" << "40,00" << "0,00" << "Escluso art. 15";
    for (int i = 0; i < 8; ++i) attesi << "";  // groups 4 and 5
    attesi << "220,00" << "31,00" << "" << "";  // sums, stamp, expenses
    for (int i = 0; i < 8; ++i) attesi << "";  // no withholding
    ASSERT_EQ(attesi.size(), 74);
    for (int i = 0; i < 74; ++i) EXPECT_EQ(dati[0][i], attesi[i]) << ColonneDati[size_t(i)];
}

// The issue hands its print database to the printing under this process's temporary name,
// its copy kept first; under its own name in the start folder only where that name makes it
// the stored copy (the invoice folder is the start folder): no file under a document's name is
// ever one that a running process is about to move.
TEST_F(EmissioneDocumentoTest, ThePrintDatabaseIsHandedToThePrintingUnderThisProcesssName) {
    const struct {
        const char* nome;
        bool memorizza, stessaCartella;
        EsitoCopia copia;
    } casi[] = {
        {"copies in a folder of their own", true, false, EsitoCopia::Archiviata},
        {"no copies kept", false, false, EsitoCopia::NonRichiesta},
        {"copies in the start folder", true, true, EsitoCopia::GiaArchiviata},
        {"no copies kept, the invoice folder is the start folder", false, true, EsitoCopia::NonRichiesta},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        documento.Parametri.MemorizzaFattura = c.memorizza;
        if (c.stessaCartella) documento.Ambiente.CartellaFatture = avvio + "\\";
        const EsitoEmissione e = EmissioneDocumento(db(), documento);
        ASSERT_TRUE(e.Emesso());
        EXPECT_FALSE(e.StampaAbbandonata);
        EXPECT_EQ(e.Copia.Esito, c.copia);
        const QString proprio = QDir(avvio).filePath(e.NomeFileFattura);
        EXPECT_EQ(e.PathNomeProprio, proprio);
        // Also where its own name will make it the stored copy: only once it is printed.
        const bool copia = c.copia == EsitoCopia::GiaArchiviata;
        EXPECT_EQ(e.PathArchivioStampa, sys::TemporaryName(proprio));
        EXPECT_EQ(e.Copia.Percorso, copia ? proprio : c.memorizza ? QDir(fatture).filePath(e.NomeFileFattura) : "");
        EXPECT_EQ(QDir(avvio).entryList({"SDB*"}, QDir::Files),
                  QStringList{QFileInfo(e.PathArchivioStampa).fileName()});
    }
}

TEST_F(EmissioneDocumentoTest, ACreditNoteWithATypedNumberTakesNoRegisterNumber) {
    documento.Tipo = TipoDocumento::NotaCredito;
    documento.Parametri.NumerazioneAutomatica = false;
    documento.Parametri.NumeroDocumento = "12";
    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    ASSERT_TRUE(e.Emesso());
    EXPECT_EQ(e.NumeroDocumento, "12");
    EXPECT_EQ(e.IdFattura, "000704011500012");
    EXPECT_EQ(e.NomeFileFattura, "SDB0101010001H00001000704011500012.mdb");
    EXPECT_EQ(Righe(db(), "SELECT numerofattura, numerovariazionedim FROM ivaregistri WHERE codice = 'V'").front(),
              (QStringList{"12", "0"}));
    EXPECT_EQ(Righe(db(), "SELECT descrizione, tipodocumentoiva, protocolloiva FROM giornale").front(),
              (QStringList{"EMESSA NOTA DI CREDITO (var. in Diminuizione) N. 12 A Rossi Mario", "H", "12"}));
    const std::vector<QStringList> lati = {{"A", "251"}, {"D", "130"}, {"D", "50"}, {"D", "40"}, {"D", "31"}};
    EXPECT_EQ(Righe(db(), "SELECT segno, importo FROM giornaledettaglio ORDER BY rowid"), lati);
    EXPECT_EQ(stampa(e.PathArchivioStampa, "SELECT TipoDocumento, Numero FROM Dati").front(),
              (QStringList{"NOTA DI CREDITO (var. in Diminuizione)", "12"}));
}

TEST_F(EmissioneDocumentoTest, WithoutTheLinkOrWithAWithholdingNothingIsPostedYetTheItemsAreBilled) {

    DocumentoDaEmettere d = nonCollegato();
    d.Parametri.NumeroDocumento = "42";
    EsitoEmissione e = EmissioneDocumento(db(), d);
    ASSERT_TRUE(e.Emesso());
    EXPECT_FALSE(e.Contabilizzato);
    EXPECT_EQ(e.NumeroDocumento, "42");
    EXPECT_EQ(e.NumeroRegistrazione, "");
    EXPECT_EQ(e.RifContabile, "");
    EXPECT_EQ(e.NomeFileFattura, "SDBCLI01F00000000704011500042.mdb");
    EXPECT_EQ(Righe(db(), "SELECT count(*) FROM competenze WHERE cliente = 'CLI01' AND fatturato = 1 "
                          "AND idfattura = '000704011500042'")
                  .front(),
              QStringList{"2"});
    EXPECT_EQ(stampa(e.PathArchivioStampa, "SELECT CodiceCliente, RifContabile, Numero FROM Dati").front(),
              (QStringList{"CLI01", "", "42"}));

    // Linked but with the withholding on account: automatic numbering is not consulted, the
    // number typed is the document's; the register's next, it moves the register's counter, and
    // nothing is posted.
    ConRitenuta(documento, "1", "20");
    documento.Parametri.NumeroDocumento = "13";
    e = EmissioneDocumento(db(), documento);
    ASSERT_TRUE(e.Emesso());
    EXPECT_FALSE(e.Contabilizzato);
    EXPECT_EQ(e.NumeroDocumento, "13");
    EXPECT_EQ(e.IdFattura, "000704011500013");
    EXPECT_EQ(e.NomeFileFattura, "SDB0101010001F00000000704011500013.mdb");
    EXPECT_EQ(e.CompetenzeFatturate, 5);
    EXPECT_EQ(Righe(db(), "SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").front(), QStringList{"13"});
    for (const char* tabella : {"giornale", "giornaledettaglio", "ivadettaglio", "giornalenumero"})
        EXPECT_EQ(Righe(db(), std::string("SELECT count(*) FROM ") + tabella).front(), QStringList{"0"}) << tabella;
    EXPECT_EQ(stampa(e.PathArchivioStampa,
                     "SELECT Totale, RifContabile, descrizioneritenuta1, imponibileritenuta1, percritenuta1, "
                     "importoritenuta1, descrizioneritenuta2, Numero FROM Dati")
                  .front(),
              (QStringList{"207,00", "", "Ritenuta di acconto", "220,00", "20", "44,00", "", "13"}));
}

TEST_F(EmissioneDocumentoTest, TheSameLinesCannotBeIssuedTwice) {
    ASSERT_TRUE(EmissioneDocumento(db(), documento).Emesso());
    const QStringList dopo = Stato();
    box.expectMessage(Answer::Ok,
                      "Competenze già fatturate con un altro documento: 5; rifare la selezione: il documento non è "
                      "stato emesso",
                      TitoloEmissione);
    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    EXPECT_EQ(e.Arresto, ArrestoEmissione::CompetenzeGiaFatturate);
    EXPECT_FALSE(e.Emesso());
    // The register number the second attempt took is given back with everything else.
    EXPECT_EQ(Stato(), dopo);
}

// Each refusal explains itself and leaves both archives and both folders as they were.
TEST_F(EmissioneDocumentoTest, RefusalsWriteNothing) {
    struct Caso {
        const char* nome;
        std::function<void(EmissioneDocumentoTest&, DocumentoDaEmettere&)> prepara;
        ArrestoEmissione arresto;
        QStringList messaggi;
    };
    const QString fine = ": il documento non è stato emesso";
    const QString senzaRegistro = ".\nUn documento con ritenuta non è numerato dal registro IVA, anche con il "
                                  "funzionamento AUTOMATICO: prende il numero scritto nei PARAMETRI FATTURAZIONE.";
    const Caso casi[] = {
        {"no line", [](auto&, auto& d) { d.RigheFattura.svuota(), d.RigheVisualizzate.svuota(); },
         ArrestoEmissione::NessunaRiga, {"Non ci sono righe da fatturare" + fine}},
        // A stamp duty or withholding ticked in a row stored with a number that is no number in
        // figures: the document would lack the stamp or the withholding it asks for.
        {"stamp ticked, amount abc, threshold xyz",
         [](auto&, auto& d) {
             EmissioneCollegata::ConBollo(d, "xyz");
             d.Parametri.ImportoBollo = "abc";
         },
         ArrestoEmissione::NumeroParametroNonInCifre,
         {"Bisogna definire in cifre l'importo del bollo (ora «abc») nei PARAMETRI FATTURAZIONE" + fine}},
        {"not linked, stamp ticked, threshold xyz",
         [](auto& t, auto& d) {
             d = t.nonCollegato();
             d.Parametri.NumeroDocumento = "7";
             EmissioneCollegata::ConBollo(d, "xyz");
         },
         ArrestoEmissione::NumeroParametroNonInCifre,
         {"Bisogna definire in cifre la soglia di applicabilità del bollo (ora «xyz») nei PARAMETRI FATTURAZIONE" +
          fine}},
        {"withholding ticked, rate venti",
         [](auto&, auto& d) { EmissioneCollegata::ConRitenuta(d, "1", "venti"); },
         ArrestoEmissione::NumeroParametroNonInCifre,
         {"Bisogna definire in cifre la percentuale della ritenuta di acconto (ora «venti») nei PARAMETRI "
          "FATTURAZIONE" +
          fine}},
        {"not linked, other withholding ticked, its share blank",
         [](auto& t, auto& d) {
             d = t.nonCollegato();
             d.Parametri.NumeroDocumento = "7";
             d.Parametri.AltreRitenute = true;
             d.Parametri.AltreRitTesto = "Enasarco";
             d.Parametri.AltreRitPerc = "4";
             d.Parametri.AltreRitPercImponibile = "  ";
         },
         ArrestoEmissione::NumeroParametroNonInCifre,
         {"Bisogna definire in cifre la percentuale dell'imponibile soggetta alla ritenuta «Enasarco» (ora manca) nei "
          "PARAMETRI FATTURAZIONE" +
          fine}},
        {"no date", [](auto&, auto& d) { d.Parametri.DataFattura = "32/01/2004"; }, ArrestoEmissione::DataNonValida,
         {"La data del documento (32/01/2004) non è una data valida" + fine}},
        {"the archive's parameters name no accounting year",
         [](auto& t, auto&) { t.db().execute("UPDATE parametri SET meseinizioesercizio = 13"); },
         ArrestoEmissione::DataFuoriEsercizio,
         {"L'archivio contabile collegato non indica un esercizio valido (esercizio «2004», mese di inizio «13») e la "
          "data del documento non si può verificare" +
          fine}},
        {"no number",
         [](auto&, auto& d) {
             d.Parametri.NumerazioneAutomatica = false;
             d.Parametri.NumeroDocumento = "  ";
         },
         ArrestoEmissione::NumeroMancante, {"Manca il numero del documento" + fine}},
        // A document the register does not number needs the number typed, whatever the
        // numbering chosen in the parameters.
        {"not linked, automatic numbering and no number",
         [](auto& t, auto& d) {
             d = t.nonCollegato();
             d.Parametri.NumerazioneAutomatica = true;
         },
         ArrestoEmissione::NumeroMancante, {"Manca il numero del documento" + fine}},
        {"a withholding and no number",
         [](auto&, auto& d) {
             d.Parametri.AltreRitenute = true;
             d.Parametri.AltreRitCriterio = "1";
             d.Parametri.AltreRitPercImponibile = "100";
             d.Parametri.AltreRitPerc = "4";
         },
         ArrestoEmissione::NumeroMancante, {"Manca il numero del documento" + fine + senzaRegistro}},
        // Under automatic numbering, a document with a withholding takes the number typed all the
        // same: the refusal of that number says why it matters.
        {"a withholding under automatic numbering, its typed number already on the register",
         [](auto& t, auto& d) {
             t.db().execute("INSERT INTO giornale (giorno, numero, registroiva, tipodocumentoiva, protocolloiva) "
                            "VALUES ('2004-01-10', 1, 'V', 'F', '10')");
             EmissioneCollegata::ConRitenuta(d, "1", "20");
             d.Parametri.NumeroDocumento = "10";
         },
         ArrestoEmissione::NumeroGiaUsato,
         {"Il numero 10 è già stato dato a un altro documento del registro IVA V" + fine + senzaRegistro}},
        {"number with a slash",
         [](auto&, auto& d) {
             d.Parametri.NumerazioneAutomatica = false;
             d.Parametri.NumeroDocumento = "2004/12";
         },
         ArrestoEmissione::NumeroNonAmmesso,
         {"Il numero del documento 2004/12 contiene il carattere /, che non può stare nel nome del file del documento" +
          fine}},
        {"register suffix with a colon",
         [](auto& t, auto&) { t.db().execute("UPDATE ivaregistri SET suffisso = 'A:' WHERE codice = 'V'"); },
         ArrestoEmissione::NumeroNonAmmesso,
         {"Il numero del documento 13 A: contiene il carattere :, che non può stare nel nome del file del documento" +
          fine}},
        {"client code of the own registry with a colon",
         [](auto& t, auto& d) {
             d = t.nonCollegato();
             d.Fascola.CodiceCliente = "CLI:01";
         },
         ArrestoEmissione::CodiceClienteNonAmmesso,
         {"Il codice cliente CLI:01 contiene il carattere :, che non può stare nel nome del file del documento" + fine}},
        // A typed number of a posted document takes its place on the register, or is refused.
        {"typed number the register already holds",
         [](auto& t, auto& d) {
             t.db().execute("INSERT INTO giornale (giorno, numero, registroiva, tipodocumentoiva, protocolloiva) "
                            "VALUES ('2004-01-10', 1, 'V', 'E', '10')");
             d.Parametri.NumerazioneAutomatica = false;
             d.Parametri.NumeroDocumento = "10";
         },
         ArrestoEmissione::NumeroGiaUsato,
         {"Il numero 10 è già stato dato a un altro documento del registro IVA V" + fine}},
        {"typed number beyond the register's next",
         [](auto&, auto& d) {
             d.Parametri.NumerazioneAutomatica = false;
             d.Parametri.NumeroDocumento = "15";
         },
         ArrestoEmissione::NumeroOltreIlSuccessivo,
         {"Il numero 15 lascerebbe dei numeri non usati nel registro IVA V (l'ultimo dato è 12, il prossimo è 13)" +
          fine}},
        {"typed number holding no number",
         [](auto&, auto& d) {
             d.Parametri.NumerazioneAutomatica = false;
             d.Parametri.NumeroDocumento = "bis";
         },
         ArrestoEmissione::NumeroNonProgressivo,
         {"Il numero del documento bis non è un numero progressivo del registro IVA V" + fine}},
        {"typed number on a register the archive lacks",
         [](auto&, auto& d) {
             d.Parametri.NumerazioneAutomatica = false;
             d.Parametri.NumeroDocumento = "13";
             d.Parametri.RegistroIva = "Q";
         },
         ArrestoEmissione::RegistroInesistente, {"Il registro IVA Q non è nell'archivio contabile" + fine}},
        // Every posted line needs a revenue account of the chart and a VAT code of the archive.
        {"a line with no revenue account",
         [](auto&, auto& d) { d.RigheFattura.riga(2).ricavi = ""; },
         ArrestoEmissione::RigaNonContabilizzabile,
         {"Non si può registrare in contabilità la riga E.SPE «Descrizione SPE 0001» (manca il conto ricavi)" + fine}},
        {"a line on an account the chart lacks",
         [](auto&, auto& d) { d.RigheFattura.riga(3).ricavi = "04.09.09.0009"; },
         ArrestoEmissione::RigaNonContabilizzabile,
         {"Non si può registrare in contabilità la riga E.ONO «Descrizione ONO 0002» (il conto ricavi 04.09.09.0009 "
          "non è un sottoconto del piano dei conti)" +
          fine}},
        {"a line on a heading of the chart",
         [](auto&, auto& d) { d.RigheFattura.riga(4).ricavi = "04.01.00.0000"; },
         ArrestoEmissione::RigaNonContabilizzabile,
         {"Non si può registrare in contabilità la riga E.ANT «Descrizione ANT 0002» (il conto ricavi 04.01.00.0000 "
          "non è un sottoconto del piano dei conti)" +
          fine}},
        {"a line entered before the link: VAT code 22 and no accounts",
         [](auto& t, auto& d) {
             RigaFattura& r = d.RigheFattura.riga(1);
             r.CodiceIva = "22";
             r.ricavi = r.darepn = r.averepn = "";
             t.Didascalie(d);
         },
         ArrestoEmissione::RigaNonContabilizzabile,
         {"Non si può registrare in contabilità la riga E.ONO «Descrizione ONO 0001» (manca il conto ricavi; il codice "
          "IVA 22 non è nell'archivio contabile)" +
          fine}},
        // The lines are checked against the archive they are posted into, whatever archive the tab
        // composed them on.
        {"lines composed on another year's archive, whose VAT code 22 this one lacks",
         [](auto& t, auto& d) {
             for (RigaFattura& r : d.RigheFattura)
                 if (r.CodiceIva == "20") r.CodiceIva = "22";
             Sessione altroAnno(t.pathFascole(), t.contab->creaArchivio(AccountingFixture::AcronimoCampione, "2026"));
             LettoreAliquoteIva aliquote(altroAnno.db(), true);
             d.Riepilogo = *CalcoloRiepilogoIva(d.RigheFattura, aliquote);
         },
         ArrestoEmissione::RigaNonContabilizzabile,
         {"Non si può registrare in contabilità la riga E.ONO «Descrizione ONO 0001» (il codice IVA 22 non è "
          "nell'archivio contabile)" +
          fine}},
        {"a VAT code the archive lacked when the lines were composed",
         [](auto& t, auto& d) {
             d.RigheFattura.riga(1).CodiceIva = "22";
             t.Didascalie(d);
             t.db().execute("INSERT INTO ivacodici (codice, descrizione, aliquota) VALUES ('22', 'Aliquota 22%', 2200)");
         },
         ArrestoEmissione::RigaNonContabilizzabile,
         {"Non si può registrare in contabilità la riga E.ONO «Descrizione ONO 0001» (il codice IVA 22 nell'archivio "
          "contabile è al 22,00%, il documento è stato composto con un'altra aliquota: rifare la selezione)" +
          fine}},
        {"a VAT code whose rate changed since the lines were composed",
         [](auto& t, auto&) { t.db().execute("UPDATE ivacodici SET aliquota = 1200 WHERE codice = '10'"); },
         ArrestoEmissione::RigaNonContabilizzabile,
         {"Non si può registrare in contabilità la riga E.SPE «Descrizione SPE 0001» (il codice IVA 10 nell'archivio "
          "contabile è al 12,00%, il documento è stato composto con un'altra aliquota: rifare la selezione)" +
          fine}},
        {"a line of no amount and no VAT code",
         [](auto& t, auto& d) {
             d.RigheFattura.riga(5).CodiceIva = " ";
             d.RigheFattura.riga(5).ricavi = "";  // no row of its own: its account is not needed
             t.Didascalie(d);
         },
         ArrestoEmissione::RigaNonContabilizzabile,
         {"Non si può registrare in contabilità la riga E.ZER «Descrizione ZER 0002» (manca il codice IVA)" + fine}},
        // The registration refused by the posting itself: the number reserved for the date turns
        // out to be on a journal header already, and the date has none left to replace it.
        {"registration not completed",
         [](auto& t, auto&) {
             t.db().execute("INSERT INTO giornalenumero (giorno, numero, confermato) VALUES ('2004-01-15', 32766, 1)");
             t.db().execute("INSERT INTO giornale (giorno, numero) VALUES ('2004-01-15', 32767)");
         },
         ArrestoEmissione::RegistrazioneNonEseguita,
         {"ATTENZIONE: Non è più possibile assegnare nuovi numeri in questa data\nCambiare la data, o richiedere un "
          "intervento per poter recuperare i numeri non usati",
          "La registrazione contabile non è stata eseguita" + fine}},
        {"unknown register", [](auto&, auto& d) { d.Parametri.RegistroIva = "Q"; }, ArrestoEmissione::NumeroNonAssegnato,
         {"Errore chiamata a <NumeroFattura>. Specificato un registro iva inesistente (Q)",
          "Il registro IVA Q non ha dato un numero al documento" + fine}},
        {"no registration number left",
         [](auto& t, auto&) {
             t.db().execute("INSERT INTO giornalenumero (giorno, numero, confermato) VALUES ('2004-01-15', 32767, 1)");
         },
         ArrestoEmissione::NumeroRegistrazioneMancante,
         {"ATTENZIONE: Non è più possibile assegnare nuovi numeri in questa data\nCambiare la data, o richiedere un "
          "intervento per poter recuperare i numeri non usati",
          "Non è stato possibile assegnare il numero di registrazione contabile" + fine}},
        {"no sales VAT account",
         [](auto& t, auto&) { t.db().execute("UPDATE parametri SET ContoIvaVendite = '00.00.00.0000'"); },
         ArrestoEmissione::ContoIvaVenditeMancante, {"Nei parametri della contabilità manca il conto IVA vendite" + fine}},
        // The same client, case file, date and number, posted on another register.
        {"identifier billing other items",
         [](auto& t, auto&) {
             t.db().execute("UPDATE competenze SET fatturato = 1, idfattura = '000704011500013' WHERE ntask = '0003'");
             t.db().execute("INSERT INTO giornale (giorno, numero, datadocumento, registroiva, tipodocumentoiva, "
                            "protocolloiva, clientefornitoreiva) VALUES ('2004-01-15', 1, '2004-01-15', 'W', 'F', "
                            "'13', '01.01.01.0001')");
         },
         ArrestoEmissione::IdFatturaInUso,
         {"Il cliente ha già un documento della stessa fascola, data e numero (DOCUMENTO N. 13 del 15/01/04, cliente "
          "01.01.01.0001 Rossi Mario S.r.l., fascola 0007)" +
          fine}},
        {"an item billed meanwhile",
         [](auto& t, auto&) {
             t.db().execute("UPDATE competenze SET fatturato = 1, idfattura = '000704010900002' WHERE elemento = 'SPE'");
         },
         ArrestoEmissione::CompetenzeGiaFatturate,
         {"Competenze già fatturate con un altro documento: 1; rifare la selezione" + fine}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        c.prepara(*this, documento);
        const QStringList prima = Stato();
        ScriptedMessages messaggi;
        for (const QString& m : c.messaggi) messaggi.expectMessage(Answer::Ok, m);
        const EsitoEmissione e = EmissioneDocumento(db(), documento);
        EXPECT_EQ(e.Arresto, c.arresto);
        EXPECT_FALSE(e.Emesso());
        EXPECT_EQ(e.NumeroRegistrazione, "");
        EXPECT_EQ(e.PathArchivioStampa, "");
        EXPECT_EQ(messaggi.pending(), 0);
        ASSERT_FALSE(messaggi.asked().empty());
        EXPECT_EQ(messaggi.asked().back().title, TitoloEmissione);
        EXPECT_EQ(Stato(), prima);
    }
}

// Linked, every document takes or checks its number on the register of the archive's accounting
// year (posted or, with a withholding, not) and a posted one goes to that year's journal: a date
// outside the year, counted from the archive's starting month for twelve months, is refused before
// anything is written. A document not linked is not bound to any year.
TEST_F(EmissioneDocumentoTest, ALinkedDocumentIsDatedInsideItsArchivesAccountingYear) {
    struct Caso {
        const char* data;
        int meseInizio;  // of the archive's year 2004
        const char* periodo;  // of that year, as the refusal names it; nullptr: the document is issued
        bool ritenuta = false;
        bool collegato = true;
    };
    const char* daGennaio = "dal 01/01/2004 al 31/12/2004";
    const char* daLuglio = "dal 01/07/2004 al 30/06/2005";
    const Caso casi[] = {
        {"31/12/2003", 1, daGennaio}, {"01/01/2004", 1, nullptr}, {"31/12/2004", 1, nullptr},
        {"05/01/2005", 1, daGennaio}, {"30/06/2004", 7, daLuglio}, {"01/07/2004", 7, nullptr},
        {"30/06/2005", 7, nullptr},   {"01/07/2005", 7, daLuglio}, {"05/01/2005", 1, daGennaio, true},
        {"05/01/2005", 1, nullptr, false, false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::string(c.data) + " in a year from month " + std::to_string(c.meseInizio) +
                     (c.ritenuta ? ", with a withholding" : "") + (c.collegato ? "" : ", not linked"));
        Ricrea();
        db().execute("UPDATE parametri SET meseinizioesercizio = ?", {c.meseInizio});
        DocumentoDaEmettere d = c.collegato ? documento : nonCollegato();
        if (c.ritenuta) ConRitenuta(d, "1", "20");
        if (c.ritenuta || !c.collegato) d.Parametri.NumeroDocumento = "13";
        d.Parametri.DataFattura = c.data;
        const QStringList prima = Stato();
        ScriptedMessages messaggi;
        if (c.periodo)
            messaggi.expectMessage(Answer::Ok,
                                   "La data del documento (" + QString(c.data) +
                                       ") è fuori dall'esercizio contabile 2004 dell'archivio collegato, " + c.periodo +
                                       "; scegliere nei PARAMETRI FATTURAZIONE l'esercizio del documento, o "
                                       "correggere la data: il documento non è stato emesso",
                                   TitoloEmissione);
        const EsitoEmissione e = EmissioneDocumento(db(), d);
        EXPECT_EQ(messaggi.pending(), 0);
        if (c.periodo) {
            EXPECT_EQ(e.Arresto, ArrestoEmissione::DataFuoriEsercizio);
            EXPECT_EQ(Stato(), prima);
        } else {
            EXPECT_TRUE(e.Emesso()) << int(e.Arresto);
            EXPECT_TRUE(messaggi.asked().empty());
        }
    }
}

// A statement of any write step fails; whether the user answers Abort or Ignore, the issue is
// given up whole.
TEST_F(EmissioneDocumentoTest, AFailureAtAnyWriteStepLeavesBothArchivesAsTheyWere) {
    struct Guasto {
        const char* nome;
        bool contabile;  // a trigger of the accounting archive, else of the case-file archive
        const char* trigger;
    };
    const Guasto guasti[] = {
        {"register counter", true, "BEFORE UPDATE ON ivaregistri"},
        {"registration number", true, "BEFORE INSERT ON giornalenumero"},
        {"journal header", true, "BEFORE INSERT ON giornale"},
        {"third journal line", true, "BEFORE INSERT ON giornaledettaglio WHEN NEW.codice = '04.01.01.0002'"},
        {"second VAT line", true, "BEFORE INSERT ON ivadettaglio WHEN NEW.ordinaleiva = 2"},
        {"number confirmed", true, "BEFORE UPDATE ON giornalenumero"},
        {"the document's record", false, "BEFORE INSERT ON DocumentiEmessi"},
        {"fourth invoiced mark", false, "BEFORE UPDATE ON competenze WHEN NEW.elemento = 'ANT'"},
    };
    for (const Answer risposta : {Answer::Abort, Answer::Ignore}) {
        for (const Guasto& g : guasti) {
            SCOPED_TRACE(std::string(g.nome) + (risposta == Answer::Abort ? " / Abort" : " / Ignore"));
            Ricrea();
            {
                auto archivio =
                    g.contabile ? AltraPostazioneContabile() : db::Database::open(pathFascole().toStdString());
                archivio->execute(std::string("CREATE TRIGGER guasto ") + g.trigger +
                                  " BEGIN SELECT RAISE(ABORT, 'guasto'); END");
            }
            const QStringList prima = Stato();
            ScriptedMessages messaggi;
            AttesiErroreENonEmesso(messaggi, risposta);
            const EsitoEmissione e = EmissioneDocumento(db(), documento);
            EXPECT_EQ(e.Arresto, ArrestoEmissione::Errore);
            EXPECT_EQ(messaggi.pending(), 0);
            ASSERT_FALSE(messaggi.asked().empty());
            EXPECT_TRUE(messaggi.asked().front().text.contains("guasto")) << messaggi.asked().front().text.toStdString();
            EXPECT_EQ(Stato(), prima);
        }
    }
}

TEST_F(EmissioneDocumentoTest, APrintDatabaseThatCannotBeWrittenGivesBackTheNumberAndThePosting) {
    // Something of the print database's name that cannot be removed stands in the start folder.
    const QString nome = sys::TemporaryName(QDir(avvio).filePath("SDB0101010001F00001000704011500013.mdb"));
    QDir().mkdir(nome);
    QFile(nome + "/dentro").open(QIODevice::WriteOnly);
    const QStringList prima = Stato();
    AttesiErroreENonEmesso(box, Answer::Abort);
    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    EXPECT_EQ(e.Arresto, ArrestoEmissione::Errore);
    EXPECT_TRUE(box.asked().front().text.contains("contabilizzazione della fattura")) << box.asked().front().text.toStdString();
    EXPECT_EQ(Stato(), prima);
}

// Another workstation holds the accounting archive until the silent wait of 15 seconds gives
// up (a clock that jumps 20 seconds at each look).
TEST_F(EmissioneDocumentoTest, AnotherWorkstationHoldingTheArchiveUntilTheWaitGivesUp) {
    int64_t adesso = 0;
    ImpostaOrologioAttese([&] { return adesso += 20000; });
    auto altra = AltraPostazioneContabile();
    altra->execute("BEGIN IMMEDIATE");
    const QStringList prima = Stato();
    AttesiErroreENonEmesso(box, Answer::Abort);
    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    EXPECT_EQ(e.Arresto, ArrestoEmissione::Errore);
    ASSERT_FALSE(box.asked().empty());
    EXPECT_TRUE(box.asked().front().text.contains("3218"));
    EXPECT_TRUE(box.asked().front().text.contains("(è stato eseguito un ciclo di attesa di 15 secondi)"));
    altra->execute("ROLLBACK");
    EXPECT_EQ(Stato(), prima);
}

// A workstation reading the case-file archive keeps the issue from committing: everything is
// written, the commit waits, and Abort gives all of it back, the print database too.
TEST_F(EmissioneDocumentoTest, AReaderHoldingTheCommitUntilTheWaitGivesUp) {
    int64_t adesso = 0;
    ImpostaOrologioAttese([&] { return adesso += 20000; });
    const QStringList prima = Stato();
    auto lettore = db::Database::open(pathFascole().toStdString());
    lettore->execute("BEGIN");
    lettore->scalar("SELECT count(*) FROM competenze");
    AttesiErroreENonEmesso(box, Answer::Abort);
    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    EXPECT_EQ(e.Arresto, ArrestoEmissione::Errore);
    ASSERT_FALSE(box.asked().empty());
    EXPECT_TRUE(box.asked().front().text.contains("3218"));
    // Everything had been written: the commit is what waited.
    EXPECT_TRUE(box.asked().front().text.contains("Funzione: contabilizzazione della fattura"));
    lettore->execute("ROLLBACK");
    EXPECT_EQ(Stato(), prima);
}

// Two workstations press STAMPA at the same moment: the second waits for the first to commit
// and takes the next numbers.
TEST_F(EmissioneDocumentoTest, TwoWorkstationsIssuingAtOnceGetDifferentNumbers) {
    auto altraPostazione = std::make_unique<Sessione>(pathFascole(), pathContabile);
    DocumentoDaEmettere altro = documento;
    altro.RigheFattura.svuota();
    altro.RigheFattura.aggiungi(Riga("0003", "0000", "ONO", "X", "77", "20", "04.01.01.0001"));
    altro.RigheVisualizzate.svuota();
    altro.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, 1});
    Didascalie(altro);

    // The other workstation is writing when this one starts; while this one waits, it issues
    // its own document and lets go.
    auto occupata = AltraPostazioneContabile();
    occupata->execute("BEGIN IMMEDIATE");
    std::optional<EsitoEmissione> esitoAltro;
    int64_t adesso = 0;
    ImpostaOrologioAttese([&] {
        if (!esitoAltro) {
            occupata->execute("ROLLBACK");
            esitoAltro = EmissioneDocumento(altraPostazione->db(), altro);
        }
        return adesso += 1000;
    });

    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    ASSERT_TRUE(esitoAltro.has_value());
    ASSERT_TRUE(esitoAltro->Emesso());
    ASSERT_TRUE(e.Emesso());
    EXPECT_TRUE(box.asked().empty());
    EXPECT_EQ(esitoAltro->NumeroDocumento, "13");
    EXPECT_EQ(e.NumeroDocumento, "14");
    EXPECT_EQ(esitoAltro->NumeroRegistrazione, "00001");
    EXPECT_EQ(e.NumeroRegistrazione, "00002");
    EXPECT_EQ(Righe(db(), "SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").front(), QStringList{"14"});
    const std::vector<QStringList> numeri = {{"1", "1", "EMESSA FATTURA N. 13 A Rossi Mario"},
                                             {"2", "1", "EMESSA FATTURA N. 14 A Rossi Mario"}};
    EXPECT_EQ(Righe(db(), "SELECT g.numero, n.confermato, g.descrizione FROM giornale g "
                          "JOIN giornalenumero n ON n.giorno = g.giorno AND n.numero = g.numero ORDER BY g.numero"),
              numeri);
    EXPECT_EQ(Righe(db(), "SELECT count(DISTINCT idfattura) FROM competenze WHERE fatturato = 1").front(),
              QStringList{"2"});
}

}  // namespace

namespace {

class NumeroDigitatoTest : public EmissioneDocumentoTest {
public:
    // The fee item of task 0003 of the same client, case file and date, alone on a document.
    DocumentoDaEmettere altroDocumento() {
        DocumentoDaEmettere d = documento;
        ConRighe(d, {Riga("0003", "0000", "ONO", "X", "77", "20", "04.01.01.0001")});
        return d;
    }
    DocumentoDaEmettere digitato(DocumentoDaEmettere d, const QString& numero) {
        d.Parametri.NumerazioneAutomatica = false;
        d.Parametri.NumeroDocumento = numero;
        return d;
    }
};

// Typing the register's next number moves its counter: the next automatic number follows it,
// also for the same client, case file and date, whose identifier would otherwise repeat.
TEST_F(NumeroDigitatoTest, TheRegistersNextNumberTypedMovesTheCounterAndAutomaticNumberingGoesOn) {
    const EsitoEmissione e = EmissioneDocumento(db(), digitato(documento, "13"));
    ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
    EXPECT_EQ(e.NumeroDocumento, "13");
    EXPECT_EQ(contatore(), "13");

    const EsitoEmissione automatico = EmissioneDocumento(db(), altroDocumento());
    ASSERT_TRUE(automatico.Emesso()) << int(automatico.Arresto);
    EXPECT_EQ(automatico.NumeroDocumento, "14");
    EXPECT_EQ(automatico.IdFattura, "000704011500014");
    EXPECT_EQ(contatore(), "14");
    EXPECT_EQ(numeriDelRegistro(), (QStringList{"13", "14"}));
    EXPECT_EQ(stampa(e.PathArchivioStampa, "SELECT Numero, RifContabile FROM Dati").front(),
              (QStringList{"13", "15/01/2004 - 00001"}));
    EXPECT_EQ(stampa(automatico.PathArchivioStampa, "SELECT Numero, RifContabile FROM Dati").front(),
              (QStringList{"14", "15/01/2004 - 00002"}));
    EXPECT_TRUE(box.asked().empty());
}

// One workstation types 13 while another numbers automatically: the other is writing when
// this one starts and takes 13 while this one waits; this one is then refused, and the number
// it types next is not handed out again by the register.
TEST_F(NumeroDigitatoTest, TwoWorkstationsTypingAndNumberingAtOnceNeverShareANumber) {
    auto altraPostazione = std::make_unique<Sessione>(pathFascole(), pathContabile);
    auto occupata = AltraPostazioneContabile();
    occupata->execute("BEGIN IMMEDIATE");
    std::optional<EsitoEmissione> esitoAltro;
    int64_t adesso = 0;
    ImpostaOrologioAttese([&] {
        if (!esitoAltro) {
            occupata->execute("ROLLBACK");
            esitoAltro = EmissioneDocumento(altraPostazione->db(), altroDocumento());
        }
        return adesso += 1000;
    });

    box.expectMessage(Answer::Ok,
                      "Il numero 13 è già stato dato a un altro documento del registro IVA V: il documento non è stato "
                      "emesso",
                      TitoloEmissione);
    const EsitoEmissione rifiutato = EmissioneDocumento(db(), digitato(documento, "13"));
    ImpostaOrologioAttese(nullptr);
    ASSERT_TRUE(esitoAltro.has_value());
    ASSERT_TRUE(esitoAltro->Emesso());
    EXPECT_EQ(esitoAltro->NumeroDocumento, "13");
    EXPECT_EQ(rifiutato.Arresto, ArrestoEmissione::NumeroGiaUsato);
    EXPECT_EQ(box.pending(), 0);
    // Nothing of the refused document: one journal entry, one register number, the other's
    // fee item alone invoiced.
    EXPECT_EQ(numeriDelRegistro(), QStringList{"13"});
    EXPECT_EQ(contatore(), "13");
    EXPECT_EQ(Righe(db(), "SELECT ntask FROM competenze WHERE fatturato = 1"), std::vector<QStringList>{{"0003"}});

    // This one types the next number; the other workstation numbers after it.
    const EsitoEmissione e = EmissioneDocumento(db(), digitato(documento, "14"));
    ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
    db().execute("UPDATE competenze SET fatturato = 0, idfattura = NULL WHERE ntask = '0003'");
    const EsitoEmissione dopo = EmissioneDocumento(altraPostazione->db(), altroDocumento());
    ASSERT_TRUE(dopo.Emesso()) << int(dopo.Arresto);
    EXPECT_EQ(dopo.NumeroDocumento, "15");
    EXPECT_EQ(numeriDelRegistro(), (QStringList{"13", "14", "15"}));
    EXPECT_EQ(contatore(), "15");
}

// The stamp duty is credited to the revenue account of the line that bears it: the VAT row
// carries the VAT of the register, and the entry balances.
TEST_F(EmissioneDocumentoTest, TheStampDutyGoesToRevenueAndTheVatRowAgreesWithTheRegister) {
    ConBollo(documento, "20");
    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
    ASSERT_EQ(e.Importi->Bollo.Importo, euro("2"));
    // The exempt group E15 bore the stamp; its first line is the advance on 04.01.02.0001.
    const std::vector<QStringList> dettaglio = {
        {"01.01.01.0001", "253", "D"}, {"04.01.01.0001", "130", "A"}, {"04.01.01.0002", "50", "A"},
        {"04.01.02.0001", "42", "A"},  {"02.02.01.0001", "31", "A"},
    };
    EXPECT_EQ(Righe(db(), "SELECT codice, importo, segno FROM giornaledettaglio ORDER BY rowid"), dettaglio);
    EXPECT_EQ(Righe(db(), "SELECT sum(imposta) FROM ivadettaglio").front(), QStringList{"31"});
    // The register holds the stamp with the group that bore it: its rows add up to the document.
    EXPECT_EQ(Righe(db(), "SELECT imponibile FROM ivadettaglio WHERE codiceiva = 'E15'").front(), QStringList{"42"});
    EXPECT_EQ(Righe(db(), "SELECT totaleiva FROM giornale").front(), QStringList{"253"});
    EXPECT_EQ(Righe(db(), "SELECT sum(CASE segno WHEN 'D' THEN importo ELSE -importo END) FROM giornaledettaglio")
                  .front(),
              QStringList{"0"});
    // Printed as before: the stamp and the total with it.
    EXPECT_EQ(stampa(e.PathArchivioStampa, "SELECT Bollo, Totale FROM Dati").front(), (QStringList{"2,00", "253,00"}));
}

// The sample archive of a year of today's rates: lines at 22 % and an exempt advance post
// their VAT at those rates, the sales VAT row equal to the register's VAT, the exempt group
// printed by its exemption text.
TEST_F(EmissioneDocumentoTest, TodaysSampleArchivePostsTheLinesAtTwentyTwo) {
    AlleAliquoteDiOggi();
    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
    const std::vector<QStringList> iva = {{"22", "130", "28.6"}, {"10", "50", "5"}, {"E10", "40", "0"}};
    EXPECT_EQ(Righe(db(), "SELECT codiceiva, imponibile, imposta FROM ivadettaglio ORDER BY ordinaleiva"), iva);
    const std::vector<QStringList> dettaglio = {
        {"01.01.01.0001", "253.6", "D"}, {"04.01.01.0001", "130", "A"}, {"04.01.01.0002", "50", "A"},
        {"04.01.02.0001", "40", "A"},    {"02.02.01.0001", "33.6", "A"},
    };
    EXPECT_EQ(Righe(db(), "SELECT codice, importo, segno FROM giornaledettaglio ORDER BY rowid"), dettaglio);
    EXPECT_EQ(stampa(e.PathArchivioStampa, "SELECT Ivacodice3, Ivadescrizione3, TotImponibile, TotFuoriIva, Totale FROM Dati")
                  .front(),
              (QStringList{"E10", "Esente art. 10 DPR 633/72", "180,00", "40,00", "253,60"}));
}

}  // namespace
