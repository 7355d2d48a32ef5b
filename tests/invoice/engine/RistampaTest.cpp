#include "invoice/engine/Ristampa.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/DocumentiEmessi.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/db/Database.h"
#include "platform/system/Paths.h"
#include "support/TempDir.h"

namespace {

void scrivi(const QString& path, const QByteArray& contenuto) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(contenuto);
}

QStringList nomi(const std::vector<DocumentoArchiviato>& elenco) {
    QStringList n;
    for (const DocumentoArchiviato& d : elenco) n << d.NomeFile;
    return n;
}

// The columns of the list, read from a stored copy's name.
TEST(Ristampa, TheListShowsTheFieldsOfTheName) {
    struct Caso {
        const char* nome;
        const char* parte;
        const char* fascola;
        const char* data;
        const char* tipo;
        const char* numero;
        const char* registrazione;
    };
    const Caso casi[] = {
        {"SDB0102030045F00012000704011500003.mdb", "0102030045", "0007", "15/01/04", "Fattura", "3", "12"},
        {"SDB0102030045E00000001204123100042.mdb", "0102030045", "0012", "31/12/04", "N.Debit", "42", "00000"},
        {"SDB0102030045H01234999904022912345.mdb", "0102030045", "9999", "29/02/04", "N.Cred.", "12345", "1234"},
        {"SDB0102030045F000000007NoData00000.mdb", "0102030045", "0007", "ta/Da/No", "Fattura", "00000", "00000"},
        {"SDBCLI01F000000007040115012 A.mdb", "CLI01", "0007", "15/01/04", "Fattura", "12 A", "00000"},
        {"sdbcli01F00000000704011500003.MDB", "CLI01", "0007", "15/01/04", "Fattura", "3", "00000"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        const auto d = LetturaNomeDocumento(c.nome, c.parte);
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->NomeFile, c.nome);
        EXPECT_EQ(d->Fascola(), c.fascola);
        EXPECT_EQ(d->Data(), c.data);
        EXPECT_EQ(d->TipoDoc(), c.tipo);
        EXPECT_EQ(d->Numero(), c.numero);
        EXPECT_EQ(d->RegCont(), c.registrazione);
        EXPECT_EQ(d->IdFattura.size(), 15);
    }
    // Names that are not a stored copy of the client.
    for (const char* nome : {"SDB0102030045X00012000704011500003.mdb", "SDB0102030046F00012000704011500003.mdb",
                             "SDB0102030045F0001200070401150003.mdb", "SDB0102030045F00012000704011500003.mdb.bak",
                             "SDBCLI010F00000000704011500003.mdb", "SDBEleFat.mdb"})
        EXPECT_FALSE(LetturaNomeDocumento(nome, nome[3] == 'C' ? "CLI01" : "0102030045").has_value()) << nome;

    // The client code is rebuilt from the name: with its dots when linked, whole otherwise.
    EXPECT_EQ(CodiceClienteDocumento(*LetturaNomeDocumento(casi[0].nome, "0102030045"), true), "01.02.03.0045");
    EXPECT_EQ(CodiceClienteDocumento(*LetturaNomeDocumento(casi[4].nome, "CLI01"), false), "CLI01");
    EXPECT_EQ(ParteClienteDocumenti("01.02.03.0045", true), "0102030045");
    EXPECT_EQ(ParteClienteDocumenti(" CLI01 ", false), "CLI01");
}

