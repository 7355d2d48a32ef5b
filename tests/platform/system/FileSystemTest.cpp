#include "platform/system/FileSystem.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "platform/system/Paths.h"
#include "support/ProcessiLocali.h"
#include "support/QtPrinters.h"
#include "support/SenzaRinominaEsclusiva.h"
#include "support/TempDir.h"

namespace {

struct HostIs {
    explicit HostIs(const QString& name) { sys::OverrideHostName(name); }
    ~HostIs() { sys::OverrideHostName(std::nullopt); }
};

void Scrivi(const QString& path, const QByteArray& testo) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(testo);
}

QByteArray Leggi(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

TEST(FileSystem, TemporaryNamesAreReadBack) {
    HostIs host("pc-ufficio.studio");
    const qint64 mio = QCoreApplication::applicationPid();
    const QString stamp = sys::ProcessStamp(mio);
    ASSERT_GE(stamp.size(), 9);
    EXPECT_EQ(sys::TemporaryName("/d/SDB1.mdb"),
              "/d/SDB1.mdb.pcufficiostudio-" + QString::number(mio) + "-" + stamp + ".tmp");
    EXPECT_EQ(sys::TemporaryName("/d/SDB1.mdb", u".annullamento"),
              "/d/SDB1.mdb.pcufficiostudio-" + QString::number(mio) + "-" + stamp + ".annullamento");

    const struct {
        const char* nome;
        bool temporaneo;
        const char *originale, *macchina;
        qint64 pid;
        const char* stamp;
        bool journal;
        const char16_t* fine = u".tmp";  // the ending it is read with
    } casi[] = {
        {"nuovo.mdb.PC1-123-856fdde51kx2.tmp", true, "nuovo.mdb", "PC1", 123, "856fdde51kx2", false},
        {"nuovo.mdb.PC1-123-856fdde51kx2.tmp-journal", true, "nuovo.mdb", "PC1", 123, "856fdde51kx2", true},
        // Names written before the stamp.
        {"nuovo.mdb.PC1-123.tmp", true, "nuovo.mdb", "PC1", 123, "", false},
        {"nuovo.mdb.PC1-123.tmp-journal", true, "nuovo.mdb", "PC1", 123, "", true},
        {"a.b.c.mdb.X-9.tmp", true, "a.b.c.mdb", "X", 9, "", false},
        {"nuovo.mdb.PC1-12a.tmp", false, "", "", 0, "", false},
        {"nuovo.mdb.tmp", false, "", "", 0, "", false},
        {"nuovo.mdb.PC-1-2.tmp", false, "", "", 0, "", false},
        {"nuovo.mdb.PC1-123-856FDDE51.tmp", false, "", "", 0, "", false},
        {"nuovo.mdb", false, "", "", 0, "", false},
        // Names of another ending: each read with its own only.
        {"SDB1.mdb.PC1-123-856fdde51kx2.annullamento", true, "SDB1.mdb", "PC1", 123, "856fdde51kx2", false,
         u".annullamento"},
        {"SDB1.mdb.PC1-123-856fdde51kx2.annullamento", false, "", "", 0, "", false},
        {"SDB1.mdb.PC1-123-856fdde51kx2.tmp", false, "", "", 0, "", false, u".annullamento"},
        {"SDB1.mdb.annullamento", false, "", "", 0, "", false, u".annullamento"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const auto parti = sys::ReadTemporaryName(c.nome, c.fine);
        ASSERT_EQ(parti.has_value(), c.temporaneo);
        if (!parti) continue;
        EXPECT_EQ(parti->original, c.originale);
        EXPECT_EQ(parti->host, c.macchina);
        EXPECT_EQ(parti->pid, c.pid);
        EXPECT_EQ(parti->stamp, c.stamp);
        EXPECT_EQ(parti->journal, c.journal);
    }
}

// Only this computer's processes are judged, and only those that ended left something over.
TEST(FileSystem, LeftoversAreThoseOfEndedProcessesOfThisComputer) {
    HostIs host("PC1");
    const QString finito = QString::number(processi::Finito());
    const QString vivo = QString::number(QCoreApplication::applicationPid());
    const struct {
        QString nome;
        bool avanzo;
    } casi[] = {
        {"nuovo.mdb.PC1-" + finito + ".tmp", true},
        {"nuovo.mdb.pc1-" + finito + ".tmp-journal", true},
        {"nuovo.mdb.PC1-" + vivo + ".tmp", false},
        {"nuovo.mdb.PC2-" + finito + ".tmp", false},
        {"nuovo.mdb", false},
    };
    for (const auto& c : casi) EXPECT_EQ(sys::IsLeftover(c.nome), c.avanzo) << c.nome.toStdString();

    TempDir dir;
    for (const auto& c : casi) Scrivi(dir.file(c.nome), "x");
    Scrivi(dir.file("altro.mdb.PC1-" + finito + ".tmp"), "x");
    EXPECT_EQ(sys::RemoveLeftoversOf(dir.file("nuovo.mdb")), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList({"altro.mdb.PC1-" + finito + ".tmp", "nuovo.mdb", "nuovo.mdb.PC1-" + vivo + ".tmp",
                           "nuovo.mdb.PC2-" + finito + ".tmp"}));
    EXPECT_EQ(sys::RemoveLeftovers(dir.path(), [](const QString& n) { return n.startsWith("altro"); }), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);

    // A name of another ending is judged with that ending, and no sweep of ".tmp" names takes it.
    const QString annullamento = dir.file("nuovo.mdb.PC1-" + finito + ".annullamento");
    Scrivi(annullamento, "x");
    EXPECT_TRUE(sys::IsLeftover(annullamento, u".annullamento"));
    EXPECT_FALSE(sys::IsLeftover(annullamento));
    EXPECT_FALSE(sys::IsLeftover(dir.file("nuovo.mdb.PC1-" + vivo + ".annullamento"), u".annullamento"));
    EXPECT_EQ(sys::RemoveLeftoversOf(dir.file("nuovo.mdb")), 0);
    EXPECT_EQ(sys::RemoveLeftovers(dir.path(), [](const QString&) { return true; }), 0);
    EXPECT_TRUE(QFile::exists(annullamento));
}

// A running process with the id of the one that wrote a name is that one only when it carries
// the name's stamp: after a restart, ids are handed out again (this very process may hold the
// id of one that ran before). A name of the earlier form, without a stamp, was written by the
// running process only if the file is younger than it.
TEST(FileSystem, ALiveProcessThatTookTheIdIsNoWriter) {
    HostIs host("PC1");
    QProcess vivo;
    vivo.start("sleep", {"60"});
    ASSERT_TRUE(vivo.waitForStarted());
    const qint64 mio = QCoreApplication::applicationPid(), altro = vivo.processId();
    TempDir dir;
    auto nome = [&](qint64 pid, const QString& stamp) {
        return dir.file("nuovo.mdb.PC1-" + QString::number(pid) + (stamp.isEmpty() ? "" : "-" + stamp) + ".tmp");
    };
    const QString nessuno = "zzzzzzzz1";
    const QDateTime unOraFa = QDateTime::currentDateTime().addSecs(-3600);
    const struct {
        const char* caso;
        QString path;
        std::optional<QDateTime> scritto;  // the file's last change; none: no file
        bool avanzo;
    } casi[] = {
        {"this process", nome(mio, sys::ProcessStamp(mio)), QDateTime::currentDateTime(), false},
        {"this process's id, another stamp", nome(mio, nessuno), QDateTime::currentDateTime(), true},
        {"another running process", nome(altro, sys::ProcessStamp(altro)), unOraFa, false},
        {"another running process's id, another stamp", nome(altro, nessuno), QDateTime::currentDateTime(), true},
        {"earlier form, written before the process started", nome(altro, {}), unOraFa, true},
        {"earlier form, written since", nome(altro, {}), QDateTime::currentDateTime(), false},
        {"earlier form, no such file", nome(altro, {}), std::nullopt, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        QFile::remove(c.path);
        if (c.scritto) {
            Scrivi(c.path, "x");
            QFile f(c.path);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(*c.scritto, QFileDevice::FileModificationTime));
        }
        EXPECT_EQ(sys::IsLeftover(c.path), c.avanzo) << c.path.toStdString();
    }
    // Two processes started in the same clock tick share a stamp: their ids tell them apart.
    EXPECT_EQ(sys::ProcessStamp(mio), sys::ProcessStamp(mio));
    EXPECT_FALSE(sys::ProcessStamp(altro).isEmpty());
    vivo.kill();
    vivo.waitForFinished();
    EXPECT_EQ(sys::ProcessStamp(altro), "") << "a process that has ended has none";
}

// A file taken by a process gets that process's temporary name; a file already taken by
// another is gone for this one.
TEST(FileSystem, AFileIsTakenByOneProcessOnly) {
    TempDir dir;
    const QString lasciato = dir.file("SDB1.mdb.PC2-1.tmp");
    Scrivi(lasciato, "documento");
    const QString preso = sys::TakeFile(lasciato, "SDB1.mdb");
    EXPECT_EQ(preso, sys::TemporaryName(dir.file("SDB1.mdb")));
    EXPECT_EQ(Leggi(preso), "documento");
    EXPECT_FALSE(QFile::exists(lasciato));
    EXPECT_EQ(sys::TakeFile(lasciato, "SDB1.mdb"), "") << "gone: another process has it";
    Scrivi(lasciato, "un altro");
    EXPECT_EQ(sys::TakeFile(lasciato, "SDB1.mdb"), "") << "this process holds one of that name already";
    EXPECT_EQ(Leggi(preso), "documento");
    EXPECT_TRUE(QFile::exists(lasciato));

    // Taken for an operation of another ending, under this process's name of that ending.
    EXPECT_EQ(sys::TakeFile(lasciato, "SDB1.mdb", u".annullamento"),
              sys::TemporaryName(dir.file("SDB1.mdb"), u".annullamento"));
    EXPECT_EQ(Leggi(sys::TemporaryName(dir.file("SDB1.mdb"), u".annullamento")), "un altro");
}

TEST(FileSystem, RenameReplaceCopyAndRemove) {
    TempDir dir;
    const QString a = dir.file("a"), b = dir.file("b"), c = dir.file("c");
    Scrivi(a, "uno");
    Scrivi(b, "due");
    EXPECT_FALSE(sys::RenameFile(a, b)) << "a file of that name is never replaced by a rename";
    EXPECT_EQ(Leggi(b), "due");
    EXPECT_TRUE(sys::ReplaceFile(a, b));
    EXPECT_EQ(Leggi(b), "uno");
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_TRUE(sys::RenameFile(b, a));
    EXPECT_EQ(Leggi(a), "uno");

    Scrivi(c, "vecchio");
    EXPECT_TRUE(sys::CopyFile(a, c));
    EXPECT_EQ(Leggi(c), "uno");
    EXPECT_EQ(Leggi(a), "uno");
    EXPECT_FALSE(sys::CopyFile(dir.file("manca"), c));
    EXPECT_EQ(Leggi(c), "uno");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"a", "c"})) << "nothing left beside";

    EXPECT_TRUE(sys::RemoveFile(c));
    EXPECT_TRUE(sys::RemoveFile(c)) << "a file already gone";
    QDir().mkpath(dir.file("d/e"));
    EXPECT_FALSE(sys::RemoveFile(dir.file("d")));
}

