#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "foundation/Ambiente.h"
#include "platform/system/Paths.h"
#include "startup/TerminaProgramma.h"
#include "support/TempDir.h"

// The end of the program as a test sees it.
struct ProgrammaTerminato {};

// A start folder of the test's own, with clean program-wide records, a known machine name,
// and the end of the program turned into a ProgrammaTerminato exception.
class Installazione : public ::testing::Test {
protected:
    Installazione() {
        RipristinaAmbiente();
        sys::OverrideHostName(QStringLiteral("PCTEST"));
        ImpostaTerminazione([] { throw ProgrammaTerminato{}; });
        AmbienteLavoro().CartellaAvvio = cartella.path();
    }
    ~Installazione() override {
        ImpostaTerminazione({});
        sys::OverrideHostName(std::nullopt);
        RipristinaAmbiente();
    }

    QString pathIni() const { return cartella.file("Fascola.ini"); }
    QString pathArchivio() const { return cartella.file("fascole.mdb"); }

    // Fascola.ini made of `righe`, each ended by CR LF.
    void scriviIni(const QStringList& righe) const {
        QByteArray testo;
        for (const QString& r : righe) testo += r.toLocal8Bit() + "\r\n";
        scriviIniGrezzo(testo);
    }
    void scriviIniGrezzo(const QByteArray& testo) const {
        QFile f(pathIni());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(testo);
    }
    QByteArray leggiIni() const {
        QFile f(pathIni());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempDir cartella;
};
