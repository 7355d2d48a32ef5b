#pragma once
#include <QString>
#include <cstdint>
#include <functional>

// The text placed after each part of a composed message.
inline const QString SeparatoreMessaggi = QStringLiteral("\n");

// The answers of the error handler, as callers act on them.
enum RispostaErrore { Riprova = 0, Prosegui = 1, Abbandona = 2 };

// Handles a run-time error of a database procedure. Lock conflicts (3218, 3260, 3261,
// 3262) are retried silently for 15 seconds per procedure; then, and for every other
// error at once, one message box "GESTIONE DEGLI ERRORI" lets the user choose
// Abort (2), Retry (0) or Ignore (1).
int GestioneErrori(int NumeroErrore, const QString& OrigineErrore, const QString& DescrizioneErrore,
                   const QString& DescrizioneFunzione);

// The procedure `DescrizioneFunzione` got past its failing statement: a later lock
// conflict of it starts a full wait of its own.
void FineAttesaBlocco(const QString& DescrizioneFunzione);

// The clock the lock wait measures with: milliseconds on a clock that never goes back and
// does not wrap at midnight. Tests install a fake one; nullptr restores the real one.
void ImpostaOrologioAttese(std::function<int64_t()> orologio);
// Forgets any wait in progress.
void RipristinaAttesaBlocco();
