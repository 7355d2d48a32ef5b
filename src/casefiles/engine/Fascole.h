#pragma once
#include <QString>
#include <array>
#include <deque>

#include "foundation/engine/RigaLetta.h"

namespace db {
class Database;
class Statement;
}

// A stored case file (a row of `fascola`) as the mask shows it, kept with the values it was
// read with, so that correcting or deleting it later never touches another row.
class Fascola {
public:
    static const FormaRiga& Forma();
    static constexpr size_t Colonne = 8;

    // Built from the values of ColonneLette(Forma()), or from the current row of a query that
    // selects them. A search result holds thousands of these: the values sit in the object.
    explicit Fascola(const ValoriLetti& letti);
    explicit Fascola(const db::Statement& riga);

    QString cliente() const;
    QString npra() const;
    // The opening date as the mask shows it, "dd/mm/yyyy"; "" when the row has none.
    QString data() const;
    QString criterio() const;
    QString camponote() const;
    QString rifcli() const;
    bool stato() const;
    QString numpranno() const;

    // Whether both belong to one client, its code compared as stored.
    bool stessoCliente(const Fascola& altra) const { return letti_[0] == altra.letti_[0]; }

    ValoriLetti letti() const { return ValoriLetti(letti_.begin(), letti_.end()); }

private:
    std::array<db::Value, Colonne> letti_;
};

// Case files as a search finds them, in its order. A deque: thousands of them are read in
// without being moved as the list grows.
using ElencoFascole = std::deque<Fascola>;

// What a correction rewrites: the key and the absolute number never change.
struct CorrezioneFascola {
    QString criterio;
    QString data;  // dd/mm/yyyy
    QString camponote;
    QString rifcli;
    bool stato = true;
};

// Rewrites the case file as read with `nuova`; `letta` then holds what is stored. db::DbError 13
// for a date that is no date, 3167 or 3197 when the row is no longer as it was read.
void CorreggiFascola(db::Database& archivio, Fascola& letta, const CorrezioneFascola& nuova);

// Why a case file cannot be deleted. Its fee items keep it too: its number would be given
// again to the next case file of the client, which would inherit them.
enum class Cancellazione { Ammessa, HaIncarichi, HaCompetenze };

// Throws db::DbError.
Cancellazione CancellazioneAmmessa(db::Database& archivio, const QString& cliente, const QString& npra);

// Deletes the case file as read, checking again in the same write transaction that nothing
// keeps it (a task or fee item added meanwhile by another workstation does): Ammessa when it
// was deleted, otherwise the reason it was not. db::DbError 3167 or 3197 when the row is no
// longer as it was read.
Cancellazione CancellaFascola(db::Database& archivio, const Fascola& letta);