// Every operation passes a checkpoint before and after its change; one that gives a name has
// flushed the folders it changed to the disk before it returns, so that a power cut cannot undo
// a rename already reported done.
TEST(FileSystem, CheckpointsAroundEveryOperationAndEveryFolderSynced) {
    static QStringList visti;
    visti.clear();
    sys::SetCheckpointHook([](const char* cosa) { visti << cosa; });
    TempDir dir;
    QDir().mkpath(dir.file("altra"));
    Scrivi(dir.file("a"), "uno");
    sys::CopyFile(dir.file("a"), dir.file("b"));
    sys::ReplaceFile(dir.file("b"), dir.file("c"));
    sys::RenameFile(dir.file("c"), dir.file("altra/d"));
    sys::RemoveFile(dir.file("altra/d"));
    EXPECT_EQ(sys::WriteNewFile(dir.file("e"), "cinque"), 0);
    sys::SetCheckpointHook(nullptr);
    EXPECT_EQ(visti, QStringList({"copy", "copy: written", "folder synced", "copied",
                                  "replace", "folder synced", "replaced",
                                  "rename", "folder synced", "folder synced", "renamed",
                                  "remove", "removed",
                                  "write", "write: written", "folder synced", "written"}));
}

// A new file is written whole under its name, and never over a file that has the name.
TEST(FileSystem, ANewFileNeverTakesTheNameOfAnother) {
    TempDir dir;
    EXPECT_EQ(sys::WriteNewFile(dir.file("nome"), "primo"), 0);
    EXPECT_EQ(sys::WriteNewFile(dir.file("nome"), "secondo"), EEXIST);
    EXPECT_EQ(Leggi(dir.file("nome")), "primo");
    EXPECT_EQ(sys::WriteNewFile(dir.file("manca/nome"), "terzo"), ENOENT);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"nome"}) << "nothing left beside";
}

