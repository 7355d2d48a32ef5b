#include "platform/system/FileSystem.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>

#include "platform/system/Paths.h"
#include "support/ProcessiLocali.h"
#include "support/QtPrinters.h"
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

    const struct {
        const char* nome;
        bool temporaneo;
        const char *originale, *macchina;
        qint64 pid;
        const char* stamp;
        bool journal;
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
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const auto parti = sys::ReadTemporaryName(c.nome);
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

// Every operation passes a checkpoint before and after its change.
TEST(FileSystem, CheckpointsAroundEveryOperation) {
    static QStringList visti;
    visti.clear();
    sys::SetCheckpointHook([](const char* cosa) { visti << cosa; });
    TempDir dir;
    Scrivi(dir.file("a"), "uno");
    sys::CopyFile(dir.file("a"), dir.file("b"));
    sys::ReplaceFile(dir.file("b"), dir.file("c"));
    sys::RemoveFile(dir.file("c"));
    sys::SetCheckpointHook(nullptr);
    EXPECT_EQ(visti, QStringList({"copy", "copy: written", "copied", "replace", "replaced", "remove", "removed"}));
}

}  // namespace
