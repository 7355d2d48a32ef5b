// The issue and the cancel of a document stopped dead at every point: before and after every
// file operation and at every SQL statement, and while the report runs. After each stop the
// archives and the folders hold the document whole or not at all, the list of "Ristampa /
// Annulla" shows it at once, and the next issue (or cancel) goes through. And two processes
// settling at once what a stopped one left.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <functional>

#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/DocumentiNumerati.h"
#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/Ristampa.h"
#include "invoice/engine/StampaDocumento.h"
#include "support/ArrestoProcesso.h"
#include "support/ProcessiLocali.h"

namespace {

using emissione_di_prova::Cliente;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::Righe;
using ui::Answer;

const char* const VarFascole = "FASCOLE_PROVA_ARCHIVIO";
const char* const VarContabile = "FASCOLE_PROVA_CONTABILE";
const char* const VarAvvio = "FASCOLE_PROVA_AVVIO";
const char* const VarFatture = "FASCOLE_PROVA_FATTURE";
const char* const VarMemorizza = "FASCOLE_PROVA_MEMORIZZA";
const char* const VarCollegato = "FASCOLE_PROVA_COLLEGATO";
const char* const VarPrenotazione = "FASCOLE_PROVA_PRENOTAZIONE";  // names taken by a reservation
const char* const VarAltroComputer = "FASCOLE_PROVA_ALTRO_COMPUTER";  // the child is another computer

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
    void TearDown() override {
        sys::ForceNameReservation(false);
        EmissioneCollegata::TearDown();
    }

    // The installation made again, names taken by a reservation here and in the children
    // (`perPrenotazione`: as on a mount that can neither rename without replacing nor make a hard
    // link) or as the file system allows, with the first document issued and its copy stored.
    void ConIlPrimoDocumento(bool perPrenotazione) {
        prenotazione = perPrenotazione;
        sys::ForceNameReservation(perPrenotazione);
        Ricrea();
        ScriptedMessages nessunMessaggio;
        documento = Documento();
        ASSERT_TRUE(Emetti(documento).Emesso());
    }

    // The installation of the parent, as its environment names it, and the document on it.
    void ApriComeFiglio() {
        const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        RipristinaAmbiente();
        AmbienteLavoro().CollegatoContabilita = true;
        AmbienteLavoro().PathArchivioContabile = env.value(VarContabile);
        avvio = env.value(VarAvvio);
        fatture = env.value(VarFatture);
        memorizza = env.value(VarMemorizza) == "1";
        collegato = env.value(VarCollegato) == "1";
        sys::ForceNameReservation(env.contains(VarPrenotazione));
        if (env.contains(VarAltroComputer)) sys::OverrideHostName(QStringLiteral("ALTRAPOSTAZIONE"));
        sessione = std::make_unique<Sessione>(env.value(VarFascole), env.value(VarContabile));
        documento = Documento();
    }

    // The document of the fixture, its copy kept in the invoice folder when `memorizza`.
    DocumentoDaEmettere Documento() {
        DocumentoDaEmettere d = DocumentoDiProva();
        d.Ambiente.CartellaAvvio = avvio;
        d.Ambiente.CartellaFatture = fatture + "\\";
        d.Parametri.MemorizzaFattura = memorizza;
        return d;
    }

    // Another document of the case file: the item of task 0003, not on the first.
    DocumentoDaEmettere Seguente() {
        DocumentoDaEmettere d = Documento();
        ConRighe(d, {Riga("0003", "0000", "ONO", "X", "77", "20", "04.01.01.0001")});
        return d;
    }

    // `d` issued not linked to the accounting archive, under the number `numero` typed.
    static void NumeratoAMano(DocumentoDaEmettere& d, const char* numero) {
        d.Ambiente.CollegatoContabilita = false;
        d.Ambiente.PathArchivioContabile.clear();
        d.Parametri.NumerazioneAutomatica = false;
        d.Parametri.NumeroDocumento = numero;
    }

