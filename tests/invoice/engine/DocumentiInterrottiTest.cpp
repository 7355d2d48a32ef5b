// What an issue or a cancel stopped half-way leaves, settled by the next one; and files named
// after documents that bill nothing, which are no stored copies.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/Ristampa.h"
#include "platform/system/FileSystem.h"

namespace {

using emissione_di_prova::Cliente;
using emissione_di_prova::EmissioneCollegata;

const QString Id = "000704011500013";
const QString Primo = "SDB0101010001F00001" + Id + ".mdb";

class DocumentiInterrotti : public EmissioneCollegata {
public:
    // The name `nome` written by a process of this computer that has ended.
    static QString LasciatoDaUnProcessoFinito(const QString& path) {
        QProcess p;
        p.start("true", {});
        EXPECT_TRUE(p.waitForStarted());
        const qint64 pid = p.processId();
        EXPECT_TRUE(p.waitForFinished());
        const QString mio = sys::TemporaryName(path);
        return mio.left(mio.lastIndexOf('-') + 1) + QString::number(pid) + ".tmp";
    }

    static void StampaDiProva(const QString& path, const QString& numero) {
        ContenutoStampaFattura c;
        c.Dati[1] = numero;
        c.Righecorpo.push_back({"EONO", "Onorario", "1", "100,00", "20", "R30"});
        ScriviArchivioStampaFattura(path, c);
    }

    void Fattura(const QString& id) {
        db().execute("UPDATE competenze SET fatturato = 1, idfattura = ? WHERE ntask <> '0003'", {id});
    }

    QStringList Elenco() {
        QStringList nomi;
        for (const DocumentoArchiviato& d : ElencoDocumentiEmessi(db(), fatture, Cliente, true)) nomi << d.NomeFile;
        return nomi;
    }

    static QStringList File(const QString& cartella) { return QDir(cartella).entryList(QDir::Files); }
};

// A print database left under its temporary name: copied into the invoice folder when its
// document exists and copies are kept, then removed; removed when its document does not exist,
// or was half written (its journal beside it). A running process's, or another computer's,
// is left alone.
TEST_F(DocumentiInterrotti, ALeftoverPrintDatabaseIsCompletedOrRemoved) {
    const struct {
        const char* nome;
        bool emesso, memorizza, stessaCartella, journal;
        bool copia;  // the document's copy is in the invoice folder afterwards
    } casi[] = {
        {"issued, copies kept", true, true, false, false, true},
        {"issued, copies kept in the start folder", true, true, true, false, true},
        {"issued, no copies kept", true, false, false, false, false},
        {"never issued", false, true, false, false, false},
        {"never issued, start folder", false, true, true, false, false},
        {"half written", true, true, false, true, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        if (c.stessaCartella) fatture = avvio;
        if (c.emesso) Fattura(Id);
        const QString lasciato = LasciatoDaUnProcessoFinito(QDir(avvio).filePath(Primo));
        StampaDiProva(lasciato, "13");
        if (c.journal) QFile(lasciato + "-journal").open(QIODevice::WriteOnly);
        const QString vivo = sys::TemporaryName(QDir(avvio).filePath("SDB0101010001F00002000704011500014.mdb"));
        StampaDiProva(vivo, "14");
        const QString altrui = QDir(avvio).filePath("SDB0101010001F00003000704011500015.mdb.ALTRO-1.tmp");
        StampaDiProva(altrui, "15");

        RecuperoEmissioniInterrotte(db(), avvio, fatture + "\\", true, c.memorizza);
        EXPECT_FALSE(QFileInfo::exists(lasciato));
        EXPECT_FALSE(QFileInfo::exists(lasciato + "-journal"));
        EXPECT_TRUE(QFileInfo::exists(vivo));
        EXPECT_TRUE(QFileInfo::exists(altrui));
        const QString copia = QDir(fatture).filePath(Primo);
        EXPECT_EQ(QFileInfo::exists(copia), c.copia);
        if (c.copia) {
            EXPECT_EQ(VerificaCopiaArchiviata(copia), StatoCopiaArchiviata::Leggibile);
            EXPECT_EQ(Elenco(), QStringList{Primo});
        }
        if (!c.stessaCartella) EXPECT_EQ(File(fatture), c.copia ? QStringList{Primo} : QStringList());
    }
}

// Files named after a document of the client that bills no fee item (left by an earlier
// release, or put there by hand) are not listed, and do not stop the issue that hands out
// that number: they go, and the document's own copy takes the name.
TEST_F(DocumentiInterrotti, AFileOfADocumentThatBillsNothingIsNoStoredCopy) {
    documento.Parametri.MemorizzaFattura = true;
    const QString stessoId = "SDB0101010001E00007" + Id + ".mdb";
    for (const QString& nome : {Primo, stessoId}) {
        QFile f(QDir(fatture).filePath(nome));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(Elenco(), QStringList());

    const EsitoEmissione e = EmissioneDocumento(db(), documento);
    ASSERT_TRUE(e.Emesso());
    EXPECT_TRUE(box.asked().empty());
    EXPECT_EQ(e.NomeFileFattura, Primo);
    EXPECT_EQ(e.Copia.Esito, EsitoCopia::Archiviata);
    EXPECT_EQ(File(fatture), QStringList{Primo});
    EXPECT_EQ(VerificaCopiaArchiviata(QDir(fatture).filePath(Primo)), StatoCopiaArchiviata::Leggibile);
    EXPECT_EQ(Elenco(), QStringList{Primo});
}

// A cancel stopped once the copy took its cancelling name: the next list gives it its name
// back when its items are still billed, and removes it when they were made billable again.
TEST_F(DocumentiInterrotti, AStoppedCancelIsSettledByTheNextList) {
    for (const bool riaperte : {false, true}) {
        SCOPED_TRACE(riaperte ? "items billable again" : "items still billed");
        Ricrea();
        if (!riaperte) Fattura(Id);
        StampaDiProva(NomeInAnnullamento(QDir(fatture).filePath(Primo)), "13");
        EXPECT_EQ(Elenco(), riaperte ? QStringList() : QStringList{Primo});
        EXPECT_EQ(File(fatture), riaperte ? QStringList() : QStringList{Primo});
    }
}

// The three steps of a cancel, and a cancel that finds no copy under either name.
TEST_F(DocumentiInterrotti, ACancelRenamesReopensRemoves) {
    Fattura(Id);
    StampaDiProva(QDir(fatture).filePath(Primo), "13");
    const auto d = LetturaNomeQualsiasi(Primo, true);
    ASSERT_TRUE(d.has_value());
    static QStringList passi;
    passi.clear();
    sys::SetCheckpointHook([](const char* cosa) {
        if (QString(cosa) != "statement") passi << cosa;
    });
    EXPECT_TRUE(AnnullamentoDocumento(db(), fatture, *d, true));
    sys::SetCheckpointHook(nullptr);
    EXPECT_EQ(passi, QStringList({"replace", "replaced", "remove", "removed"}));
    EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze WHERE idfattura = ?", {Id}).toInt(), 0);
    EXPECT_EQ(File(fatture), QStringList());

    Fattura(Id);
    EXPECT_FALSE(AnnullamentoDocumento(db(), fatture, *d, true)) << "no copy: nothing to cancel";
    EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze WHERE idfattura = ?", {Id}).toInt(), 5);
}

}  // namespace