// Where the file system can neither rename without replacing nor make a hard link, a name is
// taken by a reservation: a free name is given, a name taken is refused (both files as they
// were), a file that is not there leaves no reservation behind; so does a new file.
TEST(FileSystem, WithoutExclusiveRenamesANameIsTakenByAReservation) {
    SenzaRinominaEsclusiva montaggio;
    const struct {
        const char* caso;
        bool origine, destinazione;  // the files there before
        bool rinominato;
    } casi[] = {
        {"a free name", true, false, true},
        {"a name taken", true, true, false},
        {"no such file", false, false, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        TempDir dir;
        const QString a = dir.file("a"), b = dir.file("b");
        if (c.origine) Scrivi(a, "uno");
        if (c.destinazione) Scrivi(b, "due");
        static QStringList visti;
        visti.clear();
        sys::SetCheckpointHook([](const char* cosa) { visti << cosa; });
        EXPECT_EQ(sys::RenameFile(a, b), c.rinominato);
        sys::SetCheckpointHook(nullptr);
        EXPECT_EQ(Leggi(b), c.rinominato ? "uno" : c.destinazione ? "due" : "<none>");
        EXPECT_EQ(Leggi(a), c.rinominato || !c.origine ? "<none>" : "uno");
        if (c.rinominato) {
            EXPECT_EQ(visti, QStringList({"rename", "rename: reserved", "folder synced", "renamed"}));
        }
    }

    TempDir dir;
    EXPECT_EQ(sys::WriteNewFile(dir.file("nome"), "primo"), 0);
    EXPECT_EQ(sys::WriteNewFile(dir.file("nome"), "secondo"), EEXIST);
    EXPECT_EQ(Leggi(dir.file("nome")), "primo");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"nome"}) << "nothing left beside";
}

