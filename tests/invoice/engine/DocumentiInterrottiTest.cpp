// What an issue or a cancel stopped half-way leaves, settled by the next issue or list; and
// stored copies of documents the archive does not know, which no issue replaces.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <optional>
#include <string>

#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/DocumentiEmessi.h"
#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/Ristampa.h"
#include "platform/system/FileSystem.h"
#include "support/CartellaSolaLettura.h"
#include "support/ProcessiLocali.h"
#include "support/SenzaRinominaEsclusiva.h"

namespace {

using emissione_di_prova::Cliente;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::Gestione;
using ui::Answer;

const QString Id = "000704011500013";
const QString Primo = "SDB0101010001F00001" + Id + ".mdb";
// How the user is told of that document.
const QString Descritto = "La fattura N. 13 del 15/01/04 (cliente 01.01.01.0001, fascola 0007)";
// What the user is told of a document settled against its stored copy, whose printing no one
// saw end, and what is added when the office keeps no copies.
const QString ForseNonStampata = Descritto + " potrebbe non essere stata stampata: la sua copia è nella cartella "
                                             "delle fatture \"";
const QString SenzaCopie = "La copia è conservata anche se le fatture emesse non vengono memorizzate.";

class DocumentiInterrotti : public EmissioneCollegata {
public:
    static void StampaDiProva(const QString& path, const QString& numero) {
        ContenutoStampaFattura c;
        c.Dati[1] = numero;
        c.Righecorpo.push_back({"EONO", "Onorario", "1", "100,00", "20", "R30"});
        ScriviArchivioStampaFattura(path, c);
    }

    // The print database of the first document, committed, left at `path`.
    void Lasciato(const QString& path) {
        Fattura(Id);
        StampaDiProva(path, "13");
    }

    void Fattura(const QString& id) {
        db().execute("UPDATE competenze SET fatturato = 1, idfattura = ? WHERE ntask <> '0003'", {id});
    }

    // Another document of the case file: the item of task 0003, not on the first.
    DocumentoDaEmettere Seguente(const QString& cartellaFatture, bool memorizza) {
        DocumentoDaEmettere d = DocumentoDiProva();
        ConRighe(d, {Riga("0003", "0000", "ONO", "X", "77", "20", "04.01.01.0001")});
        d.Ambiente.CartellaFatture = cartellaFatture;
        d.Parametri.MemorizzaFattura = memorizza;
        // The first document's number is in the fee items only: another day, another document.
        d.Parametri.DataFattura = "16/01/2004";
        return d;
    }

    QStringList Elenco(bool memorizza = true, const QString& cartella = {}) {
        QStringList nomi;
        for (const DocumentoArchiviato& d :
             ElencoDocumentiEmessi(db(), avvio, cartella.isEmpty() ? fatture : cartella, Cliente, true, memorizza))
            nomi << d.NomeFile;
        return nomi;
    }

