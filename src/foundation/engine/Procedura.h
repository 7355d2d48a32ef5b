#pragma once
#include <QString>
#include <functional>

// A database procedure's statements run under the error handler: a failing statement is
// repeated (retry), skipped (go on) or ends the procedure (leave), as the handler answers.
//
//   Procedura proc("Funzione di lettura parametri");
//   if (!proc.esegui([&] { ... one statement ... })) return risultato;
//
// Only database and runtime errors (db::DbError) are handled; anything else is a fault of
// the program and propagates.
//
// Inside an OperazioneIndivisibile (below) there is no going on past a failed statement:
// Ignore leaves the procedure as Abort does, and the operation as a whole is given up.
class Procedura {
public:
    explicit Procedura(QString descrizione) : descrizione_(std::move(descrizione)) {}

    // Runs `istruzione` until it succeeds or the handler says to skip it (true) or to
    // leave the procedure (false). Once left, every later call returns false at once.
    bool esegui(const std::function<void()>& istruzione);

    // For a statement the rest of the procedure cannot do without (an archive opened, a
    // number read, a counter written): true only when it was carried out, so that a
    // statement the user chose to skip stops the procedure instead of letting it go on from
    // a state that does not exist.
    bool essenziale(const std::function<void()>& istruzione);

    bool abbandonata() const { return abbandonata_; }
    // Some statement failed and was skipped or abandoned.
    bool fallita() const { return fallita_; }
    const QString& descrizione() const { return descrizione_; }

private:
    void abbandona();

    QString descrizione_;
    bool abbandonata_ = false;
    bool fallita_ = false;
};

// An operation that is done whole or not at all: a posting, a document with its number and its
// posting, a new case file with its fixed items. The caller that owns such an operation makes
// one of these before its first statement and keeps it until it has committed:
//
//   OperazioneIndivisibile emissione;
//   Procedura proc("Funzione di ...");
//   std::optional<db::Transaction> scrittura;
//   if (!proc.essenziale([&] { scrittura.emplace(archivio); })) return;
//   ... the steps, each of them an engine operation or a statement under `proc` ...
//   if (emissione.interrotta()) return;             // the transaction rolls back
//   if (!proc.essenziale([&] { scrittura->commit(); })) return;
//
// While one is alive, a statement that fails and is answered Ignore is not skipped: its
// procedure is left, as on Abort, so that no step goes on from half a state. Whenever any
// procedure is left, every operation alive is marked interrupted. Operations nest: an
// operation inside another (a posting inside a document's issue) interrupts both.
// Outside any operation, Ignore keeps its meaning: the statement is skipped.
class OperazioneIndivisibile {
public:
    OperazioneIndivisibile();
    ~OperazioneIndivisibile();
    OperazioneIndivisibile(const OperazioneIndivisibile&) = delete;
    OperazioneIndivisibile& operator=(const OperazioneIndivisibile&) = delete;

    // Some procedure was left while the operation was under way: it must not be committed.
    bool interrotta() const { return interrotta_; }

    // An operation is under way.
    static bool inCorso();

private:
    friend class Procedura;
    static void interrompiTutte();

    OperazioneIndivisibile* esterna_ = nullptr;
    bool interrotta_ = false;
};
