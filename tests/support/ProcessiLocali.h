#pragma once
// Processes of this computer, and the temporary names (sys::TemporaryName) they would have
// written: what a stopped process leaves, as a test needs it.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

#include "platform/system/FileSystem.h"

namespace processi {

// The id of a process of this computer that has ended.
inline qint64 Finito() {
    QProcess p;
    p.start("true", {});
    EXPECT_TRUE(p.waitForStarted());
    const qint64 pid = p.processId();
    EXPECT_TRUE(p.waitForFinished());
    return pid;
}

// The temporary name of `path` with `ending` written by process `pid` of this computer with the
// stamp `stamp` (empty: a name of the earlier form, which had none).
inline QString NomeTemporaneo(const QString& path, qint64 pid, const QString& stamp,
                              const QString& ending = QStringLiteral(".tmp")) {
    const auto mio = sys::ReadTemporaryName(QFileInfo(sys::TemporaryName(path)).fileName());
    EXPECT_TRUE(mio.has_value());
    return path + "." + (mio ? mio->host : QString()) + "-" + QString::number(pid) +
           (stamp.isEmpty() ? QString() : "-" + stamp) + ending;
}

// The temporary name of `path` with `ending` as a process of this computer that has ended wrote it.
inline QString DiUnProcessoFinito(const QString& path, const QString& ending = QStringLiteral(".tmp")) {
    const qint64 pid = Finito();
    return NomeTemporaneo(path, pid, sys::ProcessStamp(QCoreApplication::applicationPid()), ending);
}

// A stamp that no process has: the boot part is no hexadecimal number.
inline const QString StampaDiNessuno = QStringLiteral("zzzzzzzz1");

// The file `path` as found after a restart: last written an hour ago.
inline void ScrittoPrimaDelRiavvio(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite)) << path.toStdString();
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

// Every print database of documents in `cartella` (SDB…, under any name) as found after a restart.
inline void ScrittiPrimaDelRiavvio(const QString& cartella) {
    const QDir dir(cartella);
    for (const QString& nome : dir.entryList({"SDB*"}, QDir::Files)) ScrittoPrimaDelRiavvio(dir.filePath(nome));
}

}  // namespace processi
