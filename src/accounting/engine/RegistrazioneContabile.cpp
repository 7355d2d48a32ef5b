#include "accounting/engine/RegistrazioneContabile.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>

#include "accounting/engine/NumeriRegistrazione.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Generale.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

// The whole number at the start of a text (0 when there is none), rounded as the old
// conversion into a number column did.
int64_t ValoreNumerico(const QString& testo) { return int64_t(std::nearbyint(basic::Val(testo))); }

// A date item as the archive stores it; a text that is no date is refused as the column
// would refuse it.
db::Value DataGiornale(const QString& testo) {
    const auto data = basic::ToDate(testo);
    if (!data) throw db::err::typeMismatch();
    return data->toString("yyyy-MM-dd");
}

// Line i (from 1) of one of the line arrays; an array shorter than the header announces is
// the caller's error, reported like any other.
template <class T>
const T& Riga(const std::vector<T>& righe, int i) {
    if (i < 1 || size_t(i) > righe.size())
        throw db::DbError(9, "Indice non compreso nell'intervallo.", "Fascole");
    return righe[size_t(i - 1)];
}

// Step 1: the number of item 7 is tested against the journal of its date until no header
// carries it; each replacement is a fresh reservation of that date.
void RinnovaNumero(std::array<QString, 27>& Testata) {
    QString numero = Testata[7];
    QString controllato;
    for (;;) {
        controllato = ControlloNumeroRegistrazione(Testata[6], numero);
        if (basic::Val(numero) == basic::Val(controllato)) break;
        numero = controllato;
    }
    Testata[7] = controllato;
}

}  // namespace

int RegistrazioneContabile(DatiRegistrazione& Dati) {
    auto& T = Dati.Testata;
    RinnovaNumero(T);
    const int64_t numero = ValoreNumerico(T[7]);
    if (numero < 1) return RegistrazioneSenzaNumero;

    Procedura proc("Funzione di esecuzione della Registrazione contabile");
    const bool conIva = T[3] == "S";

    std::unique_ptr<db::Database> archivio;
    std::optional<db::Transaction> scrittura;
    if (!proc.essenziale([&] { archivio = db::Database::open(T[21].toStdString()); })) return RegistrazioneAbbandonata;
    if (!proc.essenziale([&] { scrittura.emplace(*archivio); })) return RegistrazioneAbbandonata;

    // Values that fail to convert stay empty in the row when the user goes on past them.
    db::Value giorno, dataDocumento;
    Currency cambio, totaleIva;
    if (!proc.esegui([&] { giorno = DataGiornale(T[6]); })) return RegistrazioneAbbandonata;
    if (!proc.esegui([&] { dataDocumento = DataGiornale(T[8]); })) return RegistrazioneAbbandonata;
    if (!proc.esegui([&] { cambio = ImportoDaTesto(T[5]); })) return RegistrazioneAbbandonata;
    if (conIva && !proc.esegui([&] { totaleIva = ImportoDaTesto(T[16]); })) return RegistrazioneAbbandonata;

    int64_t contatore = 0;
    const bool testataScritta = proc.essenziale([&] {
        archivio->execute(
            "INSERT INTO giornale (giorno, numero, madre, tipo, iva, descrizione, datadocumento, protocollo, "
            "competenza, stampaiva, stampagio, appunti, immagine, valuta, cambio, clientefornitoreiva, "
            "registroiva, tipodocumentoiva, protocolloiva, linkivasospe, competenzaiva, totaleiva) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {giorno, numero, T[1], T[2], conIva, T[11], dataDocumento, T[9], T[10] == "S",
             ValoreNumerico(T[22]), ValoreNumerico(T[23]), T[24] == "S", T[25], T[4], cambio,
             conIva ? T[14] : QString(), conIva ? T[13] : QString(), conIva ? T[12] : QString(),
             conIva ? T[15] : QString(), conIva ? ValoreNumerico(T[26]) : 0, conIva && T[17] == "S",
             conIva ? totaleIva : Currency()});
        // The VAT lines belong to this very row, whatever other header shares its date and number.
        contatore = archivio->scalar("SELECT contatore FROM giornale WHERE rowid = ?", {archivio->lastInsertId()}).toInt();
    });
    if (proc.abbandonata()) return RegistrazioneAbbandonata;
    if (!testataScritta) return RegistrazioneSenzaTestata;

    int avere = 0, dare = 0;
    const int64_t righe = ValoreNumerico(T[19]);
    for (int i = 1; i <= righe; ++i) {
        if (!proc.esegui([&] {
                const QString& segno = Riga(Dati.Segni, i);
                int& lato = segno == "A" ? avere : dare;
                archivio->execute("INSERT INTO giornaledettaglio (giorno, numero, codice, importo, segno, costo, ordinale) "
                                  "VALUES (?, ?, ?, ?, ?, 0, ?)",
                                  {giorno, numero, Riga(Dati.Conti, i), Riga(Dati.Importi, i), segno, lato + 1});
                ++lato;
            }))
            return RegistrazioneAbbandonata;
    }

    if (conIva) {
        const int64_t righeIva = ValoreNumerico(T[18]);
        for (int i = 1; i <= righeIva; ++i) {
            if (!proc.esegui([&] {
                    archivio->execute("INSERT INTO ivadettaglio (linkgiornale, imponibile, imposta, codiceiva, ordinaleiva) "
                                      "VALUES (?, ?, ?, ?, ?)",
                                      {contatore, Riga(Dati.Imponibili, i), Riga(Dati.Imposte, i),
                                       Riga(Dati.CodiciIva, i), i});
                }))
                return RegistrazioneAbbandonata;
        }
    }

    // A number that was never reserved is posted all the same: there is nothing to confirm.
    if (!proc.esegui([&] {
            archivio->execute("UPDATE giornalenumero SET confermato = 1 WHERE giorno = ? AND numero = ?",
                              {giorno, numero});
        }))
        return RegistrazioneAbbandonata;
    if (!proc.essenziale([&] { scrittura->commit(); })) return RegistrazioneAbbandonata;
    return RegistrazioneEseguita;
}
