#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "foundation/engine/Ambiente.h"
#include "platform/system/Paths.h"
#include "startup/engine/TerminaProgramma.h"
#include "support/Files.h"
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

    void scriviIni(const QStringList& righe) const { scriviFascolaIni(cartella.path(), righe); }
    void scriviIniGrezzo(const QByteArray& testo) const { writeFile(pathIni(), testo); }
    QByteArray leggiIni() const { return contentOf(pathIni()); }

    TempDir cartella;
};
