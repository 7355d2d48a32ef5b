// The issue and the cancel of a document stopped dead at every point: before and after every
// file operation and at every SQL statement. After each stop the archives and the folders hold
// the document whole or not at all, and the next issue (or cancel) goes through.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/Ristampa.h"
#include "invoice/engine/StampaDocumento.h"
#include "support/ArrestoProcesso.h"

namespace {

using emissione_di_prova::Cliente;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::Righe;

const char* const VarFascole = "FASCOLE_PROVA_ARCHIVIO";
const char* const VarContabile = "FASCOLE_PROVA_CONTABILE";
const char* const VarAvvio = "FASCOLE_PROVA_AVVIO";
const char* const VarFatture = "FASCOLE_PROVA_FATTURE";

const QString Id = "000704011500013";
const QString Primo = "SDB0101010001F00001" + Id + ".mdb";  // the document the child issues

// Every file under `da` copied under `a`, folders included.
void CopiaAlbero(const QString& da, const QString& a) {
    QDir().mkpath(a);
    QDirIterator it(da, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString destinazione = a + "/" + QDir(da).relativeFilePath(path);
        if (it.fileInfo().isDir()) QDir().mkpath(destinazione);
        else ASSERT_TRUE(QFile::copy(path, destinazione)) << path.toStdString();
    }
}

class ArrestoEmissione : public EmissioneCollegata {
public:
    // A child builds nothing: it works on the parent's files.
    void SetUp() override {
        if (arresto::Figlio()) return ApriComeFiglio();
        Ricrea();
    }

    // The installation of the parent, as its environment names it, and the document on it.
    void ApriComeFiglio() {
        const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        RipristinaAmbiente();
        AmbienteLavoro().CollegatoContabilita = true;
        AmbienteLavoro().PathArchivioContabile = env.value(VarContabile);
        avvio = env.value(VarAvvio);
        fatture = env.value(VarFatture);
        sessione = std::make_unique<Sessione>(env.value(VarFascole), env.value(VarContabile));
        documento = Documento();
    }

    // The document of the fixture, its copy kept in the invoice folder.
    DocumentoDaEmettere Documento() {
        DocumentoDaEmettere d = DocumentoDiProva();
        d.Ambiente.CartellaAvvio = avvio;
        d.Ambiente.CartellaFatture = fatture + "\\";
        d.Parametri.MemorizzaFattura = true;
        return d;
    }

    // Another document of the case file: the item of task 0003, not on the first.
    DocumentoDaEmettere Seguente() {
        DocumentoDaEmettere d = Documento();
        ConRighe(d, {Riga("0003", "0000", "ONO", "X", "77", "20", "04.01.01.0001")});
        return d;
    }

    // An issue as STAMPA runs it, the report aside: the print database goes once printed.
    EsitoEmissione Emetti(const DocumentoDaEmettere& d) {
        EsitoEmissione e = EmissioneDocumento(db(), d);
        if (e.Emesso()) RimuoviArchivioStampa(e.PathArchivioStampa, e.Copia);
        return e;
    }

    // The installation as the rounds start from it, kept aside; `stessaCartella`: the copies
    // are kept in the start folder itself.
    void Modello(bool stessaCartella) {
        if (stessaCartella) fatture = avvio;
        documento = Documento();
        sessione.reset();
        modello = std::make_unique<TempDir>();
        CopiaAlbero(dir->path(), modello->path());
    }

    // Back to the model: the files of the installation as they were.
    void Ripristina() {
        sessione.reset();
        QDir(dir->path()).removeRecursively();
        CopiaAlbero(modello->path(), dir->path());
        sessione = std::make_unique<Sessione>(pathFascole(), pathContabile);
    }

    QProcessEnvironment Ambiente() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(VarFascole, pathFascole());
        env.insert(VarContabile, pathContabile);
        env.insert(VarAvvio, avvio);
        env.insert(VarFatture, fatture);
        return env;
    }

    // One child for each checkpoint of the operation, and `verifica` after each; the number of
    // checkpoints the operation passes.
    int OgniPunto(const QString& test, const std::function<void(int, bool)>& verifica) {
        for (int punto = 1;; ++punto) {
            Ripristina();
            sessione.reset();
            const arresto::EsitoFiglio figlio = arresto::Esegui(test, punto, Ambiente());
            sessione = std::make_unique<Sessione>(pathFascole(), pathContabile);
            if (!figlio.ucciso) {
                EXPECT_EQ(figlio.punti, punto - 1) << figlio.uscita.toStdString();
                return punto - 1;
            }
            SCOPED_TRACE("stopped at checkpoint " + std::to_string(punto));
            verifica(punto, true);
            if (::testing::Test::HasFailure()) return punto;
        }
    }

    // The first document's items billed with `id` (the item of task 0003 is the next one's).
    int Fatturate(const QString& id) {
        return db().scalar("SELECT count(*) FROM competenze WHERE idfattura = ? AND fatturato = 1 AND ntask <> '0003'",
                           {id})
            .toInt();
    }

    // Files left by an interrupted operation anywhere in the installation (an archive's own
    // journal is the database's business: the next reader rolls it back).
    QStringList Avanzi() {
        QStringList avanzi;
        QDirIterator it(dir->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString nome = QFileInfo(it.next()).fileName();
            if (nome.endsWith(".tmp") || nome.endsWith(".tmp-journal") || nome.endsWith(".annullamento")) avanzi << nome;
        }
        return avanzi;
    }