// Two processes give a file the same name at the same moment: the child is held at a point of
// its rename while this process gives the name. Held before it takes the name, it finds the name
// taken meanwhile and keeps its file; held once it has reserved the name (where names are
// reserved), this process finds it taken and keeps its own. Neither file is lost.
const char* const VarCartellaInAttesa = "FASCOLE_RINOMINA_IN_ATTESA";
const char* const VarPuntoDiAttesa = "FASCOLE_RINOMINA_PUNTO";          // the checkpoint the child is held at
const char* const VarPrenotazione = "FASCOLE_RINOMINA_PER_PRENOTAZIONE";  // names taken by a reservation

QString& CartellaInAttesa() {
    static QString cartella;
    return cartella;
}

// In the child: at the checkpoint named by VarPuntoDiAttesa it says it is ready and waits for
// the word to go on.
void AttesaAlPunto(const char* cosa) {
    static bool atteso = false;
    if (atteso || qEnvironmentVariable(VarPuntoDiAttesa) != cosa) return;
    atteso = true;
    const QDir dir(CartellaInAttesa());
    QFile(dir.filePath("pronto")).open(QIODevice::WriteOnly);
    for (int i = 0; i < 3000 && !QFile::exists(dir.filePath("via")); ++i) QThread::msleep(10);
}