    // A credit note of one line typed on the tab, which bills no fee item: linked, posted under
    // the register's number; not linked, numbered 3 by hand.
    DocumentoDaEmettere NotaDigitata() {
        DocumentoDaEmettere d = Documento();
        d.Tipo = TipoDocumento::NotaCredito;
        if (!collegato) NumeratoAMano(d, "3");
        RigaFattura r = Riga("0000", "0000", "ESE", "X", "-50", "20", "04.01.01.0001");
        r.descrizione = "Storno parziale";
        r.DaCompetenza = false;
        ConRighe(d, {r});
        return d;
    }

    // An issue as STAMPA runs it, the report standing at the checkpoint "stampa" (the preview
    // open) on the print database as the issue handed it over, then settled once printed.
    EsitoEmissione Emetti(const DocumentoDaEmettere& d) {
        EsitoEmissione e = EmissioneDocumento(db(), d);
        if (!e.Emesso()) return e;
        EXPECT_TRUE(QFileInfo(e.PathArchivioStampa).isFile());
        sys::Checkpoint("stampa");
        ChiusuraArchivioStampa(e.PathArchivioStampa, e.PathNomeProprio, e.Copia, true, d.Ambiente.CartellaFatture);
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
        env.insert(VarMemorizza, memorizza ? "1" : "0");
        env.insert(VarCollegato, collegato ? "1" : "0");
        if (prenotazione) env.insert(VarPrenotazione, "1");
        if (altroComputer) env.insert(VarAltroComputer, "1");
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

    // `operazione` run once for each of its checkpoints in turn (it must pass one at least), on
    // the model's files, the test `test` running meanwhile as another process at that
    // checkpoint; `verifica` after each with what that process wrote. Until the operation passes
    // no more checkpoints, or a check fails.
    void OgniPuntoUnAltroProcesso(const QString& test, const std::function<void()>& operazione,
                                  const std::function<void(const QByteArray&)>& verifica) {
        for (int punto = 1;; ++punto) {
            SCOPED_TRACE("the other process at checkpoint " + std::to_string(punto));
            Ripristina();
            static int contati = 0, bersaglio = 0;
            static std::function<void()> altro;
            contati = 0;
            bersaglio = punto;
            arresto::EsitoFiglio figlio;
            bool partito = false;
            altro = [&] {
                partito = true;
                figlio = arresto::Esegui(test, 0, Ambiente());
            };
            sys::SetCheckpointHook([](const char*) {
                if (++contati == bersaglio) altro();
            });
            operazione();
            sys::SetCheckpointHook(nullptr);
            if (!partito) {
                EXPECT_GT(punto, 1) << "the operation passed no checkpoint";
                return;
            }
            ASSERT_FALSE(figlio.ucciso) << figlio.uscita.toStdString();
            verifica(figlio.uscita);
            if (::testing::Test::HasFailure()) return;
        }
    }

    // The document counters of the register V.
    QString Contatori() {
        return Righe(db(), "SELECT numerofattura || '/' || numerovariazioneaum || '/' || numerovariazionedim FROM "
                           "ivaregistri WHERE codice = 'V'")
            .front()
            .front();
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
        for (const DocumentoArchiviato& d : ElencoDocumentiEmessi(db(), avvio, fatture, Cliente, collegato, memorizza))
            nomi << d.NomeFile;
        return nomi;
    }

    // The print databases of documents in `cartella`, under any name.
    static QStringList DiDocumenti(const QString& cartella) { return QDir(cartella).entryList({"SDB*"}, QDir::Files); }

    // The checkpoint at which the report of the first document runs, counted as in a child,
    // and how many the issue passes in all: the issue run here, on the model's files.
    std::pair<int, int> PuntiDellEmissione() {
        Ripristina();
        static int contati = 0, stampa = 0;
        contati = stampa = 0;
        sys::SetCheckpointHook([](const char* cosa) {
            ++contati;
            if (QString(cosa) == "stampa") stampa = contati;
        });
        {
            ScriptedMessages nessunMessaggio;
            riferimento = Emetti(documento);
            EXPECT_TRUE(riferimento.Emesso());
        }
        sys::SetCheckpointHook(nullptr);
        return {stampa, contati};
    }

    bool memorizza = true;  // the parameters keep copies
    bool collegato = true;  // the documents are issued linked to the accounting archive
    bool prenotazione = false;  // names taken by a reservation, here and in the children (ConIlPrimoDocumento)
    bool altroComputer = false;  // the children run as another computer
    EsitoEmissione riferimento;  // the issue run whole by PuntiDellEmissione
    std::unique_ptr<TempDir> modello;
};

// What an issue stopped at checkpoint `punto` leaves: its document whole or absent; listed by
// "Ristampa / Annulla" at once, the moment after the stop, when it exists (its print database is
// removed only once printed and stored, and what was left is settled by the list, which tells
// that the document may not have been printed); nothing left in the start folder; and the next issue, after which the
// list shows both documents, goes through with the number that follows. `stampa`: the
// checkpoint at which the report runs.
void VerificaEmissione(ArrestoEmissione& t, bool stessaCartella, int punto, int stampa) {
    const bool emesso = t.Fatturate(Id) > 0;
    t.DocumentoInteroOAssente(emesso);
    // Its print database as the stop left it: under the temporary name of the stopped process,
    // never under its own name in the start folder but where that name makes it the stored copy.
    const bool lasciato = !QDir(t.avvio).entryList({Primo + ".*.tmp"}, QDir::Files).isEmpty();
    if (!stessaCartella) {
        EXPECT_FALSE(QFileInfo::exists(QDir(t.avvio).filePath(Primo)));
    }
    const bool avviso = emesso && lasciato;
    {
        ScriptedMessages messaggi;
        if (avviso) messaggi.expectMessage(Answer::Ok, std::nullopt, TitoloRecupero);
        const bool archiviato = emesso && (t.memorizza || lasciato || QFileInfo::exists(QDir(t.fatture).filePath(Primo)));
        EXPECT_EQ(t.Elenco(), archiviato ? QStringList{Primo} : QStringList());
        EXPECT_EQ(messaggi.pending(), 0);
        if (avviso && !messaggi.asked().empty()) {
            EXPECT_TRUE(messaggi.asked().front().text.contains(
                "La fattura N. 13 del 15/01/04 (cliente 01.01.01.0001, fascola 0007) potrebbe non essere stata "
                "stampata"));
        }
        // Not stored: it was printed, and only then removed.
        if (emesso && !archiviato) {
            EXPECT_GT(punto, stampa);
        }
        EXPECT_EQ(t.Avanzi(), QStringList());
        EXPECT_EQ(ArrestoEmissione::DiDocumenti(t.avvio),
                  stessaCartella && archiviato ? QStringList{Primo} : QStringList());
    }
    ScriptedMessages nessunMessaggio;
    const bool archiviato = !t.Elenco().isEmpty();
    const EsitoEmissione e = t.Emetti(t.Seguente());
    ASSERT_TRUE(e.Emesso());
    EXPECT_EQ(e.NumeroDocumento, emesso ? "14" : "13");
    EXPECT_EQ(t.Fatturate(Id), emesso ? 5 : 0);
    EXPECT_EQ(t.db().scalar("SELECT count(*) FROM giornale").toInt(), emesso ? 2 : 1);
    EXPECT_EQ(t.Avanzi(), QStringList());
    QStringList attese;
    if (archiviato) attese << Primo;
    if (t.memorizza) attese << e.NomeFileFattura;
    EXPECT_EQ(t.Elenco(), attese);
    if (archiviato) t.CopiaLeggibile(Primo, "13");
    if (t.memorizza) t.CopiaLeggibile(e.NomeFileFattura, e.NumeroDocumento);
    EXPECT_EQ(ArrestoEmissione::DiDocumenti(t.fatture), attese);
    if (!stessaCartella) {
        EXPECT_EQ(ArrestoEmissione::DiDocumenti(t.avvio), QStringList());
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
    const struct {
        const char* nome;
        bool stessaCartella, memorizza;
    } giri[] = {
        {"copies in a folder of their own", false, true},
        {"copies in the start folder", true, true},
        {"no copies kept", false, false},
        {"no copies kept, the invoice folder is the start folder", true, false},
    };
    for (const auto& g : giri) {
        SCOPED_TRACE(g.nome);
        memorizza = g.memorizza;
        Ricrea();
        Modello(g.stessaCartella);
        const auto [stampa, tutti] = PuntiDellEmissione();
        ASSERT_GT(stampa, 0);
        const int punti = OgniPunto("ArrestoEmissione.StoppedAnywhereAnIssueIsWholeOrAbsent",
                                    [&](int punto, bool) { VerificaEmissione(*this, g.stessaCartella, punto, stampa); });
        EXPECT_EQ(punti, tutti);
        // Statements of the accounting year's and the lines' checks, the numbering, the posting,
        // the marks and the print database, and the file operations around them.
        EXPECT_GE(punti, 40);
        if (HasFailure()) return;
    }
}

// The same for a credit note of a line typed on the tab, which bills no fee item, linked (posted)
// and not linked: once committed it stays whole through every later stop, its number given (on
// the register, or known to the documents of the year), and a print database it left is stored
// and told like any other's; a print database of a note never committed goes. The next issue
// goes through.
TEST_F(ArrestoEmissione, StoppedAnywhereATypedLinesDocumentIsWholeOrAbsent) {
    if (arresto::Figlio()) {
        const DocumentoDaEmettere nota = NotaDigitata();
        arresto::Arma();
        const EsitoEmissione e = Emetti(nota);
        arresto::Riferisci();
        ASSERT_TRUE(e.Emesso());
        return;
    }
    const struct {
        const char* nome;
        bool collegato, memorizza;
    } giri[] = {
        {"linked, copies kept", true, true},
        {"linked, no copies kept", true, false},
        {"not linked, copies kept", false, true},
        {"not linked, no copies kept", false, false},
    };
    for (const auto& g : giri) {
        SCOPED_TRACE(g.nome);
        memorizza = g.memorizza;
        collegato = g.collegato;
        Ricrea();
        Modello(false);
        Ripristina();
        documento = NotaDigitata();
        const QString contatoriIniziali = Contatori();
        const auto [stampa, tutti] = PuntiDellEmissione();
        ASSERT_GT(stampa, 0);
        const EsitoEmissione nota = riferimento;
        ASSERT_EQ(nota.CompetenzeFatturate, 0);
        const QString nome = nota.NomeFileFattura;
        const QString descritta = "La nota di credito N. " + nota.NumeroDocumento +
                                  " del 15/01/04 (cliente 01.01.01.0001, fascola 0007) potrebbe non essere stata "
                                  "stampata";
        bool giaEmessa = false;
        const int punti = OgniPunto("ArrestoEmissione.StoppedAnywhereATypedLinesDocumentIsWholeOrAbsent", [&](int punto,
                                                                                                         bool) {
            // Linked, its registration and its register number; not linked, its number among the
            // documents of the year.
            const int registrazioni = db().scalar("SELECT count(*) FROM giornale").toInt();
            const bool numerata =
                !DocumentiNumerati(db(), fatture, false, AnnoDeiDocumenti::Solare(QDate(2004, 1, 15)))
                     .conNumero(nota.NumeroDocumento)
                     .empty();
            const bool emessa = g.collegato ? registrazioni == 1 : numerata;
            EXPECT_TRUE(emessa || !giaEmessa) << "a committed note cannot be undone by a later stop";
            giaEmessa = emessa;
            if (punto >= stampa) {
                EXPECT_TRUE(emessa);
            }
            if (g.collegato) {
                EXPECT_EQ(Contatori() != contatoriIniziali, emessa);
            } else {
                EXPECT_EQ(registrazioni, 0);
            }
            const bool lasciata = !QDir(avvio).entryList({nome + ".*.tmp"}, QDir::Files).isEmpty();
            {
                ScriptedMessages messaggi;
                const bool avviso = emessa && lasciata;
                if (avviso) messaggi.expectMessage(Answer::Ok, std::nullopt, TitoloRecupero);
                const bool archiviata =
                    emessa && (memorizza || lasciata || QFileInfo::exists(QDir(fatture).filePath(nome)));
                EXPECT_EQ(Elenco(), archiviata ? QStringList{nome} : QStringList());
                EXPECT_EQ(messaggi.pending(), 0);
                if (avviso && !messaggi.asked().empty()) {
                    EXPECT_TRUE(messaggi.asked().front().text.contains(descritta))
                        << messaggi.asked().front().text.toStdString();
                }
                if (emessa && !archiviata) {
                    EXPECT_GT(punto, stampa);
                }
                if (archiviata) CopiaLeggibile(nome, nota.NumeroDocumento);
                EXPECT_EQ(Avanzi(), QStringList());
                EXPECT_EQ(DiDocumenti(avvio), QStringList());
                EXPECT_EQ(DiDocumenti(fatture), archiviata ? QStringList{nome} : QStringList());
            }
            ScriptedMessages nessunMessaggio;
            EXPECT_TRUE(Emetti(Seguente()).Emesso());
            EXPECT_EQ(Avanzi(), QStringList());
        });
        EXPECT_EQ(punti, tutti);
        if (HasFailure()) return;
    }
}

// The process killed while its document prints (the preview open): the document is saved, and no
// one can say whether the paper came out. The next issue, and apart from it the next list of
// "Ristampa / Annulla", tell the user so, naming the document, where its stored copy is and
// that it prints from there, whether the office keeps copies (the copy stored before the print)
// or not (stored by the recovery); told once: what was settled is not told again.
TEST_F(ArrestoEmissione, KilledWhilePrintingTheDocumentIsToldAsMaybeNotPrinted) {
    if (arresto::Figlio()) {
        arresto::Arma();
        Emetti(documento);
        arresto::Riferisci();
        return;
    }
    const struct {
        const char* nome;
        bool memorizza;
        bool conEmissione;  // settled by the next issue, else by the next list
        bool stessaCartella = false;  // the invoice folder is the start folder
    } casi[] = {
        {"copies kept, the next issue", true, true},
        {"copies kept, the next list", true, false},
        {"no copies kept, the next issue", false, true},
        {"no copies kept, the next list", false, false},
        {"copies kept in the start folder, the next issue", true, true, true},
        {"copies kept in the start folder, the next list", true, false, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        memorizza = c.memorizza;
        Ricrea();
        Modello(c.stessaCartella);
        const int stampa = PuntiDellEmissione().first;
        ASSERT_GT(stampa, 0);
        Ripristina();
        sessione.reset();
        const arresto::EsitoFiglio figlio =
            arresto::Esegui("ArrestoEmissione.KilledWhilePrintingTheDocumentIsToldAsMaybeNotPrinted", stampa, Ambiente());
        sessione = std::make_unique<Sessione>(pathFascole(), pathContabile);
        ASSERT_TRUE(figlio.ucciso) << figlio.uscita.toStdString();
        DocumentoInteroOAssente(true);
        EXPECT_EQ(QDir(avvio).entryList({Primo + ".*.tmp"}, QDir::Files).size(), 1);
        // In the start folder, its own name would have made it the stored copy: it takes it once
        // printed.
        EXPECT_EQ(QFileInfo::exists(QDir(fatture).filePath(Primo)), c.memorizza && !c.stessaCartella);

        {
            ScriptedMessages messaggi;
            messaggi.expectMessage(Answer::Ok, std::nullopt, TitoloRecupero);
            if (c.conEmissione) {
                EXPECT_TRUE(Emetti(Seguente()).Emesso());
            } else {
                EXPECT_EQ(Elenco(), QStringList{Primo});
            }
            EXPECT_EQ(messaggi.pending(), 0);
            ASSERT_EQ(messaggi.asked().size(), 1u);
            const QString testo = messaggi.asked().front().text;
            EXPECT_EQ(testo.count("La fattura N. 13 "), 1) << testo.toStdString();
            EXPECT_TRUE(testo.contains("La fattura N. 13 del 15/01/04 (cliente 01.01.01.0001, fascola 0007) "
                                       "potrebbe non essere stata stampata"))
                << testo.toStdString();
            EXPECT_TRUE(testo.contains("nella cartella delle fatture \"" + fatture + "\"")) << testo.toStdString();
            EXPECT_TRUE(testo.contains("\"Ristampa / Annulla\"")) << testo.toStdString();
        }
        ScriptedMessages nessunMessaggio;
        EXPECT_TRUE(Elenco().contains(Primo));
        CopiaLeggibile(Primo, "13");
        EXPECT_EQ(Avanzi(), QStringList());
        if (!c.stessaCartella) {
            EXPECT_EQ(DiDocumenti(avvio), QStringList());
        }
    }
}

// What a cancel stopped at any point leaves: the document still listed, its items billed and
// its copy in place, and a cancel then goes through; or cancelled whole, and its items are
// billed again by the next issue. So too where names are taken by a reservation (a mount that
// can neither rename without replacing nor make a hard link).
TEST_F(ArrestoEmissione, StoppedAnywhereACancelIsWholeOrAbsent) {
    if (arresto::Figlio()) {
        const auto d = LetturaNomeQualsiasi(Primo, true);
        arresto::Arma();
        const bool annullato = AnnullamentoDocumento(db(), fatture + "\\", *d, true);
        arresto::Riferisci();
        ASSERT_TRUE(annullato);
        return;
    }
    for (const bool perPrenotazione : {false, true}) {
        SCOPED_TRACE(perPrenotazione ? "names taken by a reservation" : "names taken as the file system allows");
        ConIlPrimoDocumento(perPrenotazione);
        if (HasFatalFailure()) return;
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
        if (HasFailure()) return;
    }
}

// A workstation cancels a document (not linked, copies kept) while another lists the client's
// documents, at each point of the cancel in turn, from another process of this computer or from
// another computer: the list never gives the copy its name back while the cancel goes on. Once
// the cancel is done the document is not listed, its number is free, and the same document is
// issued again.
TEST_F(ArrestoEmissione, AListElsewhereLeavesACancelUnderWayAlone) {
    if (arresto::Figlio()) {
        ScriptedMessages nessunMessaggio;
        const QStringList elenco = Elenco();
        std::printf("\nELENCO %s\n", qPrintable(elenco.join(',')));
        std::fflush(stdout);
        return;
    }
    collegato = false;
    const struct {
        const char* nome;
        bool altroComputer;
    } altre[] = {
        {"listed by another process of this computer", false},
        {"listed by another computer", true},
    };
    for (const auto& a : altre) {
        SCOPED_TRACE(a.nome);
        altroComputer = a.altroComputer;
        Ricrea();
        DocumentoDaEmettere d = Documento();
        NumeratoAMano(d, "13");
        QString nome;
        {
            ScriptedMessages nessunMessaggio;
            const EsitoEmissione e = Emetti(d);
            ASSERT_TRUE(e.Emesso());
            nome = e.NomeFileFattura;
            ASSERT_EQ(Elenco(), QStringList{nome});
        }
        const auto documentoAnnullato = LetturaNomeQualsiasi(nome, false);
        ASSERT_TRUE(documentoAnnullato.has_value());
        Modello(false);
        bool annullato = false;
        OgniPuntoUnAltroProcesso(
            "ArrestoEmissione.AListElsewhereLeavesACancelUnderWayAlone",
            [&] { EXPECT_NO_THROW(annullato = AnnullamentoDocumento(db(), fatture, *documentoAnnullato, false)); },
            [&](const QByteArray& uscita) {
                ASSERT_TRUE(uscita.contains("\nELENCO ")) << uscita.toStdString();
                EXPECT_TRUE(annullato);
                ScriptedMessages nessunMessaggio;
                EXPECT_EQ(Elenco(), QStringList());
                EXPECT_EQ(DiDocumenti(fatture), QStringList());
                EXPECT_EQ(Fatturate(Id), 0);
                const EsitoEmissione diNuovo = Emetti(d);
                ASSERT_TRUE(diNuovo.Emesso());
                EXPECT_EQ(diNuovo.NomeFileFattura, nome);
                EXPECT_EQ(Fatturate(Id), 5);
                EXPECT_EQ(Elenco(), QStringList{nome});
            });
        if (HasFailure()) return;
    }
}

// Two processes of this computer settle the same print database left by a stopped one, the
// second running at each point of the first's settling: neither fails, the document is stored
// once and its file goes, and the user hears of it once, from one of the two.
TEST_F(ArrestoEmissione, TwoProcessesSettlingOneLeftoverSettleItOnce) {
    if (arresto::Figlio()) {
        const EsitoRecupero r = RecuperoEmissioniInterrotte(db(), avvio, fatture, true, memorizza);
        std::printf("\nDETTI %d\n", int(r.Documenti.size()));
        std::fflush(stdout);
        return;
    }
    const struct {
        const char* nome;
        bool temporaneo, memorizza;
        bool archiviato;  // its copy is in the invoice folder already
    } casi[] = {
        {"under a temporary name, copies kept", true, true, false},
        {"under a temporary name, its copy stored already", true, true, true},
        {"under a temporary name, no copies kept", true, false, false},
        {"under its own name, waiting for the invoice folder", false, true, false},
        {"under its own name, its copy stored already", false, true, true},
        {"under its own name, no copies kept", false, false, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        memorizza = c.memorizza;
        Ricrea();
        db().execute("UPDATE competenze SET fatturato = 1, idfattura = ? WHERE ntask <> '0003'", {Id});
        const QString proprio = QDir(avvio).filePath(Primo);
        const QString lasciato = c.temporaneo ? processi::DiUnProcessoFinito(proprio) : proprio;
        ContenutoStampaFattura contenuto;
        contenuto.Dati[1] = "13";
        ScriviArchivioStampaFattura(lasciato, contenuto);
        if (c.archiviato) ScriviArchivioStampaFattura(QDir(fatture).filePath(Primo), contenuto);
        Modello(false);
        EsitoRecupero r;
        OgniPuntoUnAltroProcesso(
            "ArrestoEmissione.TwoProcessesSettlingOneLeftoverSettleItOnce",
            [&] { EXPECT_NO_THROW(r = RecuperoEmissioniInterrotte(db(), avvio, fatture, true, c.memorizza)); },
            [&](const QByteArray& uscita) {
                const qsizetype p = uscita.lastIndexOf("\nDETTI ");
                ASSERT_GE(p, 0) << uscita.toStdString();
                const int dettiDalFiglio = uscita.mid(p + 7).split('\n').first().trimmed().toInt();
                EXPECT_EQ(int(r.Documenti.size()) + dettiDalFiglio, 1) << MessaggioRecupero(r).toStdString();
                CopiaLeggibile(Primo, "13");
                EXPECT_EQ(DiDocumenti(avvio), QStringList());
                EXPECT_EQ(Avanzi(), QStringList());
                EXPECT_EQ(Elenco(), QStringList{Primo});
            });
        if (HasFailure()) return;
    }
}

// Two processes of this computer settle the same cancel that a stopped process left (its
// document still exists), the second running at each point of the first's settling, whether
// names are taken as the file system allows or by a reservation: neither fails, and the copy
// takes its name back once, whole, with nothing left beside it.
TEST_F(ArrestoEmissione, TwoProcessesSettlingOneStoppedCancelSettleItOnce) {
    if (arresto::Figlio()) {
        RecuperoAnnullamentiInterrotti(db(), fatture, true);
        std::printf("\nSISTEMATO\n");
        std::fflush(stdout);
        return;
    }
    for (const bool perPrenotazione : {false, true}) {
        SCOPED_TRACE(perPrenotazione ? "names taken by a reservation" : "names taken as the file system allows");
        ConIlPrimoDocumento(perPrenotazione);
        if (HasFatalFailure()) return;
        const QString copia = QDir(fatture).filePath(Primo);
        ASSERT_TRUE(QFile::rename(copia, processi::DiUnProcessoFinito(copia, ".annullamento")));
        Modello(false);
        OgniPuntoUnAltroProcesso(
            "ArrestoEmissione.TwoProcessesSettlingOneStoppedCancelSettleItOnce",
            [&] { EXPECT_NO_THROW(RecuperoAnnullamentiInterrotti(db(), fatture, true)); },
            [&](const QByteArray& uscita) {
                ASSERT_TRUE(uscita.contains("\nSISTEMATO\n")) << uscita.toStdString();
                EXPECT_EQ(DiDocumenti(fatture), QStringList{Primo});
                CopiaLeggibile(Primo, "13");
                ScriptedMessages nessunMessaggio;
                EXPECT_EQ(Elenco(), QStringList{Primo});
            });
        if (HasFailure()) return;
    }
}

}  // namespace