// The client's stored copies, in ascending order of their names, with or without the final
// separator of the invoice folder; other clients' copies and other files are not listed.
TEST(Ristampa, TheClientsCopiesAreListedInNameOrder) {
    TempDir dir;
    const QString fatture = dir.file("fatture");
    QDir().mkpath(fatture);
    const QStringList suoi = {"SDB0101010001H00003000704011500003.mdb", "SDB0101010001F00001000704011500001.mdb",
                              "SDB0101010001E00002000704011500002.mdb", "SDB0101010001F00004000804011600004.mdb"};
    for (const QString& n : suoi) scrivi(QDir(fatture).filePath(n), "x");
    for (const char* altro : {"SDB0101010002F00001000704011500001.mdb", "SDB0101010001F00001000704011500001.tmp",
                              "SDB0101010001.mdb", "SDBEleFat.mdb", "stp_fattura.rpt"})
        scrivi(QDir(fatture).filePath(altro), "x");
    QDir().mkpath(QDir(fatture).filePath("SDB0101010001F00009000704011500009.mdb"));  // a folder

    const QStringList attesi = {"SDB0101010001E00002000704011500002.mdb", "SDB0101010001F00001000704011500001.mdb",
                                "SDB0101010001F00004000804011600004.mdb", "SDB0101010001H00003000704011500003.mdb"};
    for (const QString& cartella : {fatture, fatture + "/", fatture + "\\"})
        EXPECT_EQ(nomi(ElencoDocumentiArchiviati(cartella, "01.01.01.0001", true)), attesi) << cartella.toStdString();
    EXPECT_TRUE(ElencoDocumentiArchiviati(fatture, "01.01.01.0003", true).empty());
    EXPECT_TRUE(ElencoDocumentiArchiviati("NO", "01.01.01.0001", true).empty());
    EXPECT_TRUE(ElencoDocumentiArchiviati(dir.file("manca"), "01.01.01.0001", true).empty());

    // Not linked: the registry's code whole; CLI01's copies are not CLI010's.
    scrivi(QDir(fatture).filePath("SDBCLI01F00000000704011500001.mdb"), "x");
    scrivi(QDir(fatture).filePath("SDBCLI010F00000000704011500001.mdb"), "x");
    EXPECT_EQ(nomi(ElencoDocumentiArchiviati(fatture, "CLI01", false)),
              QStringList{"SDBCLI01F00000000704011500001.mdb"});
    EXPECT_EQ(nomi(ElencoDocumentiArchiviati(fatture, "CLI010", false)),
              QStringList{"SDBCLI010F00000000704011500001.mdb"});
}

// A copy is printed only when it is a print database the layouts can read; anything else is
// told apart before the report runs.
TEST(Ristampa, ACopyThatCannotBeReadIsToldApart) {
    TempDir dir;
    const QString buona = dir.file("buona.mdb");
    ContenutoStampaFattura contenuto;
    contenuto.Righecorpo.push_back({"EONO", "Onorario", "1", "100,00", "20", "R30"});
    ScriviArchivioStampaFattura(buona, contenuto);
    EXPECT_EQ(VerificaCopiaArchiviata(buona), StatoCopiaArchiviata::Leggibile);
    EXPECT_EQ(VerificaCopiaArchiviata(dir.file("manca.mdb")), StatoCopiaArchiviata::Mancante);

    scrivi(dir.file("testo.mdb"), "Testo che non è un archivio");
    EXPECT_EQ(VerificaCopiaArchiviata(dir.file("testo.mdb")), StatoCopiaArchiviata::Illeggibile);

    {
        auto altro = db::Database::create(dir.file("altro.mdb").toStdString());
        altro->execute("CREATE TABLE Dati (Numero text)");
        altro->execute("CREATE TABLE Righecorpo (Tipo text)");
    }
    EXPECT_EQ(VerificaCopiaArchiviata(dir.file("altro.mdb")), StatoCopiaArchiviata::Illeggibile);

    // Half a copy: the file cut short.
    QFile intera(buona);
    ASSERT_TRUE(intera.open(QIODevice::ReadOnly));
    const QByteArray byte = intera.readAll();
    scrivi(dir.file("tagliata.mdb"), byte.left(byte.size() / 2));
    EXPECT_EQ(VerificaCopiaArchiviata(dir.file("tagliata.mdb")), StatoCopiaArchiviata::Illeggibile);
}

// A copy stored before the columns for the printed totals were written is still a readable
// document: before it is printed it gets them, empty, and keeps every value it had.
TEST(Ristampa, ACopyWithoutThePrintedTotalsGetsThemEmpty) {
    TempDir dir;
    const QString path = dir.file("vecchia.mdb");
    ContenutoStampaFattura contenuto;
    contenuto.Righecorpo.push_back({"EONO", "Onorario", "1", "100,00", "20", "R30"});
    for (size_t i = 0; i < contenuto.Dati.size(); ++i) contenuto.Dati[i] = QString("v%1").arg(i);
    ScriviArchivioStampaFattura(path, contenuto);
    {
        auto copia = db::Database::open(path.toStdString());
        for (size_t i = ColonneDatiDiBase; i < ColonneDati.size(); ++i)
            copia->execute(std::string("ALTER TABLE Dati DROP COLUMN ") + ColonneDati[i]);
    }
    EXPECT_EQ(VerificaCopiaArchiviata(path), StatoCopiaArchiviata::Leggibile);
    EXPECT_EQ(CompletaCopiaArchiviata(path), int(ColonneDati.size() - ColonneDatiDiBase));
    EXPECT_EQ(CompletaCopiaArchiviata(path), 0);

    auto copia = db::Database::open(path.toStdString());
    db::Statement riga(*copia, "SELECT * FROM Dati");
    ASSERT_TRUE(riga.step());
    for (size_t i = 0; i < ColonneDati.size(); ++i)
        EXPECT_EQ(riga.column(int(i)).textOr(QString("NULL")), i < ColonneDatiDiBase ? contenuto.Dati[i] : QString())
            << ColonneDati[i];
    EXPECT_EQ(copia->scalar("SELECT Descrizione FROM Righecorpo").toText<QString>(), "Onorario");
}