bool Attendi(const QString& file) {
    for (int i = 0; i < 3000 && !QFile::exists(file); ++i) QThread::msleep(10);
    return QFile::exists(file);
}

TEST(FileSystem, ARenameNeverReplacesAFileGivenTheNameMeanwhile) {
    if (qEnvironmentVariableIsSet(VarCartellaInAttesa)) {
        CartellaInAttesa() = qEnvironmentVariable(VarCartellaInAttesa);
        const QDir dir(CartellaInAttesa());
        sys::ForceNameReservation(qEnvironmentVariableIsSet(VarPrenotazione));
        sys::SetCheckpointHook(&AttesaAlPunto);
        const bool rinominato = sys::RenameFile(dir.filePath("del figlio"), dir.filePath("comune"));
        sys::SetCheckpointHook(nullptr);
        std::printf("\nRINOMINATO %d\n", int(rinominato));
        std::fflush(stdout);
        return;
    }
    const struct {
        const char* caso;
        bool prenotazione;
        const char* punto;  // where the child is held
        bool vinceIlFiglio;
    } casi[] = {
        {"as the file system allows", false, "rename", false},
        {"by reservation, held before it reserves", true, "rename", false},
        {"by reservation, held once it has reserved", true, "rename: reserved", true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        std::optional<SenzaRinominaEsclusiva> montaggio;
        if (c.prenotazione) montaggio.emplace();
        TempDir dir;
        Scrivi(dir.file("del figlio"), "figlio");
        Scrivi(dir.file("del padre"), "padre");
        QProcess figlio;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(VarCartellaInAttesa, dir.path());
        ambiente.insert(VarPuntoDiAttesa, c.punto);
        if (c.prenotazione) ambiente.insert(VarPrenotazione, "1");
        figlio.setProcessEnvironment(ambiente);
        figlio.setProcessChannelMode(QProcess::MergedChannels);
        figlio.start(QCoreApplication::applicationFilePath(),
                     {"--gtest_filter=FileSystem.ARenameNeverReplacesAFileGivenTheNameMeanwhile"});
        ASSERT_TRUE(Attendi(dir.file("pronto")));
        EXPECT_EQ(sys::RenameFile(dir.file("del padre"), dir.file("comune")), !c.vinceIlFiglio);
        Scrivi(dir.file("via"), "");
        ASSERT_TRUE(figlio.waitForFinished(30000));
        EXPECT_TRUE(figlio.readAll().contains(c.vinceIlFiglio ? "\nRINOMINATO 1\n" : "\nRINOMINATO 0\n"));
        EXPECT_EQ(Leggi(dir.file("comune")), c.vinceIlFiglio ? "figlio" : "padre");
        EXPECT_EQ(Leggi(dir.file(c.vinceIlFiglio ? "del padre" : "del figlio")), c.vinceIlFiglio ? "padre" : "figlio");
    }
}

}  // namespace