    static QStringList File(const QString& cartella) { return QDir(cartella).entryList(QDir::Files); }
    QStringList DiDocumenti(const QString& cartella) { return QDir(cartella).entryList({"SDB*"}, QDir::Files); }
};

// A print database left under a temporary name: stored in the invoice folder when its document
// exists (also when the office keeps no copies), then removed, and the user told that the
// document may not have been printed; removed when its document does not exist, or was half written (its
// journal beside it). A running process's, or another computer's, is left alone.
TEST_F(DocumentiInterrotti, ALeftoverPrintDatabaseIsCompletedOrRemoved) {
    const struct {
        const char* nome;
        bool emesso, memorizza, stessaCartella, journal;
        bool copia;  // the document's copy is in the invoice folder afterwards, and the user is told
        bool prenotazione = false;  // names taken by a reservation (SenzaRinominaEsclusiva)
    } casi[] = {
        {"issued, copies kept", true, true, false, false, true},
        {"issued, copies kept in the start folder", true, true, true, false, true},
        {"issued, copies kept in the start folder, names by reservation", true, true, true, false, true, true},
        {"issued, no copies kept", true, false, false, false, true},
        {"issued, no copies kept, start folder", true, false, true, false, true},
        {"never issued", false, true, false, false, false},
        {"never issued, start folder", false, true, true, false, false},
        {"half written", true, true, false, true, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        std::optional<SenzaRinominaEsclusiva> montaggio;
        if (c.prenotazione) montaggio.emplace();
        if (c.stessaCartella) fatture = avvio;
        if (c.emesso) Fattura(Id);
        const QString lasciato = processi::DiUnProcessoFinito(QDir(avvio).filePath(Primo));
        StampaDiProva(lasciato, "13");
        if (c.journal) QFile(lasciato + "-journal").open(QIODevice::WriteOnly);
        const QString vivo = sys::TemporaryName(QDir(avvio).filePath("SDB0101010001F00002000704011500014.mdb"));
        StampaDiProva(vivo, "14");
        const QString altrui = QDir(avvio).filePath("SDB0101010001F00003000704011500015.mdb.ALTRO-1.tmp");
        StampaDiProva(altrui, "15");

        const EsitoRecupero r = RecuperoEmissioniInterrotte(db(), avvio, fatture + "\\", true, c.memorizza);
        EXPECT_FALSE(QFileInfo::exists(lasciato));
        EXPECT_FALSE(QFileInfo::exists(lasciato + "-journal"));
        EXPECT_TRUE(QFileInfo::exists(vivo));
        EXPECT_TRUE(QFileInfo::exists(altrui));
        const QString copia = QDir(fatture).filePath(Primo);
        EXPECT_EQ(QFileInfo::exists(copia), c.copia);
        if (c.copia) {
            EXPECT_EQ(VerificaCopiaArchiviata(copia), StatoCopiaArchiviata::Leggibile);
            EXPECT_EQ(Elenco(c.memorizza), QStringList{Primo});
        }
        if (!c.stessaCartella) {
            EXPECT_EQ(File(fatture), c.copia ? QStringList{Primo} : QStringList());
        }
        const QString messaggio = MessaggioRecupero(r);
        EXPECT_EQ(messaggio.isEmpty(), !c.copia) << messaggio.toStdString();
        if (c.copia) {
            EXPECT_EQ(messaggio.count(Descritto), 1) << messaggio.toStdString();
            EXPECT_TRUE(messaggio.contains(ForseNonStampata + fatture + "\", da cui si può stampare con \"Ristampa / "
                                                                      "Annulla\"."))
                << messaggio.toStdString();
            EXPECT_EQ(messaggio.contains(SenzaCopie), !c.memorizza) << messaggio.toStdString();
        }
    }
}

// A print database under its own name in the start folder: the file a document waiting for its
// invoice folder stays under. It goes once it is a stored copy, and is stored first when it is
// not; either way the user is told, once, that the document may not have been printed. In an
// invoice folder that is the start folder it is the stored copy, and stays. No process works on
// one (an issue hands its print database to the printing under a temporary name), so one written
// a moment ago is settled at once all the same.
TEST_F(DocumentiInterrotti, APrintDatabaseUnderItsOwnNameIsStoredThenRemoved) {
    const struct {
        const char* nome;
        bool emesso, memorizza, giaArchiviato, stessaCartella;
        bool resta;  // still in the start folder afterwards (else the user is told)
        bool recente = false;  // written a moment ago
        bool ancheTemporaneo = false;  // left under a temporary name as well
    } casi[] = {
        {"stored already", true, true, true, false, false},
        {"just written", true, false, false, false, false, true},
        {"waiting for the invoice folder", true, true, false, false, false},
        {"no copies kept", true, false, false, false, false},
        {"left under both its names", true, true, false, false, false, false, true},
        {"the stored copy itself", true, true, true, true, true},
        {"a document that bills nothing", false, true, false, false, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        if (c.stessaCartella) fatture = avvio;
        if (c.emesso) Fattura(Id);
        const QString lavoro = QDir(avvio).filePath(Primo);
        StampaDiProva(lavoro, "13");
        if (!c.recente) processi::ScrittoPrimaDelRiavvio(lavoro);
        if (c.giaArchiviato && !c.stessaCartella) StampaDiProva(QDir(fatture).filePath(Primo), "13");
        const QString temporaneo = processi::DiUnProcessoFinito(lavoro);
        if (c.ancheTemporaneo) StampaDiProva(temporaneo, "13");

        const EsitoRecupero r = RecuperoEmissioniInterrotte(db(), avvio, fatture, true, c.memorizza);
        EXPECT_EQ(QFileInfo::exists(lavoro), c.resta);
        EXPECT_FALSE(QFileInfo::exists(temporaneo));
        if (c.emesso) {
            EXPECT_EQ(VerificaCopiaArchiviata(QDir(fatture).filePath(Primo)), StatoCopiaArchiviata::Leggibile);
            EXPECT_EQ(Elenco(c.memorizza), QStringList{Primo});
        }
        const QString messaggio = MessaggioRecupero(r);
        const bool detto = c.emesso && !c.resta;
        EXPECT_EQ(messaggio.isEmpty(), !detto) << messaggio.toStdString();
        if (detto) {
            EXPECT_EQ(messaggio.count(Descritto), 1) << messaggio.toStdString();
            EXPECT_TRUE(messaggio.contains(ForseNonStampata + fatture + "\"")) << messaggio.toStdString();
            EXPECT_EQ(messaggio.contains(SenzaCopie), !c.memorizza) << messaggio.toStdString();
        }
    }
}

// A committed document whose print database cannot be stored now (the invoice folder is a
// share not mounted, or read-only, or none is given) keeps its file; the next issue tells the
// user which document waits and why, and goes on. Once the folder is there again, the next list
// stores what waited and lists it.
TEST_F(DocumentiInterrotti, ADocumentThatCannotBeStoredNowWaitsAndTheIssueGoesOn) {
    enum class Cartella { Mancante, SolaLettura, Nessuna };
    const struct {
        const char* nome;
        Cartella cartella;
        bool memorizza, temporaneo;
        const char* motivo;  // what the issue says of the document, if anything
    } casi[] = {
        {"folder missing, under a temporary name", Cartella::Mancante, true, true, "non esiste o non è raggiungibile"},
        {"folder missing, under its own name", Cartella::Mancante, true, false, "non esiste o non è raggiungibile"},
        {"folder missing, no copies kept", Cartella::Mancante, false, true, "non esiste o non è raggiungibile"},
        {"folder read-only, under a temporary name", Cartella::SolaLettura, true, true, "non è stato possibile scriverne"},
        {"folder read-only, under its own name", Cartella::SolaLettura, true, false, "non è stato possibile scriverne"},
        {"no folder given", Cartella::Nessuna, true, true, "non è indicata la cartella delle fatture"},
        {"no folder given, no copies kept", Cartella::Nessuna, false, true, "non è indicata la cartella delle fatture"},
        {"no folder given, kept under its own name already", Cartella::Nessuna, true, false, nullptr},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        const QString proprio = QDir(avvio).filePath(Primo);
        const QString lasciato = c.temporaneo ? processi::DiUnProcessoFinito(proprio) : proprio;
        Lasciato(lasciato);
        QString cartella = fatture;
        std::optional<CartellaSolaLettura> solaLettura;
        if (c.cartella == Cartella::Mancante) cartella = dir->file("condivisione/fatture");
        if (c.cartella == Cartella::Nessuna) cartella = "NO";
        if (c.cartella == Cartella::SolaLettura) {
            solaLettura.emplace(fatture);
            ASSERT_FALSE(solaLettura->scrivibile());
        }

        const size_t prima = box.asked().size();
        if (c.motivo) box.expectMessage(Answer::Ok, std::nullopt, TitoloRecupero);
        // The new document's own copy fails as well, and the user goes on.
        if (c.cartella == Cartella::SolaLettura) box.expectMessage(Answer::Ignore, std::nullopt, Gestione);
        const EsitoEmissione e = EmissioneDocumento(db(), Seguente(cartella, c.memorizza));
        EXPECT_TRUE(e.Emesso());
        EXPECT_EQ(box.pending(), 0);
        // Not printed (no printer here), it waits under its own name too.
        EXPECT_EQ(ChiusuraArchivioStampa(e.PathArchivioStampa, e.PathNomeProprio, e.Copia, false, cartella).Esito,
                  c.cartella == Cartella::SolaLettura ? EsitoCopia::NonRiuscita
                  : c.cartella == Cartella::Mancante  ? EsitoCopia::CartellaMancante
                                                      : EsitoCopia::NessunaCartella);
        EXPECT_TRUE(QFileInfo(e.PathNomeProprio).isFile());
        if (c.motivo) {
            ASSERT_GT(box.asked().size(), prima);
            const QString testo = box.asked()[prima].text;
            EXPECT_TRUE(testo.contains(Descritto)) << testo.toStdString();
            EXPECT_TRUE(testo.contains(c.motivo)) << testo.toStdString();
            EXPECT_TRUE(testo.contains("resta nella cartella di avvio")) << testo.toStdString();
        }
        // The document's file is still there: under its own name once nothing else can be done.
        const QString resta = c.cartella == Cartella::Nessuna ? proprio : lasciato;
        EXPECT_EQ(VerificaCopiaArchiviata(resta), StatoCopiaArchiviata::Leggibile);
        EXPECT_EQ(DiDocumenti(avvio).filter(Primo), QStringList{QFileInfo(resta).fileName()});

        // The folder is back: the next list stores both documents, and says so.
        solaLettura.reset();
        if (c.cartella == Cartella::Mancante) QDir().mkpath(cartella);
        if (c.cartella == Cartella::Nessuna) cartella = fatture;
        box.expectMessage(Answer::Ok, std::nullopt, TitoloRecupero);
        EXPECT_EQ(Elenco(c.memorizza, cartella), QStringList({Primo, e.NomeFileFattura}));
        EXPECT_EQ(box.pending(), 0);
        const QString archiviati = box.asked().back().text;
        EXPECT_EQ(archiviati.count(Descritto), 1) << archiviati.toStdString();
        EXPECT_TRUE(archiviati.contains(ForseNonStampata + cartella + "\"")) << archiviati.toStdString();
        EXPECT_EQ(DiDocumenti(avvio), QStringList());
        EXPECT_EQ(VerificaCopiaArchiviata(QDir(cartella).filePath(Primo)), StatoCopiaArchiviata::Leggibile);
    }
}

// After a restart, the id of a process that was stopped may belong to a running process (this
// one, even): its print database is a leftover all the same, told apart by the stamp in its
// name, or, in a name of the earlier form, by being older than the running process.
TEST_F(DocumentiInterrotti, AProcessIdTakenByARunningProcessLeavesALeftoverAllTheSame) {
    QProcess vivo;
    vivo.start("sleep", {"60"});
    ASSERT_TRUE(vivo.waitForStarted());
    const qint64 altro = vivo.processId(), mio = QCoreApplication::applicationPid();
    const struct {
        const char* nome;
        qint64 pid;
        QString stamp;  // empty: a name of the earlier form
        bool avanzo;
    } casi[] = {
        {"another process's id", altro, processi::StampaDiNessuno, true},
        {"this process's id", mio, processi::StampaDiNessuno, true},
        {"earlier form, older than the process", altro, {}, true},
        {"the running process's own", altro, sys::ProcessStamp(altro), false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        const QString lasciato = processi::NomeTemporaneo(QDir(avvio).filePath(Primo), c.pid, c.stamp);
        Lasciato(lasciato);
        processi::ScrittoPrimaDelRiavvio(lasciato);
        // A leftover's document may not have been printed, and the user is told.
        if (c.avanzo) box.expectMessage(Answer::Ok, std::nullopt, TitoloRecupero);
        EXPECT_EQ(Elenco(), c.avanzo ? QStringList{Primo} : QStringList());
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(QFileInfo::exists(lasciato), !c.avanzo);
    }
    vivo.kill();
    vivo.waitForFinished();
}

// A stored copy of a document the archive does not know (issued by an earlier release, its
// lines billing no fee item) is listed, so that the document the refusal names can be found;
// an issue that hands out its identifier stops,
// naming the document as the copy's name tells it, and writes nothing: the copy is never
// replaced.
TEST_F(DocumentiInterrotti, AStoredCopyOfTheIdentifierIsNeverReplaced) {
    documento.Parametri.MemorizzaFattura = true;
    const QString stessoId = "SDB0101010001E00007" + Id + ".mdb";
    {
        QFile f(QDir(fatture).filePath(stessoId));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("la copia di prima");
    }
    EXPECT_EQ(Elenco(), QStringList{stessoId});

    const QStringList prima = Stato();
    box.expectMessage(Answer::Ok,
                      "Il cliente ha già un documento della stessa fascola, data e numero (NOTA DI DEBITO (var. in "
                      "Aumento) N. 13 del 15/01/04, cliente 01.01.01.0001 Rossi Mario S.r.l., fascola 0007): il "
                      "documento non è stato emesso",
                      TitoloEmissione);
    EXPECT_EQ(EmissioneDocumento(db(), documento).Arresto, ArrestoEmissione::IdFatturaInUso);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(Stato(), prima);
    QFile f(QDir(fatture).filePath(stessoId));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "la copia di prima");
}

// A copy under a cancelling name that no cancel works on any more: this process's (its cancel
// stopped on an error), one of a process of this computer that has ended, or `….mdb.annullamento`
// of an earlier release. The next list gives it its name back while its document exists (its
// items still billed, or its record there, for a document of typed lines that bills none), and
// removes it once the document was forgotten. One of a process still running, or of another
// computer, is a cancel that may be under way: no list touches it.
TEST_F(DocumentiInterrotti, AStoppedCancelIsSettledByTheNextList) {
    QProcess vivo;
    vivo.start("sleep", {"60"});
    ASSERT_TRUE(vivo.waitForStarted());
    enum class Chi { Questo, Finito, Precedente, Vivo, AltroComputer };
    const struct {
        const char* nome;
        Chi chi;
        bool sistemato;
    } annullamenti[] = {
        {"this process's, stopped on an error", Chi::Questo, true},
        {"of a process that has ended", Chi::Finito, true},
        {"of an earlier release", Chi::Precedente, true},
        {"of a process still running", Chi::Vivo, false},
        {"of another computer", Chi::AltroComputer, false},
    };
    enum class Documento { Fatturato, Annotato, Dimenticato };
    for (const auto& a : annullamenti)
        for (const Documento documento : {Documento::Fatturato, Documento::Annotato, Documento::Dimenticato}) {
            SCOPED_TRACE(std::string(a.nome) + ", document " + std::to_string(int(documento)));
            Ricrea();
            if (documento == Documento::Fatturato) Fattura(Id);
            if (documento == Documento::Annotato) {
                ASSERT_TRUE(AnnotazioneDocumentoEmesso(db(), Cliente, Id, "F", "00001"));
            }
            const QString copia = QDir(fatture).filePath(Primo);
            const QString fine = QStringLiteral(".annullamento");
            QString inAnnullamento;
            switch (a.chi) {
            case Chi::Questo: inAnnullamento = NomeInAnnullamento(copia); break;
            case Chi::Finito: inAnnullamento = processi::DiUnProcessoFinito(copia, fine); break;
            case Chi::Precedente: inAnnullamento = copia + fine; break;
            case Chi::Vivo:
                inAnnullamento =
                    processi::NomeTemporaneo(copia, vivo.processId(), sys::ProcessStamp(vivo.processId()), fine);
                break;
            case Chi::AltroComputer: inAnnullamento = copia + ".ALTRO-1" + fine; break;
            }
            StampaDiProva(inAnnullamento, "13");
            const bool resta = documento != Documento::Dimenticato;
            if (a.sistemato) {
                EXPECT_EQ(Elenco(), resta ? QStringList{Primo} : QStringList());
                EXPECT_EQ(File(fatture), resta ? QStringList{Primo} : QStringList());
            } else {
                EXPECT_EQ(Elenco(), QStringList());
                EXPECT_EQ(File(fatture), QStringList{QFileInfo(inAnnullamento).fileName()});
            }
        }
    vivo.kill();
    vivo.waitForFinished();
}

// Where names are taken by a reservation, a stop between reserving the copy's name and renaming
// onto it leaves an empty file under that name. It is no copy: the document's copy, put back by
// a stopped cancel's settling or stored by the recovery, takes its place instead of being lost.
TEST_F(DocumentiInterrotti, AnEmptyFileLeftUnderTheCopysNameGivesWayToTheCopy) {
    for (const bool annullamento : {true, false}) {
        SCOPED_TRACE(annullamento ? "a stopped cancel" : "a leftover print database");
        Ricrea();
        SenzaRinominaEsclusiva montaggio;
        Fattura(Id);
        const QString copia = QDir(fatture).filePath(Primo);
        QFile(copia).open(QIODevice::WriteOnly);
        if (annullamento) {
            StampaDiProva(processi::DiUnProcessoFinito(copia, QStringLiteral(".annullamento")), "13");
            EXPECT_EQ(Elenco(), QStringList{Primo});
        } else {
            StampaDiProva(processi::DiUnProcessoFinito(QDir(avvio).filePath(Primo)), "13");
            RecuperoEmissioniInterrotte(db(), avvio, fatture + "\\", true, true);
        }
        EXPECT_EQ(File(fatture), QStringList{Primo});
        EXPECT_EQ(VerificaCopiaArchiviata(copia), StatoCopiaArchiviata::Leggibile);
    }
}

// A cancel whose transaction fails (another workstation reads the archive, so it cannot be
// written) cancels nothing: the copy has its name back at once, for every workstation's list,
// and the error goes on to the handler. Done again, the cancel goes through.
TEST_F(DocumentiInterrotti, ACancelThatFailsGivesTheCopyItsNameBackAtOnce) {
    Fattura(Id);
    StampaDiProva(QDir(fatture).filePath(Primo), "13");
    const auto d = LetturaNomeQualsiasi(Primo, true);
    ASSERT_TRUE(d.has_value());
    {
        auto altra = db::Database::open(pathFascole().toStdString());
        altra->execute("BEGIN");
        altra->scalar("SELECT count(*) FROM competenze");
        EXPECT_THROW(AnnullamentoDocumento(db(), fatture, *d, true), db::DbError);
        altra->execute("COMMIT");
    }
    EXPECT_EQ(File(fatture), QStringList{Primo});
    EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze WHERE idfattura = ?", {Id}).toInt(), 5);
    EXPECT_TRUE(AnnullamentoDocumento(db(), fatture, *d, true));
    EXPECT_EQ(File(fatture), QStringList());
    EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze WHERE idfattura = ?", {Id}).toInt(), 0);
}

// A print database left under the name of a document of the identifier other than the one the
// archive records (that one cancelled, and the identifier given again) is no document's: it
// goes, and nothing is stored or told.
TEST_F(DocumentiInterrotti, ALeftoverOfAnotherDocumentOfTheIdentifierGoes) {
    ASSERT_TRUE(AnnotazioneDocumentoEmesso(db(), Cliente, Id, "H", "00002"));
    const QString lasciato = processi::DiUnProcessoFinito(QDir(avvio).filePath(Primo));
    StampaDiProva(lasciato, "13");
    const EsitoRecupero r = RecuperoEmissioniInterrotte(db(), avvio, fatture, true, true);
    EXPECT_TRUE(r.Documenti.empty());
    EXPECT_FALSE(QFileInfo::exists(lasciato));
    EXPECT_EQ(File(fatture), QStringList());
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
    EXPECT_EQ(passi, QStringList({"rename", "folder synced", "renamed", "remove", "removed"}));
    EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze WHERE idfattura = ?", {Id}).toInt(), 0);
    EXPECT_EQ(File(fatture), QStringList());

    Fattura(Id);
    EXPECT_FALSE(AnnullamentoDocumento(db(), fatture, *d, true)) << "no copy: nothing to cancel";
    EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze WHERE idfattura = ?", {Id}).toInt(), 5);
}

}  // namespace
