#include "accounting/engine/NumeriRegistrazione.h"

#include <cmath>
#include <memory>
#include <optional>

#include "foundation/engine/Procedura.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Generale.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"

namespace {

constexpr int UltimoNumero = 32767;

QString CinqueCifre(long long numero) { return basic::Format(numero, "00000"); }

// The three arguments of DateSerial for a date already checked by DataPerSql, then the
// number when there is one; a date that failed the check makes the statement fail as the
// query built on it would.
db::Params GiornoPerSql(const QString& dataSql, std::optional<int> numero = {}) {
    const QStringList parti = dataSql.split(',');
    if (parti.size() != 3)
        throw db::DbError(db::err::SyntaxError, "Errore di sintassi nell'espressione: data mancante.");
    if (numero) return {parti[0].toInt(), parti[1].toInt(), parti[2].toInt(), *numero};
    return {parti[0].toInt(), parti[1].toInt(), parti[2].toInt()};
}

}  // namespace

QString AssegnaNumeroRegistrazione(db::Database& archivio, const QString& DataRegistrazione) {
    Procedura proc("Assegnazione del numero progressivo registrazione");
    const QString giorno = DataPerSql(DataRegistrazione);

    std::optional<db::Transaction> scrittura;
    if (!proc.essenziale([&] { scrittura.emplace(archivio); })) return NessunNumeroRegistrazione;

    long long ultimo = 0;
    if (!proc.essenziale([&] {
            ultimo = archivio.scalar("SELECT max(numero) FROM giornalenumero WHERE giorno = DateSerial(?, ?, ?)",
                                      GiornoPerSql(giorno)).intOr(0);
        }))
        return NessunNumeroRegistrazione;

    if (ultimo >= UltimoNumero) {
        // Let go before the message, so that nobody waits on the archive meanwhile.
        scrittura.reset();
        ui::MessageService::show("ATTENZIONE: Non è più possibile assegnare nuovi numeri in questa data" +
                                 SeparatoreMessaggi +
                                 "Cambiare la data, o richiedere un intervento per poter recuperare i numeri non usati");
        return NessunNumeroRegistrazione;
    }

    const int numero = int(ultimo) + 1;
    if (!proc.essenziale([&] {
            archivio.execute("INSERT INTO giornalenumero (giorno, numero, confermato) "
                              "VALUES (DateSerial(?, ?, ?), ?, 0)",
                              GiornoPerSql(giorno, numero));
        }))
        return NessunNumeroRegistrazione;
    if (!proc.essenziale([&] { scrittura->commit(); })) return NessunNumeroRegistrazione;
    return CinqueCifre(numero);
}

QString ControlloNumeroRegistrazione(db::Database& archivio, const QString& DataRegistrazione,
                                     const QString& NumeroRegistrazione) {
    Procedura proc("Controllo bontà del numero progressivo registrazione");

    int numero = 0;
    if (!proc.esegui([&] {
            // A 16-bit number, rounded to the nearest (half to even) as a number column stores it.
            const double valore = std::nearbyint(basic::Val(NumeroRegistrazione));
            if (valore < -32768 || valore > UltimoNumero) throw db::DbError(6, "Overflow.");
            numero = int(valore);
        }))
        return NessunNumeroRegistrazione;
    QString risultato = CinqueCifre(numero);
    const QString giorno = DataPerSql(DataRegistrazione);

    bool occupato = false;
    if (!proc.esegui([&] {
            occupato = archivio.scalar("SELECT count(*) FROM giornale WHERE giorno = DateSerial(?, ?, ?) AND numero = ?",
                                        GiornoPerSql(giorno, numero)).toInt() > 0;
        }))
        return NessunNumeroRegistrazione;

    if (occupato) risultato = AssegnaNumeroRegistrazione(archivio, DataRegistrazione);
    return risultato;
}
