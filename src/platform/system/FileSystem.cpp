#include "platform/system/FileSystem.h"

#include <QCoreApplication>
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

}  // namespace

void Checkpoint(const char* what) {
    if (gHook) gHook(what);
}

void SetCheckpointHook(CheckpointHook hook) { gHook = hook; }

QString TemporaryName(const QString& path) {
    return path + "." + ThisHost() + "-" + QString::number(QCoreApplication::applicationPid()) + ".tmp";
}

std::optional<TemporaryNameParts> ReadTemporaryName(const QString& fileName) {
    static const QRegularExpression forma(QStringLiteral(R"(^(.+)\.([A-Za-z0-9]*)-([0-9]{1,18})\.tmp(-journal)?$)"));
    const QRegularExpressionMatch m = forma.match(fileName);
    if (!m.hasMatch()) return std::nullopt;
    TemporaryNameParts parti;
    parti.original = m.captured(1);
    parti.host = m.captured(2);
    parti.pid = m.captured(3).toLongLong();
    parti.journal = m.capturedLength(4) > 0;
    return parti;
}

bool ProcessRunning(qint64 pid) {
    if (pid <= 0) return false;
    if (pid == QCoreApplication::applicationPid()) return true;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool IsLeftover(const QString& fileName) {
    const auto parti = ReadTemporaryName(fileName);
    return parti && parti->host.compare(ThisHost(), Qt::CaseInsensitive) == 0 && !ProcessRunning(parti->pid);
}

int RemoveLeftovers(const QString& folder, bool (*original)(const QString& name)) {
    const QDir dir(folder);
    int rimossi = 0;
    for (const QString& nome : dir.entryList({"*.tmp", "*.tmp-journal"}, QDir::Files | QDir::Hidden)) {
        const auto parti = ReadTemporaryName(nome);
        if (!parti || !IsLeftover(nome) || !original(parti->original)) continue;
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
        if (!parti || parti->original != nome || !IsLeftover(candidato)) continue;
        if (RemoveFile(dir.filePath(candidato))) ++rimossi;
    }
    return rimossi;
}

bool RemoveFile(const QString& path) {
    Checkpoint("remove");
    const bool riuscita = !QFileInfo::exists(path) || QFile::remove(path);
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

}  // namespace sys
