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
#include <fcntl.h>
#include <unistd.h>

#include "platform/system/Paths.h"

namespace sys {

namespace {

CheckpointHook gHook = nullptr;
bool gNameReservation = false;  // names taken as where neither exclusive renames nor hard links exist

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

// The name `to` taken for `from` where neither a rename without replacing nor a hard link can be
// made: an empty file created under the name, in a step that fails when the name is there,
// holds it while `from` is renamed over it; it goes again when the rename fails.
int RenameOverReservation(const QByteArray& from, const QByteArray& to) {
    const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    ::close(fd);
    Checkpoint("rename: reserved");
    if (std::rename(from.constData(), to.constData()) == 0) return 0;
    const int errore = errno;
    ::unlink(to.constData());
    return errore;
}

// Gives `from` the name `to` in one step that fails when a file has that name, so that of two
// processes giving one name at the same moment the second finds it taken and keeps its file. A
// file system without such a rename (a network share) takes the name by a hard link, which
// fails likewise when the name is there, and then lets the old name go; one that has neither
// reserves the name (RenameOverReservation). 0 when done, else the system's error number
// (EEXIST: the name is taken, EXDEV: another volume).
int RenameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (!gNameReservation) {
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return 0;
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
        if (::link(from.constData(), to.constData()) == 0) {
            if (::unlink(from.constData()) == 0) return 0;
            const int errore = errno;
            ::unlink(to.constData());
            return errore;
        }
        if (errno != EPERM && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
    }
    return RenameOverReservation(from, to);
}

// The folders of `path` and of `other` flushed to the disk, each once: a rename from one folder
// to another changes both.
void SyncFoldersOf(const QString& path, const QString& other) {
    SyncFolderOf(path);
    if (QFileInfo(other).absolutePath() != QFileInfo(path).absolutePath()) SyncFolderOf(other);
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

void SyncFolderOf(const QString& path) {
    const QByteArray cartella = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    const bool fatto = ::fsync(fd) == 0;
    ::close(fd);
    if (fatto) Checkpoint("folder synced");
}

QString TemporaryName(const QString& path, QStringView ending) {
    static const QString stamp = ProcessStamp(QCoreApplication::applicationPid());
    return path + "." + ThisHost() + "-" + QString::number(QCoreApplication::applicationPid()) +
           (stamp.isEmpty() ? QString() : "-" + stamp) + ending.toString();
}

std::optional<TemporaryNameParts> ReadTemporaryName(const QString& fileName, QStringView ending) {
    static const QRegularExpression forma(
        QStringLiteral(R"(^(.+)\.([A-Za-z0-9]*)-([0-9]{1,18})(?:-([0-9a-z]{9,40}))?$)"));
    constexpr QStringView Journal = u"-journal";
    QStringView nome(fileName);
    const bool journal = nome.endsWith(Journal);
    if (journal) nome.chop(Journal.size());
    if (!nome.endsWith(ending)) return std::nullopt;
    nome.chop(ending.size());
    const QRegularExpressionMatch m = forma.match(nome.toString());
    if (!m.hasMatch()) return std::nullopt;
    TemporaryNameParts parti;
    parti.original = m.captured(1);
    parti.host = m.captured(2);
    parti.pid = m.captured(3).toLongLong();
    parti.stamp = m.captured(4);
    parti.journal = journal;
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

bool IsLeftover(const QString& path, QStringView ending) {
    const QFileInfo file(path);
    const auto parti = ReadTemporaryName(file.fileName(), ending);
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

bool RemoveNameReservation(const QString& path) {
    const QFileInfo file(path);
    return !file.isFile() || file.size() > 0 || RemoveFile(path);
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
    if (riuscita) SyncFoldersOf(to, from);
    Checkpoint("replaced");
    return riuscita;
}

bool RenameFile(const QString& from, const QString& to) {
    Checkpoint("rename");
    const QByteArray nuovo = QFile::encodeName(to);
    int errore = RenameNoReplace(QFile::encodeName(from), nuovo);
    if (errore == EXDEV) {
        // Another volume: copied beside the destination, which then takes the name in one step.
        const QString accanto = TemporaryName(to);
        errore = WriteCopy(from, accanto) ? 0 : EIO;
        Checkpoint("rename: copied");
        if (!errore) errore = RenameNoReplace(QFile::encodeName(accanto), nuovo);
        if (errore) QFile::remove(accanto);
        else {
            Checkpoint("rename: renamed");
            QFile::remove(from);
        }
    }
    if (!errore) SyncFoldersOf(to, from);
    Checkpoint("renamed");
    return !errore;
}

void ForceNameReservation(bool force) { gNameReservation = force; }

bool CopyFile(const QString& from, const QString& to) {
    Checkpoint("copy");
    const QString accanto = TemporaryName(to);
    bool riuscita = WriteCopy(from, accanto);
    Checkpoint("copy: written");
    riuscita = riuscita && std::rename(QFile::encodeName(accanto).constData(), QFile::encodeName(to).constData()) == 0;
    if (!riuscita) QFile::remove(accanto);
    else SyncFolderOf(to);
    Checkpoint("copied");
    return riuscita;
}

int WriteNewFile(const QString& path, const QByteArray& content) {
    Checkpoint("write");
    const QByteArray accanto = QFile::encodeName(TemporaryName(path));
    int errore = 0;
    const int fd = ::open(accanto.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        errore = errno;
    } else {
        for (qsizetype scritti = 0; !errore && scritti < content.size();) {
            const ssize_t n = ::write(fd, content.constData() + scritti, size_t(content.size() - scritti));
            if (n > 0) scritti += n;
            else if (n == 0 || errno != EINTR) errore = n == 0 ? EIO : errno;
        }
        if (!errore && ::fsync(fd) != 0) errore = errno;
        if (::close(fd) != 0 && !errore) errore = errno;
        Checkpoint("write: written");
        if (!errore) errore = RenameNoReplace(accanto, QFile::encodeName(path));
        if (errore) ::unlink(accanto.constData());
        else SyncFolderOf(path);
    }
    Checkpoint("written");
    return errore;
}

QString TakeFile(const QString& path, const QString& original, QStringView ending) {
    const QString preso = TemporaryName(QFileInfo(path).dir().filePath(original), ending);
    // One of that name is this process's already: it is not taken twice.
    if (QFileInfo::exists(preso)) return {};
    Checkpoint("take");
    const bool riuscita =
        std::rename(QFile::encodeName(path).constData(), QFile::encodeName(preso).constData()) == 0;
    Checkpoint("taken");
    return riuscita ? preso : QString();
}

}  // namespace sys
