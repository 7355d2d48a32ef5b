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
    QString descrizione_;
    bool abbandonata_ = false;
    bool fallita_ = false;
};
