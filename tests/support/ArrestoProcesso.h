#pragma once
// A test that stops the program dead at any point of an operation: the test program runs
// itself again as a child process that kills itself (SIGKILL: nothing of the program runs
// after it, as when the power goes) at the n-th checkpoint (sys::Checkpoint: every SQL
// statement, and before and after every file operation) after it armed the count. The parent
// runs it for n = 1, 2, ... until a child runs through, and checks the files after each kill.
#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "platform/system/FileSystem.h"

namespace arresto {

inline constexpr const char* VarPunto = "FASCOLE_ARRESTO_AL_PUNTO";

inline int& Contati() {
    static int n = 0;
    return n;
}
inline int& Bersaglio() {
    static int n = 0;
    return n;
}
inline void Gancio(const char*) {
    if (++Contati() == Bersaglio()) ::kill(::getpid(), SIGKILL);
}

// This process is a child run by Esegui.
inline bool Figlio() { return qEnvironmentVariableIsSet(VarPunto); }

// In the child, right before the operation: the checkpoints are counted from here on, and the
// process dies at the one the parent chose.
inline void Arma() {
    Contati() = 0;
    Bersaglio() = qEnvironmentVariableIntValue(VarPunto);
    sys::SetCheckpointHook(&Gancio);
}

// In a child that ran through: how many checkpoints the operation passed, for the parent.
inline void Riferisci() {
    sys::SetCheckpointHook(nullptr);
    std::printf("\nPUNTI %d\n", Contati());
    std::fflush(stdout);
}

struct EsitoFiglio {
    bool ucciso = false;  // killed at its checkpoint
    int punti = -1;       // checkpoints passed, when it ran through
    QByteArray uscita;    // what it wrote
};

// Runs the test `test` (full gtest name) of this program as a child process stopped at the
// checkpoint `punto`, with `ambiente` added to its environment, and waits for it.
inline EsitoFiglio Esegui(const QString& test, int punto, QProcessEnvironment ambiente) {
    ambiente.insert(VarPunto, QString::number(punto));
    QProcess figlio;
    figlio.setProcessEnvironment(ambiente);
    figlio.setProcessChannelMode(QProcess::MergedChannels);
    figlio.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=" + test});
    EsitoFiglio esito;
    if (!figlio.waitForFinished(60000)) {
        figlio.kill();
        figlio.waitForFinished();
        esito.uscita = "the child did not finish";
        return esito;
    }
    esito.uscita = figlio.readAll();
    esito.ucciso = figlio.exitStatus() == QProcess::CrashExit;
    const qsizetype p = esito.uscita.lastIndexOf("\nPUNTI ");
    if (!esito.ucciso && figlio.exitCode() == 0 && p >= 0)
        esito.punti = esito.uscita.mid(p + 7).split('\n').first().trimmed().toInt();
    return esito;
}

}  // namespace arresto
