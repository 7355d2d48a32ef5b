#include "platform/system/FileSystem.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "platform/system/Paths.h"

namespace sys {

namespace {

CheckpointHook gHook = nullptr;

QString ThisHost() {
    QString macchina;
    for (QChar c : HostName())
        if (c.isLetterOrNumber()) macchina += c;
    return macchina;
}

// Copies the bytes of `from` into a new file `to`, flushed to the disk.
bool WriteCopy(const QString& from, const QString& to) {
    QFile sorgente(from);
    if (!sorgente.open(QIODevice::ReadOnly)) return false;
    QFile destinazione(to);
    if (!destinazione.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    bool riuscita = true;
    while (riuscita && !sorgente.atEnd()) {
        const QByteArray blocco = sorgente.read(1 << 20);
        riuscita = sorgente.error() == QFileDevice::NoError && destinazione.write(blocco) == blocco.size();
    }
    riuscita = riuscita && destinazione.flush() && ::fsync(destinazione.handle()) == 0;
    destinazione.close();
    if (!riuscita) QFile::remove(to);
    return riuscita;
}

// A small file of the system (under /proc), whole; empty when it cannot be read.
QByteArray SystemFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// When the process `pid` started, in clock ticks since this computer's boot (the 22nd field
// of its status line, counted after the command name, which may hold blanks and brackets).
std::optional<qint64> StartTicks(qint64 pid) {
    const QByteArray stato = SystemFile("/proc/" + QString::number(pid) + "/stat");
    const qsizetype fine = stato.lastIndexOf(')');
    if (fine < 0) return std::nullopt;
    const QList<QByteArray> campi = stato.mid(fine + 2).split(' ');
    constexpr int Avvio = 22 - 3;  // fields are counted from the state, the third
    if (campi.size() <= Avvio) return std::nullopt;
    bool ok = false;
    const qint64 tic = campi[Avvio].toLongLong(&ok);
    return ok ? std::optional<qint64>(tic) : std::nullopt;
}

// This boot of the computer: the first eight characters of the id the system draws at boot.
QString BootMark() {
    static const QString marca = [] {
        const QString id = QString::fromLatin1(SystemFile("/proc/sys/kernel/random/boot_id")).trimmed().toLower();
        static const QRegularExpression esadecimale(QStringLiteral("^[0-9a-f]{8}"));
        return esadecimale.match(id).hasMatch() ? id.left(8) : QString();
    }();
    return marca;
}

// When the process `pid` started, by the clock.
std::optional<QDateTime> StartTime(qint64 pid) {
    const auto tic = StartTicks(pid);
    const long alSecondo = ::sysconf(_SC_CLK_TCK);
    if (!tic || alSecondo <= 0) return std::nullopt;
    for (const QByteArray& riga : SystemFile("/proc/stat").split('\n'))
        if (riga.startsWith("btime ")) {
            const qint64 boot = riga.mid(6).trimmed().toLongLong();
            if (boot <= 0) return std::nullopt;
            return QDateTime::fromMSecsSinceEpoch(boot * 1000 + *tic * 1000 / alSecondo);
        }
    return std::nullopt;
}

}  // namespace

void Checkpoint(const char* what) {
    if (gHook) gHook(what);
}

void SetCheckpointHook(CheckpointHook hook) { gHook = hook; }

QString TemporaryName(const QString& path) {
    static const QString stamp = ProcessStamp(QCoreApplication::applicationPid());
    return path + "." + ThisHost() + "-" + QString::number(QCoreApplication::applicationPid()) +
           (stamp.isEmpty() ? QString() : "-" + stamp) + ".tmp";
}

std::optional<TemporaryNameParts> ReadTemporaryName(const QString& fileName) {
    static const QRegularExpression forma(
        QStringLiteral(R"(^(.+)\.([A-Za-z0-9]*)-([0-9]{1,18})(?:-([0-9a-z]{9,40}))?\.tmp(-journal)?$)"));
    const QRegularExpressionMatch m = forma.match(fileName);
    if (!m.hasMatch()) return std::nullopt;
    TemporaryNameParts parti;
    parti.original = m.captured(1);
    parti.host = m.captured(2);
    parti.pid = m.captured(3).toLongLong();
    parti.stamp = m.captured(4);
    parti.journal = m.capturedLength(5) > 0;
    return parti;
}

bool ProcessRunning(qint64 pid) {
    if (pid <= 0) return false;
    if (pid == QCoreApplication::applicationPid()) return true;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QString ProcessStamp(qint64 pid) {
    if (!ProcessRunning(pid)) return {};
    const QString boot = BootMark();
    const auto tic = StartTicks(pid);
    if (boot.isEmpty() || !tic) return {};
    return boot + QString::number(*tic, 36);
}

bool IsLeftover(const QString& path) {
    const QFileInfo file(path);
    const auto parti = ReadTemporaryName(file.fileName());
    if (!parti || parti->host.compare(ThisHost(), Qt::CaseInsensitive) != 0) return false;
    if (!ProcessRunning(parti->pid)) return true;
    if (!parti->stamp.isEmpty()) {
        const QString ora = ProcessStamp(parti->pid);
        return !ora.isEmpty() && ora != parti->stamp;
    }
    // A name of the earlier form: the process of that id started after the file was last
    // written is another one. A few seconds allowed for the clock's reading of the start.
    if (!file.isAbsolute() || !file.exists()) return false;
    const auto avvio = StartTime(parti->pid);
    return avvio && file.lastModified().addSecs(5) < *avvio;
}

int RemoveLeftovers(const QString& folder, bool (*original)(const QString& name)) {
    const QDir dir(folder);
    int rimossi = 0;
    for (const QString& nome : dir.entryList({"*.tmp", "*.tmp-journal"}, QDir::Files | QDir::Hidden)) {
        const auto parti = ReadTemporaryName(nome);
        if (!parti || !IsLeftover(dir.filePath(nome)) || !original(parti->original)) continue;
        if (RemoveFile(dir.filePath(nome))) ++rimossi;
    }
    return rimossi;
}

int RemoveLeftoversOf(const QString& path) {
    const QFileInfo file(path);
    const QDir dir = file.dir();
    const QString nome = file.fileName();
    int rimossi = 0;
    for (const QString& candidato : dir.entryList({nome + ".*.tmp", nome + ".*.tmp-journal"}, QDir::Files | QDir::Hidden)) {
        const auto parti = ReadTemporaryName(candidato);
        if (!parti || parti->original != nome || !IsLeftover(dir.filePath(candidato))) continue;
        if (RemoveFile(dir.filePath(candidato))) ++rimossi;
    }
    return rimossi;
}

bool RemoveFile(const QString& path) {
    Checkpoint("remove");
    // Removed by another process meanwhile: gone all the same.
    const bool riuscita = !QFileInfo::exists(path) || QFile::remove(path) || !QFileInfo::exists(path);
    Checkpoint("removed");
    return riuscita;
}

bool ReplaceFile(const QString& from, const QString& to) {
    Checkpoint("replace");
    bool riuscita = std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    if (!riuscita && errno == EXDEV) {
        // Another volume: copied beside the destination, then renamed over it.
        const QString accanto = TemporaryName(to);
        riuscita = WriteCopy(from, accanto);
        Checkpoint("replace: copied");
        riuscita = riuscita && std::rename(QFile::encodeName(accanto).constData(), QFile::encodeName(to).constData()) == 0;
        if (!riuscita) QFile::remove(accanto);
        else {
            Checkpoint("replace: renamed");
            QFile::remove(from);
        }
    }
    Checkpoint("replaced");
    return riuscita;
}

bool RenameFile(const QString& from, const QString& to) {
    if (QFileInfo::exists(to)) return false;
    return ReplaceFile(from, to);
}

bool CopyFile(const QString& from, const QString& to) {
    Checkpoint("copy");
    const QString accanto = TemporaryName(to);
    bool riuscita = WriteCopy(from, accanto);
    Checkpoint("copy: written");
    riuscita = riuscita && std::rename(QFile::encodeName(accanto).constData(), QFile::encodeName(to).constData()) == 0;
    if (!riuscita) QFile::remove(accanto);
    Checkpoint("copied");
    return riuscita;
}

QString TakeFile(const QString& path, const QString& original) {
    const QString preso = TemporaryName(QFileInfo(path).dir().filePath(original));
    // One of that name is this process's already: it is not taken twice.
    if (QFileInfo::exists(preso)) return {};
    Checkpoint("take");
    const bool riuscita =
        std::rename(QFile::encodeName(path).constData(), QFile::encodeName(preso).constData()) == 0;
    Checkpoint("taken");
    return riuscita ? preso : QString();
}

}  // namespace sys
