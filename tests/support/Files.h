#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// The bytes of the file at `path`; empty when it cannot be read.
inline QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// `bytes` as the whole file at `path`; the test fails when it cannot be written.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// Fascola.ini in the start folder `cartella`: the lines `righe`, each ended by CR LF.
inline void scriviFascolaIni(const QString& cartella, const QStringList& righe) {
    QByteArray testo;
    for (const QString& r : righe) testo += r.toLocal8Bit() + "\r\n";
    writeFile(cartella + "/Fascola.ini", testo);
}