// The cancel: the document forgotten and its fee items, and only them, billable again; then
// the copy goes.
TEST(Ristampa, CancellingMakesTheDocumentsItemsBillableAgain) {
    TempDir dir;
    fixtures::CaseFileArchive fascole(dir.file("fascole.mdb"));
    const QString id = "000704011500013";
    fascole.addFeeItem("01.01.01.0001", "0007", "0001", "0000", "ONO", {{"fatturato", true}, {"idfattura", id}});
    fascole.addFeeItem("01.01.01.0001", "0007", "0001", "0000", "SPE", {{"fatturato", true}, {"idfattura", id}});
    fascole.addFeeItem("01.01.01.0001", "0007", "0002", "0000", "ONO",
                       {{"fatturato", true}, {"idfattura", "000704011500014"}});
    fascole.addFeeItem("01.01.01.0002", "0007", "0001", "0000", "ONO", {{"fatturato", true}, {"idfattura", id}});
    fascole.addFeeItem("01.01.01.0001", "0008", "0001", "0000", "ONO", {{"fatturato", false}, {"idfattura", ""}});

    for (const char* cliente : {"01.01.01.0001", "01.01.01.0002"})
        ASSERT_TRUE(AnnotazioneDocumentoEmesso(fascole.db(), cliente, id, "F", "00001"));

    EXPECT_EQ(AnnullamentoNellArchivio(fascole.db(), "01.01.01.0001", id), 2);
    EXPECT_FALSE(DocumentoConIdFattura(fascole.db(), "01.01.01.0001", id));
    EXPECT_TRUE(DocumentoConIdFattura(fascole.db(), "01.01.01.0002", id));
    const auto stato = [&] {
        QStringList s;
        db::Statement st(fascole.db(), "SELECT cliente, npra, ntask, elemento, fatturato, idfattura FROM competenze "
                                       "ORDER BY rowid");
        while (st.step()) {
            QStringList r;
            for (int i = 0; i < 6; ++i) r << QString::fromStdString(st.column(i).textOr("<Null>"));
            s << r.join("|");
        }
        return s;
    };
    const QStringList atteso = {"01.01.01.0001|0007|0001|ONO|0|", "01.01.01.0001|0007|0001|SPE|0|",
                                "01.01.01.0001|0007|0002|ONO|1|000704011500014",
                                "01.01.01.0002|0007|0001|ONO|1|000704011500013", "01.01.01.0001|0008|0001|ONO|0|"};
    EXPECT_EQ(stato(), atteso);
    // Done again, nothing changes.
    EXPECT_EQ(AnnullamentoNellArchivio(fascole.db(), "01.01.01.0001", id), 0);
    EXPECT_EQ(stato(), atteso);

    const QString copia = dir.file("SDB0101010001F00001000704011500013.mdb");
    scrivi(copia, "x");
    RimozioneCopiaArchiviata(copia);
    EXPECT_FALSE(QFileInfo::exists(copia));
    RimozioneCopiaArchiviata(copia);  // gone already: no error

    // A copy that cannot be removed is reported, saying what was done.
    QDir().mkpath(QDir(copia).filePath("dentro"));
    try {
        RimozioneCopiaArchiviata(copia);
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, 75);
        EXPECT_NE(e.description.find("di nuovo da fatturare"), std::string::npos) << e.description;
        EXPECT_NE(e.description.find("SDB0101010001F00001000704011500013.mdb"), std::string::npos);
    }
}