    // The issue of the first document whole (`emesso`) or not at all.
    void DocumentoInteroOAssente(bool emesso) {
        const QString numero = Righe(db(), "SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").front().front();
        const int registrazioni = db().scalar("SELECT count(*) FROM giornale").toInt();
        if (emesso) {
            EXPECT_EQ(Fatturate(Id), 5);
            EXPECT_EQ(numero, "13");
            EXPECT_EQ(registrazioni, 1);
        } else {
            EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze WHERE fatturato = 1").toInt(), 0);
            EXPECT_EQ(numero, "12");
            EXPECT_EQ(registrazioni, 0);
        }
    }

    // The copy of an issued document: the document it names, readable.
    void CopiaLeggibile(const QString& nome, const QString& numero) {
        const QString path = QDir(fatture).filePath(nome);
        ASSERT_EQ(VerificaCopiaArchiviata(path), StatoCopiaArchiviata::Leggibile) << nome.toStdString();
        auto copia = db::Database::open(path.toStdString());
        EXPECT_EQ(copia->scalar("SELECT Numero FROM Dati").toText<QString>(), numero);
    }

    QStringList Elenco() {
        QStringList nomi;
        for (const DocumentoArchiviato& d : ElencoDocumentiEmessi(db(), fatture, Cliente, true)) nomi << d.NomeFile;
        return nomi;
    }

    std::unique_ptr<TempDir> modello;
};

// What an issue stopped at any point leaves: its document whole or absent; and the next issue,
// which settles what the stopped one left, goes through with the number that follows.
void VerificaEmissione(ArrestoEmissione& t, bool stessaCartella) {
    const bool emesso = t.Fatturate(Id) > 0;
    t.DocumentoInteroOAssente(emesso);
    ScriptedMessages nessunMessaggio;
    const EsitoEmissione e = t.Emetti(t.Seguente());
    ASSERT_TRUE(e.Emesso());
    EXPECT_EQ(e.NumeroDocumento, emesso ? "14" : "13");
    EXPECT_EQ(t.Fatturate(Id), emesso ? 5 : 0);
    EXPECT_EQ(t.db().scalar("SELECT count(*) FROM giornale").toInt(), emesso ? 2 : 1);
    EXPECT_EQ(t.Avanzi(), QStringList());
    QStringList attese = {e.NomeFileFattura};
    if (emesso) attese.prepend(Primo);
    EXPECT_EQ(t.Elenco(), attese);
    if (emesso) t.CopiaLeggibile(Primo, "13");
    t.CopiaLeggibile(e.NomeFileFattura, e.NumeroDocumento);
    QStringList file = QDir(t.fatture).entryList({"SDB*"}, QDir::Files);
    if (stessaCartella) {
        EXPECT_EQ(file, attese);
    } else {
        EXPECT_EQ(file, attese);
        // The start folder may keep the first document's print database only: it was stopped
        // between its copy and its removal after printing.
        const QStringList avvio = QDir(t.avvio).entryList({"SDB*"}, QDir::Files);
        EXPECT_TRUE(avvio.isEmpty() || (emesso && avvio == QStringList{Primo})) << avvio.join(" ").toStdString();
    }
}

TEST_F(ArrestoEmissione, StoppedAnywhereAnIssueIsWholeOrAbsent) {
    if (arresto::Figlio()) {
        arresto::Arma();
        const EsitoEmissione e = Emetti(documento);
        arresto::Riferisci();
        ASSERT_TRUE(e.Emesso());
        return;
    }
    for (const bool stessaCartella : {false, true}) {
        SCOPED_TRACE(stessaCartella ? "copies in the start folder" : "copies in a folder of their own");
        Ricrea();
        Modello(stessaCartella);
        const int punti = OgniPunto("ArrestoEmissione.StoppedAnywhereAnIssueIsWholeOrAbsent",
                                    [&](int, bool) { VerificaEmissione(*this, stessaCartella); });
        // Statements of the numbering, the posting, the marks and the print database, and the
        // file operations around them (the VAT codes were read when the tab composed the
        // document, not by the issue).
        EXPECT_GE(punti, 40);
        if (HasFailure()) return;
    }
}

// What a cancel stopped at any point leaves: the document still listed, its items billed and
// its copy in place, and a cancel then goes through; or cancelled whole, and its items are
// billed again by the next issue.
TEST_F(ArrestoEmissione, StoppedAnywhereACancelIsWholeOrAbsent) {
    if (arresto::Figlio()) {
        const auto d = LetturaNomeQualsiasi(Primo, true);
        arresto::Arma();
        const bool annullato = AnnullamentoDocumento(db(), fatture + "\\", *d, true);
        arresto::Riferisci();
        ASSERT_TRUE(annullato);
        return;
    }
    {
        ScriptedMessages nessunMessaggio;
        documento = Documento();
        ASSERT_TRUE(Emetti(documento).Emesso());
    }
    Modello(false);
    const int punti = OgniPunto("ArrestoEmissione.StoppedAnywhereACancelIsWholeOrAbsent", [&](int, bool) {
        ScriptedMessages nessunMessaggio;
        const QStringList elenco = Elenco();  // settles the stopped cancel
        EXPECT_EQ(Avanzi(), QStringList());
        if (!elenco.isEmpty()) {
            EXPECT_EQ(elenco, QStringList{Primo});
            EXPECT_EQ(Fatturate(Id), 5);
            CopiaLeggibile(Primo, "13");
            ASSERT_TRUE(AnnullamentoDocumento(db(), fatture, *LetturaNomeQualsiasi(Primo, true), true));
        }
        EXPECT_EQ(Fatturate(Id), 0);
        EXPECT_EQ(QDir(fatture).entryList(QDir::Files), QStringList());
        const EsitoEmissione e = Emetti(Documento());
        ASSERT_TRUE(e.Emesso());
        EXPECT_EQ(e.CompetenzeFatturate, 5);
        EXPECT_EQ(e.NumeroDocumento, "14");
    });
    EXPECT_GE(punti, 5);
}

}  // namespace
