#include "platform/system/FileSystem.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include "platform/system/Paths.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"

namespace {

struct HostIs {
    explicit HostIs(const QString& name) { sys::OverrideHostName(name); }
    ~HostIs() { sys::OverrideHostName(std::nullopt); }
};

// The id of a process of this computer that has ended.
qint64 ProcessoFinito() {
    QProcess p;
    p.start("true", {});
    EXPECT_TRUE(p.waitForStarted());
    const qint64 pid = p.processId();
    EXPECT_TRUE(p.waitForFinished());
    return pid;
}

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
    const QString pid = QString::number(QCoreApplication::applicationPid());
    EXPECT_EQ(sys::TemporaryName("/d/SDB1.mdb"), "/d/SDB1.mdb.pcufficiostudio-" + pid + ".tmp");

    const struct {
        const char* nome;
        bool temporaneo;
        const char *originale, *macchina;
        qint64 pid;
        bool journal;
    } casi[] = {
        {"nuovo.mdb.PC1-123.tmp", true, "nuovo.mdb", "PC1", 123, false},
        {"nuovo.mdb.PC1-123.tmp-journal", true, "nuovo.mdb", "PC1", 123, true},
        {"a.b.c.mdb.X-9.tmp", true, "a.b.c.mdb", "X", 9, false},
        {"nuovo.mdb.PC1-12a.tmp", false, "", "", 0, false},
        {"nuovo.mdb.tmp", false, "", "", 0, false},
        {"nuovo.mdb.PC-1-2.tmp", false, "", "", 0, false},
        {"nuovo.mdb", false, "", "", 0, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const auto parti = sys::ReadTemporaryName(c.nome);
        ASSERT_EQ(parti.has_value(), c.temporaneo);
        if (!parti) continue;
        EXPECT_EQ(parti->original, c.originale);
        EXPECT_EQ(parti->host, c.macchina);
        EXPECT_EQ(parti->pid, c.pid);
        EXPECT_EQ(parti->journal, c.journal);
    }
}

// Only this computer's processes are judged, and only those that ended left something over.
TEST(FileSystem, LeftoversAreThoseOfEndedProcessesOfThisComputer) {
    HostIs host("PC1");
    const QString finito = QString::number(ProcessoFinito());
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