// The client box's list and the client's name, linked to the accounting archive and not.
TEST(Ristampa, ClientsAndTheirNames) {
    TempDir dir;
    fixtures::CaseFileArchive fascole(dir.file("fascole.mdb"));
    fascole.addClient("R02", {{"ragione", "Verdi Anna"}});
    fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
    std::vector<QString> codici;
    for (const ui::ComboRow& r : ElencoClientiDocumenti(fascole.db(), false)) codici.push_back(r.text);
    EXPECT_EQ(codici, (std::vector<QString>{"R01", "R02"}));
    EXPECT_EQ(NomeClienteDocumenti(fascole.db(), "r01", false), "Rossi Mario");
    EXPECT_FALSE(NomeClienteDocumenti(fascole.db(), "R09", false).has_value());

    AccountingFixture contab(dir.path());
    fascole.db().execute("ATTACH DATABASE ? AS contabile", {sys::LocalPath(contab.creaCampione())});
    const std::vector<ui::ComboRow> conti = ElencoClientiDocumenti(fascole.db(), true);
    ASSERT_FALSE(conti.empty());
    for (const ui::ComboRow& r : conti) {
        EXPECT_FALSE(r.text.endsWith(".0000")) << r.text.toStdString();
        EXPECT_EQ(fascole.db()
                      .scalar("SELECT natura FROM pianodeiconti WHERE codice = ?", {r.text})
                      .toText<QString>(),
                  "C");
    }
    const QString primo = conti.front().text;
    EXPECT_EQ(NomeClienteDocumenti(fascole.db(), primo, true),
              fascole.db().scalar("SELECT descrizione FROM pianodeiconti WHERE codice = ?", {primo}).toText<QString>());
    // An account that is not a client's is no client.
    const QString ricavi = "04.01.01.0001";
    EXPECT_FALSE(NomeClienteDocumenti(fascole.db(), ricavi, true).has_value());
}

// The print's own names and rules: which layout, where the copy goes, what stays.
TEST(StampaDocumento, LayoutDestinationAndInvoiceFolder) {
    TempDir dir;
    EXPECT_EQ(ReportDocumento(dir.path()), "stp_fattura.rpt");
    scrivi(dir.file("Stp_Fattura_Per.rpt"), "x");
    EXPECT_EQ(ReportDocumento(dir.path()), "stp_fattura_per.rpt");
    EXPECT_EQ(ReportDocumento(dir.file("altrove")), "stp_fattura.rpt");
    EXPECT_EQ(DestinazioneDocumento(true), 0);
    EXPECT_EQ(DestinazioneDocumento(false), 1);

    EXPECT_EQ(CartellaFattureIndicata("C:\\fatture\\"), "C:\\fatture");
    EXPECT_EQ(CartellaFattureIndicata("/srv/fatture/"), "/srv/fatture");
    EXPECT_EQ(CartellaFattureIndicata("NO"), "");
    EXPECT_EQ(CartellaFattureIndicata(""), "");
    EXPECT_EQ(PercorsoCopiaArchiviata("C:\\fatture\\", "SDB1.mdb"), "C:\\fatture\\SDB1.mdb");
    EXPECT_EQ(PercorsoCopiaArchiviata("C:\\fatture", "SDB1.mdb"), "C:\\fatture\\SDB1.mdb");
    EXPECT_EQ(PercorsoCopiaArchiviata("/srv/fatture", "SDB1.mdb"), "/srv/fatture/SDB1.mdb");

    // The temporary file goes unless it is the one place the document is kept.
    struct Caso {
        EsitoCopia esito;
        bool resta;
    };
    for (const Caso c : {Caso{EsitoCopia::NonRichiesta, false}, Caso{EsitoCopia::Archiviata, false},
                         Caso{EsitoCopia::GiaArchiviata, true}, Caso{EsitoCopia::NessunaCartella, true},
                         Caso{EsitoCopia::CartellaMancante, true}, Caso{EsitoCopia::NonRiuscita, true}}) {
        const QString path = dir.file("SDB.mdb");
        scrivi(path, "x");
        CopiaDocumento copia;
        copia.Esito = c.esito;
        RimuoviArchivioStampa(path, copia);
        EXPECT_EQ(QFileInfo::exists(path), c.resta) << int(c.esito);
        EXPECT_EQ(MessaggioCopiaMancante(copia, path).isEmpty(), !copia.Mancante()) << int(c.esito);
    }
}

}  // namespace
